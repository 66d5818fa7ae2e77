// The canvas against Qt's raster engine (QPainter on a QImage, antialiasing
// off) on the same work and the same pixel buffer size. Each benchmark pair
// is named "<workload>/ours" and "<workload>/qpainter"; bench_main prints the
// medians side by side with their ratio.
//
// W1 a demo frame: 293 x 272, clear to yellow, 10 dotted grey grid lines,
//    the closed curve x = sin(t/19), y = sin(t/7), t = 1..146 mapped from
//    -1.2..1.2 as one 145-segment polyline, a 7 x 7 diamond outline at each
//    point, a frame.
// W2 one polyline through 1 000 000 points of a random walk (seed 42, steps
//    -4..4, clamped into 1000 x 800).
// W3 100 000 seeded random points on 1000 x 800, each a filled 3 x 3 square
//    and a 7 x 7 diamond outline.
// W4 10 000 texts "-12.50" at 10 pt at seeded positions on 1000 x 800.
// W5 clear 1920 x 1080 and fill 1000 seeded rectangles of 1..300 pixels.
// W6 20 000 seeded 9 x 9 filled diamonds (Polygon of 4 points, radius 4,
//    brush and outline) on 1000 x 800.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <random>
#include <vector>

#include "base/korvobase.h"
#include "platform/graphics/Bitmap.h"

namespace korvo::bench {
namespace {

// ---- the work, generated once ------------------------------------------

struct Demo {
  std::vector<TPoint> curve;  // 146 points
};

const Demo& DemoFrame() {
  static const Demo d = [] {
    Demo out;
    for (int t = 1; t <= 146; ++t) {
      const double u = std::sin(t / 19.0), v = std::sin(t / 7.0);
      const int x = int(std::lround((u + 1.2) / 2.4 * 292));
      const int y = int(std::lround((1.2 - v) / 2.4 * 271));
      out.curve.push_back(TPoint{x, y});
    }
    return out;
  }();
  return d;
}

const std::vector<TPoint>& RandomWalk() {
  static const std::vector<TPoint> walk = [] {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> step(-4, 4);
    std::vector<TPoint> pts;
    pts.reserve(1000000);
    int x = 500, y = 400;
    for (int i = 0; i < 1000000; ++i) {
      x = std::clamp(x + step(rng), 0, 999);
      y = std::clamp(y + step(rng), 0, 799);
      pts.push_back(TPoint{x, y});
    }
    return pts;
  }();
  return walk;
}

const std::vector<TPoint>& RandomPoints(int n, int w, int h, unsigned seed) {
  static std::vector<std::vector<TPoint>> cache;
  for (auto& c : cache) {
    if (int(c.size()) == n && !c.empty()) return c;
  }
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> xs(0, w - 1), ys(0, h - 1);
  std::vector<TPoint> pts;
  pts.reserve(size_t(n));
  for (int i = 0; i < n; ++i) pts.push_back(TPoint{xs(rng), ys(rng)});
  cache.push_back(std::move(pts));
  return cache.back();
}

const std::vector<TRect>& RandomRects() {
  static const std::vector<TRect> rects = [] {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> size(1, 300), xs(0, 1919), ys(0, 1079);
    std::vector<TRect> out;
    for (int i = 0; i < 1000; ++i) {
      const int x = xs(rng), y = ys(rng);
      out.push_back(TRect{x, y, x + size(rng), y + size(rng)});
    }
    return out;
  }();
  return rects;
}

// ---- ours ------------------------------------------------------------------

void DiamondOurs(TCanvas* c, int x, int y) { DrawMark(c, 19, x, y); }

void W1Ours(benchmark::State& state) {
  TBitmap bmp(293, 272);
  TCanvas* c = bmp.Canvas();
  const Demo& d = DemoFrame();
  for (auto _ : state) {
    c->Pen()->SetStyle(TPenStyle::psSolid);
    c->Pen()->SetColor(clYellow);
    c->Brush()->SetColor(clYellow);
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
    c->FillRect(TRect{0, 0, 293, 272});
    c->Pen()->SetStyle(TPenStyle::psDot);
    c->Pen()->SetColor(clGray);
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    for (int i = 1; i <= 5; ++i) {
      c->MoveTo(i * 293 / 6, 0);
      c->LineTo(i * 293 / 6, 272);
      c->MoveTo(0, i * 272 / 6);
      c->LineTo(293, i * 272 / 6);
    }
    c->Pen()->SetStyle(TPenStyle::psSolid);
    c->Pen()->SetColor(clBlack);
    c->Polyline(d.curve);
    for (const TPoint& p : d.curve) DiamondOurs(c, p.X, p.Y);
    c->Rectangle(0, 0, 293, 272);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

void W2Ours(benchmark::State& state) {
  TBitmap bmp(1000, 800);
  const auto& walk = RandomWalk();
  for (auto _ : state) {
    bmp.Canvas()->Polyline(walk);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

void W3Ours(benchmark::State& state) {
  TBitmap bmp(1000, 800);
  TCanvas* c = bmp.Canvas();
  c->Pen()->SetColor(clNavy);
  const auto& pts = RandomPoints(100000, 1000, 800, 9);
  for (auto _ : state) {
    for (const TPoint& p : pts) {
      DrawMark(c, 7, p.X, p.Y);
      DiamondOurs(c, p.X, p.Y);
    }
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

void W4Ours(benchmark::State& state) {
  TBitmap bmp(1000, 800);
  TCanvas* c = bmp.Canvas();
  c->Font()->SetName("DejaVu Sans");
  c->Font()->SetSize(10);
  c->Font()->SetColor(clBlack);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  const auto& pts = RandomPoints(10000, 1000, 800, 13);
  for (auto _ : state) {
    for (const TPoint& p : pts) c->TextOut(p.X, p.Y, "-12.50");
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

void W5Ours(benchmark::State& state) {
  TBitmap bmp(1920, 1080);
  TCanvas* c = bmp.Canvas();
  const auto& rects = RandomRects();
  for (auto _ : state) {
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect{0, 0, 1920, 1080});
    c->Brush()->SetColor(clTeal);
    for (const TRect& r : rects) c->FillRect(r);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

void W6Ours(benchmark::State& state) {
  TBitmap bmp(1000, 800);
  TCanvas* c = bmp.Canvas();
  c->Pen()->SetColor(clNavy);
  c->Brush()->SetColor(clAqua);
  const auto& pts = RandomPoints(20000, 1000, 800, 17);
  for (auto _ : state) {
    for (const TPoint& p : pts) {
      const TPoint d[4] = {{p.X - 4, p.Y}, {p.X, p.Y + 4}, {p.X + 4, p.Y}, {p.X, p.Y - 4}};
      c->Polygon(d);
    }
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

// ---- QPainter --------------------------------------------------------------

QPoint Q(const TPoint& p) { return QPoint(p.X, p.Y); }

void DiamondQt(QPainter& p, int x, int y) {
  const QPoint d[5] = {{x - 3, y}, {x, y + 3}, {x + 3, y}, {x, y - 3}, {x - 3, y}};
  p.drawPolyline(d, 5);
}

void W1Qt(benchmark::State& state) {
  QImage img(293, 272, QImage::Format_RGB32);
  const Demo& d = DemoFrame();
  std::vector<QPoint> curve;
  for (const TPoint& p : d.curve) curve.push_back(Q(p));
  for (auto _ : state) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(0, 0, 293, 272, Qt::yellow);
    p.setPen(QPen(Qt::gray, 0, Qt::DotLine));
    for (int i = 1; i <= 5; ++i) {
      p.drawLine(i * 293 / 6, 0, i * 293 / 6, 272);
      p.drawLine(0, i * 272 / 6, 293, i * 272 / 6);
    }
    p.setPen(QPen(Qt::black, 0));
    p.drawPolyline(curve.data(), int(curve.size()));
    for (const QPoint& q : curve) DiamondQt(p, q.x(), q.y());
    p.drawRect(0, 0, 292, 271);
    p.end();
    benchmark::DoNotOptimize(img.constBits());
  }
}

void W2Qt(benchmark::State& state) {
  QImage img(1000, 800, QImage::Format_RGB32);
  std::vector<QPoint> walk;
  for (const TPoint& p : RandomWalk()) walk.push_back(Q(p));
  for (auto _ : state) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 0));
    p.drawPolyline(walk.data(), int(walk.size()));
    p.end();
    benchmark::DoNotOptimize(img.constBits());
  }
}

void W3Qt(benchmark::State& state) {
  QImage img(1000, 800, QImage::Format_RGB32);
  const auto& pts = RandomPoints(100000, 1000, 800, 9);
  const QColor navy(0, 0, 128);
  for (auto _ : state) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(navy, 0));
    for (const TPoint& q : pts) {
      p.fillRect(q.X - 1, q.Y - 1, 3, 3, navy);
      DiamondQt(p, q.X, q.Y);
    }
    p.end();
    benchmark::DoNotOptimize(img.constBits());
  }
}

void W4Qt(benchmark::State& state) {
  QImage img(1000, 800, QImage::Format_RGB32);
  const auto& pts = RandomPoints(10000, 1000, 800, 13);
  QFont font("DejaVu Sans");
  font.setPointSize(10);
  const QString text = QStringLiteral("-12.50");
  for (auto _ : state) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(font);
    p.setPen(Qt::black);
    for (const TPoint& q : pts) p.drawText(q.X, q.Y + 13, text);
    p.end();
    benchmark::DoNotOptimize(img.constBits());
  }
}

void W5Qt(benchmark::State& state) {
  QImage img(1920, 1080, QImage::Format_RGB32);
  const auto& rects = RandomRects();
  const QColor teal(0, 128, 128);
  for (auto _ : state) {
    QPainter p(&img);
    p.fillRect(0, 0, 1920, 1080, Qt::white);
    for (const TRect& r : rects) p.fillRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, teal);
    p.end();
    benchmark::DoNotOptimize(img.constBits());
  }
}

void W6Qt(benchmark::State& state) {
  QImage img(1000, 800, QImage::Format_RGB32);
  const auto& pts = RandomPoints(20000, 1000, 800, 17);
  for (auto _ : state) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(0, 0, 128), 0));
    p.setBrush(QColor(0, 255, 255));
    for (const TPoint& q : pts) {
      const QPoint d[4] = {{q.X - 4, q.Y}, {q.X, q.Y + 4}, {q.X + 4, q.Y}, {q.X, q.Y - 4}};
      p.drawPolygon(d, 4);
    }
    p.end();
    benchmark::DoNotOptimize(img.constBits());
  }
}

}  // namespace

BENCHMARK(W1Ours)->Name("W1 demo frame/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(W1Qt)->Name("W1 demo frame/qpainter")->Unit(benchmark::kMicrosecond);
BENCHMARK(W2Ours)->Name("W2 polyline 1M points/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(W2Qt)->Name("W2 polyline 1M points/qpainter")->Unit(benchmark::kMillisecond);
BENCHMARK(W3Ours)->Name("W3 100k marks/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(W3Qt)->Name("W3 100k marks/qpainter")->Unit(benchmark::kMillisecond);
BENCHMARK(W4Ours)->Name("W4 10k texts/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(W4Qt)->Name("W4 10k texts/qpainter")->Unit(benchmark::kMillisecond);
BENCHMARK(W5Ours)->Name("W5 1000 rectangles/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(W5Qt)->Name("W5 1000 rectangles/qpainter")->Unit(benchmark::kMillisecond);
BENCHMARK(W6Ours)->Name("W6 20k filled diamonds/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(W6Qt)->Name("W6 20k filled diamonds/qpainter")->Unit(benchmark::kMillisecond);

}  // namespace korvo::bench

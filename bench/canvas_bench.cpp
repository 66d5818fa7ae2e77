// The canvas against Qt's raster engine (QPainter on a QImage, antialiasing
// off) on the same work and the same pixel buffer size. Each benchmark pair
// is named "<workload>/ours" and "<workload>/qpainter" (the floor loops of
// floor_bench.cpp add "<workload>/floor"); bench_main prints the medians side
// by side with their ratios. The workloads are described, generated and drawn
// on our canvas in CanvasWorkloads.h.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <random>
#include <vector>

#include "bench/CanvasWorkloads.h"
#include "platform/graphics/Bitmap.h"

namespace korvo::bench {
namespace {

// ---- ours ------------------------------------------------------------------

void W1Ours(benchmark::State& state) {
  TBitmap bmp(kDemoWidth, kDemoHeight);
  for (auto _ : state) {
    DrawDemoFrame(bmp.Canvas());
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

void W2Ours(benchmark::State& state) {
  TBitmap bmp(kPlotWidth, kPlotHeight);
  RandomWalk();
  for (auto _ : state) {
    DrawWalk(bmp.Canvas());
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

void W3Ours(benchmark::State& state) {
  TBitmap bmp(kPlotWidth, kPlotHeight);
  MarkPoints();
  for (auto _ : state) {
    DrawMarks(bmp.Canvas());
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

void W4Ours(benchmark::State& state) {
  TBitmap bmp(kPlotWidth, kPlotHeight);
  SetUpTexts(bmp.Canvas());
  TextPoints();
  for (auto _ : state) {
    DrawTexts(bmp.Canvas());
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

void W5Ours(benchmark::State& state) {
  TBitmap bmp(kScreenWidth, kScreenHeight);
  RandomRects();
  for (auto _ : state) {
    DrawRects(bmp.Canvas());
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

void W6Ours(benchmark::State& state) {
  TBitmap bmp(kPlotWidth, kPlotHeight);
  DiamondPoints();
  for (auto _ : state) {
    DrawDiamonds(bmp.Canvas());
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
  std::vector<QPoint> curve;
  for (const TPoint& p : DemoCurve()) curve.push_back(Q(p));
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
  const auto& pts = MarkPoints();
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
  const auto& pts = TextPoints();
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
  QImage img(kPlotWidth, kPlotHeight, QImage::Format_RGB32);
  const auto& pts = DiamondPoints();
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

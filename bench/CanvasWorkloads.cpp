#include "bench/CanvasWorkloads.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "base/korvobase.h"

namespace korvo::bench {

const std::vector<TPoint>& DemoCurve() {
  static const std::vector<TPoint> curve = [] {
    std::vector<TPoint> out;
    for (int t = 1; t <= 146; ++t) {
      const double u = std::sin(t / 19.0), v = std::sin(t / 7.0);
      const int x = int(std::lround((u + 1.2) / 2.4 * 292));
      const int y = int(std::lround((1.2 - v) / 2.4 * 271));
      out.push_back(TPoint{x, y});
    }
    return out;
  }();
  return curve;
}

const std::vector<TPoint>& RandomWalk() {
  static const std::vector<TPoint> walk = [] {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> step(-4, 4);
    std::vector<TPoint> pts;
    pts.reserve(1000000);
    int x = 500, y = 400;
    for (int i = 0; i < 1000000; ++i) {
      x = std::clamp(x + step(rng), 0, kPlotWidth - 1);
      y = std::clamp(y + step(rng), 0, kPlotHeight - 1);
      pts.push_back(TPoint{x, y});
    }
    return pts;
  }();
  return walk;
}

const std::vector<TPoint>& RandomPoints(int n, int w, int h, unsigned seed) {
  struct Entry {
    int n, w, h;
    unsigned seed;
    std::vector<TPoint> points;
  };
  static std::vector<Entry> cache;
  for (const Entry& e : cache) {
    if (e.n == n && e.w == w && e.h == h && e.seed == seed) return e.points;
  }
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> xs(0, w - 1), ys(0, h - 1);
  std::vector<TPoint> pts;
  pts.reserve(size_t(n));
  for (int i = 0; i < n; ++i) pts.push_back(TPoint{xs(rng), ys(rng)});
  cache.reserve(16);  // references handed out stay valid
  cache.push_back(Entry{n, w, h, seed, std::move(pts)});
  return cache.back().points;
}

const std::vector<TPoint>& MarkPoints() { return RandomPoints(100000, kPlotWidth, kPlotHeight, 9); }
const std::vector<TPoint>& TextPoints() { return RandomPoints(10000, kPlotWidth, kPlotHeight, 13); }

const std::vector<TRect>& RandomRects() {
  static const std::vector<TRect> rects = [] {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> size(1, 300), xs(0, kScreenWidth - 1), ys(0, kScreenHeight - 1);
    std::vector<TRect> out;
    for (int i = 0; i < 1000; ++i) {
      const int x = xs(rng), y = ys(rng);
      out.push_back(TRect{x, y, x + size(rng), y + size(rng)});
    }
    return out;
  }();
  return rects;
}

void DrawDemoFrame(TCanvas* c) {
  c->Pen()->SetStyle(TPenStyle::psSolid);
  c->Pen()->SetColor(clYellow);
  c->Brush()->SetColor(clYellow);
  c->Brush()->SetStyle(TBrushStyle::bsSolid);
  c->FillRect(TRect{0, 0, kDemoWidth, kDemoHeight});
  c->Pen()->SetStyle(TPenStyle::psDot);
  c->Pen()->SetColor(clGray);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  for (int i = 1; i <= 5; ++i) {
    c->MoveTo(i * kDemoWidth / 6, 0);
    c->LineTo(i * kDemoWidth / 6, kDemoHeight);
    c->MoveTo(0, i * kDemoHeight / 6);
    c->LineTo(kDemoWidth, i * kDemoHeight / 6);
  }
  c->Pen()->SetStyle(TPenStyle::psSolid);
  c->Pen()->SetColor(clBlack);
  const std::vector<TPoint>& curve = DemoCurve();
  c->Polyline(curve);
  for (const TPoint& p : curve) DrawMark(c, 19, p.X, p.Y);
  c->Rectangle(0, 0, kDemoWidth, kDemoHeight);
}

void DrawWalk(TCanvas* c) { c->Polyline(RandomWalk()); }

void DrawMarks(TCanvas* c) {
  c->Pen()->SetColor(clNavy);
  for (const TPoint& p : MarkPoints()) {
    DrawMark(c, 7, p.X, p.Y);
    DrawMark(c, 19, p.X, p.Y);
  }
}

void SetUpTexts(TCanvas* c) {
  c->Font()->SetName("DejaVu Sans");
  c->Font()->SetSize(10);
  c->Font()->SetColor(clBlack);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
}

void DrawTexts(TCanvas* c) {
  for (const TPoint& p : TextPoints()) c->TextOut(p.X, p.Y, kW4Text);
}

void DrawRects(TCanvas* c) {
  c->Brush()->SetColor(clWhite);
  c->FillRect(TRect{0, 0, kScreenWidth, kScreenHeight});
  c->Brush()->SetColor(clTeal);
  for (const TRect& r : RandomRects()) c->FillRect(r);
}

}  // namespace korvo::bench

namespace korvo::bench {

const std::vector<TPoint>& DiamondPoints() { return RandomPoints(20000, kPlotWidth, kPlotHeight, 6); }

void DrawDiamonds(TCanvas* c) {
  c->Pen()->SetStyle(TPenStyle::psSolid);
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(clNavy);
  c->Brush()->SetStyle(TBrushStyle::bsSolid);
  c->Brush()->SetColor(clAqua);
  for (const TPoint& p : DiamondPoints()) {
    const TPoint d[4] = {{p.X - 4, p.Y}, {p.X, p.Y + 4}, {p.X + 4, p.Y}, {p.X, p.Y - 4}};
    c->Polygon(d);
  }
}

}  // namespace korvo::bench

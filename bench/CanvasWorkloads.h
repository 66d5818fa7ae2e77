// The canvas workloads W1..W5 as data and as drawing on our canvas, shared by
// the QPainter comparison (canvas_bench.cpp) and the floor loops
// (floor_bench.cpp), so every engine measures the same work.
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
#pragma once

#include <vector>

#include "platform/graphics/Canvas.h"

namespace korvo::bench {

inline constexpr int kDemoWidth = 293, kDemoHeight = 272;
inline constexpr int kPlotWidth = 1000, kPlotHeight = 800;
inline constexpr int kScreenWidth = 1920, kScreenHeight = 1080;

// The data, generated once per process.
const std::vector<TPoint>& DemoCurve();  // 146 points of W1
const std::vector<TPoint>& RandomWalk();  // W2
// n seeded points on w x h; the same (n, seed) gives the same vector.
const std::vector<TPoint>& RandomPoints(int n, int w, int h, unsigned seed);
const std::vector<TPoint>& MarkPoints();  // W3
const std::vector<TPoint>& TextPoints();  // W4
const std::vector<TRect>& RandomRects();  // W5
inline constexpr const char* kW4Text = "-12.50";

// Each workload once on our canvas, with every pen, brush and font setting
// it needs (the canvas is left with them).
void DrawDemoFrame(TCanvas* c);
void DrawWalk(TCanvas* c);
void DrawMarks(TCanvas* c);
void SetUpTexts(TCanvas* c);  // the font and brush of W4
void DrawTexts(TCanvas* c);   // after SetUpTexts
void DrawRects(TCanvas* c);

}  // namespace korvo::bench

namespace korvo::bench {

// W6 20 000 seeded 9 x 9 filled diamonds (Polygon through the four points
// at distance 4 from the centre, navy pen, aqua brush) on 1000 x 800.
const std::vector<TPoint>& DiamondPoints();
void DrawDiamonds(TCanvas* c);

}  // namespace korvo::bench

// The pictures the demo animates, one frame at a time. Frame b (b runs 1, 2,
// ..., 81, 80, ..., -81, -80, ...) of each chart is drawn into its data list
// and shown; the numbers are computed in extended precision and handed to the
// chart as double.
#pragma once

namespace korvo {

class TCustomPlotwell;

// The first chart: a closed sine figure of 146 points, x = sin(t / 19),
// y = sin(t / 7) for t = b .. b + 145, joined by lines and each marked with
// glyph 19 (292 items).
void DrawCurveFrame(TCustomPlotwell& chart, int b);

// The second chart: a polyline from (0, 0) through (sin(j b / 800)
// e^(j / 150), j) for j = 1..100, the first 50 segments black, the others
// white (101 items).
void DrawPolylineFrame(TCustomPlotwell& chart, int b);

}  // namespace korvo

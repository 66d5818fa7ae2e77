// What the series renderers share: a block of points read and mapped at
// once, and the polyline batch as the receiver of a thinned line.
#pragma once

#include <cmath>
#include <cstdint>

#include "chart/items/Series.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/LayerMap.h"
#include "platform/graphics/Canvas.h"

namespace korvo::render {

// Below this a logarithmic axis maps every value to its low end, so the map
// is monotonic only above it.
constexpr double LogFloor = 1e-100;

inline bool Finite(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

// A block of a series' points, as stored and as mapped to the canvas.
struct TSeriesBlock {
  static constexpr int Size = 256;
  const double* x;
  const double* y;
  int n;
  double xs[Size];  // the x of a uniform series, worked out
  int32_t px[Size], py[Size];
  uint8_t finite[Size];

  // Reads and maps the points first .. first + n - 1 (n <= Size, all in one
  // chunk of the series: see Contiguous).
  template <class TMap>
  void Map(const TPwSeries& s, const TMap& map, const TCustomPlotwell& chart, int64_t first, int count,
           const double* sx, const double* sy) {
    n = count;
    y = sy;
    if (sx == nullptr) {
      for (int j = 0; j < n; ++j) xs[j] = s.X(first + j);
      x = xs;
    } else {
      x = sx;
    }
    map.Points(chart, x, y, n, px, py, finite);
  }
};

// The renderer's polyline batch as the receiver of a line's points: Move is
// what a ckMoveTo item does, Line what a ckDrawTo does.
struct TSeriesSink {
  TItemRenderer& renderer;
  TCanvas* canvas;
  void Move(int32_t x, int32_t y) {
    renderer.FlushPolyline(canvas);
    renderer.SetBatchStart(TPoint{x, y});
    canvas->MoveTo(x, y);
  }
  void Line(int32_t x, int32_t y) { renderer.AddPolylinePoint(canvas, x, y); }
};

}  // namespace korvo::render

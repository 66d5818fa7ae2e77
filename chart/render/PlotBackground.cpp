// The plot area's background: ChartColor with a ChartFrameColor outline, the
// background picture, or the area of BackGroundImg in its own colour.
#include <algorithm>
#include <exception>
#include <string>

#include "chart/CustomPlotwell.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/PictureTiling.h"
#include "chart/render/RenderMath.h"

namespace korvo {
namespace {

using render::ClampInt32;

// Area bounds are kept within +-30000 control pixels before they are moved
// onto the canvas.
constexpr int32_t AreaLimit = 30000;

}  // namespace

void TCustomPlotwell::PaintPlotBackground(TCanvas* canvas, int32_t x0, int32_t y0, int32_t width, int32_t height) {
  if (canvas == nullptr) return;
  // Our brush keeps its style when its colour is set, so the fill is asked
  // for; a label or crosshair step may have left the brush clear. The
  // rectangles below are drawn with a 1-pixel pen: Rectangle(L, T, R, B)
  // outlines and fills L..R-1 by T..B-1.
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
  canvas->Pen()->SetMode(TPenMode::pmCopy);
  canvas->Pen()->SetWidth(1);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas->Brush()->SetColor(chart_color_);
  canvas->Pen()->SetColor(chart_frame_color_);
  item_renderer_->NoteBrushColor(chart_color_);
  item_renderer_->NotePenColor(chart_frame_color_);

  const int32_t L = x0, T = y0;
  const int32_t R = ClampInt32(int64_t(x0) + width), B = ClampInt32(int64_t(y0) + height);
  const auto plain = [&] { canvas->Rectangle(L, T, R, B); };

  TBakGndImg& image = *background_;
  if (!image.Name().empty()) {
    // Read at every paint; a failed read leaves PictureBitmap as it was.
    bool loaded = true;
    std::string why;
    try {
      picture_bitmap_->LoadFromFile(image.Name());
    } catch (const std::exception& e) {
      loaded = false;
      why = e.what();
    }
    if (!loaded) {
      plain();
      // The name is dropped so later paints show the plain background. Its
      // change notification repaints the chart, and this step runs inside
      // the paint: the notification is held back while the name is cleared,
      // since the background this paint shows is already the plain one.
      auto notify = std::move(image.OnChange);
      image.OnChange = nullptr;
      image.SetName(std::string());
      image.OnChange = std::move(notify);
      image.SetLoadError(std::move(why));  // after the name, which clears it
      return;
    }
    const TBitmap& picture = *picture_bitmap_;
    switch (image.FillMode()) {
      case TBkgFill::bfSimple:
        plain();
        canvas->Draw(x0, y0, picture);
        break;
      case TBkgFill::bfStretch:
        if (picture.Empty()) {
          plain();
        } else {
          canvas->StretchDraw(TRect{L, T, R, B}, picture);
        }
        break;
      case TBkgFill::bfTile:
        // A picture without pixels gives no tiles; the plain background
        // keeps the last paint's pixels from showing through.
        if (!TilePicture(*canvas, picture, x0, y0, width, height)) plain();
        break;
    }
    return;
  }

  plain();
  const TBGAreaMode mode = image.AreaMode();
  if (mode == TBGAreaMode::bamNone) return;
  canvas->Brush()->SetColor(image.AreaColor());
  canvas->Pen()->SetColor(image.AreaColor());
  item_renderer_->NoteBrushColor(image.AreaColor());
  item_renderer_->NotePenColor(image.AreaColor());

  const int layer = std::clamp(CurrentLayer(), 1, LayerCount);
  int32_t pxl, pyt, pxr, pyb;
  WorldToPixel(layer, image.AreaLeft(), image.AreaTop(), pxl, pyt);
  WorldToPixel(layer, image.AreaRight(), image.AreaBottom(), pxr, pyb);
  const auto onCanvas = [](int32_t p, int64_t shift) {
    return ClampInt32(std::clamp(p, -AreaLimit, AreaLimit) + shift);
  };
  const int64_t dx = int64_t(x0) - margin_left_, dy = int64_t(y0) - margin_top_;
  const int32_t xl = onCanvas(pxl, dx), xr = onCanvas(pxr, dx);
  const int32_t yt = onCanvas(pyt, dy), yb = onCanvas(pyb, dy);

  const auto leftBand = [&] { canvas->Rectangle(L, T, xl, B); };
  const auto rightBand = [&] { canvas->Rectangle(xr, T, R, B); };
  const auto topBand = [&] { canvas->Rectangle(L, T, R, yt); };
  const auto bottomBand = [&] { canvas->Rectangle(L, yb, R, B); };
  switch (mode) {
    case TBGAreaMode::bamNone: break;
    case TBGAreaMode::bamLeft: leftBand(); break;
    case TBGAreaMode::bamRight: rightBand(); break;
    case TBGAreaMode::bamTop: topBand(); break;
    case TBGAreaMode::bamBottom: bottomBand(); break;
    case TBGAreaMode::bamVStripe: canvas->Rectangle(xl, T, xr, B); break;
    case TBGAreaMode::bamHStripe: canvas->Rectangle(L, yt, R, yb); break;
    case TBGAreaMode::bamRect: canvas->Rectangle(xl, yt, xr, yb); break;
    case TBGAreaMode::bamRectInv:
      topBand();
      bottomBand();
      leftBand();
      rightBand();
      break;
    case TBGAreaMode::bamVStripeInv:
      leftBand();
      rightBand();
      break;
    case TBGAreaMode::bamHStripeInv:
      topBand();
      bottomBand();
      break;
  }
}

}  // namespace korvo

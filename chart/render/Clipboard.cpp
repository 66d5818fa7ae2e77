// Copying the chart to the clipboard: the whole control rendered afresh into
// ChartBitmap (frame, scales, caption, then the plot area drawn into a
// temporary bitmap and placed at (MarginLeft, MarginTop)) and that bitmap
// handed to the clipboard. The screen is not repainted; ChartBitmap keeps the
// copied picture until the next Paint rebuilds it.
//
// Black and white: for the duration of the copy the window, plot area,
// frame, caption font, shadow and every layer's scale colours and scale font
// colours are set to their black-and-white values, and the data render runs
// monochrome. Grid, area colour, background picture, text labels and
// crosshairs keep their colours.
//
// Whatever happens during the copy (a transform that fails, a clipboard that
// refuses the picture, no memory for the bitmaps), the chart leaves it as it
// entered: the changed colours are put back, the scales are brought in step
// again, and PaintSuspended gets its earlier value back directly, without a
// paint. Keeping the earlier value (rather than clearing it) matters for a
// chart that has no window yet, whose first paint comes from lifting the
// suspension, and for a caller that suspended painting while it changes
// several ranges.
#include <array>
#include <functional>
#include <memory>

#include "chart/CustomPlotwell.h"
#include "platform/framework/Application.h"
#include "platform/graphics/Bitmap.h"
#include "scale/Scale.h"

namespace korvo {
namespace {

// Every layer's two scales brought in step with their property objects.
void SyncAllScales(TCustomPlotwell& chart) {
  for (int l = 1; l <= TCustomPlotwell::LayerCount; ++l) {
    chart.SyncScaleRenderer(*chart.XScale(l), *chart.XProps(l));
    chart.SyncScaleRenderer(*chart.YScale(l), *chart.YProps(l));
  }
}

}  // namespace

void TCustomPlotwell::CopyToClipboard(bool blackWhite) { CopyToClipboard(blackWhite, false); }

void TCustomPlotwell::CopyToClipboard(bool blackWhite, bool withCrossHairs) {
  RenderPicture(blackWhite, withCrossHairs);
  Clipboard()->Assign(*chart_bitmap_);
}

void TCustomPlotwell::RenderPicture(bool blackWhite, bool withCrossHairs, TCanvas* target) {
  // The state the copy changes, put back on every way out of the copy.
  class TCopyScope {
   public:
    explicit TCopyScope(TCustomPlotwell& chart) : chart_(chart), suspended_(chart.paint_suspended_) {
      chart_.paint_suspended_ = true;
    }
    ~TCopyScope() {
      if (colours_saved_) RestoreColours();
      chart_.paint_suspended_ = suspended_;
    }
    TCopyScope(const TCopyScope&) = delete;
    TCopyScope& operator=(const TCopyScope&) = delete;

    void UseBlackAndWhite() {
      TCustomPlotwell& c = chart_;
      wind_ = c.wind_color_;
      chart_colour_ = c.chart_color_;
      frame_ = c.chart_frame_color_;
      font_ = c.Font()->Color();
      shadow_ = c.shadow_color_;
      shadow_bak_ = c.shadow_bak_color_;
      for (int l = 1; l <= LayerCount; ++l) {
        const size_t i = size_t(l - 1);
        x_scale_[i] = c.XProps(l)->ColorScale();
        x_font_[i] = c.XProps(l)->Font()->Color();
        y_scale_[i] = c.YProps(l)->ColorScale();
        y_font_[i] = c.YProps(l)->Font()->Color();
      }
      colours_saved_ = true;
      SetColours(clWhite, clWhite, clBlack, clBlack, clSilver, clWhite, nullptr, nullptr, nullptr, nullptr);
    }

   private:
    void RestoreColours() {
      SetColours(wind_, chart_colour_, frame_, font_, shadow_, shadow_bak_, &x_scale_, &x_font_, &y_scale_, &y_font_);
      // The scales follow their property objects again. The next frame
      // render syncs them as well, so a failure here (none is known) would
      // show there; a destructor must not throw.
      try {
        SyncAllScales(chart_);
      } catch (...) {
      }
    }

    // The colours stored without the setters' notifications: the font's
    // change handler would clear ParentFont and ask for a repaint, and a
    // scale property object's handler re-applies all ranges (which records
    // zoom history on joined layers). A null table gives every layer
    // black.
    using TTable = std::array<TColor, LayerCount>;
    void SetColours(TColor wind, TColor chartColour, TColor frame, TColor font, TColor shadow, TColor shadowBak,
                    const TTable* xScale, const TTable* xFont, const TTable* yScale, const TTable* yFont) {
      TCustomPlotwell& c = chart_;
      c.wind_color_ = wind;
      c.chart_color_ = chartColour;
      c.chart_frame_color_ = frame;
      c.shadow_color_ = shadow;
      c.shadow_bak_color_ = shadowBak;
      SetFontColour(*c.Font(), font);
      for (int l = 1; l <= LayerCount; ++l) {
        const size_t i = size_t(l - 1);
        SetScaleColours(*c.XProps(l), xScale ? (*xScale)[i] : clBlack, xFont ? (*xFont)[i] : clBlack);
        SetScaleColours(*c.YProps(l), yScale ? (*yScale)[i] : clBlack, yFont ? (*yFont)[i] : clBlack);
      }
    }
    static void SetFontColour(TFont& font, TColor colour) {
      std::function<void()> handler = std::move(font.OnChange);
      font.OnChange = nullptr;
      font.SetColor(colour);
      font.OnChange = std::move(handler);
    }
    static void SetScaleColours(TScaleProps& props, TColor scale, TColor font) {
      std::function<void(TObject*)> handler = std::move(props.OnChange);
      props.OnChange = nullptr;
      props.SetColorScale(scale);
      SetFontColour(*props.Font(), font);
      props.OnChange = std::move(handler);
    }

    TCustomPlotwell& chart_;
    const bool suspended_;
    bool colours_saved_ = false;
    TColor wind_ = clWhite, chart_colour_ = clWhite, frame_ = clBlack, font_ = clBlack, shadow_ = clSilver,
           shadow_bak_ = clWhite;
    TTable x_scale_{}, x_font_{}, y_scale_{}, y_font_{};
  };

  // The temporary plot picture comes first: when there is no memory for
  // it, nothing has changed yet. A target canvas of figures needs none.
  auto plot = target == nullptr ? std::make_unique<TBitmap>() : nullptr;
  if (plot) plot->SetPixelFormat(TPixelFormat::pf32bit);

  TCopyScope scope(*this);
  if (blackWhite) {
    scope.UseBlackAndWhite();
    SyncAllScales(*this);
  }
  if (target != nullptr) {
    // Straight onto the target: the plot area's steps clipped to where the
    // plot picture would lie.
    RenderFrame(target);
    SizePlotBitmap();
    const TRect plotArea{margin_left_, margin_top_, margin_left_ + plot_bitmap_->Width(),
                         margin_top_ + plot_bitmap_->Height()};
    target->SetClipRect(plotArea);
    PaintPlotBackground(target, margin_left_, margin_top_, plot_bitmap_->Width(), plot_bitmap_->Height());
    RenderData(target, margin_left_, margin_top_, blackWhite, false);
    if (withCrossHairs) DrawCrossHairs(0, 0, *target);
    target->ResetClipRect();
    return;
  }
  TCanvas* frame = chart_bitmap_->Canvas();
  RenderFrame(frame);
  SizePlotBitmap();
  plot->SetSize(plot_bitmap_->Width(), plot_bitmap_->Height());
  PaintPlotBackground(plot->Canvas(), 0, 0, plot->Width(), plot->Height());
  RenderDataToBitmap(plot.get(), 0, 0, blackWhite, false);
  // The crosshairs are cut to the plot area by the bitmap's edge.
  if (withCrossHairs) DrawCrossHairs(margin_left_, margin_top_, plot.get());
  frame->Draw(margin_left_, margin_top_, *plot);
}

}  // namespace korvo

// The paint pipeline: the full repaint into ChartBitmap, the quick refresh
// of the plot area, the chart frame with its scales, and the data render
// that walks both item lists.
//
// Order, back to front: window background, shadow, caption, the x scales of
// layers 1..16 and then their y scales; inside the plot area the plot
// background, grid, the data list (or the annotations first when
// DataOverAnnotations), the annotation items, the annotation texts, the text
// labels, the plot frame and the mouse trace; the crosshairs over all.
#include <cstdint>

#include "chart/CustomPlotwell.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/RenderMath.h"
#include "platform/graphics/Canvas.h"
#include "scale/PrinterFont.h"
#include "scale/Scale.h"

namespace korvo {
namespace {

bool SameFont(const TFont& a, const TFont& b) {
  return a.Name() == b.Name() && a.Style() == b.Style() && a.Height() == b.Height() &&
         a.PixelsPerInch() == b.PixelsPerInch() && a.Color() == b.Color();
}

}  // namespace

void TCustomPlotwell::Paint() {
  if ((!Visible() && !IsDesigning()) || IsLoading() || paint_suspended_) return;
  TCanvas* frame = chart_bitmap_->Canvas();
  // A failing transform (a logarithmic range that is not positive) raises
  // from here, before anything reaches the control: the screen keeps the
  // previous picture.
  RenderFrame(frame);
  SizePlotBitmap();
  TBitmap* plot = plot_bitmap_.get();
  PaintPlotBackground(plot->Canvas(), 0, 0, plot->Width(), plot->Height());
  RenderDataToBitmap(plot, 0, 0, false, false);
  DrawMouseTrace(0, 0, plot);
  frame->Draw(margin_left_, margin_top_, *plot);
  PresentChart(0, 0, Canvas(), chart_bitmap_.get());
}

void TCustomPlotwell::RefreshPlotArea() {
  TBitmap* plot = plot_bitmap_.get();
  PaintPlotBackground(plot->Canvas(), 0, 0, plot->Width(), plot->Height());
  RenderDataToBitmap(plot, 0, 0, false, false);
  // Only the plot area of the control changes.
  TCanvas* target = SurfaceCanvas(
      TRect{margin_left_, margin_top_, margin_left_ + plot->Width(), margin_top_ + plot->Height()});
  PresentChart(margin_left_, margin_top_, target, plot);
}

void TCustomPlotwell::PresentChart(int32_t x0, int32_t y0, TCanvas* target, TBitmap* bitmap) {
  DrawCrossHairs(x0, y0, bitmap);
  if (target != nullptr) target->Draw(x0, y0, *bitmap);
  ++mouse_.Presents;  // the mouse's inverted outlines are gone now
}

void TCustomPlotwell::RenderFrame(TCanvas* canvas) {
  chart_bitmap_->SetSize(Width(), Height());
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
  canvas->Pen()->SetMode(TPenMode::pmCopy);
  canvas->Pen()->SetColor(wind_color_);
  // The caption step below leaves the brush clear; the background must
  // still be filled at the next paint.
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas->Brush()->SetColor(wind_color_);
  canvas->Rectangle(0, 0, Width(), Height());
  if (shadow_width_ > 0) DrawShadow(canvas);

  canvas->Pen()->SetColor(chart_frame_color_);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  if (!SameFont(*canvas->Font(), *Font())) canvas->Font()->Assign(*Font());
  AdjustFontForPrinter(canvas, Font()->Size());
  DrawCaption(canvas);

  UpdateTransforms();
  const auto drawScale = [&](TScale& scale, const TScaleProps& props) {
    SyncScaleRenderer(scale, props);
    scale.SetExternalCanvas(canvas, 0, 0);
    scale.ForcePaint();
  };
  for (int l = 1; l <= LayerCount; ++l) drawScale(*XScale(l), *XProps(l));
  for (int l = 1; l <= LayerCount; ++l) drawScale(*YScale(l), *YProps(l));
  if (OnScalesRendered) OnScalesRendered(this, canvas, 0, 0);
}

void TCustomPlotwell::RenderDataToBitmap(TBitmap* bitmap, int32_t x0, int32_t y0, bool monochrome, bool noGrid) {
  RenderData(bitmap->Canvas(), x0, y0, monochrome, noGrid);
}

void TCustomPlotwell::RenderData(TCanvas* canvas, int32_t x0, int32_t y0, bool monochrome, bool noGrid) {
  if (canvas == nullptr) return;
  TItemRenderer& renderer = *item_renderer_;
  if (avoid_duplicate_marks_) renderer.ResetDupGrid(Width(), Height(), min_dup_mark_dist_);

  // Where a handler finds the plot area's top-left pixel.
  const int top = render::ClampInt32(int64_t(margin_top_) - y0);
  const int left = render::ClampInt32(int64_t(margin_left_) - x0);
  if (OnBeforeRenderData) {
    const TColor brush = canvas->Brush()->Color(), pen = canvas->Pen()->Color();
    OnBeforeRenderData(this, canvas, top, left);
    canvas->Brush()->SetColor(brush);
    canvas->Pen()->SetColor(pen);
  }
  if (grid_style_ != GridStyleType::gsNone && !noGrid) DrawGrid(canvas, x0, y0);

  renderer.Begin(canvas, x0, y0, chart_color_, LineWidth());

  using TPassFilter = TItemRenderer::TPassFilter;
  const auto pass = [&](const TPwItemContainer& list, const TLongTextArray& texts, const std::array<bool, 256>& classes,
                        bool isAnnotation, TPassFilter filter) {
    renderer.DrawList(*this, canvas, list, texts, classes, isAnnotation, filter, x0, y0, monochrome);
  };
  const auto dataPass = [&] {
    pass(DataItems(), DataLongTexts(), class_visible_, false, TPassFilter::All);
    FlushPolyline(canvas);
  };

  if (!data_over_annotations_) dataPass();
  if (annotations_visible_) {
    if (annotation_texts_on_top_) {
      pass(AnnotationItems(), AnnotationLongTexts(), annotation_class_visible_, true, TPassFilter::NoTexts);
      pass(AnnotationItems(), AnnotationLongTexts(), annotation_class_visible_, true, TPassFilter::TextsOnly);
    } else {
      pass(AnnotationItems(), AnnotationLongTexts(), annotation_class_visible_, true, TPassFilter::All);
    }
    FlushPolyline(canvas);
  }
  if (data_over_annotations_) dataPass();

  canvas->Pen()->SetWidth(1);
  renderer.NotePenWidth(1);
  DrawTextLabels(canvas, x0, y0);
  if (OnDataRendered) OnDataRendered(this, canvas, top, left);

  // The plot frame on the plot area's outermost pixels, MarginLeft ..
  // Width - MarginRight - ShadowWidth by MarginTop .. Height - MarginBottom -
  // ShadowWidth, both ends included.
  canvas->Pen()->SetColor(chart_frame_color_);
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
  renderer.NotePenColor(chart_frame_color_);
  const int32_t right = render::ClampInt32(int64_t(x0) + PlotWidth());
  const int32_t bottom = render::ClampInt32(int64_t(y0) + PlotHeight());
  canvas->MoveTo(x0, y0);
  canvas->LineTo(right, y0);
  canvas->LineTo(right, bottom);
  canvas->LineTo(x0, bottom);
  canvas->LineTo(x0, y0);
}

}  // namespace korvo

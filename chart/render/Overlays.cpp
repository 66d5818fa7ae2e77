// What is drawn over the items: the text labels (inside the data render), the
// mouse trace (onto the plot bitmap) and the crosshairs (last of all).
//
// Positions are computed in 64 bits from 32-bit pixels and rounded anchors
// and narrowed only for the canvas call; nothing here is clamped to the plot
// area, the canvas cuts what lies outside.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "chart/CustomPlotwell.h"
#include "chart/render/CanvasState.h"
#include "chart/render/ItemRenderer.h"
#include "chart/render/RenderMath.h"
#include "scale/PrinterFont.h"

namespace korvo {
namespace {

using render::ClampInt32;

// A label anchor given in control pixels (any double), rounded half to even
// within +-2^40; false for NaN, which has no position.
bool RoundAnchor(double v, int64_t& out) {
  if (std::isnan(v)) return false;
  out = render::RoundCoord(v);
  return true;
}

// Calls f(line, index) for each line of a caption; a line feed separates
// lines, so n line feeds give n + 1 lines (the last possibly empty).
template <class F>
void ForEachLine(std::string_view text, F&& f) {
  int index = 0;
  for (;;) {
    const size_t cut = text.find('\n');
    f(text.substr(0, cut), index++);
    if (cut == std::string_view::npos) return;
    text.remove_prefix(cut + 1);
  }
}

}  // namespace

// Label i from 50 down to 1, so label 1 ends on top. The anchor (x, y) is in
// control pixels; the text block of n lines, each h high and W wide (the
// widest line), is placed against it by the alignments so that it spans
// x .. x + W by y - n * h .. y, and the box around it reaches 4 pixels
// further left and right and 2 up and down: (x' - 4, y' - n * h - 2) to
// (x' + W + 4, y' + 2) in canvas pixels, right and bottom edge excluded.
void TCustomPlotwell::DrawTextLabels(TCanvas* canvas, int32_t x0, int32_t y0) {
  if (canvas == nullptr) return;
  for (int i = TextLabelCount; i >= 1; --i) {
    const TTextLabel& label = *text_labels_[size_t(i - 1)];
    if (label.Mode() == TTxtLblMode::tlOff || !LayerVisible(label.Layer()) || !label.Visible()) continue;

    // The anchor, plus the origin.
    const TTxtLblAttachMode attach = label.AttachToData();
    int32_t wx = 0, wy = 0;
    if (attach != TTxtLblAttachMode::tlamNone) WorldToPixel(label.Layer(), label.PosX(), label.PosY(), wx, wy);
    int64_t x = wx, y = wy;
    const bool pixelX = attach == TTxtLblAttachMode::tlamNone || attach == TTxtLblAttachMode::tlamYOnly;
    const bool pixelY = attach == TTxtLblAttachMode::tlamNone || attach == TTxtLblAttachMode::tlamXOnly;
    if (pixelX && !RoundAnchor(label.PosX(), x)) continue;  // a NaN anchor is nowhere
    if (pixelY && !RoundAnchor(label.PosY(), y)) continue;
    x += x0;
    y += y0;

    // Font, pen and brush.
    canvas->Font()->Assign(*label.Font());
    AdjustFontForPrinter(canvas, label.Font()->Size());
    canvas->Pen()->SetColor(label.ColorBorder());
    canvas->Pen()->SetStyle(TPenStyle::psSolid);
    canvas->Brush()->SetColor(label.ColorBkg());
    canvas->Brush()->SetStyle(label.Transparent() ? TBrushStyle::bsClear : TBrushStyle::bsSolid);

    // Measure.
    const std::string_view caption = label.Caption();
    int64_t n = 0, W = 0;
    ForEachLine(caption, [&](std::string_view line, int) {
      ++n;
      W = std::max<int64_t>(W, canvas->TextWidth(line));
    });
    if (W == 0) W = canvas->TextWidth(caption);
    const int64_t h = canvas->TextHeight(caption);

    // y becomes the bottom of the block, x its left edge.
    switch (label.VerticalAlignment()) {
      case TVerticalAlignment::vaTop: y += n * h; break;
      case TVerticalAlignment::vaCenter: y += n * h / 2; break;
      case TVerticalAlignment::vaBottom: break;
    }
    switch (label.Alignment()) {
      case TAlignment::taLeftJustify: break;
      case TAlignment::taRightJustify: x -= W; break;
      case TAlignment::taCenter: x -= W / 2; break;
    }

    // Canvas positions and the box.
    const int64_t cx = x - margin_left_, cy = y - margin_top_;
    const auto box = [&](int64_t shiftX, int64_t shiftY) {
      canvas->Rectangle(ClampInt32(cx - 4 + shiftX), ClampInt32(cy - n * h - 2 + shiftY),
                        ClampInt32(cx + W + 4 + shiftX), ClampInt32(cy + 2 + shiftY));
    };

    // The box by mode.
    switch (label.Mode()) {
      case TTxtLblMode::tlOff: break;
      case TTxtLblMode::tlsimple:
        if (!label.Transparent()) {
          canvas->Pen()->SetColor(label.ColorBkg());
          box(0, 0);
        }
        break;
      case TTxtLblMode::tlBox: box(0, 0); break;
      case TTxtLblMode::tlUnderline:
        if (!label.Transparent()) {
          canvas->Pen()->SetColor(label.ColorBkg());
          box(0, 0);
        }
        canvas->Pen()->SetColor(label.ColorBorder());
        canvas->MoveTo(ClampInt32(cx), ClampInt32(cy));
        canvas->LineTo(ClampInt32(cx + W), ClampInt32(cy));
        break;
      case TTxtLblMode::tlShadow:
        canvas->Pen()->SetColor(label.ColorShadow());
        canvas->Brush()->SetColor(label.ColorShadow());
        box(label.ShadowDx(), label.ShadowDy());
        canvas->Pen()->SetColor(label.ColorBorder());
        canvas->Brush()->SetColor(label.ColorBkg());
        box(0, 0);
        break;
    }

    // The text: line k (from 0) has its top at y' - h * (n - k), placed
    // within the block by the horizontal alignment.
    if (n == 1) {
      canvas->TextOut(ClampInt32(cx), ClampInt32(cy - h), caption);
      continue;
    }
    const TAlignment alignment = label.Alignment();
    ForEachLine(caption, [&](std::string_view line, int k) {
      int64_t offset = 0;
      if (alignment != TAlignment::taLeftJustify) {
        const int64_t rest = W - canvas->TextWidth(line);
        offset = alignment == TAlignment::taRightJustify ? rest : rest / 2;
      }
      canvas->TextOut(ClampInt32(cx + offset), ClampInt32(cy - h * (n - k)), line);
    });
  }
  // The attribute cache of the data render follows the colours the labels
  // leave on the canvas.
  item_renderer_->NotePenColor(canvas->Pen()->Color());
  item_renderer_->NoteBrushColor(canvas->Brush()->Color());
}

// Segment i runs from point i - 1 to point i in the colour of point i,
// inverted (XOR) when point i has flag bit 1; a point with flag bit 0 ends
// its stroke, so no segment leaves it. Drawing the same inverted trace twice
// gives back the pixels it was drawn over.
void TCustomPlotwell::DrawMouseTrace(int32_t x0, int32_t y0, TBitmap* bitmap) {
  if (bitmap == nullptr || mouse_trace_.empty()) return;
  TCanvas& canvas = *bitmap->Canvas();
  const TCanvasStateSaver saved(canvas);
  const int layer = std::clamp(CurrentLayer(), 1, LayerCount);
  const int64_t dx = int64_t(x0) - margin_left_, dy = int64_t(y0) - margin_top_;
  for (size_t i = 1; i < mouse_trace_.size(); ++i) {
    const TMouseTracePoint& from = mouse_trace_[i - 1];
    const TMouseTracePoint& to = mouse_trace_[i];
    if ((from.Flags & 1u) != 0) continue;
    canvas.Pen()->SetColor(to.Color);
    canvas.Pen()->SetMode((to.Flags & 2u) != 0 ? TPenMode::pmXor : TPenMode::pmCopy);
    int32_t ax, ay, bx, by;
    WorldToPixel(layer, from.X, from.Y, ax, ay);
    WorldToPixel(layer, to.X, to.Y, bx, by);
    canvas.MoveTo(ClampInt32(ax + dx), ClampInt32(ay + dy));
    canvas.LineTo(ClampInt32(bx + dx), ClampInt32(by + dy));
    canvas.Pen()->SetMode(TPenMode::pmCopy);
  }
}

// Crosshair k from 4 down to 1, so CrossHair1 ends on top. A line is drawn
// only while the crosshair lies inside the plot interior shrunk by half its
// pen width d: MarginTop + d < py < Height - MarginBottom - ShadowWidth - d
// for the horizontal line (which then runs from column MarginLeft + d + 1 up
// to, not including, Width - MarginRight - ShadowWidth - d), and likewise
// for the vertical one; the boxed modes need both. (x0, y0) is the control
// position of the bitmap's top-left pixel.
void TCustomPlotwell::DrawCrossHairs(int32_t x0, int32_t y0, TBitmap* bitmap) {
  if (bitmap != nullptr) DrawCrossHairs(x0, y0, *bitmap->Canvas());
}

void TCustomPlotwell::DrawCrossHairs(int32_t x0, int32_t y0, TCanvas& canvas) {
  const bool any = std::any_of(cross_hairs_.begin(), cross_hairs_.end(),
                               [](const auto& c) { return c->Mode() != TCrossHMode::chOff; });
  if (!any) return;
  const TCanvasStateSaver saved(canvas);
  const int64_t W = Width(), H = Height(), s = shadow_width_;
  const int64_t ml = margin_left_, mr = margin_right_, mt = margin_top_, mb = margin_bottom_;
  const auto moveTo = [&](int64_t x, int64_t y) { canvas.MoveTo(ClampInt32(x), ClampInt32(y)); };
  const auto lineTo = [&](int64_t x, int64_t y) { canvas.LineTo(ClampInt32(x), ClampInt32(y)); };
  const auto rectangle = [&](int64_t l, int64_t t, int64_t r, int64_t b) {
    canvas.Rectangle(ClampInt32(l), ClampInt32(t), ClampInt32(r), ClampInt32(b));
  };

  for (int k = 4; k >= 1; --k) {
    const TCrossHair& c = *cross_hairs_[size_t(k - 1)];
    const TCrossHMode mode = c.Mode();
    if (mode == TCrossHMode::chOff) continue;
    int32_t wpx, wpy;
    WorldToPixel(c.Layer(), c.PosX(), c.PosY(), wpx, wpy);
    const int64_t px = wpx, py = wpy;
    canvas.Pen()->SetColor(c.Color());
    canvas.Pen()->SetWidth(c.LineWid());
    canvas.Pen()->SetStyle(c.LineType());
    canvas.Brush()->SetColor(chart_color_);
    // Half the width the pen really has (a width below 1 draws 1 wide), so
    // a negative LineWid cannot widen the interior past the plot's edge.
    const int64_t d = canvas.Pen()->Width() / 2;
    const bool rowInside = mt + d < py && py < H - mb - s - d;
    const bool columnInside = ml + d < px && px < W - mr - s - d;

    if ((mode == TCrossHMode::chHoriz || mode == TCrossHMode::chBoth) && rowInside) {
      moveTo(ml + d + 1 - x0, py - y0);
      lineTo(W - mr - s - d - x0, py - y0);
    }
    if ((mode == TCrossHMode::chVert || mode == TCrossHMode::chBoth) && columnInside) {
      moveTo(px - x0, mt + d + 1 - y0);
      lineTo(px - x0, H - mb - s - d - y0);
    }
    if (!rowInside || !columnInside) continue;
    const int64_t cx = px - x0, cy = py - y0;
    if (mode == TCrossHMode::chCrossBox) {
      // Arms 13 pixels long each way, then a white 7 x 7 and a black 5 x 5
      // outline around the centre.
      moveTo(cx - 13, cy);
      lineTo(cx + 14, cy);
      moveTo(cx, cy - 13);
      lineTo(cx, cy + 14);
      canvas.Brush()->SetStyle(TBrushStyle::bsClear);
      canvas.Pen()->SetStyle(TPenStyle::psSolid);
      canvas.Pen()->SetColor(clWhite);
      rectangle(cx - 3, cy - 3, cx + 4, cy + 4);
      canvas.Pen()->SetColor(clBlack);
      rectangle(cx - 2, cy - 2, cx + 3, cy + 3);
    } else if (mode == TCrossHMode::chBox) {
      canvas.Brush()->SetStyle(TBrushStyle::bsClear);
      rectangle(cx - 4, cy - 4, cx + 5, cy + 5);
    }
  }
}

}  // namespace korvo

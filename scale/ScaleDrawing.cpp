// Drawing a TScale: background and frame, base line, ticks with their
// labels and reports, the texts that replace the ticks of an unusable
// date/time range, and the caption.
#include <algorithm>
#include <climits>
#include <span>
#include <string_view>

#include "base/Frames.h"
#include "base/korvobase.h"
#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Printer.h"
#include "platform/graphics/vector/PictureOutput.h"
#include "scale/PrinterFont.h"
#include "scale/ScaleControl.h"

namespace korvo {
namespace {

int32_t Clamp32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

// Draws each tick the passes produce: the tick line, then its label and
// date line, with OnScaleTickDrawn before or after the label as the pass
// says.
class TScale::TTickPainter : public TTickSink {
 public:
  TTickPainter(TScale& scale, TCanvas* canvas, int32_t base)
      : s_(scale),
        c_(canvas),
        base_(base),
        type_(scale.scale_type_),
        horizontal_(IsHorizontal(scale.scale_type_)),
        digit_height_(canvas->TextHeight("0")) {}

  void Tick(const TTick& t) override {
    const int64_t length = t.Kind == TTickKind::tkShort ? 4 : (horizontal_ ? 7 : 6);
    switch (type_) {
      case TScaleType::sctXT:
        c_->MoveTo(t.Pixel, base_);
        c_->LineTo(t.Pixel, Clamp32(int64_t(base_) + length));
        break;
      case TScaleType::sctXB:
        c_->MoveTo(t.Pixel, base_);
        c_->LineTo(t.Pixel, Clamp32(int64_t(base_) - length));
        break;
      case TScaleType::sctYL:
        c_->MoveTo(base_, t.Pixel);
        c_->LineTo(Clamp32(int64_t(base_) + length), t.Pixel);
        break;
      case TScaleType::sctYR:
        c_->MoveTo(base_, t.Pixel);
        c_->LineTo(Clamp32(int64_t(base_) - length), t.Pixel);
        break;
    }
    if (!t.HasLabel) {
      Report(t, t.LabelValue);
      return;
    }
    if (t.ReportBeforeLabel) Report(t, t.Value);
    if (horizontal_) {
      HorizontalLabel(t);
    } else {
      VerticalLabel(t);
    }
    if (!t.ReportBeforeLabel) Report(t, t.LabelValue);
  }

 private:
  void Report(const TTick& t, double value) {
    if (!s_.OnScaleTickDrawn) return;
    if (horizontal_) {
      s_.OnScaleTickDrawn(&s_, c_, type_, value, t.Pixel, base_);
    } else {
      s_.OnScaleTickDrawn(&s_, c_, type_, value, base_, t.Pixel);
    }
  }

  void BeforeLabel(double value, std::string& text) {
    if (s_.OnBeforeTickLabel) s_.OnBeforeTickLabel(&s_, type_, value, text);
  }

  // Left edge of a vertical label: 8 pixels right of the base line (sctYL)
  // or ending 8 pixels left of it (sctYR).
  int32_t VerticalLeft(int32_t width) const {
    return type_ == TScaleType::sctYL ? Clamp32(int64_t(base_) + 8) : Clamp32(int64_t(base_) - width - 8);
  }

  void VerticalLabel(const TTick& t) {
    std::string& text = s_.label_text_;
    text.assign(t.Label);
    BeforeLabel(t.LabelValue, text);
    const int32_t w = c_->TextWidth(text);
    const int32_t h = t.Pass == TTickPass::tpDateTime ? c_->TextHeight(text) : digit_height_;
    c_->TextOut(VerticalLeft(w), Clamp32(int64_t(t.Pixel) - h / 2), text);
    if (t.HasDateLine) {
      // The date line is measured before its handler runs, and sits one
      // line above the time label.
      std::string& date = s_.date_text_;
      date.assign(t.DateLine);
      const int32_t wd = c_->TextWidth(date);
      const int32_t hd = c_->TextHeight(date);
      BeforeLabel(t.LabelValue, date);
      c_->TextOut(VerticalLeft(wd), Clamp32(int64_t(t.Pixel) - 3 * int64_t(hd / 2)), date);
    }
  }

  void HorizontalLabel(const TTick& t) {
    std::string& text = s_.label_text_;
    text.assign(t.Label);
    DrawHorizLabel(t.Pixel, base_, t.LabelValue, text);
    if (t.HasDateLine) {
      std::string& date = s_.date_text_;
      date.assign(t.DateLine);
      const int64_t hd = c_->TextHeight(date);
      const int64_t y = type_ == TScaleType::sctXT ? int64_t(base_) + hd : int64_t(base_) - hd;
      DrawHorizLabel(t.Pixel, Clamp32(y), t.LabelValue, date);
    }
  }

  // Centred on the tick at x, but kept 2 pixels inside the control; 7
  // pixels below (sctXT) or above (sctXB) the line at y.
  void DrawHorizLabel(int32_t x, int32_t y, double value, std::string& text) {
    BeforeLabel(value, text);
    const int64_t w = c_->TextWidth(text);
    const int64_t h = c_->TextHeight(text);
    const int64_t hw = w / 2;
    const int64_t width = s_.Width();
    const int64_t left = int64_t(x) + hw < width - 2 ? int64_t(x) - std::min<int64_t>(int64_t(x) - 2, hw)
                                                      : width - 2 * hw - 2;
    const int64_t top = type_ == TScaleType::sctXT ? int64_t(y) + 7 : int64_t(y) - h - 7;
    c_->TextOut(Clamp32(left), Clamp32(top), text);
  }

  TScale& s_;
  TCanvas* c_;
  int32_t base_;
  TScaleType type_;
  bool horizontal_;
  int32_t digit_height_;
};

void TScale::Paint() {
  const bool shown = Visible() || (IsDesigning() && !embedded_);
  if (!shown || IsLoading() || suppress_paint_) return;
  TCanvas* target = external_canvas_ != nullptr ? external_canvas_ : Canvas();
  if (target == nullptr) return;
  const int32_t ox = external_canvas_ != nullptr ? offset_x_ : 0;
  const int32_t oy = external_canvas_ != nullptr ? offset_y_ : 0;
  Render(target, ox, oy, external_canvas_ == nullptr);
}

void TScale::SaveToFile(const std::string& path) {
  try {
    const TPictureKind kind = PictureKindOf(path);
    if (kind == TPictureKind::Svg || kind == TPictureKind::Pdf) {
      SaveVectorPicture(path, kind, std::max(Width(), 1), std::max(Height(), 1),
                        [&](TCanvas& canvas) { Render(&canvas, 0, 0, true); });
      return;
    }
    TBitmap picture(std::max(Width(), 1), std::max(Height(), 1));
    picture.SetPixelFormat(TPixelFormat::pf32bit);
    Render(picture.Canvas(), 0, 0, true);
    picture.SavePictureToFile(path);
  } catch (const EInvalidGraphic& e) {
    throw EKorvoError(e.what());
  }
}

void TScale::Print(const TRect& pageRect) {
  try {
    PrintPicture(std::max(Width(), 1), std::max(Height(), 1), pageRect,
                 [&](TCanvas& canvas) { Render(&canvas, 0, 0, true); });
  } catch (const EInvalidGraphic& e) {
    throw EKorvoError(e.what());
  }
}

void TScale::Print() { Print(TRect{0, 0, Printer()->PageWidth(), Printer()->PageHeight()}); }

bool TScale::PaintScaled(const TPixelSurface& target, double ratio, const TRect&) {
  const bool shown = Visible() || (IsDesigning() && !embedded_);
  if (!shown || IsLoading() || suppress_paint_ || external_canvas_ != nullptr) return false;
  RenderScaledPicture(target, TPoint{0, 0}, ratio, std::max(Width(), 1), std::max(Height(), 1),
                      [&](TCanvas& canvas) { Render(&canvas, 0, 0, true); });
  return true;
}

void TScale::Render(TCanvas* target, int32_t ox, int32_t oy, bool ownBackground) {
  target->Font()->Assign(*Font());
  if (OnBeforeScaleRendered) OnBeforeScaleRendered(this, target);

  if (transparent_) {
    if (ownBackground) FillOwnBackground(target);
    target->Pen()->SetColor(color_scale_);
    DrawScale(target, ox, oy);
    if (OnAfterScaleRendered) OnAfterScaleRendered(this, target);
    return;
  }

  if (target->FigureDevice() != nullptr) {
    // A canvas of figures (a vector file, another resolution) gets the
    // figures themselves, cut to the scale's box as the off-screen bitmap
    // would cut them, so that its text stays text.
    const TRect clip = target->ClipRect();
    target->SetClipRect(TRect{ox, oy, Clamp32(int64_t(ox) + Width()), Clamp32(int64_t(oy) + Height())});
    PaintOpaque(target, ox, oy);
    target->SetClipRect(clip);
    return;
  }
  // Opaque: draw off screen and copy in one operation. The bitmap is kept
  // between paints; its pen and brush start afresh each time.
  if (!off_screen_) off_screen_ = std::make_unique<TBitmap>();
  if (off_screen_->Width() != Width() || off_screen_->Height() != Height()) {
    off_screen_->SetSize(Width(), Height());
  }
  off_screen_->SetPixelFormat(TPixelFormat::pf32bit);
  PaintOpaque(off_screen_->Canvas(), 0, 0);
  target->Draw(ox, oy, *off_screen_);
}

void TScale::PaintOpaque(TCanvas* canvas, int32_t ox, int32_t oy) {
  canvas->Font()->Assign(*Font());
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetMode(TPenMode::pmCopy);
  canvas->Pen()->SetColor(color_back_gnd_);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas->Brush()->SetColor(color_back_gnd_);
  const int32_t right = Clamp32(int64_t(ox) + Width()), bottom = Clamp32(int64_t(oy) + Height());
  canvas->Rectangle(ox, oy, right, bottom);
  canvas->Pen()->SetColor(color_scale_);
  DrawScale(canvas, ox, oy);
  if (OnAfterScaleRendered) OnAfterScaleRendered(this, canvas);
  DrawFrame(canvas, frame_style_, ox, oy, right - 1, bottom - 1, frame_highlight_color_, clSilver, frame_shadow_color_,
            frame_dark_color_, frame_dark_color_);
}

void TScale::FillOwnBackground(TCanvas* canvas) {
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas->Brush()->SetColor(Parent() != nullptr ? Parent()->Color() : Color());
  canvas->FillRect(TRect{0, 0, Width(), Height()});
}

void TScale::DrawScale(TCanvas* canvas, int32_t offsetX, int32_t offsetY) {
  const int32_t right = Clamp32(int64_t(Width()) - margin_right_ - 1);
  const int32_t bottom = Clamp32(int64_t(Height()) - margin_bottom_ - 1);
  int32_t base = 0;
  switch (scale_type_) {
    case TScaleType::sctXB: base = Clamp32(int64_t(offsetY) + bottom); break;
    case TScaleType::sctXT: base = Clamp32(int64_t(offsetY) + margin_top_); break;
    case TScaleType::sctYL: base = Clamp32(int64_t(offsetX) + margin_left_); break;
    case TScaleType::sctYR: base = Clamp32(int64_t(offsetX) + right); break;
  }
  const bool horizontal = IsHorizontal(scale_type_);
  if (horizontal) {
    DrawHorizScale(canvas, base);
  } else {
    DrawVertScale(canvas, base);
  }
  if (!show_base_line_) return;
  if (horizontal) {
    canvas->MoveTo(margin_left_, base);
    canvas->LineTo(right, base);
  } else {
    canvas->MoveTo(base, margin_top_);
    canvas->LineTo(base, bottom);
  }
}

void TScale::DrawVertScale(TCanvas* canvas, int32_t X) {
  if (canvas == nullptr) return;
  AdjustFontForPrinter(canvas, Font()->Size());
  canvas->Brush()->SetStyle(transparent_ ? TBrushStyle::bsClear : TBrushStyle::bsSolid);
  DrawTicks(canvas, X);
  DrawCaption(canvas, X);
}

void TScale::DrawHorizScale(TCanvas* canvas, int32_t Y) {
  if (canvas == nullptr) return;
  AdjustFontForPrinter(canvas, Font()->Size());
  canvas->Brush()->SetStyle(transparent_ ? TBrushStyle::bsClear : TBrushStyle::bsSolid);
  if (min_ticks_ != 0) min_ticks_ = std::clamp(min_ticks_, 2, 20);
  DrawTicks(canvas, Y);
  DrawCaption(canvas, Y);
}

void TScale::DrawTicks(TCanvas* canvas, int32_t base) {
  TTickSettings s;
  s.RangeLow = range_low_;
  s.RangeHigh = range_high_;
  s.Logarithmic = logarithmic_;
  s.MinTicks = min_ticks_;
  s.ShortTicks = short_ticks_;
  s.LabelType = label_type_;
  s.DecPlaces = dec_places_;
  s.ScaleType = scale_type_;
  s.ScaleInscript = scale_inscript_;
  s.UserTickText = user_tick_text_;
  s.DateFormat = date_format_.get();
  s.Mapping = MakeValueMapping(transform_, Geometry(), range_low_, range_high_, logarithmic_);
  TTickPainter painter(*this, canvas, base);
  const TTickOutcome outcome = engine_.Run(s, ticks_, painter);
  if (outcome != TTickOutcome::toTicks) DrawUnusableRangeText(canvas, base, outcome);
}

void TScale::DrawUnusableRangeText(TCanvas* canvas, int32_t base, TTickOutcome outcome) {
  const bool invalid = outcome == TTickOutcome::toInvalidDateTime;
  const int64_t middle = ValueToPixel((range_low_ + range_high_) / 2);
  if (IsHorizontal(scale_type_)) {
    const std::string_view line = invalid ? "invalid DateTime scale" : "DateTime range is below 1 second";
    canvas->TextOut(Clamp32(middle - canvas->TextWidth(line) / 2), Clamp32(int64_t(base) + 7), line);
    return;
  }
  static constexpr std::string_view Invalid[] = {"invalid", "DateTime", "scale"};
  static constexpr std::string_view BelowSecond[] = {"DateTime", "range is", "below 1", "second"};
  const std::span<const std::string_view> lines = invalid ? std::span<const std::string_view>(Invalid) : std::span<const std::string_view>(BelowSecond);
  const int64_t h = canvas->TextHeight("T");
  int64_t y = middle - h;
  for (std::string_view line : lines) {
    const int64_t x = scale_type_ == TScaleType::sctYR ? int64_t(base) - canvas->TextWidth(line) - 2
                                                       : int64_t(base) + 2;
    canvas->TextOut(Clamp32(x), Clamp32(y), line);
    y += h;
  }
}

void TScale::DrawCaption(TCanvas* canvas, int32_t base) {
  const std::string& caption = Caption();
  if (caption.empty()) return;
  const int64_t w = canvas->TextWidth(caption);
  int64_t x0 = 0, y0 = 0;
  if (IsHorizontal(scale_type_)) {
    y0 = int64_t(base) + caption_pos_y_;
    x0 = int64_t(caption_pos_x_) + margin_left_;
    if (caption_anchor_ == TScaleUnitAnchor::uaSclCenter) {
      x0 += (int64_t(Width()) - margin_left_ - margin_right_) / 2;
    } else if (caption_anchor_ == TScaleUnitAnchor::uaSclBotRgt) {
      x0 = int64_t(caption_pos_x_) + Width() - margin_right_;
    }
  } else {
    x0 = int64_t(base) + caption_pos_x_;
    y0 = int64_t(caption_pos_y_) + margin_top_;
    if (caption_anchor_ == TScaleUnitAnchor::uaSclCenter) {
      y0 += (int64_t(Height()) - margin_top_ - margin_bottom_) / 2;
    } else if (caption_anchor_ == TScaleUnitAnchor::uaSclBotRgt) {
      y0 = int64_t(caption_pos_y_) + Height() - margin_bottom_;
    }
  }
  if (caption_alignment_ == TAlignment::taRightJustify) {
    x0 -= w;
  } else if (caption_alignment_ == TAlignment::taCenter) {
    x0 -= w / 2;
  }
  canvas->TextOut(Clamp32(x0), Clamp32(y0), caption);
}

}  // namespace korvo

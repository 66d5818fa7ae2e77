// The drop shadow at the control's right and bottom edge and the chart
// caption.
#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "chart/CustomPlotwell.h"
#include "chart/render/RenderMath.h"
#include "platform/graphics/text/Utf8.h"

namespace korvo {
namespace {

// The byte length of the first `count` characters of UTF-8 text, characters
// counted as the text engine draws them (a malformed sequence is one
// character), so a cut never falls inside a character.
size_t PrefixBytes(std::string_view text, int64_t count) {
  const char* p = text.data();
  const char* end = p + text.size();
  for (int64_t i = 0; i < count && p < end; ++i) text::DecodeUtf8(p, end);
  return size_t(p - text.data());
}

int64_t CharacterCount(std::string_view text) {
  const char* p = text.data();
  const char* end = p + text.size();
  int64_t n = 0;
  while (p < end) {
    text::DecodeUtf8(p, end);
    ++n;
  }
  return n;
}

}  // namespace

// The control is W x H with a shadow s wide. The body, 0..W-s by 0..H-s, is
// outlined in black; the bands right of and below it are filled with
// ShadowColor. ssFlying starts both bands s - 1 pixels in (a flat shadow
// moved by s to the lower right), ssBox at the body's corners (two slanted
// faces, outlined in black). The corners the bands leave free, top right and
// bottom left, are ShadowBakColor.
void TCustomPlotwell::DrawShadow(TCanvas* canvas) {
  const int32_t s = shadow_width_;
  if (canvas == nullptr || s <= 0) return;
  const int32_t W = Width(), H = Height();
  // Our brush keeps its style when its colour is set; the shadow fills.
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas->Brush()->SetColor(shadow_bak_color_);
  canvas->Pen()->SetColor(shadow_bak_color_);
  canvas->Rectangle(W - s, 0, W, s);
  canvas->Rectangle(0, H - s, s, H);

  canvas->Brush()->SetColor(shadow_color_);
  int32_t f = 0;
  if (shadow_style_ == TShadowStyle::ssFlying) {
    canvas->Pen()->SetColor(shadow_color_);
    f = s - 1;
  } else {
    canvas->Pen()->SetColor(clBlack);
  }
  const std::array<TPoint, 4> bottom = {TPoint{f, H - s}, TPoint{s - 1, H - 1}, TPoint{W - 1, H - 1},
                                        TPoint{W - s, H - s}};
  canvas->Polygon(bottom);
  const std::array<TPoint, 4> right = {TPoint{W - s, H - s}, TPoint{W - 1, H - 1}, TPoint{W - 1, s - 1},
                                       TPoint{W - s, f}};
  canvas->Polygon(right);

  canvas->Pen()->SetColor(clBlack);
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
  canvas->MoveTo(0, 0);
  canvas->LineTo(W - s, 0);
  canvas->LineTo(W - s, H - s);
  canvas->LineTo(0, H - s);
  canvas->LineTo(0, 0);
}

// The caption in the canvas's font, over a clear brush: its anchor point is
// CaptionPosX/Y from the chosen reference, CaptionAlignment says which end
// of the text (or its middle) lies there, and a caption wider than
// CaptionTrim percent of the plot width is cut to a proportional number of
// characters followed by "...".
void TCustomPlotwell::DrawCaption(TCanvas* canvas) {
  if (canvas == nullptr) return;
  const std::string& caption = Caption();
  if (caption.empty()) return;
  const int64_t W = Width(), H = Height(), s = shadow_width_;
  const int64_t ml = margin_left_, mr = margin_right_, mt = margin_top_, mb = margin_bottom_;

  std::string_view text = caption;
  int64_t w = canvas->TextWidth(text);
  // Kept from paint to paint, so a trimmed caption allocates only when it
  // is longer than any before it.
  thread_local std::string trimmed;
  if (caption_trim_ != 0 && w > 0) {
    const int64_t limit = int64_t(std::nearbyint(double(W - (s + ml + mr)) * 0.01 * caption_trim_));
    if (limit < w) {
      const int64_t n = CharacterCount(caption);
      const int64_t keep = int64_t(std::nearbyint(double(n) * double(limit) / double(w))) - 2;
      trimmed.assign(caption, 0, keep > 0 ? PrefixBytes(caption, keep) : 0);
      trimmed += "...";
      text = trimmed;
      w = canvas->TextWidth(text);
    }
  }

  int64_t x = caption_pos_x_;
  switch (caption_anchor_horiz_) {
    case TCaptionAnchorHoriz::cahControlLeft: break;
    case TCaptionAnchorHoriz::cahChartLeft: x += ml; break;
    case TCaptionAnchorHoriz::cahChartCenter: x += ml + (W - ml - mr - s) / 2; break;
    case TCaptionAnchorHoriz::cahChartRight: x += W - mr - s; break;
    case TCaptionAnchorHoriz::cahControlRight: x += W; break;
  }
  int64_t y = caption_pos_y_;
  switch (caption_anchor_vert_) {
    case TCaptionAnchorVert::cavControlTop: break;
    case TCaptionAnchorVert::cavChartTop: y += mt; break;
    case TCaptionAnchorVert::cavChartCenter: y += mt + (H - mt - mb - s) / 2; break;
    case TCaptionAnchorVert::cavChartBottom: y += H - mb - s; break;
    case TCaptionAnchorVert::cavControlBottom: y += H; break;
  }
  switch (caption_alignment_) {
    case TAlignment::taLeftJustify: break;
    case TAlignment::taRightJustify: x -= w; break;
    case TAlignment::taCenter: x -= w / 2; break;
  }
  canvas->TextOut(render::ClampInt32(x), render::ClampInt32(y), text);
}

}  // namespace korvo

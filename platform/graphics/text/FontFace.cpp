#include "platform/graphics/text/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/Exceptions.h"
#include "platform/graphics/text/BlendGlyph.h"

namespace korvo::text {

namespace {

// Light hinting: outlines snap to the pixel grid vertically only, so small
// labels get crisp baselines, x-heights and horizontal strokes while glyph
// shapes and advances stay close to the design (advances are whole pixels).
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP;
constexpr FT_Render_Mode kRenderMode = FT_RENDER_MODE_LIGHT;

// The font's vertical extent in font units: the classic ascent and descent
// (OS/2 win metrics) when present, else the horizontal header's.
struct VerticalExtent {
  int64_t ascent;
  int64_t descent;
};

VerticalExtent ExtentOf(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF && int64_t(os2->usWinAscent) + os2->usWinDescent > 0) {
    return {int64_t(os2->usWinAscent), int64_t(os2->usWinDescent)};
  }
  return {std::max<int64_t>(face->ascender, 0), std::max<int64_t>(-int64_t(face->descender), 0)};
}

// ceil(units * em / upem) for non-negative units.
int32_t ScaleUp(int64_t units, int32_t em, int64_t upem) { return int32_t((units * em + upem - 1) / upem); }

int32_t CellAt(const VerticalExtent& v, int32_t em, int64_t upem) {
  return ScaleUp(v.ascent, em, upem) + ScaleUp(v.descent, em, upem);
}

}  // namespace

const Glyph FontFace::kNoGlyph{};

FontFace::FontFace(FT_FaceRec_* face, std::mutex& mutex, bool embolden, bool oblique, SizeRequest request,
                   const std::string& file, int index)
    : face_(face), mutex_(mutex), embolden_(embolden), oblique_(oblique), request_(request), file_(file), index_(index) {
  const int64_t upem = face_->units_per_EM;
  const VerticalExtent v = ExtentOf(face_);

  if (request < 0) {
    em_ = int32_t(std::clamp<int64_t>(-int64_t(request), 1, MaxEmPixels));
    ascent_ = ScaleUp(v.ascent, em_, upem);
    descent_ = ScaleUp(v.descent, em_, upem);
  } else {
    // The largest em whose natural cell fits; the descent takes up what is
    // left so the cell is exactly the height asked for.
    const int32_t cell = std::clamp<int32_t>(request, 1, MaxCellPixels);
    int32_t lo = 1, hi = MaxEmPixels;
    while (lo < hi) {
      const int32_t mid = lo + (hi - lo + 1) / 2;
      if (CellAt(v, mid, upem) <= cell) lo = mid; else hi = mid - 1;
    }
    em_ = lo;
    ascent_ = std::min(ScaleUp(v.ascent, em_, upem), cell);
    descent_ = cell - ascent_;
  }

  FT_Size size = nullptr;
  if (FT_New_Size(face_, &size) != 0) throw EFontError("FreeType cannot make a size for the font");
  size_ = size;
  if (FT_Activate_Size(size_) != 0 || FT_Set_Pixel_Sizes(face_, 0, FT_UInt(em_)) != 0) {
    FT_Done_Size(size_);
    throw EFontError("FreeType cannot set the font to " + std::to_string(em_) + " pixels");
  }

  const double scale = double(em_) / double(upem);
  const int32_t cell = CellHeight();

  int64_t line_units = face_->underline_thickness > 0 ? face_->underline_thickness : upem / 14;
  underline_.Thickness = std::max<int32_t>(1, int32_t(std::lround(double(line_units) * scale)));
  // underline_position is the centre of the stroke, negative below the baseline.
  const double centre_below = -double(face_->underline_position) * scale;
  int32_t below = int32_t(std::lround(centre_below - underline_.Thickness / 2.0));
  below = std::min(std::max(below, 1), descent_ - underline_.Thickness);
  underline_.Top = ascent_ + std::max(below, 0);

  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
  int64_t strike_units = line_units;
  int64_t strike_top_units = upem * 3 / 10;  // stroke top above the baseline
  if (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    strike_units = os2->yStrikeoutSize;
    strike_top_units = os2->yStrikeoutPosition;
  }
  strike_out_.Thickness = std::max<int32_t>(1, int32_t(std::lround(double(strike_units) * scale)));
  const int32_t above = std::max<int32_t>(int32_t(std::lround(double(strike_top_units) * scale)),
                                          strike_out_.Thickness);
  strike_out_.Top = std::clamp(ascent_ - above, 0, std::max(cell - strike_out_.Thickness, 0));
}

FontFace::~FontFace() {
  if (size_ != nullptr) FT_Done_Size(size_);
}

uint32_t FontFace::GlyphIndex(char32_t c) const { return FT_Get_Char_Index(face_, FT_ULong(c)); }

const Glyph& FontFace::Load(char32_t c, bool render) const {
  Glyph& g = MutableSlot(c);
  g = Glyph{};
  g.State = Glyph::kRendered;  // what is left when FreeType fails: nothing to draw

  FT_Activate_Size(size_);
  FT_UInt index = FT_Get_Char_Index(face_, FT_ULong(c));
  FT_Error err = FT_Load_Glyph(face_, index, kLoadFlags);
  if (err != 0 && index != 0) err = FT_Load_Glyph(face_, 0, kLoadFlags);  // the .notdef glyph
  if (err != 0) return g;

  FT_GlyphSlot slot = face_->glyph;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (oblique_) FT_GlyphSlot_Oblique(slot);
    if (embolden_) FT_GlyphSlot_Embolden(slot);
  }
  g.Advance = int32_t((slot->advance.x + 32) >> 6);
  if (!render) {
    g.State = Glyph::kMeasured;
    return g;
  }

  if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, kRenderMode) != 0) return g;
  const FT_Bitmap& bm = slot->bitmap;
  if (bm.pixel_mode != FT_PIXEL_MODE_GRAY || bm.width == 0 || bm.rows == 0 || bm.buffer == nullptr) return g;

  g.Left = slot->bitmap_left;
  g.Top = slot->bitmap_top;
  g.Width = int32_t(bm.width);
  g.Rows = int32_t(bm.rows);
  g.Offset = coverage_.size();
  // The bitmap, then the zero bytes a blend may read past its last row.
  coverage_.resize(g.Offset + size_t(bm.width) * bm.rows + CoverageReadSlack);
  // A negative pitch means the buffer holds the bottom row first.
  const ptrdiff_t pitch = bm.pitch;
  const uint8_t* top_row = pitch >= 0 ? bm.buffer : bm.buffer + (ptrdiff_t(bm.rows) - 1) * -pitch;
  uint8_t* out = coverage_.data() + g.Offset;
  for (unsigned r = 0; r < bm.rows; ++r) std::memcpy(out + size_t(r) * bm.width, top_row + ptrdiff_t(r) * pitch, bm.width);
  return g;
}

}  // namespace korvo::text

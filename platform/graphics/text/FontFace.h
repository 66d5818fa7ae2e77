// One font at one pixel size, with its metrics and its glyph cache. Faces are
// made and kept by the FontRegistry; a face lives as long as the process, so
// TFont can keep a plain pointer to it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

struct FT_FaceRec_;
struct FT_SizeRec_;

namespace korvo::text {

// A glyph's metrics and, once rendered, its coverage bitmap: Width x Rows
// bytes of 8-bit coverage (0 nothing, 255 full ink), row by row from the top,
// followed in the store by CoverageReadSlack zero bytes (BlendGlyph.h).
// The bitmap's top-left pixel lies at (pen x + Left, baseline - Top), where
// the baseline is the first pixel row below the glyph's body: a glyph with
// Top = 8 and Rows = 8 covers the 8 rows just above the baseline.
struct Glyph {
  int32_t Advance = 0;  // pixels to the next glyph's pen position
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Rows = 0;
  size_t Offset = 0;  // of the bitmap in the face's coverage store
  enum : uint8_t { kEmpty, kMeasured, kRendered } State = kEmpty;
};

// A horizontal line of the text (underline, strike-out): rows
// Top..Top+Thickness-1 counted from the top of the text cell.
struct TextLine {
  int32_t Top = 0;
  int32_t Thickness = 1;
};

// The size a font asks for, in pixels: a negative value is the em size
// (character height without internal leading), a positive value the cell
// height (ascent + descent).
using SizeRequest = int32_t;

// Limits that keep a request from making absurd bitmaps: em sizes beyond
// MaxEmPixels are drawn at MaxEmPixels, cell heights beyond MaxCellPixels as
// MaxCellPixels.
constexpr int32_t MaxEmPixels = 2048;
constexpr int32_t MaxCellPixels = 4096;

class FontFace {
 public:
  // `face` is the opened font file, shared with the other sizes of the same
  // file and guarded by `mutex`; the caller holds `mutex`. Raises EFontError
  // when FreeType cannot set up the size.
  // `file` and `index` name the font file and its face in it (the file
  // outlives its faces), for devices that open the font themselves.
  FontFace(FT_FaceRec_* face, std::mutex& mutex, bool embolden, bool oblique, SizeRequest request,
           const std::string& file, int index);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  SizeRequest Request() const { return request_; }
  // Where the outlines come from, and the styles synthesised from them.
  const std::string& File() const { return file_; }
  int FileIndex() const { return index_; }
  bool Emboldened() const { return embolden_; }
  bool Oblique() const { return oblique_; }
  int32_t EmPixels() const { return em_; }
  // Rows above the baseline and from the baseline down; the text cell is
  // CellHeight() = Ascent() + Descent() rows tall, the same for every text.
  int32_t Ascent() const { return ascent_; }
  int32_t Descent() const { return descent_; }
  int32_t CellHeight() const { return ascent_ + descent_; }
  TextLine Underline() const { return underline_; }
  TextLine StrikeOut() const { return strike_out_; }

  // Everything below uses the shared font file: hold Mutex() while calling.
  std::mutex& Mutex() const { return mutex_; }

  // The glyph's advance (and nothing more is guaranteed). Loads the outline
  // on the first call for the code point, never rasterises. A code point the
  // font lacks gives the font's .notdef glyph.
  const Glyph& Measured(char32_t c) const {
    const Glyph& g = Slot(c);
    return g.State != Glyph::kEmpty ? g : Load(c, false);
  }
  // The glyph with its bitmap, rendered on the first call.
  const Glyph& Rendered(char32_t c) const {
    const Glyph& g = Slot(c);
    return g.State == Glyph::kRendered ? g : Load(c, true);
  }
  const uint8_t* Coverage(const Glyph& g) const { return coverage_.data() + g.Offset; }
  // The font's glyph number for a code point (0: the .notdef glyph).
  uint32_t GlyphIndex(char32_t c) const;
  // Bytes of glyph bitmaps cached so far.
  size_t CoverageBytes() const { return coverage_.size(); }

 private:
  const Glyph& Slot(char32_t c) const {
    if (c < latin_.size()) return latin_[c];
    const auto it = others_.find(c);
    return it != others_.end() ? it->second : kNoGlyph;
  }
  Glyph& MutableSlot(char32_t c) const { return c < latin_.size() ? latin_[c] : others_[c]; }
  const Glyph& Load(char32_t c, bool render) const;

  static const Glyph kNoGlyph;

  FT_FaceRec_* face_;
  FT_SizeRec_* size_ = nullptr;
  std::mutex& mutex_;
  bool embolden_;
  bool oblique_;
  SizeRequest request_;
  const std::string& file_;
  int index_;
  int32_t em_ = 0;
  int32_t ascent_ = 0;
  int32_t descent_ = 0;
  TextLine underline_;
  TextLine strike_out_;

  // The glyph cache: a direct table for code points below 256, a hash map for
  // the rest, and one store for all bitmaps (glyphs keep offsets into it).
  mutable std::array<Glyph, 256> latin_{};
  mutable std::unordered_map<char32_t, Glyph> others_;
  mutable std::vector<uint8_t> coverage_;
};

}  // namespace korvo::text

// Finds fonts with fontconfig, opens them with FreeType and keeps every face
// it has made, so a font is looked up once per distinct name, style and size.
#pragma once

#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Font.h"
#include "platform/graphics/text/FontFace.h"

namespace korvo::text {

class FontFile;

class FontRegistry {
 public:
  // The process's registry over the system's fonts. Never destroyed, so the
  // faces it hands out stay valid to the end of the process. Raises
  // EFontError when fontconfig cannot load its configuration.
  static FontRegistry& System();
  // A registry over the fonts in the given folders only, without the
  // system's configuration (for programs that bring their own fonts).
  static std::unique_ptr<FontRegistry> FromDirectories(std::span<const std::string> directories);

  ~FontRegistry();
  FontRegistry(const FontRegistry&) = delete;
  FontRegistry& operator=(const FontRegistry&) = delete;

  // The face for a font's name, bold and italic styles and height (a height
  // of 0 is 8 points at the font's pixels per inch). An unknown name falls
  // back to the sans family; a style the family lacks is synthesised
  // (emboldened outlines, slanted outlines). Only scalable fonts are used.
  // Raises EFontError when no scalable font can be opened.
  const FontFace& Face(const TFont& font);
  const FontFace& Face(std::string_view name, bool bold, bool italic, SizeRequest request);

  // Raises EFontError unless a scalable font can be found and opened.
  void EnsureUsable();

 private:
  struct Impl;
  explicit FontRegistry(std::unique_ptr<Impl> impl);

  FontFile& FileFor(std::string_view name, bool bold, bool italic);

  std::unique_ptr<Impl> impl_;
};

// The face for the font in the system registry, through the font's cached
// face: once resolved, a font that does not change costs one pointer test.
inline const FontFace& FaceOf(const TFont& font) {
  if (const FontFace* face = font.CachedFace()) return *face;
  const FontFace& face = FontRegistry::System().Face(font);
  font.SetCachedFace(&face);
  return face;
}

}  // namespace korvo::text

#include "platform/graphics/text/FontRegistry.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <atomic>
#include <filesystem>

#include "platform/Exceptions.h"
#include "platform/graphics/Text.h"

namespace korvo::text {

// One face of an opened font file with the synthesis its styles need; the
// sizes made from it share the FreeType face and its mutex.
class FontFile {
 public:
  FontFile(FT_Face face, std::string path, int index, bool embolden, bool oblique)
      : face_(face), path_(std::move(path)), index_(index), embolden_(embolden), oblique_(oblique) {}
  ~FontFile() {
    faces_.clear();
    FT_Done_Face(face_);
  }
  FontFile(const FontFile&) = delete;
  FontFile& operator=(const FontFile&) = delete;

  bool Is(std::string_view path, int index, bool embolden, bool oblique) const {
    return path_ == path && index_ == index && embolden_ == embolden && oblique_ == oblique;
  }

  // The caller holds the registry's mutex, which guards faces_.
  const FontFace& FaceFor(SizeRequest request) {
    for (const auto& f : faces_) {
      if (f->Request() == request) return *f;
    }
    std::lock_guard lock(mutex_);
    faces_.push_back(std::make_unique<FontFace>(face_, mutex_, embolden_, oblique_, request, path_, index_));
    return *faces_.back();
  }

 private:
  std::mutex mutex_;
  FT_Face face_;
  std::string path_;
  int index_;
  bool embolden_;
  bool oblique_;
  std::vector<std::unique_ptr<FontFace>> faces_;
};

namespace {

struct NameEntry {
  std::string name;
  bool bold;
  bool italic;
  FontFile* file;
};

// A number of a fontconfig pattern, stored as an integer or a double.
double NumberOf(FcPattern* p, const char* object, double fallback) {
  int i = 0;
  if (FcPatternGetInteger(p, object, 0, &i) == FcResultMatch) return i;
  double d = 0;
  if (FcPatternGetDouble(p, object, 0, &d) == FcResultMatch) return d;
  return fallback;
}

bool FlagOf(FcPattern* p, const char* object) {
  FcBool b = FcFalse;
  return FcPatternGetBool(p, object, 0, &b) == FcResultMatch && b == FcTrue;
}

std::string NoFontMessage(std::string_view name, const std::string& failure) {
  std::string m = "No usable font found";
  if (!name.empty()) m += " for \"" + std::string(name) + "\"";
  m += ": fontconfig lists no scalable font that FreeType can open";
  if (!failure.empty()) m += " (last tried " + failure + ")";
  m += "; install fonts-dejavu-core";
  return m;
}

SizeRequest Normalised(SizeRequest request) {
  if (request == 0) return -11;  // 8 points at 96 pixels per inch
  if (request < 0) return std::max(request, -MaxEmPixels);
  return std::min(request, MaxCellPixels);
}

}  // namespace

struct FontRegistry::Impl {
  FT_Library library = nullptr;
  FcConfig* config = nullptr;
  std::mutex mutex;
  std::vector<std::unique_ptr<FontFile>> files;
  std::vector<NameEntry> names;

  explicit Impl(FcConfig* cfg) : config(cfg) {
    if (FT_Init_FreeType(&library) != 0) {
      FcConfigDestroy(config);
      throw EFontError("FreeType cannot start");
    }
  }
  ~Impl() {
    files.clear();
    FT_Done_FreeType(library);
    FcConfigDestroy(config);
  }

  FontFile* Open(const char* path, int index, bool embolden, bool oblique, std::string& failure) {
    for (const auto& f : files) {
      if (f->Is(path, index, embolden, oblique)) return f.get();
    }
    FT_Face face = nullptr;
    if (const FT_Error err = FT_New_Face(library, path, index, &face); err != 0) {
      failure = std::string(path) + ": FreeType error " + std::to_string(err);
      return nullptr;
    }
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0 || FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
      FT_Done_Face(face);
      failure = std::string(path) + ": not a scalable Unicode font";
      return nullptr;
    }
    files.push_back(std::make_unique<FontFile>(face, path, index, embolden, oblique));
    return files.back().get();
  }

  // Asks fontconfig for every font in order of preference (the name, then the
  // sans family) and takes the first scalable one FreeType opens.
  FontFile& Resolve(std::string_view name, bool bold, bool italic) {
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(), &FcPatternDestroy);
    if (!pattern) throw EFontError("fontconfig is out of memory");
    FcPattern* p = pattern.get();
    if (!name.empty()) FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(std::string(name).c_str()));
    FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddInteger(p, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(p, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(p, FC_OUTLINE, FcTrue);
    FcPatternAddBool(p, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, p, FcMatchPattern);
    FcDefaultSubstitute(p);

    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)> set(FcFontSort(config, p, FcFalse, nullptr, &result),
                                                                &FcFontSetDestroy);
    std::string failure;
    for (int i = 0; set && i < set->nfont; ++i) {
      FcPattern* font = set->fonts[i];
      if (!FlagOf(font, FC_OUTLINE) || !FlagOf(font, FC_SCALABLE) || FlagOf(font, FC_VARIABLE)) continue;
      FcChar8* file = nullptr;
      if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) continue;
      const int index = int(NumberOf(font, FC_INDEX, 0));
      const bool embolden = bold && NumberOf(font, FC_WEIGHT, FC_WEIGHT_REGULAR) < FC_WEIGHT_DEMIBOLD;
      const bool oblique = italic && NumberOf(font, FC_SLANT, FC_SLANT_ROMAN) == FC_SLANT_ROMAN;
      if (FontFile* f = Open(reinterpret_cast<const char*>(file), index, embolden, oblique, failure)) return *f;
    }
    throw EFontError(NoFontMessage(name, failure));
  }
};

FontRegistry::FontRegistry(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
FontRegistry::~FontRegistry() = default;

FontRegistry& FontRegistry::System() {
  static FontRegistry* const registry = [] {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) throw EFontError("fontconfig cannot load its configuration; install fontconfig and fonts-dejavu-core");
    return new FontRegistry(std::make_unique<Impl>(config));
  }();
  return *registry;
}

std::unique_ptr<FontRegistry> FontRegistry::FromDirectories(std::span<const std::string> directories) {
  FcConfig* config = FcConfigCreate();
  if (config == nullptr) throw EFontError("fontconfig is out of memory");
  // File by file: adding whole folders would make fontconfig write caches.
  for (const std::string& dir : directories) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
      if (!entry.is_regular_file(ec)) continue;
      FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(entry.path().c_str()));
    }
  }
  return std::unique_ptr<FontRegistry>(new FontRegistry(std::make_unique<Impl>(config)));
}

FontFile& FontRegistry::FileFor(std::string_view name, bool bold, bool italic) {
  for (const NameEntry& e : impl_->names) {
    if (e.bold == bold && e.italic == italic && e.name == name) return *e.file;
  }
  FontFile& file = impl_->Resolve(name, bold, italic);
  impl_->names.push_back(NameEntry{std::string(name), bold, italic, &file});
  return file;
}

const FontFace& FontRegistry::Face(const TFont& font) {
  int height = font.Height();
  if (height == 0) height = -MulDiv(8, font.PixelsPerInch(), 72);
  const TFontStyles style = font.Style();
  return Face(font.Name(), style.Contains(TFontStyle::fsBold), style.Contains(TFontStyle::fsItalic), height);
}

const FontFace& FontRegistry::Face(std::string_view name, bool bold, bool italic, SizeRequest request) {
  request = Normalised(request);
  std::lock_guard lock(impl_->mutex);
  return FileFor(name, bold, italic).FaceFor(request);
}

void FontRegistry::EnsureUsable() {
  std::lock_guard lock(impl_->mutex);
  FileFor("", false, false);
}

void EnsureFontsAvailable() {
  static std::atomic<bool> available{false};
  if (available.load(std::memory_order_acquire)) return;
  FontRegistry::System().EnsureUsable();
  available.store(true, std::memory_order_release);
}

}  // namespace korvo::text

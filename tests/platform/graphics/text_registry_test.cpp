// Font lookup: faces made once and shared, sizes, synthesised styles, and a
// clear error when no usable font exists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>

#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Text.h"
#include "platform/graphics/text/FontRegistry.h"

namespace korvo::text {
namespace {

namespace fs = std::filesystem;

// The font the installation script provides.
const fs::path kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// A fresh empty folder, removed at the end of the test.
struct TempDir {
  TempDir() {
    std::string templ = (fs::temp_directory_path() / "plotwell-fonts-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path = templ;
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  fs::path path;
};

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EFontError& e) {
    return e.what();
  }
  return "";
}

TEST(FontRegistry, WithoutFontsEveryLookupIsAClearError) {
  TempDir empty;
  const std::string dirs[] = {empty.path.string()};
  auto registry = FontRegistry::FromDirectories(dirs);
  const std::string m = ErrorOf([&] { registry->EnsureUsable(); });
  EXPECT_NE(m.find("No usable font found"), std::string::npos) << m;
  EXPECT_NE(m.find("install fonts-dejavu-core"), std::string::npos) << m;
  const std::string named = ErrorOf([&] { registry->Face("Tahoma", false, false, -11); });
  EXPECT_NE(named.find("No usable font found for \"Tahoma\""), std::string::npos) << named;
  // Still an error the second time, not a half-made face.
  EXPECT_FALSE(ErrorOf([&] { registry->Face("Tahoma", false, false, -11); }).empty());
}

TEST(FontRegistry, AFontFreeTypeCannotOpenIsSkippedAndNamedInTheError) {
  if (!fs::exists(kDejaVuSans)) GTEST_SKIP() << "needs fonts-dejavu-core";
  TempDir dir;
  const fs::path copy = dir.path / "Broken.ttf";
  fs::copy_file(kDejaVuSans, copy);
  const std::string dirs[] = {dir.path.string()};
  auto registry = FontRegistry::FromDirectories(dirs);  // fontconfig lists the good file
  std::ofstream(copy, std::ios::trunc | std::ios::binary) << "not a font at all";
  const std::string m = ErrorOf([&] { registry->EnsureUsable(); });
  EXPECT_NE(m.find("No usable font found"), std::string::npos) << m;
  EXPECT_NE(m.find(copy.string()), std::string::npos) << m;
}

// A bitmap font (one 8 x 8 glyph), which fontconfig lists but which cannot
// be scaled to the sizes text asks for.
constexpr const char* kBitmapFont = R"(STARTFONT 2.1
FONT -misc-tinybitmap-medium-r-normal--8-80-75-75-c-80-iso10646-1
SIZE 8 75 75
FONTBOUNDINGBOX 8 8 0 0
STARTPROPERTIES 5
FAMILY_NAME "Tiny Bitmap"
FONT_ASCENT 8
FONT_DESCENT 0
CHARSET_REGISTRY "ISO10646"
CHARSET_ENCODING "1"
ENDPROPERTIES
CHARS 1
STARTCHAR A
ENCODING 65
SWIDTH 1000 0
DWIDTH 8 0
BBX 8 8 0 0
BITMAP
FF
81
81
81
81
81
81
FF
ENDCHAR
ENDFONT
)";

TEST(FontRegistry, BitmapFontsAreNeverChosen) {
  TempDir dir;
  std::ofstream(dir.path / "tiny.bdf") << kBitmapFont;
  const std::string dirs[] = {dir.path.string()};
  EXPECT_NE(ErrorOf([&] { FontRegistry::FromDirectories(dirs)->EnsureUsable(); }).find("No usable font found"),
            std::string::npos);

  // Beside a scalable font, even the bitmap font's own name gets the scalable one.
  if (!fs::exists(kDejaVuSans)) GTEST_SKIP() << "needs fonts-dejavu-core";
  fs::copy_file(kDejaVuSans, dir.path / "Scalable.ttf");
  auto registry = FontRegistry::FromDirectories(dirs);
  const FontFace& face = registry->Face("Tiny Bitmap", false, false, -30);
  EXPECT_EQ(&face, &registry->Face("DejaVu Sans", false, false, -30));
}

TEST(FontRegistry, FacesAreMadeOnceAndSharedAcrossNamesOfTheSameFile) {
  if (!fs::exists(kDejaVuSans)) GTEST_SKIP() << "needs fonts-dejavu-core";
  TempDir dir;
  fs::copy_file(kDejaVuSans, dir.path / "Only.ttf");
  const std::string dirs[] = {dir.path.string()};
  auto registry = FontRegistry::FromDirectories(dirs);
  EXPECT_NO_THROW(registry->EnsureUsable());
  const FontFace& a = registry->Face("Helvetica", false, false, -12);
  EXPECT_EQ(&registry->Face("Helvetica", false, false, -12), &a);
  EXPECT_EQ(&registry->Face("Anything Else", false, false, -12), &a);  // the one file there is
  EXPECT_NE(&registry->Face("Helvetica", false, false, -13), &a);
  EXPECT_EQ(&registry->Face("Helvetica", false, false, 0), &registry->Face("Helvetica", false, false, -11));
  // Sizes beyond the limits share the limit's face.
  EXPECT_EQ(&registry->Face("x", false, false, INT32_MIN), &registry->Face("x", false, false, -MaxEmPixels));
  EXPECT_EQ(&registry->Face("x", false, false, INT32_MAX), &registry->Face("x", false, false, MaxCellPixels));
}

TEST(FontRegistry, StylesTheFileLacksAreSynthesised) {
  if (!fs::exists(kDejaVuSans)) GTEST_SKIP() << "needs fonts-dejavu-core";
  TempDir dir;
  fs::copy_file(kDejaVuSans, dir.path / "Regular.ttf");
  const std::string dirs[] = {dir.path.string()};
  auto registry = FontRegistry::FromDirectories(dirs);
  const FontFace& regular = registry->Face("DejaVu Sans", false, false, -20);
  const FontFace& bold = registry->Face("DejaVu Sans", true, false, -20);
  const FontFace& italic = registry->Face("DejaVu Sans", false, true, -20);
  ASSERT_NE(&bold, &regular);
  ASSERT_NE(&italic, &regular);
  EXPECT_EQ(bold.CellHeight(), regular.CellHeight());
  const auto advance = [](const FontFace& f, char32_t c) {
    std::lock_guard lock(f.Mutex());
    return f.Measured(c).Advance;
  };
  const auto ink_width = [](const FontFace& f, char32_t c) {
    std::lock_guard lock(f.Mutex());
    return f.Rendered(c).Width;
  };
  EXPECT_GT(ink_width(bold, U'l'), ink_width(regular, U'l'));
  EXPECT_GT(advance(bold, U'H'), advance(regular, U'H'));
  // The slanted stem of an 'l' leans over more columns.
  EXPECT_GT(ink_width(italic, U'l'), ink_width(regular, U'l') + 1);
  EXPECT_EQ(advance(italic, U'H'), advance(regular, U'H'));
}

TEST(FontRegistry, MeasuringNeverRasterises) {
  TBitmap bmp(200, 40);
  TCanvas* c = bmp.Canvas();
  c->Font()->SetHeight(-37);  // a size no other test uses, so the face is fresh
  const FontFace& face = FaceOf(*c->Font());
  ASSERT_EQ(face.CoverageBytes(), 0u);
  EXPECT_GT(c->TextWidth("Measure me \xC2\xB5 \xE2\x82\xAC"), 0);
  EXPECT_GT(c->TextHeight("x"), 0);
  EXPECT_EQ(face.CoverageBytes(), 0u);
  c->TextOut(0, 0, "Measure");
  EXPECT_GT(face.CoverageBytes(), 0u);
}

TEST(FontRegistry, TheSystemHasAUsableFont) {
  EXPECT_NO_THROW(EnsureFontsAvailable());
  EXPECT_NO_THROW(EnsureFontsAvailable());
}

}  // namespace
}  // namespace korvo::text

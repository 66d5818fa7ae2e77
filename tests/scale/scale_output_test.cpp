// A stand-alone scale written as SVG and PDF (its tick labels kept as text)
// and printed on the headless printer (its picture fitted to the asked
// rectangle of the page).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "base/korvobase.h"
#include "platform/Calendar.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Printer.h"
#include "scale/Scale.h"

namespace korvo {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t White = 0xFFFFFF;

class ScaleOutput : public ::testing::Test {
 protected:
  ScaleOutput() {
    dir_ = fs::temp_directory_path() / ("plotwell-scale-output-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    scale_.SetBounds(0, 0, 300, 80);
    scale_.SetFrameStyle(TFrameStyle::fsSimple);
    scale_.SetColorBackGnd(clSilver);
    scale_.SetMinTicks(3);
    scale_.OnBeforeTickLabel = [this](TObject*, TScaleType, double, std::string& text) {
      if (!text.empty()) labels_.push_back(text);
    };
  }
  ~ScaleOutput() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path dir_;
  TScale scale_{nullptr};
  std::vector<std::string> labels_;  // the labels the last drawing wrote
};

// The words of a file's text, without the spaces and line ends that text
// extraction puts between them: pdftotext's for a PDF, the contents of the
// <text> elements for an SVG.
std::string TextOf(const std::string& path, const std::string& contents) {
  std::string text;
  if (path.ends_with(".pdf")) {
    FILE* pipe = ::popen(("pdftotext -raw '" + path + "' -").c_str(), "r");
    if (pipe == nullptr) return text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    EXPECT_EQ(::pclose(pipe), 0) << "pdftotext " << path;
  } else {
    for (size_t at = contents.find("<text"); at != std::string::npos; at = contents.find("<text", at)) {
      const size_t open = contents.find('>', at), close = contents.find("</text>", at);
      if (open == std::string::npos || close == std::string::npos) break;
      text += contents.substr(open + 1, close - open - 1);
      at = close;
    }
  }
  std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
  return text;
}

struct TLabelCase {
  const char* Name;
  TScaleType Type;
  TFigType Labels;
  double Low, High;
};

std::ostream& operator<<(std::ostream& os, const TLabelCase& c) { return os << c.Name; }

class ScaleFiles : public ScaleOutput, public ::testing::WithParamInterface<TLabelCase> {};

TEST_P(ScaleFiles, SvgAndPdfHoldTheTickLabelsAsText) {
  const TLabelCase& c = GetParam();
  if (c.Type == TScaleType::sctYL) scale_.SetBounds(0, 0, 90, 300);
  scale_.SetScaleType(c.Type);
  scale_.SetLabelType(c.Labels);
  scale_.SetRange(c.Low, c.High);
  for (const char* kind : {".svg", ".pdf"}) {
    const std::string path = Path(std::string(c.Name) + kind);
    labels_.clear();
    scale_.SaveToFile(path);
    ASSERT_GE(labels_.size(), 2u) << path;
    const std::string contents = Read(path);
    EXPECT_NE(contents.find(kind == std::string(".pdf") ? "%PDF-" : "<svg"), std::string::npos) << path;
    const std::string text = TextOf(path, contents);
    for (std::string label : labels_) {
      std::erase(label, ' ');
      EXPECT_NE(text.find(label), std::string::npos) << path << " lacks the label '" << label << "'";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Labels, ScaleFiles,
    ::testing::Values(TLabelCase{"BottomNumbers", TScaleType::sctXB, TFigType::ftNum, 0, 50},
                      TLabelCase{"LeftNegativeNumbers", TScaleType::sctYL, TFigType::ftNum, -3, 3},
                      TLabelCase{"DatesAndTimes", TScaleType::sctXT, TFigType::ftDateTime, EncodeDate(2003, 4, 5),
                                 EncodeDate(2003, 4, 5) + 0.5}),
    [](const auto& info) { return std::string(info.param.Name); });

// The smallest rectangle holding every pixel of the page that is not white.
TRect InkBox(const TBitmap& page) {
  TRect box{page.Width(), page.Height(), 0, 0};
  for (int y = 0; y < page.Height(); ++y) {
    const TPixel* row = page.ScanLine(y);
    for (int x = 0; x < page.Width(); ++x) {
      if ((row[x] & White) == White) continue;
      box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
    }
  }
  return box;
}

TEST_F(ScaleOutput, PrintPutsTheScaleOnAPageFittedAndCentred) {
  scale_.SetRange(0, 50);
  scale_.SaveToFile(Path("own.png"));
  TBitmap own;
  own.LoadPngFromFile(Path("own.png"));
  // 300 x 80 into 600 x 600: twice its size, (600 - 160) / 2 down; the
  // whole page 2480 / 300 = 8.27 times, 661 high, 1423 down.
  struct TCase {
    TRect Asked;  // empty: the whole page
    TRect Expected;
  };
  for (const TCase& c : {TCase{{100, 100, 700, 700}, {100, 320, 700, 480}}, TCase{{}, {0, 1423, 2480, 2084}}}) {
    if (c.Asked.Right > c.Asked.Left) {
      scale_.Print(c.Asked);
    } else {
      scale_.Print();
    }
    EXPECT_FALSE(Printer()->Printing());
    ASSERT_EQ(Printer()->Pages().size(), 1u);
    const TBitmap& page = *Printer()->Pages().back();
    const TRect ink = InkBox(page);
    EXPECT_NEAR(ink.Left, c.Expected.Left, 1);
    EXPECT_NEAR(ink.Top, c.Expected.Top, 1);
    EXPECT_NEAR(ink.Right, c.Expected.Right, 1);
    EXPECT_NEAR(ink.Bottom, c.Expected.Bottom, 1);
    // The scale's own picture, sampled back at the centre of each of its
    // pixels: all but the anti-aliased edges of its text.
    const double s = double(ink.Right - ink.Left) / own.Width();
    long alike = 0;
    for (int y = 0; y < own.Height(); ++y) {
      for (int x = 0; x < own.Width(); ++x) {
        const TPixel p = page.ScanLine(ink.Top + int((y + 0.5) * s))[ink.Left + int((x + 0.5) * s)];
        alike += (p & White) == (own.ScanLine(y)[x] & White);
      }
    }
    EXPECT_GE(alike, long(own.Width()) * own.Height() * 95 / 100);
  }
  EXPECT_THROW(scale_.Print(TRect{0, 0, 0, 100}), EKorvoError);
  EXPECT_FALSE(Printer()->Printing());
}

}  // namespace
}  // namespace korvo

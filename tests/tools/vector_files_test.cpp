// SVG and PDF files of the gallery and the demo's charts, rasterised back at
// 96 pixels per inch with poppler and librsvg, against the raster canvas's
// own pictures; their text found as text.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "chart/plotwell.h"
#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FigureDevice.h"
#include "platform/graphics/vector/PictureOutput.h"
#include "tools/DemoCharts.h"
#include "tools/Gallery.h"
#include "tools/InkCompare.h"

namespace korvo {
namespace {

namespace fs = std::filesystem;

fs::path Folder() {
  const fs::path dir = fs::temp_directory_path() / ("plotwell-vector-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  return dir;
}

std::string Shell(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  EXPECT_EQ(::pclose(pipe), 0) << command;
  return out;
}

// The file rasterised at 96 pixels per inch, as the tools of the system draw it.
std::unique_ptr<TBitmap> Rasterised(const fs::path& file) {
  const fs::path png = fs::path(file).replace_extension(file.extension().string() + ".png");
  if (file.extension() == ".pdf") {
    Shell("pdftoppm -r 96 -png -singlefile '" + file.string() + "' '" + fs::path(png).replace_extension().string() + "'");
  } else {
    Shell("rsvg-convert -o '" + png.string() + "' '" + file.string() + "'");
  }
  auto picture = std::make_unique<TBitmap>();
  picture->LoadPngFromFile(png.string());
  return picture;
}

using inktest::InkFoundWithinOnePixel;
using inktest::InkOf;

// Every text the picture draws, in order, and how many figures (a polyline's
// points counted one each) it hands the device.
class TTextRecorder final : public TFigureDevice {
 public:
  std::vector<std::string> Texts;
  long Figures = 0;
  void Line(const TCanvas&, TPoint, TPoint) override { ++Figures; }
  void Polyline(const TCanvas&, std::span<const TPoint> p) override { Figures += long(p.size()); }
  void Polygon(const TCanvas&, std::span<const TPoint> p) override { Figures += long(p.size()); }
  void Rectangle(const TCanvas&, const TRect&) override { ++Figures; }
  void Ellipse(const TCanvas&, const TRect&) override { ++Figures; }
  void Arc(const TCanvas&, const TRect&, TPoint, TPoint) override { ++Figures; }
  void Fill(const TCanvas&, const TRect&, TColor) override { ++Figures; }
  void Text(const TCanvas&, TPoint, std::string_view text, int32_t) override { Texts.emplace_back(text); }
  void Picture(const TCanvas&, const TRect&, const TBitmap&) override { ++Figures; }
  void Tiles(const TCanvas&, const TRect&, TPoint, const TBitmap&) override { ++Figures; }
};

// A chart with a line series of 300 000 points walking in x and y (so that
// nearly every step moves to a neighbouring pixel or stays), a few long
// jumps, and a NaN that breaks the line.
std::shared_ptr<TPlotwell> TangledChart() {
  constexpr int n = 300'000;
  std::vector<double> x(n), y(n);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> step(-1, 1);
  double u = 0, v = 0;
  for (int i = 0; i < n; ++i) {
    u += i % 50'000 == 0 ? 300 * step(random) : step(random);
    v += step(random);
    x[size_t(i)] = u;
    y[size_t(i)] = i == n / 2 ? std::nan("") : v;
  }
  auto chart = std::make_shared<TPlotwell>(nullptr);
  chart->SetBounds(0, 0, 420, 320);
  const auto [xlo, xhi] = std::minmax_element(x.begin(), x.end());
  chart->ApplyLayerRange(1, false, *xlo, -400, *xhi, 400, false);
  TPwSeriesRef series = TPwSeries::Create();
  series->SetData(x, y);
  chart->DrawSeries(series);
  chart->Repaint();
  return chart;
}

struct TSubject {
  std::string Name;
  TSize Size;
  std::function<void(TCanvas&)> Draw;  // onto a raster or a figure canvas
  std::function<void(const std::string&)> Save;
  // The least share of ink found within a pixel, both ways. The gallery's
  // sheet of 52 mark kinds holds the kinds the screen stamps as dots and a
  // file draws as the printer's line figures (by design), and an xor figure
  // that SVG paints as copy: 98.8% and 98.6% found.
  double Share = 0.99;
  // At most this many figures reach a figure device, and at most this many
  // path elements are in the SVG (0: no bound).
  long MaxFigures = 0;
  long MaxSvgPaths = 0;
};

std::vector<TSubject> Subjects() {
  const fs::path examples = fs::path(PLOTWELL_TEST_DATA) / ".." / "examples" / "charts";
  std::vector<TSubject> subjects;
  subjects.push_back({"gallery", gallery::GallerySize, [](TCanvas& c) { gallery::DrawGallery(c); },
                      [](const std::string& path) {
                        SaveVectorPicture(path, PictureKindOf(path), gallery::GallerySize.cx, gallery::GallerySize.cy,
                                          [](TCanvas& c) { gallery::DrawGallery(c); });
                      },
                      0.985});
  for (int which : {1, 2}) {
    std::shared_ptr<TPlotwell> chart = gallery::DemoChart(examples, which);
    chart->Repaint();
    subjects.push_back({"demo" + std::to_string(which), TSize{chart->Width(), chart->Height()},
                        [chart](TCanvas& c) {
                          chart->RenderTo(c);
                        },
                        [chart](const std::string& path) { chart->SaveToFile(path); }});
  }
  // The short steps of a dense line reach a file as runs of pixels: fewer
  // figures than a tenth of the points, and in SVG the runs of one colour
  // are one element (69 paths in all; 867, a run each, without).
  std::shared_ptr<TPlotwell> tangled = TangledChart();
  subjects.push_back({"tangled", TSize{tangled->Width(), tangled->Height()},
                      [tangled](TCanvas& c) { tangled->RenderTo(c); },
                      [tangled](const std::string& path) { tangled->SaveToFile(path); }, 0.99, 30'000, 200});
  // Many small figures that paint alike: 400 LineTo diamonds (as marks on
  // a device are drawn), 400 polylines in red, 400 fills in blue. SVG
  // gathers each kind into one path element: 12 in all with the glyphs of
  // the text (1209 without gathering).
  const auto figures = [](TCanvas& c) {
    c.Font()->SetSize(9);
    c.TextOut(4, 2, "figures");
    const auto at = [](int i) { return TPoint{10 + (i * 37) % 280, 20 + (i * 53) % 160}; };
    c.Pen()->SetColor(clBlack);
    for (int i = 0; i < 400; ++i) {
      const auto [x, y] = at(i);
      c.MoveTo(x - 3, y);
      for (const TPoint p : {TPoint{x, y - 3}, TPoint{x + 3, y}, TPoint{x, y + 3}, TPoint{x - 3, y}}) c.LineTo(p.X, p.Y);
    }
    c.Pen()->SetColor(clRed);
    for (int i = 0; i < 400; ++i) {
      const auto [x, y] = at(i);
      const TPoint zig[] = {{x + 5, y}, {x + 7, y + 4}, {x + 9, y}};
      c.Polyline(zig);
    }
    c.Brush()->SetColor(clBlue);
    for (int i = 0; i < 400; ++i) {
      const auto [x, y] = at(i);
      c.FillRect(TRect{x, y + 6, x + 2 + i % 3, y + 7});
    }
  };
  subjects.push_back({"figures", TSize{300, 200}, figures,
                      [figures](const std::string& path) {
                        SaveVectorPicture(path, PictureKindOf(path), 300, 200, figures);
                      },
                      0.99, 0, 16});
  return subjects;
}

TEST(VectorFiles, RasterisedAt96DpiTheyPutTheirInkWhereTheCanvasDoes) {
  const fs::path dir = Folder();
  for (const TSubject& s : Subjects()) {
    TBitmap raster(s.Size.cx, s.Size.cy);
    s.Draw(*raster.Canvas());
    const std::vector<bool> expected = InkOf(raster);

    TTextRecorder recorder;
    TCanvas figures;
    figures.SetFigureDevice(&recorder, s.Size.cx, s.Size.cy);
    s.Draw(figures);
    ASSERT_FALSE(recorder.Texts.empty()) << s.Name;
    if (s.MaxFigures > 0) {
      EXPECT_LE(recorder.Figures, s.MaxFigures) << s.Name;
    }

    for (const char* kind : {".pdf", ".svg"}) {
      const fs::path file = dir / (s.Name + kind);
      s.Save(file.string());
      const std::unique_ptr<TBitmap> back = Rasterised(file);
      ASSERT_EQ(back->Width(), s.Size.cx) << file;
      ASSERT_EQ(back->Height(), s.Size.cy) << file;
      const std::vector<bool> got = InkOf(*back);
      EXPECT_GE(InkFoundWithinOnePixel(expected, got, s.Size.cx, s.Size.cy), s.Share) << file << ": canvas ink missing";
      EXPECT_GE(InkFoundWithinOnePixel(got, expected, s.Size.cx, s.Size.cy), s.Share) << file << ": ink the canvas lacks";

      // The text as text: poppler's text of the PDF, the SVG's text elements.
      std::string text;
      if (std::string(kind) == ".pdf") {
        text = Shell("pdftotext -raw '" + file.string() + "' -");
      } else {
        std::ifstream in(file);
        std::stringstream all;
        all << in.rdbuf();
        text = all.str();
        long paths = 0;
        for (size_t at = text.find("<path"); at != std::string::npos; at = text.find("<path", at + 1)) ++paths;
        if (s.MaxSvgPaths > 0) {
          EXPECT_LE(paths, s.MaxSvgPaths) << file;
        }
      }
      // (Text extraction keeps the words, not the spaces between them.)
      const auto words = [](std::string s) { return std::erase_if(s, [](char c) { return c == ' ' || c == '\n'; }), s; };
      const std::string found = words(text);
      for (const std::string& t : recorder.Texts) {
        if (t.find_first_of("<&") != std::string::npos) continue;
        EXPECT_NE(found.find(words(t)), std::string::npos) << file << " lacks the text '" << t << "'";
      }
    }
  }
  fs::remove_all(dir);
}

TEST(VectorFiles, BadNamesAndFailedWritesAreClearErrorsThatKeepTheOldFile) {
  const fs::path dir = Folder();
  const fs::path kept = dir / "kept.pdf";
  { std::ofstream(kept) << "earlier"; }
  const auto draw = [](TCanvas& c) { c.Rectangle(0, 0, 10, 10); };
  const struct {
    fs::path Path;
    int32_t Width;
    const char* Says;
  } cases[] = {
      {dir / "chart.gif", 10, "unknown picture type '.gif' (the name must end in .png, .bmp, .svg or .pdf)"},
      {dir / "no-such-folder" / "chart.svg", 10, "No such file or directory"},
      {kept, 0, "0 x 10 pixels"},
  };
  for (const auto& c : cases) {
    try {
      SaveVectorPicture(c.Path.string(), PictureKindOf(c.Path.string()), c.Width, 10, draw);
      ADD_FAILURE() << c.Path << " was written";
    } catch (const EInvalidGraphic& e) {
      const std::string what = e.what();
      const std::string quoted = std::string(1, '\'') + c.Path.string() + '\'';
      EXPECT_NE(what.find(quoted), std::string::npos) << what;
      EXPECT_NE(what.find(c.Says), std::string::npos) << what;
    }
  }
  std::ifstream in(kept);
  std::string content;
  std::getline(in, content);
  EXPECT_EQ(content, "earlier");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "a temporary file was left";
  fs::remove_all(dir);
}

}  // namespace
}  // namespace korvo

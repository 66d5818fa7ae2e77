// plotwell-gallery [folder]: renders the gallery sheets (marks, frames, pens,
// figures, text; the scales; the demo's two charts at their first frame) as
// PNG files into the folder (default "out"), the gallery and the first demo
// chart also as PDF and SVG, and prints where they are.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <utility>

#include "chart/plotwell.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Text.h"
#include "platform/graphics/vector/PictureOutput.h"
#include "tools/DemoCharts.h"
#include "tools/Gallery.h"
#include "tools/ScaleSheet.h"

int main(int argc, char** argv) {
  try {
    korvo::text::EnsureFontsAvailable();
    const std::filesystem::path folder = argc > 1 ? argv[1] : "out";
    std::filesystem::create_directories(folder);
    const struct {
      const char* file;
      void (*draw)(korvo::TBitmap&);
    } sheets[] = {{"gallery.png", korvo::gallery::DrawGallery}, {"scales.png", korvo::gallery::DrawScaleSheet}};
    for (const auto& s : sheets) {
      korvo::TBitmap sheet;
      s.draw(sheet);
      const std::string path = (folder / s.file).string();
      sheet.SavePngToFile(path);
      std::printf("%s (%d x %d)\n", path.c_str(), sheet.Width(), sheet.Height());
    }
    const auto size = korvo::gallery::GallerySize;
    const std::filesystem::path examples = std::filesystem::path(PLOTWELL_SOURCE_DIR) / "examples" / "charts";
    const std::unique_ptr<korvo::TPlotwell> demo = korvo::gallery::DemoChart(examples, 1);
    for (const char* kind : {"pdf", "svg"}) {
      const std::string sheet = (folder / (std::string("gallery.") + kind)).string();
      korvo::SaveVectorPicture(sheet, korvo::PictureKindOf(sheet), size.cx, size.cy,
                               [](korvo::TCanvas& canvas) { korvo::gallery::DrawGallery(canvas); });
      std::printf("%s (%d x %d)\n", sheet.c_str(), size.cx, size.cy);
      const std::string chart = (folder / (std::string("demo-plotwell1.") + kind)).string();
      demo->SaveToFile(chart);
      std::printf("%s (%d x %d)\n", chart.c_str(), demo->Width(), demo->Height());
    }
    korvo::TBitmap chart1, chart2;
    korvo::gallery::DrawDemoCharts(examples, chart1, chart2);
    for (const auto& [file, picture] : {std::pair{"demo-plotwell1.png", &chart1}, std::pair{"demo-plotwell2.png", &chart2}}) {
      const std::string path = (folder / file).string();
      picture->SavePngToFile(path);
      std::printf("%s (%d x %d)\n", path.c_str(), picture->Width(), picture->Height());
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "plotwell-gallery: %s\n", e.what());
    return 1;
  }
}

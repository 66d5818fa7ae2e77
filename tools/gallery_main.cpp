// plotwell-gallery [folder]: renders the gallery sheets (marks, frames, pens,
// figures, text; the scales; the demo's two charts at their first frame) as
// PNG files into the folder (default "out") and prints where they are.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <utility>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Text.h"
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
    korvo::TBitmap chart1, chart2;
    korvo::gallery::DrawDemoCharts(std::filesystem::path(PLOTWELL_SOURCE_DIR) / "examples" / "charts", chart1, chart2);
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

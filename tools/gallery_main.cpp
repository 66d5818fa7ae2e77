// plotwell-gallery [folder]: renders the gallery sheets as PNG files into the
// folder (default "out") and prints where they are.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Text.h"
#include "tools/Gallery.h"

int main(int argc, char** argv) {
  try {
    korvo::text::EnsureFontsAvailable();
    const std::filesystem::path folder = argc > 1 ? argv[1] : "out";
    std::filesystem::create_directories(folder);
    korvo::TBitmap sheet;
    korvo::gallery::DrawGallery(sheet);
    const std::string path = (folder / "gallery.png").string();
    sheet.SavePngToFile(path);
    std::printf("gallery: %s (%d x %d)\n", path.c_str(), sheet.Width(), sheet.Height());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "plotwell-gallery: %s\n", e.what());
    return 1;
  }
}

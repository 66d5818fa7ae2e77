// plotwell-scenes: draws every scene of a scene file with our canvas and
// writes OUTDIR/<scene>.ppm, to be compared with the reference pictures:
//
//   plotwell-scenes lines.txt out/ours
//   python3 ../shared/gdi-reference/compare.py out/ours --oracle out/ref --scenes lines.txt
//
// A scene our canvas cannot draw as the reference does is listed with the
// reason (its picture holds what was drawn before that command). Exit status
// 0, 1 when a scene could not be drawn, 2 for a bad command line or file.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "platform/graphics/Bitmap.h"
#include "tools/scenes/SceneReplay.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: plotwell-scenes SCENES.txt OUTDIR\n");
    return 2;
  }
  try {
    const auto scenes = korvo::scenes::ReadSceneFile(argv[1]);
    std::filesystem::create_directories(argv[2]);
    int unsupported = 0;
    korvo::TBitmap bitmap;
    for (const auto& scene : scenes) {
      const std::string why = korvo::scenes::ReplayScene(scene, bitmap);
      if (!why.empty()) {
        std::printf("%s: not drawn as the reference: %s\n", scene.Name.c_str(), why.c_str());
        ++unsupported;
      }
      korvo::scenes::WritePpm(bitmap, std::filesystem::path(argv[2]) / (scene.Name + ".ppm"));
    }
    std::printf("plotwell-scenes: %zu scenes written to %s\n", scenes.size(), argv[2]);
    return unsupported == 0 ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "plotwell-scenes: %s\n", e.what());
    return 2;
  }
}

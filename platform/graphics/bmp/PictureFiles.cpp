// Saving a bitmap as the picture type its file name asks for.
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"

namespace korvo {
namespace {

enum class TPictureType { Png, Bmp };

TPictureType PictureTypeOf(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  if (ext == ".png") return TPictureType::Png;
  if (ext == ".bmp") return TPictureType::Bmp;
  throw EInvalidGraphic("Cannot save '" + path + "': " +
                        (ext.empty() ? std::string("the name has no extension")
                                     : "unknown picture type '" + ext + "'") +
                        " (the name must end in .png or .bmp)");
}

}  // namespace

void TBitmap::CheckPictureName(const std::string& path) { PictureTypeOf(path); }

void TBitmap::SavePictureToFile(const std::string& path) const {
  if (PictureTypeOf(path) == TPictureType::Png) {
    SavePngToFile(path);
  } else {
    SaveToFile(path);
  }
}

}  // namespace korvo

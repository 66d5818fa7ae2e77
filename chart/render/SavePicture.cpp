// Saving the chart's picture to a file: the format comes from the name's
// extension, checked before anything is rendered; the picture is rendered
// afresh as for the clipboard and written whole beside the path, then
// renamed onto it (TBitmap's savers do that).
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "base/korvobase.h"
#include "chart/CustomPlotwell.h"
#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"

namespace korvo {

void TCustomPlotwell::SaveToFile(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  const bool png = ext == ".png";
  if (!png && ext != ".bmp") {
    throw EKorvoPlotwellError("Cannot save '" + path + "': " +
                              (ext.empty() ? std::string("the name has no extension")
                                           : "unknown picture type '" + ext + "'") +
                              " (the name must end in .png or .bmp)");
  }
  RenderPicture(false, true);
  try {
    if (png) {
      chart_bitmap_->SavePngToFile(path);
    } else {
      chart_bitmap_->SaveToFile(path);
    }
  } catch (const EInvalidGraphic& e) {
    throw EKorvoPlotwellError(e.what());
  }
}

}  // namespace korvo

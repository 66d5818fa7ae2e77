// Saving the chart's picture to a file: the name is checked before anything
// is rendered; the picture is rendered afresh as for the clipboard and
// written whole beside the path, then renamed onto it (TBitmap's savers do
// that).
#include "base/korvobase.h"
#include "chart/CustomPlotwell.h"
#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"

namespace korvo {

void TCustomPlotwell::SaveToFile(const std::string& path) {
  try {
    TBitmap::CheckPictureName(path);
    RenderPicture(false, true);
    chart_bitmap_->SavePictureToFile(path);
  } catch (const EInvalidGraphic& e) {
    throw EKorvoPlotwellError(e.what());
  }
}

}  // namespace korvo

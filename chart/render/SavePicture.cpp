// Saving the chart's picture to a file: the name is checked before anything
// is rendered. PNG and BMP are rendered afresh as for the clipboard; SVG and
// PDF get the same drawing as figures. Every file is written whole beside the
// path, then renamed onto it.
#include "base/korvobase.h"
#include "chart/CustomPlotwell.h"
#include "platform/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/vector/PictureOutput.h"

namespace korvo {

void TCustomPlotwell::SaveToFile(const std::string& path) {
  try {
    const TPictureKind kind = PictureKindOf(path);
    if (kind == TPictureKind::Svg || kind == TPictureKind::Pdf) {
      SaveVectorPicture(path, kind, Width(), Height(), [&](TCanvas& canvas) { RenderPicture(false, true, &canvas); });
      return;
    }
    RenderPicture(false, true);
    chart_bitmap_->SavePictureToFile(path);
  } catch (const EInvalidGraphic& e) {
    throw EKorvoPlotwellError(e.what());
  }
}

}  // namespace korvo

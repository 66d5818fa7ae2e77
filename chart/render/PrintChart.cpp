// Printing the chart: the picture SaveToFile writes, drawn as figures onto
// the printer's page at the printer's resolution (lines whole device
// pixels, text rasterised at the page's pixels per inch), scaled to fit the
// page rectangle keeping its aspect.
#include "base/korvobase.h"
#include "chart/CustomPlotwell.h"
#include "platform/Exceptions.h"
#include "platform/graphics/Printer.h"
#include "platform/graphics/vector/PictureOutput.h"

namespace korvo {

void TCustomPlotwell::Print(const TRect& pageRect) {
  try {
    PrintPicture(Width(), Height(), pageRect, [&](TCanvas& canvas) { RenderPicture(false, true, &canvas); });
  } catch (const EInvalidGraphic& e) {
    throw EKorvoPlotwellError(e.what());
  }
}

void TCustomPlotwell::Print() { Print(TRect{0, 0, Printer()->PageWidth(), Printer()->PageHeight()}); }

}  // namespace korvo

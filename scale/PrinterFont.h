// Font sizes on the printer's page: text keeps its point size, so a label
// that reads 8 points on the screen is 8 points on paper too.
#pragma once

#include "platform/Export.h"

namespace korvo {

class TCanvas;

// When `canvas` is the printer's canvas, its font gets the printer's
// vertical resolution as pixels per inch and the size `points`, so its
// pixel height is points * resolution / 72 (33 pixels for 8 points at 300
// pixels per inch). Any other canvas (or none) is left alone; the printer
// is not created just to ask.
PLOTWELL_API void AdjustFontForPrinter(TCanvas* canvas, int points);

}  // namespace korvo

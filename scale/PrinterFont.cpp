#include "scale/PrinterFont.h"

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Printer.h"

namespace korvo {

void AdjustFontForPrinter(TCanvas* canvas, int points) {
  if (canvas == nullptr || !PrinterCreated() || canvas != Printer()->Canvas()) return;
  // Setting the size at the screen's resolution first and switching the
  // resolution afterwards would keep the screen's pixel height: 8-point
  // text would print 11 pixels high, under 3 points on paper.
  TFont* font = canvas->Font();
  font->SetPixelsPerInch(GetDeviceCaps(Printer()->Handle(), TDeviceCap::LOGPIXELSY));
  font->SetSize(points);
}

}  // namespace korvo

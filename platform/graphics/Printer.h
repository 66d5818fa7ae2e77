// The printer: a device with its own canvas (the current page, a bitmap), a
// handle and a resolution, so that code can ask "is this the printer's
// canvas" and size fonts for it. Printing keeps the finished pages as bitmaps.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics/Bitmap.h"

namespace korvo {

// Device capabilities, as the classic GetDeviceCaps names them.
enum class TDeviceCap : uint8_t { LOGPIXELSX, LOGPIXELSY, ASPECTX, ASPECTY, HORZRES, VERTRES };

// The screen's handle for GetDeviceCaps.
constexpr uintptr_t ScreenHandle = 0;

class TPrinter {
 public:
  static constexpr int Resolution = 300;  // pixels per inch, both directions
  static constexpr int PageWidthPixels = 2480;   // A4 at 300 pixels per inch
  static constexpr int PageHeightPixels = 3508;

  TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The page canvas. Its pixels exist between BeginDoc and EndDoc; outside a
  // document it is a canvas without a surface (drawing on it does nothing).
  TCanvas* Canvas() { return page_.Canvas(); }
  uintptr_t Handle() const;
  int PageWidth() const { return PageWidthPixels; }
  int PageHeight() const { return PageHeightPixels; }
  bool Printing() const { return printing_; }

  void BeginDoc();
  void NewPage();
  void EndDoc();
  // The pages of the last document, in order.
  const std::vector<std::unique_ptr<TBitmap>>& Pages() const { return pages_; }

 private:
  void StartPage();
  void FinishPage();

  TBitmap page_;
  bool printing_ = false;
  std::vector<std::unique_ptr<TBitmap>> pages_;
};

// The framework's printer object, created on the first call.
TPrinter* Printer();
// Whether the printer object exists yet (asking Printer() creates it).
// Inline: every mark drawn asks whether its canvas is the printer's.
namespace printer_detail {
inline TPrinter* created = nullptr;  // set once Printer() made the object
}
inline bool PrinterCreated() { return printer_detail::created != nullptr; }

// The capability of a device: ScreenHandle or the printer's handle. The
// screen has 96 pixels per inch and square pixels. An unknown handle gives 0.
int GetDeviceCaps(uintptr_t handle, TDeviceCap cap);

}  // namespace korvo

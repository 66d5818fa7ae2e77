// The printer: a device with its own canvas (the current page, a bitmap), a
// handle and a resolution, so that code can ask "is this the printer's
// canvas" and size fonts for it.
//
// Where the pages go: without a print sink (headless, and in tests) the
// printer keeps every finished page as a bitmap (Pages()), an A4 page at 300
// pixels per inch. A window system with a real printer installs a sink
// (SetSink) for the length of a print job: the page then has the sink's
// printable area and resolution, in the device's own pixels, and each
// finished page goes to the sink instead of being kept.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Export.h"
#include "platform/graphics/Bitmap.h"

namespace korvo {

// Device capabilities, as the classic GetDeviceCaps names them.
enum class TDeviceCap : uint8_t { LOGPIXELSX, LOGPIXELSY, ASPECTX, ASPECTY, HORZRES, VERTRES };

// The screen's handle for GetDeviceCaps.
constexpr uintptr_t ScreenHandle = 0;

// The page a device prints on: its printable area in device pixels and its
// pixels per inch (the same both ways).
struct TPageFormat {
  int Width = 0;
  int Height = 0;
  int PixelsPerInch = 0;
  bool operator==(const TPageFormat&) const = default;
};

// Takes the printer's finished pages to a device. All calls come from the
// printer: BeginDoc once, then Page for every finished page in order, then
// EndDoc, or Abort instead of EndDoc when the document is abandoned (the
// pages given so far are to be thrown away where the device can).
class PLOTWELL_API TPrintSink {
 public:
  virtual ~TPrintSink() = default;
  // The page of the next document; asked by BeginDoc and SetSink.
  virtual TPageFormat Format() const = 0;
  // Opens the device; raises an exception (naming what failed) when it
  // cannot, and the printer then starts no document.
  virtual void BeginDoc() = 0;
  // A finished page of Format()'s size. An exception abandons the document.
  virtual void Page(const TBitmap& page) = 0;
  virtual void EndDoc() = 0;
  // Must not raise.
  virtual void Abort() noexcept = 0;
};

class PLOTWELL_API TPrinter {
 public:
  // The headless page: A4 at 300 pixels per inch.
  static constexpr int Resolution = 300;  // pixels per inch, both directions
  static constexpr int PageWidthPixels = 2480;
  static constexpr int PageHeightPixels = 3508;
  static constexpr TPageFormat HeadlessFormat{PageWidthPixels, PageHeightPixels, Resolution};

  TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The page canvas. Its pixels exist between BeginDoc and EndDoc; outside a
  // document it is a canvas without a surface (drawing on it does nothing).
  // Its font has the page's pixels per inch.
  TCanvas* Canvas() { return page_.Canvas(); }
  uintptr_t Handle() const;
  // The page in device pixels and the device's resolution: the sink's when
  // one is installed, else HeadlessFormat.
  int PageWidth() const { return format_.Width; }
  int PageHeight() const { return format_.Height; }
  int PixelsPerInch() const { return format_.PixelsPerInch; }
  const TPageFormat& Format() const { return format_; }
  bool Printing() const { return printing_; }

  // Starts a document on a fresh white page; a document under way is
  // abandoned first. With a sink, the page takes the sink's format, and an
  // error of the sink's (or a format too large for a bitmap) leaves the
  // printer without a document, Printing() false.
  void BeginDoc();
  // Finishes the page and starts a fresh one; nothing outside a document.
  void NewPage();
  // Finishes the last page and ends the document; nothing outside one.
  void EndDoc();
  // Abandons the document under way: the current page is dropped, a sink
  // is told to throw its pages away; the pages kept headless stay.
  void Abort();
  // The pages of the last document, in order; empty for a document that
  // went to a sink.
  const std::vector<std::unique_ptr<TBitmap>>& Pages() const { return pages_; }

  // Installs (or with nullptr removes) the device that takes the pages; the
  // printer does not own it. Not during a document: raises Exception then.
  void SetSink(TPrintSink* sink);
  TPrintSink* Sink() const { return sink_; }

 private:
  void SetFormat(const TPageFormat& format);
  void StartPage();
  void FinishPage();

  TBitmap page_;
  TPageFormat format_ = HeadlessFormat;
  TPrintSink* sink_ = nullptr;
  bool printing_ = false;
  std::vector<std::unique_ptr<TBitmap>> pages_;
};

// The framework's printer object, created on the first call.
PLOTWELL_API TPrinter* Printer();
// Whether the printer object exists yet (asking Printer() creates it).
// Inline: every mark drawn asks whether its canvas is the printer's.
namespace printer_detail {
// Exported: the libraries and the program share the one pointer.
inline PLOTWELL_API TPrinter* created = nullptr;  // set once Printer() made the object
}
inline bool PrinterCreated() { return printer_detail::created != nullptr; }

// The capability of a device: ScreenHandle or the printer's handle. The
// screen has 96 pixels per inch and square pixels; the printer has its
// current format (TPrinter::Format). An unknown handle gives 0.
PLOTWELL_API int GetDeviceCaps(uintptr_t handle, TDeviceCap cap);

}  // namespace korvo

#include "platform/graphics/Printer.h"

#include <string>

#include "platform/Exceptions.h"

namespace korvo {
namespace {
std::unique_ptr<TPrinter>& PrinterInstance() {
  static std::unique_ptr<TPrinter> printer;
  return printer;
}

std::string FormatText(const TPageFormat& f) {
  return std::to_string(f.Width) + " x " + std::to_string(f.Height) + " pixels at " +
         std::to_string(f.PixelsPerInch) + " pixels per inch";
}
}  // namespace

TPrinter::TPrinter() {
  page_.Canvas()->SetPrinterPage(true);
  SetFormat(HeadlessFormat);
}

uintptr_t TPrinter::Handle() const { return reinterpret_cast<uintptr_t>(this); }

void TPrinter::SetFormat(const TPageFormat& format) {
  format_ = format;
  page_.Canvas()->Font()->SetPixelsPerInch(format.PixelsPerInch);
}

void TPrinter::SetSink(TPrintSink* sink) {
  if (printing_) throw Exception("the printer's device cannot change while a document is printing");
  sink_ = sink;
  SetFormat(sink != nullptr ? sink->Format() : HeadlessFormat);
}

void TPrinter::BeginDoc() {
  if (printing_) Abort();
  pages_.clear();
  if (sink_ != nullptr) {
    const TPageFormat format = sink_->Format();
    if (format.Width <= 0 || format.Height <= 0 || format.PixelsPerInch <= 0) {
      throw Exception("the printer's page has no area: " + FormatText(format));
    }
    SetFormat(format);
    // The page first: a format too large for a bitmap fails before the
    // device is opened, so there is nothing to close.
    StartPage();
    try {
      sink_->BeginDoc();
    } catch (...) {
      page_.SetSize(0, 0);
      throw;
    }
  } else {
    StartPage();
  }
  printing_ = true;
}

void TPrinter::NewPage() {
  if (!printing_) return;
  FinishPage();
  StartPage();
}

void TPrinter::EndDoc() {
  if (!printing_) return;
  FinishPage();
  page_.SetSize(0, 0);
  printing_ = false;
  if (sink_ != nullptr) sink_->EndDoc();
}

void TPrinter::Abort() {
  if (!printing_) return;
  page_.SetSize(0, 0);
  printing_ = false;
  if (sink_ != nullptr) sink_->Abort();
}

void TPrinter::StartPage() {
  page_.SetSize(0, 0);
  page_.SetSize(format_.Width, format_.Height);
}

void TPrinter::FinishPage() {
  if (sink_ != nullptr) {
    try {
      sink_->Page(page_);
    } catch (...) {
      Abort();
      throw;
    }
    return;
  }
  auto done = std::make_unique<TBitmap>();
  done->Assign(page_);
  pages_.push_back(std::move(done));
}

TPrinter* Printer() {
  auto& p = PrinterInstance();
  if (!p) {
    p = std::make_unique<TPrinter>();
    printer_detail::created = p.get();
  }
  return p.get();
}

int GetDeviceCaps(uintptr_t handle, TDeviceCap cap) {
  TPageFormat device;
  if (handle == ScreenHandle) {
    device = TPageFormat{1920, 1080, 96};
  } else if (PrinterCreated() && handle == Printer()->Handle()) {
    device = Printer()->Format();
  } else {
    return 0;
  }
  switch (cap) {
    case TDeviceCap::LOGPIXELSX:
    case TDeviceCap::LOGPIXELSY:
      return device.PixelsPerInch;
    case TDeviceCap::ASPECTX:
    case TDeviceCap::ASPECTY:
      return 36;  // square pixels
    case TDeviceCap::HORZRES:
      return device.Width;
    case TDeviceCap::VERTRES:
      return device.Height;
  }
  return 0;
}

}  // namespace korvo

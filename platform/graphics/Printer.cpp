#include "platform/graphics/Printer.h"

namespace korvo {
namespace {
std::unique_ptr<TPrinter>& PrinterInstance() {
  static std::unique_ptr<TPrinter> printer;
  return printer;
}
}  // namespace

TPrinter::TPrinter() { page_.Canvas()->Font()->SetPixelsPerInch(Resolution); }

uintptr_t TPrinter::Handle() const { return reinterpret_cast<uintptr_t>(this); }

void TPrinter::BeginDoc() {
  pages_.clear();
  printing_ = true;
  StartPage();
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
}

void TPrinter::StartPage() {
  page_.SetSize(0, 0);
  page_.SetSize(PageWidthPixels, PageHeightPixels);
}

void TPrinter::FinishPage() {
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
  int ppi = 0, width = 0, height = 0;
  if (handle == ScreenHandle) {
    ppi = 96;
    width = 1920;
    height = 1080;
  } else if (PrinterCreated() && handle == Printer()->Handle()) {
    ppi = TPrinter::Resolution;
    width = TPrinter::PageWidthPixels;
    height = TPrinter::PageHeightPixels;
  } else {
    return 0;
  }
  switch (cap) {
    case TDeviceCap::LOGPIXELSX:
    case TDeviceCap::LOGPIXELSY:
      return ppi;
    case TDeviceCap::ASPECTX:
    case TDeviceCap::ASPECTY:
      return 36;  // square pixels
    case TDeviceCap::HORZRES:
      return width;
    case TDeviceCap::VERTRES:
      return height;
  }
  return 0;
}

}  // namespace korvo

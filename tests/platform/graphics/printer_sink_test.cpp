// The printer with a device behind it: the page takes the device's format,
// the finished pages go to the device in order, and a failing device leaves
// the printer without a document.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/graphics/Printer.h"

namespace korvo {
namespace {

// Records what the printer asks of it ("begin", "page 300x200 red",
// "end", "abort"); fails where told to.
class TRecordingSink : public TPrintSink {
 public:
  TPageFormat Size = {300, 200, 150};
  std::string Log;
  bool FailBegin = false;
  int FailPage = 0;  // the page (from 1) whose delivery fails; 0: none

  TPageFormat Format() const override { return Size; }
  void BeginDoc() override {
    if (FailBegin) throw std::runtime_error("device offline");
    Log += "begin; ";
  }
  void Page(const TBitmap& page) override {
    ++pages_;
    if (pages_ == FailPage) throw std::runtime_error("paper jam");
    const TColor ink = const_cast<TBitmap&>(page).Canvas()->Pixel(1, 1);
    Log += "page " + std::to_string(page.Width()) + "x" + std::to_string(page.Height()) +
           (ink == clRed ? " red" : ink == clWhite ? " white" : " other") + "; ";
  }
  void EndDoc() override { Log += "end"; }
  void Abort() noexcept override { Log += "abort"; }

 private:
  int pages_ = 0;
};

// Prints `pages` pages, the first with a red dot at (1, 1).
void PrintPages(TPrinter* printer, int pages) {
  printer->BeginDoc();
  printer->Canvas()->SetPixel(1, 1, clRed);
  for (int i = 1; i < pages; ++i) printer->NewPage();
  printer->EndDoc();
}

// Leaves the shared printer headless whatever a test does.
struct TSinkScope {
  explicit TSinkScope(TPrintSink* sink) { Printer()->SetSink(sink); }
  ~TSinkScope() {
    Printer()->Abort();
    Printer()->SetSink(nullptr);
  }
};

TEST(PrinterSink, PagesGoToTheDeviceAtItsFormatAndTheHeadlessPrinterComesBack) {
  TRecordingSink sink;
  TPrinter* printer = Printer();
  {
    TSinkScope scope(&sink);
    EXPECT_EQ(printer->Format(), sink.Size);
    EXPECT_EQ(GetDeviceCaps(printer->Handle(), TDeviceCap::HORZRES), 300);
    EXPECT_EQ(GetDeviceCaps(printer->Handle(), TDeviceCap::LOGPIXELSX), 150);
    EXPECT_EQ(printer->Canvas()->Font()->PixelsPerInch(), 150);
    // The device's page may change (a print dialog): BeginDoc asks again.
    sink.Size = {320, 180, 600};
    PrintPages(printer, 2);
    EXPECT_EQ(sink.Log, "begin; page 320x180 red; page 320x180 white; end");
    EXPECT_TRUE(printer->Pages().empty()) << "pages given to the device are not kept";
    EXPECT_EQ(printer->Canvas()->Font()->PixelsPerInch(), 600);
  }
  EXPECT_EQ(printer->Format(), TPrinter::HeadlessFormat);
  EXPECT_EQ(printer->Canvas()->Font()->PixelsPerInch(), TPrinter::Resolution);
  PrintPages(printer, 1);
  ASSERT_EQ(printer->Pages().size(), 1u);
  EXPECT_EQ(printer->Pages()[0]->Width(), TPrinter::PageWidthPixels);
}

TEST(PrinterSink, AFailingDeviceLeavesThePrinterWithoutADocument) {
  struct Case {
    const char* Name;
    TPageFormat Page;
    bool FailBegin;
    int FailPage;
    const char* Error;  // part of the message
    const char* Log;
  };
  const Case cases[] = {
      {"cannot open", {300, 200, 150}, true, 0, "device offline", ""},
      {"first page fails", {300, 200, 150}, false, 1, "paper jam", "begin; abort"},
      {"second page fails", {300, 200, 150}, false, 2, "paper jam", "begin; page 300x200 red; abort"},
      {"no area", {0, 200, 150}, false, 0, "no area: 0 x 200 pixels", ""},
      {"too large", {100000, 100000, 300}, false, 0, "too large", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TRecordingSink sink;
    sink.Size = c.Page;
    sink.FailBegin = c.FailBegin;
    sink.FailPage = c.FailPage;
    TSinkScope scope(&sink);
    try {
      PrintPages(Printer(), 3);
      ADD_FAILURE() << "no error";
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find(c.Error), std::string::npos) << e.what();
    }
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(sink.Log, c.Log);
    // Drawing now reaches no page, and the next document starts cleanly.
    Printer()->Canvas()->Rectangle(0, 0, 5, 5);
    sink = TRecordingSink{};
    PrintPages(Printer(), 1);
    EXPECT_EQ(sink.Log, "begin; page 300x200 red; end");
  }
  // The device stays while a document is printing.
  TRecordingSink sink;
  TSinkScope scope(&sink);
  Printer()->BeginDoc();
  EXPECT_THROW(Printer()->SetSink(nullptr), std::exception);
  EXPECT_EQ(Printer()->Sink(), &sink);
}

}  // namespace
}  // namespace korvo

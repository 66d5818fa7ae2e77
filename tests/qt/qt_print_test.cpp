// Printing through Qt's printer: pages drawn on the framework's printer land
// in a PDF at their size and place, rasterised back with poppler; failures
// name the file and leave none behind; the print dialog can be cancelled.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Exceptions.h"
#include "platform/graphics/Printer.h"
#include "platform/qt/QtWindowSystem.h"

namespace korvo {
namespace {

// Page `page` (from 1) of a PDF rasterised by pdftoppm at `dpi`, in grey.
QImage Rasterise(const QString& pdf, int page, int dpi) {
  const QString base = pdf + ".raster";
  QProcess p;
  p.start("pdftoppm", {"-r", QString::number(dpi), "-gray", "-png", "-singlefile", "-f", QString::number(page), "-l",
                       QString::number(page), pdf, base});
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  return QImage(base + ".png");
}

// The bounding box of the dark pixels; empty when there are none.
QRect InkBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "no error";
}

TEST(QtPrinting, PdfPagesHoldTheDrawingAtItsSizeAndPlace) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString pdf = dir.filePath("pages.pdf");
  TPdfPage format;
  format.PixelsPerInch = 200;
  format.MarginMm = 12;
  const double mm = format.PixelsPerInch / 25.4;  // device pixels per millimetre
  // One rectangle a page, in device pixels of the printable area.
  const std::vector<TRect> shapes = {Rect(200, 400, 600, 600), Rect(90, 30, 290, 630)};
  TPageFormat seen;
  PrintToPdf(pdf.toStdString(), [&] {
    TPrinter* printer = Printer();
    printer->BeginDoc();
    seen = printer->Format();
    EXPECT_EQ(GetDeviceCaps(printer->Handle(), TDeviceCap::LOGPIXELSY), format.PixelsPerInch);
    EXPECT_EQ(printer->Canvas()->Font()->PixelsPerInch(), format.PixelsPerInch);
    for (size_t i = 0; i < shapes.size(); ++i) {
      if (i > 0) printer->NewPage();
      printer->Canvas()->Brush()->SetColor(clBlack);
      printer->Canvas()->FillRect(shapes[i]);
    }
    // The last page is left open: the print job ends the document.
  }, format);
  // Qt keeps page sizes and margins in whole points.
  const double point = format.PixelsPerInch / 72.0;
  EXPECT_NEAR(seen.Width, (format.WidthMm - 2 * format.MarginMm) * mm, point);
  EXPECT_NEAR(seen.Height, (format.HeightMm - 2 * format.MarginMm) * mm, point);
  EXPECT_EQ(seen.PixelsPerInch, format.PixelsPerInch);
  // The printer is headless again.
  EXPECT_EQ(Printer()->Sink(), nullptr);
  EXPECT_EQ(Printer()->Format(), TPrinter::HeadlessFormat);

  const int dpi = 150;
  const double scale = double(dpi) / format.PixelsPerInch, margin = format.MarginMm / 25.4 * dpi;
  for (size_t i = 0; i < shapes.size(); ++i) {
    SCOPED_TRACE("page " + std::to_string(i + 1));
    const QImage page = Rasterise(pdf, int(i) + 1, dpi);
    ASSERT_FALSE(page.isNull()) << "pdftoppm could not read page " << i + 1;
    EXPECT_NEAR(page.width(), format.WidthMm / 25.4 * dpi, 1.0);
    const QRect ink = InkBox(page);
    const TRect& r = shapes[i];
    EXPECT_NEAR(ink.left(), margin + r.Left * scale, 1.5);
    EXPECT_NEAR(ink.top(), margin + r.Top * scale, 1.5);
    EXPECT_NEAR(ink.width(), r.Width() * scale, 1.5);
    EXPECT_NEAR(ink.height(), r.Height() * scale, 1.5);
  }
  EXPECT_TRUE(Rasterise(pdf, 3, dpi).isNull()) << "a page more than printed";
}

TEST(QtPrinting, PdfFailuresNameTheFileAndLeaveNoneBehind) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string kept = dir.filePath("kept.pdf").toStdString();
  {
    QFile f(QString::fromStdString(kept));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("an older file");
  }
  const auto page = [] {
    Printer()->BeginDoc();
    Printer()->Canvas()->Rectangle(0, 0, 10, 10);
  };
  const std::string missing = dir.filePath("no/such/folder/x.pdf").toStdString();
  TPdfPage no_area;
  no_area.MarginMm = 150;
  struct Case {
    const char* Name;
    std::string Path;
    std::function<void()> Job;
    TPdfPage Page;
    std::string Expected;  // part of the message
  };
  const std::vector<Case> cases = {
      {"folder missing", missing, page, {}, "'" + missing + "'"},
      {"job fails", kept, [&] { page(); throw Exception("the job failed"); }, {}, "the job failed"},
      {"nothing printed", kept, [] {}, {}, "'" + kept + "': nothing was printed"},
      {"no printable area", kept, page, no_area, "MarginMm"},
      {"printing inside a print job", kept,
       [&] { PrintToPdf(kept, page); }, {}, "a print job is under way already"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string message = Message([&] { PrintToPdf(c.Path, c.Job, c.Page); });
    EXPECT_NE(message.find(c.Expected), std::string::npos) << message;
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(Printer()->Sink(), nullptr);
    QFile f(QString::fromStdString(kept));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "an older file");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.pdf"}) << "a file left behind";
  }
}

TEST(QtPrinting, TheDialogCancelledPrintsNothing) {
  bool ran = false;
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
  });
  cancel.start(20);
  EXPECT_FALSE(PrintWithDialog([&] { ran = true; }));
  EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace korvo

// Printing through Qt: a print sink that draws each finished page of the
// framework's printer onto a QPrinter, and the print functions of
// QtWindowSystem.h around it.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/Exceptions.h"
#include "platform/graphics/Printer.h"
#include "platform/qt/QtWindowSystem.h"

namespace korvo {
namespace {

// The most pixels per inch a page from the print dialog is drawn at: an A4
// page at 600 is 140 MB of pixels already, and no printer shows more.
constexpr int kDialogMaxResolution = 600;

class TQtPrintSink final : public TPrintSink {
 public:
  // `device` names the printer in messages ("the PDF file '...'").
  TQtPrintSink(QPrinter& printer, std::string device) : printer_(printer), device_(std::move(device)) {}

  // The printable area: a painter on a QPrinter has its origin there.
  TPageFormat Format() const override {
    const QRectF area = printer_.pageRect(QPrinter::DevicePixel);
    return TPageFormat{int(std::floor(area.width())), int(std::floor(area.height())), printer_.resolution()};
  }

  void BeginDoc() override {
    if (documents_ > 0) throw Exception("a print job prints one document; " + device_ + " has one already");
    painter_.emplace();
    if (!painter_->begin(&printer_)) {
      painter_.reset();
      throw Exception("cannot print to " + device_);
    }
    // A chart's lines and text are pixels: no JPEG blur at their edges.
    painter_->setRenderHint(QPainter::LosslessImageRendering);
    ++documents_;
  }

  void Page(const TBitmap& page) override {
    if (pages_ > 0 && !printer_.newPage()) throw Exception("cannot start page " + std::to_string(pages_ + 1) + " on " + device_);
    // The page's rows are 0xFFRRGGBB words, Qt's RGB32, read in place; one
    // bitmap pixel is one device pixel.
    const QImage image(reinterpret_cast<const uchar*>(page.ScanLine(0)), page.Width(), page.Height(),
                       qsizetype(page.Width()) * qsizetype(sizeof(TPixel)), QImage::Format_RGB32);
    painter_->drawImage(QPoint(0, 0), image);
    ++pages_;
  }

  void EndDoc() override {
    const bool ended = painter_->end();
    painter_.reset();
    if (!ended || printer_.printerState() == QPrinter::Error) throw Exception("printing to " + device_ + " failed");
  }

  void Abort() noexcept override {
    printer_.abort();
    painter_.reset();
  }

  int Pages() const { return pages_; }

 private:
  QPrinter& printer_;
  std::string device_;
  std::optional<QPainter> painter_;
  int documents_ = 0;
  int pages_ = 0;
};

void RequireApplication(const char* what) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    throw Exception(std::string(what) + " needs a QApplication: make one, or the Qt window system, first");
  }
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

int Print(QPrinter& printer, const std::string& device, const std::function<void()>& job) {
  TPrinter* printing = Printer();
  if (printing->Sink() != nullptr || printing->Printing()) throw Exception("a print job is under way already");
  TQtPrintSink sink(printer, device);
  printing->SetSink(&sink);
  try {
    job();
    // A document left open is ended for the job: nothing drawn is lost.
    if (printing->Printing()) printing->EndDoc();
  } catch (...) {
    printing->Abort();
    printing->SetSink(nullptr);
    throw;
  }
  printing->SetSink(nullptr);
  return sink.Pages();
}

}  // namespace

int PrintOn(QPrinter& printer, const std::function<void()>& job) {
  RequireApplication("printing");
  const QString name = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
  return Print(printer, "the printer " + Quoted(name.toStdString()), job);
}

bool PrintWithDialog(const std::function<void()>& job, QWidget* parent) {
  RequireApplication("the print dialog");
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  if (printer.resolution() > kDialogMaxResolution) printer.setResolution(kDialogMaxResolution);
  PrintOn(printer, job);
  return true;
}

void PrintToPdf(const std::string& path, const std::function<void()>& job, const TPdfPage& page) {
  RequireApplication("printing to PDF");
  const auto check = [&](bool ok, const std::string& what) {
    if (!ok) throw Exception("cannot print to the PDF file " + Quoted(path) + ": " + what);
  };
  check(!path.empty(), "the path is empty");
  check(std::isfinite(page.WidthMm) && page.WidthMm > 0, "TPdfPage::WidthMm must be above 0");
  check(std::isfinite(page.HeightMm) && page.HeightMm > 0, "TPdfPage::HeightMm must be above 0");
  check(std::isfinite(page.MarginMm) && page.MarginMm >= 0 && 2 * page.MarginMm < std::min(page.WidthMm, page.HeightMm),
        "TPdfPage::MarginMm must leave a printable area");
  check(page.PixelsPerInch >= 1 && page.PixelsPerInch <= 2400, "TPdfPage::PixelsPerInch must be 1 .. 2400");

  // Written beside the target under a name of its own, renamed onto it
  // when complete.
  const QString target = QString::fromStdString(path);
  QTemporaryFile part(target + ".XXXXXX.part");
  if (!part.open()) check(false, part.errorString().toStdString());
  part.close();
  part.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(part.fileName());
  printer.setResolution(page.PixelsPerInch);
  const QPageSize size(QSizeF(page.WidthMm, page.HeightMm), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
  const QPageLayout::Orientation orientation =
      page.WidthMm > page.HeightMm ? QPageLayout::Landscape : QPageLayout::Portrait;
  const QMarginsF margins(page.MarginMm, page.MarginMm, page.MarginMm, page.MarginMm);
  check(printer.setPageLayout(QPageLayout(size, orientation, margins, QPageLayout::Millimeter)),
        "Qt refused the page size and margins");

  const int pages = Print(printer, "the PDF file " + Quoted(path), job);
  check(pages > 0, "nothing was printed");
  if (std::rename(part.fileName().toLocal8Bit().constData(), target.toLocal8Bit().constData()) != 0) {
    check(false, std::strerror(errno));
  }
  part.setAutoRemove(false);
}

}  // namespace korvo

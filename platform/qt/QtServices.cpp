// The clipboard, the message box and the screen on Qt.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/qt/QtWindowSystem_p.h"

namespace korvo {

// --- clipboard -----------------------------------------------------------------

void TQtWindowSystem::SetClipboardBitmap(const TBitmap& bitmap) {
  // The clipboard keeps its own copy: the bitmap may change or go.
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    std::memcpy(image.scanLine(y), bitmap.ScanLine(y), size_t(bitmap.Width()) * sizeof(TPixel));
  }
  QGuiApplication::clipboard()->setImage(image);
}

bool TQtWindowSystem::ClipboardHasBitmap() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data != nullptr && data->hasImage();
}

bool TQtWindowSystem::GetClipboardBitmap(TBitmap& bitmap) const {
  const QImage image = QGuiApplication::clipboard()->image();
  if (image.isNull()) return false;
  // Straight alpha, so that transparent parts can be composed onto white,
  // as a transparent PNG reads.
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  bitmap.SetSize(argb.width(), argb.height());
  bitmap.SetPixelFormat(TPixelFormat::pf32bit);
  for (int y = 0; y < argb.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    TPixel* dst = bitmap.ScanLine(y);
    for (int x = 0; x < argb.width(); ++x) {
      const QRgb p = src[x];
      const uint32_t a = uint32_t(qAlpha(p));
      auto over_white = [a](uint32_t c) { return (c * a + 255u * (255u - a) + 127u) / 255u; };
      dst[x] = 0xFF000000u | (over_white(uint32_t(qRed(p))) << 16) | (over_white(uint32_t(qGreen(p))) << 8) |
               over_white(uint32_t(qBlue(p)));
    }
  }
  return true;
}

void TQtWindowSystem::ClearClipboard() { QGuiApplication::clipboard()->clear(); }

// --- message box ---------------------------------------------------------------

int TQtWindowSystem::MessageBox(const std::string& text, const std::string& caption, int flags) {
  // The box runs an event loop: widgets destroyed meanwhile wait for it.
  TScope scope(this);
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (flags & 0xF0) {
    case MB_ICONERROR:
      icon = QMessageBox::Critical;
      break;
    case MB_ICONQUESTION:
      icon = QMessageBox::Question;
      break;
    case MB_ICONWARNING:
      icon = QMessageBox::Warning;
      break;
    case MB_ICONINFORMATION:
      icon = QMessageBox::Information;
      break;
    default:
      break;
  }
  struct TChoice {
    QMessageBox::StandardButton Button;
    int Answer;
  };
  std::vector<TChoice> choices;
  switch (flags & 0x0F) {
    case MB_OKCANCEL:
      choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
      break;
    case MB_YESNOCANCEL:
      choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
      break;
    case MB_YESNO:
      choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
      break;
    default:  // MB_OK, and styles without buttons of their own here
      choices = {{QMessageBox::Ok, IDOK}};
      break;
  }
  // On the heap: a parent that goes while the box runs takes the box along.
  QPointer<QMessageBox> box =
      new QMessageBox(icon, QString::fromUtf8(caption.data(), qsizetype(caption.size())),
                      QString::fromUtf8(text.data(), qsizetype(text.size())), QMessageBox::NoButton,
                      QApplication::activeWindow());
  for (const TChoice& c : choices) box->addButton(c.Button);
  box->setDefaultButton(choices.front().Button);
  // Closing the box: Cancel where there is one, No for Yes/No, OK for OK
  // (Qt finds that button itself).
  box->exec();
  auto offers = [&choices](int answer) {
    return std::any_of(choices.begin(), choices.end(), [answer](const TChoice& c) { return c.Answer == answer; });
  };
  int answer = offers(IDCANCEL) ? IDCANCEL : offers(IDNO) ? IDNO : IDOK;
  if (box) {
    const QMessageBox::StandardButton pressed = box->standardButton(box->clickedButton());
    for (const TChoice& c : choices) {
      if (c.Button == pressed) answer = c.Answer;
    }
    delete box.data();
  }
  return answer;
}

// --- screen --------------------------------------------------------------------

int TQtWindowSystem::ScreenPixelsPerInch() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return 96;
  return std::max(1, int(std::lround(screen->logicalDotsPerInch())));
}

TSize TQtWindowSystem::ScreenSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return TSize{1920, 1080};
  return TSize{screen->size().width(), screen->size().height()};
}

}  // namespace korvo

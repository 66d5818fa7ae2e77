// Cursors: Qt's shapes for the standard cursors, and the program's own built
// from their registered images. A handle is an index into the table (plus
// one); a cursor once made stays until the window system goes.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <cctype>

#include "platform/framework/CursorResources.h"
#include "platform/qt/QtWindowSystem_p.h"

namespace korvo {

Qt::CursorShape CursorShapeOf(TCursor cursor) {
  switch (cursor) {
    case crNone:
      return Qt::BlankCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
      return Qt::WaitCursor;
    case crDrag:
      return Qt::DragMoveCursor;
    case crNoDrop:
    case crNo:
      return Qt::ForbiddenCursor;
    case crHSplit:
      return Qt::SplitHCursor;
    case crVSplit:
      return Qt::SplitVCursor;
    case crMultiDrag:
      return Qt::DragCopyCursor;
    case crSQLWait:
    case crAppStart:
      return Qt::BusyCursor;
    case crHelp:
      return Qt::WhatsThisCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:
      return Qt::ArrowCursor;  // crDefault, crArrow and numbers without a cursor
  }
}

QCursor CursorFromImage(const TCursorImage& image) {
  QImage pixels(image.Width, image.Height, QImage::Format_ARGB32);
  for (int32_t y = 0; y < image.Height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
    for (int32_t x = 0; x < image.Width; ++x) {
      switch (image.At(x, y)) {
        case TCursorPixel::cpBlack:
          row[x] = qRgba(0, 0, 0, 255);
          break;
        case TCursorPixel::cpWhite:
          row[x] = qRgba(255, 255, 255, 255);
          break;
        case TCursorPixel::cpTransparent:
          row[x] = qRgba(0, 0, 0, 0);
          break;
      }
    }
  }
  return QCursor(QPixmap::fromImage(pixels), image.HotSpot.X, image.HotSpot.Y);
}

TCursorHandle TQtWindowSystem::AddCursor(QCursor cursor) {
  cursors_.push_back(std::make_unique<QCursor>(std::move(cursor)));
  return TCursorHandle(cursors_.size());
}

const QCursor* TQtWindowSystem::Cursor(TCursorHandle handle) const {
  if (handle == 0 || handle > cursors_.size()) return nullptr;
  return cursors_[handle - 1].get();
}

TCursorHandle TQtWindowSystem::StandardCursor(TCursor cursor) {
  const auto it = standard_cursors_.find(cursor);
  if (it != standard_cursors_.end()) return it->second;
  const TCursorHandle handle = AddCursor(QCursor(CursorShapeOf(cursor)));
  standard_cursors_[cursor] = handle;
  return handle;
}

TCursorHandle TQtWindowSystem::LoadCursor(const std::string& resource_name) {
  if (resource_name.empty()) return 0;
  std::string key = resource_name;
  for (char& c : key) c = char(std::toupper(static_cast<unsigned char>(c)));
  const auto it = loaded_cursors_.find(key);
  if (it != loaded_cursors_.end()) return it->second;
  // Not remembered when missing: the program may register it later.
  const TCursorImage* image = FindCursorResource(resource_name);
  if (image == nullptr) return 0;
  const TCursorHandle handle = AddCursor(CursorFromImage(*image));
  loaded_cursors_[key] = handle;
  return handle;
}

void TQtWindowSystem::SetScreenCursor(TCursorHandle cursor) {
  const QCursor* c = Cursor(cursor);
  if (c == nullptr) {
    if (screen_cursor_ != 0) QGuiApplication::restoreOverrideCursor();
    screen_cursor_ = 0;
    return;
  }
  // The chart sets the screen cursor at every mouse move: only a change
  // goes to Qt.
  if (cursor == screen_cursor_) return;
  if (screen_cursor_ != 0) {
    QGuiApplication::changeOverrideCursor(*c);
  } else {
    QGuiApplication::setOverrideCursor(*c);
  }
  screen_cursor_ = cursor;
}

}  // namespace korvo

// The Qt window system: its lifetime, the windows of the controls, the
// repaint protocol and the event loop. Input is in QtInput.cpp, cursors in
// QtCursors.cpp, the clipboard, message box and screen in QtServices.cpp.
#include <QApplication>
#include <QEventLoop>
#include <QPaintEvent>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/Exceptions.h"
#include "platform/framework/Application.h"
#include "platform/framework/StdCtrls.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/qt/QtWindowSystem_p.h"

namespace korvo {
namespace {

TQtWindowSystem* g_instance = nullptr;

QColor QColorOf(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

QString QStringOf(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// A top-level form's client area lies inside the frame the framework
// reckons with; other windows are all client area.
bool HasFormFrame(const TWinControl* control) {
  return control->Parent() == nullptr && dynamic_cast<const TForm*>(control) != nullptr;
}

}  // namespace

TQtWindowSystem::TQtWindowSystem(int& argc, char** argv) {
  if (g_instance != nullptr) throw Exception("a Qt window system exists already");
  QCoreApplication* existing = QCoreApplication::instance();
  if (existing == nullptr) {
    own_app_ = std::make_unique<QApplication>(argc, argv);
    // The framework ends the program (closing the main form), not Qt.
    QGuiApplication::setQuitOnLastWindowClosed(false);
  } else if (qobject_cast<QApplication*>(existing) == nullptr) {
    throw Exception("the Qt window system needs a QApplication; the program made a Qt application without widgets");
  }
  pump_ = std::make_unique<QObject>();
  g_instance = this;
}

TQtWindowSystem::~TQtWindowSystem() {
  // Controls whose owning widget went while a handler ran go now, while
  // their window system is still the installed one.
  DeleteOrphans();
  if (WindowSystem() == this) InstallWindowSystem(nullptr);
  SetScreenCursor(0);
  // Cut every widget off from its control first: deleting widgets sends
  // them events, and the controls may outlive us.
  std::vector<QPointer<QWidget>> widgets;
  for (auto& [control, window] : windows_) {
    if (window.Widget) {
      Detach(window.Widget);
      widgets.push_back(window.Widget);
    }
  }
  for (QPointer<QWidget>& w : destroyed_) widgets.push_back(w);
  windows_.clear();
  destroyed_.clear();
  hovered_ = captured_ = nullptr;
  capture_root_ = nullptr;
  // A parent deletes its children, whose pointers then read null.
  for (QPointer<QWidget>& w : widgets) delete w.data();
  work_.clear();
  cursors_.clear();
  pump_.reset();
  g_instance = nullptr;
  own_app_.reset();
}

void TQtWindowSystem::Guarded(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    try {
      Application()->HandleException(e);
    } catch (const std::exception& again) {
      // Nothing may escape into Qt's event handling.
      std::fprintf(stderr, "plotwell: exception in the exception handler: %s\n", again.what());
    }
  } catch (...) {
    Guarded([] { throw Exception("an unknown exception escaped an event handler"); });
  }
}

// --- windows -------------------------------------------------------------------

TQtWindowSystem::TWindow* TQtWindowSystem::Find(const TWinControl* control) {
  const auto it = windows_.find(control);
  return it == windows_.end() ? nullptr : &it->second;
}

QWidget* TQtWindowSystem::Widget(const TWinControl* control) const {
  const auto it = windows_.find(control);
  return it == windows_.end() ? nullptr : it->second.Widget.data();
}

QWidget* TQtWindowSystem::HostWidget(TWinControl* control, THostOwnership ownership) {
  if (!control->HandleAllocated()) {
    // Only a control without framework parent is hosted; windows of parents
    // made on the way are the framework's own.
    hosting_ = control->Parent() == nullptr;
    try {
      control->HandleNeeded();
    } catch (...) {
      hosting_ = false;
      throw;
    }
    hosting_ = false;
  }
  TWindow* window = Find(control);
  if (window == nullptr) return nullptr;
  window->OwnsControl = control->Parent() == nullptr && ownership == THostOwnership::hoWidget;
  return window->Widget.data();
}

void TQtWindowSystem::WidgetDeleted(QWidget* widget, TWinControl* control) {
  TWindow* window = Find(control);
  if (window == nullptr || window->Widget.data() != widget) return;
  window->Widget = nullptr;
  if (!window->OwnsControl || control->Parent() != nullptr || control->IsDestroying()) return;
  if (depth_ > 0 || destroying_ > 0) {
    // A handler of ours may be running on the control.
    orphans_.push_back(control);
    ScheduleDelete();
    return;
  }
  delete control;
}

void TQtWindowSystem::DeleteOrphans() {
  // Deleting one may delete another (its owner's components): each removes
  // itself from the list as it goes (ControlDestroyed).
  while (!orphans_.empty()) delete orphans_.back();
}

TWindowHandle TQtWindowSystem::CreateWindow(TWinControl* control, TWindowClass window_class) {
  QWidget* parent = control->Parent() != nullptr ? Widget(control->Parent()) : nullptr;
  QWidget* widget = nullptr;
  if (window_class == TWindowClass::wcButton) {
    auto* button = new TQtButtonWidget(this, control, parent);
    button->setText(QStringOf(control->Text()));
    ApplyFont(button, *control->Font());
    widget = button;
  } else {
    widget = new TQtSurfaceWidget(this, control, parent);
  }
  TWindow& window = windows_[control];
  window.Widget = widget;
  window.Class = window_class;
  window.TopLevel = parent == nullptr;
  if (window.TopLevel) widget->setWindowTitle(QStringOf(control->Text()));
  ApplyBounds(window, control);
  widget->setEnabled(control->Enabled());
  widget->setFocusPolicy(control->Focusable() ? Qt::StrongFocus : Qt::NoFocus);
  SetWindowCursor(control, control->Cursor());
  SetWindowHint(control, control->ShowHint() ? control->Hint() : std::string());
  // A hosted widget shows with the Qt parent it is given; it must not pop
  // up as a window of its own before.
  const bool visible = control->Visible();
  if (!(hosting_ && window.TopLevel) || !visible) widget->setVisible(visible);
  return next_handle_++;
}

void TQtWindowSystem::Detach(QWidget* widget) {
  if (auto* s = dynamic_cast<TQtSurfaceWidget*>(widget)) s->Detach();
  if (auto* b = dynamic_cast<TQtButtonWidget*>(widget)) b->Detach();
}

void TQtWindowSystem::DestroyWindow(TWinControl* control) {
  const auto it = windows_.find(control);
  if (it == windows_.end()) return;
  const QPointer<QWidget> widget = it->second.Widget;
  windows_.erase(it);
  if (capture_root_ == control) EndCapture();
  if (hovered_ != nullptr && (hovered_ == control || hovered_->Parent() == control)) hovered_ = nullptr;
  if (!widget) return;
  // Hiding sends enter and leave events to the widgets around, whose
  // controls may be halfway through their destruction: input waits.
  ++destroying_;
  Detach(widget);
  widget->hide();
  --destroying_;
  // The widget may be running the handler that destroyed its control, so
  // it is deleted when no handler of ours runs.
  destroyed_.push_back(widget);
  ScheduleDelete();
}

void TQtWindowSystem::ScheduleDelete() {
  if (delete_scheduled_ || !pump_) return;
  delete_scheduled_ = true;
  QMetaObject::invokeMethod(
      pump_.get(),
      [this] {
        delete_scheduled_ = false;
        DeleteDestroyedWidgets();
      },
      Qt::QueuedConnection);
}

void TQtWindowSystem::DeleteDestroyedWidgets() {
  // With a handler of ours running, the last one to return asks again.
  if (depth_ > 0 || destroying_ > 0) return;
  std::vector<QPointer<QWidget>> widgets;
  widgets.swap(destroyed_);
  for (QPointer<QWidget>& w : widgets) delete w.data();
  DeleteOrphans();
}

void TQtWindowSystem::ApplyBounds(TWindow& window, TWinControl* control) {
  QWidget* widget = window.Widget;
  if (widget == nullptr) return;
  applying_ = true;
  if (widget->isWindow()) {
    // Left and Top place the frame; the widget is the client area.
    widget->move(control->Left(), control->Top());
    widget->resize(std::max(0, control->ClientWidth()), std::max(0, control->ClientHeight()));
  } else {
    widget->setGeometry(control->Left(), control->Top(), control->Width(), control->Height());
  }
  applying_ = false;
}

void TQtWindowSystem::GeometryChanged(QWidget* widget, TWinControl* control) {
  if (applying_ || InputBlocked(control)) return;
  TRect want;
  if (widget->isWindow()) {
    const TRect f = HasFormFrame(control) ? FormFrame() : TRect{};
    const QPoint pos = widget->pos();
    want = TRect{pos.x(), pos.y(), pos.x() + widget->width() + f.Left + f.Right,
                 pos.y() + widget->height() + f.Top + f.Bottom};
  } else {
    const QRect g = widget->geometry();
    want = TRect{g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
  }
  if (want == control->BoundsRect()) return;
  Guarded([&] { control->SetBounds(want.Left, want.Top, int(want.Width()), int(want.Height())); });
  // A size the control refused (constraints, OnCanResize) is put back.
  // (A handler may have destroyed the control: look it up by address.)
  if (TWindow* window = Find(control); window != nullptr && window->Widget == widget) {
    const bool size_kept = widget->isWindow()
                               ? widget->width() == std::max(0, control->ClientWidth()) &&
                                     widget->height() == std::max(0, control->ClientHeight())
                               : widget->width() == control->Width() && widget->height() == control->Height();
    if (!size_kept) ApplyBounds(*window, control);
  }
}

void TQtWindowSystem::CloseRequested(TWinControl* control) {
  if (InputBlocked(control)) return;
  if (auto* form = dynamic_cast<TForm*>(control)) {
    Guarded([form] { form->Close(); });
  } else {
    Guarded([control] { control->Hide(); });
  }
}

void TQtWindowSystem::SetWindowBounds(TWinControl* control, const TRect&) {
  if (TWindow* w = Find(control)) ApplyBounds(*w, control);
}

void TQtWindowSystem::SetWindowVisible(TWinControl* control, bool visible) {
  TWindow* w = Find(control);
  if (w == nullptr || !w->Widget) return;
  w->Widget->setVisible(visible);
  // The last window gone may leave nothing to wait for.
  if (!visible && w->TopLevel) WakeUp();
}

void TQtWindowSystem::SetWindowText(TWinControl* control, const std::string& text) {
  TWindow* w = Find(control);
  if (w == nullptr || !w->Widget) return;
  if (auto* button = dynamic_cast<QPushButton*>(w->Widget.data())) button->setText(QStringOf(text));
  if (w->Widget->isWindow()) w->Widget->setWindowTitle(QStringOf(text));
}

void TQtWindowSystem::SetWindowEnabled(TWinControl* control, bool enabled) {
  TWindow* w = Find(control);
  if (w != nullptr && w->Widget) w->Widget->setEnabled(enabled);
}

void TQtWindowSystem::SetWindowFont(TWinControl* control, const TFont& font) {
  TWindow* w = Find(control);
  if (w != nullptr && w->Widget && w->Class == TWindowClass::wcButton) ApplyFont(w->Widget, font);
}

void TQtWindowSystem::ApplyFont(QWidget* widget, const TFont& font) {
  QFont f(QStringOf(font.Name()));
  // An unknown family ("MS Sans Serif") falls back to a sans face, as the
  // canvas's text does.
  f.setStyleHint(QFont::SansSerif);
  // Qt sizes by the em; a positive Height (the cell) is taken for it, which
  // is a pixel or two large.
  const int height = font.Height();
  if (height != 0) f.setPixelSize(std::max(1, height < 0 ? -height : height));
  const TFontStyles style = font.Style();
  f.setBold(style.Contains(TFontStyle::fsBold));
  f.setItalic(style.Contains(TFontStyle::fsItalic));
  f.setUnderline(style.Contains(TFontStyle::fsUnderline));
  f.setStrikeOut(style.Contains(TFontStyle::fsStrikeOut));
  widget->setFont(f);
  // The text colour of an enabled button only: disabled text stays grey.
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Active, QPalette::ButtonText, QColorOf(font.Color()));
  palette.setColor(QPalette::Inactive, QPalette::ButtonText, QColorOf(font.Color()));
  widget->setPalette(palette);
}

void TQtWindowSystem::SetWindowCursor(TWinControl* control, TCursor cursor) {
  TWindow* w = Find(control);
  if (w == nullptr || !w->Widget) return;
  const QCursor* c = cursor == crDefault ? nullptr : Cursor(Screen()->Cursors(cursor));
  if (c != nullptr) {
    w->Widget->setCursor(*c);
  } else {
    w->Widget->unsetCursor();
  }
}

// A control that takes the focus takes it by a click and by Tab.
void TQtWindowSystem::SetWindowFocusable(TWinControl* control, bool focusable) {
  TWindow* w = Find(control);
  if (w == nullptr || !w->Widget) return;
  w->Widget->setFocusPolicy(focusable ? Qt::StrongFocus : Qt::NoFocus);
  if (!focusable && w->Widget->hasFocus()) w->Widget->clearFocus();
}

void TQtWindowSystem::SetWindowHint(TWinControl* control, const std::string& hint) {
  TWindow* w = Find(control);
  if (w != nullptr && w->Widget) w->Widget->setToolTip(QStringOf(hint));
}

// --- painting ------------------------------------------------------------------

void TQtWindowSystem::InvalidateWindow(TWinControl* control) {
  MarkScaledStale(control);
  TWindow* w = Find(control);
  if (w != nullptr && w->Widget) w->Widget->update();
}

void TQtWindowSystem::PresentWindow(TWinControl* control) {
  MarkScaledStale(control);
  // From inside the paint of this control: that paint shows the surface.
  if (control == painting_) return;
  TWindow* w = Find(control);
  if (w != nullptr && w->Widget) w->Widget->update();
}

void TQtWindowSystem::MarkScaledStale(const TWinControl* control) {
  TWindow* w = Find(control);
  if (w != nullptr && w->Scaled) w->Scaled->Stale = true;
}

void TQtWindowSystem::Paint(QWidget* widget, TWinControl* control, QPaintEvent* e) {
  const QRect area = e->rect();
  QPainter painter(widget);
  if (control == nullptr || control->IsDestroying()) {
    painter.fillRect(area, widget->palette().window());
    return;
  }
  if (control->PaintPending()) {
    painting_ = control;
    try {
      control->PaintWindow();
    } catch (...) {
      // Handled after this paint: a message box must not run inside it.
      PostWork([error = std::current_exception()] { std::rethrow_exception(error); });
    }
    painting_ = nullptr;
    // The paint may have destroyed the control.
    if (Find(control) == nullptr) {
      painter.fillRect(area, widget->palette().window());
      return;
    }
  }
  const TBitmap* surface = control->Surface();
  QRect shown;
  // The ratio of the device really painted on (a screen's backing store, or
  // the image of QWidget::render and grab).
  const QPaintEngine* engine = painter.paintEngine();
  const double ratio = engine != nullptr && engine->paintDevice() != nullptr
                           ? engine->paintDevice()->devicePixelRatioF()
                           : 1.0;
  bool scaled = false;
  if (ratio != 1.0 && surface != nullptr && !surface->Empty()) {
    scaled = DrawScaled(control, *surface, ratio, painter);
    // The control's handlers may have destroyed it while it drew.
    if (!scaled && Find(control) == nullptr) {
      painter.fillRect(area, widget->palette().window());
      return;
    }
  }
  if (scaled) {
    shown = QRect(0, 0, surface->Width(), surface->Height());
  } else if (surface != nullptr && !surface->Empty()) {
    // The surface's rows are 0xFFRRGGBB words, which is Qt's RGB32: the
    // image reads them in place, and the paint is one blit of the area.
    const QImage image(reinterpret_cast<const uchar*>(surface->ScanLine(0)), surface->Width(), surface->Height(),
                       qsizetype(surface->Width()) * qsizetype(sizeof(TPixel)), QImage::Format_RGB32);
    painter.drawImage(area.topLeft(), image, area);
    shown = QRect(0, 0, surface->Width(), surface->Height());
  }
  if (!shown.contains(area)) {
    // Beyond the surface (a resize under way): the control's colour.
    const QRegion rest = QRegion(area).subtracted(QRegion(shown));
    const QColor color = QColorOf(control->Color());
    for (const QRect& r : rest) painter.fillRect(r, color);
  }
  if (!scaled) {
    TWindow* w = Find(control);
    if (w != nullptr && w->Scaled) w->Scaled->InStep = false;
  }
  control->SurfacePresented();
}

namespace {

// The smallest rectangle holding every pixel in which the surface differs
// from `drawn` (its pixels as they were); empty when none does.
TRect ChangedPixels(const TBitmap& surface, const std::vector<TPixel>& drawn) {
  const int w = surface.Width(), h = surface.Height();
  TRect r{w, h, 0, 0};
  for (int y = 0; y < h; ++y) {
    const TPixel* now = surface.ScanLine(y);
    const TPixel* was = drawn.data() + size_t(y) * size_t(w);
    if (std::memcmp(now, was, size_t(w) * sizeof(TPixel)) == 0) continue;
    int left = 0, right = w;
    while (now[left] == was[left]) ++left;
    while (now[right - 1] == was[right - 1]) --right;
    r = TRect{std::min(r.Left, left), std::min(r.Top, y), std::max(r.Right, right), y + 1};
  }
  return r.Left < r.Right ? r : TRect{};
}

bool HasGraphicChildren(const TWinControl* control) {
  for (int i = 0; i < control->ControlCount(); ++i) {
    const TControl* c = control->Controls(i);
    if (c->Visible() && dynamic_cast<const TWinControl*>(c) == nullptr) return true;
  }
  return false;
}

}  // namespace

bool TQtWindowSystem::DrawScaled(TWinControl* control, const TBitmap& surface, double ratio, QPainter& painter) {
  TWindow* window = Find(control);
  // Graphic children are drawn into the surface by the framework, not by
  // the control: only the enlarged surface shows them.
  if (window == nullptr || !(ratio > 0) || HasGraphicChildren(control)) return false;
  const int sw = surface.Width(), sh = surface.Height();
  // Every device pixel the control covers, a part of one included.
  const double dw = std::ceil(sw * ratio - 1e-6), dh = std::ceil(sh * ratio - 1e-6);
  if (!(dw >= 1 && dh >= 1 && dw <= 32767 && dh <= 32767)) return false;
  if (!window->Scaled) window->Scaled = std::make_unique<TScaledPicture>();
  // Held here while the control draws: a handler it runs may destroy the
  // window, or make others and move the table.
  std::unique_ptr<TScaledPicture> picture = std::move(window->Scaled);
  TScaledPicture& s = *picture;
  const bool fresh = s.Image.isNull() || s.Ratio != ratio || s.SurfaceWidth != sw || s.SurfaceHeight != sh;
  bool shown = true;
  if (fresh || s.Stale) {
    TRect changed{0, 0, sw, sh};
    // Changes the control reported are drawn without keeping their pixels
    // in Drawn (a copy a frame saved); others are found by comparing.
    bool reported = false;
    if (fresh) {
      s.Image = QImage(int(dw), int(dh), QImage::Format_RGB32);
      // A last row or column only partly the control's keeps its colour.
      s.Image.fill(QColorOf(control->Color()));
      s.Drawn.assign(size_t(sw) * size_t(sh), 0);
      s.Declined = false;
    } else if (s.Declined) {
      changed = TRect{0, 0, sw, sh};
    } else if (s.InStep && control->SurfaceChanges(changed)) {
      reported = true;
    } else {
      changed = UnionRect(ChangedPixels(surface, s.Drawn), s.Unrecorded);
    }
    s.InStep = true;
    s.Stale = false;
    s.Ratio = ratio;
    s.SurfaceWidth = sw;
    s.SurfaceHeight = sh;
    if (s.Image.isNull()) {
      shown = false;  // no memory for it
    } else if (changed.Left < changed.Right) {
      const TPixelSurface target{reinterpret_cast<TPixel*>(s.Image.bits()), int32_t(dw), int32_t(dh),
                                 ptrdiff_t(s.Image.bytesPerLine() / qsizetype(sizeof(TPixel)))};
      painting_ = control;
      try {
        shown = control->PaintScaled(target, ratio, changed);
      } catch (...) {
        // Handled after this paint, as an exception of Paint is.
        PostWork([error = std::current_exception()] { std::rethrow_exception(error); });
        shown = false;
      }
      painting_ = nullptr;
      if (surface.Width() != sw || surface.Height() != sh) {
        // Resized by a handler while drawing: drawn afresh next time.
        s.Image = QImage();
        shown = false;
      } else if (reported) {
        s.Unrecorded = UnionRect(s.Unrecorded, changed);
      } else if (shown) {
        // Outside `changed` the pixels are the same already.
        s.Unrecorded = TRect{};
        for (int y = changed.Top; y < changed.Bottom; ++y) {
          std::memcpy(s.Drawn.data() + size_t(y) * size_t(sw) + size_t(changed.Left), surface.ScanLine(y) + changed.Left,
                      size_t(changed.Right - changed.Left) * sizeof(TPixel));
        }
      }
    }
    // Until the surface is shown anew, the enlarged surface stands in.
    s.Declined = !shown;
  } else {
    shown = !s.Declined;
  }
  window = Find(control);
  if (window == nullptr) return false;
  window->Scaled = std::move(picture);
  if (!shown) return false;
  // Device pixel for device pixel: the painter's scale undone, so that Qt
  // copies the rows (an image of the ratio would be drawn through its
  // scaling path at fractional ratios).
  painter.save();
  painter.scale(1 / ratio, 1 / ratio);
  painter.drawImage(QPointF(0, 0), s.Image);
  painter.restore();
  return true;
}

// --- event loop ----------------------------------------------------------------

void TQtWindowSystem::ProcessMessages() {
  const uint64_t limit = next_work_;
  // From inside a paint (an OnPaint handler keeping the program responsive)
  // Qt must not deliver events or paint again: only the work runs.
  if (painting_ != nullptr) {
    RunPostedWork(limit);
    return;
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  RunPostedWork(limit);
  // The paints the work asked for.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  DeleteDestroyedWidgets();
}

void TQtWindowSystem::RunPostedWork(uint64_t limit) {
  while (!work_.empty() && work_.front().Number < limit) {
    const std::function<void()> run = std::move(work_.front().Run);
    work_.pop_front();
    Guarded(run);
  }
}

void TQtWindowSystem::PostWork(std::function<void()> work) {
  work_.push_back(TWork{next_work_++, std::move(work)});
  if (work_scheduled_ || !pump_) return;
  work_scheduled_ = true;
  QMetaObject::invokeMethod(
      pump_.get(),
      [this] {
        work_scheduled_ = false;
        // What this work posts gets a turn of its own (PostWork asks again).
        RunPostedWork(next_work_);
      },
      Qt::QueuedConnection);
}

bool TQtWindowSystem::AnyWindowVisible() const {
  const QWidgetList windows = QApplication::topLevelWidgets();
  return std::any_of(windows.begin(), windows.end(), [](const QWidget* w) { return w->isVisible(); });
}

void TQtWindowSystem::RunLoop(const std::function<bool()>& terminated) {
  while (!terminated()) {
    DeleteDestroyedWidgets();
    if (!AnyWindowVisible() && work_.empty()) {
      // A last turn for what Qt holds; then nothing more can happen.
      ProcessMessages();
      if (!AnyWindowVisible() && work_.empty()) return;
      continue;
    }
    QEventLoop loop;
    loops_.push_back(&loop);
    loop.exec();
    loops_.pop_back();
  }
}

void TQtWindowSystem::WakeUp() {
  // Each waiting loop returns to its RunLoop, which checks again.
  for (QEventLoop* loop : loops_) loop->quit();
}

// --- the public functions ----------------------------------------------------

std::unique_ptr<TWindowSystem> CreateQtWindowSystem(int& argc, char** argv) {
  return std::make_unique<TQtWindowSystem>(argc, argv);
}

QWidget* ControlWidget(TWinControl* control, THostOwnership ownership) {
  if (control == nullptr) return nullptr;
  auto* qt = dynamic_cast<TQtWindowSystem*>(WindowSystem());
  if (qt == nullptr) {
    // Without it the control's window would be the headless system's, which
    // no Qt layout can hold.
    throw Exception(
        "ControlWidget needs the Qt window system installed: call korvo::InstallWindowSystem(ws.get()) first, with "
        "ws = korvo::CreateQtWindowSystem(argc, argv)");
  }
  return qt->HostWidget(control, ownership);
}

}  // namespace korvo

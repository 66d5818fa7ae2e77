// The Qt window system's class and its widgets (QtWindowSystem.h says what
// it does). Internal to platform/qt; only its sources and tests include it.
#pragma once

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/framework/CursorResources.h"
#include "platform/framework/WindowSystem.h"
#include "platform/qt/QtWindowSystem.h"

class QApplication;
class QPainter;
class QEventLoop;

namespace korvo {

class TQtWindowSystem;

// The widget of a control with a surface (wcForm, wcCustom). It forwards
// everything to the window system, which knows the framework's rules.
class TQtSurfaceWidget final : public QWidget {
 public:
  TQtSurfaceWidget(TQtWindowSystem* system, TWinControl* control, QWidget* parent);
  ~TQtSurfaceWidget() override;
  // The control shown; nullptr once its window is destroyed.
  TWinControl* Control() const { return control_; }
  void Detach() { control_ = nullptr; }
  QSize sizeHint() const override;

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  TQtWindowSystem* system_;
  TWinControl* control_;
};

// The widget of a button (wcButton): Qt's push button, with the mouse also
// reported to the framework.
class TQtButtonWidget final : public QPushButton {
 public:
  TQtButtonWidget(TQtWindowSystem* system, TWinControl* control, QWidget* parent);
  ~TQtButtonWidget() override;
  TWinControl* Control() const { return control_; }
  void Detach() { control_ = nullptr; }

 protected:
  bool event(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  void Clicked();

  TQtWindowSystem* system_;
  TWinControl* control_;
  // Set while the framework sees a mouse release: the click it makes itself
  // from press and release must not come a second time from Qt's signal.
  bool mouse_release_ = false;
};

class TQtWindowSystem final : public TWindowSystem {
 public:
  TQtWindowSystem(int& argc, char** argv);
  ~TQtWindowSystem() override;
  const char* Name() const override { return "qt"; }

  TWindowHandle CreateWindow(TWinControl* control, TWindowClass window_class) override;
  void DestroyWindow(TWinControl* control) override;
  void SetWindowBounds(TWinControl* control, const TRect& bounds) override;
  void SetWindowVisible(TWinControl* control, bool visible) override;
  void SetWindowText(TWinControl* control, const std::string& text) override;
  void SetWindowEnabled(TWinControl* control, bool enabled) override;
  void SetWindowFont(TWinControl* control, const TFont& font) override;
  void SetWindowCursor(TWinControl* control, TCursor cursor) override;
  void SetWindowHint(TWinControl* control, const std::string& hint) override;
  void SetWindowFocusable(TWinControl* control, bool focusable) override;
  void InvalidateWindow(TWinControl* control) override;
  void PresentWindow(TWinControl* control) override;
  void ControlDestroyed(TControl* control) override;
  TRect FormFrame() const override { return TRect{4, 23, 4, 4}; }

  void ProcessMessages() override;
  void RunLoop(const std::function<bool()>& terminated) override;
  void WakeUp() override;
  void PostWork(std::function<void()> work) override;

  TCursorHandle StandardCursor(TCursor cursor) override;
  TCursorHandle LoadCursor(const std::string& resource_name) override;
  void SetScreenCursor(TCursorHandle cursor) override;

  void SetClipboardBitmap(const TBitmap& bitmap) override;
  bool ClipboardHasBitmap() const override;
  bool GetClipboardBitmap(TBitmap& bitmap) const override;
  void ClearClipboard() override;

  int MessageBox(const std::string& text, const std::string& caption, int flags) override;

  int ScreenPixelsPerInch() const override;
  TSize ScreenSize() const override;

  // --- for the widgets and for hosting -----------------------------------------
  // The widget of a control's window; nullptr when it has none (or Qt
  // deleted it).
  QWidget* Widget(const TWinControl* control) const;
  // The widget of `control`, creating the window when there is none (a
  // control without parent gets a hidden widget without parent), and who
  // frees a control without parent (QtWindowSystem.h).
  QWidget* HostWidget(TWinControl* control, THostOwnership ownership);
  // A widget still showing `control` is being deleted by Qt (not by us: we
  // detach ours first). The control loses its window, and is deleted too
  // when its widget owns it.
  void WidgetDeleted(QWidget* widget, TWinControl* control);
  // The Qt cursor of a handle; nullptr for 0 or an unknown handle.
  const QCursor* Cursor(TCursorHandle handle) const;
  // The cursor the screen shows over every control; 0 when none.
  TCursorHandle ScreenCursor() const { return screen_cursor_; }
  // The controls that last got a mouse enter and that hold the mouse.
  TControl* Hovered() const { return hovered_; }
  TControl* Captured() const { return captured_; }

  // Counts the handlers of ours running, so that widgets are deleted only
  // when none is.
  class TScope {
   public:
    explicit TScope(TQtWindowSystem* system) : system_(system) { ++system_->depth_; }
    ~TScope() {
      if (--system_->depth_ == 0 && !system_->destroyed_.empty()) system_->ScheduleDelete();
    }
    TScope(const TScope&) = delete;
    TScope& operator=(const TScope&) = delete;

   private:
    TQtWindowSystem* system_;
  };

  // Runs f; an exception goes to Application()->HandleException.
  void Guarded(const std::function<void()>& f);

  // Widget events, in the widget's coordinates; `control` is the widget's.
  void Paint(QWidget* widget, TWinControl* control, QPaintEvent* e);
  void MousePress(QWidget* widget, TWinControl* control, QMouseEvent* e, bool double_click);
  void MouseRelease(QWidget* widget, TWinControl* control, QMouseEvent* e);
  void MouseMove(QWidget* widget, TWinControl* control, QMouseEvent* e);
  void MouseWheel(QWidget* widget, TWinControl* control, QWheelEvent* e);
  void MouseEnter(QWidget* widget, TWinControl* control, QPointF pos);
  void MouseLeave(QWidget* widget, TWinControl* control);
  // A key pressed or released on the focused widget; true when the control
  // took the key (a handler set it to 0).
  bool KeyPress(TWinControl* control, QKeyEvent* e);
  bool KeyRelease(TWinControl* control, QKeyEvent* e);
  // A Tab (Shift+Tab) that `control` takes as a key instead of letting it
  // move the focus: its DialogCode wants Tab and Ctrl and Alt are up.
  static bool TakesTab(const TWinControl* control, const QKeyEvent* e);
  void GeometryChanged(QWidget* widget, TWinControl* control);
  void CloseRequested(TWinControl* control);

 private:
  // A control's picture at a device pixel ratio other than 1, drawn by its
  // PaintScaled and kept until the surface is shown anew or invalidated;
  // Drawn is the surface it was drawn from (but for Unrecorded), to find
  // what changed since when the control does not say.
  struct TScaledPicture {
    QImage Image;
    std::vector<TPixel> Drawn;
    int SurfaceWidth = 0;
    int SurfaceHeight = 0;
    double Ratio = 0;
    bool Stale = true;
    bool Declined = false;  // the control could not; the surface is enlarged
    // The control's record of its surface's changes (SurfaceChanges) counts
    // from when this picture was last drawn: a present at ratio 1 between
    // breaks that, and the next draw compares pixels instead.
    bool InStep = false;
    // The part drawn from the surface's reported changes, whose pixels
    // Drawn does not hold: a comparison counts it as changed.
    TRect Unrecorded{};
  };
  struct TWindow {
    QPointer<QWidget> Widget;
    TWindowClass Class = TWindowClass::wcCustom;
    bool TopLevel = false;  // made without a parent widget
    bool OwnsControl = false;  // a hosted control is deleted with its widget
    std::unique_ptr<TScaledPicture> Scaled;  // made at the first such paint
  };

  TWindow* Find(const TWinControl* control);
  // Draws the control's picture at `ratio` with `painter` from its kept
  // scaled picture, drawn afresh when the surface changed since; false
  // when the control cannot draw at another resolution.
  bool DrawScaled(TWinControl* control, const TBitmap& surface, double ratio, QPainter& painter);
  void MarkScaledStale(const TWinControl* control);
  void ApplyBounds(TWindow& w, TWinControl* control);
  void ApplyFont(QWidget* widget, const TFont& font);
  static void Detach(QWidget* widget);
  // Deletes the widgets of destroyed windows now when no handler of ours
  // runs; ScheduleDelete asks for that at the next turn of the event loop.
  // ... and the controls whose owning widget Qt deleted while a handler of
  // ours ran.
  void DeleteDestroyedWidgets();
  void DeleteOrphans();
  void ScheduleDelete();
  // Runs the posted work queued before work number `limit` (work posted by
  // that work waits for the next turn).
  void RunPostedWork(uint64_t limit);
  bool AnyWindowVisible() const;
  bool InputBlocked(const TControl* control) const;

  // The enabled control under `pos` of `control`'s client area and the point
  // in its client coordinates; nullptr outside or over a disabled control.
  TControl* Target(TWinControl* control, TPoint pos, TPoint* local) const;
  // The captured control's client point of a position on `widget`.
  TPoint CapturedPoint(QWidget* widget, QPointF pos) const;
  void Hover(TControl* control);
  void EndCapture();

  TCursorHandle AddCursor(QCursor cursor);

  // The application comes first so that it goes last.
  std::unique_ptr<QApplication> own_app_;
  std::unique_ptr<QObject> pump_;  // context of queued calls; goes before the application

  std::unordered_map<const TWinControl*, TWindow> windows_;
  std::vector<QPointer<QWidget>> destroyed_;
  std::vector<TWinControl*> orphans_;  // to be deleted: their owning widget went
  TWindowHandle next_handle_ = 1;
  int depth_ = 0;
  int destroying_ = 0;                  // DestroyWindow calls under way
  TWinControl* painting_ = nullptr;     // whose PaintWindow the paint handler runs
  bool hosting_ = false;                // HostWidget is creating a parentless window
  bool applying_ = false;               // our own geometry changes, not the user's

  struct TWork {
    uint64_t Number;
    std::function<void()> Run;
  };
  std::deque<TWork> work_;
  uint64_t next_work_ = 0;
  bool work_scheduled_ = false;
  bool delete_scheduled_ = false;
  std::vector<QEventLoop*> loops_;

  std::vector<std::unique_ptr<QCursor>> cursors_;  // handle - 1
  std::map<TCursor, TCursorHandle> standard_cursors_;
  std::map<std::string, TCursorHandle> loaded_cursors_;  // by upper-case name
  TCursorHandle screen_cursor_ = 0;

  TControl* hovered_ = nullptr;
  TControl* captured_ = nullptr;
  TWinControl* capture_root_ = nullptr;  // the windowed control whose widget got the press
  QPointer<QWidget> capture_widget_;
};

// Input translations, shared by the widgets and tested on their own.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
// False for buttons the framework has no name for (back, forward, ...).
bool MouseButtonOf(Qt::MouseButton qt_button, TMouseButton* button);
// The VK_ code of a Qt key (Qt::Key_...), the keypad told apart by the
// modifiers; 0 for a key the framework has no code for.
uint16_t VirtualKeyOf(int qt_key, Qt::KeyboardModifiers modifiers);
// The character a key types, for KeyPress: false unless it is one ASCII
// character (control characters such as Backspace's included, Delete not).
bool CharacterOf(const QString& text, char* c);
// Qt's shape of a standard cursor (crArrow for an unknown one).
Qt::CursorShape CursorShapeOf(TCursor cursor);
// The cursor of a registered image: black, white and transparent pixels,
// the hot spot as given.
QCursor CursorFromImage(const TCursorImage& image);

}  // namespace korvo

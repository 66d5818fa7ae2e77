// Mouse and key input: Qt's mouse events on a control's widget become the
// framework's dispatch calls on the control under the pointer, with hover
// tracking and capture from a press to the release of all buttons; key
// events on the focused widget become its control's key calls.
//
// Positions: Qt's are floating-point logical pixels; the pixel holding the
// point is taken (floor), so a point just left of a control's edge is -1.
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>
#include <vector>

#include "platform/framework/Control.h"
#include "platform/qt/QtWindowSystem_p.h"

namespace korvo {
namespace {

constexpr Qt::MouseButtons kFrameworkButtons = Qt::LeftButton | Qt::RightButton | Qt::MiddleButton;

int32_t PixelCoordinate(qreal v) {
  // Positions far outside any window (or NaN) must not reach an integer cast.
  if (!(v > -1e9)) return -1000000000;
  if (v > 1e9) return 1000000000;
  return int32_t(std::floor(v));
}

TPoint PixelOf(QPointF p) { return TPoint{PixelCoordinate(p.x()), PixelCoordinate(p.y())}; }

}  // namespace

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s;
  if (modifiers & Qt::ShiftModifier) s.Include(TShiftFlag::ssShift);
  if (modifiers & Qt::AltModifier) s.Include(TShiftFlag::ssAlt);
  if (modifiers & Qt::ControlModifier) s.Include(TShiftFlag::ssCtrl);
  if (buttons & Qt::LeftButton) s.Include(TShiftFlag::ssLeft);
  if (buttons & Qt::RightButton) s.Include(TShiftFlag::ssRight);
  if (buttons & Qt::MiddleButton) s.Include(TShiftFlag::ssMiddle);
  return s;
}

bool MouseButtonOf(Qt::MouseButton qt_button, TMouseButton* button) {
  switch (qt_button) {
    case Qt::LeftButton:
      *button = TMouseButton::mbLeft;
      return true;
    case Qt::RightButton:
      *button = TMouseButton::mbRight;
      return true;
    case Qt::MiddleButton:
      *button = TMouseButton::mbMiddle;
      return true;
    default:
      return false;
  }
}

uint16_t VirtualKeyOf(int qt_key, Qt::KeyboardModifiers modifiers) {
  const bool keypad = (modifiers & Qt::KeypadModifier) != 0;
  // Qt's codes of letters and digits are their ASCII codes, as VK_'s are.
  if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) return uint16_t(qt_key);
  if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) {
    return uint16_t(keypad ? VK_NUMPAD0 + (qt_key - Qt::Key_0) : qt_key);
  }
  if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24) return uint16_t(VK_F1 + (qt_key - Qt::Key_F1));
  switch (qt_key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Asterisk: return keypad ? VK_MULTIPLY : 0;
    case Qt::Key_Slash: return keypad ? VK_DIVIDE : 0;
    case Qt::Key_Period:
    case Qt::Key_Comma: return keypad ? VK_DECIMAL : 0;
    default: return 0;
  }
}

bool CharacterOf(const QString& text, char* c) {
  if (text.size() != 1) return false;
  const char16_t u = text.at(0).unicode();
  if (u == 0 || u >= 127) return false;
  *c = char(u);
  return true;
}

bool TQtWindowSystem::InputBlocked(const TControl* control) const {
  return destroying_ > 0 || control == nullptr || control->IsDestroying();
}

TControl* TQtWindowSystem::Target(TWinControl* control, TPoint pos, TPoint* local) const {
  if (!control->ClientRect().Contains(pos.X, pos.Y)) return nullptr;
  TPoint p = pos;
  TControl* target = control;
  // Windowed children have widgets of their own, which Qt gives their input;
  // what lands here may be over a graphic child.
  if (TControl* child = control->ControlAtPos(p, true, false)) {
    target = child;
    p = TPoint{p.X - child->Left(), p.Y - child->Top()};
  }
  for (const TControl* c = target; c != nullptr; c = c->Parent()) {
    if (!c->Enabled()) return nullptr;  // a disabled control swallows the input
  }
  *local = p;
  return target;
}

TPoint TQtWindowSystem::CapturedPoint(QWidget* widget, QPointF pos) const {
  QWidget* root = capture_widget_ ? capture_widget_.data() : widget;
  const QPointF p = root == widget ? pos : root->mapFromGlobal(widget->mapToGlobal(pos));
  const TPoint q = PixelOf(p);
  if (captured_ == capture_root_ || capture_root_ == nullptr) return q;
  return captured_->ParentToClient(q, capture_root_);
}

void TQtWindowSystem::Hover(TControl* control) {
  if (control == hovered_) return;
  TControl* old = hovered_;
  hovered_ = control;
  if (old != nullptr) Guarded([old] { old->DispatchMouseLeave(); });
  // The leave handler may have destroyed the new control (hovered_ is
  // cleared then).
  if (control != nullptr && hovered_ == control) Guarded([control] { control->DispatchMouseEnter(); });
}

void TQtWindowSystem::EndCapture() {
  captured_ = nullptr;
  capture_root_ = nullptr;
  capture_widget_ = nullptr;
}

void TQtWindowSystem::ControlDestroyed(TControl* control) {
  std::erase(orphans_, control);
  if (hovered_ == control) hovered_ = nullptr;
  if (captured_ == control || capture_root_ == control) EndCapture();
}

void TQtWindowSystem::MousePress(QWidget* widget, TWinControl* control, QMouseEvent* e, bool double_click) {
  if (InputBlocked(control)) return;
  TMouseButton button;
  if (!MouseButtonOf(e->button(), &button)) return;
  const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
  TControl* target = nullptr;
  TPoint local;
  if (captured_ != nullptr) {
    target = captured_;  // a second button while one is held
    local = CapturedPoint(widget, e->position());
  } else {
    target = Target(control, PixelOf(e->position()), &local);
    Hover(target);
    if (target == nullptr || hovered_ != target) return;
    captured_ = target;
    capture_root_ = control;
    capture_widget_ = widget;
  }
  Guarded([&] {
    if (double_click) {
      target->DispatchMouseDoubleClick(button, shift, local.X, local.Y);
    } else {
      target->DispatchMouseDown(button, shift, local.X, local.Y);
    }
  });
}

void TQtWindowSystem::MouseRelease(QWidget* widget, TWinControl* control, QMouseEvent* e) {
  const bool all_released = !(e->buttons() & kFrameworkButtons);
  if (InputBlocked(control)) {
    if (all_released) EndCapture();
    return;
  }
  TMouseButton button;
  if (!MouseButtonOf(e->button(), &button)) return;
  const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
  TControl* target = nullptr;
  TPoint local;
  const bool had_capture = captured_ != nullptr;
  const QPointer<QWidget> root = had_capture ? capture_widget_ : QPointer<QWidget>(widget);
  if (had_capture) {
    target = captured_;
    local = CapturedPoint(widget, e->position());
  } else {
    target = Target(control, PixelOf(e->position()), &local);
  }
  if (all_released) EndCapture();
  if (target != nullptr) Guarded([&] { target->DispatchMouseUp(button, shift, local.X, local.Y); });
  // Qt's leave went by while the mouse was held; a release outside the
  // pressed window ends the hover there.
  if (had_capture && all_released && captured_ == nullptr && root) {
    const QPointF p = root->mapFromGlobal(widget->mapToGlobal(e->position()));
    if (!QRectF(root->rect()).contains(p)) Hover(nullptr);
  }
}

void TQtWindowSystem::MouseMove(QWidget* widget, TWinControl* control, QMouseEvent* e) {
  if (InputBlocked(control)) return;
  // A release that went elsewhere (another application, a closed box)
  // still ends the capture.
  if (captured_ != nullptr && !(e->buttons() & kFrameworkButtons)) EndCapture();
  const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
  TControl* target = nullptr;
  TPoint local;
  if (captured_ != nullptr) {
    target = captured_;
    local = CapturedPoint(widget, e->position());
  } else {
    target = Target(control, PixelOf(e->position()), &local);
    Hover(target);
    if (hovered_ != target) return;  // destroyed by an enter or leave handler
  }
  if (target != nullptr) Guarded([&] { target->DispatchMouseMove(shift, local.X, local.Y); });
}

void TQtWindowSystem::MouseWheel(QWidget* widget, TWinControl* control, QWheelEvent* e) {
  e->accept();
  if (InputBlocked(control)) return;
  const int delta = e->angleDelta().y();
  if (delta == 0) return;  // the framework has no sideways wheel
  const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
  TControl* target = nullptr;
  TPoint local;
  if (captured_ != nullptr) {
    target = captured_;
    local = CapturedPoint(widget, e->position());
  } else {
    target = Target(control, PixelOf(e->position()), &local);
  }
  if (target != nullptr) Guarded([&] { target->DispatchMouseWheel(shift, delta, local); });
}

// KeyDown first; the character only when KeyDown left the key. A key
// without a VK_ code reaches only KeyPress.
bool TQtWindowSystem::KeyPress(TWinControl* control, QKeyEvent* e) {
  if (InputBlocked(control)) return true;
  const TShiftState shift = ShiftStateOf(e->modifiers(), QGuiApplication::mouseButtons());
  uint16_t key = VirtualKeyOf(e->key(), e->modifiers());
  if (key != 0) {
    Guarded([&] { control->DispatchKeyDown(key, shift); });
    if (key == 0 || Find(control) == nullptr) return true;  // taken, or the handler destroyed the control
  }
  char c = 0;
  if (!CharacterOf(e->text(), &c)) return false;
  Guarded([&] { control->DispatchKeyPress(c); });
  return c == 0;
}

// An auto-repeated key presses again without releases between.
bool TQtWindowSystem::KeyRelease(TWinControl* control, QKeyEvent* e) {
  if (InputBlocked(control) || e->isAutoRepeat()) return true;
  uint16_t key = VirtualKeyOf(e->key(), e->modifiers());
  if (key == 0) return false;
  const TShiftState shift = ShiftStateOf(e->modifiers(), QGuiApplication::mouseButtons());
  Guarded([&] { control->DispatchKeyUp(key, shift); });
  return key == 0;
}

bool TQtWindowSystem::TakesTab(const TWinControl* control, const QKeyEvent* e) {
  return (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) &&
         !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && (control->DialogCode() & DLGC_WANTTAB) != 0;
}

void TQtWindowSystem::MouseEnter(QWidget*, TWinControl* control, QPointF pos) {
  // While the mouse is held the pressed control keeps it; the next move
  // after the release brings the hover up to date.
  if (InputBlocked(control) || captured_ != nullptr) return;
  TPoint local;
  Hover(Target(control, PixelOf(pos), &local));
}

void TQtWindowSystem::MouseLeave(QWidget*, TWinControl* control) {
  if (InputBlocked(control) || captured_ != nullptr || hovered_ == nullptr) return;
  // The control itself, or one of its graphic children (windowed children
  // have widgets of their own and get their own leave).
  const bool ours = hovered_ == control ||
                    (hovered_->Parent() == control && dynamic_cast<const TWinControl*>(hovered_) == nullptr);
  if (ours) Hover(nullptr);
}

}  // namespace korvo

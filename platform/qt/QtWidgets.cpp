// The two widget classes of the Qt window system. They hold no rules of
// their own: every event goes to the window system with the control it
// shows, and a detached widget (its window destroyed) ignores everything.
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/framework/StdCtrls.h"
#include "platform/qt/QtWindowSystem_p.h"

namespace korvo {

// ---------------------------------------------------------------------------
// TQtSurfaceWidget

TQtSurfaceWidget::TQtSurfaceWidget(TQtWindowSystem* system, TWinControl* control, QWidget* parent)
    : QWidget(parent), system_(system), control_(control) {
  // The paint covers every pixel of the widget, so Qt need not clear it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  // Input that a disabled child does not take must not reach its parent:
  // in the framework a disabled control swallows it.
  setAttribute(Qt::WA_NoMousePropagation);
  // The framework decides when the program ends (closing the main form).
  setAttribute(Qt::WA_QuitOnClose, false);
  setMouseTracking(true);
}

TQtSurfaceWidget::~TQtSurfaceWidget() {
  if (control_ != nullptr) system_->WidgetDeleted(this, control_);
}

QSize TQtSurfaceWidget::sizeHint() const {
  if (control_ == nullptr) return QWidget::sizeHint();
  return QSize(control_->Width(), control_->Height());
}

namespace {

// Keys go no further than the control whose widget has the focus: one that
// a control leaves is passed up only to a Qt program's own widgets, never to
// a framework control's (the framework has no such passing on).
bool KeptFromParent(const QWidget* widget) {
  return dynamic_cast<const TQtSurfaceWidget*>(widget->parentWidget()) != nullptr;
}

}  // namespace

// Tab moves the focus on unless the control wants Tab as a key; then
// Ctrl+Tab (Ctrl+Shift+Tab) moves it, so that the focus never gets stuck.
bool TQtSurfaceWidget::event(QEvent* e) {
  TQtWindowSystem::TScope scope(system_);
  if (e->type() == QEvent::KeyPress && control_ != nullptr) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (TQtWindowSystem::TakesTab(control_, k)) {
      keyPressEvent(k);
      return true;
    }
    const bool tab = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
    if (tab && k->modifiers() & Qt::ControlModifier && !(k->modifiers() & Qt::AltModifier) &&
        (control_->DialogCode() & DLGC_WANTTAB) != 0) {
      focusNextPrevChild(k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier));
      return true;
    }
  }
  return QWidget::event(e);
}

void TQtSurfaceWidget::paintEvent(QPaintEvent* e) { system_->Paint(this, control_, e); }

void TQtSurfaceWidget::mousePressEvent(QMouseEvent* e) {
  if (control_ != nullptr) system_->MousePress(this, control_, e, false);
}

void TQtSurfaceWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  if (control_ != nullptr) system_->MousePress(this, control_, e, true);
}

void TQtSurfaceWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (control_ != nullptr) system_->MouseRelease(this, control_, e);
}

void TQtSurfaceWidget::mouseMoveEvent(QMouseEvent* e) {
  if (control_ != nullptr) system_->MouseMove(this, control_, e);
}

void TQtSurfaceWidget::wheelEvent(QWheelEvent* e) {
  if (control_ != nullptr) system_->MouseWheel(this, control_, e);
}

void TQtSurfaceWidget::keyPressEvent(QKeyEvent* e) {
  const bool taken = control_ != nullptr && system_->KeyPress(control_, e);
  e->setAccepted(taken || KeptFromParent(this));
}

void TQtSurfaceWidget::keyReleaseEvent(QKeyEvent* e) {
  const bool taken = control_ != nullptr && system_->KeyRelease(control_, e);
  e->setAccepted(taken || KeptFromParent(this));
}

void TQtSurfaceWidget::enterEvent(QEnterEvent* e) {
  if (control_ != nullptr) system_->MouseEnter(this, control_, e->position());
}

void TQtSurfaceWidget::leaveEvent(QEvent*) {
  if (control_ != nullptr) system_->MouseLeave(this, control_);
}

void TQtSurfaceWidget::resizeEvent(QResizeEvent*) {
  if (control_ != nullptr) system_->GeometryChanged(this, control_);
}

void TQtSurfaceWidget::moveEvent(QMoveEvent*) {
  if (control_ != nullptr) system_->GeometryChanged(this, control_);
}

void TQtSurfaceWidget::closeEvent(QCloseEvent* e) {
  // The framework hides or frees the form itself (TForm::Close).
  e->ignore();
  if (control_ != nullptr) system_->CloseRequested(control_);
}

// ---------------------------------------------------------------------------
// TQtButtonWidget

TQtButtonWidget::TQtButtonWidget(TQtWindowSystem* system, TWinControl* control, QWidget* parent)
    : QPushButton(parent), system_(system), control_(control) {
  setAttribute(Qt::WA_NoMousePropagation);
  setAttribute(Qt::WA_QuitOnClose, false);
  setAutoDefault(false);
  setMouseTracking(true);
  connect(this, &QAbstractButton::clicked, this, [this] { Clicked(); });
}

TQtButtonWidget::~TQtButtonWidget() {
  if (control_ != nullptr) system_->WidgetDeleted(this, control_);
}

bool TQtButtonWidget::event(QEvent* e) {
  TQtWindowSystem::TScope scope(system_);
  return QPushButton::event(e);
}

void TQtButtonWidget::Clicked() {
  // A click by the mouse is the framework's own (press and release inside);
  // this one comes from the keyboard or from click().
  if (control_ == nullptr || mouse_release_) return;
  if (auto* button = dynamic_cast<TButton*>(control_)) system_->Guarded([button] { button->Click(); });
}

void TQtButtonWidget::mousePressEvent(QMouseEvent* e) {
  QPushButton::mousePressEvent(e);
  if (control_ != nullptr) system_->MousePress(this, control_, e, false);
}

void TQtButtonWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  // The second press of a double click presses a button again, so a double
  // click clicks it twice.
  QPushButton::mousePressEvent(e);
  if (control_ != nullptr) system_->MousePress(this, control_, e, false);
}

void TQtButtonWidget::mouseReleaseEvent(QMouseEvent* e) {
  mouse_release_ = true;
  QPushButton::mouseReleaseEvent(e);
  mouse_release_ = false;
  if (control_ != nullptr) system_->MouseRelease(this, control_, e);
}

void TQtButtonWidget::mouseMoveEvent(QMouseEvent* e) {
  QPushButton::mouseMoveEvent(e);
  if (control_ != nullptr) system_->MouseMove(this, control_, e);
}

void TQtButtonWidget::wheelEvent(QWheelEvent* e) {
  if (control_ != nullptr) system_->MouseWheel(this, control_, e);
}

// The framework's key events come first; a key they leave works the
// button as Qt's buttons do (Space clicks it).
void TQtButtonWidget::keyPressEvent(QKeyEvent* e) {
  if (control_ != nullptr && system_->KeyPress(control_, e)) return;
  QPushButton::keyPressEvent(e);
  if (KeptFromParent(this)) e->accept();
}

void TQtButtonWidget::keyReleaseEvent(QKeyEvent* e) {
  if (control_ != nullptr && system_->KeyRelease(control_, e)) return;
  QPushButton::keyReleaseEvent(e);
  if (KeptFromParent(this)) e->accept();
}

void TQtButtonWidget::enterEvent(QEnterEvent* e) {
  QPushButton::enterEvent(e);
  if (control_ != nullptr) system_->MouseEnter(this, control_, e->position());
}

void TQtButtonWidget::leaveEvent(QEvent* e) {
  QPushButton::leaveEvent(e);
  if (control_ != nullptr) system_->MouseLeave(this, control_);
}

}  // namespace korvo

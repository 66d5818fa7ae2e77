#include "platform/framework/Headless.h"

#include <algorithm>

#include "platform/framework/Application.h"

namespace korvo {
namespace {

TShiftFlag ButtonFlag(TMouseButton button) {
  switch (button) {
    case TMouseButton::mbRight:
      return TShiftFlag::ssRight;
    case TMouseButton::mbMiddle:
      return TShiftFlag::ssMiddle;
    default:
      return TShiftFlag::ssLeft;
  }
}

}  // namespace

THeadlessWindowSystem::THeadlessWindowSystem() = default;
THeadlessWindowSystem::~THeadlessWindowSystem() = default;

template <class F>
void THeadlessWindowSystem::Guarded(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    Application()->HandleException(e);
  } catch (...) {
    Application()->HandleException(Exception("an unknown exception escaped an event handler"));
  }
}

THeadlessWindowSystem::TWindowState* THeadlessWindowSystem::State(TWinControl* control) {
  const auto it = windows_.find(control);
  return it == windows_.end() ? nullptr : &it->second;
}

const THeadlessWindowSystem::TWindowState* THeadlessWindowSystem::Window(const TWinControl* control) const {
  const auto it = windows_.find(control);
  return it == windows_.end() ? nullptr : &it->second;
}

// --- windows -------------------------------------------------------------------

TWindowHandle THeadlessWindowSystem::CreateWindow(TWinControl* control, TWindowClass window_class) {
  TWindowState s;
  s.Handle = next_handle_++;
  s.Class = window_class;
  s.Bounds = control->BoundsRect();
  s.Visible = control->Visible();
  s.Enabled = control->Enabled();
  s.Text = control->Text();
  s.Hint = control->ShowHint() ? control->Hint() : std::string();
  s.Cursor = control->Cursor();
  windows_[control] = s;
  return s.Handle;
}

void THeadlessWindowSystem::DestroyWindow(TWinControl* control) {
  windows_.erase(control);
  std::erase(dirty_, control);
}

void THeadlessWindowSystem::SetWindowBounds(TWinControl* control, const TRect& bounds) {
  if (TWindowState* s = State(control)) s->Bounds = bounds;
}

void THeadlessWindowSystem::SetWindowVisible(TWinControl* control, bool visible) {
  if (TWindowState* s = State(control)) s->Visible = visible;
}

void THeadlessWindowSystem::SetWindowText(TWinControl* control, const std::string& text) {
  if (TWindowState* s = State(control)) s->Text = text;
}

void THeadlessWindowSystem::SetWindowEnabled(TWinControl* control, bool enabled) {
  if (TWindowState* s = State(control)) s->Enabled = enabled;
}

void THeadlessWindowSystem::SetWindowFont(TWinControl*, const TFont&) {}

void THeadlessWindowSystem::SetWindowCursor(TWinControl* control, TCursor cursor) {
  if (TWindowState* s = State(control)) s->Cursor = cursor;
}

void THeadlessWindowSystem::SetWindowHint(TWinControl* control, const std::string& hint) {
  if (TWindowState* s = State(control)) s->Hint = hint;
}

void THeadlessWindowSystem::InvalidateWindow(TWinControl* control) {
  if (State(control) == nullptr || control->Surface() == nullptr) return;
  if (std::find(dirty_.begin(), dirty_.end(), control) == dirty_.end()) dirty_.push_back(control);
}

void THeadlessWindowSystem::PresentWindow(TWinControl* control) { control->SurfacePresented(); }

void THeadlessWindowSystem::ControlDestroyed(TControl* control) {
  if (hovered_ == control) hovered_ = nullptr;
  if (captured_ == control) captured_ = nullptr;
}

TRect THeadlessWindowSystem::FormFrame() const { return TRect{4, 23, 4, 4}; }

// --- event loop ----------------------------------------------------------------

void THeadlessWindowSystem::ProcessMessages() {
  std::deque<std::function<void()>> work;
  work.swap(work_);
  while (!work.empty()) {
    std::function<void()> w = std::move(work.front());
    work.pop_front();
    Guarded(w);
  }
  std::vector<TWinControl*> dirty;
  dirty.swap(dirty_);
  for (TWinControl* c : dirty) {
    // A control destroyed by the work above has lost its window.
    if (State(c) == nullptr || !c->PaintPending()) continue;
    ++paint_count_;
    Guarded([c] { c->PaintWindow(); });
  }
}

void THeadlessWindowSystem::RunLoop(const std::function<bool()>& terminated) {
  while (!terminated() && (!work_.empty() || !dirty_.empty())) ProcessMessages();
}

void THeadlessWindowSystem::PostWork(std::function<void()> work) { work_.push_back(std::move(work)); }

// --- cursors -------------------------------------------------------------------

TCursorHandle THeadlessWindowSystem::CursorHandle(const std::string& name) {
  const auto it = std::find(cursor_names_.begin(), cursor_names_.end(), name);
  if (it != cursor_names_.end()) return TCursorHandle(it - cursor_names_.begin()) + 1;
  cursor_names_.push_back(name);
  return cursor_names_.size();
}

TCursorHandle THeadlessWindowSystem::StandardCursor(TCursor cursor) {
  std::string name;
  if (!CursorToIdent(cursor, &name)) name = "crArrow";
  return CursorHandle(name);
}

TCursorHandle THeadlessWindowSystem::LoadCursor(const std::string& resource_name) {
  if (resource_name.empty()) return 0;
  return CursorHandle(resource_name);
}

void THeadlessWindowSystem::SetScreenCursor(TCursorHandle cursor) {
  screen_cursor_ = cursor;
  ++screen_cursor_changes_;
}

std::string THeadlessWindowSystem::CursorName(TCursorHandle cursor) const {
  if (cursor == 0 || cursor > cursor_names_.size()) return std::string();
  return cursor_names_[cursor - 1];
}

// --- clipboard and message boxes ---------------------------------------------

void THeadlessWindowSystem::SetClipboardBitmap(const TBitmap& bitmap) {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(bitmap);
  clipboard_ = std::move(copy);
}

bool THeadlessWindowSystem::GetClipboardBitmap(TBitmap& bitmap) const {
  if (!clipboard_) return false;
  bitmap.Assign(*clipboard_);
  return true;
}

int THeadlessWindowSystem::MessageBox(const std::string& text, const std::string& caption, int flags) {
  int answer = IDOK;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  } else if ((flags & 0x0F) == MB_YESNO || (flags & 0x0F) == MB_YESNOCANCEL) {
    answer = IDYES;
  }
  message_boxes_.push_back(TMessageBoxRecord{text, caption, flags, answer});
  return answer;
}

// --- simulated mouse ---------------------------------------------------------

TControl* THeadlessWindowSystem::Target(TWinControl* form, int x, int y, TPoint* local) const {
  if (!form->ClientRect().Contains(x, y)) return nullptr;
  TPoint p{x, y};
  TControl* target = form;
  TWinControl* container = form;
  while (TControl* child = container->ControlAtPos(p, true, true)) {
    p = TPoint{p.X - child->Left(), p.Y - child->Top()};
    target = child;
    container = dynamic_cast<TWinControl*>(child);
    if (container == nullptr) break;
  }
  for (const TControl* c = target; c != nullptr; c = c->Parent()) {
    if (!c->Enabled()) return nullptr;  // a disabled control swallows the input
  }
  *local = p;
  return target;
}

void THeadlessWindowSystem::Hover(TControl* control) {
  if (control == hovered_) return;
  TControl* old = hovered_;
  hovered_ = control;
  if (old != nullptr) old->DispatchMouseLeave();
  if (control != nullptr && hovered_ == control) control->DispatchMouseEnter();
}

TShiftState THeadlessWindowSystem::WithButtons(TShiftState shift) const {
  for (const TShiftFlag f : {TShiftFlag::ssLeft, TShiftFlag::ssRight, TShiftFlag::ssMiddle}) {
    if (buttons_.Contains(f)) shift.Include(f);
  }
  return shift;
}

void THeadlessWindowSystem::MouseMove(TWinControl* form, int x, int y, TShiftState shift) {
  TPoint local;
  TControl* target = nullptr;
  if (captured_ != nullptr) {
    target = captured_;
    local = captured_->ParentToClient(TPoint{x, y}, form);
  } else {
    target = Target(form, x, y, &local);
    Hover(target);
    if (hovered_ != target) return;  // destroyed by an enter or leave handler
  }
  if (target != nullptr) target->DispatchMouseMove(WithButtons(shift), local.X, local.Y);
}

void THeadlessWindowSystem::MouseDown(TWinControl* form, TMouseButton button, int x, int y, TShiftState shift) {
  TPoint local;
  TControl* target = nullptr;
  if (captured_ != nullptr) {
    target = captured_;
    local = captured_->ParentToClient(TPoint{x, y}, form);
  } else {
    target = Target(form, x, y, &local);
    Hover(target);
    if (hovered_ != target) return;
  }
  buttons_.Include(ButtonFlag(button));
  if (target == nullptr) return;
  captured_ = target;
  target->DispatchMouseDown(button, WithButtons(shift), local.X, local.Y);
}

void THeadlessWindowSystem::MouseUp(TWinControl* form, TMouseButton button, int x, int y, TShiftState shift) {
  TPoint local;
  TControl* target = nullptr;
  if (captured_ != nullptr) {
    target = captured_;
    local = captured_->ParentToClient(TPoint{x, y}, form);
  } else {
    target = Target(form, x, y, &local);
  }
  buttons_.Exclude(ButtonFlag(button));
  if (WithButtons({}).Empty()) captured_ = nullptr;
  if (target != nullptr) target->DispatchMouseUp(button, WithButtons(shift), local.X, local.Y);
}

void THeadlessWindowSystem::Click(TWinControl* form, int x, int y, TShiftState shift) {
  MouseDown(form, TMouseButton::mbLeft, x, y, shift);
  MouseUp(form, TMouseButton::mbLeft, x, y, shift);
}

void THeadlessWindowSystem::DoubleClick(TWinControl* form, int x, int y, TShiftState shift) {
  Click(form, x, y, shift);
  TPoint local;
  TControl* target = Target(form, x, y, &local);
  Hover(target);
  if (hovered_ != target || target == nullptr) return;
  buttons_.Include(TShiftFlag::ssLeft);
  captured_ = target;
  target->DispatchMouseDoubleClick(TMouseButton::mbLeft, WithButtons(shift), local.X, local.Y);
  MouseUp(form, TMouseButton::mbLeft, x, y, shift);
}

THeadlessWindowSystem* HeadlessWindowSystem() {
  // Never destroyed: controls may outlive any static object.
  static THeadlessWindowSystem* headless = new THeadlessWindowSystem;
  return headless;
}

}  // namespace korvo

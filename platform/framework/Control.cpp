// TControl: bounds, parent, appearance state and mouse dispatch.
#include "platform/framework/Control.h"

#include <algorithm>
#include <stdexcept>

#include "platform/framework/Menus.h"
#include "platform/framework/PlatformEnums.h"
#include "platform/framework/Properties.h"
#include "platform/framework/WindowSystem.h"

namespace korvo {

// ---------------------------------------------------------------------------
// TSizeConstraints

const TClassInfo& TSizeConstraints::ClassInfo() {
  using C = TSizeConstraints;
  static const TClassInfo& info = DefineClass<C, TPersistent>("TSizeConstraints")
                                      .Prop("MaxHeight", &C::MaxHeight, &C::SetMaxHeight)
                                      .Default(0)
                                      .Prop("MaxWidth", &C::MaxWidth, &C::SetMaxWidth)
                                      .Default(0)
                                      .Prop("MinHeight", &C::MinHeight, &C::SetMinHeight)
                                      .Default(0)
                                      .Prop("MinWidth", &C::MinWidth, &C::SetMinWidth)
                                      .Default(0)
                                      .Register();
  return info;
}

void TSizeConstraints::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TSizeConstraints*>(&source)) {
    max_height_ = s->max_height_;
    max_width_ = s->max_width_;
    min_height_ = s->min_height_;
    min_width_ = s->min_width_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

namespace {
void SetLimit(int& field, int v, bool& changed) {
  v = std::max(v, 0);
  changed = field != v;
  field = v;
}
}  // namespace

void TSizeConstraints::SetMaxHeight(int v) {
  bool changed = false;
  SetLimit(max_height_, v, changed);
  if (changed) Changed();
}
void TSizeConstraints::SetMaxWidth(int v) {
  bool changed = false;
  SetLimit(max_width_, v, changed);
  if (changed) Changed();
}
void TSizeConstraints::SetMinHeight(int v) {
  bool changed = false;
  SetLimit(min_height_, v, changed);
  if (changed) Changed();
}
void TSizeConstraints::SetMinWidth(int v) {
  bool changed = false;
  SetLimit(min_width_, v, changed);
  if (changed) Changed();
}

void TSizeConstraints::Apply(int& width, int& height) const {
  if (max_width_ > 0) width = std::min(width, max_width_);
  if (max_height_ > 0) height = std::min(height, max_height_);
  width = std::max(width, min_width_);
  height = std::max(height, min_height_);
}

void TSizeConstraints::Changed() {
  if (OnChange) OnChange();
}

// ---------------------------------------------------------------------------
// TControl

const TClassInfo& TControl::ClassInfo() {
  using C = TControl;
  static const TClassInfo& info =
      DefineClass<C, TComponent>("TControl")
          .Prop("Left", &C::Left, &C::SetLeft)
          .Prop("Top", &C::Top, &C::SetTop)
          .Prop("Width", &C::Width, &C::SetWidth)
          .Prop("Height", &C::Height, &C::SetHeight)
          .NamedInt("Cursor", &C::Cursor, &C::SetCursor, CursorNames())
          .Default(crDefault)
          .Prop("Hint", &C::Hint, &C::SetHint)
          .Default(std::string())
          // Declared for descendants to publish:
          .Prop("Align", &C::Align, &C::SetAlign)
          .Default(TAlign::alNone)
          .NotPublished()
          .Prop("Anchors", &C::Anchors, &C::SetAnchors)
          .Default(TAnchors{TAnchorKind::akLeft, TAnchorKind::akTop})
          .NotPublished()
          .Prop("Caption", &C::Caption, &C::SetCaption)
          .Default(std::string())
          .NotPublished()
          .Color("Color", &C::Color, &C::SetColor)
          .Default(clWindow)
          .Stored(&C::IsColorStored)
          .NotPublished()
          .Object("Constraints", &C::Constraints)
          .NotPublished()
          .Reference("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
          .NotPublished()
          .Prop("DragKind", &C::DragKind, &C::SetDragKind)
          .Default(TDragKind::dkDrag)
          .NotPublished()
          .NamedInt("DragCursor", &C::DragCursor, &C::SetDragCursor, CursorNames())
          .Default(crDrag)
          .NotPublished()
          .Prop("DragMode", &C::DragMode, &C::SetDragMode)
          .Default(TDragMode::dmManual)
          .NotPublished()
          .Prop("Enabled", &C::Enabled, &C::SetEnabled)
          .Default(true)
          .NotPublished()
          .Object("Font", &C::Font)
          .Stored(&C::IsFontStored)
          .NotPublished()
          .Prop("ParentColor", &C::ParentColor, &C::SetParentColor)
          .Default(false)
          .NotPublished()
          .Prop("ParentFont", &C::ParentFont, &C::SetParentFont)
          .Default(true)
          .NotPublished()
          .Prop("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint)
          .Default(true)
          .NotPublished()
          .Prop("ShowHint", &C::ShowHint, &C::SetShowHint)
          .Stored(&C::IsShowHintStored)
          .NotPublished()
          .Prop("Text", &C::Text, &C::SetText)
          .Default(std::string())
          .NotPublished()
          .Prop("Visible", &C::Visible, &C::SetVisible)
          .Default(true)
          .NotPublished()
          .Event("OnCanResize", &C::OnCanResize)
          .NotPublished()
          .Event("OnClick", &C::OnClick)
          .NotPublished()
          .Event("OnDblClick", &C::OnDblClick)
          .NotPublished()
          .Event("OnMouseDown", &C::OnMouseDown)
          .NotPublished()
          .Event("OnMouseEnter", &C::OnMouseEnter)
          .NotPublished()
          .Event("OnMouseLeave", &C::OnMouseLeave)
          .NotPublished()
          .Event("OnMouseMove", &C::OnMouseMove)
          .NotPublished()
          .Event("OnMouseUp", &C::OnMouseUp)
          .NotPublished()
          .Event("OnMouseWheel", &C::OnMouseWheel)
          .NotPublished()
          .Event("OnMouseWheelDown", &C::OnMouseWheelDown)
          .NotPublished()
          .Event("OnMouseWheelUp", &C::OnMouseWheelUp)
          .NotPublished()
          .Event("OnResize", &C::OnResize)
          .NotPublished()
          .Event("OnDragDrop", &C::OnDragDrop)
          .NotPublished()
          .Event("OnDragOver", &C::OnDragOver)
          .NotPublished()
          .Event("OnEndDrag", &C::OnEndDrag)
          .NotPublished()
          .Event("OnStartDrag", &C::OnStartDrag)
          .NotPublished()
          .Register();
  return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this] { FontChanged(); };
  constraints_.OnChange = [this] { SetBounds(left_, top_, width_, height_); };
}

TControl::~TControl() {
  WindowSystem()->ControlDestroyed(this);
  SetParent(nullptr);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popup_menu_) return;
  if (popup_menu_ != nullptr) RemoveFreeNotification(popup_menu_);
  popup_menu_ = menu;
  if (menu != nullptr) FreeNotification(menu);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component != nullptr && component == popup_menu_) popup_menu_ = nullptr;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  constraints_.Apply(width, height);
  if (width != width_ || height != height_) {
    int w = width, h = height;
    if (CanResize(w, h)) {
      width = std::max(w, 0);
      height = std::max(h, 0);
      constraints_.Apply(width, height);
    } else {
      width = width_;
      height = height_;
    }
  }
  // The control lies within the 32-bit plane, so BoundsRect's right and
  // bottom edges are always representable.
  left = int(std::min<int64_t>(left, int64_t(INT32_MAX) - width));
  top = int(std::min<int64_t>(top, int64_t(INT32_MAX) - height));
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const TRect old = BoundsRect();
  const bool resized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged(old);
  if (resized) Resize();
  if (parent_ != nullptr && align_ != TAlign::alNone) parent_->Realign();
}

TRect TControl::ClientRect() const { return TRect{0, 0, width_, height_}; }

void TControl::SetClientWidth(int v) { SetWidth(width_ - ClientWidth() + v); }
void TControl::SetClientHeight(int v) { SetHeight(height_ - ClientHeight() + v); }

TPoint TControl::ClientToParent(TPoint p, const TWinControl* ancestor) const {
  const TWinControl* target = ancestor != nullptr ? ancestor : parent_;
  const TControl* c = this;
  while (c != target) {
    if (c->parent_ == nullptr) throw std::invalid_argument("ClientToParent: not a parent of " + Name());
    p.X += c->left_;
    p.Y += c->top_;
    c = c->parent_;
  }
  return p;
}

TPoint TControl::ParentToClient(TPoint p, const TWinControl* ancestor) const {
  const TPoint origin = ClientToParent(TPoint{0, 0}, ancestor);
  return TPoint{p.X - origin.X, p.Y - origin.Y};
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  for (const TControl* p = parent; p != nullptr; p = p->parent_) {
    if (p == this) throw EComponentError("A control cannot be its own parent");
  }
  if (parent_ != nullptr) parent_->RemoveControl(this);
  if (parent != nullptr) parent->InsertControl(this);
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  VisibleChanged();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  EnabledChanged();
}

void TControl::SetFont(const TFont* font) {
  if (font != nullptr) font_->Assign(*font);
}

void TControl::SetParentFont(bool v) {
  parent_font_ = v;
  if (v) ParentFontChanged();
}

void TControl::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  parent_color_ = false;
  ColorChanged();
}

void TControl::SetParentColor(bool v) {
  parent_color_ = v;
  if (v) ParentColorChanged();
}

void TControl::SetCursor(TCursor c) {
  if (c == cursor_) return;
  cursor_ = c;
  CursorChanged();
}

void TControl::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  HintChanged();
}

void TControl::SetShowHint(bool v) {
  parent_show_hint_ = false;
  if (v == show_hint_) return;
  show_hint_ = v;
  HintChanged();
}

void TControl::SetParentShowHint(bool v) {
  parent_show_hint_ = v;
  if (v) ParentShowHintChanged();
}

void TControl::SetAlign(TAlign a) {
  if (a == align_) return;
  align_ = a;
  if (parent_ != nullptr) parent_->Realign();
}

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  TextChanged();
}

void TControl::Invalidate() {
  if (parent_ != nullptr) parent_->Invalidate();
}

void TControl::Update() {
  if (parent_ != nullptr) parent_->Update();
}

void TControl::Repaint() {
  if (parent_ != nullptr) parent_->Repaint();
}

void TControl::BringToFront() {
  if (parent_ == nullptr) return;
  auto& list = parent_->controls_;
  std::erase(list, this);
  list.push_back(this);
  parent_->Invalidate();
}

void TControl::SendToBack() {
  if (parent_ == nullptr) return;
  auto& list = parent_->controls_;
  std::erase(list, this);
  list.insert(list.begin(), this);
  parent_->Invalidate();
}

void TControl::ChangeScale(int M, int D) {
  if (M == D || D == 0) return;
  ScaleSelf(M, D);
}

void TControl::ScaleSelf(int M, int D) {
  SetBounds(MulDiv(left_, M, D), MulDiv(top_, M, D), MulDiv(width_, M, D), MulDiv(height_, M, D));
  if (!parent_font_) font_->SetHeight(MulDiv(font_->Height(), M, D));
}

// --- input -------------------------------------------------------------------

void TControl::DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (!enabled_) return;
  if (button == TMouseButton::mbLeft) clicked_ = true;
  MouseDown(button, shift, x, y);
}

void TControl::DispatchMouseDoubleClick(TMouseButton button, TShiftState shift, int x, int y) {
  if (!enabled_) return;
  if (button == TMouseButton::mbLeft) DblClick();
  shift.Include(TShiftFlag::ssDouble);
  MouseDown(button, shift, x, y);
}

void TControl::DispatchMouseMove(TShiftState shift, int x, int y) {
  if (!enabled_) return;
  MouseMove(shift, x, y);
}

void TControl::DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (!enabled_) return;
  if (button == TMouseButton::mbLeft) {
    const bool click = clicked_ && ClientRect().Contains(x, y);
    clicked_ = false;
    if (click) Click();
  }
  MouseUp(button, shift, x, y);
}

void TControl::DispatchMouseEnter() {
  if (enabled_) MouseEnter();
}

void TControl::DispatchMouseLeave() {
  if (enabled_) MouseLeave();
}

bool TControl::DispatchMouseWheel(TShiftState shift, int wheel_delta, TPoint mouse_pos) {
  if (!enabled_) return false;
  return DoMouseWheel(shift, wheel_delta, mouse_pos);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheel_delta, TPoint mouse_pos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, wheel_delta, mouse_pos, handled);
  if (!handled) {
    if (wheel_delta < 0 && OnMouseWheelDown) OnMouseWheelDown(this, shift, mouse_pos, handled);
    if (wheel_delta > 0 && OnMouseWheelUp) OnMouseWheelUp(this, shift, mouse_pos, handled);
  }
  return handled;
}

// --- notifications -----------------------------------------------------------

void TControl::BoundsChanged(const TRect&) {
  if (parent_ != nullptr) parent_->Invalidate();
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

bool TControl::CanResize(int& width, int& height) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, width, height, resize);
  return resize;
}

void TControl::VisibleChanged() {
  if (parent_ == nullptr) return;
  parent_->Invalidate();
  if (align_ != TAlign::alNone) parent_->Realign();
}

void TControl::EnabledChanged() { Invalidate(); }

void TControl::FontChanged() {
  if (!adopting_parent_font_) parent_font_ = false;
  Invalidate();
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::TextChanged() { Invalidate(); }

void TControl::CursorChanged() {}

void TControl::HintChanged() {}

void TControl::ParentFontChanged() {
  if (!parent_font_ || parent_ == nullptr) return;
  adopting_parent_font_ = true;
  try {
    font_->Assign(*parent_->font_);
  } catch (...) {
    adopting_parent_font_ = false;
    throw;
  }
  adopting_parent_font_ = false;
}

void TControl::ParentColorChanged() {
  if (!parent_color_ || parent_ == nullptr || color_ == parent_->color_) return;
  color_ = parent_->color_;
  ColorChanged();
}

void TControl::ParentShowHintChanged() {
  if (!parent_show_hint_ || parent_ == nullptr || show_hint_ == parent_->show_hint_) return;
  show_hint_ = parent_->show_hint_;
  HintChanged();
}

}  // namespace korvo

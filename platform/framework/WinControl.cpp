// TWinControl, TCustomControl and TGraphicControl: windows, child controls,
// surfaces, composition, alignment and anchors.
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/framework/Control.h"
#include "platform/framework/PlatformEnums.h"
#include "platform/framework/Properties.h"
#include "platform/framework/WindowSystem.h"

namespace korvo {

void CopyPixels(const TBitmap& src, TBitmap& dst, int x, int y) {
  const int64_t x0 = std::max<int64_t>(0, -int64_t(x));
  const int64_t x1 = std::min<int64_t>(src.Width(), int64_t(dst.Width()) - x);
  if (x0 >= x1) return;
  for (int32_t sy = 0; sy < src.Height(); ++sy) {
    const int64_t dy = int64_t(y) + sy;
    if (dy < 0 || dy >= dst.Height()) continue;
    std::memcpy(dst.ScanLine(int32_t(dy)) + (x + x0), src.ScanLine(sy) + x0, size_t(x1 - x0) * sizeof(TPixel));
  }
}

void CopyPixelsFrom(const TBitmap& src, int x, int y, TBitmap& dst) {
  const int64_t x0 = std::max<int64_t>(0, -int64_t(x));
  const int64_t x1 = std::min<int64_t>(dst.Width(), int64_t(src.Width()) - x);
  if (x0 >= x1) return;
  for (int32_t dy = 0; dy < dst.Height(); ++dy) {
    const int64_t sy = int64_t(y) + dy;
    if (sy < 0 || sy >= src.Height()) continue;
    std::memcpy(dst.ScanLine(dy) + x0, src.ScanLine(int32_t(sy)) + (x + x0), size_t(x1 - x0) * sizeof(TPixel));
  }
}

// ---------------------------------------------------------------------------
// TWinControl

const TClassInfo& TWinControl::ClassInfo() {
  using C = TWinControl;
  static const TClassInfo& info = DefineClass<C, TControl>("TWinControl")
                                      .Prop("TabOrder", &C::TabOrder, &C::SetTabOrder)
                                      .Default(-1)
                                      .NotPublished()
                                      .Prop("TabStop", &C::TabStop, &C::SetTabStop)
                                      .Default(false)
                                      .NotPublished()
                                      .Event("OnKeyDown", &C::OnKeyDown)
                                      .NotPublished()
                                      .Event("OnKeyPress", &C::OnKeyPress)
                                      .NotPublished()
                                      .Event("OnKeyUp", &C::OnKeyUp)
                                      .NotPublished()
                                      .Register();
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  if (handle_ != 0) DestroyHandle();
  // The children go with their parent, the topmost first.
  while (!controls_.empty()) {
    TControl* c = controls_.back();
    controls_.pop_back();
    c->parent_ = nullptr;
    delete c;
  }
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) {
    throw EComponentError("control index " + std::to_string(index) + " out of bounds (" +
                          std::to_string(ControlCount()) + " controls)");
  }
  return controls_[size_t(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c != nullptr; c = c->Parent()) {
    if (c == this) return true;
  }
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allow_disabled, bool allow_wincontrols) const {
  for (const bool windowed : {true, false}) {
    if (windowed && !allow_wincontrols) continue;
    for (size_t i = controls_.size(); i-- > 0;) {
      TControl* c = controls_[i];
      if ((dynamic_cast<TWinControl*>(c) != nullptr) != windowed) continue;
      if (!c->Visible() || (!c->Enabled() && !allow_disabled)) continue;
      if (c->BoundsRect().Contains(pos.X, pos.Y)) return c;
    }
  }
  return nullptr;
}

void TWinControl::HandleNeeded() {
  if (handle_ != 0) return;
  if (Parent() != nullptr) Parent()->HandleNeeded();
  if (handle_ == 0) CreateHandle();
}

TWindowHandle TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::CreateHandle() {
  if (handle_ != 0) return;
  CreateWnd();
  if (handle_ == 0) {
    throw std::logic_error(std::string(ClassName()) + "::CreateWnd did not create the window");
  }
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (auto* w = dynamic_cast<TWinControl*>(controls_[i])) w->CreateHandle();
  }
  Invalidate();
}

void TWinControl::DestroyHandle() {
  if (handle_ == 0) return;
  for (size_t i = controls_.size(); i-- > 0;) {
    if (auto* w = dynamic_cast<TWinControl*>(controls_[i])) w->DestroyHandle();
  }
  DestroyWnd();
  handle_ = 0;
  paint_pending_ = false;
  present_pending_ = false;
}

void TWinControl::CreateWnd() { handle_ = WindowSystem()->CreateWindow(this, WindowClass()); }

void TWinControl::DestroyWnd() { WindowSystem()->DestroyWindow(this); }

void TWinControl::CreateSurface() {
  if (surface_) return;
  surface_ = std::make_unique<TBitmap>();
  surface_->SetPixelFormat(TPixelFormat::pf32bit);
  surface_->SetSize(ClientWidth(), ClientHeight());
}

void TWinControl::ReleaseSurface() {
  if (handle_ == 0) surface_.reset();
}

TCanvas* TWinControl::SurfaceCanvas() {
  if (!surface_) return nullptr;
  changes_known_ = false;
  if (handle_ != 0 && !present_pending_) {
    present_pending_ = true;
    WindowSystem()->PresentWindow(this);
  }
  return surface_->Canvas();
}

TCanvas* TWinControl::SurfaceCanvas(const TRect& changes) {
  if (!surface_) return nullptr;
  const TRect inside{std::max(changes.Left, 0), std::max(changes.Top, 0),
                     std::min(changes.Right, surface_->Width()), std::min(changes.Bottom, surface_->Height())};
  changes_ = UnionRect(changes_, inside);
  if (handle_ != 0 && !present_pending_) {
    present_pending_ = true;
    WindowSystem()->PresentWindow(this);
  }
  return surface_->Canvas();
}

void TWinControl::PaintWindow() {
  paint_pending_ = false;
  if (!surface_) return;
  changes_known_ = false;
  Paint();
  PaintGraphicChildren(*surface_);
  if (handle_ != 0 && !present_pending_) {
    present_pending_ = true;
    WindowSystem()->PresentWindow(this);
  }
}

bool TWinControl::PaintScaled(const TPixelSurface&, double, const TRect&) { return false; }

void TWinControl::PaintGraphicChildren(TBitmap& target) {
  for (size_t i = 0; i < controls_.size(); ++i) {
    auto* g = dynamic_cast<TGraphicControl*>(controls_[i]);
    if (g != nullptr && g->Visible()) g->PaintOnto(target, g->Left(), g->Top());
  }
}

void TWinControl::PaintTo(TBitmap& target, int x, int y) {
  TBitmap image(ClientWidth(), ClientHeight());
  ComposeInto(image);
  CopyPixels(image, target, x, y);
}

void TWinControl::ComposeInto(TBitmap& image) {
  if (surface_) {
    // A window waiting for its paint, or a control nobody paints because it
    // has no window, is painted now, so the picture shows what the screen
    // would after the pending paints.
    if (paint_pending_ || handle_ == 0) PaintWindow();
    CopyPixels(*surface_, image, 0, 0);
  } else {
    PaintFace(*image.Canvas());
    PaintGraphicChildren(image);
  }
  for (size_t i = 0; i < controls_.size(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(controls_[i]);
    if (w != nullptr && w->Visible()) w->PaintTo(image, w->Left(), w->Top());
  }
}

void TWinControl::PaintFace(TCanvas& canvas) {
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(TRect{0, 0, Width(), Height()});
}

void TWinControl::Invalidate() {
  if (handle_ == 0 || paint_pending_) return;
  paint_pending_ = true;
  WindowSystem()->InvalidateWindow(this);
}

void TWinControl::Update() {
  if (handle_ != 0 && paint_pending_) PaintWindow();
}

void TWinControl::Repaint() {
  if (handle_ != 0) PaintWindow();
}

void TWinControl::ChangeScale(int M, int D) {
  if (M == D || D == 0) return;
  scaling_ = true;
  try {
    for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->ChangeScale(M, D);
    ScaleSelf(M, D);
  } catch (...) {
    scaling_ = false;
    throw;
  }
  scaling_ = false;
}

void TWinControl::Realign() {
  if (aligning_ || IsLoading() || IsDestroying()) return;
  aligning_ = true;
  try {
    TRect r = ClientRect();
    AdjustClientRect(r);
    AlignControls(r);
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

void TWinControl::AlignControls(TRect& r) {
  static constexpr TAlign kOrder[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight,
                                      TAlign::alClient};
  const std::vector<TControl*> children = controls_;
  for (const TAlign align : kOrder) {
    for (TControl* c : children) {
      if (!c->Visible() || c->Align() != align) continue;
      const int w = c->Width(), h = c->Height();
      const int rw = int(std::max<int64_t>(r.Width(), 0)), rh = int(std::max<int64_t>(r.Height(), 0));
      switch (align) {
        case TAlign::alTop:
          c->SetBounds(r.Left, r.Top, rw, h);
          r.Top += c->Height();
          break;
        case TAlign::alBottom:
          c->SetBounds(r.Left, r.Bottom - h, rw, h);
          r.Bottom -= c->Height();
          break;
        case TAlign::alLeft:
          c->SetBounds(r.Left, r.Top, w, rh);
          r.Left += c->Width();
          break;
        case TAlign::alRight:
          c->SetBounds(r.Right - w, r.Top, w, rh);
          r.Right -= c->Width();
          break;
        default:
          c->SetBounds(r.Left, r.Top, rw, rh);
          break;
      }
    }
  }
}

void TWinControl::AdjustClientRect(TRect&) const {}

void TWinControl::MoveAnchoredChildren(int old_client_width, int old_client_height) {
  if (IsLoading() || scaling_) return;
  const int new_w = ClientWidth(), new_h = ClientHeight();
  const int dw = new_w - old_client_width, dh = new_h - old_client_height;
  if (dw == 0 && dh == 0) return;
  // One axis: anchored on both sides stretches, on the far side moves,
  // on neither keeps the centre at the same fraction of the client area.
  auto follow = [](bool near, bool far, int pos, int size, int old_extent, int new_extent, int delta, int& out_pos,
                   int& out_size) {
    out_pos = pos;
    out_size = size;
    if (far && near) {
      out_size = size + delta;
    } else if (far) {
      out_pos = pos + delta;
    } else if (!near) {
      const int centre = old_extent > 0 ? MulDiv(2 * pos + size, new_extent, old_extent) : 2 * pos + size + delta;
      out_pos = (centre - size) / 2;
    }
  };
  const std::vector<TControl*> children = controls_;
  for (TControl* c : children) {
    if (c->Align() != TAlign::alNone) continue;
    const TAnchors a = c->Anchors();
    int l, t, w, h;
    follow(a.Contains(TAnchorKind::akLeft), a.Contains(TAnchorKind::akRight), c->Left(), c->Width(),
           old_client_width, new_w, dw, l, w);
    follow(a.Contains(TAnchorKind::akTop), a.Contains(TAnchorKind::akBottom), c->Top(), c->Height(),
           old_client_height, new_h, dh, t, h);
    c->SetBounds(l, t, w, h);
  }
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

void TWinControl::BoundsChanged(const TRect& old) {
  const bool resized = old.Width() != Width() || old.Height() != Height();
  const int frame_w = Width() - ClientWidth(), frame_h = Height() - ClientHeight();
  if (surface_ && resized) {
    try {
      // The old picture has the old size and a resized control repaints, so
      // its pixels are not kept: the surface is made afresh (one fill)
      // instead of being copied row by row into the new size.
      surface_->SetSize(0, 0);
      surface_->SetSize(ClientWidth(), ClientHeight());
    } catch (...) {
      // A surface that cannot have the size leaves the control as it was.
      left_ = old.Left;
      top_ = old.Top;
      width_ = int(old.Width());
      height_ = int(old.Height());
      try {
        surface_->SetSize(ClientWidth(), ClientHeight());
      } catch (...) {
        // Out of memory again: the control keeps an empty surface.
      }
      throw;
    }
  }
  if (handle_ != 0) {
    WindowSystem()->SetWindowBounds(this, BoundsRect());
    if (resized) Invalidate();
  }
  if (resized) {
    MoveAnchoredChildren(int(old.Width()) - frame_w, int(old.Height()) - frame_h);
    Realign();
  }
}

void TWinControl::VisibleChanged() {
  TControl::VisibleChanged();
  if (handle_ != 0) WindowSystem()->SetWindowVisible(this, Visible());
}

void TWinControl::EnabledChanged() {
  TControl::EnabledChanged();
  if (handle_ != 0) WindowSystem()->SetWindowEnabled(this, Enabled());
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->ParentFontChanged();
  if (handle_ != 0) WindowSystem()->SetWindowFont(this, *Font());
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->ParentColorChanged();
}

void TWinControl::TextChanged() {
  TControl::TextChanged();
  if (handle_ != 0) WindowSystem()->SetWindowText(this, Text());
}

void TWinControl::CursorChanged() {
  if (handle_ != 0) WindowSystem()->SetWindowCursor(this, Cursor());
}

void TWinControl::HintChanged() {
  for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->ParentShowHintChanged();
  if (handle_ != 0) WindowSystem()->SetWindowHint(this, ShowHint() ? Hint() : std::string());
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  control->ParentFontChanged();
  control->ParentColorChanged();
  control->ParentShowHintChanged();
  if (handle_ != 0) {
    if (auto* w = dynamic_cast<TWinControl*>(control)) w->CreateHandle();
  }
  if (control->Align() != TAlign::alNone) Realign();
  Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  if (auto* w = dynamic_cast<TWinControl*>(control); w != nullptr && w->handle_ != 0) w->DestroyHandle();
  std::erase(controls_, control);
  control->parent_ = nullptr;
  if (control->Align() != TAlign::alNone) Realign();
  Invalidate();
}

void TWinControl::SetTabStop(bool v) {
  if (v == tab_stop_) return;
  tab_stop_ = v;
  FocusableChanged();
}

void TWinControl::FocusableChanged() {
  if (HandleAllocated()) WindowSystem()->SetWindowFocusable(this, Focusable());
}

void TWinControl::DispatchKeyDown(uint16_t& key, TShiftState shift) {
  if (Enabled()) KeyDown(key, shift);
}

void TWinControl::DispatchKeyUp(uint16_t& key, TShiftState shift) {
  if (Enabled()) KeyUp(key, shift);
}

void TWinControl::DispatchKeyPress(char& key) {
  if (Enabled()) KeyPress(key);
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

// ---------------------------------------------------------------------------
// TCustomControl

const TClassInfo& TCustomControl::ClassInfo() {
  static const TClassInfo& info = DefineClass<TCustomControl, TWinControl>("TCustomControl").Register();
  return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) { CreateSurface(); }

// ---------------------------------------------------------------------------
// TGraphicControl

const TClassInfo& TGraphicControl::ClassInfo() {
  static const TClassInfo& info = DefineClass<TGraphicControl, TControl>("TGraphicControl").Register();
  return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintOnto(TBitmap& target, int x, int y) {
  if (Width() <= 0 || Height() <= 0) return;
  TBitmap area(Width(), Height());
  CopyPixelsFrom(target, x, y, area);
  canvas_.SetSurface(area.Canvas()->Surface());
  try {
    Paint();
  } catch (...) {
    canvas_.SetSurface(TPixelSurface{});
    throw;
  }
  canvas_.SetSurface(TPixelSurface{});
  CopyPixels(area, target, x, y);
}

}  // namespace korvo

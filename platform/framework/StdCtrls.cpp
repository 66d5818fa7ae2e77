#include "platform/framework/StdCtrls.h"

#include <algorithm>

#include "platform/framework/Application.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/Menus.h"
#include "platform/framework/PlatformEnums.h"
#include "platform/framework/Properties.h"
#include "platform/framework/WindowSystem.h"

namespace korvo {
namespace {

// Fills Left..Right-1 by Top..Bottom-1; nothing for an empty rectangle.
void FillBox(TCanvas& canvas, int left, int top, int right, int bottom, TColor color) {
  if (right <= left || bottom <= top) return;
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(color);
  canvas.FillRect(TRect{left, top, right, bottom});
}

// Text centred vertically, placed horizontally by `alignment` within r.
void DrawCaption(TCanvas& canvas, const TRect& r, const std::string& text, TAlignment alignment, bool enabled) {
  if (text.empty()) return;
  const TSize extent = canvas.TextExtent(text);
  int x = r.Left;
  if (alignment == TAlignment::taCenter) x = int(r.Left + (r.Width() - extent.cx) / 2);
  if (alignment == TAlignment::taRightJustify) x = int(r.Right - extent.cx);
  const int y = int(r.Top + (r.Height() - extent.cy) / 2);
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  if (enabled) {
    canvas.TextOut(x, y, text);
  } else {
    // Disabled text looks engraved: a highlight copy below and right, then
    // the text in the shadow colour.
    const TColor color = canvas.Font()->Color();
    canvas.Font()->SetColor(clBtnHighlight);
    canvas.TextOut(x + 1, y + 1, text);
    canvas.Font()->SetColor(clBtnShadow);
    canvas.TextOut(x, y, text);
    canvas.Font()->SetColor(color);
  }
}

}  // namespace

void Frame3D(TCanvas& canvas, TRect& r, TColor top_left, TColor bottom_right, int width) {
  for (; width > 0 && !r.IsEmpty(); --width) {
    FillBox(canvas, r.Left, r.Top, r.Right - 1, r.Top + 1, top_left);
    FillBox(canvas, r.Left, r.Top, r.Left + 1, r.Bottom - 1, top_left);
    FillBox(canvas, r.Right - 1, r.Top, r.Right, r.Bottom, bottom_right);
    FillBox(canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom, bottom_right);
    r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
}

void RegisterStandardClasses() {
  RegisterClasses<TComponent, TControl, TWinControl, TCustomControl, TGraphicControl, TSizeConstraints, TForm, TButton,
                  TPanel, TBevel, TPopupMenu>();
}

namespace {
// The standard classes are known to form descriptions from the start.
const bool kStandardClassesRegistered = (RegisterStandardClasses(), true);
}  // namespace

// ---------------------------------------------------------------------------
// TForm

const TClassInfo& TForm::ClassInfo() {
  using C = TForm;
  static const TClassInfo& info = DefineClass<C, TWinControl>("TForm")
                                      .Publish("Caption")
                                      .Prop("ClientHeight", &C::ClientHeight, &C::SetClientHeight)
                                      .Stored(false)
                                      .Prop("ClientWidth", &C::ClientWidth, &C::SetClientWidth)
                                      .Stored(false)
                                      .Publish("Color")
                                      .Default(clBtnFace)
                                      .Publish("Constraints")
                                      .Publish("Enabled")
                                      .Publish("Font")
                                      .Publish("ParentFont")
                                      .Default(false)
                                      .Publish("ShowHint")
                                      .Publish("Visible")
                                      .Default(false)
                                      .Prop("PixelsPerInch", &C::PixelsPerInch, &C::SetPixelsPerInch)
                                      .Prop("Scaled", &C::Scaled, &C::SetScaled)
                                      .Default(true)
                                      .Publish("OnCanResize")
                                      .Publish("OnClick")
                                      .Event("OnClose", &C::OnClose)
                                      .Event("OnCloseQuery", &C::OnCloseQuery)
                                      .Event("OnCreate", &C::OnCreate)
                                      .Publish("OnDblClick")
                                      .Event("OnHide", &C::OnHide)
                                      .Publish("OnKeyDown")
                                      .Publish("OnKeyPress")
                                      .Publish("OnKeyUp")
                                      .Publish("OnMouseDown")
                                      .Publish("OnMouseMove")
                                      .Publish("OnMouseUp")
                                      .Publish("OnMouseWheel")
                                      .Event("OnPaint", &C::OnPaint)
                                      .Publish("OnResize")
                                      .Event("OnShow", &C::OnShow)
                                      .Register();
  return info;
}

TForm::TForm(TComponent* owner) : TWinControl(owner), pixels_per_inch_(Screen()->PixelsPerInch()) {
  CreateSurface();
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  Screen()->AddForm(this);
}

TForm::~TForm() {
  Destroying();
  Screen()->RemoveForm(this);
}

TRect TForm::ClientRect() const {
  if (Parent() != nullptr) return TWinControl::ClientRect();
  const TRect frame = WindowSystem()->FormFrame();
  return TRect{0, 0, std::max(0, Width() - frame.Left - frame.Right), std::max(0, Height() - frame.Top - frame.Bottom)};
}

void TForm::SetPixelsPerInch(int ppi) {
  if (ppi > 0) pixels_per_inch_ = ppi;
}

void TForm::ReadDescription(std::string_view text) {
  ReadComponentText(text, this);
  if (OnCreate) OnCreate(this);
}

bool TForm::CloseQuery() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(this, can_close);
  return can_close;
}

void TForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  if (Application()->MainForm() == this) {
    Hide();
    Application()->Terminate();
    return;
  }
  if (action == TCloseAction::caHide) Hide();
  if (action == TCloseAction::caFree) Release();
}

void TForm::Release() {
  WindowSystem()->PostWork([form = this] {
    if (Screen()->HasForm(form)) delete form;
  });
}

void TForm::RenderToBitmap(TBitmap& bitmap) {
  bitmap.SetSize(ClientWidth(), ClientHeight());
  PaintTo(bitmap, 0, 0);
}

void TForm::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(TRect{0, 0, ClientWidth(), ClientHeight()});
  if (OnPaint) OnPaint(this);
}

void TForm::VisibleChanged() {
  // A form read with Visible = True shows once reading is done.
  if (IsLoading()) return;
  if (Visible()) {
    if (OnShow) OnShow(this);
    HandleNeeded();
  } else if (OnHide) {
    OnHide(this);
  }
  TWinControl::VisibleChanged();
}

void TForm::Loaded() {
  const int screen_ppi = Screen()->PixelsPerInch();
  if (scaled_ && pixels_per_inch_ != screen_ppi) {
    // Still loading: the children keep their places relative to each other
    // and no anchors move them.
    ChangeScale(screen_ppi, pixels_per_inch_);
    pixels_per_inch_ = screen_ppi;
  }
  TWinControl::Loaded();
}

void TForm::Show() {
  if (!Visible()) {
    SetVisible(true);
  } else if (!HandleAllocated()) {
    VisibleChanged();  // visible since it was read, not shown yet
  }
}

void TForm::ScaleSelf(int M, int D) {
  const int client_width = MulDiv(ClientWidth(), M, D);
  const int client_height = MulDiv(ClientHeight(), M, D);
  if (!ParentFont()) Font()->SetHeight(MulDiv(Font()->Height(), M, D));
  SetClientWidth(client_width);
  SetClientHeight(client_height);
}

// ---------------------------------------------------------------------------
// TButton

const TClassInfo& TButton::ClassInfo() {
  static const TClassInfo& info = DefineClass<TButton, TWinControl>("TButton")
                                      .Publish("Anchors")
                                      .Publish("Caption")
                                      .Publish("Constraints")
                                      .Publish("Enabled")
                                      .Publish("Font")
                                      .Publish("ParentFont")
                                      .Publish("ParentShowHint")
                                      .Publish("ShowHint")
                                      .Publish("TabOrder")
                                      .Publish("TabStop")
                                      .Default(true)
                                      .Publish("Visible")
                                      .Publish("OnClick")
                                      .Publish("OnKeyDown")
                                      .Publish("OnKeyPress")
                                      .Publish("OnKeyUp")
                                      .Publish("OnMouseDown")
                                      .Publish("OnMouseEnter")
                                      .Publish("OnMouseLeave")
                                      .Publish("OnMouseMove")
                                      .Publish("OnMouseUp")
                                      .Register();
  return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetColor(clBtnFace);
  SetTabStop(true);
}

void TButton::Click() {
  if (!Enabled()) return;
  TWinControl::Click();
}

void TButton::PaintFace(TCanvas& canvas) {
  TRect r{0, 0, Width(), Height()};
  Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow, 1);
  Frame3D(canvas, r, cl3DLight, clBtnShadow, 1);
  FillBox(canvas, r.Left, r.Top, r.Right, r.Bottom, Color());
  canvas.Font()->Assign(*Font());
  DrawCaption(canvas, TRect{0, 0, Width(), Height()}, Caption(), TAlignment::taCenter, Enabled());
}

// ---------------------------------------------------------------------------
// TPanel

const TClassInfo& TPanel::ClassInfo() {
  using C = TPanel;
  static const TClassInfo& info = DefineClass<C, TCustomControl>("TPanel")
                                      .Publish("Align")
                                      .Prop("Alignment", &C::Alignment, &C::SetAlignment)
                                      .Default(TAlignment::taCenter)
                                      .Publish("Anchors")
                                      .Prop("BevelInner", &C::BevelInner, &C::SetBevelInner)
                                      .Default(TBevelCut::bvNone)
                                      .Prop("BevelOuter", &C::BevelOuter, &C::SetBevelOuter)
                                      .Default(TBevelCut::bvRaised)
                                      .Prop("BevelWidth", &C::BevelWidth, &C::SetBevelWidth)
                                      .Default(1)
                                      .Prop("BorderWidth", &C::BorderWidth, &C::SetBorderWidth)
                                      .Default(0)
                                      .Publish("Caption")
                                      .Publish("Color")
                                      .Default(clBtnFace)
                                      .Publish("Constraints")
                                      .Publish("Enabled")
                                      .Publish("Font")
                                      .Publish("ParentColor")
                                      .Publish("ParentFont")
                                      .Publish("ParentShowHint")
                                      .Publish("ShowHint")
                                      .Publish("TabOrder")
                                      .Publish("TabStop")
                                      .Publish("Visible")
                                      .Publish("OnCanResize")
                                      .Publish("OnClick")
                                      .Publish("OnDblClick")
                                      .Publish("OnMouseDown")
                                      .Publish("OnMouseEnter")
                                      .Publish("OnMouseLeave")
                                      .Publish("OnMouseMove")
                                      .Publish("OnMouseUp")
                                      .Publish("OnResize")
                                      .Register();
  return info;
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TPanel::SetAlignment(TAlignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut v) {
  if (v == bevel_inner_) return;
  bevel_inner_ = v;
  FrameChanged();
}

void TPanel::SetBevelOuter(TBevelCut v) {
  if (v == bevel_outer_) return;
  bevel_outer_ = v;
  FrameChanged();
}

void TPanel::SetBevelWidth(int v) {
  v = std::max(v, 1);
  if (v == bevel_width_) return;
  bevel_width_ = v;
  FrameChanged();
}

void TPanel::SetBorderWidth(int v) {
  v = std::max(v, 0);
  if (v == border_width_) return;
  border_width_ = v;
  FrameChanged();
}

void TPanel::FrameChanged() {
  Realign();
  Invalidate();
}

void TPanel::AdjustClientRect(TRect& rect) const {
  int inset = border_width_;
  if (bevel_outer_ != TBevelCut::bvNone) inset += bevel_width_;
  if (bevel_inner_ != TBevelCut::bvNone) inset += bevel_width_;
  rect = TRect{rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset};
}

void TPanel::Paint() {
  TCanvas& canvas = *Canvas();
  TRect r{0, 0, Width(), Height()};
  auto bevel = [&](TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    if (cut == TBevelCut::bvSpace) {
      Frame3D(canvas, r, Color(), Color(), bevel_width_);
    } else if (cut == TBevelCut::bvLowered) {
      Frame3D(canvas, r, clBtnShadow, clBtnHighlight, bevel_width_);
    } else {
      Frame3D(canvas, r, clBtnHighlight, clBtnShadow, bevel_width_);
    }
  };
  bevel(bevel_outer_);
  Frame3D(canvas, r, Color(), Color(), border_width_);
  bevel(bevel_inner_);
  FillBox(canvas, r.Left, r.Top, r.Right, r.Bottom, Color());
  canvas.Font()->Assign(*Font());
  DrawCaption(canvas, r, Caption(), alignment_, Enabled());
}

// ---------------------------------------------------------------------------
// TBevel

const TClassInfo& TBevel::ClassInfo() {
  using C = TBevel;
  static const TClassInfo& info = DefineClass<C, TGraphicControl>("TBevel")
                                      .Publish("Align")
                                      .Publish("Anchors")
                                      .Publish("Constraints")
                                      .Publish("ParentShowHint")
                                      .Prop("Shape", &C::Shape, &C::SetShape)
                                      .Default(TBevelShape::bsBox)
                                      .Publish("ShowHint")
                                      .Prop("Style", &C::Style, &C::SetStyle)
                                      .Default(TBevelStyle::bsLowered)
                                      .Publish("Visible")
                                      .Register();
  return info;
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape s) {
  if (s == shape_) return;
  shape_ = s;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle s) {
  if (s == style_) return;
  style_ = s;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas& canvas = *Canvas();
  const bool lowered = style_ == TBevelStyle::bsLowered;
  const TColor c1 = lowered ? clBtnShadow : clBtnHighlight;
  const TColor c2 = lowered ? clBtnHighlight : clBtnShadow;
  const int w = Width(), h = Height();
  switch (shape_) {
    case TBevelShape::bsBox: {
      TRect r{0, 0, w, h};
      Frame3D(canvas, r, c1, c2, 1);
      break;
    }
    case TBevelShape::bsFrame: {
      // An etched line: the second colour one pixel right and down, the
      // first on top of it at the origin.
      TRect inner{1, 1, w, h};
      Frame3D(canvas, inner, c2, c2, 1);
      TRect outer{0, 0, w - 1, h - 1};
      Frame3D(canvas, outer, c1, c1, 1);
      break;
    }
    case TBevelShape::bsTopLine:
      FillBox(canvas, 0, 0, w, 1, c1);
      FillBox(canvas, 0, 1, w, 2, c2);
      break;
    case TBevelShape::bsBottomLine:
      FillBox(canvas, 0, h - 2, w, h - 1, c1);
      FillBox(canvas, 0, h - 1, w, h, c2);
      break;
    case TBevelShape::bsLeftLine:
      FillBox(canvas, 0, 0, 1, h, c1);
      FillBox(canvas, 1, 0, 2, h, c2);
      break;
    case TBevelShape::bsRightLine:
      FillBox(canvas, w - 2, 0, w - 1, h, c1);
      FillBox(canvas, w - 1, 0, w, h, c2);
      break;
    case TBevelShape::bsSpacer:
      break;
  }
}

}  // namespace korvo

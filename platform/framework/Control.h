// Controls: components with a position on a parent, painted and fed with
// mouse and keyboard input by the window system.
//
//   TControl         bounds, parent, visibility, font, colour, cursor, hint,
//                    alignment and anchors, mouse handlers and events.
//   TWinControl      a control with a window of its own and child controls.
//   TCustomControl   a windowed control that paints itself: it owns a
//                    control-sized surface (a bitmap) and its Canvas; Paint
//                    draws into it and the window system shows it.
//   TGraphicControl  a control without a window, painted onto its parent's
//                    surface when the parent paints.
//
// Coordinates: Left and Top are in the client area of the parent; mouse
// positions handed to the handlers are client coordinates of the control,
// (0, 0) its top-left pixel.
//
// Lifetime: a windowed control destroys its child controls, the topmost
// first, whoever owns them (they leave their owners then); so controls put
// on a parent are created with new. A control destroyed on its own leaves
// its parent.
//
// Painting: Invalidate asks the window system to repaint later (nothing
// happens while the control has no window); Update paints now when a repaint
// is pending; Repaint paints now. A windowed control gets its window when it
// is shown on a form (or by HandleNeeded); CreateWnd runs then, once per
// window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/EnumSet.h"
#include "platform/Export.h"
#include "platform/Types.h"
#include "platform/framework/Component.h"
#include "platform/framework/Cursors.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"

namespace korvo {

class TClassInfo;
class TPopupMenu;
class TWinControl;

// A window of the window system; 0 is none.
using TWindowHandle = uintptr_t;

// The kinds of windows the framework creates (TWinControl::WindowClass).
enum class TWindowClass : uint8_t {
  wcForm,    // a top-level window showing its surface
  wcCustom,  // a child window showing its surface (or an empty one)
  wcButton,  // a native push button
};

enum class TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum class TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TEnumSet<TAnchorKind>;

template <>
struct TEnumInfo<TAlign> {
  static constexpr std::string_view TypeName = "TAlign";
  static constexpr std::array<std::string_view, 7> Names = {"alNone",  "alTop",    "alBottom", "alLeft",
                                                            "alRight", "alClient", "alCustom"};
};
template <>
struct TEnumInfo<TAnchorKind> {
  static constexpr std::string_view TypeName = "TAnchors";
  static constexpr std::array<std::string_view, 4> Names = {"akLeft", "akTop", "akRight", "akBottom"};
};

// The framework's event signatures. Sender is the control that fires.
using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, const TPoint& MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, const TPoint& MousePos, bool& Handled)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// Drag and drop as form descriptions publish it. The framework stores these
// settings and events for the controls that publish them; it starts no drag
// of its own.
enum class TDragKind : uint8_t { dkDrag, dkDock };
enum class TDragMode : uint8_t { dmManual, dmAutomatic };
enum class TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };
template <>
struct TEnumInfo<TDragKind> {
  static constexpr std::string_view TypeName = "TDragKind";
  static constexpr std::array<std::string_view, 2> Names = {"dkDrag", "dkDock"};
};
template <>
struct TEnumInfo<TDragMode> {
  static constexpr std::string_view TypeName = "TDragMode";
  static constexpr std::array<std::string_view, 2> Names = {"dmManual", "dmAutomatic"};
};
template <>
struct TEnumInfo<TDragState> {
  static constexpr std::string_view TypeName = "TDragState";
  static constexpr std::array<std::string_view, 3> Names = {"dsDragEnter", "dsDragLeave", "dsDragMove"};
};
// What a drag carries; a handler of OnStartDrag may supply one.
class PLOTWELL_API TDragObject : public TObject {
 public:
  const char* ClassName() const override { return "TDragObject"; }
};
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;

// Virtual key codes handed to the key events (the classic values).
// Letters and digits are their upper-case ASCII codes ('A', '0').
constexpr uint16_t VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
                   VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
                   VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46;
// The numeric keypad's digits (VK_NUMPAD0 + n), operators and point, the
// function keys (VK_F1 + n - 1), and the main keyboard's keys that carry
// "+" and "-" (on many layouts "=" shares the "+" key).
constexpr uint16_t VK_NUMPAD0 = 0x60, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E,
                   VK_DIVIDE = 0x6F, VK_F1 = 0x70, VK_OEM_PLUS = 0xBB, VK_OEM_MINUS = 0xBD;
// What a windowed control wants of the keyboard (DialogCode): otherwise Tab
// and the arrow keys move the focus between controls.
constexpr int DLGC_WANTARROWS = 0x01, DLGC_WANTTAB = 0x02, DLGC_WANTALLKEYS = 0x04, DLGC_WANTCHARS = 0x80;

// Limits to a control's size; 0 means no limit. Changes re-apply the limits
// to the owning control.
class PLOTWELL_API TSizeConstraints : public TPersistent {
 public:
  const char* ClassName() const override { return "TSizeConstraints"; }
  static const TClassInfo& ClassInfo();
  void Assign(const TPersistent& source) override;

  int MaxHeight() const { return max_height_; }
  void SetMaxHeight(int v);
  int MaxWidth() const { return max_width_; }
  void SetMaxWidth(int v);
  int MinHeight() const { return min_height_; }
  void SetMinHeight(int v);
  int MinWidth() const { return min_width_; }
  void SetMinWidth(int v);

  // Brings a size within the limits (a maximum below the minimum loses).
  void Apply(int& width, int& height) const;

  std::function<void()> OnChange;

 private:
  void Changed();
  int max_height_ = 0, max_width_ = 0, min_height_ = 0, min_width_ = 0;
};

class PLOTWELL_API TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  const char* ClassName() const override { return "TControl"; }
  static const TClassInfo& ClassInfo();

  // Bounds. Every change of position or size goes through SetBounds, which
  // descendants override to react; negative sizes are taken as 0 and the
  // size is kept within Constraints. OnCanResize may refuse a new size.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  // Negative sizes count as 0; Left and Top are lowered where Left + Width
  // or Top + Height would pass 2147483647, so BoundsRect never overflows.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return TRect{left_, top_, left_ + width_, top_ + height_}; }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, int(r.Width()), int(r.Height())); }
  // The area children and painting use, in client coordinates: (0, 0,
  // Width, Height) except for controls with a frame (forms).
  virtual TRect ClientRect() const;
  int ClientWidth() const { return int(ClientRect().Width()); }
  int ClientHeight() const { return int(ClientRect().Height()); }
  void SetClientWidth(int v);
  void SetClientHeight(int v);
  // A client point of this control in the client coordinates of `ancestor`
  // (the parent when nullptr), and back.
  TPoint ClientToParent(TPoint p, const TWinControl* ancestor = nullptr) const;
  TPoint ParentToClient(TPoint p, const TWinControl* ancestor = nullptr) const;

  TWinControl* Parent() const { return parent_; }
  // Moves the control into the parent's list of child controls (on top of
  // the others), out of the old parent's; nullptr takes it off its parent.
  virtual void SetParent(TWinControl* parent);

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are the parents up to a visible form.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);

  // The control's font, owned. Changing it clears ParentFont; with
  // ParentFont the control takes its parent's font and follows its changes.
  TFont* Font() { return font_.get(); }
  const TFont* Font() const { return font_.get(); }
  void SetFont(const TFont* font);
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool v);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool v);
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool v);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors a) { anchors_ = a; }
  TSizeConstraints* Constraints() { return &constraints_; }
  // The menu the control offers on a right click (stored for form
  // descriptions; the framework shows no menu). Cleared when that menu is
  // destroyed.
  TPopupMenu* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TPopupMenu* menu);
  // Drag settings, stored only.
  TDragKind DragKind() const { return drag_kind_; }
  void SetDragKind(TDragKind kind) { drag_kind_ = kind; }
  TCursor DragCursor() const { return drag_cursor_; }
  void SetDragCursor(TCursor cursor) { drag_cursor_ = cursor; }
  TDragMode DragMode() const { return drag_mode_; }
  void SetDragMode(TDragMode mode) { drag_mode_ = mode; }
  // Caption and Text are one value (the text of the control).
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& text) { SetText(text); }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);

  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  // Moves the control to the top (end) or bottom (start) of its parent's
  // child controls.
  void BringToFront();
  void SendToBack();

  // Scales position, size and (unless ParentFont) the font height by M / D,
  // and the children of windowed controls with them.
  virtual void ChangeScale(int M, int D);

  // Input from the window system, in client coordinates. Disabled controls
  // ignore it. A left press followed by a release inside the control clicks
  // it (Click, then MouseUp); a double click is reported by
  // DispatchMouseDoubleClick in place of the second press: DblClick, then
  // MouseDown with ssDouble.
  void DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void DispatchMouseDoubleClick(TMouseButton button, TShiftState shift, int x, int y);
  void DispatchMouseMove(TShiftState shift, int x, int y);
  void DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void DispatchMouseEnter();
  void DispatchMouseLeave();
  // Returns whether a handler took the wheel turn.
  bool DispatchMouseWheel(TShiftState shift, int wheel_delta, TPoint mouse_pos);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;
  TDragDropEvent OnDragDrop;
  TDragOverEvent OnDragOver;
  TEndDragEvent OnEndDrag;
  TStartDragEvent OnStartDrag;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

  // The handlers; the base versions fire the events. Overrides call the base
  // where the event should fire.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual bool DoMouseWheel(TShiftState shift, int wheel_delta, TPoint mouse_pos);

  // Scales this control alone (ChangeScale scales the children first).
  virtual void ScaleSelf(int M, int D);

  // Notifications of changed state.
  virtual void BoundsChanged(const TRect& old_bounds);
  virtual void Resize();
  virtual bool CanResize(int& width, int& height);
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void TextChanged();
  virtual void CursorChanged();
  virtual void HintChanged();
  // The parent's font, colour or hint setting changed.
  void ParentFontChanged();
  void ParentColorChanged();
  void ParentShowHintChanged();

  bool IsFontStored() const { return !parent_font_; }
  bool IsColorStored() const { return !parent_color_; }
  bool IsShowHintStored() const { return !parent_show_hint_; }

 private:
  friend class TWinControl;

  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TWinControl* parent_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  std::unique_ptr<TFont> font_;
  bool parent_font_ = true;
  bool adopting_parent_font_ = false;
  TColor color_ = clWindow;
  bool parent_color_ = false;
  TCursor cursor_ = crDefault;
  std::string hint_;
  bool show_hint_ = false;
  bool parent_show_hint_ = true;
  TAlign align_ = TAlign::alNone;
  TAnchors anchors_{TAnchorKind::akLeft, TAnchorKind::akTop};
  TSizeConstraints constraints_;
  TPopupMenu* popup_menu_ = nullptr;
  TDragKind drag_kind_ = TDragKind::dkDrag;
  TCursor drag_cursor_ = crDrag;
  TDragMode drag_mode_ = TDragMode::dmManual;
  std::string text_;
  bool clicked_ = false;
};

class PLOTWELL_API TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  const char* ClassName() const override { return "TWinControl"; }
  static const TClassInfo& ClassInfo();

  // The child controls, bottom first (the order they were parented in).
  int ControlCount() const { return int(controls_.size()); }
  TControl* Controls(int index) const;
  bool ContainsControl(const TControl* control) const;
  // The topmost visible child at a client point: windowed children lie above
  // graphic ones. Disabled children count only with allow_disabled.
  TControl* ControlAtPos(TPoint pos, bool allow_disabled = false, bool allow_wincontrols = true) const;

  bool HandleAllocated() const { return handle_ != 0; }
  // Creates the window (and the parents' windows first) when there is none.
  void HandleNeeded();
  TWindowHandle Handle();

  // The picture a self-painting control (custom controls, forms) shows, the
  // size of its client area; nullptr for controls the window system draws
  // natively (buttons).
  TBitmap* Surface() { return surface_.get(); }
  const TBitmap* Surface() const { return surface_.get(); }
  // Whether the window waits for a repaint.
  bool PaintPending() const { return paint_pending_; }
  // Paints the surface now (Paint, then the graphic child controls on top)
  // and asks the window system to show it. Nothing for native controls.
  void PaintWindow();
  // The window system calls this once it has shown the surface.
  void SurfacePresented() {
    present_pending_ = false;
    changes_known_ = true;
    changes_ = TRect{};
  }
  // Where the surface changed since it was last shown: true, with the
  // smallest rectangle holding every change (empty for none), when every
  // change since went through SurfaceCanvas(changes); false when a change
  // may lie anywhere (SurfaceCanvas(), Paint, nothing shown yet), and the
  // window system must compare pixels to find it.
  bool SurfaceChanges(TRect& changes) const {
    changes = changes_;
    return changes_known_;
  }
  // Draws the control with all its children into `target` with the
  // control's top-left pixel at (x, y): what the screen shows of it. Windows
  // waiting for a repaint are painted first.
  void PaintTo(TBitmap& target, int x, int y);
  // For screens of more than one device pixel a surface pixel: draws the
  // picture the surface shows now at `ratio` device pixels a surface pixel
  // onto `target` (about ClientWidth x ratio by ClientHeight x ratio pixels;
  // pixels the picture does not reach are left alone), the surface's pixel
  // (0, 0) at the target's (0, 0). `changed` is the part of the surface, in
  // its pixels, that differs from what it showed at the last call onto this
  // target, whose pixels still hold that call's picture; the whole surface
  // when there was none. A control may redraw only what covers `changed`.
  // False when the control cannot draw at another resolution (the default):
  // the window system then shows the surface enlarged. Called by the window
  // system outside Paint.
  virtual bool PaintScaled(const TPixelSurface& target, double ratio, const TRect& changed);

  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void ChangeScale(int M, int D) override;

  // Lays out the aligned children again.
  void Realign();

  int TabOrder() const { return tab_order_; }
  void SetTabOrder(int v) { tab_order_ = v < -1 ? -1 : v; }
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool v);
  // Whether the control takes the keyboard focus, by a click on it or by
  // Tab: TabStop, unless a class says otherwise (and then calls
  // FocusableChanged when its answer changes). Key input goes to the control
  // with the focus.
  virtual bool Focusable() const { return tab_stop_; }
  // The keys the control handles itself (DLGC_ flags).
  virtual int DialogCode() const { return 0; }
  // What kind of window the window system makes for the control.
  virtual TWindowClass WindowClass() const { return TWindowClass::wcCustom; }

  void DispatchKeyDown(uint16_t& key, TShiftState shift);
  void DispatchKeyUp(uint16_t& key, TShiftState shift);
  void DispatchKeyPress(char& key);

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  // Creates the window through the window system. Overrides call the base
  // first and may then rely on HandleAllocated().
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Draws the control into its surface (self-painting controls).
  virtual void Paint() {}
  // Draws a control without a surface (a native control) plainly, for
  // window systems without native controls; the canvas is control-sized.
  virtual void PaintFace(TCanvas& canvas);
  // Gives the control a surface; called by the constructors of
  // self-painting classes.
  void CreateSurface();
  // Frees the surface of a self-painting control that draws only onto other
  // canvases. A control with a window keeps it (the window shows it).
  void ReleaseSurface();
  TCanvas* SurfaceCanvas();
  // The same, for a caller that changes only pixels inside `changes` (a
  // chart presenting its plot area): the window system then redraws that
  // part for a high-density screen without comparing the rest.
  TCanvas* SurfaceCanvas(const TRect& changes);

  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  // Tells the window system that Focusable() may answer differently now.
  void FocusableChanged();

  // Places the aligned children within `rect` (the client rect shrunk by
  // AdjustClientRect): top, bottom, left, right, then client.
  virtual void AlignControls(TRect& rect);
  virtual void AdjustClientRect(TRect& rect) const;

  void Loaded() override;
  void BoundsChanged(const TRect& old_bounds) override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void TextChanged() override;
  void CursorChanged() override;
  void HintChanged() override;

 private:
  friend class TControl;

  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void CreateHandle();
  void DestroyHandle();
  void PaintGraphicChildren(TBitmap& target);
  void ComposeInto(TBitmap& image);
  void MoveAnchoredChildren(int old_client_width, int old_client_height);

  std::vector<TControl*> controls_;
  TWindowHandle handle_ = 0;
  std::unique_ptr<TBitmap> surface_;
  bool paint_pending_ = false;
  bool present_pending_ = false;
  // The surface's changes since it was last shown (SurfaceChanges).
  bool changes_known_ = false;
  TRect changes_{};
  int tab_order_ = -1;
  bool tab_stop_ = false;
  bool aligning_ = false;
  bool scaling_ = false;
};

class PLOTWELL_API TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  const char* ClassName() const override { return "TCustomControl"; }
  static const TClassInfo& ClassInfo();

  // The canvas on the control's surface. Drawing on it outside Paint is
  // shown at the window system's next turn.
  TCanvas* Canvas() { return SurfaceCanvas(); }
};

class PLOTWELL_API TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  const char* ClassName() const override { return "TGraphicControl"; }
  static const TClassInfo& ClassInfo();

  // The canvas Paint draws on, control-sized while Paint runs (it shows
  // the parent's pixels beneath the control); without a surface otherwise.
  TCanvas* Canvas() { return &canvas_; }

  // Paints the control onto a picture of its parent with the control's
  // top-left pixel at (x, y), leaving unpainted pixels as they were.
  void PaintOnto(TBitmap& target, int x, int y);

 protected:
  virtual void Paint() {}

 private:
  TCanvas canvas_;
};

// Copies `src` into `dst` with its top-left pixel at (x, y), clipped to dst.
PLOTWELL_API void CopyPixels(const TBitmap& src, TBitmap& dst, int x, int y);
// Copies the part of `src` at (x, y) of dst's size into dst (pixels outside
// src are left as they are).
PLOTWELL_API void CopyPixelsFrom(const TBitmap& src, int x, int y, TBitmap& dst);

}  // namespace korvo

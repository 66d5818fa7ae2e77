// The standard controls: the form, the push button, the panel and the bevel.
// Each draws itself plainly with the canvas (the headless window system shows
// exactly that; a desktop window system may use native buttons instead).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Export.h"
#include "platform/framework/Control.h"
#include "platform/framework/EnumNames.h"

namespace korvo {

enum class TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

enum class TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle : uint8_t { bsLowered, bsRaised };

template <>
struct TEnumInfo<TCloseAction> {
  static constexpr std::string_view TypeName = "TCloseAction";
  static constexpr std::array<std::string_view, 4> Names = {"caNone", "caHide", "caFree", "caMinimize"};
};
template <>
struct TEnumInfo<TBevelCut> {
  static constexpr std::string_view TypeName = "TBevelCut";
  static constexpr std::array<std::string_view, 4> Names = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
};
template <>
struct TEnumInfo<TBevelShape> {
  static constexpr std::string_view TypeName = "TBevelShape";
  static constexpr std::array<std::string_view, 7> Names = {"bsBox",      "bsFrame",     "bsTopLine", "bsBottomLine",
                                                            "bsLeftLine", "bsRightLine", "bsSpacer"};
};
template <>
struct TEnumInfo<TBevelStyle> {
  static constexpr std::string_view TypeName = "TBevelStyle";
  static constexpr std::array<std::string_view, 2> Names = {"bsLowered", "bsRaised"};
};

// A top-level window. Left, Top, Width and Height are its outer bounds; the
// client area (ClientWidth x ClientHeight) lies inside the window system's
// frame, and the form paints it into its surface: Color, then OnPaint, then
// the graphic controls.
//
// A form class usually reads its own form description in its constructor
// (ReadDescription); OnCreate fires when that is done. Forms start hidden;
// Show (or Visible = True) creates the windows of the form and its children
// and fires OnShow; a description with Visible = True shows the form when
// reading is done. Close asks OnCloseQuery and OnClose; closing the main form
// ends the application.
class PLOTWELL_API TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }
  static const TClassInfo& ClassInfo();

  TRect ClientRect() const override;
  TWindowClass WindowClass() const override { return Parent() ? TWindowClass::wcCustom : TWindowClass::wcForm; }
  // The canvas of the client area.
  TCanvas* Canvas() { return SurfaceCanvas(); }

  // The pixels per inch the form was designed at; with Scaled, a form read
  // at another resolution than the screen's is scaled to the screen's when
  // it has been loaded.
  int PixelsPerInch() const { return pixels_per_inch_; }
  void SetPixelsPerInch(int ppi);
  bool Scaled() const { return scaled_; }
  void SetScaled(bool v) { scaled_ = v; }

  // Reads a form description into this form (its root object describes the
  // form itself) and fires OnCreate. Errors are EFormError.
  void ReadDescription(std::string_view text);

  // Shows the form (also one that was read with Visible = True).
  void Show();
  void Close();
  bool CloseQuery();
  // Destroys the form at the next turn of the event loop (safe from its own
  // event handlers).
  void Release();

  // Draws the client area with all controls into `bitmap`, which becomes
  // ClientWidth x ClientHeight pixels: what the window shows.
  void RenderToBitmap(TBitmap& bitmap);

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  void Paint() override;
  void VisibleChanged() override;
  void Loaded() override;
  void ScaleSelf(int M, int D) override;

 private:
  int pixels_per_inch_;
  bool scaled_ = true;
};

// A push button. Click fires OnClick, and only while the button is enabled.
class PLOTWELL_API TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  const char* ClassName() const override { return "TButton"; }
  static const TClassInfo& ClassInfo();
  TWindowClass WindowClass() const override { return TWindowClass::wcButton; }

  void Click() override;

 protected:
  void PaintFace(TCanvas& canvas) override;
};

// A panel: a raised or lowered box with an optional caption, holding other
// controls. Its client area lies inside the border and bevels.
class PLOTWELL_API TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* owner);
  const char* ClassName() const override { return "TPanel"; }
  static const TClassInfo& ClassInfo();

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut v);
  // Width of each bevel in pixels, at least 1.
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int v);
  // Space between the bevels, in the panel's colour, at least 0.
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int v);

 protected:
  void Paint() override;
  void AdjustClientRect(TRect& rect) const override;

 private:
  void FrameChanged();

  TAlignment alignment_ = TAlignment::taCenter;
  TBevelCut bevel_inner_ = TBevelCut::bvNone;
  TBevelCut bevel_outer_ = TBevelCut::bvRaised;
  int bevel_width_ = 1;
  int border_width_ = 0;
};

// A bevelled box, frame or line drawn on the parent.
class PLOTWELL_API TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* owner);
  const char* ClassName() const override { return "TBevel"; }
  static const TClassInfo& ClassInfo();

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape s);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle s);

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = TBevelShape::bsBox;
  TBevelStyle style_ = TBevelStyle::bsLowered;
};

// Draws the one-pixel outline of r (Left..Right-1 by Top..Bottom-1), `width`
// times inwards: the top row and left column in top_left, the right column
// and bottom row in bottom_right (the top-right and bottom-left corner pixels
// are bottom_right's). Shrinks r by what it drew.
PLOTWELL_API void Frame3D(TCanvas& canvas, TRect& r, TColor top_left, TColor bottom_right, int width);

// Registers the standard classes (TForm, TButton, TPanel, TBevel,
// TPopupMenu) for form descriptions. The form reader calls it.
PLOTWELL_API void RegisterStandardClasses();

}  // namespace korvo

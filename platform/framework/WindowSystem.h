// The window system: everything the framework needs from a desktop, behind
// one interface. The headless implementation (Headless.h) is the default;
// a program installs another (the Qt window system in platform/qt) before it
// creates its first window.
//
// How an implementation maps the framework (the Qt window system follows
// this):
//   - Every TWinControl that gets a window calls CreateWindow once, parent
//     first; the implementation returns a handle (non-zero) and keeps the
//     control pointer for its events. DestroyWindow comes before the control
//     is gone, children first.
//   - Controls with a Surface() (custom controls and forms) are widgets
//     showing that bitmap in one blit. InvalidateWindow asks for a repaint
//     later: when the implementation gets to it, it calls
//     control->PaintWindow() (which runs Paint into the surface) and shows
//     the surface. PresentWindow says the surface changed outside a paint
//     (the control drew on its canvas directly): show it without painting,
//     then call control->SurfacePresented(). A PresentWindow that arrives
//     while the implementation itself is painting that window (PaintWindow
//     called from its paint handler) may be folded into that paint.
//   - Controls without a surface are native: WindowClass-specific widgets
//     (TButton: a push button showing Caption, Enabled and Font, whose click
//     calls TButton::Click).
//   - Graphic controls have no window; their parent's PaintWindow draws them
//     into its surface.
//   - Mouse input becomes the framework's dispatch calls on the control
//     under the pointer, in its client coordinates: press ->
//     DispatchMouseDown, second press of a double click ->
//     DispatchMouseDoubleClick, release -> DispatchMouseUp (the control that
//     got the press keeps the mouse until the release), move ->
//     DispatchMouseMove, enter/leave -> DispatchMouseEnter/Leave, wheel ->
//     DispatchMouseWheel. Graphic controls get the input of their area of
//     the parent (TWinControl::ControlAtPos). A resize by the user becomes
//     SetBounds; a close request of a top-level window becomes TForm::Close.
//   - Key input goes to the windowed control with the keyboard focus, which
//     a control takes by a click or by Tab when it is Focusable(): a key
//     press -> DispatchKeyDown with the key's VK_ code (auto-repeat presses
//     again), then, unless KeyDown took the key (set it to 0), the
//     character it types -> DispatchKeyPress; a release -> DispatchKeyUp.
//     Tab moves the focus on unless the control's DialogCode wants Tab.
//   - Exceptions escaping a handler called from the event loop go to
//     Application()->HandleException.
//   - ControlDestroyed tells the implementation that a control (windowed or
//     not) is being destroyed, so it forgets any pointer to it (hover,
//     capture).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Export.h"
#include "platform/Types.h"
#include "platform/framework/Control.h"
#include "platform/framework/Cursors.h"
#include "platform/graphics/Bitmap.h"

namespace korvo {

// A cursor of the window system; 0 is none (the default cursor).
using TCursorHandle = uintptr_t;

// Message box styles and answers (the classic values).
constexpr int MB_OK = 0x00, MB_OKCANCEL = 0x01, MB_YESNOCANCEL = 0x03, MB_YESNO = 0x04;
constexpr int MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30,
              MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7;

class PLOTWELL_API TWindowSystem {
 public:
  virtual ~TWindowSystem() = default;
  // "headless", "qt": for diagnostics.
  virtual const char* Name() const = 0;

  // --- windows -------------------------------------------------------------
  // Creates the window of `control` (its parent's window exists already; a
  // control without parent gets a top-level window) from the control's
  // current state: bounds, visibility, text, enabled state, font, cursor and
  // hint. Later changes arrive through the Set... calls.
  virtual TWindowHandle CreateWindow(TWinControl* control, TWindowClass window_class) = 0;
  virtual void DestroyWindow(TWinControl* control) = 0;
  // Position and size: in the parent's client area, or on the screen for
  // top-level windows (outer size, frame included).
  virtual void SetWindowBounds(TWinControl* control, const TRect& bounds) = 0;
  virtual void SetWindowVisible(TWinControl* control, bool visible) = 0;
  virtual void SetWindowText(TWinControl* control, const std::string& text) = 0;
  virtual void SetWindowEnabled(TWinControl* control, bool enabled) = 0;
  virtual void SetWindowFont(TWinControl* control, const TFont& font) = 0;
  virtual void SetWindowCursor(TWinControl* control, TCursor cursor) = 0;
  // The tooltip text; empty when none is to be shown.
  virtual void SetWindowHint(TWinControl* control, const std::string& hint) = 0;
  // Whether the window takes the keyboard focus (TWinControl::Focusable);
  // one that stops taking it gives the focus up. CreateWindow reads the
  // first value from the control. Window systems without a keyboard (the
  // headless one) ignore it.
  virtual void SetWindowFocusable(TWinControl* /*control*/, bool /*focusable*/) {}
  virtual void InvalidateWindow(TWinControl* control) = 0;
  virtual void PresentWindow(TWinControl* control) = 0;
  virtual void ControlDestroyed(TControl* control) = 0;
  // The frame around a top-level window's client area: Left, Top, Right and
  // Bottom are the widths of the borders (Top includes the title bar).
  virtual TRect FormFrame() const = 0;

  // --- event loop ----------------------------------------------------------
  // Handles everything that is pending (input, posted work, repaints) and
  // returns without waiting.
  virtual void ProcessMessages() = 0;
  // Handles events until `terminated` says so. Waits for events while there
  // are windows to wait on; returns when nothing more can happen.
  virtual void RunLoop(const std::function<bool()>& terminated) = 0;
  // Makes a waiting RunLoop check `terminated` again.
  virtual void WakeUp() = 0;
  // Runs `work` at the next turn of the event loop.
  virtual void PostWork(std::function<void()> work) = 0;

  // --- cursors -------------------------------------------------------------
  // The same handle for the same cursor every time; the handles live as
  // long as the window system.
  virtual TCursorHandle StandardCursor(TCursor cursor) = 0;
  // The program's own cursor resource of that name ("CURHAND"); 0 when
  // there is none.
  virtual TCursorHandle LoadCursor(const std::string& resource_name) = 0;
  // The cursor shown everywhere; 0 restores the controls' own cursors.
  virtual void SetScreenCursor(TCursorHandle cursor) = 0;

  // --- clipboard -----------------------------------------------------------
  virtual void SetClipboardBitmap(const TBitmap& bitmap) = 0;
  virtual bool ClipboardHasBitmap() const = 0;
  // Copies the clipboard's bitmap into `bitmap`; false when it holds none.
  virtual bool GetClipboardBitmap(TBitmap& bitmap) const = 0;
  virtual void ClearClipboard() = 0;

  // --- message box ---------------------------------------------------------
  // Shows a modal message (MB_ flags) and returns the button pressed (ID...).
  virtual int MessageBox(const std::string& text, const std::string& caption, int flags) = 0;

  // --- screen --------------------------------------------------------------
  virtual int ScreenPixelsPerInch() const = 0;
  virtual TSize ScreenSize() const = 0;
};

// The window system in use: the installed one, else the process's
// headless window system.
PLOTWELL_API TWindowSystem* WindowSystem();
// Installs a window system (nullptr returns to the headless default) and
// returns the one it replaces. The caller keeps ownership and keeps it alive
// while installed. Install before creating windows: windows belong to the
// system that created them.
PLOTWELL_API TWindowSystem* InstallWindowSystem(TWindowSystem* system);

}  // namespace korvo

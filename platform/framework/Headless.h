// The headless window system: windows without a display, the default for
// tests and command-line rendering.
//
//   - Windows are records of their state (bounds, visibility, text, ...);
//     self-painting controls show their surface bitmap, and a form's picture
//     is composed on demand (TForm::RenderToBitmap).
//   - InvalidateWindow queues the control; ProcessMessages runs the posted
//     work queued so far, then paints the queued controls (PaintWindow).
//     Exceptions from either go to Application()->HandleException.
//   - RunLoop processes until nothing is left to do (or terminated), so it
//     never blocks.
//   - The clipboard keeps a copy of the last bitmap; message boxes are
//     recorded and answered (by default with their first button: OK or
//     Yes); cursors are handles to names ("crCross", or the resource name
//     given to LoadCursor) and the screen cursor is remembered.
//   - Mouse input can be simulated on a form: the control under the point
//     gets the dispatch calls, with enter/leave tracking and capture from
//     press to release.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Export.h"
#include "platform/framework/WindowSystem.h"

namespace korvo {

class PLOTWELL_API THeadlessWindowSystem : public TWindowSystem {
 public:
  THeadlessWindowSystem();
  ~THeadlessWindowSystem() override;
  const char* Name() const override { return "headless"; }

  TWindowHandle CreateWindow(TWinControl* control, TWindowClass window_class) override;
  void DestroyWindow(TWinControl* control) override;
  void SetWindowBounds(TWinControl* control, const TRect& bounds) override;
  void SetWindowVisible(TWinControl* control, bool visible) override;
  void SetWindowText(TWinControl* control, const std::string& text) override;
  void SetWindowEnabled(TWinControl* control, bool enabled) override;
  void SetWindowFont(TWinControl* control, const TFont& font) override;
  void SetWindowCursor(TWinControl* control, TCursor cursor) override;
  void SetWindowHint(TWinControl* control, const std::string& hint) override;
  void InvalidateWindow(TWinControl* control) override;
  void PresentWindow(TWinControl* control) override;
  void ControlDestroyed(TControl* control) override;
  TRect FormFrame() const override;

  void ProcessMessages() override;
  void RunLoop(const std::function<bool()>& terminated) override;
  void WakeUp() override {}
  void PostWork(std::function<void()> work) override;

  TCursorHandle StandardCursor(TCursor cursor) override;
  TCursorHandle LoadCursor(const std::string& resource_name) override;
  void SetScreenCursor(TCursorHandle cursor) override;

  void SetClipboardBitmap(const TBitmap& bitmap) override;
  bool ClipboardHasBitmap() const override { return clipboard_ != nullptr; }
  bool GetClipboardBitmap(TBitmap& bitmap) const override;
  void ClearClipboard() override { clipboard_.reset(); }

  int MessageBox(const std::string& text, const std::string& caption, int flags) override;

  int ScreenPixelsPerInch() const override { return 96; }
  TSize ScreenSize() const override { return TSize{1920, 1080}; }

  // --- what tests read ------------------------------------------------------
  struct TWindowState {
    TWindowHandle Handle = 0;
    TWindowClass Class = TWindowClass::wcCustom;
    TRect Bounds;
    bool Visible = false;
    bool Enabled = true;
    std::string Text;
    std::string Hint;
    TCursor Cursor = crDefault;
  };
  // The window of a control; nullptr when it has none.
  const TWindowState* Window(const TWinControl* control) const;
  int WindowCount() const { return int(windows_.size()); }
  // Controls waiting for their paint, and work waiting to run.
  int PendingPaints() const { return int(dirty_.size()); }
  int PendingWork() const { return int(work_.size()); }
  // How many paints ProcessMessages has made.
  int PaintCount() const { return paint_count_; }

  struct TMessageBoxRecord {
    std::string Text;
    std::string Caption;
    int Flags = 0;
    int Answer = 0;
  };
  const std::vector<TMessageBoxRecord>& MessageBoxes() const { return message_boxes_; }
  void ClearMessageBoxes() { message_boxes_.clear(); }
  // The answer of the next message box not yet answered by an earlier
  // queued answer.
  void QueueMessageBoxAnswer(int answer) { answers_.push_back(answer); }

  // The last bitmap put on the clipboard, or nullptr.
  const TBitmap* ClipboardBitmap() const { return clipboard_.get(); }

  TCursorHandle ScreenCursor() const { return screen_cursor_; }
  // How often the screen cursor was set.
  int ScreenCursorChanges() const { return screen_cursor_changes_; }
  // The name a cursor handle stands for ("crCross", "CURHAND"); empty for 0
  // or an unknown handle.
  std::string CursorName(TCursorHandle cursor) const;

  // --- simulated mouse input on a form's client area --------------------------
  // The control under (x, y) gets the calls in its own client coordinates;
  // from a press to the release of all buttons the pressed control gets them
  // wherever the mouse is. `shift` adds keys; the buttons held are added.
  void MouseMove(TWinControl* form, int x, int y, TShiftState shift = {});
  void MouseDown(TWinControl* form, TMouseButton button, int x, int y, TShiftState shift = {});
  void MouseUp(TWinControl* form, TMouseButton button, int x, int y, TShiftState shift = {});
  // Press and release of the left button.
  void Click(TWinControl* form, int x, int y, TShiftState shift = {});
  // Press, release, double-click press, release of the left button.
  void DoubleClick(TWinControl* form, int x, int y, TShiftState shift = {});
  // The control that last got a mouse enter, and the one holding the mouse.
  TControl* Hovered() const { return hovered_; }
  TControl* Captured() const { return captured_; }

 private:
  // The enabled control under a client point of `form`, and the point in
  // its client coordinates; nullptr outside or over a disabled control.
  TControl* Target(TWinControl* form, int x, int y, TPoint* local) const;
  void Hover(TControl* control);
  TShiftState WithButtons(TShiftState shift) const;
  template <class F>
  void Guarded(F&& f);
  TWindowState* State(TWinControl* control);
  TCursorHandle CursorHandle(const std::string& name);

  std::map<const TWinControl*, TWindowState> windows_;
  TWindowHandle next_handle_ = 1;
  std::vector<TWinControl*> dirty_;
  std::deque<std::function<void()>> work_;
  int paint_count_ = 0;

  std::unique_ptr<TBitmap> clipboard_;
  std::vector<TMessageBoxRecord> message_boxes_;
  std::deque<int> answers_;

  std::vector<std::string> cursor_names_;  // handle - 1 -> name
  TCursorHandle screen_cursor_ = 0;
  int screen_cursor_changes_ = 0;

  TControl* hovered_ = nullptr;
  TControl* captured_ = nullptr;
  TShiftState buttons_;
};

// The process's headless window system: the one in use unless another was
// installed.
PLOTWELL_API THeadlessWindowSystem* HeadlessWindowSystem();

}  // namespace korvo

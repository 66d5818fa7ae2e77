// The demo's main window: two charts, a bevel, a panel and four buttons,
// read from the form description compiled into the program (DuoPaned.txt),
// and the handlers that drive the charts.
//
// "Start" runs the animation inside its click handler: frame after frame
// both charts are cleared, filled and shown (app/DemoFrames.h), and between
// frames the event loop handles what is pending, which is where "Stop",
// "To Clipbd", closing the window and mouse input on the charts are handled.
// The loop ends after the frame in which "Stop" was clicked, or as soon as
// the application is terminating (the main window was closed) or the form
// is being destroyed; in the last case it returns without touching the form
// or its charts again.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "platform/framework/StdCtrls.h"

namespace korvo {

class TPlotwell;

// The form description of the main window, as compiled in.
std::string_view DuoPaneFormText();

// Where the time of the animation went, from the last "Start" to the end of
// its loop: Render is the charts' own work (clear, fill, show: all drawing
// onto the controls), Events the event loop's turn after each frame (input,
// and Qt's paints and presentation of what the charts drew).
struct TAnimationTimes {
  int Frames = 0;
  double Seconds = 0;
  double RenderSeconds = 0;
  double EventSeconds = 0;
};

class TDuoPaneForm : public TForm {
 public:
  // Reads the form description: the window, its components and both
  // charts, with "Stop" disabled and the other three buttons enabled.
  explicit TDuoPaneForm(TComponent* owner);
  ~TDuoPaneForm() override;
  const char* ClassName() const override { return "TDuoPaneForm"; }
  static const TClassInfo& ClassInfo();

  // The components, filled by the form reader.
  TBevel* Bevel1 = nullptr;
  TPlotwell* Plotwell2 = nullptr;
  TButton* Button1 = nullptr;  // "Start"
  TPanel* Panel1 = nullptr;
  TPlotwell* Plotwell1 = nullptr;  // inside Panel1
  TButton* Button2 = nullptr;      // "Stop"
  TButton* Button3 = nullptr;      // "Exit"
  TButton* ButClipboard = nullptr;  // "To Clipbd"

  // The handlers the description binds. Button1Click runs the animation
  // until the stop flag is set; Button2Click disables "Stop", enables
  // "Start" and "Exit" and sets the flag; Button3Click closes the form;
  // ButClipboardClick copies Plotwell1 in colour to the clipboard;
  // FormMouseMove restores the default screen cursor; FormShow does nothing.
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void ButClipboardClick(TObject* Sender);
  void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void FormShow(TObject* Sender);

  // Set by "Stop", cleared by "Start", read by the animation loop.
  bool StopFlag() const { return stop_; }
  bool Animating() const { return animating_; }

  // Called after each frame is shown, before the event loop's turn, with
  // the number of frames shown since "Start" (1 for the first). Tools and
  // tests use it to act at a given frame; work they post runs in that turn.
  std::function<void(int frame)> OnFrameShown;
  // Called when the animation loop has ended, the form still alive.
  std::function<void(const TAnimationTimes& times)> OnAnimationEnded;
  const TAnimationTimes& LastAnimation() const { return times_; }

 private:
  // "Stop" disabled, "Start" and "Exit" enabled.
  void EnterIdle();

  bool stop_ = false;
  bool animating_ = false;
  TAnimationTimes times_;
  // Cleared by the destructor; the loop holds a copy, so that it can tell,
  // after the event loop's turn, that the form is gone.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace korvo

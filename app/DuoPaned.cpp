#include "app/DuoPaned.h"

#include <chrono>

#include "app/DemoFrames.h"
#include "chart/plotwell.h"
#include "platform/framework/Application.h"
#include "platform/framework/Properties.h"

namespace korvo {

const TClassInfo& TDuoPaneForm::ClassInfo() {
  using C = TDuoPaneForm;
  static const TClassInfo& info = DefineClass<C, TForm>("TDuoPaneForm")
                                      .Field("Bevel1", &C::Bevel1)
                                      .Field("Plotwell2", &C::Plotwell2)
                                      .Field("Button1", &C::Button1)
                                      .Field("Panel1", &C::Panel1)
                                      .Field("Plotwell1", &C::Plotwell1)
                                      .Field("Button2", &C::Button2)
                                      .Field("Button3", &C::Button3)
                                      .Field("ButClipboard", &C::ButClipboard)
                                      .Method("Button1Click", &C::Button1Click)
                                      .Method("Button2Click", &C::Button2Click)
                                      .Method("Button3Click", &C::Button3Click)
                                      .Method("ButClipboardClick", &C::ButClipboardClick)
                                      .Method("FormMouseMove", &C::FormMouseMove)
                                      .Method("FormShow", &C::FormShow)
                                      .Register();
  return info;
}

namespace {
// Form descriptions find the class by name from the start.
const TClassInfo& kDuoPaneFormClass = TDuoPaneForm::ClassInfo();
}  // namespace

TDuoPaneForm::TDuoPaneForm(TComponent* owner) : TForm(owner) {
  RegisterClasses<TPlotwell, TDuoPaneForm>();
  ReadDescription(DuoPaneFormText());
}

TDuoPaneForm::~TDuoPaneForm() { *alive_ = false; }

void TDuoPaneForm::Button1Click(TObject*) {
  Plotwell2->Scale1X()->SetRangeLow(-3.0);
  Plotwell2->Scale1X()->SetRangeHigh(3.0);
  Plotwell2->Scale1Y()->SetRangeLow(0.0);
  Plotwell2->Scale1Y()->SetRangeHigh(110.0);
  Button1->SetEnabled(false);
  Button2->SetEnabled(true);
  Button3->SetEnabled(false);

  // However the loop ends (stopped, the application terminating, or an
  // error escaping a frame), the buttons return to the idle state, unless
  // the form itself is gone.
  const std::shared_ptr<bool> alive = alive_;
  struct TIdleOnExit {
    TDuoPaneForm* form;
    const std::shared_ptr<bool>& alive;
    bool pending = true;
    void Now() {
      if (pending && *alive) form->EnterIdle();
      pending = false;
    }
    ~TIdleOnExit() { Now(); }
  } idle{this, alive};

  using Clock = std::chrono::steady_clock;
  const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
  times_ = TAnimationTimes{};
  animating_ = true;
  stop_ = false;
  int b = 1, d = 1;
  const Clock::time_point start = Clock::now();
  while (!stop_ && !Application()->Terminated()) {
    const Clock::time_point t0 = Clock::now();
    DrawCurveFrame(*Plotwell1, b);
    DrawPolylineFrame(*Plotwell2, b);
    const Clock::time_point t1 = Clock::now();
    times_.RenderSeconds += seconds(t1 - t0);
    ++times_.Frames;
    // b runs 1 .. 81, back down to -81, and up again.
    b += d;
    if (b > 80) d = -1;
    if (b < -80) d = 1;
    if (OnFrameShown) OnFrameShown(times_.Frames);
    // "Stop", "To Clipbd", the window's close button and the mouse on the
    // charts are handled here. The form may be destroyed meanwhile: then
    // nothing of it may be touched again.
    Application()->ProcessMessages();
    if (!*alive) return;
    times_.EventSeconds += seconds(Clock::now() - t1);
  }
  times_.Seconds = seconds(Clock::now() - start);
  // The idle state first, so that a handler sees the form as the user does.
  idle.Now();
  if (OnAnimationEnded) OnAnimationEnded(times_);
}

void TDuoPaneForm::Button2Click(TObject*) {
  Button2->SetEnabled(false);
  Button1->SetEnabled(true);
  Button3->SetEnabled(true);
  stop_ = true;
}

void TDuoPaneForm::EnterIdle() {
  animating_ = false;
  Button2->SetEnabled(false);
  Button1->SetEnabled(true);
  Button3->SetEnabled(true);
}

void TDuoPaneForm::Button3Click(TObject*) { Close(); }

void TDuoPaneForm::ButClipboardClick(TObject*) { Plotwell1->CopyToClipboard(false); }

void TDuoPaneForm::FormMouseMove(TObject*, TShiftState, int, int) { Screen()->SetCursor(crDefault); }

void TDuoPaneForm::FormShow(TObject*) {}

}  // namespace korvo

// qt-present-timing: how long a control takes from InvalidateWindow (and
// from PresentWindow) until its surface is shown, on a chart-sized and a
// screen-sized control, under Qt's offscreen platform unless another one is
// chosen. The control's Paint draws nothing, so the figures are the window
// system's own cost: scheduling, the one blit and the backing store's flush.
// Prints the median and the fastest of 101 repaints each.
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/framework/StdCtrls.h"
#include "platform/qt/QtWindowSystem.h"

namespace {

using korvo::TCustomControl;
using korvo::TForm;
using korvo::WindowSystem;

class TBlank : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Paints = 0;

 protected:
  void Paint() override { ++Paints; }
};

// Counts the paint events of a widget; ProcessMessages returns after the
// paint it saw has been made.
class TPaintCounter : public QObject {
 public:
  int Count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++Count;
    return QObject::eventFilter(watched, e);
  }
};

struct TFigures {
  double Median;
  double Fastest;
};

template <class Start, class Done>
TFigures Measure(Start start, Done done) {
  std::vector<double> times;
  for (int i = 0; i < 101; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    start();
    while (!done()) WindowSystem()->ProcessMessages();
    const auto t1 = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
  }
  std::sort(times.begin(), times.end());
  return TFigures{times[times.size() / 2], times.front()};
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  auto system = korvo::CreateQtWindowSystem(argc, argv);
  korvo::InstallWindowSystem(system.get());
  std::printf("%-12s %28s %28s\n", "surface", "Invalidate -> shown (us)", "PresentWindow -> shown (us)");
  for (const auto& [w, h] : {std::pair{372, 331}, std::pair{1920, 1080}}) {
    auto* form = new TForm(nullptr);
    const korvo::TRect f = WindowSystem()->FormFrame();
    form->SetBounds(0, 0, w + f.Left + f.Right, h + f.Top + f.Bottom);
    auto* control = new TBlank(form);
    control->SetBounds(0, 0, w, h);
    control->SetParent(form);
    form->Show();
    while (control->Paints == 0 || control->PaintPending()) WindowSystem()->ProcessMessages();

    TPaintCounter counter;
    korvo::ControlWidget(control)->installEventFilter(&counter);
    int before = 0;
    const TFigures invalidate = Measure(
        [&] {
          before = counter.Count;
          control->Invalidate();
        },
        [&] { return counter.Count > before && !control->PaintPending(); });
    // Drawing on the canvas outside a paint asks for the surface to be shown.
    const TFigures present = Measure(
        [&] {
          before = counter.Count;
          control->Canvas()->SetPixel(0, 0, korvo::clRed);
        },
        [&] { return counter.Count > before; });
    korvo::ControlWidget(control)->removeEventFilter(&counter);
    std::printf("%4d x %-5d %15.1f (fastest %6.1f) %15.1f (fastest %6.1f)\n", w, h, invalidate.Median,
                invalidate.Fastest, present.Median, present.Fastest);
    delete form;
  }
  system.reset();
  return 0;
}

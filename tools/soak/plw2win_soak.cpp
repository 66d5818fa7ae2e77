// The demo program under a long scripted session, to be run under
// AddressSanitizer with leak checking (tools/soak.sh): for the given number
// of seconds it animates both charts, drags the mouse over Plotwell1 in pan
// and zoom modes, copies to the clipboard, stops and starts again; at the end
// it closes the window while the animation runs. It prints the resident size
// at the start, once a minute and at the end.
//
// Usage: plw2win-soak SECONDS   (the demo's own options are not taken)
#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/DuoPaned.h"
#include "app/Plw2win.h"
#include "chart/plotwell.h"
#include "platform/framework/Application.h"
#include "platform/qt/QtWindowSystem.h"

namespace korvo {
namespace {

using Clock = std::chrono::steady_clock;

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

void Click(TButton* button) {
  if (auto* qt = qobject_cast<QAbstractButton*>(ControlWidget(button))) qt->click();
}

// A left-button drag across the chart, as Qt delivers it to the widget.
void Drag(TPlotwell* chart, QPointF from, QPointF to) {
  QWidget* w = ControlWidget(chart);
  if (w == nullptr) return;
  const auto send = [w](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
  };
  send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  for (int k = 1; k <= 8; ++k) send(QEvent::MouseMove, from + (to - from) * (k / 8.0), Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

struct Soak {
  TDuoPaneForm* form = nullptr;
  Clock::time_point start, next_report;
  double seconds = 0;
  int cycles = 0;
  long frames = 0;

  void Report(const char* when) {
    const double t = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("soak: %-6s %7.1f s  %5d start/stop cycles  %9ld frames  resident %ld KiB\n", when, t, cycles, frames,
                ResidentKiB());
    std::fflush(stdout);
  }

  // One frame's scripted input, posted so that it runs in the event loop's
  // turn after the frame, as a user's would.
  void OnFrame(int frame, bool last_cycle) {
    ++frames;
    if (Clock::now() >= next_report) {
      Report("at");
      next_report += std::chrono::seconds(60);
    }
    TDuoPaneForm* f = form;
    switch (frame) {
      case 20:
        Application()->PostWork([f] {
          f->Plotwell1->SetMouseAction(TMouseActMode::maPan);
          Drag(f->Plotwell1, QPointF(150, 150), QPointF(190, 120));
        });
        break;
      case 40:
        Application()->PostWork([f] {
          f->Plotwell1->SetMouseAction(TMouseActMode::maZoomDrag);
          Drag(f->Plotwell1, QPointF(120, 160), QPointF(200, 100));
        });
        break;
      case 60:
        Application()->PostWork([f] {
          f->Plotwell1->SetMouseAction(TMouseActMode::maZoomWind);
          Drag(f->Plotwell1, QPointF(80, 80), QPointF(240, 220));
        });
        break;
      case 80:
        Application()->PostWork([f] { Click(f->ButClipboard); });
        break;
      case 100:
        // The last cycle ends by closing the window during the animation.
        Application()->PostWork([f, last_cycle] {
          if (last_cycle) {
            f->Close();
          } else {
            Click(f->Button2);
          }
        });
        break;
      default:
        break;
    }
  }

  // Start/stop cycles until the time is up (each Start click returns when
  // its animation has ended), then one that closes the window.
  void Run() {
    for (;;) {
      const bool last = std::chrono::duration<double>(Clock::now() - start).count() >= seconds;
      form->OnFrameShown = [this, last](int frame) { OnFrame(frame, last); };
      Click(form->Button1);
      if (Application()->Terminated()) return;
      ++cycles;
      form->OnFrameShown = nullptr;
    }
  }
};

}  // namespace
}  // namespace korvo

int main(int argc, char** argv) {
  using namespace korvo;
  const double seconds = argc == 2 ? std::atof(argv[1]) : -1;
  if (!(seconds > 0)) {
    std::fprintf(stderr, "usage: plw2win-soak SECONDS\n");
    return 2;
  }
  Soak soak;
  soak.seconds = seconds;
  char* args[] = {argv[0], const_cast<char*>("--offscreen"), nullptr};
  const int status = RunPlw2win(2, args, [&soak](TDuoPaneForm& form) {
    soak.form = &form;
    soak.start = Clock::now();
    soak.next_report = soak.start + std::chrono::seconds(60);
    soak.Report("start");
    Application()->PostWork([&soak] { soak.Run(); });
  });
  soak.Report("end");
  return status;
}

// Shared pieces of the Qt window system's tests: the installed system,
// waiting for Qt, and controls that record what reaches them.
#pragma once

#include <QPoint>
#include <functional>
#include <string>
#include <vector>

#include "platform/framework/StdCtrls.h"
#include "platform/qt/QtWindowSystem_p.h"

class QWidget;
class QWindow;

namespace korvo::qttest {

// The Qt window system the test program installed.
TQtWindowSystem* Qt();
// Handles events until `done` holds; false when `ms` milliseconds passed
// first.
bool ProcessUntil(const std::function<bool()>& done, int ms = 3000);
// The texts of the exceptions that reached Application()->HandleException.
std::vector<std::string>& HandledExceptions();

// A shift state as text, "[SACLRMD]" in that order for the flags it holds.
std::string ShiftText(TShiftState s);

// A custom control that records its input ("down L 3,4 [L]", "move 3,4 [L]",
// "up L 3,4 []", "click", "dblclick", "enter", "leave",
// "wheel 120 3,4 [C]") and its paints, which fill it with Fill.
class TProbe : public TCustomControl {
 public:
  explicit TProbe(TComponent* owner);
  const char* ClassName() const override { return "TProbe"; }

  // The log since the last call, lines joined by "; ", and cleared.
  std::string Take();
  std::vector<std::string> Log;
  int Paints = 0;
  TColor Fill = clRed;
  std::function<void()> OnPainted;
  // Whether a wheel turn counts as handled.
  bool TakeWheel = true;
  // When set, the next press destroys the probe from inside its handler
  // (as the last thing it does) and clears *DeleteOnPress first.
  TProbe** DeleteOnPress = nullptr;

 protected:
  void Paint() override;
  void Click() override;
  void DblClick() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  bool DoMouseWheel(TShiftState shift, int wheel_delta, TPoint mouse_pos) override;
};

// The same for a graphic control, painted onto its parent in Fill.
class TGraphicProbe : public TGraphicControl {
 public:
  explicit TGraphicProbe(TComponent* owner);
  const char* ClassName() const override { return "TGraphicProbe"; }
  std::string Take();
  std::vector<std::string> Log;
  TColor Fill = clBlue;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
};

// A form without owner whose client area is width x height, shown, with
// its first paints done. The caller deletes it.
TForm* ShowForm(int width, int height);
QWidget* WidgetOf(TWinControl* control);
// The Qt window of a top-level control, for QTest's window events (they
// take Qt's whole input path: child widget lookup, mouse grab, enter and
// leave, double-click detection).
QWindow* WindowOf(TWinControl* control);

// The colour of a pixel of a widget as its window shows it: what the last
// paints left in the window's backing store, without painting anew.
TColor ShownPixel(QWidget* widget, int x, int y);

}  // namespace korvo::qttest

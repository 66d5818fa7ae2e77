#include "qt/qt_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include "platform/framework/Application.h"

namespace korvo::qttest {
namespace {

const char* ButtonName(TMouseButton b) {
  switch (b) {
    case TMouseButton::mbRight:
      return "R";
    case TMouseButton::mbMiddle:
      return "M";
    default:
      return "L";
  }
}

std::string Joined(std::vector<std::string>& log) {
  std::string s;
  for (const std::string& line : log) s += (s.empty() ? "" : "; ") + line;
  log.clear();
  return s;
}

std::string Where(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

}  // namespace

TQtWindowSystem* Qt() { return dynamic_cast<TQtWindowSystem*>(WindowSystem()); }

bool ProcessUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    WindowSystem()->ProcessMessages();
    if (!done()) QThread::msleep(1);
  }
  return true;
}

std::vector<std::string>& HandledExceptions() {
  static std::vector<std::string> texts;
  return texts;
}

std::string ShiftText(TShiftState s) {
  static constexpr char kLetters[] = "SACLRMD";
  std::string text = "[";
  for (int i = 0; i < 7; ++i) {
    if (s.Contains(TShiftFlag(i))) text += kLetters[i];
  }
  return text + "]";
}

// --- TProbe ----------------------------------------------------------------------

TProbe::TProbe(TComponent* owner) : TCustomControl(owner) {}

std::string TProbe::Take() { return Joined(Log); }

void TProbe::Paint() {
  ++Paints;
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas->Brush()->SetColor(Fill);
  canvas->FillRect(TRect{0, 0, Width(), Height()});
  // A mark at the top-left pixel shows that the picture is not shifted.
  canvas->SetPixel(0, 0, clLime);
  if (OnPainted) OnPainted();
}

void TProbe::Click() {
  Log.push_back("click");
  TCustomControl::Click();
}

void TProbe::DblClick() {
  Log.push_back("dblclick");
  TCustomControl::DblClick();
}

void TProbe::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  Log.push_back(std::string("down ") + ButtonName(button) + " " + Where(x, y) + " " + ShiftText(shift));
  TCustomControl::MouseDown(button, shift, x, y);
  if (DeleteOnPress != nullptr) {
    *DeleteOnPress = nullptr;
    delete this;
  }
}

void TProbe::MouseMove(TShiftState shift, int x, int y) {
  Log.push_back("move " + Where(x, y) + " " + ShiftText(shift));
  TCustomControl::MouseMove(shift, x, y);
}

void TProbe::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  Log.push_back(std::string("up ") + ButtonName(button) + " " + Where(x, y) + " " + ShiftText(shift));
  TCustomControl::MouseUp(button, shift, x, y);
}

void TProbe::MouseEnter() {
  Log.push_back("enter");
  TCustomControl::MouseEnter();
}

void TProbe::MouseLeave() {
  Log.push_back("leave");
  TCustomControl::MouseLeave();
}

bool TProbe::DoMouseWheel(TShiftState shift, int wheel_delta, TPoint mouse_pos) {
  Log.push_back("wheel " + std::to_string(wheel_delta) + " " + Where(mouse_pos.X, mouse_pos.Y) + " " +
                ShiftText(shift));
  TCustomControl::DoMouseWheel(shift, wheel_delta, mouse_pos);
  return TakeWheel;
}

// --- TGraphicProbe ---------------------------------------------------------------

TGraphicProbe::TGraphicProbe(TComponent* owner) : TGraphicControl(owner) {}

std::string TGraphicProbe::Take() { return Joined(Log); }

void TGraphicProbe::Paint() {
  Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas()->Brush()->SetColor(Fill);
  Canvas()->FillRect(TRect{0, 0, Width(), Height()});
}

void TGraphicProbe::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  Log.push_back(std::string("down ") + ButtonName(button) + " " + Where(x, y) + " " + ShiftText(shift));
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TGraphicProbe::MouseMove(TShiftState shift, int x, int y) {
  Log.push_back("move " + Where(x, y) + " " + ShiftText(shift));
  TGraphicControl::MouseMove(shift, x, y);
}

void TGraphicProbe::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  Log.push_back(std::string("up ") + ButtonName(button) + " " + Where(x, y) + " " + ShiftText(shift));
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TGraphicProbe::MouseEnter() { Log.push_back("enter"); }
void TGraphicProbe::MouseLeave() { Log.push_back("leave"); }

// --- forms and widgets -----------------------------------------------------------

TForm* ShowForm(int width, int height) {
  auto* form = new TForm(nullptr);
  const TRect f = WindowSystem()->FormFrame();
  form->SetBounds(100, 80, width + f.Left + f.Right, height + f.Top + f.Bottom);
  form->SetCaption("test form");
  form->Show();
  WindowSystem()->ProcessMessages();
  return form;
}

QWidget* WidgetOf(TWinControl* control) { return Qt()->Widget(control); }

QWindow* WindowOf(TWinControl* control) {
  QWidget* w = WidgetOf(control);
  return w == nullptr ? nullptr : w->windowHandle();
}

TColor ShownPixel(QWidget* widget, int x, int y) {
  QWidget* window = widget->window();
  const QPoint p = widget->mapTo(window, QPoint(x, y));
  const QImage image = window->screen()->grabWindow(window->winId(), p.x(), p.y(), 1, 1).toImage();
  if (image.isNull()) return clNone;
  const QRgb c = image.convertToFormat(QImage::Format_RGB32).pixel(0, 0);
  return TColor(qRed(c) | (qGreen(c) << 8) | (qBlue(c) << 16));
}

}  // namespace korvo::qttest

// Mouse and keyboard input: the dispatch calls, the handlers and events
// they fire and in which order, and the headless window system's simulated
// mouse with hit testing, capture and enter/leave.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_test_classes.h"

namespace korvo::test {
namespace {

std::string Describe(TShiftState s) {
  std::string out;
  if (s.Contains(TShiftFlag::ssShift)) out += "S";
  if (s.Contains(TShiftFlag::ssLeft)) out += "L";
  if (s.Contains(TShiftFlag::ssRight)) out += "R";
  if (s.Contains(TShiftFlag::ssDouble)) out += "D";
  return out;
}

// Hooks every mouse event of a control into one log.
void Hook(TControl& c, std::vector<std::string>& log) {
  const std::string n = c.Name();
  c.OnMouseDown = [&log, n](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back(n + " down" + (b == TMouseButton::mbRight ? "R " : " ") + Describe(s) + " " + std::to_string(x) +
                  "," + std::to_string(y));
  };
  c.OnMouseUp = [&log, n](TObject*, TMouseButton, TShiftState s, int x, int y) {
    log.push_back(n + " up " + Describe(s) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  c.OnMouseMove = [&log, n](TObject*, TShiftState s, int x, int y) {
    log.push_back(n + " move " + Describe(s) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  c.OnClick = [&log, n](TObject*) { log.push_back(n + " click"); };
  c.OnDblClick = [&log, n](TObject*) { log.push_back(n + " dblclick"); };
  c.OnMouseEnter = [&log, n](TObject*) { log.push_back(n + " enter"); };
  c.OnMouseLeave = [&log, n](TObject*) { log.push_back(n + " leave"); };
}

TEST(MouseDispatch, PressAndReleaseClickBeforeMouseUp) {
  THeadlessScope scope;
  TGauge g(nullptr);
  g.SetName("G");
  std::vector<std::string> log;
  Hook(g, log);
  g.DispatchMouseDown(TMouseButton::mbLeft, TShiftState{TShiftFlag::ssLeft}, 3, 4);
  g.DispatchMouseMove(TShiftState{TShiftFlag::ssLeft}, 5, 6);
  g.DispatchMouseUp(TMouseButton::mbLeft, TShiftState{}, 5, 6);
  EXPECT_EQ(log, (std::vector<std::string>{"G down L 3,4", "G move L 5,6", "G click", "G up  5,6"}));
}

TEST(MouseDispatch, ReleaseOutsideOrWithoutPressDoesNotClick) {
  THeadlessScope scope;
  TGauge g(nullptr);
  g.SetName("G");
  std::vector<std::string> log;
  Hook(g, log);
  g.DispatchMouseDown(TMouseButton::mbLeft, {}, 3, 4);
  g.DispatchMouseUp(TMouseButton::mbLeft, {}, 300, 4);  // released outside
  g.DispatchMouseUp(TMouseButton::mbLeft, {}, 3, 4);    // no press before
  g.DispatchMouseDown(TMouseButton::mbRight, {}, 3, 4);
  g.DispatchMouseUp(TMouseButton::mbRight, {}, 3, 4);  // right button: no click
  EXPECT_EQ(log, (std::vector<std::string>{"G down  3,4", "G up  300,4", "G up  3,4", "G downR  3,4", "G up  3,4"}));
}

TEST(MouseDispatch, DoubleClickSequence) {
  THeadlessScope scope;
  TGauge g(nullptr);
  g.SetName("G");
  std::vector<std::string> log;
  Hook(g, log);
  g.DispatchMouseDown(TMouseButton::mbLeft, {}, 1, 1);
  g.DispatchMouseUp(TMouseButton::mbLeft, {}, 1, 1);
  g.DispatchMouseDoubleClick(TMouseButton::mbLeft, {}, 1, 1);
  g.DispatchMouseUp(TMouseButton::mbLeft, {}, 1, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"G down  1,1", "G click", "G up  1,1", "G dblclick", "G down D 1,1",
                                           "G up  1,1"}))
      << "the second release clicks no more";
}

TEST(MouseDispatch, DisabledControlIgnoresInputAndDisabledButtonIgnoresClick) {
  THeadlessScope scope;
  TGauge g(nullptr);
  g.SetName("G");
  std::vector<std::string> log;
  Hook(g, log);
  g.SetEnabled(false);
  g.DispatchMouseDown(TMouseButton::mbLeft, {}, 1, 1);
  g.DispatchMouseMove({}, 1, 1);
  g.DispatchMouseUp(TMouseButton::mbLeft, {}, 1, 1);
  g.DispatchMouseEnter();
  EXPECT_TRUE(log.empty());

  TButton b(nullptr);
  int clicks = 0;
  b.OnClick = [&](TObject*) { ++clicks; };
  b.Click();
  b.SetEnabled(false);
  b.Click();
  EXPECT_EQ(clicks, 1);
}

TEST(MouseDispatch, WheelGoesToOnMouseWheelThenUpOrDown) {
  THeadlessScope scope;
  TGauge g(nullptr);
  std::vector<std::string> log;
  g.OnMouseWheelUp = [&](TObject*, TShiftState, const TPoint& p, bool& handled) {
    log.push_back("up " + std::to_string(p.X));
    handled = true;
  };
  g.OnMouseWheelDown = [&](TObject*, TShiftState, const TPoint&, bool&) { log.push_back("down"); };
  EXPECT_TRUE(g.DispatchMouseWheel({}, 120, Point(7, 8)));
  EXPECT_FALSE(g.DispatchMouseWheel({}, -120, Point(7, 8)));
  g.OnMouseWheel = [&](TObject*, TShiftState, int delta, const TPoint&, bool& handled) {
    log.push_back("wheel " + std::to_string(delta));
    handled = true;
  };
  EXPECT_TRUE(g.DispatchMouseWheel({}, 120, Point(7, 8)));
  EXPECT_EQ(log, (std::vector<std::string>{"up 7", "down", "wheel 120"}));
}

TEST(KeyDispatch, KeyEventsCanChangeTheKey) {
  THeadlessScope scope;
  TGauge g(nullptr);
  g.OnKeyDown = [](TObject*, uint16_t& key, TShiftState) { key = key == VK_LEFT ? VK_RIGHT : key; };
  g.OnKeyPress = [](TObject*, char& key) { key = char(std::toupper(key)); };
  uint16_t key = VK_LEFT;
  g.DispatchKeyDown(key, {});
  EXPECT_EQ(key, VK_RIGHT);
  char ch = 'a';
  g.DispatchKeyPress(ch);
  EXPECT_EQ(ch, 'A');
  g.SetEnabled(false);
  key = VK_LEFT;
  g.DispatchKeyDown(key, {});
  EXPECT_EQ(key, VK_LEFT) << "a disabled control gets no keys";
}

// A form with a panel holding a gauge, a bevel and a button beside it.
class SimulatedMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.SetName("Form");
    form_.SetBounds(0, 0, 400 + 8, 300 + 27);
    panel_ = new TPanel(&form_);
    panel_->SetName("Panel");
    panel_->SetBounds(100, 50, 200, 200);
    panel_->SetParent(&form_);
    gauge_ = new TGauge(&form_);
    gauge_->SetName("Gauge");
    gauge_->SetBounds(10, 20, 50, 40);
    gauge_->SetParent(panel_);
    bevel_ = new TBevel(&form_);
    bevel_->SetName("Bevel");
    bevel_->SetBounds(0, 0, 150, 150);  // under the panel: windowed controls lie above
    bevel_->SetParent(&form_);
    button_ = new TButton(&form_);
    button_->SetName("Button");
    button_->SetBounds(320, 250, 60, 30);
    button_->SetParent(&form_);
    for (TControl* c : {static_cast<TControl*>(&form_), static_cast<TControl*>(panel_),
                        static_cast<TControl*>(gauge_), static_cast<TControl*>(bevel_),
                        static_cast<TControl*>(button_)}) {
      Hook(*c, log_);
    }
  }

  THeadlessScope scope_;
  TForm form_{nullptr};
  TPanel* panel_ = nullptr;
  TGauge* gauge_ = nullptr;
  TBevel* bevel_ = nullptr;
  TButton* button_ = nullptr;
  std::vector<std::string> log_;
};

TEST_F(SimulatedMouse, HitTestingFindsTheTopmostControlInItsClientCoordinates) {
  THeadlessWindowSystem& ws = scope_.ws();
  ws.MouseMove(&form_, 115, 75);  // inside the gauge: 100 + 10 + 5, 50 + 20 + 5
  ws.MouseMove(&form_, 105, 55);  // the panel, over the bevel
  ws.MouseMove(&form_, 20, 20);   // the bevel alone
  ws.MouseMove(&form_, 390, 10);  // the form
  EXPECT_EQ(log_, (std::vector<std::string>{"Gauge enter", "Gauge move  5,5", "Gauge leave", "Panel enter",
                                            "Panel move  5,5", "Panel leave", "Bevel enter", "Bevel move  20,20",
                                            "Bevel leave", "Form enter", "Form move  390,10"}));
  EXPECT_EQ(ws.Hovered(), &form_);
}

TEST_F(SimulatedMouse, PressCapturesUntilRelease) {
  THeadlessWindowSystem& ws = scope_.ws();
  ws.MouseDown(&form_, TMouseButton::mbLeft, 115, 75);
  EXPECT_EQ(ws.Captured(), gauge_);
  ws.MouseMove(&form_, 5, 5);  // far outside: still the gauge's
  ws.MouseUp(&form_, TMouseButton::mbLeft, 5, 5);
  EXPECT_EQ(ws.Captured(), nullptr);
  EXPECT_EQ(log_, (std::vector<std::string>{"Gauge enter", "Gauge down L 5,5", "Gauge move L -105,-65",
                                            "Gauge up  -105,-65"}))
      << "released outside: no click";
}

TEST_F(SimulatedMouse, ClickAndDoubleClick) {
  THeadlessWindowSystem& ws = scope_.ws();
  ws.Click(&form_, 330, 260);
  ws.DoubleClick(&form_, 115, 75);
  EXPECT_EQ(log_, (std::vector<std::string>{"Button enter", "Button down L 10,10", "Button click", "Button up  10,10",
                                            "Button leave", "Gauge enter", "Gauge down L 5,5", "Gauge click",
                                            "Gauge up  5,5", "Gauge dblclick", "Gauge down LD 5,5", "Gauge up  5,5"}));
}

TEST_F(SimulatedMouse, DisabledControlsSwallowInputAndDestroyedOnesAreForgotten) {
  THeadlessWindowSystem& ws = scope_.ws();
  panel_->SetEnabled(false);
  ws.Click(&form_, 115, 75);  // the gauge on a disabled panel
  EXPECT_TRUE(log_.empty());
  panel_->SetEnabled(true);
  ws.MouseDown(&form_, TMouseButton::mbLeft, 115, 75);
  delete gauge_;
  EXPECT_EQ(ws.Captured(), nullptr);
  EXPECT_EQ(ws.Hovered(), nullptr);
  ws.MouseUp(&form_, TMouseButton::mbLeft, 115, 75);  // lands on the panel now
  EXPECT_EQ(log_.back(), "Panel up  15,25");
}

TEST_F(SimulatedMouse, OutsideTheClientAreaNothingIsHit) {
  scope_.ws().MouseMove(&form_, 500, 10);
  scope_.ws().Click(&form_, -1, 10);
  EXPECT_TRUE(log_.empty());
}

}  // namespace
}  // namespace korvo::test

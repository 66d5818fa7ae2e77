#include <gtest/gtest.h>

#include "base/korvobase.h"
#include "platform/Persistent.h"

namespace korvo {
namespace {

// The reference parameters are how a handler hands a changed value back.
TEST(EventTypes, ReferenceParametersCarryTheHandlersChanges) {
  TObject sender;
  TBeforeTickLabelEvent beforeTickLabel = [&](TObject* s, TScaleType type, double pos, std::string& label) {
    EXPECT_EQ(s, &sender);
    if (type == TScaleType::sctYL && pos == 2.5) label = "two and a half";
  };
  std::string label = "2.5";
  beforeTickLabel(&sender, TScaleType::sctYL, 2.5, label);
  EXPECT_EQ(label, "two and a half");

  TBeforeCrossHMoveEvent beforeMove = [](TObject*, TCrossHair*, int dx, int dy, bool& allow) {
    allow = dx == 0 || dy == 0;
  };
  bool allow = true;
  beforeMove(nullptr, nullptr, 3, 4, allow);
  EXPECT_FALSE(allow);

  TBeforeRenderTextEvent beforeText = [](TObject*, std::string& text, int index, bool isAnnotation) {
    if (!isAnnotation) return;
    text += '#';
    text += std::to_string(index);
  };
  std::string text = "peak";
  beforeText(nullptr, text, 7, true);
  EXPECT_EQ(text, "peak#7");
}

TEST(EventTypes, UnassignedEventsAreEmpty) {
  TZoomPanEvent onZoomPan;
  TMouseMoveInChartEvent onMouseMove;
  EXPECT_FALSE(onZoomPan);
  EXPECT_FALSE(onMouseMove);
  TShiftState seen;
  onMouseMove = [&](TObject*, bool, TShiftState shift, double, double) { seen = shift; };
  onMouseMove(nullptr, true, TShiftState{TShiftFlag::ssCtrl, TShiftFlag::ssLeft}, 0.5, 1.5);
  EXPECT_TRUE(seen.Contains(TShiftFlag::ssCtrl));
  EXPECT_FALSE(seen.Contains(TShiftFlag::ssShift));
}

}  // namespace
}  // namespace korvo

// Coupling layers: the checks and their messages, the range a new coupling
// applies, notification and copying.
#include <gtest/gtest.h>

#include <string>

#include "chart/plotwell.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/FormWriter.h"
#include "platform/framework/Properties.h"

namespace korvo {
namespace {

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EKorvoPlotwellError& e) {
    return e.what();
  }
  return "no error";
}

class Joining : public ::testing::Test {
 protected:
  Joining() : chart(nullptr), joint(*chart.JointLayers()) {
    joint.OnChange = [this](TObject* sender) {
      ++changes;
      EXPECT_EQ(sender, &joint);
    };
    chart.ApplyLayerRange(1, false, -5, 100, 5, 200, false);
  }

  TPlotwell chart;
  TJointLayers& joint;
  int changes = 0;
};

TEST_F(Joining, EveryLayerStartsFree) {
  TJointLayers j;
  for (int l = 1; l <= 16; ++l) {
    EXPECT_EQ(j.XControlledBy(l), l);
    EXPECT_EQ(j.YControlledBy(l), l);
  }
  EXPECT_EQ(j.LxControlledBy<7>(), 7);
  EXPECT_THROW(j.XControlledBy(0), EKorvoPlotwellError);
  EXPECT_THROW(j.YControlledBy(17), EKorvoPlotwellError);
}

TEST_F(Joining, AJoinedAxisTakesTheControllersRange) {
  joint.SetXControlledBy(3, 1);
  EXPECT_EQ(joint.XControlledBy(3), 1);
  EXPECT_EQ(chart.XProps(3)->RangeLow(), -5.0);
  EXPECT_EQ(chart.XProps(3)->RangeHigh(), 5.0);
  EXPECT_EQ(chart.YProps(3)->RangeLow(), 0.0) << "the other axis stays";
  EXPECT_EQ(changes, 1);
  joint.SetYControlledBy(4, 1);
  EXPECT_EQ(chart.YProps(4)->RangeLow(), 100.0);
  EXPECT_EQ(chart.YProps(4)->RangeHigh(), 200.0);
  EXPECT_EQ(chart.XProps(4)->RangeHigh(), 1.0);
  EXPECT_EQ(changes, 2);
}

TEST_F(Joining, ALayerThatIsFollowedCannotFollow) {
  joint.SetXControlledBy(3, 1);
  EXPECT_EQ(ErrorOf([&] { joint.SetXControlledBy(1, 2); }), "Layer 1 is joined by other layers (3)");
  EXPECT_EQ(joint.XControlledBy(1), 1);
  joint.SetXControlledBy(5, 2);
  joint.SetXControlledBy(3, 2);
  EXPECT_EQ(ErrorOf([&] { joint.SetXControlledBy(2, 9); }), "Layer 2 is joined by other layers (3, 5)");
  // The y axis has its own coupling.
  joint.SetYControlledBy(2, 9);
  EXPECT_EQ(joint.YControlledBy(2), 9);
}

TEST_F(Joining, AFollowerCannotBeFollowed) {
  joint.SetXControlledBy(2, 1);
  changes = 0;
  EXPECT_EQ(ErrorOf([&] { joint.SetXControlledBy(4, 2); }), "Destination layer 2 is already joined");
  EXPECT_EQ(joint.XControlledBy(4), 4);
  EXPECT_EQ(changes, 0);
}

TEST_F(Joining, DestinationOutOfRange) {
  EXPECT_EQ(ErrorOf([&] { joint.SetXControlledBy(3, 17); }), "Destination layer 17 is out of range");
  EXPECT_EQ(ErrorOf([&] { joint.SetYControlledBy(3, 0); }), "Destination layer 0 is out of range");
  EXPECT_EQ(ErrorOf([&] { joint.SetXControlledBy(0, 1); }), "Layer 0 is out of range (1..16)");
  EXPECT_EQ(changes, 0);
}

TEST_F(Joining, JoiningALayerToItselfFreesItQuietly) {
  joint.SetXControlledBy(3, 3);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(chart.XProps(3)->RangeLow(), 0.0);
  joint.SetXControlledBy(3, 1);
  changes = 0;
  joint.SetXControlledBy(3, 3);
  EXPECT_EQ(joint.XControlledBy(3), 3);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(chart.XProps(3)->RangeLow(), -5.0) << "the range it had stays";
  // Now layer 1 is free of followers again and may follow.
  joint.SetXControlledBy(1, 2);
  EXPECT_EQ(joint.XControlledBy(1), 2);
}

TEST_F(Joining, PublishedAccessorsAreTheSameValues) {
  joint.SetLxControlledBy<3>(1);
  EXPECT_EQ(joint.XControlledBy(3), 1);
  joint.SetLyControlledBy<16>(2);
  EXPECT_EQ(joint.LyControlledBy<16>(), 2);
}

TEST_F(Joining, AssignCopiesTheArraysAndKeepsOwnerAndHandler) {
  TPlotwell other(nullptr);
  other.JointLayers()->SetXControlledBy(6, 5);
  other.JointLayers()->SetYControlledBy(7, 5);
  int otherChanges = 0;
  other.JointLayers()->OnChange = [&](TObject*) { ++otherChanges; };
  chart.SetJointLayers(*other.JointLayers());
  EXPECT_EQ(joint.XControlledBy(6), 5);
  EXPECT_EQ(joint.YControlledBy(7), 5);
  EXPECT_EQ(joint.Owner(), &chart);
  EXPECT_EQ(changes, 0);
  // Later changes act on this chart and notify this chart's handler only.
  joint.SetXControlledBy(8, 1);
  EXPECT_EQ(chart.XProps(8)->RangeHigh(), 5.0);
  EXPECT_EQ(other.XProps(8)->RangeHigh(), 1.0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(otherChanges, 0);
  // A free-standing object holds values only.
  TJointLayers loose;
  loose.SetXControlledBy(2, 1);
  EXPECT_EQ(loose.XControlledBy(2), 1);
  TFont f;
  EXPECT_THROW(loose.Assign(f), EConvertError);
}

TEST_F(Joining, PublishedAsThirtyTwoPropertiesInLayerOrder) {
  const auto props = TJointLayers::ClassInfo().Properties();
  ASSERT_EQ(props.size(), 32u);
  EXPECT_EQ(props[0]->Name(), "L01xControlledBy");
  EXPECT_EQ(props[1]->Name(), "L01yControlledBy");
  EXPECT_EQ(props[5]->Name(), "L03yControlledBy");
  EXPECT_EQ(props[31]->Name(), "L16yControlledBy");
  SetPropertyText(joint, "L03xControlledBy", "1");  // through the setter
  EXPECT_EQ(chart.XProps(3)->RangeHigh(), 5.0);
  EXPECT_EQ(GetPropertyText(joint, "L03xControlledBy"), "1");
  EXPECT_EQ(GetPropertyText(joint, "L16yControlledBy"), "16");
  EXPECT_THROW(SetPropertyText(joint, "L04xControlledBy", "17"), EPropertyError);
}

}  // namespace
}  // namespace korvo

#include <gtest/gtest.h>

#include <vector>

#include "base/korvobase.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/FormWriter.h"
#include "platform/framework/Properties.h"
#include "platform/graphics/Font.h"

namespace korvo {
namespace {

// Counts the notifications of one crosshair and remembers their senders.
struct Listener {
  std::vector<TObject*> senders;
  void Attach(TCrossHair& c) {
    c.OnChange = [this](TObject* sender) { senders.push_back(sender); };
  }
};

TEST(CrossHair, NewObjectIsAllZero) {
  TCrossHair c;
  EXPECT_EQ(c.PosX(), 0.0);
  EXPECT_EQ(c.PosY(), 0.0);
  EXPECT_EQ(c.Color(), clBlack);
  EXPECT_EQ(c.Mode(), TCrossHMode::chOff);
  EXPECT_EQ(c.LineType(), TPenStyle::psSolid);
  EXPECT_EQ(c.LineWid(), 0);
  EXPECT_EQ(c.Layer(), 0);
  EXPECT_FALSE(c.OnChange);
}

TEST(CrossHair, EverySetterNotifiesEvenWithoutChange) {
  TCrossHair c;
  Listener l;
  l.Attach(c);
  c.SetPosX(0.0);  // unchanged value
  c.SetPosX(0.0);
  c.SetPosY(2.5);
  c.SetColor(clRed);
  c.SetMode(TCrossHMode::chBoth);
  c.SetLineType(TPenStyle::psDashDotDot);
  c.SetLineWid(3);
  c.SetLayer(5);
  ASSERT_EQ(l.senders.size(), 8u);
  for (TObject* s : l.senders) EXPECT_EQ(s, &c);
  EXPECT_EQ(c.PosY(), 2.5);
  EXPECT_EQ(c.Color(), clRed);
  EXPECT_EQ(c.Mode(), TCrossHMode::chBoth);
  EXPECT_EQ(c.LineType(), TPenStyle::psDashDotDot);
  EXPECT_EQ(c.LineWid(), 3);
  EXPECT_EQ(c.Layer(), 5);
}

TEST(CrossHair, LayerIsClampedIntoOneToSixteenAndStillNotifies) {
  TCrossHair c;
  Listener l;
  l.Attach(c);
  c.SetLayer(0);
  EXPECT_EQ(c.Layer(), 1);
  c.SetLayer(-7);
  EXPECT_EQ(c.Layer(), 1);
  c.SetLayer(40);
  EXPECT_EQ(c.Layer(), 16);
  c.SetLayer(16);
  EXPECT_EQ(c.Layer(), 16);
  c.SetLayer(1);
  EXPECT_EQ(c.Layer(), 1);
  EXPECT_EQ(l.senders.size(), 5u);
}

TEST(CrossHair, AssignCopiesValuesButKeepsItsOwnSubscriber) {
  TCrossHair source, dest;
  Listener sourceListener, destListener;
  sourceListener.Attach(source);
  source.SetPosX(1.5);
  source.SetPosY(-2.25);
  source.SetColor(clTeal);
  source.SetMode(TCrossHMode::chCrossBox);
  source.SetLineType(TPenStyle::psDot);
  source.SetLineWid(2);
  source.SetLayer(7);
  sourceListener.senders.clear();
  destListener.Attach(dest);

  dest.Assign(source);
  EXPECT_TRUE(destListener.senders.empty()) << "Assign fires no OnChange";
  EXPECT_EQ(dest.PosX(), 1.5);
  EXPECT_EQ(dest.PosY(), -2.25);
  EXPECT_EQ(dest.Color(), clTeal);
  EXPECT_EQ(dest.Mode(), TCrossHMode::chCrossBox);
  EXPECT_EQ(dest.LineType(), TPenStyle::psDot);
  EXPECT_EQ(dest.LineWid(), 2);
  EXPECT_EQ(dest.Layer(), 7);

  // The copy still reports to its own subscriber, never to the source's.
  dest.SetPosX(9.0);
  EXPECT_EQ(destListener.senders.size(), 1u);
  EXPECT_TRUE(sourceListener.senders.empty());
}

TEST(CrossHair, AssignWithoutHandlerLeavesTheDestinationsHandler) {
  TCrossHair source, dest;  // the source has no handler at all
  Listener l;
  l.Attach(dest);
  dest.Assign(source);
  ASSERT_TRUE(dest.OnChange);
  dest.SetColor(clRed);
  EXPECT_EQ(l.senders.size(), 1u);
}

TEST(CrossHair, AssignFromAnUnrelatedClassFailsBothWays) {
  TCrossHair c;
  TFont f;
  c.SetLayer(3);
  EXPECT_THROW(c.Assign(f), EConvertError);
  EXPECT_THROW(f.Assign(c), EConvertError);
  EXPECT_EQ(c.Layer(), 3);
  try {
    f.Assign(c);
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TCrossHair to a TFont");
  }
}

TEST(CrossHair, PublishedPropertiesInOrderThroughTheSetters) {
  const TClassInfo& info = TCrossHair::ClassInfo();
  std::vector<std::string> names;
  for (const TPropInfo* p : info.Properties()) names.push_back(p->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"PosX", "PosY", "Color", "Mode", "LineType", "LineWid", "Layer",
                                             "OnChange"}));
  TCrossHair c;
  Listener l;
  l.Attach(c);
  SetPropertyText(c, "Layer", "40");  // through the setter: clamped, notified
  SetPropertyText(c, "Mode", "chCrossBox");
  SetPropertyText(c, "Color", "clTeal");
  SetPropertyText(c, "PosX", "-2.5");
  EXPECT_EQ(c.Layer(), 16);
  EXPECT_EQ(c.Mode(), TCrossHMode::chCrossBox);
  EXPECT_EQ(c.Color(), clTeal);
  EXPECT_EQ(c.PosX(), -2.5);
  EXPECT_EQ(l.senders.size(), 4u);
  EXPECT_EQ(GetPropertyText(c, "LineType"), "psSolid");
  EXPECT_THROW(SetPropertyText(c, "Mode", "chSideways"), EPropertyError);
}

}  // namespace
}  // namespace korvo

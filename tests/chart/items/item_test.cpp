// The item record, its inline text and the growable item list.
#include <gtest/gtest.h>

#include <string>

#include "chart/plotwell.h"

namespace korvo {
namespace {

TEST(ShortText, KeepsShortTextsWhole) {
  TShortText t{};
  t.Set("hello");
  EXPECT_EQ(t.View(), "hello");
  EXPECT_EQ(t.Length, 5);
  t.Set("");
  EXPECT_EQ(t.View(), "");
  t.Set("exactly 17 bytes!");
  EXPECT_EQ(t.View(), "exactly 17 bytes!");
}

TEST(ShortText, CutsLongTextsAtSeventeenBytes) {
  TShortText t{};
  t.Set("abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(t.View(), "abcdefghijklmnopq");
  // A shorter text afterwards leaves nothing of the longer one behind.
  t.Set("ab");
  EXPECT_EQ(t.View(), "ab");
  EXPECT_EQ(std::string(t.Chars, 17), std::string("ab") + std::string(15, '\0'));
}

TEST(ShortText, NeverCutsInsideAUtf8Character) {
  TShortText t{};
  const std::string a16(16, 'a'), a15(15, 'a'), a14(14, 'a');
  t.Set(a16 + "\xc3\xa9" + "x");  // e-acute would straddle byte 17
  EXPECT_EQ(t.View(), a16);
  t.Set(a15 + "\xe2\x82\xac" + "x");  // euro sign at bytes 16..18
  EXPECT_EQ(t.View(), a15);
  t.Set(a14 + "\xf0\x9f\x98\x80" + "x");  // four-byte character at 15..18
  EXPECT_EQ(t.View(), a14);
  t.Set(a15 + "\xc3\xa9" + "x");  // ends exactly at byte 17: kept
  EXPECT_EQ(t.View(), a15 + "\xc3\xa9");
}

TEST(ShortText, ViewNeverReadsBeyondTheSeventeenBytes) {
  TShortText t{};
  t.Set("abc");
  t.Length = 200;  // set by hand, e.g. by an event handler
  EXPECT_EQ(t.View().size(), 17u);
}

TEST(ChartItem, KindNames) {
  EXPECT_EQ(ChartItemKindName(ckMark), "ckMark");
  EXPECT_EQ(ChartItemKindName(ckTextOffs), "ckTextOffs");
  EXPECT_EQ(ChartItemKindName(ckCross), "ckCross");
  EXPECT_EQ(ChartItemKindName(0), "");
  EXPECT_EQ(ChartItemKindName(10), "");
  EXPECT_EQ(ChartItemKindName(11), "");
  EXPECT_EQ(ChartItemKindName(ckSeriesLine), "ckSeriesLine");
  EXPECT_EQ(ChartItemKindName(27), "");
  EXPECT_EQ(ChartItemKindName(-1), "");
}

TEST(ItemContainer, GrowsByTheStepAndKeepsItems) {
  TPwItemContainer list;
  EXPECT_EQ(list.Capacity(), 0);
  for (int i = 0; i < 1000; ++i) list.Append(1000).x = i;
  EXPECT_EQ(list.Count(), 1000);
  EXPECT_EQ(list.Capacity(), 1000);
  list.Append(1000).x = 1000;  // the 1001st item
  EXPECT_EQ(list.Capacity(), 2000);
  EXPECT_EQ(list.Count(), 1001);
  for (int i = 0; i <= 1000; ++i) ASSERT_EQ(list[i].x, i) << "item " << i;
}

TEST(ItemContainer, AppendGivesAZeroedItemEvenInReusedStorage) {
  TPwItemContainer list;
  TpwChartItem& a = list.Append(4);
  a.Param1 = 7;
  a.Text.Set("old");
  list.Clear();
  TpwChartItem& b = list.Append(4);
  EXPECT_EQ(b.Param1, 0);
  EXPECT_EQ(b.Text.View(), "");
  EXPECT_EQ(b.Kind, 0);
}

TEST(ItemContainer, ClearReleasesEverything) {
  TPwItemContainer list;
  for (int i = 0; i < 5; ++i) list.Append(3);
  EXPECT_EQ(list.Capacity(), 6);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 0);
  EXPECT_EQ(list.begin(), list.end());
  EXPECT_TRUE(list.Items().empty());
}

TEST(ItemContainer, CopyRecordsTheCapacityOfWholeSteps) {
  TPwItemContainer source, copy;
  for (int i = 0; i < 1500; ++i) source.Append(1000).y = -i;
  copy.CopyFrom(source, 1000);
  EXPECT_EQ(copy.Count(), 1500);
  EXPECT_EQ(copy.Capacity(), 2000);
  EXPECT_EQ(copy[1499].y, -1499);
  // A count on a step boundary still gets one spare step.
  TPwItemContainer exact;
  for (int i = 0; i < 2000; ++i) exact.Append(1000);
  copy.CopyFrom(exact, 1000);
  EXPECT_EQ(copy.Capacity(), 3000);
  // An empty source gives one step of room.
  copy.CopyFrom(TPwItemContainer(), 10);
  EXPECT_EQ(copy.Count(), 0);
  EXPECT_EQ(copy.Capacity(), 10);
  // The copy is independent of its source.
  copy.CopyFrom(source, 1000);
  source.Clear();
  EXPECT_EQ(copy[5].y, -5);
}

TEST(ItemContainer, MovesHandOverTheStorage) {
  TPwItemContainer a;
  a.Append(10).x = 3;
  TPwItemContainer b(std::move(a));
  EXPECT_EQ(b.Count(), 1);
  EXPECT_EQ(b[0].x, 3);
  EXPECT_EQ(a.Count(), 0);  // NOLINT(bugprone-use-after-move): the moved-from state is defined
  EXPECT_EQ(a.Capacity(), 0);
  a = std::move(b);
  EXPECT_EQ(a[0].x, 3);
  a.Append(10);  // still usable
  EXPECT_EQ(a.Count(), 2);
}

TEST(LongTextArray, NumberedOneToFifty) {
  TLongTextArray t;
  t.SetText(1, "first");
  t.SetText(50, "last\nline");
  EXPECT_EQ(t.Text(1), "first");
  EXPECT_EQ(t.Text(50), "last\nline");
  EXPECT_EQ(t.Text(2), "");
  EXPECT_EQ(t.Text(0), "");
  EXPECT_EQ(t.Text(51), "");
  EXPECT_EQ(t.Text(-100000), "");
  try {
    t.SetText(51, "x");
    FAIL() << "no error";
  } catch (const EKorvoPlotwellError& e) {
    EXPECT_STREQ(e.what(), "Long text index 51 is out of range (1..50)");
  }
  EXPECT_THROW(t.SetText(0, "x"), EKorvoPlotwellError);
  t.Clear();
  EXPECT_EQ(t.Text(1), "");
}

}  // namespace
}  // namespace korvo

// Charts showing one chart's data list: joining, leaving and the refusals,
// what the group sees, redrawing the group, and destruction in any order.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "chart/plotwell.h"
#include "chart_test_support.h"

namespace korvo {
namespace {

using test::CountingChart;
using test::HeadlessScope;

constexpr const char* Myself = "Plotwell: Cannot share data with myself";
constexpr const char* Foreign = "Plotwell: Cannot use foreign data. Other Plotwells are using my own data.";
constexpr const char* TooMany = "Plotwell: Max. number of data shares exceeded";

std::vector<TCustomPlotwell*> Members(const TCustomPlotwell& root) {
  std::vector<TCustomPlotwell*> out;
  for (int i = 0; i < root.ShareCount(); ++i) out.push_back(root.Sharer(i));
  return out;
}

// The one message box shown since the last check, emptied afterwards.
std::string TakeMessage(HeadlessScope& scope) {
  const auto boxes = scope.ws().MessageBoxes();
  scope.ws().ClearMessageBoxes();
  if (boxes.size() != 1) return "(" + std::to_string(boxes.size()) + " message boxes)";
  EXPECT_EQ(boxes[0].Flags, MB_OK | MB_ICONINFORMATION);
  return boxes[0].Text;
}

TEST(Sharing, RefusalsAreShownAndChangeNothing) {
  HeadlessScope scope;
  TPlotwell a(nullptr), b(nullptr), c(nullptr);
  a.SetUseDataOf(&a);
  EXPECT_EQ(TakeMessage(scope), Myself);
  EXPECT_EQ(a.UseDataOf(), nullptr);
  EXPECT_EQ(a.ShareCount(), 0);

  b.SetUseDataOf(&a);
  EXPECT_TRUE(scope.ws().MessageBoxes().empty());
  a.SetUseDataOf(&c);
  EXPECT_EQ(TakeMessage(scope), Foreign);
  a.SetUseDataOf(nullptr);  // the same check comes first
  EXPECT_EQ(TakeMessage(scope), Foreign);
  EXPECT_EQ(a.UseDataOf(), nullptr);
  EXPECT_EQ(Members(a), std::vector<TCustomPlotwell*>{&b});
  b.SetUseDataOf(&b);
  EXPECT_EQ(TakeMessage(scope), Myself);
  EXPECT_EQ(b.UseDataOf(), &a);
}

TEST(Sharing, AGroupIsOneLevelDeepWithAtMostFourMembers) {
  HeadlessScope scope;
  TPlotwell root(nullptr);
  std::array<std::unique_ptr<TPlotwell>, 5> m;
  for (auto& p : m) p = std::make_unique<TPlotwell>(nullptr);
  m[0]->SetUseDataOf(&root);
  m[1]->SetUseDataOf(m[0].get());  // joining a member joins its root
  EXPECT_EQ(m[1]->UseDataOf(), &root);
  m[2]->SetUseDataOf(&root);
  m[3]->SetUseDataOf(m[2].get());
  EXPECT_TRUE(scope.ws().MessageBoxes().empty());
  EXPECT_EQ(Members(root), (std::vector<TCustomPlotwell*>{m[0].get(), m[1].get(), m[2].get(), m[3].get()}));
  m[4]->SetUseDataOf(&root);
  EXPECT_EQ(TakeMessage(scope), TooMany);
  EXPECT_EQ(m[4]->UseDataOf(), nullptr);
  EXPECT_EQ(root.ShareCount(), 4);
  // Joining a fellow member changes nothing, even in a full group.
  m[0]->SetUseDataOf(m[3].get());
  EXPECT_TRUE(scope.ws().MessageBoxes().empty());
  EXPECT_EQ(root.Sharer(0), m[0].get());
  // A member leaving: the ones behind it move up in order.
  m[1]->SetUseDataOf(nullptr);
  EXPECT_EQ(Members(root), (std::vector<TCustomPlotwell*>{m[0].get(), m[2].get(), m[3].get()}));
  EXPECT_EQ(root.Sharer(3), nullptr);
  EXPECT_EQ(root.Sharer(-1), nullptr);
  // Now there is room.
  m[4]->SetUseDataOf(m[3].get());
  EXPECT_EQ(Members(root), (std::vector<TCustomPlotwell*>{m[0].get(), m[2].get(), m[3].get(), m[4].get()}));
  // Moving to another group leaves the first one.
  TPlotwell other(nullptr);
  m[2]->SetUseDataOf(&other);
  EXPECT_EQ(Members(root), (std::vector<TCustomPlotwell*>{m[0].get(), m[3].get(), m[4].get()}));
  EXPECT_EQ(Members(other), std::vector<TCustomPlotwell*>{m[2].get()});
  EXPECT_EQ(&m[2]->DataItems(), &other.DataItems());
}

TEST(Sharing, TheGroupSeesOneDataList) {
  TPlotwell a(nullptr), b(nullptr), c(nullptr);
  a.MoveTo(0.0, 0.0);
  b.MoveTo(5.0, 5.0);  // given up when b joins
  b.SetUseDataOf(&a);
  c.SetUseDataOf(&a);
  EXPECT_EQ(&b.DataItems(), &a.DataItems()) << "the renderer of every chart reads the same list";
  EXPECT_EQ(b.DataItems().Count(), 1);
  EXPECT_EQ(b.DataItems()[0].x, 0.0);
  b.MarkAt(1, 2, 7);
  EXPECT_EQ(a.DataItems().Count(), 2);
  EXPECT_EQ(c.DataItems().Count(), 2);
  EXPECT_EQ(c.KindCount(ckMark), 1);
  EXPECT_EQ(a.KindCount(ckMark), 1);
  // Each chart's attributes go into the items it adds.
  c.SetDataColor(clRed);
  c.DrawTo(3.0, 4.0);
  EXPECT_EQ(a.DataItems()[2].Color, clRed);
  // The annotation list and the long texts stay per chart.
  b.SetAnnotationMode(true);
  b.TextAt(1, 1, "b only", TCoordMode::cmPixel);
  b.SetLongText(1, "b's");
  EXPECT_EQ(a.AnnotationItems().Count(), 0);
  EXPECT_EQ(a.AnnotationLongTexts().Text(1), "");
  // ClearGraph on any chart empties the list of all of them.
  c.ClearGraph();
  EXPECT_EQ(a.DataItems().Count(), 0);
  EXPECT_EQ(b.DataItems().Count(), 0);
  EXPECT_EQ(a.KindCount(ckMark), 0);
  EXPECT_EQ(b.AnnotationItems().Count(), 1);
}

TEST(Sharing, TheListGrowsByTheStepOfTheChartThatAdds) {
  TPlotwell a(nullptr), b(nullptr);
  a.SetAllocSize(10);
  b.SetAllocSize(3);
  b.SetUseDataOf(&a);
  b.MoveTo(0.0, 0.0);
  EXPECT_EQ(a.DataItems().Capacity(), 3);
  for (int i = 0; i < 3; ++i) a.DrawTo(1.0, 1.0);
  EXPECT_EQ(a.DataItems().Capacity(), 13);
  b.ClearGraph();
  EXPECT_EQ(a.DataItems().Capacity(), 0);
}

TEST(Sharing, LeavingKeepsACopy) {
  TPlotwell a(nullptr), b(nullptr);
  b.SetUseDataOf(&a);
  for (int i = 0; i < 5; ++i) a.DrawTo(double(i), 0.0);
  b.SetUseDataOf(nullptr);
  EXPECT_EQ(b.UseDataOf(), nullptr);
  EXPECT_EQ(a.ShareCount(), 0);
  ASSERT_EQ(b.DataItems().Count(), 5);
  EXPECT_EQ(b.DataItems()[4].x, 4.0);
  EXPECT_EQ(b.KindCount(ckDrawTo), 5);
  EXPECT_NE(&b.DataItems(), &a.DataItems());
  a.ClearGraph();
  b.MarkAt(0, 0, 1);
  EXPECT_EQ(a.DataItems().Count(), 0);
  EXPECT_EQ(b.DataItems().Count(), 6);
  // Leaving a chart that shares nothing changes nothing.
  b.SetUseDataOf(nullptr);
  EXPECT_EQ(b.DataItems().Count(), 6);
}

TEST(Sharing, ShowGraphRedrawsTheWholeGroup) {
  HeadlessScope scope;
  CountingChart root, m1, m2, alone;
  m1.SetUseDataOf(&root);
  m2.SetUseDataOf(&root);
  EXPECT_EQ(m1.paints, 1) << "joining redraws the chart that joined";
  // Without AutoRedraw the caller paints in full; then the group redraws:
  // the root, every member in order (the caller among them, left to its
  // own AutoRedraw), then the caller's own members.
  root.paints = m1.paints = m2.paints = 0;
  m1.SetAutoRedraw(false);
  m1.ShowGraph();
  EXPECT_EQ(m1.paints, 1);
  EXPECT_EQ(root.paints, 1);
  EXPECT_EQ(m2.paints, 1);
  m1.SetAutoRedraw(true);
  root.paints = m1.paints = m2.paints = 0;
  root.SetAutoRedraw(false);
  root.ShowGraph();
  EXPECT_EQ(root.paints, 1);
  EXPECT_EQ(m1.paints, 1);
  EXPECT_EQ(m2.paints, 1);
  root.SetAutoRedraw(true);
  // An invisible chart draws nothing itself but still redraws its group; a
  // chart without AutoRedraw is left to its next ShowGraph.
  root.paints = m1.paints = m2.paints = 0;
  m2.SetAutoRedraw(false);
  root.SetVisible(false);
  root.ShowGraph();
  EXPECT_EQ(root.paints, 0);
  EXPECT_EQ(m1.paints, 1);
  EXPECT_EQ(m2.paints, 0);
  // Setting the chart it already uses does nothing, not even a repaint.
  m1.paints = 0;
  m1.SetUseDataOf(&root);
  EXPECT_EQ(m1.paints, 0);
  alone.SetAutoRedraw(false);
  alone.ShowGraph();
  EXPECT_EQ(alone.paints, 1);
}

TEST(Sharing, ACopyTakesNoPartInTheSourcesGroup) {
  auto root = std::make_unique<TPlotwell>(nullptr);
  auto member = std::make_unique<TPlotwell>(nullptr);
  member->SetUseDataOf(root.get());
  root->DrawTo(1.0, 1.0);
  TPlotwell copyOfMember(nullptr), copyOfRoot(nullptr);
  copyOfMember.Assign(*member);
  copyOfRoot.Assign(*root);
  EXPECT_EQ(copyOfMember.UseDataOf(), nullptr);
  EXPECT_EQ(copyOfRoot.ShareCount(), 0);
  EXPECT_EQ(Members(*root), std::vector<TCustomPlotwell*>{member.get()});
  EXPECT_EQ(copyOfMember.DataItems().Count(), 1);
  EXPECT_NE(&copyOfMember.DataItems(), &root->DataItems());
  root.reset();
  member.reset();
  copyOfMember.DrawTo(2.0, 2.0);
  copyOfRoot.ClearGraph();
  EXPECT_EQ(copyOfMember.DataItems().Count(), 2);
  // A chart that is a member itself receives the items into its group's
  // list and stays where it is.
  TPlotwell r(nullptr), m(nullptr), s(nullptr);
  m.SetUseDataOf(&r);
  s.MarkAt(0, 0, 2);
  s.MarkAt(1, 1, 2);
  m.Assign(s);
  EXPECT_EQ(m.UseDataOf(), &r);
  EXPECT_EQ(r.DataItems().Count(), 2);
  EXPECT_EQ(r.KindCount(ckMark), 2);
}

// Destroying any chart of a group, in any order, leaves no chart holding a
// reference to it; the members of a destroyed root keep copies and become
// free charts. Run under the sanitizers.
TEST(Sharing, DestroyingChartsInAnyOrder) {
  std::array<int, 4> order{0, 1, 2, 3};  // 0 is the root
  int permutations = 0;
  do {
    SCOPED_TRACE(testing::PrintToString(order));
    std::array<std::unique_ptr<TPlotwell>, 4> c;
    for (auto& p : c) p = std::make_unique<TPlotwell>(nullptr);
    for (int i = 1; i < 4; ++i) c[size_t(i)]->SetUseDataOf(c[0].get());
    c[0]->MoveTo(0.0, 0.0);
    c[2]->DrawTo(1.0, 1.0);
    bool rootGone = false;
    for (int k : order) {
      c[size_t(k)].reset();
      if (k == 0) rootGone = true;
      for (auto& p : c) {
        if (!p) continue;
        if (p->UseDataOf() == nullptr) {
          for (int i = 0; i < p->ShareCount(); ++i) EXPECT_NE(p->Sharer(i), nullptr);
        } else {
          EXPECT_FALSE(rootGone);
          EXPECT_EQ(p->UseDataOf(), c[0].get());
        }
        // Whatever is left works on what it shows.
        EXPECT_EQ(p->DataItems().Count() >= 2, true);
        p->MarkAt(2, 2, 1);
        p->ShowGraph();
      }
      if (c[0]) {
        int alive = 0;
        for (int i = 1; i < 4; ++i) alive += c[size_t(i)] != nullptr;
        EXPECT_EQ(c[0]->ShareCount(), alive);
      }
    }
    ++permutations;
  } while (std::next_permutation(order.begin(), order.end()));
  EXPECT_EQ(permutations, 24);
}

TEST(Sharing, MembersOfADestroyedRootKeepTheirOwnCopies) {
  auto root = std::make_unique<TPlotwell>(nullptr);
  TPlotwell a(nullptr), b(nullptr);
  a.SetUseDataOf(root.get());
  b.SetUseDataOf(root.get());
  root->MoveTo(0.0, 0.0);
  root->DrawTo(1.0, 1.0);
  root.reset();
  EXPECT_EQ(a.UseDataOf(), nullptr);
  EXPECT_EQ(b.UseDataOf(), nullptr);
  ASSERT_EQ(a.DataItems().Count(), 2);
  EXPECT_EQ(a.KindCount(ckDrawTo), 1);
  EXPECT_NE(&a.DataItems(), &b.DataItems());
  a.ClearGraph();
  EXPECT_EQ(b.DataItems().Count(), 2) << "no longer a group";
  // Each may start a group of its own.
  a.SetUseDataOf(&b);
  EXPECT_EQ(a.DataItems().Count(), 2);
}

}  // namespace
}  // namespace korvo

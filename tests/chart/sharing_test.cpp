// Charts showing one chart's data list: joining, leaving and the refusals,
// what the group sees, redrawing the group, and destruction in any order.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "chart/plotwell.h"
#include "chart_test_support.h"

namespace korvo {
namespace {

using test::CountingChart;
using test::HeadlessScope;

std::vector<TCustomPlotwell*> Members(const TCustomPlotwell& root) {
  std::vector<TCustomPlotwell*> out;
  for (int i = 0; i < root.ShareCount(); ++i) out.push_back(root.Sharer(i));
  return out;
}

// The text of the one information box shown since the last call.
std::string TakeMessage(HeadlessScope& scope) {
  const auto boxes = scope.ws().MessageBoxes();
  scope.ws().ClearMessageBoxes();
  if (boxes.size() != 1) return std::to_string(boxes.size()) + " boxes";
  EXPECT_EQ(boxes[0].Flags, MB_OK | MB_ICONINFORMATION);
  return boxes[0].Text;
}

TEST(Sharing, RefusalsAreShownAndChangeNothing) {
  HeadlessScope scope;
  const std::string foreign = "Plotwell: Cannot use foreign data. Other Plotwells are using my own data.";
  TPlotwell a(nullptr), b(nullptr), c(nullptr);
  a.SetUseDataOf(&a);
  EXPECT_EQ(TakeMessage(scope), "Plotwell: Cannot share data with myself");
  EXPECT_EQ(a.UseDataOf(), nullptr);
  b.SetUseDataOf(&a);
  EXPECT_EQ(TakeMessage(scope), "0 boxes");
  a.SetUseDataOf(&c);
  EXPECT_EQ(TakeMessage(scope), foreign);
  a.SetUseDataOf(nullptr);  // the same check comes first
  EXPECT_EQ(TakeMessage(scope), foreign);
  EXPECT_EQ(a.UseDataOf(), nullptr);
  EXPECT_EQ(Members(a), std::vector<TCustomPlotwell*>{&b});
}

TEST(Sharing, AGroupIsOneLevelDeepWithAtMostFourMembers) {
  HeadlessScope scope;
  TPlotwell root(nullptr), other(nullptr);
  std::array<std::unique_ptr<TPlotwell>, 5> m;
  for (auto& p : m) p = std::make_unique<TPlotwell>(nullptr);
  m[0]->SetUseDataOf(&root);
  m[1]->SetUseDataOf(m[0].get());  // joining a member joins its root
  m[2]->SetUseDataOf(&root);
  m[3]->SetUseDataOf(&root);
  EXPECT_EQ(m[1]->UseDataOf(), &root);
  m[4]->SetUseDataOf(&root);
  EXPECT_EQ(TakeMessage(scope), "Plotwell: Max. number of data shares exceeded");
  EXPECT_EQ(m[4]->UseDataOf(), nullptr);
  EXPECT_EQ(Members(root), (std::vector<TCustomPlotwell*>{m[0].get(), m[1].get(), m[2].get(), m[3].get()}));
  m[0]->SetUseDataOf(m[3].get());  // a fellow member: nothing, even in a full group
  EXPECT_EQ(TakeMessage(scope), "0 boxes");
  EXPECT_EQ(root.Sharer(0), m[0].get());
  m[1]->SetUseDataOf(nullptr);  // the ones behind move up in order
  EXPECT_EQ(Members(root), (std::vector<TCustomPlotwell*>{m[0].get(), m[2].get(), m[3].get()}));
  m[2]->SetUseDataOf(&other);  // moving to another group leaves the first
  EXPECT_EQ(Members(root), (std::vector<TCustomPlotwell*>{m[0].get(), m[3].get()}));
  EXPECT_EQ(&m[2]->DataItems(), &other.DataItems());
}

TEST(Sharing, TheGroupSeesOneDataList) {
  TPlotwell a(nullptr), b(nullptr), c(nullptr);
  a.SetAllocSize(10);
  b.SetAllocSize(3);
  b.MoveTo(5.0, 5.0);  // given up when b joins
  b.SetUseDataOf(&a);
  c.SetUseDataOf(&a);
  EXPECT_EQ(&b.DataItems(), &a.DataItems()) << "every chart's renderer reads the same list";
  b.MarkAt(1, 2, 7);  // the list grows by the step of the chart that adds
  EXPECT_EQ(a.DataItems().Capacity(), 3);
  for (int i = 0; i < 3; ++i) a.DrawTo(0.0, 0.0);
  EXPECT_EQ(c.DataItems().Capacity(), 3 + 10);
  EXPECT_EQ(c.DataItems().Count(), 4);
  EXPECT_EQ(c.KindCount(ckMark), 1);
  b.SetAnnotationMode(true);  // the annotation list stays per chart
  b.TextAt(1, 1, "b only", TCoordMode::cmPixel);
  EXPECT_EQ(a.AnnotationItems().Count(), 0);
  c.ClearGraph();  // on any chart: the list of all of them
  EXPECT_EQ(a.DataItems().Count(), 0);
  EXPECT_EQ(b.KindCount(ckMark), 0);
}

TEST(Sharing, LeavingKeepsACopy) {
  TPlotwell a(nullptr), b(nullptr);
  b.SetUseDataOf(&a);
  for (int i = 0; i < 5; ++i) a.DrawTo(double(i), 0.0);
  b.SetUseDataOf(nullptr);
  EXPECT_EQ(a.ShareCount(), 0);
  ASSERT_EQ(b.DataItems().Count(), 5);
  EXPECT_EQ(b.KindCount(ckDrawTo), 5);
  a.ClearGraph();
  EXPECT_EQ(b.DataItems()[4].x, 4.0);
}

TEST(Sharing, ShowGraphRedrawsTheWholeGroup) {
  CountingChart root, m1, m2;
  m1.SetUseDataOf(&root);
  EXPECT_EQ(m1.paints, 1) << "joining redraws the chart that joined";
  m2.SetUseDataOf(&root);
  // Without AutoRedraw the caller paints in full; then the root and every
  // member in order, each after its own AutoRedraw (the caller's is off).
  root.paints = m1.paints = m2.paints = 0;
  m1.SetAutoRedraw(false);
  m1.ShowGraph();
  EXPECT_EQ(m1.paints, 1);
  EXPECT_EQ(root.paints, 1);
  EXPECT_EQ(m2.paints, 1);
  // An invisible root draws nothing itself but still redraws its members.
  root.SetVisible(false);
  root.ShowGraph();
  EXPECT_EQ(root.paints, 1);
  EXPECT_EQ(m1.paints, 1);
  EXPECT_EQ(m2.paints, 2);
  m2.SetUseDataOf(&root);  // already: nothing, not even a repaint
  EXPECT_EQ(m2.paints, 2);
}

TEST(Sharing, ACopyTakesNoPartInTheSourcesGroup) {
  auto root = std::make_unique<TPlotwell>(nullptr);
  auto member = std::make_unique<TPlotwell>(nullptr);
  member->SetUseDataOf(root.get());
  root->DrawTo(1.0, 1.0);
  TPlotwell copy(nullptr);
  copy.Assign(*member);
  EXPECT_EQ(copy.UseDataOf(), nullptr);
  EXPECT_EQ(Members(*root), std::vector<TCustomPlotwell*>{member.get()});
  root.reset();
  member.reset();
  copy.DrawTo(2.0, 2.0);
  EXPECT_EQ(copy.DataItems().Count(), 2);
  // A member receiving a copy keeps its place; the items go to its group.
  TPlotwell r(nullptr), m(nullptr), s(nullptr);
  m.SetUseDataOf(&r);
  s.MarkAt(0, 0, 2);
  m.Assign(s);
  EXPECT_EQ(m.UseDataOf(), &r);
  EXPECT_EQ(r.KindCount(ckMark), 1);
}

// Destroying any chart of a group, in any order, leaves no chart holding a
// reference to it; the members of a destroyed root keep copies of the items
// and become free charts. Run under the sanitizers.
TEST(Sharing, DestroyingChartsInAnyOrder) {
  std::array<int, 4> order{0, 1, 2, 3};  // 0 is the root
  do {
    SCOPED_TRACE(testing::PrintToString(order));
    std::array<std::unique_ptr<TPlotwell>, 4> c;
    for (auto& p : c) p = std::make_unique<TPlotwell>(nullptr);
    for (int i = 1; i < 4; ++i) c[size_t(i)]->SetUseDataOf(c[0].get());
    c[2]->DrawTo(1.0, 1.0);
    for (int k : order) {
      c[size_t(k)].reset();
      int members = 0;
      for (auto& p : c) {
        if (!p) continue;
        EXPECT_EQ(p->UseDataOf(), p.get() == c[0].get() ? nullptr : c[0].get());
        members += p->UseDataOf() != nullptr;
        EXPECT_GE(p->DataItems().Count(), 1);
        p->MarkAt(2, 2, 1);  // whatever is left works on what it shows
        p->ShowGraph();
      }
      if (c[0]) {
        EXPECT_EQ(c[0]->ShareCount(), members);
      }
    }
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST(Sharing, MembersOfADestroyedRootKeepCopiesOfTheirOwn) {
  auto root = std::make_unique<TPlotwell>(nullptr);
  TPlotwell a(nullptr), b(nullptr);
  a.SetUseDataOf(root.get());
  b.SetUseDataOf(root.get());
  root->DrawTo(1.0, 1.0);
  root.reset();
  EXPECT_EQ(a.UseDataOf(), nullptr);
  EXPECT_EQ(a.KindCount(ckDrawTo), 1);
  a.ClearGraph();
  EXPECT_EQ(b.DataItems().Count(), 1) << "no longer a group";
}

}  // namespace
}  // namespace korvo

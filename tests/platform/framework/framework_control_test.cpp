// Controls: bounds through SetBounds, parents and children, inherited font,
// colour and hints, alignment and anchors.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "form_test_classes.h"

namespace korvo::test {
namespace {

// Records every SetBounds call, the way descendants override it.
class TBoundsSpy : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  void SetBounds(int l, int t, int w, int h) override {
    Calls.push_back(std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(w) + "," + std::to_string(h));
    TCustomControl::SetBounds(l, t, w, h);
    SurfaceWidthSeen = Canvas()->Surface().Width;
  }
  std::vector<std::string> Calls;
  int SurfaceWidthSeen = -1;
};

TEST(ControlBounds, EverySetterGoesThroughSetBounds) {
  THeadlessScope scope;
  TBoundsSpy c(nullptr);
  c.SetLeft(5);
  c.SetTop(6);
  c.SetWidth(70);
  c.SetHeight(80);
  c.SetBoundsRect(Rect(1, 2, 11, 22));
  c.SetClientWidth(30);
  EXPECT_EQ(c.Calls, (std::vector<std::string>{"5,0,0,0", "5,6,0,0", "5,6,70,0", "5,6,70,80", "1,2,10,20",
                                               "1,2,30,20"}));
  EXPECT_EQ(c.SurfaceWidthSeen, 30) << "the surface has its new size when the override continues";
}

TEST(ControlBounds, SizesAreNeverNegativeAndKeepWithinConstraints) {
  THeadlessScope scope;
  TPanel p(nullptr);
  p.SetBounds(0, 0, -5, -1);
  EXPECT_EQ(p.Width(), 0);
  EXPECT_EQ(p.Height(), 0);
  p.Constraints()->SetMinWidth(20);
  EXPECT_EQ(p.Width(), 20) << "new constraints apply at once";
  p.Constraints()->SetMaxHeight(50);
  p.SetBounds(0, 0, 10, 90);
  EXPECT_EQ(p.Width(), 20);
  EXPECT_EQ(p.Height(), 50);
  EXPECT_EQ(p.Surface()->Width(), 20);
  EXPECT_EQ(p.Surface()->Height(), 50);
}

// Far positions: the right and bottom edges stay representable.
TEST(ControlBounds, PositionsKeepTheEdgesWithinThe32BitPlane) {
  THeadlessScope scope;
  TPanel p(nullptr);
  p.SetBounds(INT32_MAX, INT32_MAX - 5, 120, 40);
  EXPECT_EQ(p.Left(), INT32_MAX - 120);
  EXPECT_EQ(p.Top(), INT32_MAX - 40);
  EXPECT_EQ(p.BoundsRect().Right, INT32_MAX);
  EXPECT_EQ(p.BoundsRect().Bottom, INT32_MAX);
  p.SetBounds(INT32_MIN, INT32_MIN, 120, 40);
  EXPECT_EQ(p.BoundsRect().Right, INT32_MIN + 120);
}

TEST(ControlBounds, CanResizeMayRefuseAndResizeReportsSizeChangesOnly) {
  THeadlessScope scope;
  TPanel p(nullptr);
  p.SetBounds(0, 0, 100, 100);
  int resized = 0;
  p.OnResize = [&](TObject*) { ++resized; };
  p.OnCanResize = [](TObject*, int& w, int& h, bool& resize) {
    if (w > 500) resize = false;
    h = std::min(h, 300);
  };
  p.SetBounds(10, 10, 100, 100);
  EXPECT_EQ(resized, 0) << "a move is no resize";
  p.SetBounds(10, 10, 200, 400);
  EXPECT_EQ(p.Height(), 300) << "the handler adjusted the height";
  EXPECT_EQ(resized, 1);
  p.SetBounds(20, 10, 900, 100);
  EXPECT_EQ(p.Width(), 200) << "refused: the old size stays";
  EXPECT_EQ(p.Left(), 20) << "the move still happens";
}

TEST(ControlParent, ChildrenListFollowsSetParent) {
  THeadlessScope scope;
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  auto* a = new TGauge(&form);
  auto* b = new TBevel(&form);
  panel->SetParent(&form);
  a->SetParent(&form);
  b->SetParent(&form);
  EXPECT_EQ(form.ControlCount(), 3);
  a->SetParent(panel);
  EXPECT_EQ(form.ControlCount(), 2);
  EXPECT_EQ(panel->Controls(0), a);
  EXPECT_TRUE(form.ContainsControl(a));
  EXPECT_FALSE(panel->ContainsControl(b));
  b->BringToFront();
  EXPECT_EQ(form.Controls(1), b);
  b->SendToBack();
  EXPECT_EQ(form.Controls(0), b);
  EXPECT_THROW(panel->SetParent(panel), EComponentError);
  auto* inner = new TPanel(&form);
  inner->SetParent(panel);
  EXPECT_THROW(panel->SetParent(inner), EComponentError) << "no cycles";
  a->SetParent(nullptr);
  EXPECT_EQ(panel->ControlCount(), 1);
  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_THROW(form.Controls(5), EComponentError);
}

TEST(ControlParent, ParentDestroysItsChildrenWhoeverOwnsThem) {
  THeadlessScope scope;
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  auto* g = new TGauge(&form);  // owned by the form, on the panel
  g->SetName("G");
  g->SetParent(panel);
  EXPECT_EQ(form.ComponentCount(), 2);
  delete panel;
  EXPECT_EQ(EventLog(), std::vector<std::string>{"~G"});
  EXPECT_EQ(form.ComponentCount(), 0) << "the gauge left its owner";
}

TEST(ControlParent, DestroyedChildLeavesItsParent) {
  THeadlessScope scope;
  TForm form(nullptr);
  auto* g = new TGauge(nullptr);
  g->SetParent(&form);
  delete g;
  EXPECT_EQ(form.ControlCount(), 0);
}

TEST(ControlParent, ClientCoordinatesThroughParents) {
  THeadlessScope scope;
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(100, 50, 200, 200);
  auto* g = new TGauge(&form);
  g->SetParent(panel);
  g->SetBounds(10, 20, 30, 30);
  EXPECT_EQ(g->ClientToParent(Point(1, 2)), Point(11, 22));
  EXPECT_EQ(g->ClientToParent(Point(1, 2), &form), Point(111, 72));
  EXPECT_EQ(g->ParentToClient(Point(111, 72), &form), Point(1, 2));
  TForm other(nullptr);
  EXPECT_THROW(g->ClientToParent(Point(0, 0), &other), std::invalid_argument);
}

TEST(ControlInheritance, FontFollowsTheParentUntilChanged) {
  THeadlessScope scope;
  TForm form(nullptr);
  form.Font()->SetName("Serif");
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  auto* g = new TGauge(&form);
  g->SetParent(panel);
  EXPECT_EQ(g->Font()->Name(), "Serif") << "taken when parented";
  form.Font()->SetHeight(-20);
  EXPECT_EQ(panel->Font()->Height(), -20);
  EXPECT_EQ(g->Font()->Height(), -20) << "and followed through two levels";
  EXPECT_TRUE(g->ParentFont());
  g->Font()->SetName("Mono");
  EXPECT_FALSE(g->ParentFont()) << "changing the font clears ParentFont";
  form.Font()->SetHeight(-30);
  EXPECT_EQ(g->Font()->Height(), -20) << "no longer followed";
  EXPECT_EQ(panel->Font()->Height(), -30);
  g->SetParentFont(true);
  EXPECT_EQ(g->Font()->Name(), "Serif");
  EXPECT_EQ(g->Font()->Height(), -30);
}

TEST(ControlInheritance, ColourAndShowHint) {
  THeadlessScope scope;
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParentColor(true);
  panel->SetParent(&form);
  EXPECT_EQ(panel->Color(), clBtnFace);
  form.SetColor(clAqua);
  EXPECT_EQ(panel->Color(), clAqua);
  panel->SetColor(clRed);
  EXPECT_FALSE(panel->ParentColor());
  form.SetColor(clLime);
  EXPECT_EQ(panel->Color(), clRed);

  form.SetShowHint(true);
  EXPECT_TRUE(panel->ShowHint()) << "ParentShowHint is on by default";
  panel->SetShowHint(true);
  EXPECT_FALSE(panel->ParentShowHint());
  form.SetShowHint(false);
  EXPECT_TRUE(panel->ShowHint());
}

TEST(ControlAlign, AlignedChildrenFillTheClientAreaInOrder) {
  THeadlessScope scope;
  TPanel host(nullptr);
  host.SetBevelOuter(TBevelCut::bvNone);
  host.SetBounds(0, 0, 200, 100);
  auto make = [&](TAlign a, int w, int h) {
    auto* p = new TPanel(&host);
    p->SetBounds(0, 0, w, h);
    p->SetAlign(a);
    p->SetParent(&host);
    return p;
  };
  TPanel* client = make(TAlign::alClient, 5, 5);
  TPanel* top = make(TAlign::alTop, 10, 20);
  TPanel* left = make(TAlign::alLeft, 30, 10);
  TPanel* bottom = make(TAlign::alBottom, 10, 15);
  TPanel* right = make(TAlign::alRight, 25, 10);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 20));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 85, 200, 100));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 20, 30, 85));
  EXPECT_EQ(right->BoundsRect(), Rect(175, 20, 200, 85));
  EXPECT_EQ(client->BoundsRect(), Rect(30, 20, 175, 85));
  host.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(client->BoundsRect(), Rect(30, 20, 275, 185)) << "realigned when the parent resizes";
  top->SetHeight(40);
  EXPECT_EQ(client->BoundsRect(), Rect(30, 40, 275, 185)) << "and when an aligned child changes";
  top->SetVisible(false);
  EXPECT_EQ(client->BoundsRect(), Rect(30, 0, 275, 185)) << "hidden children take no room";
  host.SetBorderWidth(5);
  EXPECT_EQ(client->BoundsRect(), Rect(35, 5, 270, 180)) << "within the panel's border";
}

TEST(ControlAlign, AnchorsKeepDistancesWhenTheParentResizes) {
  THeadlessScope scope;
  TPanel host(nullptr);
  host.SetBounds(0, 0, 200, 100);
  auto make = [&](TAnchors a) {
    auto* p = new TPanel(&host);
    p->SetBounds(40, 30, 20, 10);
    p->SetAnchors(a);
    p->SetParent(&host);
    return p;
  };
  TPanel* fixed = make(TAnchors{TAnchorKind::akLeft, TAnchorKind::akTop});
  TPanel* right = make(TAnchors{TAnchorKind::akRight, TAnchorKind::akBottom});
  TPanel* both = make(TAnchors{TAnchorKind::akLeft, TAnchorKind::akRight, TAnchorKind::akTop});
  TPanel* none = make(TAnchors{});
  host.SetBounds(0, 0, 300, 150);
  EXPECT_EQ(fixed->BoundsRect(), Rect(40, 30, 60, 40));
  EXPECT_EQ(right->BoundsRect(), Rect(140, 80, 160, 90));
  EXPECT_EQ(both->BoundsRect(), Rect(40, 30, 160, 40));
  // The centre (50, 35) keeps its place relative to the size: (75, 52.5).
  EXPECT_EQ(none->BoundsRect(), Rect(65, 47, 85, 57));
}

TEST(ControlScale, ChangeScaleScalesBoundsFontsAndChildren) {
  THeadlessScope scope;
  TPanel host(nullptr);
  host.SetBounds(10, 20, 100, 200);
  host.Font()->SetHeight(-20);
  auto* child = new TPanel(&host);
  child->SetParent(&host);
  child->SetBounds(50, 50, 20, 20);
  child->SetAnchors(TAnchors{TAnchorKind::akRight});
  host.ChangeScale(3, 2);
  EXPECT_EQ(host.BoundsRect(), Rect(15, 30, 165, 330));
  EXPECT_EQ(host.Font()->Height(), -30);
  EXPECT_EQ(child->BoundsRect(), Rect(75, 75, 105, 105)) << "anchors do not move children while scaling";
  EXPECT_EQ(child->Font()->Height(), -30) << "the child's font follows its parent";
}

TEST(ControlState, FormFrameAndClientArea) {
  THeadlessScope scope;
  TForm form(nullptr);
  form.SetBounds(0, 0, 738, 441);
  const TRect frame = scope.ws().FormFrame();
  EXPECT_EQ(form.ClientWidth(), 738 - frame.Left - frame.Right);
  EXPECT_EQ(form.ClientHeight(), 441 - frame.Top - frame.Bottom);
  form.SetClientWidth(400);
  EXPECT_EQ(form.Width(), 400 + frame.Left + frame.Right);
  EXPECT_EQ(form.Surface()->Width(), 400) << "a form's surface is its client area";
  form.SetBounds(0, 0, 2, 2);
  EXPECT_EQ(form.ClientWidth(), 0);
}

}  // namespace
}  // namespace korvo::test

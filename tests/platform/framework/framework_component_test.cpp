// Components: ownership and destruction order, names, notifications and
// the component states.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "form_test_classes.h"

namespace korvo::test {
namespace {

// A component that logs its destruction and the notifications it gets.
class TTracked : public TComponent {
 public:
  TTracked(TComponent* owner, const std::string& name) : TComponent(owner) { SetName(name); }
  ~TTracked() override { EventLog().push_back("~" + Name()); }
  std::vector<std::string> Notes;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    // Only the pointer may be used: a removed component may be half destroyed.
    Notes.push_back(std::string(operation == TOperation::opInsert ? "+" : "-") +
                    (component == watched ? "watched" : "other"));
  }

 public:
  TComponent* watched = nullptr;
};

TEST(Component, OwnerDestroysItsComponentsLastCreatedFirst) {
  EventLog().clear();
  {
    TTracked root(nullptr, "Root");
    new TTracked(&root, "A");
    auto* b = new TTracked(&root, "B");
    new TTracked(b, "B1");
    new TTracked(b, "B2");
    new TTracked(&root, "C");
    EXPECT_EQ(root.ComponentCount(), 3);
    EXPECT_EQ(b->ComponentCount(), 2);
  }
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"~Root", "~C", "~B", "~B2", "~B1", "~A"}));
}

TEST(Component, DestroyedComponentLeavesItsOwner) {
  TComponent root(nullptr);
  auto* a = new TTracked(&root, "A");
  auto* b = new TTracked(&root, "B");
  auto* c = new TTracked(&root, "C");
  delete b;
  ASSERT_EQ(root.ComponentCount(), 2);
  EXPECT_EQ(root.Components(0), a);
  EXPECT_EQ(root.Components(1), c);
  EXPECT_EQ(c->ComponentIndex(), 1);
  EXPECT_EQ(root.FindComponent("B"), nullptr);
  EXPECT_THROW(root.Components(2), EComponentError);
  EXPECT_EQ(TComponent(nullptr).ComponentIndex(), -1);
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwner) {
  TComponent root(nullptr);
  auto* a = new TComponent(&root);
  auto* b = new TComponent(&root);
  a->SetName("Button1");
  EXPECT_EQ(root.FindComponent("BUTTON1"), a) << "names ignore case";
  try {
    b->SetName("button1");
    FAIL() << "no error";
  } catch (const EComponentError& e) {
    EXPECT_STREQ(e.what(), "A component named button1 already exists");
  }
  EXPECT_EQ(b->Name(), "") << "a refused name leaves the old one";
  a->SetName("BUTTON1");  // the same component may change the case of its name
  EXPECT_EQ(a->Name(), "BUTTON1");
  for (const char* bad : {"1abc", "a b", "a-b", "ä", " x"}) {
    EXPECT_THROW(b->SetName(bad), EComponentError) << bad;
  }
  for (const char* good : {"_x", "x_1", "Plotwell1"}) {
    EXPECT_NO_THROW(b->SetName(good)) << good;
  }
  // Any number of components may stay unnamed, and components of different
  // owners may share names.
  new TComponent(&root);
  new TComponent(&root);
  auto* other = new TComponent(b);
  other->SetName("Button1");
  EXPECT_EQ(root.FindComponent(""), nullptr);
  EXPECT_TRUE(IsValidIdent("A9_"));
  EXPECT_FALSE(IsValidIdent(""));
}

TEST(Component, InsertAndRemoveMoveComponentsBetweenOwners) {
  TComponent first(nullptr), second(nullptr);
  auto* a = new TComponent(&first);
  a->SetName("A");
  second.InsertComponent(a);
  EXPECT_EQ(a->Owner(), &second);
  EXPECT_EQ(first.ComponentCount(), 0);
  auto* clash = new TComponent(&first);
  clash->SetName("a");
  EXPECT_THROW(first.InsertComponent(a), EComponentError) << "the name is taken there";
  EXPECT_EQ(a->Owner(), &second) << "a refused insert changes nothing";
  second.RemoveComponent(a);
  EXPECT_EQ(a->Owner(), nullptr);
  delete a;
}

TEST(Component, OwnerForwardsInsertAndRemoveToItsComponents) {
  TComponent root(nullptr);
  auto* observer = new TTracked(&root, "Observer");
  auto* a = new TComponent(&root);
  observer->watched = a;
  delete a;
  EXPECT_EQ(observer->Notes, (std::vector<std::string>{"+other", "-watched"}));
}

TEST(Component, FreeNotificationReachesComponentsOfOtherOwners) {
  TComponent form1(nullptr), form2(nullptr);
  auto* watcher = new TTracked(&form1, "W");
  auto* target = new TTracked(&form2, "T");
  watcher->watched = target;
  target->FreeNotification(watcher);
  delete target;
  EXPECT_EQ(watcher->Notes, (std::vector<std::string>{"-watched"}));
  // The other way round: a subscriber that goes first is forgotten, so the
  // target's destruction calls nobody (ASan would see a use after free).
  auto* target2 = new TTracked(&form2, "T2");
  auto* watcher2 = new TTracked(&form1, "W2");
  target2->FreeNotification(watcher2);
  delete watcher2;
  delete target2;
}

TEST(Component, DesigningSpreadsToOwnedAndInsertedComponents) {
  TComponent root(nullptr);
  auto* a = new TComponent(&root);
  root.SetDesigning(true);
  EXPECT_TRUE(root.IsDesigning());
  EXPECT_TRUE(a->IsDesigning());
  auto* b = new TComponent(&root);
  EXPECT_TRUE(b->IsDesigning()) << "a component inserted into a designing owner designs";
  root.SetDesigning(false, false);
  EXPECT_FALSE(root.IsDesigning());
  EXPECT_TRUE(a->IsDesigning()) << "not spread when asked not to";
  EXPECT_FALSE(root.ComponentState().Contains(TComponentStateItem::csLoading));
}

TEST(Component, FormFieldFollowsItsComponent) {
  THeadlessScope scope;
  TDemoForm form(nullptr);
  auto* g = new TGauge(&form);
  g->SetName("Gauge1");
  EXPECT_EQ(form.Gauge1, g) << "naming a component fills the field of that name";
  g->SetName("GaugeX");
  EXPECT_EQ(form.Gauge1, nullptr) << "renaming clears it";
  g->SetName("Gauge2");
  EXPECT_EQ(form.Gauge2, g);
  auto* p = new TPanel(&form);
  p->SetName("Gauge1");
  EXPECT_EQ(form.Gauge1, nullptr) << "a component of another class does not go into the field";
  delete g;
  EXPECT_EQ(form.Gauge2, nullptr) << "destroying clears it";
}

TEST(Component, SmallSets) {
  TEnumSet<TAnchorKind> s{TAnchorKind::akLeft};
  s.Include(TAnchorKind::akBottom);
  EXPECT_TRUE(s.Contains(TAnchorKind::akBottom));
  EXPECT_FALSE(s.Contains(TAnchorKind::akTop));
  EXPECT_EQ(s - TAnchors{TAnchorKind::akLeft}, TAnchors{TAnchorKind::akBottom});
  EXPECT_EQ((s | TAnchors{TAnchorKind::akTop}).Bits(), 0b1011u);
  EXPECT_EQ(s & TAnchors{TAnchorKind::akTop}, TAnchors{});
  EXPECT_TRUE(s.Exclude(TAnchorKind::akLeft).Exclude(TAnchorKind::akBottom).Empty());
}

}  // namespace
}  // namespace korvo::test

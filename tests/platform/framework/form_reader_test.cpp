// Reading form descriptions: a realistic nested form with values of every
// kind, how components are created, parented, named, bound and loaded.
#include <gtest/gtest.h>

#include <memory>

#include "form_test_classes.h"
#include "platform/framework/FormReader.h"

namespace korvo::test {
namespace {

class FormReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<TDemoForm>(nullptr);
    ReadComponentText(kDemoDescription, form_.get());
  }

  THeadlessScope scope_;
  std::unique_ptr<TDemoForm> form_;
};

TEST_F(FormReaderTest, RootPropertiesIncludingDottedFontAndSets) {
  TDemoForm& f = *form_;
  EXPECT_EQ(f.Name(), "DemoForm");
  EXPECT_EQ(f.BoundsRect(), Rect(297, 180, 297 + 738, 180 + 441));
  EXPECT_EQ(f.Caption(), "A simple demo of the component TGauge");
  EXPECT_EQ(f.Color(), clBtnFace);
  EXPECT_EQ(f.Font()->Color(), clWindowText);
  EXPECT_EQ(f.Font()->Height(), -16);
  EXPECT_EQ(f.Font()->Name(), "System");
  EXPECT_EQ(f.Font()->Style(), TFontStyles{TFontStyle::fsBold});
  EXPECT_EQ(f.PixelsPerInch(), 120);
  EXPECT_FALSE(f.Scaled());
  EXPECT_FALSE(f.Visible()) << "a form description without Visible leaves the form hidden";
}

TEST_F(FormReaderTest, ValuesOfEveryKindReachTheSetters) {
  TGauge& g = *form_->Gauge1;
  EXPECT_EQ(g.Position(), 42);
  EXPECT_EQ(g.Steps(), 255) << "hexadecimal integers";
  EXPECT_EQ(g.RangeLow(), -1.2) << "a classic 18-digit literal reads as the nearest double";
  EXPECT_EQ(g.RangeHigh(), 1200.0);
  EXPECT_EQ(g.Precise(), 0.1L) << "long double properties parse the literal at their own precision";
  EXPECT_NE(g.Precise(), static_cast<long double>(0.1));
  EXPECT_EQ(g.Ratio(), 0.25f);
  EXPECT_TRUE(g.Vertical());
  EXPECT_EQ(g.Title(), "It's a\r\ntwo-line title\xE2\x98\xBA") << "'' quotes, #nn codes, + joins, #$hex as UTF-8";
  EXPECT_EQ(g.ForeColor(), clMaroon);
  EXPECT_EQ(g.Kind(), TGaugeKind::gkNeedle) << "enumeration names ignore case";
  EXPECT_EQ(g.TitleStyle(), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsItalic}));
  EXPECT_EQ(g.Anchors(), (TAnchors{TAnchorKind::akLeft, TAnchorKind::akTop, TAnchorKind::akRight}));
  EXPECT_EQ(g.Total(), -9007199254740993LL) << "64-bit integers are exact";
  EXPECT_EQ(g.Marker()->Size(), 7);
  EXPECT_EQ(g.Marker()->Color(), 14540253);
  EXPECT_EQ(g.Marker()->Font()->Name(), "Arial") << "a sub-object of a sub-object";
  EXPECT_EQ(g.Follows(), form_->Gauge2) << "a reference to a component read after it";
}

TEST_F(FormReaderTest, OwnerIsTheRootAndParentTheEnclosingControl) {
  TDemoForm& f = *form_;
  ASSERT_EQ(f.ComponentCount(), 6);
  const char* order[] = {"Bevel1", "Gauge2", "Button1", "Panel1", "Gauge1", "Ticker1"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(f.Components(i)->Name(), order[i]);
    EXPECT_EQ(f.Components(i)->Owner(), &f);
  }
  EXPECT_EQ(f.Gauge1->Parent(), f.Panel1);
  EXPECT_EQ(f.Gauge2->Parent(), &f);
  EXPECT_EQ(f.Bevel1->Parent(), &f);
  ASSERT_EQ(f.ControlCount(), 4) << "the ticker is no control";
  EXPECT_EQ(f.Controls(0), f.Bevel1);
  EXPECT_EQ(f.Controls(3), f.Panel1);
  EXPECT_EQ(f.Panel1->ControlCount(), 1);
  EXPECT_EQ(f.Panel1->BevelInner(), TBevelCut::bvLowered);
  EXPECT_EQ(f.Bevel1->Shape(), TBevelShape::bsFrame);
  EXPECT_EQ(f.Bevel1->Style(), TBevelStyle::bsRaised);
  EXPECT_EQ(f.Ticker1->Interval(), 250);
}

TEST_F(FormReaderTest, FieldsReceiveTheirComponents) {
  TDemoForm& f = *form_;
  EXPECT_EQ(f.Gauge1, f.FindComponent("Gauge1"));
  EXPECT_EQ(f.Gauge2, f.FindComponent("gauge2"));
  EXPECT_EQ(f.Panel1, f.FindComponent("Panel1"));
  EXPECT_EQ(f.Button1, f.FindComponent("Button1"));
  EXPECT_EQ(f.Bevel1, f.FindComponent("Bevel1"));
  EXPECT_EQ(f.Ticker1, f.FindComponent("Ticker1"));
}

TEST_F(FormReaderTest, ButtonFontDiffersFromTheFormsOnly) {
  TButton& b = *form_->Button1;
  EXPECT_FALSE(b.ParentFont());
  EXPECT_EQ(b.Font()->Height(), -17);
  EXPECT_EQ(b.Font()->Name(), "MS Sans Serif");
  EXPECT_TRUE(b.Font()->Style().Empty());
  EXPECT_EQ(b.TabOrder(), 0);
  EXPECT_EQ(b.Caption(), "Start");
  // Controls that did not set a font follow their parent's.
  EXPECT_TRUE(form_->Gauge1->ParentFont());
  EXPECT_EQ(form_->Gauge1->Font()->Name(), "System");
  EXPECT_EQ(form_->Panel1->Font()->Height(), -16);
}

TEST_F(FormReaderTest, EventsCallTheFormsMethods) {
  TDemoForm& f = *form_;
  f.Button1->Click();
  f.Gauge1->Click();
  bool cancel = false;
  ASSERT_TRUE(f.Gauge1->OnProgress);
  f.Gauge1->OnProgress(f.Gauge1, 17, cancel);
  EXPECT_TRUE(cancel) << "var parameters reach the method by reference";
  ASSERT_TRUE(f.OnMouseMove);
  f.OnMouseMove(&f, TShiftState{}, 3, 4);
  EXPECT_EQ(f.Calls, (std::vector<std::string>{"Button1Click Button1", "Button1Click Gauge1",
                                               "GaugeProgress Gauge1 17", "FormMouseMove 3,4"}));
  EXPECT_FALSE(f.Gauge2->OnClick) << "events the description does not name stay empty";
}

TEST_F(FormReaderTest, PropertiesAreSetWhileLoadingAndLoadedRunsInCreationOrder) {
  EXPECT_TRUE(form_->Gauge1->PositionSetWhileLoading);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"Loaded DemoForm", "Loaded Gauge2", "Loaded Gauge1",
                                                  "Loaded Ticker1"}));
  for (int i = 0; i < form_->ComponentCount(); ++i) {
    EXPECT_FALSE(form_->Components(i)->IsLoading()) << form_->Components(i)->Name();
  }
  EXPECT_FALSE(form_->IsLoading());
  EXPECT_FALSE(form_->Gauge1->HandleAllocated()) << "nothing gets a window before the form is shown";
  EXPECT_FALSE(form_->Gauge1->PositionSetWhileLoading && form_->Gauge1->IsLoading());
}

TEST_F(FormReaderTest, ReferencedComponentDestroyedClearsTheReference) {
  delete form_->Gauge2;
  EXPECT_EQ(form_->Gauge2, nullptr) << "the form's field is cleared";
  EXPECT_EQ(form_->Gauge1->Follows(), nullptr) << "the free notification reached the gauge";
}

TEST(FormReaderCreate, CreatesTheRootFromItsClass) {
  THeadlessScope scope;
  std::unique_ptr<TComponent> root = CreateComponentFromText(
      "object Panel9: TPanel\n"
      "  Caption = 'made by the reader'\n"
      "  object Inner: TGauge\n"
      "    Position = 3\n"
      "  end\n"
      "end\n");
  auto* panel = dynamic_cast<TPanel*>(root.get());
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Name(), "Panel9");
  EXPECT_EQ(panel->Owner(), nullptr);
  EXPECT_EQ(panel->Caption(), "made by the reader");
  ASSERT_EQ(panel->ControlCount(), 1);
  auto* inner = dynamic_cast<TGauge*>(panel->Controls(0));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->Owner(), panel);
  EXPECT_EQ(inner->Position(), 3);
}

TEST(FormReaderCreate, UnnamedObjectsAndNilReferences) {
  THeadlessScope scope;
  std::unique_ptr<TComponent> root = CreateComponentFromText(
      "object TPanel\n"
      "  object TGauge\n"
      "    Follows = nil\n"
      "  end\n"
      "  object TGauge\n"
      "  end\n"
      "end\n");
  auto* panel = dynamic_cast<TPanel*>(root.get());
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Name(), "");
  EXPECT_EQ(panel->ComponentCount(), 2) << "any number of components may be unnamed";
}

TEST(FormReaderScaling, ScaledFormDesignedAtAnotherResolutionIsScaledToTheScreen) {
  THeadlessScope scope;
  TTestForm form(nullptr);
  ReadComponentText(
      "object F: TTestForm\n"
      "  Width = 508\n"
      "  Height = 427\n"
      "  Font.Height = -20\n"
      "  PixelsPerInch = 120\n"
      "  object G: TGauge\n"
      "    Left = 100\n"
      "    Top = 50\n"
      "    Width = 200\n"
      "    Height = 125\n"
      "  end\n"
      "end\n",
      &form);
  // 96 / 120 of everything: the client area 500 x 400 becomes 400 x 320.
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(form.ClientHeight(), 320);
  EXPECT_EQ(form.Font()->Height(), -16);
  EXPECT_EQ(form.PixelsPerInch(), 96);
  TControl* g = form.Controls(0);
  EXPECT_EQ(g->BoundsRect(), Rect(80, 40, 240, 140));
}

TEST(FormReaderShow, VisibleFormIsShownOnceEverythingIsLoaded) {
  THeadlessScope scope;
  TTestForm form(nullptr);
  int shown = 0;
  form.OnShow = [&](TObject*) {
    ++shown;
    EventLog().push_back("OnShow");
  };
  ReadComponentText(
      "object F: TTestForm\n"
      "  Visible = True\n"
      "  object G: TGauge\n"
      "  end\n"
      "end\n",
      &form);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(form.HandleAllocated());
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"Loaded F", "Loaded G", "OnShow", "CreateWnd G"}))
      << "windows are created after every Loaded";
}

TEST(FormReaderCreate, SecondFormOfAClassUnderOneOwnerIsRenamed) {
  THeadlessScope scope;
  TComponent owner(nullptr);
  auto* first = new TTestForm(&owner);
  auto* second = new TTestForm(&owner);
  const char* text = "object Main: TTestForm\n  object G: TGauge\n  end\nend\n";
  ReadComponentText(text, first);
  ReadComponentText(text, second);
  EXPECT_EQ(first->Name(), "Main");
  EXPECT_EQ(second->Name(), "Main_1");
  EXPECT_EQ(second->FindComponent("G")->Owner(), second) << "the components keep their names in their own form";
}

TEST(SetPropertyText, SetsPlainValuesByPath) {
  THeadlessScope scope;
  TGauge g(nullptr);
  SetPropertyText(g, "Position", "12");
  SetPropertyText(g, "Marker.Font.Style", "[fsUnderline]");
  SetPropertyText(g, "ForeColor", "clAqua");
  SetPropertyText(g, "Title", "'a' + 'b'#33");
  EXPECT_EQ(g.Position(), 12);
  EXPECT_EQ(g.Marker()->Font()->Style(), TFontStyles{TFontStyle::fsUnderline});
  EXPECT_EQ(g.ForeColor(), clAqua);
  EXPECT_EQ(g.Title(), "ab!");
  try {
    SetPropertyText(g, "Kind", "gkDial");
    FAIL() << "no error";
  } catch (const EPropertyError& e) {
    EXPECT_STREQ(e.what(), "TGauge.Kind: 'gkDial' is not a valid TGaugeKind value");
  }
  EXPECT_THROW(SetPropertyText(g, "Follows", "G2"), EPropertyError);
  EXPECT_THROW(SetPropertyText(g, "Position", "1 2"), EPropertyError);
}

}  // namespace
}  // namespace korvo::test

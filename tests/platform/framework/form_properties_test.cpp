// Registration of published properties: order with inheritance, publishing
// of declared properties, defaults and stored rules, kinds and conversions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_test_classes.h"
#include "platform/framework/FormWriter.h"
#include "platform/framework/PlatformEnums.h"

namespace korvo::test {
namespace {

std::vector<std::string> Names(const TClassInfo& cls) {
  std::vector<std::string> out;
  for (const TPropInfo* p : cls.Properties()) out.push_back(p->Name());
  return out;
}

TEST(Properties, CanvasEnumerationsAreNamedBothWays) {
  EXPECT_EQ(EnumName(TPenStyle::psInsideFrame), "psInsideFrame");
  EXPECT_EQ(EnumFromName<TPenStyle>("psDashDotDot"), TPenStyle::psDashDotDot);
  EXPECT_THROW(EnumFromName<TPenStyle>("psDashed"), EPropertyError);
}

TEST(Properties, InheritedPropertiesComeFirstInRegistrationOrder) {
  const std::vector<std::string> names = Names(TGauge::ClassInfo());
  const std::vector<std::string> expected = {
      "Name",   "Tag",        "Left",          "Top",       "Width",         "Height",    "Cursor",
      "Hint",   "Align",      "Anchors",       "Font",      "ParentFont",    "ParentShowHint", "ShowHint",
      "Visible", "Position",  "Steps",         "RangeLow",  "RangeHigh",     "Precise",   "Ratio",
      "Vertical", "Title",    "ForeColor",     "Kind",      "TitleStyle",    "Total",     "Marker",
      "Follows", "FailOnLoad", "Computed",     "OnClick",   "OnMouseDown",   "OnProgress"};
  EXPECT_EQ(names, expected);
  // What TControl declares without publishing stays out until a class
  // publishes it, but can be found for publishing.
  EXPECT_EQ(TControl::ClassInfo().FindProperty("Align"), nullptr);
  ASSERT_NE(TControl::ClassInfo().FindDeclared("align"), nullptr);
  EXPECT_FALSE(TControl::ClassInfo().FindDeclared("Align")->IsPublished());
  EXPECT_EQ(TGauge::ClassInfo().FindProperty("Caption"), nullptr);
  EXPECT_NE(TPanel::ClassInfo().FindProperty("CAPTION"), nullptr);
}

TEST(Properties, KindsFollowTheGettersType) {
  const TClassInfo& g = TGauge::ClassInfo();
  auto kind = [&](const char* name) { return g.FindProperty(name)->Kind(); };
  EXPECT_EQ(kind("Position"), TPropKind::pkInteger);
  EXPECT_EQ(kind("Steps"), TPropKind::pkInteger);
  EXPECT_EQ(kind("Total"), TPropKind::pkInteger);
  EXPECT_EQ(kind("RangeLow"), TPropKind::pkFloat);
  EXPECT_EQ(kind("Precise"), TPropKind::pkFloat);
  EXPECT_EQ(kind("Vertical"), TPropKind::pkBool);
  EXPECT_EQ(kind("Title"), TPropKind::pkString);
  EXPECT_EQ(kind("ForeColor"), TPropKind::pkColor);
  EXPECT_EQ(kind("Kind"), TPropKind::pkEnum);
  EXPECT_EQ(kind("TitleStyle"), TPropKind::pkSet);
  EXPECT_EQ(kind("Anchors"), TPropKind::pkSet);
  EXPECT_EQ(kind("Marker"), TPropKind::pkObject);
  EXPECT_EQ(kind("Follows"), TPropKind::pkComponent);
  EXPECT_EQ(kind("OnProgress"), TPropKind::pkEvent);
  EXPECT_EQ(kind("Cursor"), TPropKind::pkInteger);
  EXPECT_EQ(g.FindProperty("Kind")->EnumType()->TypeName, "TGaugeKind");
  EXPECT_EQ(g.FindProperty("TitleStyle")->EnumType()->TypeName, "TFontStyle");
  EXPECT_EQ(g.FindProperty("Position")->EnumType(), nullptr);
}

TEST(Properties, RepublishingKeepsThePlaceAndTakesTheNewDefault) {
  THeadlessScope scope;
  // TForm publishes Color with clBtnFace as default; TPanel too; TControl
  // declared clWindow.
  TForm form(nullptr);
  const TPropInfo* color = TForm::ClassInfo().FindProperty("Color");
  ASSERT_NE(color, nullptr);
  EXPECT_TRUE(color->IsDefault(form));
  form.SetColor(clWindow);
  EXPECT_FALSE(color->IsDefault(form));
  EXPECT_TRUE(color->IsStored(form));
  const std::vector<std::string> names = Names(TForm::ClassInfo());
  const auto caption = std::find(names.begin(), names.end(), "Caption");
  const auto color_at = std::find(names.begin(), names.end(), "Color");
  EXPECT_LT(caption, color_at) << "published in the order the class lists them";
}

TEST(Properties, StoredPredicateAndDefaultsCombine) {
  THeadlessScope scope;
  TPanel parent(nullptr);
  auto* panel = new TPanel(&parent);
  panel->SetParent(&parent);
  const TClassInfo& cls = TPanel::ClassInfo();
  const TPropInfo* font = cls.FindProperty("Font");
  const TPropInfo* color = cls.FindProperty("Color");
  const TPropInfo* parent_color = cls.FindProperty("ParentColor");
  EXPECT_FALSE(font->IsStored(*panel)) << "ParentFont: the font is the parent's";
  panel->Font()->SetName("Arial");
  EXPECT_TRUE(font->IsStored(*panel));
  parent.SetColor(clRed);
  panel->SetParentColor(true);
  EXPECT_EQ(panel->Color(), clRed) << "ParentColor takes the parent's colour";
  EXPECT_FALSE(color->IsStored(*panel)) << "a colour taken from the parent is not written";
  EXPECT_TRUE(parent_color->IsStored(*panel));
  panel->SetColor(clBtnFace);
  EXPECT_FALSE(panel->ParentColor());
  EXPECT_FALSE(color->IsStored(*panel)) << "own colour equal to the default";
}

TEST(Properties, RegistrationMistakesAreLogicErrors) {
  struct TBad : public TComponent {
    using TComponent::TComponent;
    int Value() const { return 0; }
    void SetValue(int) {}
  };
  auto define = [](const char* name) { return DefineClass<TBad, TComponent>(name); };
  EXPECT_THROW(define("TBad1").Prop("Value", &TBad::Value, &TBad::SetValue).Default(std::string("x")),
               std::logic_error)
      << "a default of another type";
  EXPECT_THROW(define("TBad2").Prop("Value", &TBad::Value, &TBad::SetValue).Prop("value", &TBad::Value, &TBad::SetValue),
               std::logic_error)
      << "a name registered twice";
  EXPECT_THROW(define("TBad3").Publish("NoSuchProperty"), std::logic_error);
  EXPECT_THROW(define("TBad4").Default(1), std::logic_error);
  EXPECT_THROW(define("TGauge").Register(), std::logic_error) << "a class name taken";
  EXPECT_THROW(RegisterClass<TBad>(), std::logic_error) << "no ClassInfo of its own";
}

TEST(Properties, ClassLookupByNameAndByObject) {
  THeadlessScope scope;
  EXPECT_EQ(FindClass("tgauge"), &TGauge::ClassInfo());
  EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
  TGauge g(nullptr);
  EXPECT_EQ(ObjectClassInfo(g), &TGauge::ClassInfo());
  EXPECT_TRUE(TGauge::ClassInfo().InheritsFrom(TControl::ClassInfo()));
  EXPECT_FALSE(TControl::ClassInfo().InheritsFrom(TGauge::ClassInfo()));
  EXPECT_TRUE(TGauge::ClassInfo().CanCreate());
  EXPECT_FALSE(TClassInfoSource<TPersistent>::Get().CanCreate());
  // An unregistered subclass is known by its class name.
  struct TLocalPanel : public TPanel {
    using TPanel::TPanel;
  };
  TLocalPanel local(nullptr);
  EXPECT_EQ(ObjectClassInfo(local), &TPanel::ClassInfo());
}

TEST(Properties, IntegerConversionsCheckRangeAndNames) {
  using prop_detail::Decode;
  EXPECT_EQ(Decode<uint8_t>(TFormValue::Integer(255), nullptr), 255);
  EXPECT_THROW(Decode<uint8_t>(TFormValue::Integer(-1), nullptr), EPropertyError);
  EXPECT_THROW(Decode<int16_t>(TFormValue::Integer(40000), nullptr), EPropertyError);
  EXPECT_EQ(Decode<int64_t>(TFormValue::Integer(INT64_MIN), nullptr), INT64_MIN);
  EXPECT_EQ(Decode<uint64_t>(TFormValue::Integer(INT64_MAX), nullptr), uint64_t(INT64_MAX));
  EXPECT_EQ(Decode<int32_t>(TFormValue::Ident("clBtnFace"), &ColorNames()), clBtnFace);
  EXPECT_EQ(Decode<int16_t>(TFormValue::Ident("crHandPoint"), &CursorNames()), crHandPoint);
  EXPECT_EQ(prop_detail::Encode<int32_t>(clRed, &ColorNames()), TFormValue::Ident("clRed"));
  EXPECT_EQ(prop_detail::Encode<int32_t>(0x123456, &ColorNames()), TFormValue::Integer(0x123456));
  EXPECT_THROW(Decode<int>(TFormValue::Ident("clRed"), nullptr), EPropertyError) << "plain integers take no names";
}

TEST(Properties, SetsAndEnumerationsByName) {
  using prop_detail::Decode;
  EXPECT_EQ(Decode<TAnchors>(TFormValue::Set({"akBottom", "akRIGHT"}), nullptr),
            (TAnchors{TAnchorKind::akRight, TAnchorKind::akBottom}));
  EXPECT_EQ(Decode<TAnchors>(TFormValue::Set({}), nullptr), TAnchors{});
  EXPECT_THROW(Decode<TAnchors>(TFormValue::Ident("akLeft"), nullptr), EPropertyError) << "a set needs brackets";
  EXPECT_EQ(Decode<TAlign>(TFormValue::Ident("alClient"), nullptr), TAlign::alClient);
  EXPECT_THROW(Decode<TAlign>(TFormValue::Integer(2), nullptr), EPropertyError) << "enumerations by name only";
  EXPECT_EQ(prop_detail::Encode<TShiftState>(TShiftState{TShiftFlag::ssCtrl, TShiftFlag::ssShift}, nullptr),
            TFormValue::Set({"ssShift", "ssCtrl"}));
}

TEST(Properties, EventBindingChecksTheSignature) {
  THeadlessScope scope;
  TTestForm form(nullptr);
  TGauge gauge(nullptr);
  const TClassInfo& cls = TGauge::ClassInfo();
  const TMethodInfo* click = TTestForm::ClassInfo().FindMethod("button1click");
  const TMethodInfo* progress = TTestForm::ClassInfo().FindMethod("GaugeProgress");
  ASSERT_NE(click, nullptr);
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(TDemoForm::ClassInfo().FindMethod("Button1Click"), click) << "methods are inherited";
  EXPECT_FALSE(cls.FindProperty("OnClick")->Bind(gauge, *progress, form));
  EXPECT_FALSE(gauge.OnClick);
  EXPECT_TRUE(cls.FindProperty("OnClick")->Bind(gauge, *click, form));
  EXPECT_EQ(cls.FindProperty("OnClick")->BoundMethod(gauge), "Button1Click");
  gauge.SetName("G");
  gauge.OnClick(&gauge);
  EXPECT_EQ(form.Calls, std::vector<std::string>{"Button1Click G"});
  gauge.OnClick = [](TObject*) {};
  EXPECT_EQ(cls.FindProperty("OnClick")->BoundMethod(gauge), "") << "a handler set by code has no method name";
}

}  // namespace
}  // namespace korvo::test

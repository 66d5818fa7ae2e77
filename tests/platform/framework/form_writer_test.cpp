// Writing form descriptions: the exact text, what is left out, and round
// trips that give back equal values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "form_test_classes.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/FormWriter.h"

namespace korvo::test {
namespace {

const char* const kWritten = R"(object DemoForm: TDemoForm
  Left = 297
  Top = 180
  Width = 738
  Height = 441
  Caption = 'A simple demo of the component TGauge'
  Font.Color = clWindowText
  Font.Height = -16
  Font.Name = 'System'
  Font.Style = [fsBold]
  PixelsPerInch = 120
  Scaled = False
  OnMouseMove = FormMouseMove
  object Ticker1: TTicker
    Interval = 250
  end
  object Bevel1: TBevel
    Left = 10
    Top = 10
    Width = 311
    Height = 391
    Shape = bsFrame
    Style = bsRaised
  end
  object Gauge2: TGauge
    Left = 20
    Top = 20
    Width = 293
    Height = 373
    Position = 5
    RangeHigh = 120.0
    Precise = 0.0
    ForeColor = clTeal
    TitleStyle = []
    Marker.Font.Color = clWindowText
    Marker.Font.Height = -11
    Marker.Font.Name = 'MS Sans Serif'
    Marker.Font.Style = []
  end
  object Button1: TButton
    Left = 344
    Top = 370
    Width = 89
    Height = 31
    Caption = 'Start'
    Font.Color = clWindowText
    Font.Height = -17
    Font.Name = 'MS Sans Serif'
    Font.Style = []
    ParentFont = False
    TabOrder = 0
    OnClick = Button1Click
  end
  object Panel1: TPanel
    Left = 332
    Top = 10
    Width = 389
    Height = 351
    BevelInner = bvLowered
    TabOrder = 1
    object Gauge1: TGauge
      Left = 10
      Top = 10
      Width = 372
      Height = 331
      Anchors = [akLeft, akTop, akRight]
      Position = 42
      Steps = 255
      RangeLow = -1.2
      RangeHigh = 1200.0
      Precise = 0.1
      Ratio = 0.25
      Vertical = True
      Title = 'It''s a'#13#10'two-line title)"
                           "\xE2\x98\xBA"
                           R"('
      ForeColor = clMaroon
      Kind = gkNeedle
      TitleStyle = [fsBold, fsItalic]
      Total = -9007199254740993
      Marker.Size = 7
      Marker.Color = 14540253
      Marker.Font.Color = clWindowText
      Marker.Font.Height = -11
      Marker.Font.Name = 'Arial'
      Marker.Font.Style = []
      Follows = Gauge2
      OnClick = Button1Click
      OnProgress = GaugeProgress
    end
  end
end
)";

TEST(FormWriter, WritesTheTreeWithoutDefaultsInRegistrationOrder) {
  THeadlessScope scope;
  TDemoForm form(nullptr);
  ReadComponentText(kDemoDescription, &form);
  EXPECT_EQ(WriteComponentText(form), kWritten);
}

TEST(FormWriter, RoundTripGivesEqualValues) {
  THeadlessScope scope;
  TDemoForm first(nullptr);
  ReadComponentText(kDemoDescription, &first);
  const std::string text = WriteComponentText(first);
  TDemoForm second(nullptr);
  ReadComponentText(text, &second);
  EXPECT_EQ(WriteComponentText(second), text);
  std::vector<std::string> a = PropertySnapshot(first), b = PropertySnapshot(second);
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  EXPECT_EQ(a, b);
  EXPECT_GT(a.size(), 150u) << "the snapshot covers every published property";
  EXPECT_EQ(second.Gauge1->Follows(), second.Gauge2);
  EXPECT_EQ(second.Gauge1->Precise(), first.Gauge1->Precise());
}

TEST(FormWriter, StoredRulesDecideWhatIsWritten) {
  THeadlessScope scope;
  TPanel panel(nullptr);
  panel.SetName("P");
  auto* g = new TGauge(&panel);
  g->SetParent(&panel);
  g->SetName("G");
  const std::string plain = WriteComponentText(panel);
  EXPECT_EQ(plain.find("\n    Font."), std::string::npos) << "fonts that follow the parent are not written";
  EXPECT_EQ(plain.find("\n  Font."), std::string::npos);
  EXPECT_EQ(plain.find("ShowHint"), std::string::npos);
  EXPECT_EQ(plain.find("Computed"), std::string::npos) << "never stored";
  EXPECT_NE(plain.find("    Precise = 0.0\n"), std::string::npos) << "no default: always written";
  EXPECT_NE(plain.find("    TitleStyle = []\n"), std::string::npos) << "an empty set is written as []";

  g->SetShowHint(false);  // equal to the parent's, but no longer taken from it
  g->Font()->SetSize(12);
  g->SetHint("it's");
  g->SetCursor(crHandPoint);
  g->SetCursor(crHandPoint);
  const std::string changed = WriteComponentText(panel);
  EXPECT_NE(changed.find("    ShowHint = False\n"), std::string::npos);
  EXPECT_NE(changed.find("    Font.Height = -16\n"), std::string::npos);
  EXPECT_EQ(changed.find("Font.Size"), std::string::npos) << "Size is read, never written";
  EXPECT_NE(changed.find("    Hint = 'it''s'\n"), std::string::npos);
  EXPECT_NE(changed.find("    Cursor = crHandPoint\n"), std::string::npos);
  g->SetCursor(5);
  EXPECT_NE(WriteComponentText(panel).find("    Cursor = 5\n"), std::string::npos) << "a program's own cursor";
}

TEST(FormWriter, OnlyComponentsOwnedByTheRootAreWritten) {
  THeadlessScope scope;
  TForm form(nullptr);
  form.SetName("F");
  auto* owned = new TPanel(&form);
  owned->SetName("Owned");
  owned->SetParent(&form);
  TPanel foreign(nullptr);  // another owner's control on the form
  foreign.SetName("Foreign");
  foreign.SetParent(&form);
  auto* loose = new TButton(&form);  // owned, but on no parent
  loose->SetName("Loose");
  auto* sub = new TTicker(owned);  // owned by a component, not the root
  sub->SetName("Sub");
  const std::string text = WriteComponentText(form);
  EXPECT_NE(text.find("object Owned: TPanel"), std::string::npos);
  EXPECT_EQ(text.find("Foreign"), std::string::npos);
  EXPECT_EQ(text.find("Loose"), std::string::npos);
  EXPECT_EQ(text.find("Sub"), std::string::npos);
  foreign.SetParent(nullptr);
}

TEST(FormWriter, UnregisteredClassIsAnError) {
  struct TStray : public TComponent {
    using TComponent::TComponent;
    const char* ClassName() const override { return "TStray"; }
  };
  THeadlessScope scope;
  TForm form(nullptr);
  (new TStray(&form))->SetName("S");
  try {
    WriteComponentText(form);
    FAIL() << "no error";
  } catch (const EPropertyError& e) {
    EXPECT_STREQ(e.what(), "the class TStray of S is not registered");
  }
}

TEST(FormValues, DoublesRoundTripExactlyWithFewDigits) {
  std::mt19937_64 random(12345);
  for (int i = 0; i < 5000; ++i) {
    const uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    const TFormValue text = prop_detail::Encode<double>(v, nullptr);
    const double back = prop_detail::Decode<double>(text, nullptr);
    if (std::isnan(v)) {
      EXPECT_TRUE(std::isnan(back));
      EXPECT_EQ(text.Text, "NaN");
    } else {
      EXPECT_EQ(back, v) << text.Text;
      EXPECT_EQ(std::signbit(back), std::signbit(v)) << text.Text;
    }
  }
  EXPECT_EQ(prop_detail::Encode<double>(-1.2, nullptr).Text, "-1.2");
  EXPECT_EQ(prop_detail::Encode<double>(3.0, nullptr).Text, "3.0");
  EXPECT_EQ(prop_detail::Encode<double>(1e-10, nullptr).Text, "1.0E-10");
  EXPECT_EQ(prop_detail::Encode<double>(-0.0, nullptr).Text, "-0.0");
  EXPECT_EQ(prop_detail::Encode<double>(-INFINITY, nullptr), TFormValue::Ident("-Inf"));
  EXPECT_EQ(prop_detail::Decode<double>(TFormValue::Ident("inf"), nullptr), INFINITY);
}

TEST(FormValues, LongDoublesAndFloatsRoundTripAtTheirOwnPrecision) {
  std::mt19937_64 random(777);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  std::uniform_int_distribution<int> exponent(-4000, 4000);
  for (int i = 0; i < 2000; ++i) {
    const long double v = std::ldexp(static_cast<long double>(mantissa(random)) / 3.0L, exponent(random));
    const TFormValue text = prop_detail::Encode<long double>(v, nullptr);
    EXPECT_EQ(prop_detail::Decode<long double>(text, nullptr), v) << text.Text;
    const float f = static_cast<float>(mantissa(random) * std::ldexp(1.0, exponent(random) % 120));
    EXPECT_EQ(prop_detail::Decode<float>(prop_detail::Encode<float>(f, nullptr), nullptr), f);
  }
}

TEST(FormValues, AnyByteStringSurvivesQuotingAndReading) {
  THeadlessScope scope;
  std::string all;
  for (int c = 0; c < 256; ++c) all += char(c);
  all += "''#'+";
  TGauge g(nullptr);
  g.SetTitle(all);
  const std::string quoted = GetPropertyText(g, "Title");
  EXPECT_EQ(quoted.substr(0, 12), "#0#1#2#3#4#5");
  TGauge h(nullptr);
  SetPropertyText(h, "Title", quoted);
  EXPECT_EQ(h.Title(), all);
  EXPECT_EQ(FormatFormValue(TFormValue::String("")), "''");
  EXPECT_EQ(FormatFormValue(TFormValue::String("a\tb")), "'a'#9'b'");
}

TEST(FormValues, GetPropertyTextFollowsDottedPaths) {
  THeadlessScope scope;
  TGauge g(nullptr);
  g.Marker()->Font()->SetStyle(TFontStyles{TFontStyle::fsItalic, TFontStyle::fsBold});
  EXPECT_EQ(GetPropertyText(g, "Marker.Font.Style"), "[fsBold, fsItalic]") << "set elements in their ordinal order";
  EXPECT_EQ(GetPropertyText(g, "Marker.Color"), "clRed");
  EXPECT_EQ(GetPropertyText(g, "Kind"), "gkBar");
  EXPECT_EQ(GetPropertyText(g, "Vertical"), "False");
  EXPECT_EQ(GetPropertyText(g, "Steps"), "10");
  EXPECT_THROW(GetPropertyText(g, "Marker"), EPropertyError);
  EXPECT_THROW(GetPropertyText(g, "Marker.Colour"), EPropertyError);
  EXPECT_THROW(GetPropertyText(g, "Steps.X"), EPropertyError);
}

}  // namespace
}  // namespace korvo::test

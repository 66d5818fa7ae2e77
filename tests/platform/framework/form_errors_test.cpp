// A bad form description is an EFormError naming the line, the component
// and the property, and leaves no component behind.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <ostream>
#include <string>

#include "form_test_classes.h"
#include "platform/framework/FormReader.h"

namespace korvo::test {
namespace {

struct TErrorCase {
  const char* Label;
  std::string Text;
  int Line;
  const char* Component;
  const char* Property;
  const char* Message;  // the whole message
};

// Wraps the lines of a gauge inside a test form with a panel.
std::string InPanel(const std::string& gauge_lines) {
  return "object F: TTestForm\n"            // 1
         "  object Panel1: TPanel\n"        // 2
         "    object Gauge1: TGauge\n"      // 3
         + gauge_lines +                    // 4...
         "    end\n"
         "  end\n"
         "end\n";
}

// The label as a test name ("unknown property" is unknown_property).
std::string CaseName(const TErrorCase& c) {
  std::string name;
  for (const char ch : std::string(c.Label)) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
  return name;
}

// GoogleTest would print the case as its bytes (pointers included), which
// CTest then takes into the test's name: the name instead.
void PrintTo(const TErrorCase& c, std::ostream* os) { *os << CaseName(c); }

class FormErrorTest : public ::testing::TestWithParam<TErrorCase> {};

TEST_P(FormErrorTest, NamesLineComponentAndProperty) {
  THeadlessScope scope;
  const TErrorCase& c = GetParam();
  TTestForm form(nullptr);
  try {
    ReadComponentText(c.Text, &form);
    FAIL() << "no error for " << c.Label;
  } catch (const EFormError& e) {
    EXPECT_EQ(e.Line(), c.Line);
    EXPECT_EQ(e.Component(), c.Component);
    EXPECT_EQ(e.Property(), c.Property);
    EXPECT_STREQ(e.what(), c.Message);
  }
  // Nothing read survives, and the form is usable again.
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_EQ(form.ControlCount(), 0);
  EXPECT_FALSE(form.IsLoading());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormErrorTest,
    ::testing::Values(
        TErrorCase{"unknown property", InPanel("      PositionX = 3\n"), 4, "Gauge1", "TGauge.PositionX",
                   "line 4: Gauge1: TGauge.PositionX: unknown property"},
        TErrorCase{"unknown dotted property", InPanel("      Marker.Font.Nme = 'x'\n"), 4, "Gauge1",
                   "TGauge.Marker.Font.Nme", "line 4: Gauge1: TGauge.Marker.Font.Nme: unknown property of Marker.Font"},
        TErrorCase{"string for an integer", InPanel("      Position = 'abc'\n"), 4, "Gauge1", "TGauge.Position",
                   "line 4: Gauge1: TGauge.Position: expected an integer, found the string 'abc'"},
        TErrorCase{"float for an integer", InPanel("      Position = 1.5\n"), 4, "Gauge1", "TGauge.Position",
                   "line 4: Gauge1: TGauge.Position: expected an integer, found the number 1.5"},
        TErrorCase{"out of range", InPanel("      Steps = 256\n"), 4, "Gauge1", "TGauge.Steps",
                   "line 4: Gauge1: TGauge.Steps: 256 is out of range (0 .. 255)"},
        TErrorCase{"setter refuses", InPanel("      Marker.Size = -3\n"), 4, "Gauge1", "TGauge.Marker.Size",
                   "line 4: Gauge1: TGauge.Marker.Size: the size must not be negative"},
        TErrorCase{"unknown enumeration name", InPanel("      Kind = gkDial\n"), 4, "Gauge1", "TGauge.Kind",
                   "line 4: Gauge1: TGauge.Kind: 'gkDial' is not a valid TGaugeKind value"},
        TErrorCase{"unknown set element", InPanel("      TitleStyle = [fsBold, fsShadow]\n"), 4, "Gauge1",
                   "TGauge.TitleStyle", "line 4: Gauge1: TGauge.TitleStyle: 'fsShadow' is not a valid TFontStyle value"},
        TErrorCase{"identifier for a boolean", InPanel("      Vertical = Yes\n"), 4, "Gauge1", "TGauge.Vertical",
                   "line 4: Gauge1: TGauge.Vertical: expected True or False, found the name Yes"},
        TErrorCase{"unknown colour", InPanel("      ForeColor = clMauve\n"), 4, "Gauge1", "TGauge.ForeColor",
                   "line 4: Gauge1: TGauge.ForeColor: 'clMauve' is not a colour name"},
        TErrorCase{"float out of range", InPanel("      RangeLow = 1E999\n"), 4, "Gauge1", "TGauge.RangeLow",
                   "line 4: Gauge1: TGauge.RangeLow: 1E999 is out of the range of a double"},
        TErrorCase{"read-only property", InPanel("      Computed = 4\n"), 4, "Gauge1", "TGauge.Computed",
                   "line 4: Gauge1: TGauge.Computed: the property Computed is read-only"},
        TErrorCase{"object set directly", InPanel("      Marker = 3\n"), 4, "Gauge1", "TGauge.Marker",
                   "line 4: Gauge1: TGauge.Marker: Marker is an object: set its properties (Marker.Name = ...)"},
        TErrorCase{"path through a value", InPanel("      Position.Low = 3\n"), 4, "Gauge1", "TGauge.Position.Low",
                   "line 4: Gauge1: TGauge.Position.Low: Position has no properties of its own"},
        TErrorCase{"missing method", InPanel("      OnClick = Button9Click\n"), 4, "Gauge1", "TGauge.OnClick",
                   "line 4: Gauge1: TGauge.OnClick: TTestForm has no method Button9Click"},
        TErrorCase{"incompatible method", InPanel("      OnProgress = Button1Click\n"), 4, "Gauge1",
                   "TGauge.OnProgress",
                   "line 4: Gauge1: TGauge.OnProgress: the method Button1Click does not have the parameters of "
                   "OnProgress"},
        TErrorCase{"event given a string", InPanel("      OnClick = 'Button1Click'\n"), 4, "Gauge1", "TGauge.OnClick",
                   "line 4: Gauge1: TGauge.OnClick: expected the name of a method"},
        TErrorCase{"unknown component reference", InPanel("      Follows = Nobody\n"), 4, "Gauge1", "TGauge.Follows",
                   "line 4: Gauge1: TGauge.Follows: unknown component Nobody"},
        TErrorCase{"reference of the wrong class", InPanel("      Follows = Panel1\n"), 4, "Gauge1", "TGauge.Follows",
                   "line 4: Gauge1: TGauge.Follows: a TPanel cannot be assigned to Follows"},
        TErrorCase{"missing equals sign", InPanel("      Position 3\n"), 4, "Gauge1", "TGauge.Position",
                   "line 4: Gauge1: TGauge.Position: expected '=' after Position, found the number 3"},
        TErrorCase{"missing value", "object F: TTestForm\n  Caption =\n", 3, "F", "TTestForm.Caption",
                   "line 3: F: TTestForm.Caption: the value of Caption is missing"},
        TErrorCase{"unclosed string", InPanel("      Title = 'open\n"), 4, "Gauge1", "TGauge.Title",
                   "line 4: Gauge1: TGauge.Title: the string is not closed on its line"},
        TErrorCase{"bad character code", InPanel("      Title = 'a'#1114112\n"), 4, "Gauge1", "TGauge.Title",
                   "line 4: Gauge1: TGauge.Title: '#1114112' is not a valid character code"},
        TErrorCase{"dangling plus", InPanel("      Title = 'a' +\n    end\n"), 5, "Gauge1", "TGauge.Title",
                   "line 5: Gauge1: TGauge.Title: expected a string after '+', found 'end'"},
        TErrorCase{"integer too large", InPanel("      Total = 99999999999999999999\n"), 4, "Gauge1", "TGauge.Total",
                   "line 4: Gauge1: TGauge.Total: the integer 99999999999999999999 is too large"},
        TErrorCase{"unsupported value", InPanel("      Title = ('a' 'b')\n"), 4, "Gauge1", "TGauge.Title",
                   "line 4: Gauge1: TGauge.Title: values in '(' are not supported"},
        TErrorCase{"stray character", InPanel("      Position = 3;\n"), 4, "Gauge1", "TGauge.Position",
                   "line 4: Gauge1: TGauge.Position: the character ';' is not allowed here"},
        TErrorCase{"missing end",
                   "object F: TTestForm\n  object Panel1: TPanel\n    Caption = 'x'\n  end\n", 5, "F", "",
                   "line 5: F: 'end' missing for the object opened at line 1"},
        TErrorCase{"text after the end", "object F: TTestForm\nend\nend\n", 3, "", "",
                   "line 3: unexpected 'end' after the final 'end'"},
        TErrorCase{"no object", "Caption = 'x'\n", 1, "", "", "line 1: the description must start with 'object'"},
        TErrorCase{"inherited", "inherited F: TTestForm\nend\n", 1, "", "", "line 1: inherited descriptions are not supported"},
        TErrorCase{"unknown class", InPanel("      Position = 1\n    end\n    object Dial1: TDial\n"), 6, "Dial1",
                   "", "line 6: Dial1: unknown class TDial"},
        TErrorCase{"class that cannot be created", "object F: TTestForm\n  object X: TPersistent\n  end\nend\n", 2,
                   "X", "", "line 2: X: the class TPersistent cannot be created"},
        TErrorCase{"duplicate name",
                   "object F: TTestForm\n  object Gauge1: TGauge\n  end\n  object gauge1: TGauge\n  end\nend\n", 4,
                   "gauge1", "", "line 4: gauge1: A component named gauge1 already exists"},
        TErrorCase{"control inside a graphic control",
                   "object F: TTestForm\n  object Bevel1: TBevel\n    object Gauge1: TGauge\n    end\n  end\nend\n", 3,
                   "Gauge1", "", "line 3: Gauge1: a TGauge cannot be placed inside Bevel1"},
        TErrorCase{"root of another class", "object F: TDemoForm\nend\n", 1, "F", "",
                   "line 1: F: the description is of a TDemoForm, not of a TTestForm"},
        TErrorCase{"Loaded refuses", InPanel("      FailOnLoad = True\n"), 3, "Gauge1", "",
                   "line 3: Gauge1: the gauge refused to load"}),
    [](const ::testing::TestParamInfo<TErrorCase>& info) { return CaseName(info.param); });

TEST(FormErrors, MissingFieldComponentIsAnError) {
  THeadlessScope scope;
  TDemoForm form(nullptr);
  try {
    ReadComponentText("object DemoForm: TDemoForm\n  object Gauge1: TGauge\n  end\nend\n", &form);
    FAIL() << "no error";
  } catch (const EFormError& e) {
    EXPECT_STREQ(e.what(), "line 1: DemoForm: the description has no component for the field Gauge2");
  }
  EXPECT_EQ(form.Gauge1, nullptr) << "the field is cleared with the component it held";
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(FormErrors, FieldOfAnotherClassIsAnError) {
  THeadlessScope scope;
  TDemoForm form(nullptr);
  try {
    ReadComponentText(
        "object DemoForm: TDemoForm\n"
        "  object Gauge1: TGauge\n  end\n"
        "  object Gauge2: TGauge\n  end\n"
        "  object Panel1: TPanel\n  end\n"
        "  object Button1: TPanel\n  end\n"
        "  object Bevel1: TBevel\n  end\n"
        "  object Ticker1: TTicker\n  end\n"
        "end\n",
        &form);
    FAIL() << "no error";
  } catch (const EFormError& e) {
    EXPECT_STREQ(e.what(), "line 8: Button1: a TPanel cannot go into the field Button1 (TButton)");
  }
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(FormErrors, ErrorInANewRootDestroysIt) {
  THeadlessScope scope;
  try {
    CreateComponentFromText("object P: TPanel\n  object G: TGauge\n    Kind = gkDial\n  end\nend\n");
    FAIL() << "no error";
  } catch (const EFormError& e) {
    EXPECT_EQ(e.Line(), 3);
  }
  // The gauge's destructor ran: nothing leaked (ASan builds check the rest).
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"~G"}));
  EXPECT_THROW(CreateComponentFromText("object X: TDial\nend\n"), EFormError);
}

TEST(FormErrors, ComponentsReadBeforeTheFaultAreDestroyedChildrenFirst) {
  THeadlessScope scope;
  TTestForm form(nullptr);
  EXPECT_THROW(ReadComponentText("object F: TTestForm\n"
                                 "  object A: TGauge\n  end\n"
                                 "  object P: TPanel\n"
                                 "    object B: TGauge\n    end\n"
                                 "  end\n"
                                 "  object C: TTicker\n    Interval = 'x'\n  end\n"
                                 "end\n",
                                 &form),
               EFormError);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"~C", "~B", "~A"}));
  EXPECT_EQ(form.ComponentCount(), 0);
  // The same form reads a good description afterwards.
  ReadComponentText("object F: TTestForm\n  object A: TGauge\n  end\nend\n", &form);
  EXPECT_EQ(form.ComponentCount(), 1);
}

// A token of a megabyte anywhere gives a message of a few lines: the token
// quoted in part, marked, with its length.
TEST(FormErrors, HugeTokensAreQuotedInPart) {
  THeadlessScope scope;
  const std::string huge(1'000'000, 'x'), digits = "1" + std::string(999'999, '0');
  const std::string texts[] = {
      "object F: TTestForm\n  object X: T" + huge + "\n  end\nend\n",  // unknown class
      InPanel("      P" + huge + " = 3\n"),                              // unknown property
      InPanel("      Kind = gk" + huge + "\n"),                          // enumeration name
      InPanel("      ForeColor = cl" + huge + "\n"),                     // colour name
      InPanel("      Vertical = " + huge + "\n"),                        // boolean
      InPanel("      RangeLow = " + digits + "E999\n"),                  // number out of range
      InPanel("      Steps = " + digits + "x\n"),                        // not a number
      InPanel("      Title = #" + digits + "\n"),                        // character code
  };
  for (const std::string& text : texts) {
    TTestForm form(nullptr);
    try {
      ReadComponentText(text, &form);
      ADD_FAILURE() << "no error for " << text.substr(0, 80);
    } catch (const EFormError& e) {
      const std::string message = e.what();
      EXPECT_LT(message.size(), 300u) << message.substr(0, 300);
      EXPECT_NE(message.find(" (100000"), std::string::npos) << message.substr(0, 300);
    }
  }
}

TEST(FormErrors, HostileInputNeverCrashes) {
  THeadlessScope scope;
  // Deep nesting, binary bytes and truncated texts end in errors.
  std::string deep;
  for (int i = 0; i < 200; ++i) deep += "object P" + std::to_string(i) + ": TPanel\n";
  EXPECT_THROW(CreateComponentFromText(deep), EFormError);
  std::string binary = "object P: TPanel\n  ";
  binary += '\0';
  binary += "Caption = 'x'\nend\n";
  EXPECT_THROW(CreateComponentFromText(binary), EFormError);
  const std::string good = "object P: TPanel\n  Caption = 'abc' + 'def'\n  Color = clRed\nend\n";
  for (size_t cut = 0; cut + 1 < good.size(); ++cut) {
    EXPECT_THROW(CreateComponentFromText(good.substr(0, cut)), EFormError) << "cut at " << cut;
  }
  EXPECT_NO_THROW(CreateComponentFromText(good));
}

}  // namespace
}  // namespace korvo::test

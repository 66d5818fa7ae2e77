// The chart's published properties and events: their order, the setter
// rules, reading a chart from a form description, and writing it back so
// that reading gives an equal chart.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "chart/plotwell.h"
#include "chart_test_support.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/FormWriter.h"
#include "platform/framework/Menus.h"
#include "platform/framework/Properties.h"
#include "platform/framework/StdCtrls.h"
#include "scale/Scale.h"

namespace korvo {
namespace {

using test::CountingChart;

std::vector<std::string> PublishedNames(const TClassInfo& cls) {
  std::vector<std::string> names;
  for (const TPropInfo* p : cls.Properties()) names.push_back(p->Name());
  return names;
}

TEST(Properties, PublishedInTheirOrderAfterTheInheritedOnes) {
  const std::vector<std::string> expected = {
      // Inherited from the framework's component and control.
      "Name", "Tag", "Left", "Top", "Width", "Height", "Cursor", "Hint",
      // The properties.
      "Font", "Align", "AvoidDuplicateMarks", "Visible", "ShowHint", "PopupMenu", "Anchors", "Constraints",
      "DragKind", "DragCursor", "DragMode", "AllocSize", "AutoRedraw", "MarginLeft", "MarginRight", "MarginTop",
      "MarginBottom", "MinDupMarkDist", "LRim", "RRim", "TRim", "BRim", "BackGroundImg", "ClassDefault",
      "GridStyle", "GridDx", "GridDy", "Isometric", "DataColor", "PenStyle", "ChartFrameColor", "FillColor",
      "ChartColor", "WindColor", "GridColor", "JointLayers", "LineWidth", "Caption", "CaptionPosX", "CaptionPosY",
      "CaptionAlignment", "CaptionAnchorHoriz", "CaptionAnchorVert", "CaptionTrim", "MouseTraceColor",
      "MouseTraceInvert", "CrossHair1", "CrossHair2", "CrossHair3", "CrossHair4", "MouseAction",
      "MouseCursorFixed", "PanGridDx", "PanGridDy", "PanGridOffsX", "PanGridOffsY", "Scale1X", "Scale1Y",
      "Scale2X", "Scale2Y", "Scale3X", "Scale3Y", "Scale4X", "Scale4Y", "StandardLayout", "ShadowWidth",
      "ShadowStyle", "ShadowColor", "ShadowBakColor", "UseDataOf", "TextFont", "TextFontStyle", "TextBkStyle",
      "TextBkColor", "TextAlignment", "WheelAndKeyNavigation",
      // The events.
      "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnMouseMove", "OnMouseDown", "OnMouseUp",
      "OnKeyDown", "OnKeyUp", "OnKeyPress", "OnMouseMoveInChart", "OnMouseEnter", "OnMouseLeave", "OnMouseWheel",
      "OnMouseWheelUp", "OnMouseWheelDown", "OnRubberBand", "OnSelectRect", "OnZoomPan", "OnScaleTickDrawn",
      "OnBeforeCrossHairMove", "OnBeforeTickLabel", "OnBeforeRenderData", "OnBeforeRenderChartItem",
      "OnBeforeRenderText", "OnDataRendered", "OnScalesRendered", "OnStartDrag", "OnCrossHairMove",
      "OnTextLabelMove", "OnCanResize", "OnResize"};
  const TClassInfo& cls = RegisterClass<TPlotwell>();
  EXPECT_EQ(PublishedNames(cls), expected);
  EXPECT_EQ(FindClass("TPlotwell"), &cls);
  EXPECT_TRUE(cls.CanCreate());
  EXPECT_TRUE(cls.InheritsFrom(TCustomPlotwell::ClassInfo()));
  EXPECT_EQ(cls.FindProperty("UseDataOf")->Kind(), TPropKind::pkComponent);
  EXPECT_EQ(cls.FindProperty("Scale4Y")->Kind(), TPropKind::pkObject);
}

TEST(Properties, SetterRules) {
  CountingChart c;
  c.SetClassDefault(254);
  c.SetClassDefault(255);  // ignored
  EXPECT_EQ(c.ClassDefault(), 254);
  for (auto [given, stored] : {std::pair{3, 5}, {200, 100}, {0, 0}, {-4, 5}}) {
    c.SetCaptionTrim(given);
    EXPECT_EQ(c.CaptionTrim(), stored) << given;
  }
  c.paints = 0;
  c.SetMinDupMarkDist(0);  // differs from 1, stored as 1
  EXPECT_EQ(c.MinDupMarkDist(), 1);
  c.SetMinDupMarkDist(7);
  EXPECT_EQ(c.MinDupMarkDist(), 3);
  c.SetMinDupMarkDist(3);
  EXPECT_EQ(c.paints, 2) << "the current value again does not repaint";
  c.SetGridDx(-3);
  c.SetGridDx(-3.5);
  EXPECT_EQ(c.GridDx(), -3.0);
  // TextBkColor is FillColor, and so the fill colour of later items.
  c.SetTextBkColor(clTeal);
  c.DrawTo(1.0, 1.0);
  EXPECT_EQ(c.DataItems()[0].FillColor, clTeal);
  // TextFontStyle is the style of TextFont.
  c.SetTextFontStyle(TFontStyles{TFontStyle::fsBold});
  EXPECT_EQ(c.TextFont()->Style(), TFontStyles{TFontStyle::fsBold});
  // Settings for future items do not repaint; the scale objects repaint
  // only in design mode.
  c.paints = 0;
  c.SetDataColor(clRed);
  c.SetLineWidth(2);
  TScalePropsHoriz x;
  c.SetScale3X(x);
  EXPECT_EQ(c.paints, 0);
  c.SetDesigning(true);
  c.SetScale3X(x);
  EXPECT_EQ(c.paints, 1);
}

// ---- reading --------------------------------------------------------------------

TEST(FormReading, SettingsGoThroughTheSettersThenLoaded) {
  RegisterClass<TPlotwell>();
  const std::string text =
      "\xEF\xBB\xBF"
      "object Plotwell1: TPlotwell\n"
      "  Width = 400\n"
      "  Height = 300\n"
      "  Font.Name = 'DejaVu Serif'\n"
      "  StandardLayout = pwl_X2Both_Y2Both\n"
      "  MarginLeft = 80\n"
      "  LRim = 90\n"
      "  RRim = 11\n"
      "  MarginRight = 12\n"
      "  BackGroundImg.FillMode = bfTile\n"
      "  CaptionTrim = 2\n"
      "  JointLayers.L03xControlledBy = 1\n"
      "  CrossHair1.Mode = chBoth\n"
      "  Scale1X.RangeLow = -2.5\n"
      "  Scale1X.RangeHigh = 7.5\n"
      "  Scale2Y.Logarithmic = True\n"
      "  Scale2Y.RangeLow = 1\n"
      "  Scale2Y.RangeHigh = 100\n"
      "  TextFontStyle = []\n"
      "  TextFont.Style = [fsBold]\n"
      "  TextBkColor = clRed\n"
      "end\n";
  std::unique_ptr<TComponent> root = CreateComponentFromText(text);
  auto* c = dynamic_cast<TPlotwell*>(root.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Font()->Name(), "DejaVu Serif");
  EXPECT_EQ(c->MarginLeft(), 90) << "the later spelling wins";
  EXPECT_EQ(c->MarginRight(), 12);
  EXPECT_EQ(c->BackGroundImg()->FillMode(), TBkgFill::bfTile);
  EXPECT_EQ(c->CaptionTrim(), 5);
  EXPECT_EQ(c->JointLayers()->XControlledBy(3), 1);
  EXPECT_EQ(c->XProps(3)->RangeHigh(), 7.5) << "layer 3 follows layer 1";
  EXPECT_EQ(c->CrossHair1()->Mode(), TCrossHMode::chBoth);
  // Accepted while loading, before the range that allows it.
  EXPECT_TRUE(c->Scale2Y()->Logarithmic());
  EXPECT_EQ(c->TextFontStyle(), TFontStyles{TFontStyle::fsBold});
  EXPECT_EQ(c->FillColor(), clRed);
  // The layout was applied through its setter, not stored; the margins read
  // after it win.
  EXPECT_EQ(c->StandardLayout(), TpwLayout::pwl_X1Bottom_Y1Left);
  EXPECT_EQ(c->MarginTop(), 64);
  EXPECT_TRUE(c->Scale2X()->Visible());
  // Loaded ran: the scales are in step and the scale objects check again.
  EXPECT_EQ(c->XScale(1)->RangeLow(), -2.5);
  EXPECT_EQ(c->YScale(2)->ScaleType(), TScaleType::sctYL) << "the layout's right scale";
  EXPECT_FALSE(c->Scale1X()->Loading());
  int32_t px, py;
  c->WorldToPixel(1, 7.5, 0, px, py);
  EXPECT_EQ(px, 400 - 12);
}

TEST(FormReading, AFaultNamesTheLineAndTheProperty) {
  RegisterClass<TPlotwell>();
  try {
    CreateComponentFromText("object Plotwell1: TPlotwell\n  Scale1X.RangeLow = 'low'\nend\n");
    FAIL() << "no error";
  } catch (const EFormError& e) {
    EXPECT_EQ(e.Line(), 2);
    EXPECT_EQ(e.Component(), "Plotwell1");
    EXPECT_EQ(e.Property(), "TPlotwell.Scale1X.RangeLow");
  }
  // A logarithmic axis accepted while loading without a positive range is
  // refused when Loaded builds the transforms.
  try {
    CreateComponentFromText("object Plotwell1: TPlotwell\n  Scale3Y.Logarithmic = True\nend\n");
    FAIL() << "no error";
  } catch (const EFormError& e) {
    EXPECT_EQ(e.Line(), 1);
    EXPECT_EQ(e.Reason(), "Logarithmic axis must not be negative.");
  }
}

// The transforms are built once the chart is loaded, so the line is the
// object's; the report adds which of the scale objects is at fault and the
// range it holds, the chart's own message kept as it is.
TEST(FormReading, ALogarithmicAxisOverANonPositiveRangeIsNamed) {
  RegisterClass<TPlotwell>();
  const auto fault = [](const std::string& lines) -> std::string {
    try {
      CreateComponentFromText("object C: TPlotwell\n" + lines + "end\n");
    } catch (const EFormError& e) {
      EXPECT_EQ(e.Line(), 1);
      EXPECT_EQ(e.Reason(), "Logarithmic axis must not be negative.");
      return e.what();
    }
    return "(read without an error)";
  };
  EXPECT_EQ(fault("  Scale1X.RangeLow = -5\n  Scale1X.RangeHigh = 10\n  Scale1X.Logarithmic = True\n"),
            "line 1: C: TPlotwell.Scale1X: Logarithmic axis must not be negative. (RangeLow -5, RangeHigh 10)");
  // Once logarithmic, the setter ignores a low end of 1E-300 and keeps 0.
  EXPECT_EQ(fault("  Scale3Y.RangeLow = 0.5\n  Scale4Y.Logarithmic = True\n  Scale4Y.RangeHigh = 8\n"
                  "  Scale4Y.RangeLow = 1E-300\n"),
            "line 1: C: TPlotwell.Scale4Y: Logarithmic axis must not be negative. (RangeLow 0, RangeHigh 8)");
}

// ---- writing --------------------------------------------------------------------

// The top-level lines of a description ("MarginRight = 20"), by name.
std::map<std::string, std::string> TopLevelLines(const std::string& text) {
  std::map<std::string, std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.rfind("  ", 0) != 0 || line.size() < 3 || line[2] == ' ') continue;
    const size_t eq = line.find(" = ");
    if (eq == std::string::npos) continue;
    lines[line.substr(2, eq - 2)] = line.substr(eq + 3);
  }
  return lines;
}

TEST(FormWriting, LeavesOutExactlyTheRecordedDefaults) {
  TPlotwell c(nullptr);
  c.SetName("Plotwell1");
  const std::string text = WriteComponentText(c);
  const auto lines = TopLevelLines(text);
  for (const char* left : {"Align", "Visible", "Anchors", "DragKind", "DragCursor", "DragMode", "MarginLeft",
                           "LRim", "DataColor", "PenStyle", "ChartFrameColor", "FillColor", "TextBkColor",
                           "ChartColor", "WindColor", "GridColor", "LineWidth", "ShadowWidth", "StandardLayout"}) {
    EXPECT_EQ(lines.count(left), 0u) << left << "\n" << text;
  }
  // Everything else is written, whatever it holds.
  const std::map<std::string, std::string> written = {
      {"AvoidDuplicateMarks", "False"}, {"AllocSize", "1000"}, {"MarginRight", "20"}, {"MarginTop", "20"},
      {"MarginBottom", "40"},           {"RRim", "20"},        {"Caption", "''"},     {"CaptionPosY", "-16"},
      {"MouseTraceColor", "clWhite"},   {"ShadowColor", "clGrayText"},              {"TextFontStyle", "[]"}};
  for (const auto& [name, value] : written) {
    auto it = lines.find(name);
    ASSERT_NE(it, lines.end()) << name << "\n" << text;
    EXPECT_EQ(it->second, value) << name;
  }
  // A chart set to the recorded defaults writes them, except MarginLeft
  // (also a new chart's value); the others would read back as 20, 20, 40.
  c.SetMarginRight(10);
  c.SetMarginBottom(32);
  const auto again = TopLevelLines(WriteComponentText(c));
  EXPECT_EQ(again.at("MarginRight"), "10");
  EXPECT_EQ(again.at("RRim"), "10");
  EXPECT_EQ(again.at("MarginBottom"), "32");
  EXPECT_EQ(again.count("MarginLeft"), 0u);
}

// Font and ShowHint are always written, also by a chart on a form whose
// font and hint setting it follows (ParentFont, ParentShowHint), and read
// back to the same description.
TEST(FormWriting, FontAndShowHintAreAlwaysWritten) {
  RegisterClasses<TPlotwell, TForm>();
  TForm form(nullptr);
  form.SetName("Form1");
  auto* chart = new TPlotwell(&form);
  chart->SetName("Plotwell1");
  chart->SetParent(&form);
  ASSERT_TRUE(chart->ParentFont());
  ASSERT_TRUE(chart->ParentShowHint());
  const std::string text = WriteComponentText(form);
  EXPECT_NE(text.find("\n    ShowHint = False\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n    Font.Name = "), std::string::npos) << text;
  const std::unique_ptr<TComponent> back = CreateComponentFromText(text);
  EXPECT_EQ(WriteComponentText(*back), text);
}

// A form for the round trip: a popup menu, two charts (the second showing
// the first one's data) and handlers for their events.
class TChartForm : public TForm {
 public:
  explicit TChartForm(TComponent* owner) : TForm(owner) {}
  const char* ClassName() const override { return "TChartForm"; }
  static const TClassInfo& ClassInfo() {
    static const TClassInfo& info = DefineClass<TChartForm, TForm>("TChartForm")
                                        .Method("ChartZoomPan", &TChartForm::ChartZoomPan)
                                        .Method("ChartMoveInChart", &TChartForm::ChartMoveInChart)
                                        .Method("ChartClick", &TChartForm::ChartClick)
                                        .Register();
    return info;
  }
  void ChartZoomPan(TObject*) { ++ZoomPans; }
  void ChartMoveInChart(TObject*, bool, TShiftState, double, double) {}
  void ChartClick(TObject*) {}
  int ZoomPans = 0;
};

// Every published value of an object, sub-objects included, by path: what
// "equal" means for two charts read and written.
void CollectValues(const TObject& obj, const TClassInfo& cls, const std::string& prefix,
                   std::map<std::string, std::string>& out) {
  for (const TPropInfo* p : cls.Properties()) {
    const std::string path = prefix + p->Name();
    switch (p->Kind()) {
      case TPropKind::pkObject: {
        TPersistent* sub = p->Object(const_cast<TObject&>(obj));
        if (sub != nullptr) CollectValues(*sub, *SubObjectClassInfo(*p, *sub), path + ".", out);
        break;
      }
      case TPropKind::pkEvent:
        out[path] = p->BoundMethod(obj);
        break;
      case TPropKind::pkComponent: {
        const TComponent* ref = p->Reference(obj);
        out[path] = ref != nullptr ? ref->Name() : "nil";
        break;
      }
      default:
        out[path] = FormatFormValue(p->Get(obj));
    }
  }
}

std::map<std::string, std::string> Values(const TComponent& c) {
  std::map<std::string, std::string> out;
  CollectValues(c, *ObjectClassInfo(c), "", out);
  return out;
}

// A property left out of a description while it holds its default must hold
// that default in a new object; otherwise a value set back to the default is
// not written and reads back as the new object's value.
void CollectNewValuesThatAreNotTheDefault(TObject& obj, const TClassInfo& cls, const std::string& prefix,
                                          std::vector<std::string>& out) {
  for (const TPropInfo* p : cls.Properties()) {
    if (p->Kind() == TPropKind::pkObject) {
      TPersistent* sub = p->Object(obj);
      const TClassInfo* sub_class = sub == nullptr ? nullptr : SubObjectClassInfo(*p, *sub);
      if (sub_class != nullptr) CollectNewValuesThatAreNotTheDefault(*sub, *sub_class, prefix + p->Name() + ".", out);
    } else if (p->LeftOutAtDefault() && !p->IsDefault(obj)) {
      out.push_back(prefix + p->Name() + " = " + FormatFormValue(p->Get(obj)));
    }
  }
}

TEST(FormWriting, WhatIsLeftOutAtItsDefaultIsWhatANewChartOrScaleHolds) {
  TPlotwell chart(nullptr);
  TScale scale(nullptr);
  std::vector<std::string> wrong;
  CollectNewValuesThatAreNotTheDefault(chart, TPlotwell::ClassInfo(), "", wrong);
  CollectNewValuesThatAreNotTheDefault(scale, TScale::ClassInfo(), "", wrong);
  std::string list;
  for (const std::string& w : wrong) list += w + "\n";
  EXPECT_TRUE(wrong.empty()) << list;
}

TEST(FormWriting, ARoundTripGivesAnEqualChart) {
  test::HeadlessScope scope;
  RegisterClasses<TPlotwell, TChartForm>();
  TChartForm form(nullptr);
  form.SetName("ChartForm1");
  auto* menu = new TPopupMenu(&form);
  menu->SetName("Menu1");
  auto* a = new TPlotwell(&form);
  a->SetName("Plotwell1");
  a->SetParent(&form);
  auto* b = new TPlotwell(&form);
  b->SetName("Plotwell2");
  b->SetParent(&form);
  b->SetUseDataOf(a);

  a->SetBounds(12, 14, 420, 330);
  a->Font()->SetName("DejaVu Serif");
  a->SetShowHint(true);
  a->SetPopupMenu(menu);
  a->SetAnchors(TAnchors{TAnchorKind::akLeft, TAnchorKind::akBottom});
  a->Constraints()->SetMinWidth(200);
  a->SetDragCursor(crHandPoint);
  a->SetAvoidDuplicateMarks(true);
  a->SetAllocSize(5000);
  a->SetAutoRedraw(false);
  a->SetMarginLeft(60);
  a->SetMarginRight(10);  // a recorded default that a new chart does not have
  a->SetMarginTop(16);
  a->SetMinDupMarkDist(2);
  a->BackGroundImg()->SetAreaMode(TBGAreaMode::bamHStripe);
  a->BackGroundImg()->SetAreaTop(0.25);
  a->SetClassDefault(17);
  a->SetGridDx(0.1);
  a->SetDataColor(clNavy);
  a->SetPenStyle(TPenStyle::psDashDot);
  a->SetFillColor(TColor(0x123456));
  a->SetWindColor(clWhite);
  a->JointLayers()->SetXControlledBy(3, 1);
  a->SetLineWidth(4);
  a->SetCaption("It's a 'chart'");
  a->SetCaptionAnchorVert(TCaptionAnchorVert::cavChartBottom);
  a->SetCaptionTrim(60);
  a->SetMouseTraceInvert(false);
  a->CrossHair1()->SetMode(TCrossHMode::chCrossBox);
  a->CrossHair2()->SetPosX(0.3);
  a->SetMouseAction(TMouseActMode::maZoomWind);
  a->SetPanGridOffsY(-0.2);
  a->Scale1X()->SetRangeLow(-1.5);
  a->Scale1X()->SetRangeHigh(1e-3);
  a->Scale1X()->SetLabelType(TFigType::ftTime);  // DecPlaces 4, as ftTime sets it
  a->Scale1X()->SetDecPlaces(2);  // written before LabelType, read back all the same
  a->Scale1Y()->SetMinRange(0.001);
  a->Scale1Y()->Font()->SetSize(12);
  a->Scale2Y()->SetRangeLow(1);
  a->Scale2Y()->SetRangeHigh(1000);
  a->Scale2Y()->SetLogarithmic(true);
  a->Scale2Y()->SetScaleLocation(TScaleLocationVert::slRight);
  a->Scale2Y()->SetScalePos(12);
  a->Scale4X()->SetScaleLocation(TScaleLocationHoriz::slTop);
  a->Scale4Y()->DateFormat()->SetDateSeparator('/');
  a->SetShadowWidth(6);
  a->SetShadowStyle(TShadowStyle::ssBox);
  a->TextFont()->SetName("DejaVu Sans Mono");
  a->SetTextFontStyle(TFontStyles{TFontStyle::fsItalic});
  a->SetTextAlignment(TAlignment::taRightJustify);
  // Handlers bound to the form's methods are written by name; one set by
  // code is not.
  a->OnMouseMoveInChart = TMethodThunk<void(TObject*, bool, TShiftState, double, double)>{
      "ChartMoveInChart", [&form](TObject* s, bool in, TShiftState sh, double x, double y) {
        form.ChartMoveInChart(s, in, sh, x, y);
      }};
  a->OnZoomPan = TMethodThunk<void(TObject*)>{"ChartZoomPan", [&form](TObject* s) { form.ChartZoomPan(s); }};
  a->OnClick = TMethodThunk<void(TObject*)>{"ChartClick", [&form](TObject* s) { form.ChartClick(s); }};
  b->OnSelectRect = [](TObject*, int, double, double, double, double) {};

  const std::string text = WriteComponentText(form);
  EXPECT_EQ(text.find("StandardLayout"), std::string::npos);
  EXPECT_NE(text.find("    UseDataOf = Plotwell1\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("OnSelectRect"), std::string::npos);
  std::unique_ptr<TComponent> copy = CreateComponentFromText(text);
  auto* copyForm = dynamic_cast<TChartForm*>(copy.get());
  ASSERT_NE(copyForm, nullptr);
  auto* a2 = dynamic_cast<TPlotwell*>(copyForm->FindComponent("Plotwell1"));
  auto* b2 = dynamic_cast<TPlotwell*>(copyForm->FindComponent("Plotwell2"));
  ASSERT_NE(a2, nullptr);
  ASSERT_NE(b2, nullptr);

  // Property by property, sub-objects and references included.
  const auto expected = Values(*a);
  const auto actual = Values(*a2);
  EXPECT_GT(expected.size(), 400u);
  for (const auto& [path, value] : expected) {
    auto it = actual.find(path);
    ASSERT_NE(it, actual.end()) << path;
    EXPECT_EQ(it->second, value) << path;
  }
  EXPECT_EQ(Values(*b), Values(*b2));
  // And by a second write.
  EXPECT_EQ(WriteComponentText(*copyForm), text);

  // What the values stand for holds as well.
  EXPECT_EQ(b2->UseDataOf(), a2);
  EXPECT_EQ(a2->Sharer(0), b2);
  EXPECT_EQ(a2->PopupMenu(), copyForm->FindComponent("Menu1"));
  EXPECT_EQ(a2->MarginRight(), 10);
  EXPECT_EQ(a2->Scale1X()->DecPlaces(), 2);
  EXPECT_EQ(a2->XScale(1)->DecPlaces(), 4) << "an ftTime scale draws 4 decimals";
  a2->Scale1X()->SetLabelType(TFigType::ftTime);
  EXPECT_EQ(a2->Scale1X()->DecPlaces(), 4) << "outside reading, ftTime still sets 4";
  EXPECT_TRUE(a2->YScale(2)->Logarithmic());
  EXPECT_EQ(a2->YScale(2)->ScaleType(), TScaleType::sctYL);
  EXPECT_EQ(a2->JointLayers()->XControlledBy(3), 1);
  EXPECT_EQ(a2->XProps(3)->RangeLow(), -1.5) << "the joined layer follows its controller";
  ASSERT_TRUE(a2->OnZoomPan);
  a2->OnZoomPan(a2);
  EXPECT_EQ(copyForm->ZoomPans, 1);
  EXPECT_EQ(form.ZoomPans, 0);
}

}  // namespace
}  // namespace korvo

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "base/korvobase.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/FormWriter.h"
#include "platform/framework/Properties.h"
#include "platform/graphics/Bitmap.h"
#include "scale/Scale.h"

namespace korvo {
namespace {

// A scale whose paints are counted (through OnBeforeScaleRendered) and that
// draws into a bitmap of its own size.
struct CountedScale {
  CountedScale() : target(400, 400) {
    scale.SetExternalCanvas(target.Canvas(), 0, 0);
    scale.OnBeforeScaleRendered = [this](TObject*, TCanvas*) { ++paints; };
  }
  TScale scale{nullptr};
  TBitmap target;
  int paints = 0;
};

TEST(ScaleControl, DefaultsFollowThePublishedTable) {
  TScale s(nullptr);
  EXPECT_EQ(s.Width(), 400);
  EXPECT_EQ(s.Height(), 400);
  EXPECT_EQ(s.Caption(), "");
  EXPECT_EQ(s.CaptionPosX(), 4);
  EXPECT_EQ(s.CaptionPosY(), 4);
  EXPECT_EQ(s.CaptionAlignment(), TAlignment::taCenter);
  EXPECT_EQ(s.CaptionAnchor(), TScaleUnitAnchor::uaSclTopLft);
  EXPECT_EQ(s.ColorBackGnd(), clBtnFace);
  EXPECT_EQ(s.ColorScale(), clBlack);
  EXPECT_EQ(s.ColorScheme(), TColorScheme::csBWG);
  EXPECT_EQ(s.DecPlaces(), -2);
  EXPECT_EQ(s.FrameStyle(), TFrameStyle::fsLowered);
  EXPECT_EQ(s.LabelType(), TFigType::ftNum);
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_EQ(s.MarginTop(), 20);
  EXPECT_EQ(s.MarginBottom(), 20);
  EXPECT_EQ(s.MarginLeft(), 20);
  EXPECT_EQ(s.MarginRight(), 20);
  EXPECT_EQ(s.MinTicks(), 3);
  EXPECT_EQ(s.MouseAction(), TMouseActMode::maNone);
  EXPECT_EQ(s.NumTicks(), 0);
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 100);
  EXPECT_TRUE(s.ShortTicks());
  EXPECT_TRUE(s.ShowBaseLine());
  EXPECT_EQ(s.ScaleInscript(), "");
  EXPECT_EQ(s.ScaleType(), TScaleType::sctXB);
  EXPECT_FALSE(s.Transparent());
  EXPECT_EQ(s.UserTickText(), "");
  EXPECT_EQ(s.FrameDarkColor(), clBlack);
  EXPECT_EQ(s.FrameShadowColor(), RGB(128, 128, 128));
  EXPECT_EQ(s.FrameHighlightColor(), clWhite);
  EXPECT_TRUE(s.SuppressPaint());
  EXPECT_TRUE(s.NotYetLoaded());
  EXPECT_FALSE(s.Embedded());
  EXPECT_EQ(s.ExternalCanvas(), nullptr);
  // The date format's defaults.
  EXPECT_EQ(s.DateFormat()->DateSeparator(), '-');
  EXPECT_EQ(s.DateFormat()->DateOrder(), TDateOrder::doDDMMYY);
  // The transform of 0 .. 100 on 359 pixels from x = 20.
  EXPECT_DOUBLE_EQ(s.PixelFactor(), 3.59);
  EXPECT_DOUBLE_EQ(s.PixelOffset(), 20);
  EXPECT_EQ(s.ValueToPixel(100), 379);
  EXPECT_EQ(s.TickPos(1), 0.0);
}

TEST(ScaleControl, SettersLimitTheirValues) {
  TScale s(nullptr);
  s.SetMinTicks(1);
  EXPECT_EQ(s.MinTicks(), 2);
  s.SetMinTicks(50);
  EXPECT_EQ(s.MinTicks(), 10);
  s.SetMinTicks(0);
  EXPECT_EQ(s.MinTicks(), 0);
  s.SetMinTicks(-4);
  EXPECT_EQ(s.MinTicks(), 2);
  s.SetDecPlaces(-7);
  EXPECT_EQ(s.DecPlaces(), -3);
  s.SetDecPlaces(20);
  EXPECT_EQ(s.DecPlaces(), 12);
  s.SetMarginLeft(-5);
  EXPECT_EQ(s.MarginLeft(), 0);
  s.SetMarginTop(-1);
  EXPECT_EQ(s.MarginTop(), 0);
}

TEST(ScaleControl, EqualRangeEndsAreNeverStored) {
  TScale s(nullptr);
  s.SetRangeHigh(0);  // the current RangeLow
  EXPECT_EQ(s.RangeLow(), 1);
  EXPECT_EQ(s.RangeHigh(), 0);
  s.SetRangeLow(0);
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 1);
  s.SetRange(5, 5);
  EXPECT_EQ(s.RangeLow(), 5);
  EXPECT_EQ(s.RangeHigh(), 6);
  // Where one unit is lost in rounding the other end moves to the next
  // double; at the top of the range, to the one below.
  s.SetRange(1e300, 1e300);
  EXPECT_GT(s.RangeHigh(), s.RangeLow());
  s.SetRangeLow(s.RangeHigh());
  EXPECT_NE(s.RangeLow(), s.RangeHigh());
  s.SetRange(std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
  EXPECT_LT(s.RangeHigh(), s.RangeLow());
}

TEST(ScaleControl, NonFiniteRangeValuesAreIgnored) {
  TScale s(nullptr);
  s.SetRangeLow(std::numeric_limits<double>::quiet_NaN());
  s.SetRangeHigh(std::numeric_limits<double>::infinity());
  s.SetRange(0, -std::numeric_limits<double>::infinity());
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 100);
}

TEST(ScaleControl, LabelTypeAdjustsDecimalsAndTheLogarithmicFlag) {
  TScale s(nullptr);
  s.SetLabelType(TFigType::ftTime);
  EXPECT_EQ(s.DecPlaces(), 4);
  s.SetRange(1, 1000);
  s.SetLogarithmic(true);
  ASSERT_TRUE(s.Logarithmic());
  s.SetLabelType(TFigType::ftDateTime);
  EXPECT_FALSE(s.Logarithmic());
  // A date/time scale never becomes logarithmic, loaded or not.
  s.SetLogarithmic(true);
  EXPECT_FALSE(s.Logarithmic());
}

TEST(ScaleControl, LogarithmicNeedsAPositiveRangeOnceLoaded) {
  RegisterClass<TScale>();
  auto loaded = CreateComponentFromText("object S: TScale\nend\n");
  auto* s = dynamic_cast<TScale*>(loaded.get());
  ASSERT_NE(s, nullptr);
  EXPECT_FALSE(s->NotYetLoaded());
  s->SetLogarithmic(true);  // RangeLow is 0
  EXPECT_FALSE(s->Logarithmic());
  s->SetRange(1, 1000);
  s->SetLogarithmic(true);
  EXPECT_TRUE(s->Logarithmic());
  EXPECT_NEAR(s->PixelFactor(), 359 / std::log(1000.0), 1e-12);
  s->SetLogarithmic(false);
  EXPECT_FALSE(s->Logarithmic());
  // A scale created at run time is never loaded and takes it anyway.
  TScale fresh(nullptr);
  fresh.SetLogarithmic(true);
  EXPECT_TRUE(fresh.Logarithmic());
}

TEST(ScaleControl, ColorSchemeSetsTheTwoFrameColours) {
  TScale s(nullptr);
  s.SetColorScheme(TColorScheme::csSystem);
  EXPECT_EQ(s.FrameShadowColor(), clBtnShadow);
  EXPECT_EQ(s.FrameHighlightColor(), clBtnHighlight);
  EXPECT_EQ(s.FrameDarkColor(), clBlack);
  EXPECT_EQ(s.ColorScale(), clBlack);
  s.SetColorScheme(TColorScheme::csBWG);
  EXPECT_EQ(s.FrameShadowColor(), RGB(128, 128, 128));
  EXPECT_EQ(s.FrameHighlightColor(), clWhite);
}

TEST(ScaleControl, OpaqueScalesPaintAtOnceOnEveryChange) {
  CountedScale c;
  c.scale.SetRangeHigh(50);
  EXPECT_EQ(c.paints, 0);  // painting is suppressed until the window exists
  c.scale.SetSuppressPaint(false);
  EXPECT_EQ(c.paints, 1);
  c.scale.SetSuppressPaint(false);  // unchanged: nothing
  EXPECT_EQ(c.paints, 1);
  c.scale.SetRangeHigh(60);
  c.scale.SetCaption("x");
  c.scale.DateFormat()->SetDateOrder(TDateOrder::doYYMMDD);
  TDTLabel format;
  format.SetYearLength(TYearLength::ylYY);
  c.scale.SetDateFormat(format);
  EXPECT_EQ(c.scale.DateFormat()->YearLength(), TYearLength::ylYY);
  EXPECT_EQ(c.paints, 5);
  // Setters that compare do nothing for an unchanged value.
  c.scale.SetColorScale(clBlack);
  c.scale.SetShortTicks(true);
  c.scale.SetFrameStyle(TFrameStyle::fsLowered);
  EXPECT_EQ(c.paints, 5);
  c.scale.SetSuppressPaint(true);
  c.scale.SetRangeHigh(70);
  EXPECT_EQ(c.paints, 5);
  c.scale.ForcePaint();
  EXPECT_EQ(c.paints, 6);
  EXPECT_TRUE(c.scale.SuppressPaint());
}

TEST(ScaleControl, TransparentStandAloneScalesInvalidateInsteadOfPainting) {
  CountedScale c;
  c.scale.SetTransparent(true);
  c.scale.SetExternalCanvas(nullptr, 0, 0);
  c.scale.HandleNeeded();
  EXPECT_FALSE(c.scale.SuppressPaint());
  c.scale.Update();  // the window's first paint
  const int before = c.paints;
  c.scale.SetRangeHigh(50);
  EXPECT_EQ(c.paints, before);
  EXPECT_TRUE(c.scale.PaintPending());
  c.scale.Update();
  EXPECT_EQ(c.paints, before + 1);
  // Embedded in a chart, it paints at once.
  c.scale.SetEmbedded(true);
  EXPECT_EQ(c.paints, before + 2);
  c.scale.SetRangeHigh(40);
  EXPECT_EQ(c.paints, before + 3);
}

TEST(ScaleControl, NothingIsPaintedWhileInvisible) {
  CountedScale c;
  c.scale.SetSuppressPaint(false);
  const int before = c.paints;
  c.scale.SetVisible(false);
  c.scale.SetRangeHigh(10);
  c.scale.ForcePaint();
  EXPECT_EQ(c.paints, before);
  // Unless it is being designed and stands alone.
  c.scale.SetDesigning(true);
  c.scale.ForcePaint();
  EXPECT_EQ(c.paints, before + 1);
  c.scale.SetEmbedded(true);
  c.scale.ForcePaint();
  EXPECT_EQ(c.paints, before + 1);
}

TEST(ScaleControl, SetBoundsRecomputesTheTransform) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 220, 50);
  EXPECT_DOUBLE_EQ(s.PixelFactor(), 1.79);
  s.SetScaleType(TScaleType::sctYL);
  EXPECT_DOUBLE_EQ(s.PixelFactor(), 9.0 / -100.0);
  EXPECT_DOUBLE_EQ(s.PixelOffset(), 20 + 100 * 0.09);
}

TEST(ScaleControl, SetDefaultsRestoresEverythingAndClearsTheEvents) {
  CountedScale c;
  c.scale.SetRange(3, 7);
  c.scale.SetLabelType(TFigType::ftUserText);
  c.scale.SetEmbedded(true);
  c.scale.OnZoomPan = [](TObject*) {};
  c.scale.SetDefaults();
  EXPECT_EQ(c.scale.RangeHigh(), 100);
  EXPECT_EQ(c.scale.LabelType(), TFigType::ftNum);
  EXPECT_FALSE(c.scale.Embedded());
  EXPECT_TRUE(c.scale.SuppressPaint());
  EXPECT_FALSE(c.scale.OnZoomPan);
  EXPECT_FALSE(c.scale.OnBeforeScaleRendered);
  EXPECT_EQ(c.scale.ExternalCanvas(), nullptr);
  // The date format reports to its scale again.
  c.scale.SetSuppressPaint(false);
  int paints = 0;
  TBitmap b(400, 400);
  c.scale.SetExternalCanvas(b.Canvas(), 0, 0);
  c.scale.OnBeforeScaleRendered = [&](TObject*, TCanvas*) { ++paints; };
  c.scale.DateFormat()->SetTimeFormat(TTimeFormat::tfAMPM);
  EXPECT_EQ(paints, 1);
}

TEST(ScaleControl, AssignCopiesTheScaleButNotItsMouseBehaviourOrFont) {
  TScale a(nullptr), b(nullptr);
  a.SetRange(-5, 5);
  a.SetLabelType(TFigType::ftUserText);
  a.SetUserTickText("a|b");
  a.SetScaleInscript("&!");
  a.SetScaleType(TScaleType::sctYR);
  a.SetMarginLeft(3);
  a.SetColorScheme(TColorScheme::csSystem);
  a.SetCaption("caption");
  a.SetCaptionAnchor(TScaleUnitAnchor::uaSclBotRgt);
  a.SetMouseAction(TMouseActMode::maPan);
  a.SetEmbedded(true);
  a.SetExternalCanvas(nullptr, 11, 12);
  a.DateFormat()->SetDateSeparator('/');
  a.Font()->SetHeight(-20);
  int labels = 0;
  a.OnBeforeTickLabel = [&](TObject*, TScaleType, double, std::string&) { ++labels; };
  a.OnZoomPan = [](TObject*) {};
  TBitmap canvas(400, 400);
  a.SetExternalCanvas(canvas.Canvas(), 11, 12);
  a.ForcePaint();
  ASSERT_GT(a.NumTicks(), 0);

  b.DateFormat()->OnChange = nullptr;  // keep b's own handler out of the test
  b.Assign(a);
  EXPECT_EQ(b.RangeLow(), -5);
  EXPECT_EQ(b.RangeHigh(), 5);
  EXPECT_EQ(b.LabelType(), TFigType::ftUserText);
  EXPECT_EQ(b.UserTickText(), "a|b");
  EXPECT_EQ(b.ScaleInscript(), "&!");
  EXPECT_EQ(b.ScaleType(), TScaleType::sctYR);
  EXPECT_EQ(b.MarginLeft(), 3);
  EXPECT_EQ(b.FrameShadowColor(), clBtnShadow);
  EXPECT_EQ(b.Caption(), "caption");
  EXPECT_EQ(b.CaptionAnchor(), TScaleUnitAnchor::uaSclBotRgt);
  EXPECT_EQ(b.PixelFactor(), a.PixelFactor());
  EXPECT_EQ(b.NumTicks(), a.NumTicks());
  EXPECT_EQ(b.TickPos(2), a.TickPos(2));
  EXPECT_TRUE(b.Embedded());
  EXPECT_EQ(b.OffsetX(), 11);
  EXPECT_EQ(b.OffsetY(), 12);
  EXPECT_EQ(b.ExternalCanvas(), nullptr);  // the canvas is not copied
  EXPECT_EQ(b.DateFormat()->DateSeparator(), '/');
  EXPECT_NE(b.DateFormat(), a.DateFormat());
  EXPECT_TRUE(b.OnBeforeTickLabel);
  EXPECT_FALSE(b.OnZoomPan);
  EXPECT_EQ(b.MouseAction(), TMouseActMode::maNone);
  EXPECT_NE(b.Font()->Height(), -20);
  EXPECT_EQ(b.SuppressPaint(), a.SuppressPaint());
}

TEST(ScaleControl, AssignFromAnotherClassRaisesTheAssignmentError) {
  TScale s(nullptr);
  TDTLabel format;
  EXPECT_THROW(s.Assign(format), EConvertError);
  EXPECT_THROW(format.Assign(s), EConvertError);
  TPersistent& as_persistent = s;
  TScale other(nullptr);
  other.SetRangeHigh(42);
  as_persistent.Assign(other);
  EXPECT_EQ(s.RangeHigh(), 42);
}

// ---- mouse ------------------------------------------------------------------

struct DraggedScale : ::testing::Test {
  DraggedScale() {
    scale.SetBounds(0, 0, 240, 60);  // 200 pixels between the margins
    scale.HandleNeeded();
    scale.OnZoomPan = [this](TObject* sender) {
      EXPECT_EQ(sender, &scale);
      ++zoom_pans;
    };
    scale.OnBeforeScaleRendered = [this](TObject*, TCanvas*) { ++paints; };
  }
  void Move(int x, int y, bool left = true) {
    scale.DispatchMouseMove(left ? TShiftState{TShiftFlag::ssLeft} : TShiftState{}, x, y);
  }
  TScale scale{nullptr};
  int zoom_pans = 0;
  int paints = 0;
};

TEST_F(DraggedScale, PanFollowsThePointerAndRepaintsOncePerMove) {
  scale.SetMouseAction(TMouseActMode::maPan);
  Move(100, 30);  // the drag starts
  EXPECT_TRUE(scale.Dragging());
  EXPECT_EQ(zoom_pans, 0);
  paints = 0;
  Move(150, 30);
  EXPECT_EQ(scale.RangeLow(), -25);
  EXPECT_EQ(scale.RangeHigh(), 75);
  EXPECT_EQ(zoom_pans, 1);
  EXPECT_EQ(paints, 1);
  Move(200, 30);  // from the saved range, scaled by the current one
  EXPECT_EQ(scale.RangeLow(), -50);
  EXPECT_EQ(scale.RangeHigh(), 50);
  scale.DispatchMouseUp(TMouseButton::mbLeft, TShiftState{}, 200, 30);
  EXPECT_FALSE(scale.Dragging());
}

TEST_F(DraggedScale, OnlyLeftButtonMovesInsideTheActiveAreaCount) {
  scale.SetMouseAction(TMouseActMode::maPan);
  Move(100, 30, false);
  EXPECT_FALSE(scale.Dragging());
  Move(20, 30);  // on the left margin: outside
  Move(100, 0);  // on the top edge: outside
  EXPECT_FALSE(scale.Dragging());
  Move(100, 30);
  Move(10, 30);  // outside again: no change
  EXPECT_EQ(scale.RangeLow(), 0);
  EXPECT_EQ(zoom_pans, 0);
}

TEST_F(DraggedScale, ZoomKeepsTheLowEndWhenStartedRightOfTheMiddle) {
  scale.SetMouseAction(TMouseActMode::maZoom);
  Move(170, 30);
  Move(120, 30);
  EXPECT_EQ(scale.RangeLow(), 0);
  EXPECT_EQ(scale.RangeHigh(), 150);
  EXPECT_EQ(zoom_pans, 1);
}

TEST_F(DraggedScale, ActionsWithoutArithmeticChangeNothing) {
  scale.SetMouseAction(TMouseActMode::maRubberBand);
  Move(100, 30);
  Move(150, 30);
  EXPECT_EQ(scale.RangeHigh(), 100);
  EXPECT_EQ(zoom_pans, 0);
}

TEST_F(DraggedScale, DoubleClickSwapsPanAndZoomOnly) {
  int double_clicks = 0;
  scale.OnDblClick = [&](TObject*) { ++double_clicks; };
  scale.SetMouseAction(TMouseActMode::maPan);
  scale.DispatchMouseDoubleClick(TMouseButton::mbLeft, TShiftState{}, 50, 30);
  EXPECT_EQ(scale.MouseAction(), TMouseActMode::maZoom);
  scale.DispatchMouseDoubleClick(TMouseButton::mbLeft, TShiftState{}, 50, 30);
  EXPECT_EQ(scale.MouseAction(), TMouseActMode::maPan);
  scale.SetMouseAction(TMouseActMode::maZoomDrag);
  scale.DispatchMouseDoubleClick(TMouseButton::mbLeft, TShiftState{}, 50, 30);
  EXPECT_EQ(scale.MouseAction(), TMouseActMode::maZoomDrag);
  EXPECT_EQ(double_clicks, 3);
}

// ---- form descriptions ------------------------------------------------------

TEST(ScaleForm, ADescriptionCreatesAScaleThroughItsSetters) {
  RegisterClass<TScale>();
  auto c = CreateComponentFromText(
      "object Scale1: TScale\n"
      "  Left = 10\n"
      "  Width = 300\n"
      "  Height = 60\n"
      "  Caption = 'time'\n"
      "  ColorScale = clNavy\n"
      "  DateFormat.DateSeparator = '/'\n"
      "  DateFormat.TimeFormat = tfAMPM\n"
      "  DecPlaces = -9\n"
      "  Logarithmic = True\n"
      "  MinTicks = 1\n"
      "  MouseAction = maPan\n"
      "  RangeLow = 1\n"
      "  RangeHigh = 1000\n"
      "  ScaleType = sctXT\n"
      "end\n");
  auto* s = dynamic_cast<TScale*>(c.get());
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Name(), "Scale1");
  EXPECT_EQ(s->Width(), 300);
  EXPECT_EQ(s->Caption(), "time");
  EXPECT_EQ(s->ColorScale(), clNavy);
  EXPECT_EQ(s->DateFormat()->DateSeparator(), '/');
  EXPECT_EQ(s->DateFormat()->TimeFormat(), TTimeFormat::tfAMPM);
  EXPECT_EQ(s->DecPlaces(), -3);
  EXPECT_TRUE(s->Logarithmic());  // taken while loading, before the range
  EXPECT_EQ(s->MinTicks(), 2);
  EXPECT_EQ(s->MouseAction(), TMouseActMode::maPan);
  EXPECT_EQ(s->ScaleType(), TScaleType::sctXT);
  EXPECT_FALSE(s->NotYetLoaded());
  EXPECT_NEAR(s->PixelFactor(), 259 / std::log(1000.0), 1e-12);  // computed by Loaded
}

TEST(ScaleForm, TheWriterLeavesDefaultsOutAndReadsBackTheSame) {
  RegisterClass<TScale>();
  TScale s(nullptr);
  s.SetName("S");
  s.SetRange(-1.5, 2.5);
  s.SetFrameStyle(TFrameStyle::fsRaised);
  s.DateFormat()->SetDateSeparator(char(0xB7));
  const std::string text = WriteComponentText(s);
  EXPECT_NE(text.find("RangeLow = -1.5"), std::string::npos) << text;
  EXPECT_NE(text.find("FrameStyle = fsRaised"), std::string::npos) << text;
  EXPECT_EQ(text.find("MarginTop"), std::string::npos) << text;
  EXPECT_EQ(text.find("NumTicks"), std::string::npos) << text;
  auto back = CreateComponentFromText(text);
  auto* r = dynamic_cast<TScale*>(back.get());
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->RangeLow(), -1.5);
  EXPECT_EQ(r->RangeHigh(), 2.5);
  EXPECT_EQ(r->FrameStyle(), TFrameStyle::fsRaised);
  EXPECT_EQ(r->DateFormat()->DateSeparator(), char(0xB7));
}

TEST(ScaleForm, ABadValueIsAnErrorNamingThePropertyAndLine) {
  RegisterClass<TScale>();
  try {
    CreateComponentFromText("object S: TScale\n  DateFormat.DateSeparator = 'ab'\nend\n");
    FAIL() << "no error";
  } catch (const EFormError& e) {
    EXPECT_EQ(e.Line(), 2);
    EXPECT_NE(e.Property().find("DateSeparator"), std::string::npos);
  }
  EXPECT_THROW(CreateComponentFromText("object S: TScale\n  ScaleType = sctXX\nend\n"), EFormError);
  EXPECT_THROW(CreateComponentFromText("object S: TScale\n  NumTicks = 3\nend\n"), EFormError);
}

TEST(ScaleForm, PublishedPropertiesComeInTheOrderOfTheTable) {
  const TClassInfo& info = TScale::ClassInfo();
  std::vector<std::string> own;
  for (const TPropInfo* p : info.Properties()) own.push_back(p->Name());
  const std::vector<std::string> order = {
      "Align",       "Anchors",      "Caption",       "CaptionPosX",   "CaptionPosY",  "CaptionAlignment",
      "CaptionAnchor", "ColorBackGnd", "ColorScale",  "ColorScheme",   "DateFormat",   "DecPlaces",
      "Font",        "FrameStyle",   "LabelType",     "Logarithmic",   "MarginTop",    "MarginBottom",
      "MarginLeft",  "MarginRight",  "MinTicks",      "MouseAction",   "NumTicks",     "ParentFont",
      "ParentShowHint", "RangeLow",  "RangeHigh",     "ShortTicks",    "ShowBaseLine", "ShowHint",
      "ScaleInscript", "ScaleType",  "Transparent",   "UserTickText",  "Visible"};
  // The table's properties appear in its order (the framework's own
  // published ones, such as the bounds, may come first).
  size_t at = 0;
  for (const std::string& name : own) {
    if (at < order.size() && name == order[at]) ++at;
  }
  EXPECT_EQ(at, order.size());
  for (const char* event : {"OnClick", "OnDblClick", "OnMouseMove", "OnMouseDown", "OnMouseUp", "OnZoomPan",
                            "OnScaleTickDrawn", "OnBeforeTickLabel", "OnAfterScaleRendered",
                            "OnBeforeScaleRendered"}) {
    const TPropInfo* p = info.FindProperty(event);
    ASSERT_NE(p, nullptr) << event;
    EXPECT_EQ(p->Kind(), TPropKind::pkEvent);
  }
}

}  // namespace
}  // namespace korvo

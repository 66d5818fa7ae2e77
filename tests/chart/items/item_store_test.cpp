// The drawing commands: which list an item goes to, which fields it gets,
// counting, growth and clearing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <numbers>
#include <string>

#include "chart/plotwell.h"

namespace korvo {
namespace {

class Store : public TPwItemStore {
 public:
  using TPwItemStore::ClearDataItems;
  using TPwItemStore::ResetItemStore;
  const TpwChartItem& LastData() const { return DataItems()[DataItems().Count() - 1]; }
  const TpwChartItem& LastAnnotation() const { return AnnotationItems()[AnnotationItems().Count() - 1]; }
};

// Compares every field, so that "all other fields are zero" is checked too.
void ExpectSameItem(const TpwChartItem& a, const TpwChartItem& e) {
  EXPECT_EQ(a.x, e.x);
  EXPECT_EQ(a.y, e.y);
  EXPECT_EQ(a.x2, e.x2);
  EXPECT_EQ(a.y2, e.y2);
  EXPECT_EQ(a.Color, e.Color);
  EXPECT_EQ(a.FillColor, e.FillColor);
  EXPECT_EQ(a.Color3, e.Color3);
  EXPECT_EQ(a.Color4, e.Color4);
  EXPECT_EQ(a.PenStyle, e.PenStyle);
  EXPECT_EQ(a.Attribute, e.Attribute);
  EXPECT_EQ(a.LineWidth, e.LineWidth);
  EXPECT_EQ(a.ItemClass, e.ItemClass);
  EXPECT_EQ(a.Kind, e.Kind);
  EXPECT_EQ(a.Layer, e.Layer);
  EXPECT_EQ(a.Hollow, e.Hollow);
  EXPECT_EQ(a.FrameStyle, e.FrameStyle);
  EXPECT_EQ(a.Text.View(), e.Text.View());
  EXPECT_EQ(a.Param1, e.Param1);
  EXPECT_EQ(a.Param2, e.Param2);
  EXPECT_EQ(a.Param3, e.Param3);
  EXPECT_EQ(a.CoordMode, e.CoordMode);
}

// A store with distinctive attributes, and the item every command starts
// from with them.
class Commands : public ::testing::Test {
 protected:
  Commands() {
    s.SetDataColor(clNavy);
    s.SetFillColor(clYellow);
    s.SetPenStyle(TPenStyle::psDot);
    s.SetLineWidth(3);
    s.SetClassDefault(42);
    s.SetCurrentLayer(7);
  }
  TpwChartItem Base(uint8_t kind, TCoordMode mode = TCoordMode::cmWorld) const {
    TpwChartItem e{};
    e.Kind = kind;
    e.Layer = 7;
    e.ItemClass = 42;
    e.Color = clNavy;
    e.PenStyle = TPenStyle::psDot;
    e.LineWidth = 3;
    e.CoordMode = s.AnnotationMode() ? uint8_t(mode) : 0;
    return e;
  }
  const TpwChartItem& Last() const { return s.AnnotationMode() ? s.LastAnnotation() : s.LastData(); }

  Store s;
};

TEST(ItemStore, StateAfterConstruction) {
  Store s;
  EXPECT_EQ(s.DataItems().Count(), 0);
  EXPECT_EQ(s.DataItems().Capacity(), 0);
  EXPECT_EQ(s.AnnotationItems().Capacity(), 0);
  EXPECT_EQ(s.AllocSize(), 1000);
  EXPECT_FALSE(s.AnnotationMode());
  EXPECT_EQ(s.CurrentLayer(), 1);
  EXPECT_TRUE(s.LayerInUse(1));
  for (int l = 2; l <= 16; ++l) EXPECT_FALSE(s.LayerInUse(l)) << l;
  for (int k = 0; k <= 24; ++k) EXPECT_EQ(s.KindCount(k), 0);
  EXPECT_EQ(s.DataColor(), clBlack);
  EXPECT_EQ(s.FillColor(), clSilver);
  EXPECT_EQ(s.PenStyle(), TPenStyle::psSolid);
  EXPECT_EQ(s.LineWidth(), 1);
  EXPECT_EQ(s.ClassDefault(), 0);
  EXPECT_EQ(s.TextBkStyle(), TTextBkg::tbClear);
  EXPECT_EQ(s.TextAlignment(), TAlignment::taCenter);
}

TEST_F(Commands, MoveToDrawToAndMarkAtInTheDataList) {
  s.MoveTo(1.5, -2.5);
  TpwChartItem e = Base(ckMoveTo);
  e.x = 1.5;
  e.y = -2.5;
  ExpectSameItem(Last(), e);

  s.DrawTo(3.0, 4.0);
  e = Base(ckDrawTo);
  e.x = 3;
  e.y = 4;
  e.FillColor = clYellow;
  ExpectSameItem(Last(), e);

  s.MarkAt(0.25, 0.5, 19);
  e = Base(ckMark);
  e.x = 0.25;
  e.y = 0.5;
  e.Param3 = 19;
  ExpectSameItem(Last(), e);
  EXPECT_EQ(s.KindCount(ckMoveTo), 1);
  EXPECT_EQ(s.KindCount(ckDrawTo), 1);
  EXPECT_EQ(s.KindCount(ckMark), 1);
}

TEST_F(Commands, IntegerVariantsInTheDataListAreWorldCoordinates) {
  s.MoveTo(0, 0);
  s.DrawTo(2.5, 5);  // integer y
  EXPECT_EQ(s.DataItems()[0].CoordMode, 0);
  EXPECT_EQ(s.DataItems()[1].CoordMode, 0);
  EXPECT_EQ(s.DataItems()[1].y, 5.0);
  EXPECT_EQ(s.DataItems()[1].x, 2.5);
  // Explicit pixel modes are dropped in the data list too.
  s.Line(1, 2, 3, 4, TCoordMode::cmPixel);
  s.TextAt(1, 2, "t", TCoordMode::cmXPixelYWorld);
  EXPECT_EQ(s.DataItems()[2].CoordMode, 0);
  EXPECT_EQ(s.DataItems()[3].CoordMode, 0);
}

TEST_F(Commands, AnnotationItemsKeepTheirModeAndAreNotCounted) {
  s.SetAnnotationMode(true);
  s.MoveTo(10, 20);
  s.DrawTo(0.5, 30);
  s.MarkAt(1.0, 2.0, 3);
  s.DrawTo(1.0, 2.0);
  ASSERT_EQ(s.AnnotationItems().Count(), 4);
  EXPECT_EQ(s.AnnotationItems()[0].CoordMode, uint8_t(TCoordMode::cmPixel));
  EXPECT_EQ(s.AnnotationItems()[0].x, 10.0);
  EXPECT_EQ(s.AnnotationItems()[1].CoordMode, uint8_t(TCoordMode::cmXWorldYPixel));
  EXPECT_EQ(s.AnnotationItems()[1].y, 30.0);
  EXPECT_EQ(s.AnnotationItems()[2].CoordMode, 0);
  EXPECT_EQ(s.AnnotationItems()[3].CoordMode, 0);
  EXPECT_EQ(s.DataItems().Count(), 0);
  for (int k = 0; k <= 24; ++k) EXPECT_EQ(s.KindCount(k), 0);
  s.SetAnnotationMode(false);
  s.DrawTo(1.0, 2.0);
  EXPECT_EQ(s.DataItems().Count(), 1);
  EXPECT_EQ(s.AnnotationItems().Count(), 4);
}

// Whether MoveTo / DrawTo can be called with these argument types at all
// (an ambiguous call is not well-formed).
template <typename X, typename Y>
constexpr bool CanMoveTo = requires(TPwItemStore& s, X x, Y y) { s.MoveTo(x, y); };
template <typename X, typename Y>
constexpr bool CanDrawTo = requires(TPwItemStore& s, X x, Y y) { s.DrawTo(x, y); };

static_assert(CanMoveTo<int, double> && CanMoveTo<double, int> && CanMoveTo<int, float>);
static_assert(CanMoveTo<float, int> && CanMoveTo<long, long> && CanMoveTo<std::size_t, int>);
static_assert(CanMoveTo<unsigned, unsigned> && CanMoveTo<int64_t, double>);
static_assert(CanDrawTo<double, long> && CanDrawTo<double, unsigned> && CanDrawTo<int, double>);
static_assert(CanDrawTo<float, std::size_t> && CanDrawTo<int64_t, int64_t>);
// Neither takes things that are not numbers.
static_assert(!CanMoveTo<int, const char*> && !CanDrawTo<double, TCoordMode>);

// Each call with the mode its item gets in the annotation list: integers in
// both places are a pixel point for MoveTo, an integer y a pixel row for
// DrawTo, everything else world. The values are stored as given, wide
// integers uncut.
TEST_F(Commands, MixedArgumentTypesPickTheirVariant) {
  using enum TCoordMode;
  const double phase = 0.5;
  const int64_t wide = int64_t(1) << 40;
  struct Case {
    const char* call;
    std::function<void(TPwItemStore&)> run;
    uint8_t kind;
    TCoordMode mode;
    double x, y;
  };
  const Case cases[] = {
      {"MoveTo(0, sin)", [&](TPwItemStore& t) { t.MoveTo(0, std::sin(phase)); }, ckMoveTo, cmWorld, 0, std::sin(phase)},
      {"MoveTo(1.5, 2)", [](TPwItemStore& t) { t.MoveTo(1.5, 2); }, ckMoveTo, cmWorld, 1.5, 2},
      {"MoveTo(1, 2.5f)", [](TPwItemStore& t) { t.MoveTo(1, 2.5f); }, ckMoveTo, cmWorld, 1, 2.5},
      {"MoveTo(1.5f, 2.5f)", [](TPwItemStore& t) { t.MoveTo(1.5f, 2.5f); }, ckMoveTo, cmWorld, 1.5, 2.5},
      {"MoveTo(3, 4)", [](TPwItemStore& t) { t.MoveTo(3, 4); }, ckMoveTo, cmPixel, 3, 4},
      {"MoveTo(3L, 4u)", [](TPwItemStore& t) { t.MoveTo(3L, 4u); }, ckMoveTo, cmPixel, 3, 4},
      {"MoveTo(wide, -wide)", [&](TPwItemStore& t) { t.MoveTo(wide, -wide); }, ckMoveTo, cmPixel, double(wide),
       -double(wide)},
      {"MoveTo(size_t, short)", [](TPwItemStore& t) { t.MoveTo(std::size_t(5), short(-6)); }, ckMoveTo, cmPixel, 5,
       -6},
      {"DrawTo(0, sin)", [&](TPwItemStore& t) { t.DrawTo(0, std::sin(phase)); }, ckDrawTo, cmWorld, 0,
       std::sin(phase)},
      {"DrawTo(2, 3.5f)", [](TPwItemStore& t) { t.DrawTo(2, 3.5f); }, ckDrawTo, cmWorld, 2, 3.5},
      {"DrawTo(2.5, 3)", [](TPwItemStore& t) { t.DrawTo(2.5, 3); }, ckDrawTo, cmXWorldYPixel, 2.5, 3},
      {"DrawTo(2, 3)", [](TPwItemStore& t) { t.DrawTo(2, 3); }, ckDrawTo, cmXWorldYPixel, 2, 3},
      {"DrawTo(2.5f, 3L)", [](TPwItemStore& t) { t.DrawTo(2.5f, 3L); }, ckDrawTo, cmXWorldYPixel, 2.5, 3},
      {"DrawTo(1.0, wide)", [&](TPwItemStore& t) { t.DrawTo(1.0, wide); }, ckDrawTo, cmXWorldYPixel, 1,
       double(wide)},
      {"DrawTo(1.0, 7u)", [](TPwItemStore& t) { t.DrawTo(1.0, 7u); }, ckDrawTo, cmXWorldYPixel, 1, 7},
  };
  s.SetAnnotationMode(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    c.run(s);
    EXPECT_EQ(Last().Kind, c.kind);
    EXPECT_EQ(Last().CoordMode, uint8_t(c.mode));
    EXPECT_EQ(Last().x, c.x);
    EXPECT_EQ(Last().y, c.y);
  }
  EXPECT_EQ(s.AnnotationItems().Count(), int(std::size(cases)));
}

TEST_F(Commands, ItemsKeepTheAttributesOfTheirTime) {
  s.DrawTo(1.0, 1.0);
  s.SetDataColor(clRed);
  s.SetFillColor(clLime);
  s.SetPenStyle(TPenStyle::psDash);
  s.SetLineWidth(9);
  s.SetClassDefault(5);
  s.SetCurrentLayer(16);
  s.DrawTo(2.0, 2.0);
  const TpwChartItem& first = s.DataItems()[0];
  const TpwChartItem& second = s.DataItems()[1];
  EXPECT_EQ(first.Color, clNavy);
  EXPECT_EQ(first.FillColor, clYellow);
  EXPECT_EQ(first.PenStyle, TPenStyle::psDot);
  EXPECT_EQ(first.LineWidth, 3);
  EXPECT_EQ(first.ItemClass, 42);
  EXPECT_EQ(first.Layer, 7);
  EXPECT_EQ(second.Color, clRed);
  EXPECT_EQ(second.FillColor, clLime);
  EXPECT_EQ(second.PenStyle, TPenStyle::psDash);
  EXPECT_EQ(second.LineWidth, 9);
  EXPECT_EQ(second.ItemClass, 5);
  EXPECT_EQ(second.Layer, 16);
}

TEST_F(Commands, TextBkColorIsFillColor) {
  s.SetTextBkColor(clAqua);
  EXPECT_EQ(s.FillColor(), clAqua);
  s.DrawTo(0.0, 0.0);
  EXPECT_EQ(Last().FillColor, clAqua);
}

TEST_F(Commands, EveryOtherKindSetsItsFields) {
  for (bool annotation : {false, true}) {
    SCOPED_TRACE(annotation ? "annotation list" : "data list");
    s.SetAnnotationMode(annotation);
    using enum TCoordMode;
    TpwChartItem e;

    s.Line(1, 2, 3, 4, cmPixelWorld);
    e = Base(ckLine, cmPixelWorld);
    e.x = 1, e.y = 2, e.x2 = 3, e.y2 = 4, e.FillColor = clYellow;
    ExpectSameItem(Last(), e);

    s.Rectangle(1, 2, 3, 4, true, cmPixel);
    e = Base(ckRectangle, cmPixel);
    e.x = 1, e.y = 2, e.x2 = 3, e.y2 = 4, e.FillColor = clYellow, e.Hollow = true;
    ExpectSameItem(Last(), e);

    s.FramedRect(1, 2, 3, 4, TFrameStyle::fsEngraved, clWhite, clGray, cmWorldPixel);
    e = Base(ckFramedRect, cmWorldPixel);
    e.x = 1, e.y = 2, e.x2 = 3, e.y2 = 4, e.FillColor = clYellow;
    e.FrameStyle = TFrameStyle::fsEngraved, e.Color3 = clWhite, e.Color4 = clGray;
    ExpectSameItem(Last(), e);

    s.Bar3D(1, 2, 3, 4, 135, 12);
    e = Base(ckBar3D);
    e.x = 1, e.y = 2, e.x2 = 3, e.y2 = 4, e.FillColor = clYellow, e.Param1 = 135, e.Param2 = 12;
    ExpectSameItem(Last(), e);

    s.Ellipse(5, 6, 0.5, 0.25, true);
    e = Base(ckEllipse);
    e.x = 5, e.y = 6, e.x2 = 0.5, e.y2 = 0.25, e.FillColor = clYellow, e.Hollow = true;
    ExpectSameItem(Last(), e);

    s.MoveRel(-3, 4);
    e = Base(ckMoveRel);
    e.x = -3, e.y = 4;
    ExpectSameItem(Last(), e);

    s.DrawRel(5, -6);
    e = Base(ckDrawRel);
    e.x = 5, e.y = -6, e.FillColor = clYellow;
    ExpectSameItem(Last(), e);

    s.Arrow(1, 2, 3, 4, 10, true, cmXWorldYPixel);
    e = Base(ckArrow, cmXWorldYPixel);
    e.x = 1, e.y = 2, e.x2 = 3, e.y2 = 4, e.FillColor = clYellow, e.Hollow = true, e.Param1 = 10;
    ExpectSameItem(Last(), e);

    s.DoubleArrow(1, 2, 3, 4, 8);
    e = Base(ckDoubleArrow);
    e.x = 1, e.y = 2, e.x2 = 3, e.y2 = 4, e.FillColor = clYellow, e.Param1 = 8;
    ExpectSameItem(Last(), e);

    s.PixelBox(1, 2, 3, 4, true);
    e = Base(ckPixelBox);
    e.x = 1, e.y = 2, e.FillColor = clYellow, e.Hollow = true, e.Param1 = 3, e.Param2 = 4;
    ExpectSameItem(Last(), e);

    s.ErrorMark(1, 2, 0.5, 0.75, 7);
    e = Base(ckErrorMark);
    e.x = 1, e.y = 2, e.x2 = 0.5, e.y2 = 0.75, e.FillColor = clYellow, e.Param3 = 7;
    ExpectSameItem(Last(), e);

    s.ShiftedLine(1, 2, 3, 4, -5, 6);
    e = Base(ckShiftedLine);
    e.x = 1, e.y = 2, e.x2 = 3, e.y2 = 4, e.FillColor = clYellow, e.Param1 = -5, e.Param2 = 6;
    ExpectSameItem(Last(), e);

    s.Arc(1, 2, 3, 4, 0.5, std::numbers::pi);
    e = Base(ckArc);
    e.x = 1, e.y = 2, e.x2 = 3, e.y2 = 4, e.Param1 = 50000000, e.Param2 = 314159265;
    ExpectSameItem(Last(), e);

    s.Vector(1, 2, 30, -40);
    e = Base(ckVector);
    e.x = 1, e.y = 2, e.x2 = 30, e.y2 = -40, e.FillColor = clYellow;
    ExpectSameItem(Last(), e);

    s.VertLine(1.5, cmPixel);
    e = Base(ckVertLine, cmPixel);
    e.x = 1.5, e.FillColor = clYellow;
    ExpectSameItem(Last(), e);

    s.HorizLine(2.5);
    e = Base(ckHorizLine);
    e.y = 2.5, e.FillColor = clYellow;
    ExpectSameItem(Last(), e);

    s.Cross(1, 2, 3, 4, cmWorldPixel);
    e = Base(ckCross, cmWorldPixel);
    e.x = 1, e.y = 2, e.x2 = 3, e.y2 = 4, e.FillColor = clYellow;
    ExpectSameItem(Last(), e);
  }
  // Each data-list item was counted under its kind, once.
  for (uint8_t k : {ckLine, ckRectangle, ckFramedRect, ckBar3D, ckEllipse, ckMoveRel, ckDrawRel, ckArrow,
                    ckDoubleArrow, ckPixelBox, ckErrorMark, ckShiftedLine, ckArc, ckVector, ckVertLine,
                    ckHorizLine, ckCross}) {
    EXPECT_EQ(s.KindCount(k), 1) << ChartItemKindName(k);
  }
  EXPECT_EQ(s.DataItems().Count(), 17);
  EXPECT_EQ(s.AnnotationItems().Count(), 17);
}

TEST_F(Commands, TextItemsCarryTheTextAttributes) {
  s.TextFont()->SetSize(14);
  s.SetTextBkStyle(TTextBkg::tbSolid);
  s.SetTextAlignment(TAlignment::taRightJustify);
  s.SetAnnotationMode(true);

  s.TextAt(1, 2, "a label that is far too long", TCoordMode::cmXPixelYWorld);
  TpwChartItem e = Base(ckText, TCoordMode::cmXPixelYWorld);
  e.x = 1, e.y = 2, e.FillColor = clYellow, e.Param1 = 14, e.Param2 = 1;
  e.Param3 = int32_t(TAlignment::taRightJustify), e.LineWidth = 0;
  e.Text.Set("a label that is f");
  ExpectSameItem(Last(), e);

  s.SetTextBkStyle(TTextBkg::tbClear);
  s.SetTextAlignment(TAlignment::taLeftJustify);
  s.LongTextAt(3, 4, 50);
  e = Base(ckText);
  e.x = 3, e.y = 4, e.FillColor = clYellow, e.Param1 = 14, e.Param2 = 0, e.Param3 = 0, e.LineWidth = 50;
  ExpectSameItem(Last(), e);

  s.TextOffsAt(5, 6, -7, 8, "offset");
  e = Base(ckTextOffs);
  e.x = 5, e.y = 6, e.x2 = -7, e.y2 = 8, e.FillColor = clYellow, e.Param1 = 14, e.Param3 = 0, e.LineWidth = 0;
  e.Text.Set("offset");
  ExpectSameItem(Last(), e);

  s.LongTextOffsAt(5, 6, 1, 2, 1);
  EXPECT_EQ(Last().Kind, ckTextOffs);
  EXPECT_EQ(Last().LineWidth, 1);
  EXPECT_EQ(Last().Text.View(), "");
}

TEST_F(Commands, LongTextsGoToTheTableOfTheSelectedList) {
  s.SetLongText(3, "data text\nwith two lines");
  s.SetAnnotationMode(true);
  s.SetLongText(3, "annotation text");
  EXPECT_EQ(s.DataLongTexts().Text(3), "data text\nwith two lines");
  EXPECT_EQ(s.AnnotationLongTexts().Text(3), "annotation text");
  EXPECT_THROW(s.SetLongText(51, "x"), EKorvoPlotwellError);
  EXPECT_THROW(s.LongTextAt(0, 0, 0), EKorvoPlotwellError);
  EXPECT_THROW(s.LongTextOffsAt(0, 0, 0, 0, 51), EKorvoPlotwellError);
  EXPECT_EQ(s.AnnotationItems().Count(), 0) << "a refused command appends nothing";
}

TEST_F(Commands, ModesAKindDoesNotDefineAreRefusedWithoutAppending) {
  s.SetAnnotationMode(true);
  using enum TCoordMode;
  try {
    s.Line(0, 0, 1, 1, cmXPixelYWorld);
    FAIL() << "no error";
  } catch (const EKorvoPlotwellError& e) {
    EXPECT_STREQ(e.what(), "Coordinate mode cmXPixelYWorld is not defined for ckLine items");
  }
  EXPECT_THROW(s.Rectangle(0, 0, 1, 1, false, cmXWorldYPixel), EKorvoPlotwellError);
  EXPECT_THROW(s.FramedRect(0, 0, 1, 1, TFrameStyle::fsNone, 0, 0, cmXPixelYWorld), EKorvoPlotwellError);
  EXPECT_THROW(s.VertLine(0, cmXWorldYPixel), EKorvoPlotwellError);
  EXPECT_THROW(s.HorizLine(0, cmXPixelYWorld), EKorvoPlotwellError);
  EXPECT_THROW(s.Cross(0, 0, 1, 1, cmPixelWorld), EKorvoPlotwellError);
  EXPECT_THROW(s.MoveTo(0, 0, TCoordMode(6)), EKorvoPlotwellError);
  try {
    s.DrawTo(0, 0, TCoordMode(200));
  } catch (const EKorvoPlotwellError& e) {
    EXPECT_STREQ(e.what(), "Coordinate mode 200 is not defined for ckDrawTo items");
  }
  EXPECT_EQ(s.AnnotationItems().Count(), 0);
  // Every mode the kinds define is accepted.
  for (int m = 0; m <= 5; ++m) {
    s.MoveTo(0, 0, TCoordMode(m));
    s.DrawTo(0, 0, TCoordMode(m));
    s.MarkAt(0, 0, 1, TCoordMode(m));
    s.TextAt(0, 0, "", TCoordMode(m));
    s.Arrow(0, 0, 1, 1, 5, false, TCoordMode(m));
    s.DoubleArrow(0, 0, 1, 1, 5, false, TCoordMode(m));
    if (m <= 3) {
      s.Line(0, 0, 1, 1, TCoordMode(m));
      s.Rectangle(0, 0, 1, 1, false, TCoordMode(m));
      s.FramedRect(0, 0, 1, 1, TFrameStyle::fsNone, 0, 0, TCoordMode(m));
      s.VertLine(0, TCoordMode(m));
      s.HorizLine(0, TCoordMode(m));
    }
    if (m <= 2) s.Cross(0, 0, 1, 1, TCoordMode(m));
    EXPECT_EQ(Last().CoordMode, m);
  }
  EXPECT_EQ(s.AnnotationItems().Count(), 6 * 6 + 4 * 5 + 3);
}

TEST_F(Commands, ArcAnglesAreStoredInHundredMillionthsOfARadian) {
  s.Arc(0, 0, 1, 1, -1.5, 2 * std::numbers::pi);
  EXPECT_EQ(Last().Param1, -150000000);
  EXPECT_EQ(Last().Param2, 628318531);
  // Beyond a whole turn the angle is reduced and still points the same way.
  s.Arc(0, 0, 1, 1, 100.0, -30.0);
  const double a1 = Last().Param1 / 1e8, a2 = Last().Param2 / 1e8;
  EXPECT_NEAR(std::cos(a1), std::cos(100.0), 1e-7);
  EXPECT_NEAR(std::sin(a1), std::sin(100.0), 1e-7);
  EXPECT_NEAR(std::cos(a2), std::cos(-30.0), 1e-7);
  EXPECT_NEAR(std::sin(a2), std::sin(-30.0), 1e-7);
  const int32_t before = s.DataItems().Count();
  EXPECT_THROW(s.Arc(0, 0, 1, 1, NAN, 0), EKorvoPlotwellError);
  EXPECT_THROW(s.Arc(0, 0, 1, 1, 0, INFINITY), EKorvoPlotwellError);
  EXPECT_EQ(s.DataItems().Count(), before);
}

TEST_F(Commands, HorizontalErrorBarsCarryANonZeroParam1) {
  s.TextFont()->SetSize(12);
  s.ErrorMark(0, 0, 1, 1, 60, true);
  EXPECT_EQ(Last().Param1, 12);
  s.TextFont()->SetHeight(0);  // a font without a size still gives a horizontal bar
  s.ErrorMark(0, 0, 1, 1, 60, true);
  EXPECT_EQ(Last().Param1, 1);
  s.ErrorMark(0, 0, 1, 1, 60, false);
  EXPECT_EQ(Last().Param1, 0);
}

TEST(ItemStore, AllocSizeAcceptsOneToAMillion) {
  Store s;
  for (int32_t bad : {0, -1, -1000, 1000001, INT32_MAX, INT32_MIN}) {
    s.SetAllocSize(bad);
    EXPECT_EQ(s.AllocSize(), 1000) << bad;
  }
  s.SetAllocSize(1000000);
  EXPECT_EQ(s.AllocSize(), 1000000);
  s.SetAllocSize(1);
  EXPECT_EQ(s.AllocSize(), 1);
}

TEST(ItemStore, ListsGrowByAllocSize) {
  Store s;
  for (int i = 0; i < 1000; ++i) s.DrawTo(double(i), double(-i));
  EXPECT_EQ(s.DataItems().Capacity(), 1000);
  s.DrawTo(1000.0, -1000.0);
  EXPECT_EQ(s.DataItems().Capacity(), 2000);
  for (int i = 0; i <= 1000; ++i) {
    ASSERT_EQ(s.DataItems()[i].x, i);
    ASSERT_EQ(s.DataItems()[i].y, -i);
  }
  EXPECT_EQ(s.KindCount(ckDrawTo), 1001);
  s.SetAllocSize(7);
  s.SetAnnotationMode(true);
  s.MarkAt(0, 0, 1);
  EXPECT_EQ(s.AnnotationItems().Capacity(), 7);
}

TEST(ItemStore, ClearingDataLeavesAnnotations) {
  Store s;
  s.MoveTo(0.0, 0.0);
  s.DrawTo(1.0, 1.0);
  s.SetAnnotationMode(true);
  s.TextAt(5, 5, "note", TCoordMode::cmPixel);
  s.SetAnnotationMode(false);
  s.ClearDataItems();
  EXPECT_EQ(s.DataItems().Count(), 0);
  EXPECT_EQ(s.DataItems().Capacity(), 0);
  EXPECT_EQ(s.KindCount(ckDrawTo), 0);
  EXPECT_EQ(s.KindCount(ckMoveTo), 0);
  ASSERT_EQ(s.AnnotationItems().Count(), 1);
  EXPECT_EQ(s.AnnotationItems()[0].Text.View(), "note");
  s.ClearAnnotations();
  EXPECT_EQ(s.AnnotationItems().Count(), 0);
  EXPECT_EQ(s.AnnotationItems().Capacity(), 0);
}

TEST(ItemStore, LayerSelection) {
  Store s;
  s.SetCurrentLayer(16);
  EXPECT_EQ(s.CurrentLayer(), 16);
  try {
    s.SetCurrentLayer(17);
    FAIL() << "no error";
  } catch (const EKorvoPlotwellError& e) {
    EXPECT_STREQ(e.what(), "Layer 17 is out of range (1..16)");
  }
  EXPECT_THROW(s.SetCurrentLayer(0), EKorvoPlotwellError);
  EXPECT_EQ(s.CurrentLayer(), 16);
  s.SetLayerInUse(16, true);
  s.SetLayerInUse(1, false);
  EXPECT_TRUE(s.LayerInUse(16));
  EXPECT_FALSE(s.LayerInUse(1));
  EXPECT_FALSE(s.LayerInUse(0));
  EXPECT_FALSE(s.LayerInUse(17));
  EXPECT_THROW(s.SetLayerInUse(-3, true), EKorvoPlotwellError);
}

TEST(ItemStore, ClassDefaultIgnoresTwoHundredFiftyFive) {
  Store s;
  s.SetClassDefault(254);
  EXPECT_EQ(s.ClassDefault(), 254);
  s.SetClassDefault(255);
  EXPECT_EQ(s.ClassDefault(), 254);
}

TEST(ItemStore, KindCountOutsideTheKindsIsZero) {
  Store s;
  s.DrawTo(0.0, 0.0);
  EXPECT_EQ(s.KindCount(-1), 0);
  EXPECT_EQ(s.KindCount(25), 0);
  EXPECT_EQ(s.KindCounts()[ckDrawTo], 1);
}

TEST(ItemStore, ResetRestoresTheStateAfterConstruction) {
  Store s;
  s.SetAllocSize(5);
  s.SetAnnotationMode(true);
  s.SetCurrentLayer(4);
  s.SetLayerInUse(4, true);
  s.SetDataColor(clRed);
  s.SetLongText(1, "x");
  s.MarkAt(0, 0, 1);
  s.ResetItemStore();
  EXPECT_EQ(s.AllocSize(), 1000);
  EXPECT_FALSE(s.AnnotationMode());
  EXPECT_EQ(s.CurrentLayer(), 1);
  EXPECT_FALSE(s.LayerInUse(4));
  EXPECT_TRUE(s.LayerInUse(1));
  EXPECT_EQ(s.DataColor(), clBlack);
  EXPECT_EQ(s.AnnotationLongTexts().Text(1), "");
  EXPECT_EQ(s.AnnotationItems().Count(), 0);
}

}  // namespace
}  // namespace korvo

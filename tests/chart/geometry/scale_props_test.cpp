// The scale property objects: defaults, setter rules, notification, Assign.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/geometry/ScaleProps.h"
#include "platform/Exceptions.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/FormWriter.h"
#include "platform/framework/Properties.h"

namespace korvo {
namespace {

// A property object past loading, with a notification counter.
class Props : public ::testing::Test {
 protected:
  Props() {
    p.SetLoading(false);
    p.OnChange = [this](TObject* sender) {
      ++changes;
      EXPECT_EQ(sender, &p);
    };
  }
  void Range(double lo, double hi) {
    p.StoreRangeLow(lo);
    p.StoreRangeHigh(hi);
  }

  TScalePropsHoriz p;
  int changes = 0;
};

TEST(ScaleProps, Defaults) {
  TScalePropsHoriz x;
  TScalePropsVert y;
  for (const TScaleProps* p : {static_cast<const TScaleProps*>(&x), static_cast<const TScaleProps*>(&y)}) {
    EXPECT_EQ(p->Caption(), "");
    EXPECT_EQ(p->CaptionPosX(), 0);
    EXPECT_EQ(p->CaptionPosY(), 0);
    EXPECT_EQ(p->CaptionAlignment(), TAlignment::taCenter);
    EXPECT_EQ(p->CaptionAnchor(), TScaleUnitAnchor::uaSclTopLft);
    EXPECT_EQ(p->ColorScale(), clBlack);
    EXPECT_EQ(p->DecPlaces(), -2);
    EXPECT_FALSE(p->Logarithmic());
    EXPECT_EQ(p->LabelType(), TFigType::ftNum);
    EXPECT_EQ(p->MinTicks(), 3);
    EXPECT_EQ(p->MinRange(), 1e-10);
    EXPECT_EQ(p->MouseAction(), TMouseActMode::maNone);
    EXPECT_EQ(p->RangeLow(), 0.0);
    EXPECT_EQ(p->RangeHigh(), 1.0);
    EXPECT_TRUE(p->ShortTicks());
    EXPECT_EQ(p->ScaleInscript(), "");
    EXPECT_EQ(p->ScalePos(), 0);
    EXPECT_EQ(p->UserTickText(), "");
    EXPECT_FALSE(p->Visible());
    EXPECT_TRUE(p->Loading());
    EXPECT_EQ(p->DateFormat()->TimeFormat(), TTimeFormat::tfHHMMSS);
    EXPECT_EQ(p->DateFormat()->DateSeparator(), '-');
    EXPECT_EQ(p->DateFormat()->TimeSeparator(), ':');
    EXPECT_EQ(p->DateFormat()->YearLength(), TYearLength::ylYYYY);
    EXPECT_TRUE(p->DateFormat()->MonthName());
    EXPECT_EQ(p->DateFormat()->DateForTime(), TDateForTime::dtOnePerDay);
    EXPECT_EQ(p->DateFormat()->DateOrder(), TDateOrder::doDDMMYY);
    EXPECT_EQ(p->Font()->Name(), TFont().Name());
  }
  EXPECT_EQ(x.ScaleLocation(), TScaleLocationHoriz::slBottom);
  EXPECT_EQ(x.Orientation(), TScaleType::sctXT);
  EXPECT_EQ(y.ScaleLocation(), TScaleLocationVert::slLeft);
  EXPECT_EQ(y.Orientation(), TScaleType::sctYR);
}

TEST_F(Props, RangeLowKeepsMinRangeFromTheOtherBound) {
  p.SetRangeLow(2);  // |1 - 2| >= MinRange: a reversed axis
  EXPECT_EQ(p.RangeLow(), 2.0);
  EXPECT_EQ(p.RangeHigh(), 1.0);
  Range(0, 1);
  p.SetRangeLow(0.99999999999);  // 1e-11 from the high bound: both move
  EXPECT_EQ(p.RangeLow(), 0.99999999999);
  EXPECT_EQ(p.RangeHigh(), 0.99999999999 + 1e-10);
  Range(0, 1);
  p.SetRangeLow(0.9999999998);  // 2e-10 away: only the low bound moves
  EXPECT_EQ(p.RangeLow(), 0.9999999998);
  EXPECT_EQ(p.RangeHigh(), 1.0);
  Range(0, 1);
  p.SetRangeLow(1);
  EXPECT_EQ(p.RangeLow(), 1.0);
  EXPECT_EQ(p.RangeHigh(), 1.0 + 1e-10);
  EXPECT_EQ(changes, 4);
}

TEST_F(Props, RangeHighMirrorsRangeLow) {
  p.SetRangeHigh(-1);
  EXPECT_EQ(p.RangeLow(), 0.0);
  EXPECT_EQ(p.RangeHigh(), -1.0);
  Range(0, 1);
  p.SetRangeHigh(0);
  EXPECT_EQ(p.RangeHigh(), 0.0);
  EXPECT_EQ(p.RangeLow(), -1e-10);
  EXPECT_EQ(changes, 2);
}

TEST_F(Props, LogarithmicAxisIgnoresBoundsBelowTheFloorButNotifies) {
  Range(1, 100);
  p.SetLogarithmic(true);
  ASSERT_TRUE(p.Logarithmic());
  changes = 0;
  p.SetRangeLow(0);
  EXPECT_EQ(p.RangeLow(), 1.0);
  p.SetRangeHigh(-5);
  EXPECT_EQ(p.RangeHigh(), 100.0);
  p.SetRangeLow(1e-100);  // the floor itself is accepted
  EXPECT_EQ(p.RangeLow(), 1e-100);
  EXPECT_EQ(changes, 3);
}

TEST_F(Props, NonFiniteBoundsAreIgnored) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double bad : {nan, inf, -inf}) {
    p.SetRangeLow(bad);
    p.SetRangeHigh(bad);
  }
  EXPECT_EQ(p.RangeLow(), 0.0);
  EXPECT_EQ(p.RangeHigh(), 1.0);
  EXPECT_EQ(changes, 6);
  // A bound whose partner would overflow is refused too.
  p.SetRangeLow(std::numeric_limits<double>::max());
  p.SetRangeHigh(std::numeric_limits<double>::max());
  EXPECT_TRUE(std::isfinite(p.RangeLow()) && std::isfinite(p.RangeHigh()));
  EXPECT_NE(p.RangeLow(), p.RangeHigh());
}

TEST_F(Props, LargeBoundsStayApartWhenMinRangeIsBelowTheirResolution) {
  Range(1e10, 2e10);
  p.SetRangeHigh(1e10);  // 1e10 - 1e-10 is 1e10 in doubles
  EXPECT_EQ(p.RangeHigh(), 1e10);
  EXPECT_LT(p.RangeLow(), 1e10);
  p.SetRangeLow(1e10);
  EXPECT_EQ(p.RangeLow(), 1e10);
  EXPECT_GT(p.RangeHigh(), 1e10);
  Range(1e10, 1e10 + 0.5);
  p.SetMinRange(1e-3);  // wide enough
  p.StoreRangeHigh(1e10);
  p.SetMinRange(2e-3);
  EXPECT_NE(p.RangeLow(), p.RangeHigh());
}

TEST_F(Props, LogarithmicNeedsAPositiveRangeOnceLoaded) {
  p.SetLogarithmic(true);  // range 0..1
  EXPECT_FALSE(p.Logarithmic());
  EXPECT_EQ(changes, 1) << "a refused value still notifies";
  Range(1, 1000);
  p.SetLabelType(TFigType::ftDateTime);
  p.SetLogarithmic(true);
  EXPECT_FALSE(p.Logarithmic()) << "date/time labels stay linear";
  p.SetLabelType(TFigType::ftNum);
  p.SetLogarithmic(true);
  EXPECT_TRUE(p.Logarithmic());
  p.SetLogarithmic(false);
  EXPECT_FALSE(p.Logarithmic());
}

TEST(ScaleProps, LogarithmicIsTakenUncheckedWhileLoading) {
  TScalePropsVert p;  // loading until its chart has loaded
  p.SetLogarithmic(true);
  EXPECT_TRUE(p.Logarithmic());
  EXPECT_EQ(p.RangeLow(), 0.0);
}

TEST_F(Props, LabelTypeSideEffects) {
  Range(1, 10);
  p.SetLogarithmic(true);
  p.SetLabelType(TFigType::ftTime);
  EXPECT_EQ(p.DecPlaces(), 4);
  EXPECT_TRUE(p.Logarithmic());
  p.SetLabelType(TFigType::ftDateTime);
  EXPECT_FALSE(p.Logarithmic());
  EXPECT_EQ(p.LabelType(), TFigType::ftDateTime);
  EXPECT_EQ(changes, 3);
}

TEST_F(Props, MinRangeWidensANarrowRangeAboutItsCentre) {
  Range(-1, 1);
  p.SetMinRange(4);
  EXPECT_EQ(p.RangeLow(), -2.0);
  EXPECT_EQ(p.RangeHigh(), 2.0);
  EXPECT_EQ(changes, 1);
  Range(-1, 1);
  p.SetMinRange(1);  // wide enough already: stored, nothing fires
  EXPECT_EQ(p.MinRange(), 1.0);
  EXPECT_EQ(p.RangeLow(), -1.0);
  EXPECT_EQ(changes, 1);
  Range(3, 1);  // reversed: widened about 2, becoming a normal axis
  p.SetMinRange(4);
  EXPECT_EQ(p.RangeLow(), 0.0);
  EXPECT_EQ(p.RangeHigh(), 4.0);
}

TEST_F(Props, MinRangeAtOrBelowTheFloorIsIgnoredSilently) {
  for (double bad : {1e-100, 0.0, -3.0, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
    p.SetMinRange(bad);
  }
  EXPECT_EQ(p.MinRange(), 1e-10);
  EXPECT_EQ(changes, 0);
}

TEST_F(Props, DecPlacesClamped) {
  p.SetDecPlaces(20);
  EXPECT_EQ(p.DecPlaces(), 12);
  p.SetDecPlaces(-9);
  EXPECT_EQ(p.DecPlaces(), -3);
  EXPECT_EQ(changes, 2);
}

TEST_F(Props, ScalePosBelongsToTheCurrentOrientation) {
  p.SetScalePos(30);  // bottom: the horizontal position
  p.SetOrientation(TScaleType::sctYL);
  EXPECT_EQ(p.ScalePos(), 0);
  p.SetScalePos(50);
  EXPECT_EQ(p.VerticalScalePos(), 50);
  EXPECT_EQ(p.HorizontalScalePos(), 30);
  p.SetScaleLocation(TScaleLocationHoriz::slTop);
  EXPECT_EQ(p.ScalePos(), 30);
  EXPECT_EQ(changes, 3);
}

TEST(ScaleProps, ScaleLocationSetsAndReadsTheOrientation) {
  TScalePropsHoriz x;
  int changes = 0;
  x.OnChange = [&](TObject*) { ++changes; };
  x.SetScaleLocation(TScaleLocationHoriz::slTop);
  EXPECT_EQ(x.Orientation(), TScaleType::sctXB);
  x.SetScaleLocation(TScaleLocationHoriz::slBottom);
  EXPECT_EQ(x.Orientation(), TScaleType::sctXT);
  // ScaleLocation is a stored value: setting the orientation directly, as a
  // chart's defaults do, leaves the side read back as it was.
  x.SetOrientation(TScaleType::sctXB);
  EXPECT_EQ(x.ScaleLocation(), TScaleLocationHoriz::slBottom);
  EXPECT_EQ(GetPropertyText(x, "ScaleLocation"), "slBottom");
  TScalePropsVert y;
  y.SetScaleLocation(TScaleLocationVert::slRight);
  EXPECT_EQ(y.Orientation(), TScaleType::sctYL);
  y.SetScaleLocation(TScaleLocationVert::slLeft);
  EXPECT_EQ(y.Orientation(), TScaleType::sctYR);
  EXPECT_EQ(changes, 2);
}

TEST_F(Props, MouseActionDoesNotNotify) {
  p.SetMouseAction(TMouseActMode::maPan);
  EXPECT_EQ(p.MouseAction(), TMouseActMode::maPan);
  EXPECT_EQ(changes, 0);
}

TEST_F(Props, EveryPlainSetterNotifies) {
  p.SetCaption("x");
  p.SetCaptionPosX(1);
  p.SetCaptionPosY(2);
  p.SetCaptionAlignment(TAlignment::taLeftJustify);
  p.SetCaptionAnchor(TScaleUnitAnchor::uaSclBotRgt);
  p.SetColorScale(clRed);
  p.SetMinTicks(5);
  p.SetShortTicks(false);
  p.SetScaleInscript("m");
  p.SetUserTickText("a;b");
  p.SetVisible(true);
  EXPECT_EQ(changes, 11);
}

TEST_F(Props, FontAndDateFormatChangesNotifyOnce) {
  TFont f;
  f.SetName("DejaVu Serif");
  p.SetFont(f);
  EXPECT_EQ(p.Font()->Name(), "DejaVu Serif");
  EXPECT_EQ(changes, 1);
  p.Font()->SetSize(12);
  EXPECT_EQ(changes, 2);
  TDTLabel d;
  d.SetDateOrder(TDateOrder::doYYMMDD);
  p.SetDateFormat(d);
  EXPECT_EQ(p.DateFormat()->DateOrder(), TDateOrder::doYYMMDD);
  EXPECT_EQ(changes, 3);
  p.DateFormat()->SetTimeFormat(TTimeFormat::tfAMPM);
  EXPECT_EQ(changes, 4);
}

TEST(ScaleProps, AssignCopiesValuesNotHandlerMouseActionOrLoading) {
  TScalePropsVert source;
  source.SetLoading(false);
  source.StoreRangeLow(1);
  source.StoreRangeHigh(1000);
  source.SetLogarithmic(true);
  source.SetCaption("volts");
  source.SetCaptionPosX(3);
  source.SetCaptionPosY(-4);
  source.SetCaptionAlignment(TAlignment::taRightJustify);
  source.SetCaptionAnchor(TScaleUnitAnchor::uaSclCenter);
  source.SetColorScale(clMaroon);
  source.DateFormat()->SetYearLength(TYearLength::ylYY);
  source.SetDecPlaces(5);
  source.Font()->SetName("DejaVu Sans Mono");
  source.SetMinTicks(7);
  source.SetMinRange(0.5);
  source.SetShortTicks(false);
  source.SetScaleInscript("V");
  source.SetScaleLocation(TScaleLocationVert::slRight);
  source.SetScalePos(50);
  source.SetUserTickText("u");
  source.SetVisible(true);
  source.SetMouseAction(TMouseActMode::maPan);
  int sourceChanges = 0;
  source.OnChange = [&](TObject*) { ++sourceChanges; };

  TScalePropsVert dest;  // still loading
  int destChanges = 0;
  dest.OnChange = [&](TObject*) { ++destChanges; };
  dest.Assign(source);
  EXPECT_EQ(destChanges, 0);
  EXPECT_EQ(dest.RangeLow(), 1.0);
  EXPECT_EQ(dest.RangeHigh(), 1000.0);
  EXPECT_TRUE(dest.Logarithmic());
  EXPECT_EQ(dest.Caption(), "volts");
  EXPECT_EQ(dest.CaptionPosX(), 3);
  EXPECT_EQ(dest.CaptionPosY(), -4);
  EXPECT_EQ(dest.CaptionAlignment(), TAlignment::taRightJustify);
  EXPECT_EQ(dest.CaptionAnchor(), TScaleUnitAnchor::uaSclCenter);
  EXPECT_EQ(dest.ColorScale(), clMaroon);
  EXPECT_EQ(dest.DateFormat()->YearLength(), TYearLength::ylYY);
  EXPECT_EQ(dest.DecPlaces(), 5);
  EXPECT_EQ(dest.Font()->Name(), "DejaVu Sans Mono");
  EXPECT_EQ(dest.MinTicks(), 7);
  EXPECT_EQ(dest.MinRange(), 0.5);
  EXPECT_FALSE(dest.ShortTicks());
  EXPECT_EQ(dest.ScaleInscript(), "V");
  EXPECT_EQ(dest.Orientation(), TScaleType::sctYL);
  EXPECT_EQ(dest.ScaleLocation(), TScaleLocationVert::slLeft) << "the orientation is copied, the location not";
  EXPECT_EQ(dest.ScalePos(), 50);
  EXPECT_EQ(dest.UserTickText(), "u");
  EXPECT_TRUE(dest.Visible());
  EXPECT_EQ(dest.MouseAction(), TMouseActMode::maNone);
  EXPECT_TRUE(dest.Loading()) << "the loading flag is the receiving object's own";

  // Each object still reports to its own subscriber only.
  dest.SetCaption("amps");
  dest.Font()->SetSize(20);
  dest.DateFormat()->SetTimeFormat(TTimeFormat::tfAMPM);
  EXPECT_EQ(destChanges, 3);
  EXPECT_EQ(sourceChanges, 0);
}

TEST(ScaleProps, AssignBetweenAxesAndFromOtherClasses) {
  TScalePropsHoriz x;
  TScalePropsVert y;
  y.SetScaleLocation(TScaleLocationVert::slRight);
  y.StoreRangeLow(-5);
  x.Assign(y);
  EXPECT_EQ(x.RangeLow(), -5.0);
  TFont f;
  EXPECT_THROW(x.Assign(f), EConvertError);
  EXPECT_THROW(f.Assign(x), EConvertError);
}

TEST(ScaleProps, ReinitializeRestoresDefaultsQuietly) {
  TScalePropsVert p;
  p.SetLoading(false);
  p.SetCaption("c");
  p.SetScaleLocation(TScaleLocationVert::slRight);
  p.SetScalePos(9);
  p.Font()->SetName("X");
  int changes = 0;
  p.OnChange = [&](TObject*) { ++changes; };
  p.Reinitialize();
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(p.Caption(), "");
  EXPECT_EQ(p.Orientation(), TScaleType::sctYR);
  EXPECT_EQ(p.ScaleLocation(), TScaleLocationVert::slLeft);
  EXPECT_EQ(p.ScalePos(), 0);
  EXPECT_EQ(p.Font()->Name(), TFont().Name());
  EXPECT_FALSE(p.Loading()) << "reinitialising does not reopen loading";
  EXPECT_TRUE(p.OnChange);
}

TEST(ScaleProps, PublishedPropertiesInOrderThroughTheSetters) {
  RegisterClasses<TScalePropsHoriz, TScalePropsVert>();
  std::vector<std::string> names;
  for (const TPropInfo* p : TScalePropsVert::ClassInfo().Properties()) names.push_back(p->Name());
  EXPECT_EQ(names, (std::vector<std::string>{
                       "Caption", "CaptionPosX", "CaptionPosY", "CaptionAlignment", "CaptionAnchor", "ColorScale",
                       "DateFormat", "DecPlaces", "Font", "Logarithmic", "LabelType", "MinTicks", "MinRange",
                       "MouseAction", "RangeLow", "RangeHigh", "ShortTicks", "ScaleInscript", "ScalePos",
                       "UserTickText", "Visible", "OnChange", "ScaleLocation"}));
  TScalePropsVert p;
  p.SetLoading(false);
  SetPropertyText(p, "DecPlaces", "20");
  EXPECT_EQ(p.DecPlaces(), 12);
  SetPropertyText(p, "RangeLow", "2");
  EXPECT_EQ(p.RangeLow(), 2.0);
  SetPropertyText(p, "ScaleLocation", "slRight");
  EXPECT_EQ(p.Orientation(), TScaleType::sctYL);
  SetPropertyText(p, "Font.Name", "'DejaVu Sans'");
  EXPECT_EQ(p.Font()->Name(), "DejaVu Sans");
  EXPECT_EQ(GetPropertyText(p, "LabelType"), "ftNum");
  EXPECT_EQ(GetPropertyText(TScalePropsHoriz(), "ScaleLocation"), "slBottom");
}

}  // namespace
}  // namespace korvo

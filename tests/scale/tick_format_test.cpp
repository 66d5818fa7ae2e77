#include <gtest/gtest.h>

#include <limits>

#include "scale/Scale.h"

namespace korvo {
namespace {

TEST(FormatTickNumber, FixedPointWithExactlyTheDecimalsAsked) {
  EXPECT_EQ(FormatTickNumber(12.5L, 2), "12.50");
  EXPECT_EQ(FormatTickNumber(-3, 0), "-3");
  EXPECT_EQ(FormatTickNumber(0, 1), "0.0");
  EXPECT_EQ(FormatTickNumber(1234567.0L, 0), "1234567");  // no grouping
  EXPECT_EQ(FormatTickNumber(0.125L, 2), "0.12");          // an exact tie goes to even
  EXPECT_EQ(FormatTickNumber(2.5L, 0), "2");
  EXPECT_EQ(FormatTickNumber(1e20L, 0), "100000000000000000000");
}

TEST(FormatTickNumber, AValueThatShowsAsZeroHasNoSign) {
  EXPECT_EQ(FormatTickNumber(-0.001L, 2), "0.00");
  EXPECT_EQ(FormatTickNumber(-0.0L, 1), "0.0");
  EXPECT_EQ(FormatTickNumber(-0.0L, -1), " 0.0E+00");
  EXPECT_EQ(FormatTickNumber(-0.006L, 2), "-0.01");
}

TEST(FormatTickNumber, ExponentFormHasOneDigitEachSideAndTwoExponentDigits) {
  EXPECT_EQ(FormatTickNumber(1234, -1), " 1.2E+03");
  EXPECT_EQ(FormatTickNumber(-5e-7L, -1), "-5.0E-07");
  EXPECT_EQ(FormatTickNumber(2e6L, -1), " 2.0E+06");
  EXPECT_EQ(FormatTickNumber(0, -1), " 0.0E+00");
  EXPECT_EQ(FormatTickNumber(9.96L, -1), " 1.0E+01");  // rounding carries into the exponent
  EXPECT_EQ(FormatTickNumber(9.9e99L, -1), " 9.9E+99");
  EXPECT_EQ(FormatTickNumber(1e100L, -1), "********");
  EXPECT_EQ(FormatTickNumber(-1e-100L, -1), "********");
}

TEST(FormatTickNumber, NonFiniteValuesAndHugeFixedTextsAreSafe) {
  EXPECT_EQ(FormatTickNumber(std::numeric_limits<long double>::infinity(), 2), "********");
  EXPECT_EQ(FormatTickNumber(std::numeric_limits<long double>::quiet_NaN(), -1), "********");
  const std::string huge = FormatTickNumber(std::numeric_limits<long double>::max(), 12);
  EXPECT_EQ(huge.size(), 4933u + 13u);
  EXPECT_EQ(huge.substr(0, 5), "11897");
}

TEST(AutoDecPlaces, FollowsTheSpanOfTheRange) {
  EXPECT_EQ(AutoDecPlaces(-2, 10, 0), 1);
  EXPECT_EQ(AutoDecPlaces(-2, 1, 0), 2);
  EXPECT_EQ(AutoDecPlaces(-2, 0.1L, 0), 3);
  EXPECT_EQ(AutoDecPlaces(-2, 0.01L, 0), 4);
  EXPECT_EQ(AutoDecPlaces(-2, 50, 0), 0);
  EXPECT_EQ(AutoDecPlaces(-2, 3, -3), 1);  // 2 - Round(0.717)
  EXPECT_EQ(AutoDecPlaces(-3, 100, 0), 0);
  EXPECT_EQ(AutoDecPlaces(-2, 1e7L, 0), -1);
  EXPECT_EQ(AutoDecPlaces(-2, 1e6L, 0), -1);
  EXPECT_EQ(AutoDecPlaces(-2, 0.0001L, 0), -1);
  EXPECT_EQ(AutoDecPlaces(-2, 0, 10), 1);  // reversed ranges use the span
  for (int d : {-1, 0, 3, 12}) EXPECT_EQ(AutoDecPlaces(d, 1e9L, 0), d);
}

TEST(AutoDecPlacesLog, FollowsTheLowerEnd) {
  EXPECT_EQ(AutoDecPlacesLog(-2, 100, 0.5L), 1);
  EXPECT_EQ(AutoDecPlacesLog(-2, 100, 0.01L), 3);
  EXPECT_EQ(AutoDecPlacesLog(-2, 1000, 1), 0);
  EXPECT_EQ(AutoDecPlacesLog(-2, 1e7L, 1), -1);
  EXPECT_EQ(AutoDecPlacesLog(-2, 1e-5L, 1e-6L), -1);
  EXPECT_EQ(AutoDecPlacesLog(-3, 100, 0.01L), -3);  // decade numbers: unchanged
  EXPECT_EQ(AutoDecPlacesLog(4, 100, 0.01L), 4);
}

TEST(ApplyInscript, PutsTheTextAtTheAmpersandOrBehindTheInscript) {
  EXPECT_EQ(ApplyInscript("12", "& kg"), "12 kg");
  EXPECT_EQ(ApplyInscript("50", "&%"), "50%");
  EXPECT_EQ(ApplyInscript("50", "x="), "x=50");
  EXPECT_EQ(ApplyInscript("12", "$"), "$12");
  EXPECT_EQ(ApplyInscript("1", "a&b&c"), "a1b&c");  // only the first '&'
  EXPECT_EQ(ApplyInscript("", "& kg"), "");
  EXPECT_EQ(ApplyInscript("7", ""), "7");
}

TEST(UserTickTextItem, SelectsFieldsAndRepeatsTheLast) {
  EXPECT_EQ(UserTickTextItem("Jan|Feb|Mar", 1), "Jan");
  EXPECT_EQ(UserTickTextItem("Jan|Feb|Mar", 3), "Mar");
  EXPECT_EQ(UserTickTextItem("Jan|Feb|Mar", 4), "Mar");
  EXPECT_EQ(UserTickTextItem("Jan|Feb|Mar", 1000000), "Mar");
  EXPECT_EQ(UserTickTextItem("A||C", 1), "A");
  EXPECT_EQ(UserTickTextItem("A||C", 2), "");
  EXPECT_EQ(UserTickTextItem("A||C", 3), "C");
  EXPECT_EQ(UserTickTextItem("A||C", 4), "C");
  EXPECT_EQ(UserTickTextItem("A|B|", 3), "");
  EXPECT_EQ(UserTickTextItem("A|B|", 9), "");
  EXPECT_EQ(UserTickTextItem("", 1), "");
  EXPECT_EQ(UserTickTextItem("A|B", 0), "A");
}

TEST(FormatSeconds, HoursMinutesSecondsAndMilliseconds) {
  EXPECT_EQ(FormatSeconds(5405, false), " 01:30:05");
  EXPECT_EQ(FormatSeconds(0.25L, true), " 00:00:00.250");
  EXPECT_EQ(FormatSeconds(-10, false), "-00:00:10");
  EXPECT_EQ(FormatSeconds(-75.5L, true), "-00:01:15.500");
  EXPECT_EQ(FormatSeconds(360000, false), " 100:00:00");  // hours keep counting past a day
  EXPECT_EQ(FormatSeconds(59.7L, false), " 00:00:59");     // seconds are truncated
}

TEST(FormatSeconds, ATickJustBelowAWholeSecondReadsAsThatSecond) {
  // Tick positions carry rounding noise; 60 s computed as 59.9999999999 s
  // must not read 00:00:59, nor show 1000 milliseconds.
  EXPECT_EQ(FormatSeconds(59.9999999999L, false), " 00:01:00");
  EXPECT_EQ(FormatSeconds(59.9999999999L, true), " 00:01:00.000");
  EXPECT_EQ(FormatSeconds(0.30000000000000004L, true), " 00:00:00.300");
  EXPECT_EQ(FormatSeconds(-1e-12L, true), " 00:00:00.000");  // no sign on zero
}

TEST(FormatSeconds, NonFiniteAndAstronomicalValues) {
  EXPECT_EQ(FormatSeconds(std::numeric_limits<long double>::infinity(), false), "********");
  EXPECT_EQ(FormatSeconds(1e300L, true), "********");
  EXPECT_EQ(FormatSeconds(9e15L, false), " 2500000000000:00:00");
}

TEST(DateTimeText, SnapsNearZeroAndUsesTheFloorDayForNegatives) {
  EXPECT_EQ(DateTimeText("yyyy-mm-dd hh:nn", -1e-9L), "1899-12-30 00:00");
  EXPECT_EQ(DateTimeText("yyyy-mm-dd hh:nn", -0.25L), "1899-12-29 18:00");
  EXPECT_EQ(DateTimeText("dd mmm yyyy", 36526), "01 Jan 2000");
}

TEST(CutLabel, CutsToCharactersNotBytes) {
  std::string s = "12345678901234567";
  CutLabel(s, 14);
  EXPECT_EQ(s, "12345678901234");
  std::string u = "\xC2\xB5\xC2\xB5\xC2\xB5";  // three micro signs
  CutLabel(u, 2);
  EXPECT_EQ(u, "\xC2\xB5\xC2\xB5");
  std::string shorter = "abc";
  CutLabel(shorter, 14);
  EXPECT_EQ(shorter, "abc");
}

TEST(StripTrailingZeros, OnlyAfterADecimalPointAndNeverInExponents) {
  auto strip = [](std::string s) {
    StripTrailingZeros(s);
    return s;
  };
  EXPECT_EQ(strip("0.50"), "0.5");
  EXPECT_EQ(strip("2.000"), "2");
  EXPECT_EQ(strip("100"), "100");
  EXPECT_EQ(strip(" 1.0E+03"), " 1.0E+03");
  EXPECT_EQ(strip("10.010"), "10.01");
}

}  // namespace
}  // namespace korvo

#include <gtest/gtest.h>

#include <climits>

#include "platform/Calendar.h"
#include "tick_passes_fixture.h"

namespace korvo {
namespace {

using test::RunPasses;
using test::SameValues;
using test::Series;
using test::Settings;

TTickSettings TimeSettings(double lo, double hi, int minTicks = 3, bool shortTicks = true) {
  return Settings(lo, hi, minTicks, shortTicks, TFigType::ftTime, 4);
}

TEST(TimeSteps, TheTableAndItsChoice) {
  EXPECT_EQ(TimeSteps[1].Seconds, 0.001);
  EXPECT_EQ(TimeSteps[14].Seconds, 20);
  EXPECT_EQ(TimeSteps[14].SubDivisions, 4);
  EXPECT_EQ(TimeSteps[28].Seconds, 86400);
  EXPECT_EQ(TimeStepIndex(20), 14);
  EXPECT_EQ(TimeStepIndex(29.9L), 14);
  EXPECT_EQ(TimeStepIndex(30), 15);
  EXPECT_EQ(TimeStepIndex(0.6L / 3), 8);  // 0.2 s despite binary rounding
  EXPECT_EQ(TimeStepIndex(0.0009L), 0);
  EXPECT_EQ(TimeStepIndex(1e9L), 28);
}

TEST(TimeOfDayPass, ZeroToSixtySecondsStepsByTwenty) {
  const auto r = RunPasses(TimeSettings(0, 60));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), Series(0, 60, 20)));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), Series(0, 60, 5)));
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{" 00:00:00", " 00:00:20", " 00:00:40", " 00:01:00"}));
  EXPECT_EQ(r.List.Count(), 13);  // the short pass records
  for (const auto& t : r.Ticks.Ticks) {
    EXPECT_EQ(t.Pass, TTickPass::tpTimeOfDay);
    EXPECT_FALSE(t.ReportBeforeLabel);
  }
}

TEST(TimeOfDayPass, RunsUntilThePositionsPassTheHighEnd) {
  // A fixed count of positions would stop at 115 s and lose the 120 s major.
  const auto r = RunPasses(TimeSettings(29.5, 122));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), {30, 60, 90, 120}));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), Series(30, 120, 5)));
  EXPECT_EQ(r.Ticks.Labels().back(), " 00:02:00");
}

TEST(TimeOfDayPass, AReversedRangeKeepsBothEnds) {
  // The tolerance widens the range at both ends whatever its direction.
  const auto r = RunPasses(TimeSettings(60, 0));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), Series(60, 0, -20)));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), Series(60, 0, -5)));
  EXPECT_EQ(r.Ticks.MajorPixels().front(), 20);
  EXPECT_EQ(r.Ticks.MajorPixels().back(), 379);
}

TEST(TimeOfDayPass, NegativeTimes) {
  const auto r = RunPasses(TimeSettings(-90, 0, 3, false));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), Series(-90, 0, 30)));
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"-00:01:30", "-00:01:00", "-00:00:30", " 00:00:00"}));
  EXPECT_EQ(r.List.Count(), 4);
}

TEST(TimeOfDayPass, StepsBelowASecondShowMilliseconds) {
  const auto r = RunPasses(TimeSettings(0, 0.6, 3, false));
  EXPECT_EQ(r.Ticks.Labels(),
            (std::vector<std::string>{" 00:00:00.000", " 00:00:00.200", " 00:00:00.400", " 00:00:00.600"}));
  // One second steps do not.
  EXPECT_EQ(RunPasses(TimeSettings(0, 3, 3, false)).Ticks.Labels()[1], " 00:00:01");
}

TEST(TimeOfDayPass, EndsWithinTheToleranceAreTicks) {
  const auto r = RunPasses(TimeSettings(3600.0000000001, 7199.9999999999, 3, false));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), {3600, 4800, 6000, 7200}));
}

TEST(TimeOfDayPass, ADayOrMoreFallsBackToNumericLabels) {
  const auto r = RunPasses(TimeSettings(0, 86400 * 3));
  ASSERT_FALSE(r.Ticks.Ticks.empty());
  EXPECT_EQ(r.Ticks.Ticks.front().Pass, TTickPass::tpLinear);
  EXPECT_EQ(r.Ticks.Labels()[1], "50000.0000");  // DecPlaces 4, as ftTime sets it
  // Below a millisecond per interval, too.
  EXPECT_EQ(RunPasses(TimeSettings(0, 0.002)).Ticks.Ticks.front().Pass, TTickPass::tpLinear);
  // And a logarithmic scale then takes the logarithmic pass.
  auto s = TimeSettings(1, 1e7);
  s.Logarithmic = true;
  EXPECT_EQ(RunPasses(s).Ticks.Ticks.front().Pass, TTickPass::tpLogarithmic);
}

TEST(TimeOfDayPass, MinTicksZeroCountsAsOneInterval) {
  const auto r = RunPasses(TimeSettings(0, 60, 0));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), {0, 60}));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), Series(0, 60, 10)));
}

TEST(TimeOfDayPass, FarFromZeroAndCraftedMinTicksStayBounded) {
  // Far from zero a purely relative tolerance would reach across steps;
  // 1e15 s lies 10 s past a multiple of 30 s.
  auto r = RunPasses(TimeSettings(1e15, 1e15 + 100));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), {1e15 + 20, 1e15 + 50, 1e15 + 80}, 1e-17));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), Series(1e15, 1e15 + 100, 5), 1e-17));
  r = RunPasses(TimeSettings(0, 86399, INT_MAX));
  EXPECT_LE(r.Ticks.Ticks.size(), size_t(2 * MaxTickPositions));
  EXPECT_GT(r.Ticks.Ticks.size(), 0u);
}

// ---- date/time ----------------------------------------------------------

const double Apr5 = EncodeDate(2003, 4, 5);  // 37716

TTickSettings DateSettings(double lo, double hi, int minTicks = 3, bool shortTicks = true,
                           TScaleType type = TScaleType::sctXT) {
  TTickSettings s = Settings(lo, hi, minTicks, shortTicks, TFigType::ftDateTime);
  s.ScaleType = type;
  return s;
}

struct FormatFixture : ::testing::Test {
  FormatFixture() { format.SetScaleDefaults(); }
  TDTLabel format;
  test::PassResult Run(TTickSettings s) {
    s.DateFormat = &format;
    return RunPasses(s);
  }
};

TEST(DateTimeKinds, ThresholdsOfVerticalAndHorizontalScales) {
  TDateTimeKind k;
  EXPECT_FALSE(ChooseDateTimeKind(1.0L / 8640000, false, &k));
  EXPECT_TRUE(ChooseDateTimeKind(1.0L / 8640000 * 1.01L, false, &k));
  EXPECT_EQ(k, TDateTimeKind::dkHundredths);
  EXPECT_FALSE(ChooseDateTimeKind(1.0L / 8640000 * 1.01L, true, &k));
  EXPECT_FALSE(ChooseDateTimeKind(1.1574e-5L, true, &k));
  EXPECT_TRUE(ChooseDateTimeKind(1.2e-5L, true, &k));
  EXPECT_EQ(k, TDateTimeKind::dkSeconds);
  EXPECT_TRUE(ChooseDateTimeKind(1.0L / 1440, false, &k));
  EXPECT_EQ(k, TDateTimeKind::dkSeconds);
  EXPECT_TRUE(ChooseDateTimeKind(0.01L, true, &k));
  EXPECT_EQ(k, TDateTimeKind::dkMinutes);
  EXPECT_TRUE(ChooseDateTimeKind(1, true, &k));
  EXPECT_EQ(k, TDateTimeKind::dkHours);
  EXPECT_TRUE(ChooseDateTimeKind(30, true, &k));
  EXPECT_EQ(k, TDateTimeKind::dkDays);
  EXPECT_TRUE(ChooseDateTimeKind(366, true, &k));
  EXPECT_EQ(k, TDateTimeKind::dkMonths);
  EXPECT_TRUE(ChooseDateTimeKind(366.5L, true, &k));
  EXPECT_EQ(k, TDateTimeKind::dkYears);
}

TEST_F(FormatFixture, TenDaysStepByThreeDaysAlignedToTheFirstOfJanuary) {
  const auto r = Run(DateSettings(Apr5, Apr5 + 10));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), {37718, 37721, 37724}));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), {37716, 37717, 37719, 37720, 37722, 37723, 37725, 37726}));
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"07-Apr-2003", "10-Apr-2003", "13-Apr-2003"}));
  EXPECT_EQ(r.List.Count(), 11);
  for (const auto& t : r.Ticks.Ticks) EXPECT_EQ(t.Pass, TTickPass::tpDateTime);
}

TEST_F(FormatFixture, DayLabelsFollowTheDateOrderAndYearLength) {
  format.SetDateOrder(TDateOrder::doYYMMDD);
  format.SetMonthName(false);
  format.SetDateSeparator('/');
  EXPECT_EQ(Run(DateSettings(Apr5, Apr5 + 10, 3, false)).Ticks.Labels().front(), "2003/04/07");
  format.SetDateOrder(TDateOrder::doMMDDYY);
  format.SetYearLength(TYearLength::ylNone);
  EXPECT_EQ(Run(DateSettings(Apr5, Apr5 + 10, 3, false)).Ticks.Labels().front(), "04/07/");
}

TEST_F(FormatFixture, SubDayTicksFromANegativeStart) {
  // -2 .. -1.5: the first tick is -2 itself, not a day late; hours kind, step 3 h.
  const auto r = Run(DateSettings(-2, -1.5));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), {-2, -2 + 3 / 24.0, -2 + 6 / 24.0, -2 + 9 / 24.0, -1.5}));
  EXPECT_EQ(r.Ticks.Shorts().size(), 8u);
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"00:00", "03:00", "06:00", "09:00", "12:00"}));
  // One date line, at the first major (1899-12-28).
  ASSERT_TRUE(r.Ticks.Ticks.front().HasDateLine);
  EXPECT_EQ(r.Ticks.Ticks.front().DateLine, "28-Dec-1899");
  int lines = 0;
  for (const auto& t : r.Ticks.Ticks) lines += t.HasDateLine;
  EXPECT_EQ(lines, 1);
}

TEST_F(FormatFixture, AStartThatMissesItsTickByRoundingKeepsIt) {
  // Apr5 + 14 / 24 rounds to a double a hair after 14:00.
  const double start = Apr5 + 14 / 24.0;
  ASSERT_GT(Extended(start) * 1440, Extended(Apr5) * 1440 + 840);
  const auto r = Run(DateSettings(start, start + 1 / 24.0, 3, false));
  EXPECT_EQ(r.Ticks.Labels().front(), "14:00");
}

TEST_F(FormatFixture, SubDayStartsBetweenTicks) {
  const auto r = Run(DateSettings(-1.99, -1.5, 3, false));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), {-2 + 3 / 24.0, -2 + 6 / 24.0, -2 + 9 / 24.0, -1.5}));
}

TEST_F(FormatFixture, MinutesSecondsAndHundredths) {
  const double noon = Apr5 + 0.5;
  auto r = Run(DateSettings(noon, noon + 1 / 24.0));  // 20 min per interval
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"12:00", "12:20", "12:40", "13:00"}));
  EXPECT_EQ(r.Ticks.Shorts().size(), 9u);  // every 5 min
  r = Run(DateSettings(noon, noon + 60 / 86400.0));  // 20 s per interval
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"12:00:00", "12:00:20", "12:00:40", "12:01:00"}));
  // Hundredths only on vertical scales; three-digit milliseconds keep
  // 5.01 s and 5.1 s apart.
  r = Run(DateSettings(noon + 5 / 86400.0, noon + 5.03 / 86400.0, 3, false, TScaleType::sctYL));
  EXPECT_EQ(r.Ticks.Labels(),
            (std::vector<std::string>{"12:00:05.000", "12:00:05.010", "12:00:05.020", "12:00:05.030"}));
  r = Run(DateSettings(noon + 5 / 86400.0, noon + 5.3 / 86400.0, 3, false, TScaleType::sctYL));
  EXPECT_EQ(r.Ticks.Labels()[1], "12:00:05.100");
  r = Run(DateSettings(noon + 5 / 86400.0, noon + 5.3 / 86400.0, 3, false, TScaleType::sctXT));
  EXPECT_EQ(r.Outcome, TTickOutcome::toDateTimeBelowSecond);
  EXPECT_TRUE(r.Ticks.Ticks.empty());
}

TEST_F(FormatFixture, TimeFormats) {
  format.SetTimeFormat(TTimeFormat::tfAMPM);
  auto r = Run(DateSettings(Apr5, Apr5 + 1, 2, false));  // 12 h steps
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"12am", "12pm", "12am"}));
  r = Run(DateSettings(Apr5 + 14 / 24.0, Apr5 + 15 / 24.0, 3, false));
  EXPECT_EQ(r.Ticks.Labels()[1], "2:20pm");
  format.SetTimeFormat(TTimeFormat::tfHHhMM);
  r = Run(DateSettings(Apr5, Apr5 + 1, 2, false));
  EXPECT_EQ(r.Ticks.Labels()[1], "12h");
  r = Run(DateSettings(Apr5 + 14 / 24.0, Apr5 + 15 / 24.0, 3, false));
  EXPECT_EQ(r.Ticks.Labels()[1], "14h20");
  format.SetTimeFormat(TTimeFormat::tfHHMMSS);
  format.SetTimeSeparator('"');
  r = Run(DateSettings(Apr5 + 14 / 24.0, Apr5 + 15 / 24.0, 3, false));
  EXPECT_EQ(r.Ticks.Labels()[1], "14\"20");
}

TEST_F(FormatFixture, DateLinesOnePerDayPerChartAndAtAllTicks) {
  // Two days in 12-hour steps: majors at 0:00, 12:00, 0:00, 12:00, 0:00.
  const auto lines = [&](TDateForTime mode) {
    format.SetDateForTime(mode);
    std::vector<std::string> v;
    for (const auto& t : Run(DateSettings(Apr5, Apr5 + 2, 4, false)).Ticks.Ticks) {
      v.push_back(t.HasDateLine ? t.DateLine : "-");
    }
    return v;
  };
  EXPECT_EQ(lines(TDateForTime::dtNone), (std::vector<std::string>{"-", "-", "-", "-", "-"}));
  EXPECT_EQ(lines(TDateForTime::dtOnePerChart),
            (std::vector<std::string>{"05-Apr-2003", "-", "-", "-", "-"}));
  EXPECT_EQ(lines(TDateForTime::dtOnePerDay),
            (std::vector<std::string>{"05-Apr-2003", "-", "06-Apr-2003", "-", "07-Apr-2003"}));
  EXPECT_EQ(lines(TDateForTime::dtAllTicks),
            (std::vector<std::string>{"05-Apr-2003", "05-Apr-2003", "06-Apr-2003", "06-Apr-2003", "07-Apr-2003"}));
  format.SetYearLength(TYearLength::ylNone);
  EXPECT_EQ(lines(TDateForTime::dtOnePerChart).front(), "05-Apr");
}

TEST_F(FormatFixture, MonthsWithTheirSteps) {
  const double jan1 = EncodeDate(2003, 1, 1);
  const double next_jan1 = EncodeDate(2004, 1, 1);
  auto r = Run(DateSettings(jan1, next_jan1));  // 4 months per interval: step 3
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), {jan1, EncodeDate(2003, 4, 1), EncodeDate(2003, 7, 1),
                                            EncodeDate(2003, 10, 1), next_jan1}));
  EXPECT_EQ(r.Ticks.Shorts().size(), 8u);
  EXPECT_EQ(r.Ticks.Labels(),
            (std::vector<std::string>{"Jan-2003", "Apr-2003", "Jul-2003", "Oct-2003", "Jan-2004"}));
  // Without short ticks a start on the first of an aligned month keeps its tick.
  r = Run(DateSettings(jan1, next_jan1, 3, false));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), {jan1, EncodeDate(2003, 4, 1), EncodeDate(2003, 7, 1),
                                            EncodeDate(2003, 10, 1), next_jan1}));
  // A start inside a month begins at the next aligned month.
  r = Run(DateSettings(EncodeDate(2003, 2, 10), next_jan1 + 40, 3, false));
  EXPECT_EQ(r.Ticks.Labels().front(), "Apr-2003");
  format.SetDateOrder(TDateOrder::doYYMMDD);
  format.SetYearLength(TYearLength::ylYY);
  r = Run(DateSettings(jan1, next_jan1, 3, false));
  EXPECT_EQ(r.Ticks.Labels().front(), "03-Jan");
}

TEST_F(FormatFixture, YearsWithShortSpacingAndTheEndOfTheCalendar) {
  const double y1900 = EncodeDate(1900, 1, 1);
  const double y2000 = EncodeDate(2000, 1, 1);
  auto r = Run(DateSettings(y1900, y2000));  // 33 years per interval: step 20, short every 10
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"1900", "1920", "1940", "1960", "1980", "2000"}));
  EXPECT_EQ(r.Ticks.Shorts().size(), 5u);
  // A start after 1 January moves on by one spacing.
  r = Run(DateSettings(y1900 + 1, y2000, 3, false));
  EXPECT_EQ(r.Ticks.Labels().front(), "1920");
  // A range reaching past 9999 ends at the year 9999.
  r = Run(DateSettings(y2000, 3000000));
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"2000", "4000", "6000", "8000"}));
  EXPECT_EQ(r.Ticks.Ticks.back().Value, EncodeDate(9000, 1, 1));
  format.SetYearLength(TYearLength::ylYY);
  EXPECT_EQ(Run(DateSettings(y2000, 3000000)).Ticks.Labels()[1], "00");
  format.SetYearLength(TYearLength::ylNone);
  EXPECT_EQ(Run(DateSettings(y2000, 3000000)).Ticks.Labels()[1], "");
  format.SetYearLength(TYearLength::ylYYYY);
  r = Run(DateSettings(EncodeDate(980, 1, 1), EncodeDate(990, 1, 1), 3, false));
  EXPECT_EQ(r.Ticks.Labels().front(), "980");
}

TEST_F(FormatFixture, UnusableRangesGiveTextsInsteadOfTicks) {
  EXPECT_EQ(Run(DateSettings(10, 5)).Outcome, TTickOutcome::toInvalidDateTime);
  EXPECT_EQ(Run(DateSettings(-693594, 5)).Outcome, TTickOutcome::toInvalidDateTime);
  EXPECT_EQ(Run(DateSettings(0, 3000001)).Outcome, TTickOutcome::toInvalidDateTime);
  EXPECT_EQ(Run(DateSettings(-693593, 3000000)).Outcome, TTickOutcome::toTicks);
  EXPECT_EQ(Run(DateSettings(0, 1e-6)).Outcome, TTickOutcome::toDateTimeBelowSecond);
  EXPECT_TRUE(Run(DateSettings(10, 5)).Ticks.Ticks.empty());
}

TEST_F(FormatFixture, CraftedMinTicksOnThreeMillionDaysAreBounded) {
  const auto start = std::chrono::steady_clock::now();
  for (int m : {INT_MAX, 1000000, 100000, 0, -5}) {
    const auto r = Run(DateSettings(0, 3000000, m));
    EXPECT_EQ(r.Outcome, TTickOutcome::toTicks);
    EXPECT_LE(r.Ticks.Ticks.size(), size_t(MaxTickPositions));
  }
  // A sub-day kind over many days through the largest MinTicks.
  const auto r = Run(DateSettings(0, 100, INT_MAX, true, TScaleType::sctYL));
  EXPECT_LE(r.Ticks.Ticks.size(), size_t(MaxTickPositions));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(FormatFixture, AFormatWithEveryFieldZeroLeavesSeparatorsOut) {
  TDTLabel zero;
  auto s = DateSettings(Apr5, Apr5 + 10, 3, false);
  s.DateFormat = &zero;
  EXPECT_EQ(RunPasses(s).Ticks.Labels().front(), "0407");
  s.DateFormat = nullptr;
  EXPECT_EQ(RunPasses(s).Ticks.Labels().front(), "0407");
}

}  // namespace
}  // namespace korvo

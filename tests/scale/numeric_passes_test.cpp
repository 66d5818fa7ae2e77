#include <gtest/gtest.h>

#include <chrono>
#include <climits>

#include "tick_passes_fixture.h"

namespace korvo {
namespace {

using test::RunPasses;
using test::SameValues;
using test::Series;
using test::Settings;

TEST(LinearPass, MinusThreeToThreeHasWholeMajorsAndShortTicksEveryFifth) {
  const auto r = RunPasses(Settings(-3, 3));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), Series(-3, 3, 1)));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), Series(-3, 3, 0.2)));
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"-3.0", "-2.0", "-1.0", "0.0", "1.0", "2.0", "3.0"}));
  // All short ticks come first, and they alone are recorded.
  EXPECT_EQ(r.Ticks.Ticks.front().Kind, TTickKind::tkShort);
  EXPECT_EQ(r.Ticks.Ticks[31].Kind, TTickKind::tkMajor);
  EXPECT_TRUE(SameValues({r.List.Values().begin(), r.List.Values().end()}, Series(-3, 3, 0.2)));
  // The zero tick is exactly zero.
  EXPECT_EQ(r.Ticks.Majors()[3], 0.0);
  // Pixels: -3 at the left margin, 3 at Width - MarginRight - 1.
  EXPECT_EQ(r.Ticks.MajorPixels(), (std::vector<int32_t>{20, 80, 140, 200, 259, 319, 379}));
}

TEST(LinearPass, ZeroToHundredStepsByTwenty) {
  const auto r = RunPasses(Settings(0, 100));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), Series(0, 100, 20)));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), Series(0, 100, 5)));
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"0", "20", "40", "60", "80", "100"}));
}

TEST(LinearPass, WithoutShortTicksTheMajorsAreRecorded) {
  const auto r = RunPasses(Settings(0, 100, 3, false));
  EXPECT_TRUE(r.Ticks.Shorts().empty());
  EXPECT_TRUE(SameValues({r.List.Values().begin(), r.List.Values().end()}, Series(0, 100, 20)));
}

TEST(LinearPass, AReversedRangeRunsFromItsLowEndDown) {
  const auto r = RunPasses(Settings(10, 0));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), Series(10, 0, -2)));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), Series(10, 0, -0.5)));
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"10.0", "8.0", "6.0", "4.0", "2.0", "0.0"}));
  EXPECT_EQ(r.Ticks.MajorPixels().front(), 20);
  EXPECT_EQ(r.Ticks.MajorPixels().back(), 379);
}

TEST(LinearPass, MinTicksZeroStepsByOneWithFiveSubdivisionsUpToASpanOfTen) {
  auto r = RunPasses(Settings(0.5, 7.5, 0));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), Series(1, 7, 1)));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), Series(0.6, 7.4, 0.2)));
  r = RunPasses(Settings(0, 20, 0));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), Series(0, 20, 1)));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), Series(0, 20, 1)));  // short ticks coincide with majors
}

TEST(LinearPass, MinTicksZeroOnAReversedRangeEnds) {
  // With the step fixed at +1 the pass would walk away from RangeHigh for
  // ever; the step takes the range's direction.
  const auto r = RunPasses(Settings(7.5, 0.5, 0));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), Series(7, 1, -1)));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), Series(7.4, 0.6, -0.2)));
}

TEST(LinearPass, MinTicksZeroOnARangeWithoutAWholeNumberDrawsNothingOutsideIt) {
  const auto r = RunPasses(Settings(0.25, 0.75, 0, false));
  EXPECT_TRUE(r.Ticks.Majors().empty());
}

TEST(LinearPass, HugeRangesAgainstTheirStepStayBounded) {
  auto r = RunPasses(Settings(1e-300, 1e300, 10));
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), Series(0, 1e300, 1e299), 1e-9));
  // MinTicks 0 on a million units: a step of 1000, not a million ticks.
  r = RunPasses(Settings(0, 1e6, 0));
  EXPECT_EQ(r.Ticks.Majors().size(), 1001u);
  EXPECT_EQ(r.List.Count(), MaxRecordedTicks);
  EXPECT_EQ(r.List.Pos(250), 249000.0);
  // Adjacent doubles far from zero.
  r = RunPasses(Settings(1e300, 1.0000000000000002e300, 0));
  EXPECT_LE(r.Ticks.Ticks.size(), 2u * MaxUnitSteps + 2);
  r = RunPasses(Settings(1e300, 1.0000000000000002e300, INT_MAX));
  EXPECT_LE(r.Ticks.Ticks.size(), size_t(2 * MaxTickPositions));
}

TEST(LinearPass, ATickThatIsZeroUpToRoundingIsLabelledAndReportedAsZero) {
  // 0.1 steps from -0.3: the fourth tick is 0 only up to rounding in binary
  // arithmetic, yet must read as the drawing's zero.
  auto r = RunPasses(Settings(-0.3, 0.3));
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"-0.30", "-0.20", "-0.10", "0.00", "0.10", "0.20", "0.30"}));
  bool found = false;
  for (const auto& t : r.Ticks.Ticks) {
    if (t.Kind == TTickKind::tkMajor && t.Label == "0.00") {
      EXPECT_EQ(t.LabelValue, 0.0);
      found = true;
    }
  }
  EXPECT_TRUE(found);
  // Above a span of 100000 a zero reads "0" with 0 decimals, else "0.0".
  r = RunPasses(Settings(-2e7, 1e7));
  EXPECT_EQ(r.Ticks.Labels()[2], "0.0");
  EXPECT_EQ(r.Ticks.Labels()[3], " 1.0E+07");
  r = RunPasses(Settings(-200000, 400000, 3, true, TFigType::ftNum, 0));
  EXPECT_EQ(r.Ticks.Labels()[2], "0");
}

TEST(LinearPass, ZeroToTenMillionUsesTheExponentForm) {
  const auto r = RunPasses(Settings(0, 1e7));
  EXPECT_EQ(r.Ticks.Labels(),
            (std::vector<std::string>{"0.0", " 2.0E+06", " 4.0E+06", " 6.0E+06", " 8.0E+06", " 1.0E+07"}));
}

TEST(LinearPass, DecPlacesZeroLabelsOnlyWholeValues) {
  const auto r = RunPasses(Settings(0, 2, 3, false, TFigType::ftNum, 0));
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"0", "", "1", "", "2"}));
}

TEST(LinearPass, LongLabelsAreCutToFourteenCharacters) {
  const auto r = RunPasses(Settings(0, 1, 2, false, TFigType::ftNum, 12));
  EXPECT_EQ(r.Ticks.Labels()[1], "0.200000000000");
  EXPECT_EQ(r.Ticks.Labels()[1].size(), 14u);
}

TEST(LinearPass, InscriptsAndUserTexts) {
  auto s = Settings(0, 100);
  s.ScaleInscript = "&%";
  auto r = RunPasses(s);
  EXPECT_EQ(r.Ticks.Labels()[3], "60%");
  s.ScaleInscript = "x=";
  EXPECT_EQ(RunPasses(s).Ticks.Labels()[3], "x=60");
  s.LabelType = TFigType::ftUserText;
  s.UserTickText = "A||C";
  r = RunPasses(s);
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"A", "", "C", "C", "C", "C"}));
}

TEST(LinearPass, NoFiguresMeansNoLabels) {
  const auto r = RunPasses(Settings(0, 100, 3, true, TFigType::ftNoFigs));
  EXPECT_EQ(r.Ticks.Majors().size(), 6u);
  EXPECT_TRUE(r.Ticks.Labels().empty());
}

TEST(LinearPass, VerticalMajorsReportBeforeTheirLabelHorizontalOnesAfter) {
  auto s = Settings(0, 100);
  s.ScaleType = TScaleType::sctYL;
  for (const auto& t : RunPasses(s).Ticks.Ticks) EXPECT_EQ(t.ReportBeforeLabel, t.Kind == TTickKind::tkMajor);
  s.ScaleType = TScaleType::sctXB;
  for (const auto& t : RunPasses(s).Ticks.Ticks) EXPECT_FALSE(t.ReportBeforeLabel);
}

TEST(LinearPass, VerticalPixelsRunUpward) {
  auto s = Settings(0, 100);
  s.ScaleType = TScaleType::sctYR;
  EXPECT_EQ(RunPasses(s).Ticks.MajorPixels(), (std::vector<int32_t>{379, 307, 235, 164, 92, 20}));
}

TEST(LinearPass, TheListKeepsTheFirst250AndTheRestAreStillDrawn) {
  const auto r = RunPasses(Settings(0, 600, 0));
  EXPECT_EQ(r.Ticks.Ticks.size(), 601u * 2);
  EXPECT_EQ(r.List.Count(), 250);
  EXPECT_EQ(r.List.Pos(1), 0.0);
  EXPECT_EQ(r.List.Pos(250), 249.0);
  EXPECT_EQ(r.List.Pos(0), 0.0);
  EXPECT_EQ(r.List.Pos(251), 0.0);
}

TEST(LogarithmicPass, ThreeDecadesWithMinTicksThreeHaveOnlyDecadeTicks) {
  auto s = Settings(1, 1000);
  s.Logarithmic = true;
  const auto r = RunPasses(s);
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), {1, 10, 100, 1000}));
  EXPECT_TRUE(r.Ticks.Shorts().empty());
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"1", "10", "100", "1000"}));
  EXPECT_EQ(r.Ticks.MajorPixels(), (std::vector<int32_t>{20, 140, 259, 379}));
  for (const auto& t : r.Ticks.Ticks) {
    EXPECT_EQ(t.Pass, TTickPass::tpLogarithmic);
    EXPECT_TRUE(t.ReportBeforeLabel);
  }
}

TEST(LogarithmicPass, MinTicksFourAddsTwoAndFiveAndShortTicks) {
  auto s = Settings(1, 1000, 4);
  s.Logarithmic = true;
  auto r = RunPasses(s);
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}));
  EXPECT_TRUE(SameValues(r.Ticks.Shorts(), {3, 4, 6, 7, 8, 9, 30, 40, 60, 70, 80, 90, 300, 400, 600, 700, 800, 900}));
  // In one walk, decade by decade, every tick recorded.
  EXPECT_EQ(r.Ticks.Ticks[1].Value, 2);
  EXPECT_EQ(r.Ticks.Ticks[2].Value, 3);
  EXPECT_EQ(r.List.Count(), 28);
  s.ShortTicks = false;
  r = RunPasses(s);
  EXPECT_TRUE(r.Ticks.Shorts().empty());
  EXPECT_EQ(r.List.Count(), 10);
}

TEST(LogarithmicPass, LessThanADecadeIsDrawnLinearly) {
  auto s = Settings(2, 15);
  s.Logarithmic = true;
  const auto r = RunPasses(s);
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), Series(2, 14, 2)));
  EXPECT_EQ(r.Ticks.Labels().front(), "2.0");
  EXPECT_EQ(r.Ticks.Ticks.front().Pass, TTickPass::tpLinear);
}

TEST(LogarithmicPass, AutomaticDecimalsStripTrailingZeros) {
  auto s = Settings(0.01, 100);
  s.Logarithmic = true;
  EXPECT_EQ(RunPasses(s).Ticks.Labels(), (std::vector<std::string>{"0.01", "0.1", "1", "10", "100"}));
  s = Settings(0.5, 50, 4);
  s.Logarithmic = true;
  const auto r = RunPasses(s);
  EXPECT_EQ(r.Ticks.Labels(), (std::vector<std::string>{"0.5", "1", "2", "5", "10", "20", "50"}));
}

TEST(LogarithmicPass, DecadeNumbers) {
  auto s = Settings(1, 10000, 3, true, TFigType::ftNum, -3);
  s.Logarithmic = true;
  EXPECT_EQ(RunPasses(s).Ticks.Labels(), (std::vector<std::string>{"0", "1", "2", "3", "4"}));
  s = Settings(0.01, 1, 10, false, TFigType::ftNum, -3);
  s.Logarithmic = true;
  EXPECT_EQ(RunPasses(s).Ticks.Labels(), (std::vector<std::string>{"-2", "", "", "-1", "", "", "0"}));
}

TEST(LogarithmicPass, ReversedRangesAndTheEndsTolerance) {
  auto s = Settings(1000, 1);
  s.Logarithmic = true;
  const auto r = RunPasses(s);
  EXPECT_TRUE(SameValues(r.Ticks.Majors(), {1, 10, 100, 1000}));
  EXPECT_EQ(r.Ticks.MajorPixels(), (std::vector<int32_t>{379, 259, 140, 20}));
  // Ends within 1e-9 of a decade still get their tick.
  s = Settings(1.0000000001, 999.9999999);
  s.Logarithmic = true;
  EXPECT_TRUE(SameValues(RunPasses(s).Ticks.Majors(), {1, 10, 100, 1000}));
}

TEST(LogarithmicPass, ANonPositiveRangeDrawsNoTicks) {
  auto s = Settings(-5, 1000);
  s.Logarithmic = true;
  EXPECT_TRUE(RunPasses(s).Ticks.Ticks.empty());
  s = Settings(0, 1000);
  s.Logarithmic = true;
  EXPECT_TRUE(RunPasses(s).Ticks.Ticks.empty());
}

TEST(LogarithmicPass, TheWidestRangeIsBounded) {
  auto s = Settings(4.9406564584124654e-324, 1.7976931348623157e308, INT_MAX);
  s.Logarithmic = true;
  const auto r = RunPasses(s);
  EXPECT_EQ(r.Ticks.Majors().size(), 632u);  // 1e-324 .. 1e308
  EXPECT_EQ(r.List.Count(), 250);
}

TEST(LogarithmicPass, UserTextsCountTheLabelledTicks) {
  auto s = Settings(1, 100, 4, true, TFigType::ftUserText);
  s.Logarithmic = true;
  s.UserTickText = "a|b|c|d|e|f";
  EXPECT_EQ(RunPasses(s).Ticks.Labels(), (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "f"}));
}

}  // namespace
}  // namespace korvo

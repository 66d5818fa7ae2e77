#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/Calendar.h"
#include "platform/Exceptions.h"

namespace korvo {
namespace {

struct KnownDay {
  int Year, Month, Day;
  int32_t Value;
};

// Frozen from Python's datetime (date.toordinal() - 693594) when the test was
// written: fixed points of the calendar's rules and 40 seeded random dates.
constexpr KnownDay KnownDays[] = {
    {1, 1, 1, -693593},     {1, 12, 31, -693229},   {4, 2, 29, -692439},    {100, 2, 28, -657376},
    {100, 3, 1, -657375},   {400, 2, 29, -547803},  {1582, 10, 15, -115858}, {1899, 12, 29, -1},
    {1899, 12, 30, 0},      {1899, 12, 31, 1},      {1900, 2, 28, 60},      {1900, 3, 1, 61},
    {1970, 1, 1, 25569},    {2000, 2, 29, 36585},   {2000, 3, 1, 36586},    {2024, 12, 31, 45657},
    {9999, 12, 31, 2958465}, {5869, 7, 3, 1449833}, {1920, 8, 2, 7520},     {7730, 8, 8, 2129585},
    {362, 7, 31, -561530},  {6152, 10, 12, 1553298}, {9612, 3, 26, 2816837}, {7755, 7, 24, 2138701},
    {4189, 8, 31, 836285},  {3634, 7, 4, 633517},   {1346, 11, 26, -202013}, {7086, 11, 21, 1894474},
    {5146, 6, 18, 1185747}, {2687, 5, 18, 287585},  {6901, 8, 10, 1826801}, {5950, 12, 31, 1479598},
    {6061, 12, 28, 1520138}, {6885, 4, 22, 1820848}, {9896, 4, 28, 2920599}, {7404, 2, 5, 2010331},
    {7523, 6, 17, 2053927}, {7117, 5, 15, 1905606}, {3037, 5, 26, 415428},  {6554, 4, 14, 1699944},
    {5026, 1, 27, 1141776}, {6817, 10, 15, 1796187}, {7258, 3, 28, 1957058}, {4504, 8, 5, 951310},
    {4247, 9, 30, 857498},  {764, 9, 27, -414644},  {660, 11, 9, -452586},  {5945, 7, 16, 1477604},
    {2370, 3, 19, 171743},  {5485, 3, 25, 1309480}, {1481, 3, 18, -152958}, {8225, 8, 6, 2310378},
    {3789, 2, 4, 689980},   {1054, 11, 21, -308669}, {9755, 6, 22, 2869154}, {7979, 11, 17, 2220631},
    {807, 5, 27, -399062},
};

TEST(Calendar, EncodesAndDecodesTheOracleDates) {
  for (const KnownDay& k : KnownDays) {
    SCOPED_TRACE(testing::Message() << k.Year << "-" << k.Month << "-" << k.Day);
    EXPECT_EQ(EncodeDate(k.Year, k.Month, k.Day), double(k.Value));
    EXPECT_EQ(DayFromDate(k.Year, k.Month, k.Day), k.Value);
    EXPECT_EQ(DateFromDay(k.Value), (TDateParts{k.Year, k.Month, k.Day}));
    // Any time of that day decodes to the same date.
    EXPECT_EQ(DecodeDate(k.Value + 0.999L), (TDateParts{k.Year, k.Month, k.Day}));
  }
}

TEST(Calendar, EveryDayOfTheYearsOneToTenThousandRoundTripsAndFollowsItsPredecessor) {
  TDateParts prev = DateFromDay(MinDateDay - 1);
  EXPECT_EQ(prev, (TDateParts{0, 12, 31}));  // the proleptic year 0
  for (int64_t day = MinDateDay; day <= MaxDateDay + 1; ++day) {
    const TDateParts d = DateFromDay(day);
    ASSERT_EQ(DayFromDate(d.Year, d.Month, d.Day), day);
    const bool next_day = d.Year == prev.Year && d.Month == prev.Month && d.Day == prev.Day + 1;
    const bool next_month = d.Year == prev.Year && d.Month == prev.Month + 1 && d.Day == 1 &&
                            prev.Day == DaysInMonth(prev.Year, prev.Month);
    const bool next_year = d.Year == prev.Year + 1 && d.Month == 1 && d.Day == 1 && prev.Month == 12 && prev.Day == 31;
    ASSERT_TRUE(next_day || next_month || next_year) << "day " << day;
    prev = d;
  }
  EXPECT_EQ(prev, (TDateParts{10000, 1, 1}));
}

TEST(Calendar, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2001, 4), 30);
  EXPECT_EQ(DaysInMonth(2001, 12), 31);
  EXPECT_EQ(DaysInMonth(2001, 0), 0);
  EXPECT_EQ(DaysInMonth(2001, 13), 0);
}

TEST(Calendar, InvalidDatesAreRefusedWithoutChangingTheResult) {
  double date = 12345;
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, &date));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1, &date));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, &date));
  EXPECT_FALSE(TryEncodeDate(2001, 13, 1, &date));
  EXPECT_FALSE(TryEncodeDate(2001, 4, 31, &date));
  EXPECT_FALSE(TryEncodeDate(2001, 4, 0, &date));
  EXPECT_EQ(date, 12345);
  try {
    EncodeDate(1900, 2, 29);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Invalid date: year 1900, month 2, day 29");
  }
}

TEST(Calendar, SplitsNegativeValuesIntoTheFloorDayAndAPositiveTime) {
  TDateTimeParts p;
  ASSERT_TRUE(SplitDateTime(-0.25L, &p));
  EXPECT_EQ(p.Date, (TDateParts{1899, 12, 29}));
  EXPECT_EQ(p.Time, (TTimeParts{18, 0, 0, 0}));
  ASSERT_TRUE(SplitDateTime(-1.75L, &p));
  EXPECT_EQ(p.Date, (TDateParts{1899, 12, 28}));
  EXPECT_EQ(p.Time, (TTimeParts{6, 0, 0, 0}));
}

TEST(Calendar, TimeOfDayRoundsToTheMillisecondAndCarriesIntoTheNextDay) {
  TDateTimeParts p;
  // 12:34:56.789 on 2000-01-01, written as the sum it is in a chart.
  ASSERT_TRUE(SplitDateTime(36526.0L + (12 * 3600 + 34 * 60 + 56.789L) / 86400.0L, &p));
  EXPECT_EQ(p.Date, (TDateParts{2000, 1, 1}));
  EXPECT_EQ(p.Time, (TTimeParts{12, 34, 56, 789}));
  // A third of a millisecond before midnight is midnight of the next day,
  // never 24:00:00.
  ASSERT_TRUE(SplitDateTime(36526.0L + 1.0L - 0.0003L / 86400.0L, &p));
  EXPECT_EQ(p.Date, (TDateParts{2000, 1, 2}));
  EXPECT_EQ(p.Time, (TTimeParts{0, 0, 0, 0}));
}

TEST(Calendar, ValuesWithoutADateAreRejected) {
  TDateTimeParts p;
  EXPECT_FALSE(SplitDateTime(std::numeric_limits<long double>::quiet_NaN(), &p));
  EXPECT_FALSE(SplitDateTime(std::numeric_limits<long double>::infinity(), &p));
  EXPECT_FALSE(SplitDateTime(1e13L, &p));
  EXPECT_FALSE(SplitDateTime(-1e13L, &p));
  EXPECT_EQ(DecodeDate(std::numeric_limits<long double>::infinity()).Year, 0);
  EXPECT_EQ(FormatDateTime("yyyy", std::numeric_limits<long double>::quiet_NaN()), "");
}

TEST(Calendar, ShortMonthNamesAreEnglish) {
  EXPECT_EQ(ShortMonthName(1), "Jan");
  EXPECT_EQ(ShortMonthName(5), "May");
  EXPECT_EQ(ShortMonthName(12), "Dec");
  EXPECT_EQ(ShortMonthName(0), "");
  EXPECT_EQ(ShortMonthName(13), "");
}

// 2003-04-05 14:07:09.045 and 2003-04-05 00:30:00.
const long double Afternoon = EncodeDate(2003, 4, 5) + (14 * 3600 + 7 * 60 + 9.045L) / 86400.0L;
const long double AfterMidnight = EncodeDate(2003, 4, 5) + 0.5L / 24.0L;

TEST(CalendarPicture, DateTokens) {
  EXPECT_EQ(FormatDateTime("d/m/yy", Afternoon), "5/4/03");
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy", Afternoon), "05.04.2003");
  EXPECT_EQ(FormatDateTime("mmm dd", Afternoon), "Apr 05");
  EXPECT_EQ(FormatDateTime("DD-MMM-YYYY", Afternoon), "05-Apr-2003");
  EXPECT_EQ(FormatDateTime("yyyy", EncodeDate(987, 6, 1)), "0987");
  EXPECT_EQ(FormatDateTime("yy", EncodeDate(2100, 6, 1)), "00");
}

TEST(CalendarPicture, TimeTokensAndTheTwelveHourClock) {
  EXPECT_EQ(FormatDateTime("hh:nn:ss.zz", Afternoon), "14:07:09.45");
  EXPECT_EQ(FormatDateTime("h:n:s.zzz", Afternoon), "14:7:9.045");
  EXPECT_EQ(FormatDateTime("h:nn am/pm", Afternoon), "2:07 pm");
  EXPECT_EQ(FormatDateTime("h AM/PM", AfterMidnight), "12 AM");
  EXPECT_EQ(FormatDateTime("hh:nn", AfterMidnight), "00:30");
  EXPECT_EQ(FormatDateTime("ham/pm", EncodeDate(2003, 4, 5) + 0.5L), "12pm");
  EXPECT_EQ(FormatDateTime("h", EncodeDate(2003, 4, 5) + 23.0L / 24), "23");
  EXPECT_EQ(FormatDateTime("ham/pm", EncodeDate(2003, 4, 5) + 23.0L / 24), "11pm");
}

TEST(CalendarPicture, QuotedTextIsCopiedAndDoesNotCountAsAmPm) {
  EXPECT_EQ(FormatDateTime("h\"h\"nn", Afternoon), "14h07");
  EXPECT_EQ(FormatDateTime("hh\"am/pm\"", Afternoon), "14am/pm");
  EXPECT_EQ(FormatDateTime("dd\"\"\"\"mm", Afternoon), "05\"04");
  EXPECT_EQ(FormatDateTime("dd\"dd", Afternoon), "05dd");  // unterminated: the rest is text
  EXPECT_EQ(FormatDateTime("dd\xC2\xB7mm", Afternoon), "05\xC2\xB7" "04");
  std::string out = "old";
  FormatDateTime("", Afternoon, out);
  EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace korvo

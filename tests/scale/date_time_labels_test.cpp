#include <gtest/gtest.h>

#include "platform/Calendar.h"
#include "scale/Scale.h"

namespace korvo {
namespace {

// 2003-04-05 14:07:09.045
const long double When = EncodeDate(2003, 4, 5) + (14 * 3600 + 7 * 60 + 9.045L) / 86400;

class LabelPictures : public ::testing::Test {
 protected:
  LabelPictures() { f.SetScaleDefaults(); }
  std::string Time(TDateTimeKind kind) {
    TimeLabelPicture(kind, f, picture);
    return DateTimeText(picture, When);
  }
  std::string Date(TDateTimeKind kind) {
    DateLabelPicture(kind, f, picture);
    return DateTimeText(picture, When);
  }
  std::string Line() {
    DateLinePicture(f, picture);
    return DateTimeText(picture, When);
  }
  TDTLabel f;
  std::string picture;
};

TEST_F(LabelPictures, TimeLabelsByKindAndFormat) {
  using K = TDateTimeKind;
  EXPECT_EQ(Time(K::dkHours), "14:07");
  EXPECT_EQ(Time(K::dkMinutes), "14:07");
  EXPECT_EQ(Time(K::dkSeconds), "14:07:09");
  EXPECT_EQ(Time(K::dkHundredths), "14:07:09.045");
  f.SetTimeFormat(TTimeFormat::tfHHhMM);
  EXPECT_EQ(Time(K::dkHours), "14h");
  EXPECT_EQ(Time(K::dkMinutes), "14h07");
  EXPECT_EQ(Time(K::dkSeconds), "14h07:09");
  EXPECT_EQ(Time(K::dkHundredths), "14h07:09.045");
  f.SetTimeFormat(TTimeFormat::tfAMPM);
  EXPECT_EQ(Time(K::dkHours), "2pm");
  EXPECT_EQ(Time(K::dkMinutes), "2:07pm");
  EXPECT_EQ(Time(K::dkSeconds), "2:07.09pm");
  EXPECT_EQ(Time(K::dkHundredths), "2:07.09.045pm");
}

TEST_F(LabelPictures, DateLabelsByOrder) {
  using K = TDateTimeKind;
  EXPECT_EQ(Date(K::dkDays), "05-Apr-2003");
  EXPECT_EQ(Date(K::dkMonths), "Apr-2003");
  f.SetDateOrder(TDateOrder::doMMDDYY);
  EXPECT_EQ(Date(K::dkDays), "Apr-05-2003");
  EXPECT_EQ(Date(K::dkMonths), "Apr-2003");
  f.SetDateOrder(TDateOrder::doYYMMDD);
  f.SetMonthName(false);
  f.SetYearLength(TYearLength::ylYY);
  EXPECT_EQ(Date(K::dkDays), "03-04-05");
  EXPECT_EQ(Date(K::dkMonths), "03-04");
  f.SetYearLength(TYearLength::ylNone);  // the separators stay
  EXPECT_EQ(Date(K::dkDays), "-04-05");
  EXPECT_EQ(Date(K::dkMonths), "-04");
}

TEST_F(LabelPictures, DateLineWithAndWithoutYear) {
  EXPECT_EQ(Line(), "05-Apr-2003");
  f.SetYearLength(TYearLength::ylNone);
  EXPECT_EQ(Line(), "05-Apr");
  f.SetDateOrder(TDateOrder::doMMDDYY);
  EXPECT_EQ(Line(), "Apr-05");
  f.SetDateOrder(TDateOrder::doYYMMDD);
  EXPECT_EQ(Line(), "Apr-05");
}

TEST_F(LabelPictures, AnyCharacterServesAsSeparator) {
  f.SetDateSeparator('"');
  f.SetTimeSeparator('h');  // a picture letter, but quoted
  EXPECT_EQ(Date(TDateTimeKind::dkDays), "05\"Apr\"2003");
  EXPECT_EQ(Time(TDateTimeKind::dkSeconds), "14h07h09");
  f.SetDateSeparator(char(0xB7));  // Latin-1 middle dot, written as UTF-8
  EXPECT_EQ(Date(TDateTimeKind::dkMonths), "Apr\xC2\xB7" "2003");
  f.SetDateSeparator('\0');
  EXPECT_EQ(Date(TDateTimeKind::dkMonths), "Apr2003");
}

TEST(YearLabel, Lengths) {
  std::string s;
  YearLabel(987, TYearLength::ylYYYY, s);
  EXPECT_EQ(s, "987");
  YearLabel(2003, TYearLength::ylYY, s);
  EXPECT_EQ(s, "03");
  YearLabel(2000, TYearLength::ylYY, s);
  EXPECT_EQ(s, "00");
  YearLabel(2003, TYearLength::ylNone, s);
  EXPECT_EQ(s, "");
}

}  // namespace
}  // namespace korvo

#include <gtest/gtest.h>

#include <vector>

#include "base/korvobase.h"
#include "platform/framework/Properties.h"

namespace korvo {
namespace {

// Records every notification with its sender.
struct Recorder {
  std::vector<TObject*> Senders;
  void Attach(TDTLabel& label) {
    label.OnChange = [this](TObject* sender) { Senders.push_back(sender); };
  }
};

TEST(DTLabel, ANewObjectAsksForNumericMonthsNoYearMonthDayOrderAndNoDateLine) {
  TDTLabel f;
  EXPECT_EQ(f.TimeFormat(), TTimeFormat::tfHHMMSS);
  EXPECT_EQ(f.DateSeparator(), '\0');
  EXPECT_EQ(f.TimeSeparator(), '\0');
  EXPECT_EQ(f.YearLength(), TYearLength::ylNone);
  EXPECT_FALSE(f.MonthName());
  EXPECT_EQ(f.DateOrder(), TDateOrder::doMMDDYY);
  EXPECT_EQ(f.DateForTime(), TDateForTime::dtNone);
  EXPECT_FALSE(f.OnChange);
}

TEST(DTLabel, TimeFormatAndDateOrderNotifyEvenWhenUnchanged) {
  TDTLabel f;
  Recorder r;
  r.Attach(f);
  f.SetTimeFormat(f.TimeFormat());
  f.SetDateOrder(f.DateOrder());
  ASSERT_EQ(r.Senders.size(), 2u);
  EXPECT_EQ(r.Senders[0], &f);
  EXPECT_EQ(r.Senders[1], &f);
}

TEST(DTLabel, TheOtherSettersNotifyOnlyOnChange) {
  TDTLabel f;
  Recorder r;
  r.Attach(f);
  f.SetDateSeparator('\0');
  f.SetTimeSeparator('\0');
  f.SetYearLength(TYearLength::ylNone);
  f.SetMonthName(false);
  f.SetDateForTime(TDateForTime::dtNone);
  EXPECT_TRUE(r.Senders.empty());

  f.SetDateSeparator('/');
  f.SetTimeSeparator('.');
  f.SetYearLength(TYearLength::ylYY);
  f.SetMonthName(true);
  f.SetDateForTime(TDateForTime::dtAllTicks);
  EXPECT_EQ(r.Senders.size(), 5u);
  EXPECT_EQ(f.DateSeparator(), '/');
  EXPECT_EQ(f.TimeSeparator(), '.');
  EXPECT_EQ(f.YearLength(), TYearLength::ylYY);
  EXPECT_TRUE(f.MonthName());
  EXPECT_EQ(f.DateForTime(), TDateForTime::dtAllTicks);
}

TEST(DTLabel, ScaleDefaultsGoThroughTheSettersInOrder) {
  TDTLabel f;
  Recorder r;
  r.Attach(f);
  f.SetScaleDefaults();
  // Every one of the seven differs from the zero state except TimeFormat,
  // which notifies anyway.
  EXPECT_EQ(r.Senders.size(), 7u);
  EXPECT_EQ(f.TimeFormat(), TTimeFormat::tfHHMMSS);
  EXPECT_EQ(f.DateSeparator(), '-');
  EXPECT_EQ(f.TimeSeparator(), ':');
  EXPECT_EQ(f.YearLength(), TYearLength::ylYYYY);
  EXPECT_TRUE(f.MonthName());
  EXPECT_EQ(f.DateForTime(), TDateForTime::dtOnePerDay);
  EXPECT_EQ(f.DateOrder(), TDateOrder::doDDMMYY);
  // Again: only the two that always notify.
  r.Senders.clear();
  f.SetScaleDefaults();
  EXPECT_EQ(r.Senders.size(), 2u);
}

TEST(DTLabel, AssignCopiesTheSettingsSilentlyAndTheTargetKeepsItsOwnOwner) {
  TDTLabel source;
  source.SetTimeFormat(TTimeFormat::tfAMPM);
  source.SetDateSeparator('/');
  source.SetTimeSeparator('.');
  source.SetYearLength(TYearLength::ylYY);
  source.SetMonthName(true);
  source.SetDateOrder(TDateOrder::doYYMMDD);
  source.SetDateForTime(TDateForTime::dtOnePerChart);
  Recorder source_owner, target_owner;
  source_owner.Attach(source);

  {
    TDTLabel target;
    target_owner.Attach(target);
    target.Assign(source);
    EXPECT_TRUE(target_owner.Senders.empty());
    EXPECT_TRUE(source_owner.Senders.empty());
    EXPECT_EQ(target.TimeFormat(), TTimeFormat::tfAMPM);
    EXPECT_EQ(target.DateSeparator(), '/');
    EXPECT_EQ(target.TimeSeparator(), '.');
    EXPECT_EQ(target.YearLength(), TYearLength::ylYY);
    EXPECT_TRUE(target.MonthName());
    EXPECT_EQ(target.DateOrder(), TDateOrder::doYYMMDD);
    EXPECT_EQ(target.DateForTime(), TDateForTime::dtOnePerChart);

    target.SetYearLength(TYearLength::ylYYYY);
    ASSERT_EQ(target_owner.Senders.size(), 1u);
    EXPECT_EQ(target_owner.Senders[0], &target);
    EXPECT_TRUE(source_owner.Senders.empty());
  }
  // The target is gone; the source still reports to its own owner only.
  source.SetMonthName(false);
  EXPECT_EQ(source_owner.Senders.size(), 1u);
  EXPECT_EQ(target_owner.Senders.size(), 1u);
}

TEST(DTLabel, AssignToAnotherTDTLabelGoesThroughAssign) {
  TDTLabel source, target;
  source.SetDateOrder(TDateOrder::doYYMMDD);
  TPersistent& as_persistent = target;
  as_persistent.Assign(source);
  EXPECT_EQ(target.DateOrder(), TDateOrder::doYYMMDD);
}

TEST(DTLabel, AssignFromAnotherClassRaisesTheAssignmentErrorAndChangesNothing) {
  TDTLabel f;
  f.SetScaleDefaults();
  TCrossHair other;
  try {
    f.Assign(other);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TCrossHair to a TDTLabel");
  }
  EXPECT_EQ(f.DateSeparator(), '-');
  EXPECT_EQ(f.DateOrder(), TDateOrder::doDDMMYY);
  // And the other direction: a crosshair does not take a date format.
  EXPECT_THROW(other.Assign(f), EConvertError);
}

TEST(DTLabel, SeparatorsAsFormTextAreOneLatin1Character) {
  TDTLabel f;
  EXPECT_EQ(f.DateSeparatorText(), "");  // code 0
  f.SetDateSeparatorText("/");
  EXPECT_EQ(f.DateSeparator(), '/');
  EXPECT_EQ(f.DateSeparatorText(), "/");
  f.SetTimeSeparatorText("\xC2\xB7");  // U+00B7 middle dot
  EXPECT_EQ(f.TimeSeparator(), char(0xB7));
  EXPECT_EQ(f.TimeSeparatorText(), "\xC2\xB7");
  f.SetTimeSeparatorText("\xC3\xBF");  // U+00FF, the last Latin-1 character
  EXPECT_EQ(f.TimeSeparator(), char(0xFF));
  f.SetDateSeparatorText("");
  EXPECT_EQ(f.DateSeparator(), '\0');
  for (const char* bad : {"ab", "\xE2\x82\xAC" /* euro sign */, "\xC2", "\x80"}) {
    EXPECT_THROW(f.SetDateSeparatorText(bad), EPropertyError) << bad;
  }
  EXPECT_EQ(f.DateSeparator(), '\0');  // unchanged by the refusals
}

TEST(DTLabel, PublishesItsSevenSettingsAndOnChangeInOrder) {
  const TClassInfo& info = TDTLabel::ClassInfo();
  std::vector<std::string> names;
  for (const TPropInfo* p : info.Properties()) names.push_back(p->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"TimeFormat", "DateSeparator", "TimeSeparator", "YearLength",
                                             "MonthName", "DateOrder", "DateForTime", "OnChange"}));
  TDTLabel f;
  info.FindProperty("DateSeparator")->Set(f, TFormValue::String("."));
  info.FindProperty("DateOrder")->Set(f, TFormValue::Ident("doYYMMDD"));
  EXPECT_EQ(f.DateSeparator(), '.');
  EXPECT_EQ(f.DateOrder(), TDateOrder::doYYMMDD);
  EXPECT_EQ(info.FindProperty("TimeSeparator")->Get(f), TFormValue::String(""));
}

}  // namespace
}  // namespace korvo

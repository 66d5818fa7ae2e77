// The date/time label format: how a scale writes dates and times. Each scale
// owns one as its DateFormat; the object only stores the settings and
// reports changes, the scale builds the texts.
#pragma once

#include <functional>
#include <string>

#include "base/BaseEnums.h"
#include "platform/Export.h"
#include "platform/Persistent.h"

namespace korvo {

class TClassInfo;

// A new object has every field zero: tfHHMMSS, both separators the character
// code 0, ylNone, numeric months, doMMDDYY, dtNone, no handler. Its owner
// gives it the owner's defaults right after creating it.
//
// Change notification: TimeFormat and DateOrder notify on every call, even
// with the current value; the other setters notify only when the value
// changes. OnChange is called with this object as Sender.
//
// The separators are single bytes, taken as Latin-1 characters when a label
// is written (so 0xB7 is the middle dot); a separator of code 0 is left out
// of the label.
class PLOTWELL_API TDTLabel : public TPersistent {
 public:
  TDTLabel() = default;
  ~TDTLabel() override;
  TDTLabel(const TDTLabel&) = delete;
  TDTLabel& operator=(const TDTLabel&) = delete;
  const char* ClassName() const override { return "TDTLabel"; }
  static const TClassInfo& ClassInfo();

  // From another TDTLabel: copies the seven settings and notifies nobody;
  // OnChange stays this object's own, so it keeps reporting to its own
  // owner. Any other source raises the framework's assignment error and
  // changes nothing.
  void Assign(const TPersistent& source) override;

  TTimeFormat TimeFormat() const { return time_format_; }
  void SetTimeFormat(TTimeFormat value);
  char DateSeparator() const { return date_separator_; }
  void SetDateSeparator(char value);
  char TimeSeparator() const { return time_separator_; }
  void SetTimeSeparator(char value);
  TYearLength YearLength() const { return year_length_; }
  void SetYearLength(TYearLength value);
  // True: the month as its three-letter name; false: as a two-digit number.
  bool MonthName() const { return month_name_; }
  void SetMonthName(bool value);
  TDateOrder DateOrder() const { return date_order_; }
  void SetDateOrder(TDateOrder value);
  // How often a date accompanies the time labels of scales with steps below
  // a day.
  TDateForTime DateForTime() const { return date_for_time_; }
  void SetDateForTime(TDateForTime value);

  // The separators as form descriptions write them: a string of one
  // character, empty for code 0 (DateSeparator = '-'). Characters above
  // 127 are Latin-1, written as UTF-8. A longer text or a character
  // outside Latin-1 raises EPropertyError naming the text.
  std::string DateSeparatorText() const;
  void SetDateSeparatorText(const std::string& text);
  std::string TimeSeparatorText() const;
  void SetTimeSeparatorText(const std::string& text);

  // The defaults a scale gives its format, through the setters in this
  // order: tfHHMMSS, '-', ':', ylYYYY, month names, dtOnePerDay, doDDMMYY.
  void SetScaleDefaults();

  std::function<void(TObject* Sender)> OnChange;

 protected:
  void AssignTo(TPersistent& dest) const override;

 private:
  void Changed();

  TTimeFormat time_format_ = TTimeFormat::tfHHMMSS;
  char date_separator_ = 0;
  char time_separator_ = 0;
  TYearLength year_length_ = TYearLength::ylNone;
  bool month_name_ = false;
  TDateOrder date_order_ = TDateOrder::doMMDDYY;
  TDateForTime date_for_time_ = TDateForTime::dtNone;
};

}  // namespace korvo

#include "base/DTLabel.h"

#include "platform/Exceptions.h"
#include "platform/framework/Properties.h"

namespace korvo {
namespace {

std::string SeparatorText(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b == 0) return {};
  if (b < 0x80) return std::string(1, c);
  return {char(0xC0 | (b >> 6)), char(0x80 | (b & 0x3F))};
}

char SeparatorFromText(const std::string& text) {
  if (text.empty()) return 0;
  if (text.size() == 1 && static_cast<unsigned char>(text[0]) < 0x80) return text[0];
  const auto b0 = static_cast<unsigned char>(text[0]);
  if (text.size() == 2 && (b0 == 0xC2 || b0 == 0xC3) && (static_cast<unsigned char>(text[1]) & 0xC0) == 0x80) {
    return char(((b0 & 0x03) << 6) | (static_cast<unsigned char>(text[1]) & 0x3F));
  }
  throw EPropertyError("'" + text + "' is not a single Latin-1 character for a separator");
}

}  // namespace

const TClassInfo& TDTLabel::ClassInfo() {
  using C = TDTLabel;
  static const TClassInfo& info = DefineClass<C, TPersistent>("TDTLabel")
                                      .Prop("TimeFormat", &C::TimeFormat, &C::SetTimeFormat)
                                      .Prop("DateSeparator", &C::DateSeparatorText, &C::SetDateSeparatorText)
                                      .Prop("TimeSeparator", &C::TimeSeparatorText, &C::SetTimeSeparatorText)
                                      .Prop("YearLength", &C::YearLength, &C::SetYearLength)
                                      .Prop("MonthName", &C::MonthName, &C::SetMonthName)
                                      .Prop("DateOrder", &C::DateOrder, &C::SetDateOrder)
                                      .Prop("DateForTime", &C::DateForTime, &C::SetDateForTime)
                                      .Event("OnChange", &C::OnChange)
                                      .Register();
  return info;
}

TDTLabel::~TDTLabel() { OnChange = nullptr; }

void TDTLabel::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TDTLabel*>(&source)) {
    time_format_ = s->time_format_;
    date_separator_ = s->date_separator_;
    time_separator_ = s->time_separator_;
    year_length_ = s->year_length_;
    month_name_ = s->month_name_;
    date_order_ = s->date_order_;
    date_for_time_ = s->date_for_time_;
    return;
  }
  TPersistent::Assign(source);
}

void TDTLabel::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TDTLabel*>(&dest)) {
    d->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

void TDTLabel::SetTimeFormat(TTimeFormat value) {
  time_format_ = value;
  Changed();
}

void TDTLabel::SetDateSeparator(char value) {
  if (value == date_separator_) return;
  date_separator_ = value;
  Changed();
}

void TDTLabel::SetTimeSeparator(char value) {
  if (value == time_separator_) return;
  time_separator_ = value;
  Changed();
}

void TDTLabel::SetYearLength(TYearLength value) {
  if (value == year_length_) return;
  year_length_ = value;
  Changed();
}

void TDTLabel::SetMonthName(bool value) {
  if (value == month_name_) return;
  month_name_ = value;
  Changed();
}

void TDTLabel::SetDateOrder(TDateOrder value) {
  date_order_ = value;
  Changed();
}

void TDTLabel::SetDateForTime(TDateForTime value) {
  if (value == date_for_time_) return;
  date_for_time_ = value;
  Changed();
}

std::string TDTLabel::DateSeparatorText() const { return SeparatorText(date_separator_); }

void TDTLabel::SetDateSeparatorText(const std::string& text) { SetDateSeparator(SeparatorFromText(text)); }

std::string TDTLabel::TimeSeparatorText() const { return SeparatorText(time_separator_); }

void TDTLabel::SetTimeSeparatorText(const std::string& text) { SetTimeSeparator(SeparatorFromText(text)); }

void TDTLabel::SetScaleDefaults() {
  SetTimeFormat(TTimeFormat::tfHHMMSS);
  SetDateSeparator('-');
  SetTimeSeparator(':');
  SetYearLength(TYearLength::ylYYYY);
  SetMonthName(true);
  SetDateForTime(TDateForTime::dtOnePerDay);
  SetDateOrder(TDateOrder::doDDMMYY);
}

void TDTLabel::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace korvo

#include "base/DTLabel.h"

namespace korvo {

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

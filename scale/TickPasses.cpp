#include "scale/TickPasses.h"

#include <algorithm>
#include <cmath>

#include "platform/Calendar.h"
#include "scale/NiceTicks.h"
#include "scale/TickFormat.h"

namespace korvo {

const TTimeStep TimeSteps[29] = {
    {0, 0},       {0.001, 5}, {0.002, 4},  {0.005, 5},  {0.01, 5},   {0.02, 4},    {0.05, 5},    {0.1, 5},
    {0.2, 4},     {0.5, 5},   {1, 5},      {2, 4},      {5, 5},      {10, 5},      {20, 4},      {30, 6},
    {60, 6},      {120, 6},   {180, 6},    {300, 5},    {600, 5},    {1200, 6},    {1800, 6},    {3600, 6},
    {7200, 4},    {14400, 4}, {21600, 6},  {43200, 6},  {86400, 6},
};

namespace {

constexpr Extended RelTol = 0.999999999L;  // the passes' relative tolerance of 1e-9
constexpr int MaxDecades = 800;            // positive long doubles from doubles span ~632
// Date/time positions within this many days of a range end count as inside
// it, at both ends (about 0.9 ms, below the finest step).
constexpr Extended DayTol = 1e-8L;

// Time and date passes divide by MinTicks; 0 (a fixed step on numeric
// scales) counts as 1 there.
int IntervalCount(int minTicks) { return std::clamp(minTicks, 1, MaxMinTicks); }

// The step values of the sub-day kinds, in units of the kind.
struct TSubDayKind {
  Extended UnitsPerDay;
  int Steps[6];
  int ShortSpacing[6];
};
constexpr TSubDayKind SubDayKinds[4] = {
    {8640000, {1, 2, 5, 10, 20, 50}, {1, 1, 1, 5, 10, 10}},  // hundredths
    {86400, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}},     // seconds
    {1440, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}},      // minutes
    {24, {1, 2, 3, 6, 8, 12}, {1, 1, 1, 2, 2, 3}},           // hours
};

int64_t NonNegativeMod(int64_t a, int64_t b) {
  const int64_t r = a % b;
  return r < 0 ? r + b : r;
}

}  // namespace

int TimeStepIndex(Extended secondsPerInterval) {
  for (int k = 28; k >= 1; --k) {
    // A step equal to the interval counts, also when the interval comes out
    // a hair below it (0.6 s / 3 in binary is just under 0.2 s).
    if (Extended(TimeSteps[k].Seconds) <= secondsPerInterval / RelTol) return k;
  }
  return 0;
}

bool ChooseDateTimeKind(Extended per, bool horizontal, TDateTimeKind* kind) {
  if (horizontal) {
    if (per <= 1.1574e-5L) return false;
    if (per <= 6.9444e-4L) {
      *kind = TDateTimeKind::dkSeconds;
      return true;
    }
  } else {
    if (per <= 1.0L / 8640000) return false;
    if (per <= 1.0L / 86400) {
      *kind = TDateTimeKind::dkHundredths;
      return true;
    }
    if (per <= 1.0L / 1440) {
      *kind = TDateTimeKind::dkSeconds;
      return true;
    }
  }
  if (per <= 0.041667L) {
    *kind = TDateTimeKind::dkMinutes;
  } else if (per <= 1) {
    *kind = TDateTimeKind::dkHours;
  } else if (per <= 30) {
    *kind = TDateTimeKind::dkDays;
  } else if (per > 366) {
    *kind = TDateTimeKind::dkYears;
  } else {
    *kind = TDateTimeKind::dkMonths;
  }
  return true;
}

TTickEngine::TTickEngine() {
  number_.reserve(64);
  label_.reserve(64);
  date_line_.reserve(64);
  picture_.reserve(64);
  date_line_picture_.reserve(64);
}

TTickOutcome TTickEngine::Run(const TTickSettings& settings, TTickList& list, TTickSink& sink) {
  s_ = &settings;
  list_ = &list;
  sink_ = &sink;
  list.Clear();
  user_text_index_ = 0;
  last_date_line_day_ = -1;
  date_line_drawn_ = false;

  TTickOutcome outcome = TTickOutcome::toTicks;
  switch (settings.LabelType) {
    case TFigType::ftDateTime:
      outcome = DateTimePass();
      break;
    case TFigType::ftTime:
      if (TimeOfDayPass()) break;
      [[fallthrough]];
    default:
      if (!settings.Logarithmic || !LogarithmicPass()) LinearPass();
      break;
  }
  s_ = nullptr;
  list_ = nullptr;
  sink_ = nullptr;
  return outcome;
}

void TTickEngine::Emit(TTick& tick) {
  tick.Pixel = ValueToPixel(s_->Mapping, tick.Value);
  sink_->Tick(tick);
}

// ---- numeric labels -------------------------------------------------------

void TTickEngine::FinishNumericLabel(TTick& tick) {
  if (s_->LabelType == TFigType::ftUserText) {
    label_.assign(UserTickTextItem(s_->UserTickText, ++user_text_index_));
  } else {
    ApplyInscript(number_, s_->ScaleInscript, label_);
  }
  tick.HasLabel = true;
  tick.Label = label_;
}

void TTickEngine::LinearLabel(TTick& tick, Extended value, int decimals) {
  if (s_->LabelType == TFigType::ftNoFigs) return;
  const Extended span = Extended(s_->RangeHigh) - s_->RangeLow;
  if (std::fabs(value / span) < 1e-14L) {
    value = 0;
    tick.LabelValue = 0;
    if (std::fabs(span) <= 100000) {
      FormatTickNumber(0, decimals, number_);
    } else {
      number_.assign(decimals == 0 ? "0" : "0.0");
    }
  } else {
    FormatTickNumber(value, decimals, number_);
  }
  CutLabel(number_, 14);
  if (s_->DecPlaces == 0 && std::fabs(value - Round(value)) > 1e-6L) number_.clear();
  FinishNumericLabel(tick);
}

void TTickEngine::LogLabel(TTick& tick, Extended value, bool decade, int decimals) {
  if (s_->LabelType == TFigType::ftNoFigs) return;
  if (decimals == -3) {
    if (decade) {
      FormatTickNumber(Round(std::log10(value)), 0, number_);
    } else {
      number_.clear();
    }
  } else {
    FormatTickNumber(value, decimals, number_);
  }
  CutLabel(number_, 14);
  if (s_->DecPlaces == -2) StripTrailingZeros(number_);
  FinishNumericLabel(tick);
}

// ---- linear pass ----------------------------------------------------------

void TTickEngine::LinearPass() {
  const TTickSettings& s = *s_;
  const TNiceTicks nt = CalcNiceTicks(s.MinTicks, s.RangeLow, s.RangeHigh);
  if (nt.Step == 0) return;
  const Extended lo = s.RangeLow;
  const Extended hi = s.RangeHigh;
  const Extended dir = hi > lo ? 1 : -1;
  const Extended step = nt.Step;
  const Extended minor = step / nt.SubDivisions;
  const int decimals = AutoDecPlaces(s.DecPlaces, hi, lo);

  // Positions are whole multiples of the step (or of the minor step), so a
  // tick at zero is exactly zero.
  if (s.ShortTicks) {
    const Extended base = (nt.FirstIndex - 1) * nt.SubDivisions;
    for (int k = 0; k < MaxTickPositions; ++k) {
      const Extended p = (base + k) * minor;
      if (dir * p >= dir * lo) {
        TTick t;
        t.Pass = TTickPass::tpLinear;
        t.Value = double(p);
        t.LabelValue = t.Value;
        list_->Add(t.Value);
        Emit(t);
      }
      if (dir * ((base + k + 1) * minor - hi) > 0.001L * std::fabs(minor)) break;
    }
  }
  const bool vertical = !IsHorizontal(s.ScaleType);
  for (int i = 0; i < MaxTickPositions; ++i) {
    const Extended p = (nt.FirstIndex + i) * step;
    // The first position lies beyond the range only with MinTicks 0 on a
    // range that holds no whole number; it is not drawn then.
    if (dir * (p - hi) <= 0.001L * std::fabs(step)) {
      TTick t;
      t.Pass = TTickPass::tpLinear;
      t.Kind = TTickKind::tkMajor;
      t.Value = double(p);
      t.LabelValue = t.Value;
      t.ReportBeforeLabel = vertical;
      if (!s.ShortTicks) list_->Add(t.Value);
      LinearLabel(t, p, decimals);
      Emit(t);
    }
    if (dir * ((nt.FirstIndex + i + 1) * step - hi) > 0.001L * std::fabs(step)) break;
  }
}

// ---- logarithmic pass -----------------------------------------------------

bool TTickEngine::LogarithmicPass() {
  const TTickSettings& s = *s_;
  const Extended lo = s.RangeLow;
  const Extended hi = s.RangeHigh;
  // Without a positive range there is no logarithm to place ticks by.
  if (!(lo > 0 && hi > 0) || !std::isfinite(lo) || !std::isfinite(hi)) return true;
  const Extended decades = std::fabs(std::log10(hi / lo));
  if (decades < 1) return false;
  const Extended lower = std::min(lo, hi);
  const Extended upper = std::max(lo, hi);
  const Extended base = std::pow(10.0L, std::floor(std::log10(lower * RelTol)));
  const bool subdivide = std::clamp(s.MinTicks, 0, MaxMinTicks) > decades + 0.5L;
  const int decimals = AutoDecPlacesLog(s.DecPlaces, upper, lower);

  auto produce = [&](Extended v, bool major, bool decade) {
    if (!(v / RelTol > lower && RelTol * v < upper)) return;
    TTick t;
    t.Pass = TTickPass::tpLogarithmic;
    t.Kind = major ? TTickKind::tkMajor : TTickKind::tkShort;
    t.Value = double(v);
    t.LabelValue = t.Value;
    t.ReportBeforeLabel = true;
    list_->Add(t.Value);
    if (major) LogLabel(t, v, decade, decimals);
    Emit(t);
  };

  Extended m = 1;
  for (int d = 0; d < MaxDecades; ++d) {
    const Extended decade = base * m;
    produce(decade, true, true);
    if (subdivide) {
      for (int f = 2; f <= 9; ++f) {
        const bool major = f == 2 || f == 5;
        if (major || s.ShortTicks) produce(f * decade, major, false);
      }
    }
    m *= 10;
    if (upper < RelTol * base * m) break;
  }
  return true;
}

// ---- time-of-day pass -----------------------------------------------------

bool TTickEngine::TimeOfDayPass() {
  const TTickSettings& s = *s_;
  const Extended lo = s.RangeLow;
  const Extended hi = s.RangeHigh;
  if (!std::isfinite(lo) || !std::isfinite(hi) || lo == hi) return false;
  const int k = TimeStepIndex(std::fabs(hi - lo) / IntervalCount(s.MinTicks));
  if (k < 1 || k > 27) return false;

  const Extended dir = hi > lo ? 1 : -1;
  const Extended step = dir * Extended(TimeSteps[k].Seconds);
  const int sub = TimeSteps[k].SubDivisions;
  const Extended minor = step / sub;

  // The range widened at both ends, whatever its direction, by a relative
  // 1e-9 that never exceeds a thousandth of a short step (far from zero a
  // purely relative tolerance would reach across whole steps).
  const Extended a = std::min(lo, hi);
  const Extended b = std::max(lo, hi);
  const Extended cap = 0.001L * std::fabs(minor);
  const Extended low_lim = a - std::min(std::fabs(a) * (1 - RelTol), cap);
  const Extended high_lim = b + std::min(std::fabs(b) * (1 - RelTol), cap);
  // Positions are whole multiples of the minor step, from the first one
  // inside the widened range until they pass its far end.
  const Extended first_index = std::ceil((dir > 0 ? low_lim : high_lim) / minor);
  const Extended end = dir > 0 ? high_lim : low_lim;
  auto inside = [&](Extended v) { return v >= low_lim && v <= high_lim; };

  if (s.ShortTicks) {
    for (int u = 0; u < MaxTickPositions; ++u) {
      const Extended v = (first_index + u) * minor;
      if (dir * v > dir * end) break;
      if (!inside(v)) continue;
      TTick t;
      t.Pass = TTickPass::tpTimeOfDay;
      t.Value = double(v);
      t.LabelValue = t.Value;
      list_->Add(t.Value);
      Emit(t);
    }
  }
  const bool with_ms = k <= 9;
  for (int u = 0; u < MaxTickPositions; ++u) {
    const Extended v = (first_index + u) * minor;
    if (dir * v > dir * end) break;
    const Extended q = v / step;
    const Extended whole = Int(q + (q >= 0 ? 0.5L : -0.5L));
    if (!inside(v) || std::fabs(q - whole) >= 0.01L) continue;
    TTick t;
    t.Pass = TTickPass::tpTimeOfDay;
    t.Kind = TTickKind::tkMajor;
    t.Value = double(v);
    t.LabelValue = t.Value;
    if (!s.ShortTicks) list_->Add(t.Value);
    FormatSeconds(v, with_ms, label_);
    t.HasLabel = true;
    t.Label = label_;
    Emit(t);
  }
  return true;
}

// ---- date/time pass -------------------------------------------------------

TTickOutcome TTickEngine::DateTimePass() {
  const TTickSettings& s = *s_;
  const Extended lo = s.RangeLow;
  const Extended hi = s.RangeHigh;
  if (!(hi >= lo) || lo < MinDateDay || hi > 3000000) return TTickOutcome::toInvalidDateTime;
  const int intervals = IntervalCount(s.MinTicks);
  const Extended per = (hi - lo) / intervals;
  TDateTimeKind kind;
  if (!ChooseDateTimeKind(per, IsHorizontal(s.ScaleType), &kind)) return TTickOutcome::toDateTimeBelowSecond;

  const TDTLabel& format = s.DateFormat ? *s.DateFormat : zero_format_;
  switch (kind) {
    case TDateTimeKind::dkDays:
    case TDateTimeKind::dkMonths:
      DateLabelPicture(kind, format, picture_);
      break;
    case TDateTimeKind::dkYears:
      break;
    default:
      TimeLabelPicture(kind, format, picture_);
      DateLinePicture(format, date_line_picture_);
      break;
  }
  switch (kind) {
    case TDateTimeKind::dkDays: DayTicks(per); break;
    case TDateTimeKind::dkMonths: MonthTicks(intervals); break;
    case TDateTimeKind::dkYears: YearTicks(intervals); break;
    default: SubDayTicks(kind, per); break;
  }
  return TTickOutcome::toTicks;
}

void TTickEngine::DateTimeMajor(TTick& tick, bool subDay) {
  tick.Kind = TTickKind::tkMajor;
  DateTimeText(picture_, tick.Value, label_);
  tick.HasLabel = true;
  tick.Label = label_;
  if (!subDay) return;
  const TDTLabel& format = s_->DateFormat ? *s_->DateFormat : zero_format_;
  TDateTimeParts parts;
  const Extended v = std::fabs(tick.Value) < 1e-8 ? 0.0L : Extended(tick.Value);
  const int day = SplitDateTime(v, &parts) ? parts.Date.Day : 0;
  bool show = false;
  switch (format.DateForTime()) {
    case TDateForTime::dtNone: break;
    case TDateForTime::dtOnePerChart: show = !date_line_drawn_; break;
    case TDateForTime::dtOnePerDay: show = day != last_date_line_day_; break;
    case TDateForTime::dtAllTicks: show = true; break;
  }
  date_line_drawn_ = true;  // "one per chart" means at the first major tick only
  if (!show) return;
  last_date_line_day_ = day;
  DateTimeText(date_line_picture_, tick.Value, date_line_);
  tick.HasDateLine = true;
  tick.DateLine = date_line_;
}

void TTickEngine::SubDayTicks(TDateTimeKind kind, Extended per) {
  const TTickSettings& s = *s_;
  const TSubDayKind& k = SubDayKinds[size_t(kind)];
  const Extended x = k.UnitsPerDay * per;
  int choice = 0;
  for (int i = 5; i >= 0; --i) {
    if (k.Steps[i] <= x / RelTol) {
      choice = i;
      break;
    }
  }
  const int64_t step = k.Steps[choice];
  const int64_t spacing = s.ShortTicks ? k.ShortSpacing[choice] : step;
  // Every step divides the day, so multiples counted from midnight are
  // multiples counted from day 0: the first one at or after RangeLow is
  // found directly, whatever the sign of RangeLow.
  const Extended lo = s.RangeLow;
  const Extended hi = s.RangeHigh;
  int64_t index = int64_t(std::ceil((lo - DayTol) * k.UnitsPerDay / spacing));
  for (int n = 0; n < MaxTickPositions; ++n, ++index) {
    const Extended v = Extended(index) * spacing / k.UnitsPerDay;
    if (v - hi >= DayTol) break;
    if (v < lo - DayTol) continue;
    TTick t;
    t.Pass = TTickPass::tpDateTime;
    t.Value = double(v);
    t.LabelValue = t.Value;
    list_->Add(t.Value);
    if (!s.ShortTicks || NonNegativeMod(index * spacing, step) == 0) DateTimeMajor(t, true);
    Emit(t);
  }
}

void TTickEngine::DayTicks(Extended per) {
  const TTickSettings& s = *s_;
  static constexpr int Steps[6] = {1, 2, 3, 7, 14, 28};
  int step = 1;
  for (int i = 5; i >= 0; --i) {
    if (Steps[i] <= per / RelTol) {
      step = Steps[i];
      break;
    }
  }
  const Extended lo = s.RangeLow;
  const Extended hi = s.RangeHigh;
  const int64_t jan1 = DayFromDate(DecodeDate(lo).Year, 1, 1);
  const int64_t first = jan1 + step * (int64_t(Int(lo - jan1)) / step);
  const int64_t phase = NonNegativeMod(first, step);
  const int64_t advance = !s.ShortTicks ? step : (step >= 14 ? 7 : 1);
  int64_t day = first;
  for (int n = 0; n < MaxTickPositions; ++n, day += advance) {
    const Extended v = Extended(day);
    if (v - hi >= DayTol) break;
    if (v < lo - DayTol) continue;
    TTick t;
    t.Pass = TTickPass::tpDateTime;
    t.Value = double(v);
    t.LabelValue = t.Value;
    list_->Add(t.Value);
    if (!s.ShortTicks || NonNegativeMod(day, step) == phase) DateTimeMajor(t, false);
    Emit(t);
  }
}

void TTickEngine::MonthTicks(int intervals) {
  const TTickSettings& s = *s_;
  static constexpr int Steps[5] = {1, 2, 3, 4, 6};
  const Extended lo = s.RangeLow;
  const Extended hi = s.RangeHigh;
  const Extended pm = (hi - lo) / 30.4375L / intervals;
  int step = 1;
  for (int i = 4; i >= 0; --i) {
    if (Steps[i] <= pm / RelTol) {
      step = Steps[i];
      break;
    }
  }
  const TDateParts start = DecodeDate(lo);
  int64_t year = start.Year;
  int month = start.Month;
  auto advance = [&](int by) {
    month += by;
    while (month > 12) {
      month -= 12;
      ++year;
    }
  };
  // Without short ticks only the months 1, 1 + step, ... carry ticks. The
  // month of RangeLow itself counts when it is one of them: its first day
  // may be RangeLow exactly.
  if (step > 1 && !s.ShortTicks) {
    while (month % step != 1) advance(1);
  }
  for (int n = 0; n < MaxTickPositions; ++n) {
    const Extended v = Extended(DayFromDate(year, month, 1));
    if (v - hi >= DayTol) break;
    if (v >= lo - DayTol) {
      TTick t;
      t.Pass = TTickPass::tpDateTime;
      t.Value = double(v);
      t.LabelValue = t.Value;
      list_->Add(t.Value);
      if (!(s.ShortTicks && step != 1 && month % step != 1)) DateTimeMajor(t, false);
      Emit(t);
    }
    advance(s.ShortTicks ? 1 : step);
  }
}

void TTickEngine::YearTicks(int intervals) {
  const TTickSettings& s = *s_;
  const Extended lo = s.RangeLow;
  const Extended hi = s.RangeHigh;
  const Extended py = std::max<Extended>(1, (hi - lo) / 365.25L / intervals);
  const Extended lg = std::log10(py);
  const Extended mantissa = std::pow(10.0L, Frac(lg));
  const int factor = mantissa < 2 ? 1 : mantissa < 5 ? 2 : 5;
  // 10^Int(lg) by multiplication, so that 100 is exactly 100.
  int64_t power = 1;
  for (int i = 0; i < int(Int(lg)) && power < 1000000000; ++i) power *= 10;
  const int64_t step = power * factor;
  int64_t spacing = step;
  if (s.ShortTicks && step != 1) spacing = int64_t(Round(Extended(step) / (factor == 5 ? 5 : 2)));

  const TDTLabel& format = s.DateFormat ? *s.DateFormat : zero_format_;
  const int64_t start_year = DecodeDate(lo).Year;
  int64_t year = (start_year + spacing - 1) / spacing * spacing;  // years are >= 1 here
  if (year == start_year && lo > Extended(DayFromDate(start_year, 1, 1)) + DayTol) year += spacing;
  for (int n = 0; n < MaxTickPositions && year <= 9999; ++n, year += spacing) {
    const Extended v = Extended(DayFromDate(year, 1, 1));
    if (v - hi >= DayTol) break;
    TTick t;
    t.Pass = TTickPass::tpDateTime;
    t.Value = double(v);
    t.LabelValue = t.Value;
    list_->Add(t.Value);
    if (!(s.ShortTicks && year % step != 0)) {
      t.Kind = TTickKind::tkMajor;
      YearLabel(year, format.YearLength(), label_);
      t.HasLabel = true;
      t.Label = label_;
    }
    Emit(t);
  }
}

}  // namespace korvo

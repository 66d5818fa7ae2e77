// The tick passes: which values of a scale's range are ticks, which of them
// are major (labelled) and which short, their pixels, their label texts, and
// the order in which a drawing meets them.
//
// RunTickPasses empties the tick list and then runs, by label type:
//   ftDateTime  the date/time pass (values are days since 1899-12-30)
//   ftTime      the time-of-day pass (values are seconds); when its step
//               would be a day or more, or below a millisecond, the numeric
//               passes below instead
//   otherwise   the logarithmic pass when Logarithmic (a range of less than
//               a decade uses the linear pass), else the linear pass.
// Each tick goes to the sink as it is produced, in drawing order; the first
// 250 are recorded in the list. Nothing is allocated per tick: label texts
// are written into buffers the engine keeps from drawing to drawing.
//
// Every pass is bounded: MinTicks counts as at most MaxMinTicks, the first
// tick is computed directly rather than walked to, and a pass examines at
// most MaxTickPositions positions, whatever the range.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/BaseEnums.h"
#include "base/DTLabel.h"
#include "platform/Export.h"
#include "scale/DateTimeLabels.h"
#include "scale/ScaleTransform.h"
#include "scale/TickList.h"

namespace korvo {

constexpr int MaxTickPositions = 20000;

// The time-of-day steps in seconds with their short-tick subdivisions,
// index 1 .. 28 (index 0 unused).
struct TTimeStep {
  double Seconds;
  int SubDivisions;
};
extern PLOTWELL_API const TTimeStep TimeSteps[29];

// The index of the time-of-day step for a span of seconds per interval: the
// largest step not above it (28 down to 1), 0 when none is.
PLOTWELL_API int TimeStepIndex(Extended secondsPerInterval);

// The date/time step kind for a span of days per interval, with the
// thresholds of vertical or horizontal scales. False when the interval is
// below the finest kind (below 0.01 s on vertical scales, about 1 s on
// horizontal ones).
PLOTWELL_API bool ChooseDateTimeKind(Extended daysPerInterval, bool horizontal, TDateTimeKind* kind);

enum class TTickPass : uint8_t { tpLinear, tpLogarithmic, tpTimeOfDay, tpDateTime };
enum class TTickKind : uint8_t { tkShort, tkMajor };

// One tick as a drawing meets it.
struct TTick {
  TTickPass Pass = TTickPass::tpLinear;
  TTickKind Kind = TTickKind::tkShort;
  double Value = 0;       // the tick's value (recorded, and where it is drawn)
  int32_t Pixel = 0;      // ValueToPixel(Value): x on horizontal, y on vertical scales
  // The value reported with the label and with a tick report that follows
  // the label: Value, except 0 for a linear tick that counts as exactly zero.
  double LabelValue = 0;
  // Major ticks of every label type except ftNoFigs have a label (possibly
  // empty) that goes through OnBeforeTickLabel.
  bool HasLabel = false;
  std::string_view Label;
  // Sub-day date/time ticks may carry a date line beside the time label.
  bool HasDateLine = false;
  std::string_view DateLine;
  // Whether OnScaleTickDrawn comes before the label is drawn (major ticks of
  // the vertical linear pass and of the logarithmic pass) or after it.
  bool ReportBeforeLabel = false;
};

class PLOTWELL_API TTickSink {
 public:
  virtual ~TTickSink() = default;
  virtual void Tick(const TTick& tick) = 0;
};

// What a drawing shows instead of ticks.
enum class TTickOutcome : uint8_t {
  toTicks,                // ticks (possibly none)
  toInvalidDateTime,      // "invalid DateTime scale"
  toDateTimeBelowSecond,  // "DateTime range is below 1 second"
};

struct TTickSettings {
  double RangeLow = 0;
  double RangeHigh = 100;
  bool Logarithmic = false;
  int MinTicks = 3;
  bool ShortTicks = true;
  TFigType LabelType = TFigType::ftNum;
  int DecPlaces = -2;
  TScaleType ScaleType = TScaleType::sctXB;
  std::string_view ScaleInscript;
  std::string_view UserTickText;
  const TDTLabel* DateFormat = nullptr;  // null: a format with every field zero
  TValueMapping Mapping;
};

class PLOTWELL_API TTickEngine {
 public:
  TTickEngine();
  TTickOutcome Run(const TTickSettings& settings, TTickList& list, TTickSink& sink);

 private:
  void Emit(TTick& tick);
  void LinearPass();
  bool LogarithmicPass();
  bool TimeOfDayPass();
  TTickOutcome DateTimePass();
  void SubDayTicks(TDateTimeKind kind, Extended perInterval);
  void DayTicks(Extended perInterval);
  void MonthTicks(int minTicks);
  void YearTicks(int minTicks);
  void DateLabel(Extended value);
  void DateTimeMajor(TTick& tick, bool subDay);
  void LinearLabel(TTick& tick, Extended value, int decimals);
  void LogLabel(TTick& tick, Extended value, bool decade, int decimals);
  void FinishNumericLabel(TTick& tick);

  const TTickSettings* s_ = nullptr;
  TTickList* list_ = nullptr;
  TTickSink* sink_ = nullptr;
  TDTLabel zero_format_;
  // Per drawing.
  int user_text_index_ = 0;
  int last_date_line_day_ = -1;
  bool date_line_drawn_ = false;
  // Reused buffers.
  std::string number_;
  std::string label_;
  std::string date_line_;
  std::string picture_;
  std::string date_line_picture_;
};

}  // namespace korvo

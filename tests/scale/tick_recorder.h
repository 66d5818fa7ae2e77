// A tick sink for tests: keeps every tick the passes produce, with copies of
// its texts, and prints them compactly for table comparisons.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "scale/TickPasses.h"

namespace korvo::test {

struct RecordedTick {
  TTickPass Pass;
  TTickKind Kind;
  double Value;
  int32_t Pixel;
  double LabelValue;
  bool HasLabel;
  std::string Label;
  bool HasDateLine;
  std::string DateLine;
  bool ReportBeforeLabel;
};

class TickRecorder : public TTickSink {
 public:
  void Tick(const TTick& t) override {
    Ticks.push_back({t.Pass, t.Kind, t.Value, t.Pixel, t.LabelValue, t.HasLabel, std::string(t.Label), t.HasDateLine,
                     std::string(t.DateLine), t.ReportBeforeLabel});
  }

  std::vector<double> Values(TTickKind kind) const {
    std::vector<double> v;
    for (const RecordedTick& t : Ticks) {
      if (t.Kind == kind) v.push_back(t.Value);
    }
    return v;
  }
  std::vector<double> Majors() const { return Values(TTickKind::tkMajor); }
  std::vector<double> Shorts() const { return Values(TTickKind::tkShort); }
  std::vector<std::string> Labels() const {
    std::vector<std::string> v;
    for (const RecordedTick& t : Ticks) {
      if (t.HasLabel) v.push_back(t.Label);
    }
    return v;
  }
  std::vector<int32_t> MajorPixels() const {
    std::vector<int32_t> v;
    for (const RecordedTick& t : Ticks) {
      if (t.Kind == TTickKind::tkMajor) v.push_back(t.Pixel);
    }
    return v;
  }

  std::vector<RecordedTick> Ticks;
};

}  // namespace korvo::test

// plotwell-bench: runs every benchmark with repetitions and prints, after the
// usual report, a table of medians of CPU time; benchmarks named
// "<work>/ours", "<work>/floor" and "<work>/<peer>" are put side by side with
// the ratios ours / floor and peer / ours. All the work is single-threaded,
// so CPU time is the time the work took without the time other processes on
// a shared machine took.
//
// Qt's raster engine needs a QGuiApplication for its fonts, and the
// QCustomPlot peer is a widget, so the program makes a QApplication; the
// offscreen platform lets it run without a display.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

class MedianReporter : public benchmark::ConsoleReporter {
 public:
  struct Median {
    double value;  // in `unit`
    double seconds;
    std::string unit;
  };

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.aggregate_name != "median" || r.error_occurred) continue;
      const std::string name = r.run_name.function_name;
      const double value = r.GetAdjustedCPUTime();
      medians_[name] = Median{value, value / benchmark::GetTimeUnitMultiplier(r.time_unit),
                              benchmark::GetTimeUnitString(r.time_unit)};
      order_.push_back(name);
    }
  }

  // One row per "<work>/ours": its median, the floor's ("<work>/floor", the
  // tightest plain loop for the same pixels) and each peer's, then
  // ours / floor (how far we are from the pixels' own cost) and peer / ours.
  void PrintTable() const {
    std::printf("\nMedians of CPU time per run (single-threaded work, so the time other\n"
                "processes take does not count); ours / floor and peer / ours:\n");
    std::printf("%-32s %12s %12s %12s %10s %10s\n", "work", "ours", "floor", "peer", "ours/floor", "peer/ours");
    for (const std::string& name : order_) {
      const auto slash = name.rfind('/');
      if (slash == std::string::npos) {
        const Median& m = medians_.at(name);
        std::printf("%-32s %9.3f %-2s\n", name.c_str(), m.value, m.unit.c_str());
        continue;
      }
      if (name.substr(slash + 1) != "ours") continue;
      const std::string work = name.substr(0, slash);
      const Median& ours = medians_.at(name);
      const auto floor = medians_.find(work + "/floor");
      char floor_text[32] = "", floor_ratio[32] = "";
      if (floor != medians_.end()) {
        std::snprintf(floor_text, sizeof floor_text, "%9.3f %-2s", floor->second.value, floor->second.unit.c_str());
        std::snprintf(floor_ratio, sizeof floor_ratio, "%9.2fx", ours.seconds / floor->second.seconds);
      }
      bool printed = false;
      for (const auto& [other, m] : medians_) {
        if (other.rfind(work + "/", 0) != 0 || other == name || other == work + "/floor") continue;
        printed = true;
        std::printf("%-32s %9.3f %-2s %12s %9.3f %-2s %10s %9.1fx  (%s)\n", work.c_str(), ours.value,
                    ours.unit.c_str(), floor_text, m.value, m.unit.c_str(), floor_ratio, m.seconds / ours.seconds,
                    other.substr(slash + 1).c_str());
      }
      if (!printed) {
        std::printf("%-32s %9.3f %-2s %12s %12s %10s\n", work.c_str(), ours.value, ours.unit.c_str(), floor_text, "",
                    floor_ratio);
      }
    }
  }

 private:
  std::map<std::string, Median> medians_;
  std::vector<std::string> order_;
};

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // Repetitions give the medians; a flag on the command line overrides them.
  // The repetitions of all benchmarks run in random order, so a slow spell
  // of the shared machine falls on ours, the floor and the peer alike
  // instead of on whichever ran during it.
  std::vector<char*> args(argv, argv + argc);
  std::string reps = "--benchmark_repetitions=7";
  std::string aggregates = "--benchmark_report_aggregates_only=true";
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, reps.data());
  args.insert(args.begin() + 2, aggregates.data());
  args.insert(args.begin() + 3, interleave.data());
  int n = int(args.size());
  benchmark::Initialize(&n, args.data());
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintTable();
  benchmark::Shutdown();
  return 0;
}

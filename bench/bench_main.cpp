// plotwell-bench: runs every benchmark with repetitions and prints, after the
// usual report, a table of medians of CPU time; benchmarks named
// "<work>/ours" and "<work>/<peer>" are put side by side with the ratio
// peer / ours. All the work is single-threaded, so CPU time is the time the
// work took without the time other processes on a shared machine took.
//
// Qt's raster engine needs a QGuiApplication for its fonts; the offscreen
// platform lets it run without a display.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

class MedianReporter : public benchmark::ConsoleReporter {
 public:
  struct Median {
    double value;
    std::string unit;
  };

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.aggregate_name != "median" || r.error_occurred) continue;
      const std::string name = r.run_name.function_name;
      medians_[name] = Median{r.GetAdjustedCPUTime(), benchmark::GetTimeUnitString(r.time_unit)};
      order_.push_back(name);
    }
  }

  void PrintTable() const {
    std::printf("\nMedians of CPU time per run (single-threaded work, so the time other\n"
                "processes take does not count) and ratios peer / ours:\n");
    std::printf("%-34s %14s %14s %9s\n", "work", "ours", "peer", "ratio");
    for (const std::string& name : order_) {
      const auto slash = name.rfind('/');
      if (slash == std::string::npos || name.substr(slash + 1) != "ours") {
        if (slash == std::string::npos) {
          const Median& m = medians_.at(name);
          std::printf("%-34s %11.3f %-2s\n", name.c_str(), m.value, m.unit.c_str());
        }
        continue;
      }
      const std::string work = name.substr(0, slash);
      const Median& ours = medians_.at(name);
      bool paired = false;
      for (const auto& [other, m] : medians_) {
        if (other.rfind(work + "/", 0) != 0 || other == name) continue;
        paired = true;
        std::printf("%-34s %11.3f %-2s %11.3f %-2s %8.1fx  (%s)\n", work.c_str(), ours.value, ours.unit.c_str(),
                    m.value, m.unit.c_str(), m.value / ours.value, other.substr(slash + 1).c_str());
      }
      if (!paired) std::printf("%-34s %11.3f %-2s\n", work.c_str(), ours.value, ours.unit.c_str());
    }
  }

 private:
  std::map<std::string, Median> medians_;
  std::vector<std::string> order_;
};

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  // Repetitions give the medians; a flag on the command line overrides them.
  std::vector<char*> args(argv, argv + argc);
  std::string reps = "--benchmark_repetitions=7";
  std::string aggregates = "--benchmark_report_aggregates_only=true";
  args.insert(args.begin() + 1, reps.data());
  args.insert(args.begin() + 2, aggregates.data());
  int n = int(args.size());
  benchmark::Initialize(&n, args.data());
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintTable();
  benchmark::Shutdown();
  return 0;
}

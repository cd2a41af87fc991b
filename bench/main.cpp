// The benchmark runner: the usual console table, then one line per pair of
// a measurement and its reference from the same run, with their ratio.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

struct Pair {
  const char* measured;
  const char* reference;
  double limit;  // the ratio to stay under; 0: shown for scale only
};

const Pair pairs[] = {
    {"Conversion/lumo", "Conversion/sdl_blit", 1.0},
    {"Conversion/lumo", "Conversion/memcpy", 0.0},
    {"Flip/lumo", "Flip/sdl_bare", 1.2},
    {"Flip/lumo", "Flip/sdl_bare_delay0", 1.2},
    {"GameFrame", "ScreenMemset", 40.0},
};

// Keeps each benchmark's wall-clock time per iteration, in nanoseconds:
// the median when repetitions were asked for, else the median of the runs.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.function_name;
      const double ns = run.GetAdjustedRealTime() * multiplier(run.time_unit);
      if (run.run_type == Run::RT_Aggregate) {
        if (run.aggregate_name == "median") medians_[name] = ns;
      } else {
        plain_[name].push_back(ns);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void printRatios() const {
    for (const Pair& pair : pairs) {
      const double measured = timeOf(pair.measured);
      const double reference = timeOf(pair.reference);
      if (measured <= 0 || reference <= 0) continue;  // filtered out or failed
      const double ratio = measured / reference;
      std::printf("ratio %s / %s: %.0f ns / %.0f ns = %.2fx", pair.measured, pair.reference, measured, reference,
                  ratio);
      if (pair.limit > 0) std::printf(" (target <= %.1fx: %s)", pair.limit, ratio <= pair.limit ? "met" : "MISSED");
      std::printf("\n");
    }
  }

 private:
  static double multiplier(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kSecond: return 1e9;
      case benchmark::kMillisecond: return 1e6;
      case benchmark::kMicrosecond: return 1e3;
      default: return 1.0;
    }
  }

  double timeOf(const std::string& name) const {
    if (auto it = medians_.find(name); it != medians_.end()) return it->second;
    auto it = plain_.find(name);
    if (it == plain_.end() || it->second.empty()) return 0;
    std::vector<double> times = it->second;
    auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
    std::nth_element(times.begin(), middle, times.end());
    return *middle;
  }

  std::map<std::string, double> medians_;
  std::map<std::string, std::vector<double>> plain_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  reporter.printRatios();
  return 0;
}

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

struct Times {
  double real = 0;  // wall clock, nanoseconds per iteration
  double cpu = 0;   // this process's processor time, the steadier of the two on a shared machine
};

// Keeps each benchmark's times: the medians when repetitions were asked
// for, else the median of its runs.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.function_name;
      const double scale = nanoseconds(run.time_unit);
      const Times times{run.GetAdjustedRealTime() * scale, run.GetAdjustedCPUTime() * scale};
      if (run.run_type == Run::RT_Aggregate) {
        if (run.aggregate_name == "median") medians_[name] = times;
      } else {
        plain_[name].push_back(times);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void printRatios() const {
    for (const Pair& pair : pairs) {
      const Times measured = timesOf(pair.measured);
      const Times reference = timesOf(pair.reference);
      if (measured.real <= 0 || reference.real <= 0 || measured.cpu <= 0 || reference.cpu <= 0) continue;
      const double real = measured.real / reference.real;
      const double cpu = measured.cpu / reference.cpu;
      std::printf("ratio %s / %s: real %.0f / %.0f ns = %.2fx, cpu %.0f / %.0f ns = %.2fx", pair.measured,
                  pair.reference, measured.real, reference.real, real, measured.cpu, reference.cpu, cpu);
      if (pair.limit > 0) {
        std::printf(" (target <= %.1fx: real %s, cpu %s)", pair.limit, verdict(real, pair.limit),
                    verdict(cpu, pair.limit));
      }
      std::printf("\n");
    }
  }

 private:
  static const char* verdict(double ratio, double limit) { return ratio <= limit ? "met" : "MISSED"; }

  static double nanoseconds(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kSecond: return 1e9;
      case benchmark::kMillisecond: return 1e6;
      case benchmark::kMicrosecond: return 1e3;
      default: return 1.0;
    }
  }

  static double median(std::vector<double> values) {
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
  }

  Times timesOf(const std::string& name) const {
    if (auto it = medians_.find(name); it != medians_.end()) return it->second;
    auto it = plain_.find(name);
    if (it == plain_.end() || it->second.empty()) return {};  // filtered out or failed
    std::vector<double> real, cpu;
    for (const Times& t : it->second) {
      real.push_back(t.real);
      cpu.push_back(t.cpu);
    }
    return {median(real), median(cpu)};
  }

  std::map<std::string, Times> medians_;
  std::map<std::string, std::vector<Times>> plain_;
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

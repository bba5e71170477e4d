#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qingyou::bench {

// The usual console table, with each benchmark's time per iteration kept so
// that a bench can print ratios measured in this very run.
class TimingReporter : public benchmark::ConsoleReporter {
 public:
  enum class Clock { Real, Cpu };
  explicit TimingReporter(Clock clock = Clock::Real) : clock_(clock) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0 || run.error_occurred) continue;
      std::string name = run.benchmark_name();
      constexpr std::string_view kRealTime = "/real_time";
      if (name.ends_with(kRealTime)) name.resize(name.size() - kRealTime.size());
      const double total =
          clock_ == Clock::Real ? run.real_accumulated_time : run.cpu_accumulated_time;
      seconds_[name] = total / static_cast<double>(run.iterations);
    }
  }

  // Seconds per iteration of benchmark `name` (without "/real_time"); empty
  // when it did not run or failed.
  [[nodiscard]] std::optional<double> Seconds(const std::string& name) const {
    const auto it = seconds_.find(name);
    if (it == seconds_.end()) return std::nullopt;
    return it->second;
  }

 private:
  Clock clock_;
  std::map<std::string, double> seconds_;
};

// Runs the benchmarks the command line selects, reporting through
// `reporter`, then prints `summary`.
inline int RunBenchmarks(int argc, char** argv, TimingReporter& reporter,
                         const std::function<void(const TimingReporter&)>& summary) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  summary(reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace qingyou::bench

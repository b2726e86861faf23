// fade_bench's main: Google Benchmark's usual table, then each fade's time per output byte as a
// multiple of memcpy's in the same run (UTF-16 markup against the two-byte copy, UTF-8 against
// the one-byte copy): the figure to compare across machines and loads. With repetitions the
// medians are compared, else the single runs. For steadier figures on a shared machine:
//   fade_bench --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool aggregate = run.run_type == Run::RT_Aggregate;
      if (run.error_occurred || (aggregate && run.aggregate_name != "median")) continue;
      if (!aggregate && run.repetitions > 1) continue;
      const auto rate = run.counters.find("bytes_per_second");
      if (rate == run.counters.end()) continue;
      rates_[run.run_name.function_name + (run.run_name.args.empty() ? "" : "/") +
             run.run_name.args] = rate->second.value;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto copy2 = rates_.find("BM_MemcpyBaseline/unitBytes:2");
    const auto copy1 = rates_.find("BM_MemcpyBaseline/unitBytes:1");
    if (copy2 == rates_.end() || copy1 == rates_.end()) return;
    std::printf("\nTime per output byte as a multiple of memcpy's (lower is better):\n");
    for (const auto& [name, rate] : rates_) {
      if (name.rfind("BM_Fade", 0) != 0 && name.rfind("BM_Stream", 0) != 0) continue;
      const bool utf16 =
          name.rfind("BM_FadeTwoColors", 0) == 0 || name.rfind("BM_FadeTenColors", 0) == 0;
      const double floor = (utf16 ? copy2 : copy1)->second;
      std::printf("  %-52s %5.2f x memcpy (%s)\n", name.c_str(), floor / rate,
                  utf16 ? "UTF-16" : "UTF-8");
    }
  }

 private:
  std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

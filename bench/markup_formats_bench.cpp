// The formatting layer on fade_bench's line (32,767 characters, 10 stops): FormatFadeUtf8 in
// every format (what qfade --format prints, made whole), the same in UTF-16 (what the page and
// the desktop take), and FitToLimit's search for the group size that fits a limit.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench_line.h"
#include "fade/markup_formats.h"

namespace {

using qf::bench::kColors;
using qf::bench::kLength;

qf::FadeRequest Request(benchmark::State& state) {
  const auto format = static_cast<std::size_t>(state.range(0));
  const qf::MarkupFormatInfo& info = qf::MarkupFormats()[format];
  state.SetLabel(std::string(info.name));
  return qf::FadeRequest{.colors = kColors, .text = qf::bench::LongLine(), .format = info.format};
}

void BM_FormatFadeUtf8(benchmark::State& state) {
  const qf::FadeRequest request = Request(state);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto markup = qf::FormatFadeUtf8(request);
    bytes = markup.value->size();
    benchmark::DoNotOptimize(markup.value->data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kLength));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_FormatFadeUtf8)->DenseRange(0, 7)->ArgName("format");

void BM_FormatFade(benchmark::State& state) {
  const qf::FadeRequest request = Request(state);
  std::size_t units = 0;
  for (auto _ : state) {
    const auto markup = qf::FormatFade(request);
    units = markup.value->size();
    benchmark::DoNotOptimize(markup.value->data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kLength));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * units * 2));
}
BENCHMARK(BM_FormatFade)->DenseRange(0, 7)->ArgName("format");

// A limit between the plain markup and the shortest: a search over many group sizes.
void BM_FitToLimit(benchmark::State& state) {
  qf::FadeRequest request = Request(state);
  // Halfway between the plain markup and the line in one colour.
  const std::size_t plain = qf::FitToLimit(request).value->length;
  request.maxLength = 1;
  const std::size_t shortest = 1 + qf::FitToLimit(request).error.overshoot;
  request.maxLength = (plain + shortest) / 2;
  std::size_t groupSize = 0;
  for (auto _ : state) {
    const auto fit = qf::FitToLimit(request);
    groupSize = fit.value->groupSize;
    benchmark::DoNotOptimize(groupSize);
  }
  state.counters["k"] = static_cast<double>(groupSize);
}
BENCHMARK(BM_FitToLimit)->DenseRange(0, 7)->ArgName("format");

}  // namespace

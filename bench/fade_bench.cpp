// Throughput of the fade entry points on the longest line the chat box holds (32,767
// characters), with baselines measured in the same run: a plain memcpy of as many bytes as
// the markup has (the physical floor; once for the UTF-16 markup, once for the UTF-8 one) and a
// naive writer that formats every piece with snprintf. The UTF-16 markup is what the program
// sends; the UTF-8 markup, streamed through one 64 KiB block, is what qfade prints, and the
// UTF-8 string made straight from UTF-16 text sits between the two. Each fade runs with the
// generator's two-lane (SSE2) loop and its four-lane (AVX2) one ("lanes:4" falls back to two,
// and says so, on a processor without AVX2). fade_bench_main.cpp prints each fade's time per
// output byte as a multiple of memcpy's after the table.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bench_line.h"
#include "core/utf.h"
#include "fade/color.h"
#include "fade/entry_points.h"
#include "fade/generator.h"

namespace {

using qf::bench::kColors;
using qf::bench::kLength;
using qf::bench::LongLine;

const std::string& LongLineUtf8() {
  static const std::string line = qf::Utf16ToUtf8(LongLine());
  return line;
}

void Report(benchmark::State& state, std::size_t outputUnits, std::size_t unitBytes = 2) {
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kLength));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * outputUnits * unitBytes));
}

// Sets the generator's width from the benchmark's argument `index`, for the benchmark's run.
class Lanes {
 public:
  Lanes(benchmark::State& state, int index) : previous_(qf::FadeLanes()) {
    const auto wanted = static_cast<std::size_t>(state.range(index));
    qf::SetFadeLanes(wanted);
    if (qf::FadeLanes() != wanted) state.SetLabel("no AVX2: two lanes");
  }
  ~Lanes() { qf::SetFadeLanes(previous_); }

 private:
  std::size_t previous_;
};

// The program's fade (FadeColors, UTF-16 markup) with two colours, then with ten.
void BM_FadeTwoColors(benchmark::State& state) {
  const Lanes lanes(state, 1);
  const bool wavy = state.range(0) != 0;
  const std::u16string& text = LongLine();
  std::size_t units = 0;
  for (auto _ : state) {
    std::u16string markup = qf::FadeColors(std::span(kColors).first(2), text, wavy);
    units = markup.size();
    benchmark::DoNotOptimize(markup.data());
  }
  Report(state, units);
}
BENCHMARK(BM_FadeTwoColors)->ArgsProduct({{0, 1}, {2, 4}})->ArgNames({"wavy", "lanes"});

void BM_FadeTenColors(benchmark::State& state) {
  const Lanes lanes(state, 1);
  const bool wavy = state.range(0) != 0;
  const std::u16string& text = LongLine();
  std::size_t units = 0;
  for (auto _ : state) {
    std::u16string markup = qf::FadeColors(kColors, text, wavy);
    units = markup.size();
    benchmark::DoNotOptimize(markup.data());
  }
  Report(state, units);
}
BENCHMARK(BM_FadeTenColors)->ArgsProduct({{0, 1}, {2, 4}})->ArgNames({"wavy", "lanes"});

// UTF-8 markup of UTF-16 text, as one string.
void BM_FadeStopsUtf8(benchmark::State& state) {
  const Lanes lanes(state, 2);
  const auto stopCount = static_cast<std::size_t>(state.range(0));
  const bool wavy = state.range(1) != 0;
  std::array<qf::Channels, 10> stops;
  for (std::size_t j = 0; j < stopCount; ++j) stops[j] = qf::SplitColor(kColors[j]);
  const std::u16string& text = LongLine();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string markup = qf::FadeStopsUtf8(std::span(stops).first(stopCount), text, wavy);
    bytes = markup.size();
    benchmark::DoNotOptimize(markup.data());
  }
  Report(state, bytes, 1);
}
BENCHMARK(BM_FadeStopsUtf8)
    ->ArgsProduct({{2, 10}, {0, 1}, {2, 4}})
    ->ArgNames({"stops", "wavy", "lanes"});

// qfade's path: UTF-8 text checked, faded and streamed as UTF-8 through one 64 KiB block; the
// writer only looks at each block (qfade's hands it to stdout).
void BM_StreamFadeColorsUtf8(benchmark::State& state) {
  const Lanes lanes(state, 2);
  const auto stopCount = static_cast<std::size_t>(state.range(0));
  const bool wavy = state.range(1) != 0;
  const std::string& text = LongLineUtf8();
  static std::array<char, 65536> block;
  std::size_t bytes = 0;
  const qf::MarkupWriter writer = [&](std::string_view b) {
    bytes += b.size();
    benchmark::DoNotOptimize(b.data());
    return true;
  };
  std::size_t perCall = 0;
  for (auto _ : state) {
    bytes = 0;
    qf::StreamFadeColorsUtf8(std::span(kColors).first(stopCount), text, wavy, block, writer);
    benchmark::ClobberMemory();
    perCall = bytes;
  }
  Report(state, perCall, 1);
}
BENCHMARK(BM_StreamFadeColorsUtf8)
    ->ArgsProduct({{2, 10}, {0, 1}, {2, 4}})
    ->ArgNames({"stops", "wavy", "lanes"});

// The floor: copying as many bytes as the ten-stop plain markup has, in `unitBytes`-byte code
// units (2: the UTF-16 markup, 1: the UTF-8 one).
void BM_MemcpyBaseline(benchmark::State& state) {
  const auto unitBytes = static_cast<std::size_t>(state.range(0));
  const std::size_t bytes = kLength * 21 * unitBytes;
  std::vector<char> source(bytes, 'x');
  std::vector<char> target(bytes);
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), bytes);
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  Report(state, kLength * 21, unitBytes);
}
BENCHMARK(BM_MemcpyBaseline)->Arg(2)->Arg(1)->ArgName("unitBytes");

// The obvious way to write the same ten-stop plain markup: snprintf per piece, append.
std::u16string NaiveFade(const std::u16string& text) {
  const auto sizes = qf::FadeSegmentSizes(10, text.size());
  std::u16string markup;
  std::size_t at = 0;
  for (std::size_t j = 0; j < 9; ++j) {
    const qf::Channels a = qf::SplitColor(kColors[j]);
    const qf::Channels b = qf::SplitColor(kColors[j + 1]);
    const double n = static_cast<double>(sizes[j]);
    for (std::size_t i = 1; i <= sizes[j]; ++i) {
      const double pos = static_cast<double>(i);
      const int red = static_cast<int>(std::nearbyint(a.red + pos * ((b.red - a.red) / n)));
      const int green = static_cast<int>(std::nearbyint(a.green + pos * ((b.green - a.green) / n)));
      const int blue = static_cast<int>(std::nearbyint(a.blue + pos * ((b.blue - a.blue) / n)));
      char piece[32];
      const int length =
          std::snprintf(piece, sizeof piece, "<Font Color=#%02X%02X%02X>", red, green, blue);
      for (int k = 0; k < length; ++k) markup.push_back(static_cast<char16_t>(piece[k]));
      markup.push_back(text[at++]);
    }
  }
  return markup;
}

void BM_NaiveSnprintfBaseline(benchmark::State& state) {
  const std::u16string& text = LongLine();
  std::size_t units = 0;
  for (auto _ : state) {
    std::u16string markup = NaiveFade(text);
    units = markup.size();
    benchmark::DoNotOptimize(markup.data());
  }
  Report(state, units);
}
BENCHMARK(BM_NaiveSnprintfBaseline);

}  // namespace

// The preview's portable half: walking fade markup with the tag renderer (through a canvas that
// only adds up widths, so the figure is the walk alone), against building the same fade.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "fade/entry_points.h"
#include "preview/render_tags.h"

namespace {

constexpr std::array<int32_t, 3> kColors{0xFFCC00, 0x0000FF, 0xFF4400};

std::u16string Line(std::size_t length) {
  const std::u16string pattern = u"Quelvane Fader: the quick brown fox <jumps> & runs. ";
  std::u16string text;
  while (text.size() < length) text += pattern;
  text.resize(length);
  return text;
}

class WidthCanvas : public qf::Canvas {
 public:
  void SetFontName(std::u16string_view) override {}
  void SetFontSize(double) override {}
  void SetFontBold(bool) override {}
  void SetFontItalic(bool) override {}
  void SetFontUnderline(bool) override {}
  void SetFontStrikethrough(bool) override {}
  void SetForeColor(int32_t color) override { benchmark::DoNotOptimize(color); }
  void Cls() override {}
  void PrintText(double x, int y, std::u16string_view text) override {
    benchmark::DoNotOptimize(x + y + text.size());
  }
  double TextWidth(std::u16string_view text) override { return 7.0 * text.size(); }
};

void BM_RenderTagsWalk(benchmark::State& state) {
  const std::u16string markup = qf::FadeColors(kColors, Line(state.range(0)), false);
  WidthCanvas canvas;
  for (auto _ : state) qf::RenderTags(canvas, markup);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RenderTagsWalk)->Arg(40)->Arg(32767)->ArgName("chars");

void BM_BuildFadeForPreview(benchmark::State& state) {
  const std::u16string text = Line(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(qf::FadeColors(kColors, text, false));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildFadeForPreview)->Arg(40)->Arg(32767)->ArgName("chars");

}  // namespace

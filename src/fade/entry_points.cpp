#include "fade/entry_points.h"

#include <algorithm>
#include <array>

#include "fade/color.h"
#include "fade/generator.h"

namespace qf {

namespace {

// Room for the stops of any call: one more than the most the core fades, so that more than ten
// colours stay more than ten stops (the core writes nothing for them) without splitting them all.
using StopTable = std::array<Channels, kMaxFadeStops + 1>;

// The first colours.size() entries of `table` (at most all of them), each colour split with
// SplitColor.
std::span<const Channels> SplitColors(std::span<const int32_t> colors, StopTable& table) {
  const std::size_t count = std::min(colors.size(), table.size());
  for (std::size_t j = 0; j < count; ++j) table[j] = SplitColor(colors[j]);
  return std::span<const Channels>(table).first(count);
}

}  // namespace

std::u16string FadeColors(std::span<const int32_t> colors, std::u16string_view text, bool wavy) {
  StopTable table;
  return FadeStops(SplitColors(colors, table), text, wavy);
}

std::u16string FadeThreeColors(int32_t c1, int32_t c2, int32_t c3, std::u16string_view text,
                               bool wavy) {
  return FadeColors(std::array{c1, c2, c3}, text, wavy);
}

FadeStreamResult StreamFadeColorsUtf8(std::span<const int32_t> colors, std::string_view text,
                                      bool wavy, std::span<char> block, const MarkupWriter& write) {
  StopTable table;
  return StreamFadeUtf8(SplitColors(colors, table), text, wavy, block, write);
}

}  // namespace qf

#pragma once
// What the main window's handlers decide, apart from the window: how many stops the numbered
// boxes choose, which colour box the sliders edit, the chat line a send builds and the style
// prefix a style box leaves.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qf {

// The values of the numbered boxes Check1..Check10 (0 clear, 1 ticked, 2 grayed), box 1 first.
using NumberedBoxValues = std::array<int, 10>;

// The number of fade stops: the highest ticked box among 10 down to 2 (only the value 1 counts
// as ticked), or 0 when none of them is. Box 1 never counts.
//   StopCountOf({1, 0, 1, 0, 0, 0, 1, 0, 0, 0}) == 7
int StopCountOf(const NumberedBoxValues& boxes);

// The colour box the sliders edit: the lowest ticked box from 1 up, or 0 when none is.
//   SliderTargetOf({0, 1, 1, 0, 0, 0, 0, 0, 0, 0}) == 2
int SliderTargetOf(const NumberedBoxValues& boxes);

// The chat line of a send: the style prefix, then the fade of `text` through `colours` (2 to 10
// stops), wavy when `wavy` is -1.
//   ComposeChatLine(u"<b>", {{255, 16711680}}, u"ab", 0) ==
//     u"<b><Font Color=#FF0000>a<Font Color=#0000FF>b"
std::u16string ComposeChatLine(std::u16string_view prefix, std::span<const int32_t> colours,
                               std::u16string_view text, int16_t wavy);

// The style prefix after a style box was clicked: its tag in front when ticked, every copy of
// it taken out (ReplaceText) when cleared.
//   ToggledStylePrefix(u"<s>", u"<b>", true) == u"<b><s>"
//   ToggledStylePrefix(u"<b><s>", u"<s>", false) == u"<b>"
std::u16string ToggledStylePrefix(std::u16string_view prefix, std::u16string_view tag, bool ticked);

// The colour value a slider change writes: red + 256 * green + 65536 * blue.
constexpr int32_t SliderColour(int red, int green, int blue) {
  return red + 256 * green + 65536 * blue;
}

}  // namespace qf

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

// The values of the numbered boxes numberedBox1..numberedBox10 (0 clear, 1 ticked, 2 grayed), box 1
// first.
using NumberedBoxValues = std::array<int, 10>;

// The number of fade stops: the highest ticked box among 10 down to 2 (only the value 1 counts
// as ticked), or 0 when none of them is. Box 1 never counts.
//   StopCountOf({1, 0, 1, 0, 0, 0, 1, 0, 0, 0}) == 7
int StopCountOf(const NumberedBoxValues& boxes);

// The colour box the sliders edit: the lowest ticked box from 1 up, or 0 when none is.
//   SliderTargetOf({0, 1, 1, 0, 0, 0, 0, 0, 0, 0}) == 2
int SliderTargetOf(const NumberedBoxValues& boxes);

// The chat line of a send: the style prefix, then the fade of `text` through `colours` (2 to 10
// stops), wavy when `wavy`.
//   ComposeChatLine(u"<b>", {{255, 16711680}}, u"ab", false) ==
//     u"<b><Font Color=#FF0000>a<Font Color=#0000FF>b"
std::u16string ComposeChatLine(std::u16string_view prefix, std::span<const int32_t> colors,
                               std::u16string_view text, bool wavy);

// The style prefix after a style box was clicked: its tag in front when ticked, every copy of
// it taken out (ReplaceText) when cleared. A tag already in the prefix is not put in twice.
//   ToggledStylePrefix(u"<s>", u"<b>", true) == u"<b><s>"
//   ToggledStylePrefix(u"<b><s>", u"<s>", false) == u"<b>"
std::u16string ToggledStylePrefix(std::u16string_view prefix, std::u16string_view tag, bool ticked);

// What is left of the line box after `sent` was delivered, when the box now holds `now`
// (events ran while the send waited, so the user may have typed on): the sent text is taken off
// the front; anything else the box holds is the user's and stays.
//   TextAfterSend(u"Hi", u"Hi") == u"";  TextAfterSend(u"Hi", u"Hi there") == u" there"
//   TextAfterSend(u"Hi", u"Ho") == u"Ho"
std::u16string TextAfterSend(std::u16string_view sent, std::u16string_view now);

}  // namespace qf

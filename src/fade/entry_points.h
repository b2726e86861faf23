#pragma once
// The fade engine's face towards the windows: one entry point per number of stops, taking colour
// values (0x00BBGGRR). Each splits every colour with SplitColor and calls the generator member
// for the same number of stops; the markup comes back unchanged.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "fade/generator.h"

namespace qf {

// FadeTwoColors .. FadeTenColors: colour value 1 to N, the text, the wavy flag (-1 = wavy).
//   FadeTwoColors(255, 16711680, u"abc", 0) ==
//     u"<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c"
std::u16string FadeTwoColors(int32_t c1, int32_t c2, std::u16string_view text, int16_t wavy);
std::u16string FadeThreeColors(int32_t c1, int32_t c2, int32_t c3, std::u16string_view text,
                               int16_t wavy);
std::u16string FadeFourColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4,
                              std::u16string_view text, int16_t wavy);
std::u16string FadeFiveColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5,
                              std::u16string_view text, int16_t wavy);
std::u16string FadeSixColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5, int32_t c6,
                             std::u16string_view text, int16_t wavy);
std::u16string FadeSevenColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5,
                               int32_t c6, int32_t c7, std::u16string_view text, int16_t wavy);
std::u16string FadeEightColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5,
                               int32_t c6, int32_t c7, int32_t c8, std::u16string_view text,
                               int16_t wavy);
std::u16string FadeNineColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5,
                              int32_t c6, int32_t c7, int32_t c8, int32_t c9,
                              std::u16string_view text, int16_t wavy);
std::u16string FadeTenColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5, int32_t c6,
                             int32_t c7, int32_t c8, int32_t c9, int32_t c10,
                             std::u16string_view text, int16_t wavy);

// The entry point for colours.size() stops, for callers that choose the number at run time.
// Fewer than 2 or more than 10 colours give an empty string.
//   FadeColors(std::array{255, 16711680}, u"abc", -1) == FadeTwoColors(255, 16711680, u"abc", -1)
std::u16string FadeColors(std::span<const int32_t> colors, std::u16string_view text, int16_t wavy);

// FadeColors for UTF-8 text, streamed as UTF-8 markup through one reused block (see
// StreamFadeUtf8): every colour split with SplitColor, as the entry points do. The markup is
// Utf16ToUtf8(FadeColors(colours, Utf8ToUtf16(text), wavy)); invalid text writes nothing.
//   StreamFadeColorsUtf8(std::array{255, 16711680}, "abc", 0, block, writer) hands the writer
//     "<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c"
FadeStreamResult StreamFadeColorsUtf8(std::span<const int32_t> colors, std::string_view text,
                                      int16_t wavy, std::span<char> block,
                                      const MarkupWriter& write);

}  // namespace qf

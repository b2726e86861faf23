#pragma once
// The fade engine's face towards the windows: colour values (0x00BBGGRR) in, fade markup out.
// FadeColors is the one entry point, for any number of stops: it splits every colour with
// SplitColor and hands the stops to the generator (FadeStops); the markup comes back unchanged.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "fade/generator.h"

namespace qf {

// Fades `text` through colours.size() stops (2 to 10; fewer or more give an empty string),
// each character also raised or lowered when `wavy`.
//   FadeColors(std::array{255, 16711680}, u"abc", false) ==
//     u"<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c"
std::u16string FadeColors(std::span<const int32_t> colors, std::u16string_view text, bool wavy);

// FadeColors of three colours, kept under its own name: the HTML fader's fade (its aol markup).
//   FadeThreeColors(255, 65280, 16711680, u"ab", false) ==
//     FadeColors(std::array{255, 65280, 16711680}, u"ab", false)
std::u16string FadeThreeColors(int32_t c1, int32_t c2, int32_t c3, std::u16string_view text,
                               bool wavy);

// FadeColors for UTF-8 text, streamed as UTF-8 markup through one reused block (see
// StreamFadeUtf8): every colour split with SplitColor, as FadeColors does. The markup is
// Utf16ToUtf8(FadeColors(colours, Utf8ToUtf16(text), wavy)); invalid text writes nothing.
//   StreamFadeColorsUtf8(std::array{255, 16711680}, "abc", false, block, writer) hands the writer
//     "<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c"
FadeStreamResult StreamFadeColorsUtf8(std::span<const int32_t> colors, std::string_view text,
                                      bool wavy, std::span<char> block, const MarkupWriter& write);

}  // namespace qf

#include "fade/entry_points.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "fade/color.h"
#include "fade/generator.h"

namespace qf {

namespace {

// Splits every colour value with SplitColor and calls `member` with the channels in stop
// order (red, green, blue of stop 1, then of stop 2, ...), then the text and the wavy flag.
template <typename Member, typename... Colors>
std::u16string SplitAndFade(Member member, std::u16string_view text, int16_t wavy,
                            Colors... colors) {
  const auto channels = std::tuple_cat([](int32_t color) {
    const Channels c = SplitColor(color);
    return std::make_tuple(c.red, c.green, c.blue);
  }(colors)...);
  return std::apply([&](auto... values) { return member(values..., text, wavy); }, channels);
}

}  // namespace

std::u16string FadeTwoColors(int32_t c1, int32_t c2, std::u16string_view text, int16_t wavy) {
  return SplitAndFade(FadeRGB2, text, wavy, c1, c2);
}

std::u16string FadeThreeColors(int32_t c1, int32_t c2, int32_t c3, std::u16string_view text,
                               int16_t wavy) {
  return SplitAndFade(FadeRGB3, text, wavy, c1, c2, c3);
}

std::u16string FadeFourColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4,
                              std::u16string_view text, int16_t wavy) {
  return SplitAndFade(FadeRGB4, text, wavy, c1, c2, c3, c4);
}

std::u16string FadeFiveColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5,
                              std::u16string_view text, int16_t wavy) {
  return SplitAndFade(FadeRGB5, text, wavy, c1, c2, c3, c4, c5);
}

std::u16string FadeSixColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5, int32_t c6,
                             std::u16string_view text, int16_t wavy) {
  return SplitAndFade(FadeRGB6, text, wavy, c1, c2, c3, c4, c5, c6);
}

std::u16string FadeSevenColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5,
                               int32_t c6, int32_t c7, std::u16string_view text, int16_t wavy) {
  return SplitAndFade(FadeRGB7, text, wavy, c1, c2, c3, c4, c5, c6, c7);
}

std::u16string FadeEightColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5,
                               int32_t c6, int32_t c7, int32_t c8, std::u16string_view text,
                               int16_t wavy) {
  return SplitAndFade(FadeRGB8, text, wavy, c1, c2, c3, c4, c5, c6, c7, c8);
}

std::u16string FadeNineColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5,
                              int32_t c6, int32_t c7, int32_t c8, int32_t c9,
                              std::u16string_view text, int16_t wavy) {
  return SplitAndFade(FadeRGB9, text, wavy, c1, c2, c3, c4, c5, c6, c7, c8, c9);
}

std::u16string FadeTenColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5, int32_t c6,
                             int32_t c7, int32_t c8, int32_t c9, int32_t c10,
                             std::u16string_view text, int16_t wavy) {
  return SplitAndFade(FadeRGB10, text, wavy, c1, c2, c3, c4, c5, c6, c7, c8, c9, c10);
}

std::u16string FadeColors(std::span<const int32_t> colors, std::u16string_view text, int16_t wavy) {
  const auto& c = colors;
  switch (colors.size()) {
    case 2:
      return FadeTwoColors(c[0], c[1], text, wavy);
    case 3:
      return FadeThreeColors(c[0], c[1], c[2], text, wavy);
    case 4:
      return FadeFourColors(c[0], c[1], c[2], c[3], text, wavy);
    case 5:
      return FadeFiveColors(c[0], c[1], c[2], c[3], c[4], text, wavy);
    case 6:
      return FadeSixColors(c[0], c[1], c[2], c[3], c[4], c[5], text, wavy);
    case 7:
      return FadeSevenColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6], text, wavy);
    case 8:
      return FadeEightColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], text, wavy);
    case 9:
      return FadeNineColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], text, wavy);
    case 10:
      return FadeTenColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], text, wavy);
    default:
      return {};
  }
}

FadeStreamResult StreamFadeColorsUtf8(std::span<const int32_t> colors, std::string_view text,
                                      int16_t wavy, std::span<char> block,
                                      const MarkupWriter& write) {
  std::array<Channels, kMaxFadeStops + 1> stops;
  // More than ten colours: one stop too many is enough for the core to write nothing.
  const std::size_t count = std::min(colors.size(), stops.size());
  for (std::size_t j = 0; j < count; ++j) stops[j] = SplitColor(colors[j]);
  return StreamFadeUtf8(std::span(stops).first(count), text, wavy, block, write);
}

}  // namespace qf

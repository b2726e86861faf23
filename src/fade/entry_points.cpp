#include "fade/entry_points.h"

#include "fade/color.h"
#include "fade/generator.h"

namespace qf {

std::u16string FadeTwoColors(int32_t c1, int32_t c2, std::u16string_view text, int16_t wavy) {
  const Channels s1 = SplitColor(c1);
  const Channels s2 = SplitColor(c2);
  return FadeRGB2(s1.red, s1.green, s1.blue, s2.red, s2.green, s2.blue, text, wavy);
}

std::u16string FadeThreeColors(int32_t c1, int32_t c2, int32_t c3, std::u16string_view text,
                               int16_t wavy) {
  const Channels s1 = SplitColor(c1);
  const Channels s2 = SplitColor(c2);
  const Channels s3 = SplitColor(c3);
  return FadeRGB3(s1.red, s1.green, s1.blue, s2.red, s2.green, s2.blue, s3.red, s3.green, s3.blue,
                  text, wavy);
}

std::u16string FadeFourColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4,
                              std::u16string_view text, int16_t wavy) {
  const Channels s1 = SplitColor(c1);
  const Channels s2 = SplitColor(c2);
  const Channels s3 = SplitColor(c3);
  const Channels s4 = SplitColor(c4);
  return FadeRGB4(s1.red, s1.green, s1.blue, s2.red, s2.green, s2.blue, s3.red, s3.green, s3.blue,
                  s4.red, s4.green, s4.blue, text, wavy);
}

std::u16string FadeFiveColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5,
                              std::u16string_view text, int16_t wavy) {
  const Channels s1 = SplitColor(c1);
  const Channels s2 = SplitColor(c2);
  const Channels s3 = SplitColor(c3);
  const Channels s4 = SplitColor(c4);
  const Channels s5 = SplitColor(c5);
  return FadeRGB5(s1.red, s1.green, s1.blue, s2.red, s2.green, s2.blue, s3.red, s3.green, s3.blue,
                  s4.red, s4.green, s4.blue, s5.red, s5.green, s5.blue, text, wavy);
}

std::u16string FadeSixColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5, int32_t c6,
                             std::u16string_view text, int16_t wavy) {
  const Channels s1 = SplitColor(c1);
  const Channels s2 = SplitColor(c2);
  const Channels s3 = SplitColor(c3);
  const Channels s4 = SplitColor(c4);
  const Channels s5 = SplitColor(c5);
  const Channels s6 = SplitColor(c6);
  return FadeRGB6(s1.red, s1.green, s1.blue, s2.red, s2.green, s2.blue, s3.red, s3.green, s3.blue,
                  s4.red, s4.green, s4.blue, s5.red, s5.green, s5.blue, s6.red, s6.green, s6.blue,
                  text, wavy);
}

std::u16string FadeSevenColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5,
                               int32_t c6, int32_t c7, std::u16string_view text, int16_t wavy) {
  const Channels s1 = SplitColor(c1);
  const Channels s2 = SplitColor(c2);
  const Channels s3 = SplitColor(c3);
  const Channels s4 = SplitColor(c4);
  const Channels s5 = SplitColor(c5);
  const Channels s6 = SplitColor(c6);
  const Channels s7 = SplitColor(c7);
  return FadeRGB7(s1.red, s1.green, s1.blue, s2.red, s2.green, s2.blue, s3.red, s3.green, s3.blue,
                  s4.red, s4.green, s4.blue, s5.red, s5.green, s5.blue, s6.red, s6.green, s6.blue,
                  s7.red, s7.green, s7.blue, text, wavy);
}

std::u16string FadeEightColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5,
                               int32_t c6, int32_t c7, int32_t c8, std::u16string_view text,
                               int16_t wavy) {
  const Channels s1 = SplitColor(c1);
  const Channels s2 = SplitColor(c2);
  const Channels s3 = SplitColor(c3);
  const Channels s4 = SplitColor(c4);
  const Channels s5 = SplitColor(c5);
  const Channels s6 = SplitColor(c6);
  const Channels s7 = SplitColor(c7);
  const Channels s8 = SplitColor(c8);
  return FadeRGB8(s1.red, s1.green, s1.blue, s2.red, s2.green, s2.blue, s3.red, s3.green, s3.blue,
                  s4.red, s4.green, s4.blue, s5.red, s5.green, s5.blue, s6.red, s6.green, s6.blue,
                  s7.red, s7.green, s7.blue, s8.red, s8.green, s8.blue, text, wavy);
}

std::u16string FadeNineColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5,
                              int32_t c6, int32_t c7, int32_t c8, int32_t c9,
                              std::u16string_view text, int16_t wavy) {
  const Channels s1 = SplitColor(c1);
  const Channels s2 = SplitColor(c2);
  const Channels s3 = SplitColor(c3);
  const Channels s4 = SplitColor(c4);
  const Channels s5 = SplitColor(c5);
  const Channels s6 = SplitColor(c6);
  const Channels s7 = SplitColor(c7);
  const Channels s8 = SplitColor(c8);
  const Channels s9 = SplitColor(c9);
  return FadeRGB9(s1.red, s1.green, s1.blue, s2.red, s2.green, s2.blue, s3.red, s3.green, s3.blue,
                  s4.red, s4.green, s4.blue, s5.red, s5.green, s5.blue, s6.red, s6.green, s6.blue,
                  s7.red, s7.green, s7.blue, s8.red, s8.green, s8.blue, s9.red, s9.green, s9.blue,
                  text, wavy);
}

std::u16string FadeTenColors(int32_t c1, int32_t c2, int32_t c3, int32_t c4, int32_t c5, int32_t c6,
                             int32_t c7, int32_t c8, int32_t c9, int32_t c10,
                             std::u16string_view text, int16_t wavy) {
  const Channels s1 = SplitColor(c1);
  const Channels s2 = SplitColor(c2);
  const Channels s3 = SplitColor(c3);
  const Channels s4 = SplitColor(c4);
  const Channels s5 = SplitColor(c5);
  const Channels s6 = SplitColor(c6);
  const Channels s7 = SplitColor(c7);
  const Channels s8 = SplitColor(c8);
  const Channels s9 = SplitColor(c9);
  const Channels s10 = SplitColor(c10);
  return FadeRGB10(s1.red, s1.green, s1.blue, s2.red, s2.green, s2.blue, s3.red, s3.green, s3.blue,
                   s4.red, s4.green, s4.blue, s5.red, s5.green, s5.blue, s6.red, s6.green, s6.blue,
                   s7.red, s7.green, s7.blue, s8.red, s8.green, s8.blue, s9.red, s9.green, s9.blue,
                   s10.red, s10.green, s10.blue, text, wavy);
}

std::u16string FadeColors(std::span<const int32_t> colours, std::u16string_view text,
                          int16_t wavy) {
  const auto& c = colours;
  switch (colours.size()) {
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

}  // namespace qf

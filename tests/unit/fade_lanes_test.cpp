// The fade generator colours two characters at a time (SSE2) or four (AVX2, where the processor
// has it). The fade tests check whichever width the run uses; QF_FADE_LANES=2 in the
// environment makes a whole run use two (CTest runs the fade tests once more that way). This
// file checks that both widths write the same markup wherever their loops differ: every lane
// of a group and the remainder after the last whole group, the last pieces of an exactly sized
// string, the flushes of a small block, plain and wavy, and every kind of character.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/utf.h"
#include "fade/color.h"
#include "fade/generator.h"

namespace qf {
namespace {

const bool kLanesFromEnvironment = [] {
  if (const char* lanes = std::getenv("QF_FADE_LANES")) SetFadeLanes(std::strtoul(lanes, 0, 10));
  return true;
}();

// The three outputs of one fade, made with `lanes` lanes.
struct Outputs {
  std::u16string utf16;
  std::string utf8;
  std::string streamed;
  bool operator==(const Outputs&) const = default;
};

Outputs FadeWith(std::size_t lanes, const std::vector<Channels>& stops, const std::u16string& text,
                 bool wavy, std::size_t blockSize) {
  const std::size_t previous = FadeLanes();
  SetFadeLanes(lanes);
  Outputs out;
  out.utf16 = FadeStops(stops, text, wavy);
  out.utf8 = FadeStopsUtf8(stops, text, wavy);
  std::vector<char> block(blockSize);
  StreamFadeUtf8(stops, Utf16ToUtf8(text), wavy, block, [&](std::string_view b) {
    out.streamed += b;
    return true;
  });
  SetFadeLanes(previous);
  return out;
}

TEST(FadeLanesTest, TheEnvironmentPicksTheWidth) {
  ASSERT_TRUE(kLanesFromEnvironment);
  if (std::getenv("QF_FADE_LANES") != nullptr && std::string(std::getenv("QF_FADE_LANES")) == "2") {
    EXPECT_EQ(FadeLanes(), 2u);
  } else {
    EXPECT_TRUE(FadeLanes() == 2 || FadeLanes() == 4);
  }
}

TEST(FadeLanesTest, TwoAndFourLanesWriteTheSameMarkup) {
  SetFadeLanes(4);
  const std::size_t best = FadeLanes();
  SetFadeLanes(2);
  ASSERT_EQ(FadeLanes(), 2u);
  SetFadeLanes(best);
  if (best == 2) GTEST_SKIP() << "this processor runs the two-lane loop only";

  // ASCII only (the character goes into the tag's group), other BMP characters, and pairs
  // with a lone surrogate among them.
  const std::u16string alphabets[] = {u"ab <>&#xyz", u"a\u00E9\u2022\u00B7b",
                                      u"a\U0001F600b" + std::u16string(1, char16_t{0xD800})};
  std::mt19937 random(7);
  for (int round = 0; round < 1200; ++round) {
    std::vector<Channels> stops;
    const std::size_t n = 2 + round % 9;
    for (std::size_t j = 0; j < n; ++j) stops.push_back(SplitColor(static_cast<int32_t>(random())));
    const std::u16string& alphabet = alphabets[round % 3];
    std::u16string text;
    const std::size_t length = round % 90;
    for (std::size_t k = 0; k < length; ++k) text += alphabet[random() % alphabet.size()];
    const bool wavy = round % 2 != 0;
    const std::size_t blockSize = kMinFadeBlockBytes + random() % 100;
    ASSERT_EQ(FadeWith(2, stops, text, wavy, blockSize), FadeWith(4, stops, text, wavy, blockSize))
        << "round " << round;
  }
}

}  // namespace
}  // namespace qf

// The fade entry points: colour values split into stops, the generator against the model on
// random inputs, and the UTF-8 string and stream paths.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fade_test_support.h"

namespace qf {
namespace {

using namespace fadetest;

TEST(FadeEntryPointTest, SplitsColorsRedLowByte) {
  const auto pieces = Pieces(FadeThreeColors(0, 0x123456, 0x0080FF, u"abcd", false), false);
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[1].code, "563412");
  EXPECT_EQ(pieces[3].code, "FF8000");
}

TEST(FadeEntryPointTest, EqualColorsGiveOneColor) {
  for (std::size_t n = 2; n <= 10; ++n) {
    const std::vector<int32_t> colors(n, 0x0080FF);
    for (const auto& piece : Pieces(FadeColors(colors, u"same colour", false), false)) {
      ASSERT_EQ(piece.code, "FF8000") << n << " stops";
    }
  }
}

TEST(FadeEntryPointTest, OutOfRangeStopCountGivesNothing) {
  const std::array<int32_t, 11> colors{};
  EXPECT_EQ(FadeColors(std::span(colors).first(1), u"abc", false), u"");
  EXPECT_EQ(FadeColors(colors, u"abc", false), u"");
}

// Random stops, texts (with pairs, lone surrogates and markup characters), lengths around the
// segment counts, both wave settings: the engine must match the reference model, write one
// piece per character, put each stop exactly on the last character of its non-empty segment,
// and the entry point must equal the generator fed by SplitColor.
TEST(FadePropertyTest, RandomInputsMatchTheModel) {
  std::mt19937 random(kPropertySeed);
  for (int round = 0; round < kPropertyRounds; ++round) {
    const RandomCase randomCase = MakeRandomCase(random, round);
    const auto& [colors, stops, text, wavy] = randomCase;
    const std::size_t n = stops.size();
    const std::u16string markup = FadeStops(stops, text, wavy);
    ASSERT_EQ(markup, ReferenceFade(stops, text, wavy)) << "round " << round;
    ASSERT_EQ(FadeColors(colors, text, wavy), markup) << "round " << round;

    const auto pieces = Pieces(markup, wavy);
    ASSERT_EQ(pieces.size(), CountCharacters(text));
    std::u16string joined;
    for (const auto& piece : pieces) joined += piece.character;
    ASSERT_EQ(joined, text);
    const auto sizes = FadeSegmentSizes(n, pieces.size());
    std::size_t end = 0;
    for (std::size_t j = 0; j + 1 < n; ++j) {
      end += sizes[j];
      if (sizes[j] > 0) {
        ASSERT_EQ(pieces[end - 1].code, Hex(stops[j + 1])) << "round " << round;
      }
    }
    ASSERT_EQ(end, pieces.size());
  }
}

// The UTF-8 paths over the property test's cases: the string made from UTF-16 text and the
// stream made from UTF-8 text are both exactly the UTF-8 encoding of the UTF-16 markup (a lone
// surrogate as U+FFFD), whatever the block size; the text broken anywhere writes nothing.
TEST(FadeUtf8Test, RandomInputsGiveTheUtf16MarkupInUtf8) {
  std::mt19937 random(kPropertySeed);
  std::vector<char> buffer(4096);
  static constexpr std::string_view kBreaks[] = {"\x80", "\xE2\x80", "\xED\xA0\x80", "\xFF",
                                                 "\xC0\xAF"};
  for (int round = 0; round < kPropertyRounds; ++round) {
    const RandomCase randomCase = MakeRandomCase(random, round);
    const auto& [colors, stops, text, wavy] = randomCase;
    const std::string expected = Utf16ToUtf8(FadeStops(stops, text, wavy));
    ASSERT_EQ(FadeStopsUtf8(stops, text, wavy), expected) << "round " << round;

    const std::string utf8Text = Utf16ToUtf8(text);
    const std::size_t blockSize = round % 2 == 0 ? kMinFadeBlockBytes + round % 40 : buffer.size();
    BlockCollector streamed{std::span(buffer).first(blockSize)};
    ASSERT_EQ(StreamFadeColorsUtf8(colors, utf8Text, wavy, streamed.block, streamed.Writer()),
              FadeStreamResult::kDone);
    ASSERT_EQ(streamed.markup, expected) << "round " << round;

    std::string broken = utf8Text;
    broken.insert(random() % (broken.size() + 1), kBreaks[round % 5]);
    ASSERT_FALSE(Utf8ToUtf16(broken).has_value());
    BlockCollector rejected{buffer};
    ASSERT_EQ(StreamFadeColorsUtf8(colors, broken, wavy, rejected.block, rejected.Writer()),
              FadeStreamResult::kInvalidText);
    ASSERT_EQ(rejected.calls, 0) << "round " << round;
  }
}

TEST(FadeStreamTest, ALongTextGoesThroughOneSmallBlockAndAWriterFailureEndsIt) {
  std::u16string text;
  while (text.size() < 200000) text += u"a\u00B7\u2022\U0001F600 <";
  const std::string utf8Text = Utf16ToUtf8(text);
  const auto stops = DistinctStops(7);
  std::vector<char> buffer(kMinFadeBlockBytes);

  BlockCollector streamed{buffer};
  ASSERT_EQ(StreamFadeUtf8(stops, utf8Text, true, streamed.block, streamed.Writer()),
            FadeStreamResult::kDone);
  EXPECT_EQ(streamed.markup, Utf16ToUtf8(FadeStops(stops, text, true)));
  EXPECT_GT(streamed.calls, 10000);  // a 64-byte block holds two to three pieces

  BlockCollector refusing{buffer};
  refusing.refuseCall = 3;
  EXPECT_EQ(StreamFadeUtf8(stops, utf8Text, true, refusing.block, refusing.Writer()),
            FadeStreamResult::kWriteFailed);
  EXPECT_EQ(refusing.calls, 3);

  BlockCollector tooSmall{std::span(buffer).first(kMinFadeBlockBytes - 1)};
  EXPECT_EQ(StreamFadeUtf8(stops, "abc", false, tooSmall.block, tooSmall.Writer()),
            FadeStreamResult::kWriteFailed);
  EXPECT_EQ(tooSmall.calls, 0);
}

}  // namespace
}  // namespace qf

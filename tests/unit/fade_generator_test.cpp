// The fade generator: rounding, the markup of each character, the wave, how the
// characters are dealt into segments, and what counts as a character.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "fade_test_support.h"

namespace qf {
namespace {

using namespace fadetest;

TEST(FadeRoundingTest, RoundHalfEvenMatchesNearbyint) {
  for (int twice = -2000; twice <= 2000; ++twice) {
    const double x = twice / 2.0;
    ASSERT_EQ(RoundHalfEven(x), std::nearbyint(x)) << x;
    ASSERT_EQ(RoundHalfEven(std::nextafter(x, 1e9)), std::nearbyint(std::nextafter(x, 1e9)));
    ASSERT_EQ(RoundHalfEven(std::nextafter(x, -1e9)), std::nearbyint(std::nextafter(x, -1e9)));
  }
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> wide(-1e15, 1e15), narrow(-300.0, 600.0);
  for (int k = 0; k < 200000; ++k) {
    const double a = wide(random), b = narrow(random);
    ASSERT_EQ(RoundHalfEven(a), std::nearbyint(a)) << a;
    ASSERT_EQ(RoundHalfEven(b), std::nearbyint(b)) << b;
  }
}

TEST(FadeRoundingTest, RoundChannelMatchesNearbyintOverTheChannelRange) {
  auto expected = [](double x) { return static_cast<unsigned>(std::nearbyint(x)); };
  for (int twice = 0; twice <= 510; ++twice) {
    const double x = twice / 2.0;
    ASSERT_EQ(RoundChannel(x), expected(x)) << x;
    const double above = std::nextafter(x, 1e9), below = std::nextafter(x, -1e9);
    if (above < 255.5) {
      ASSERT_EQ(RoundChannel(above), expected(above)) << x;
    }
    if (below > -0.5) {
      ASSERT_EQ(RoundChannel(below), expected(below)) << x;
    }
  }
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> channel(-0.4999, 255.4999);
  for (int k = 0; k < 200000; ++k) {
    const double x = channel(random);
    ASSERT_EQ(RoundChannel(x), expected(x)) << x;
  }
}

TEST(FadeMarkupTest, WorkedExamplePlainAndWavy) {
  EXPECT_EQ(U8(FadeStops(Stops{{255, 0, 0}, {0, 0, 255}}, u"abc", false)),
            "<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c");
  EXPECT_EQ(U8(FadeStops(Stops{{255, 0, 0}, {0, 0, 255}}, u"abc", true)),
            "<Font Color=#AA0055><sup>a<Font Color=#5500AA></sup>b<Font Color=#0000FF><sub>c");
  EXPECT_EQ(U8(FadeColors(std::array{255, 16711680}, u"abc", false)),
            "<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c");
}

TEST(FadeMarkupTest, RoundsHalvesToEven) {
  EXPECT_EQ(Codes(Pieces(FadeStops(Stops{{0, 0, 0}, {255, 255, 255}}, u"ab", false), false)),
            (std::vector<std::string>{"808080", "FFFFFF"}));
  EXPECT_EQ(Codes(Pieces(FadeStops(Stops{{0, 0, 0}, {5, 5, 5}}, u"ab", false), false)),
            (std::vector<std::string>{"020202", "050505"}));
}

TEST(FadeMarkupTest, EveryCharacterIsCopiedBareInItsOwnPiece) {
  const auto pieces = Pieces(FadeStops(Stops{{0, 0, 0}, {9, 9, 9}}, u"a <&>b", false), false);
  ASSERT_EQ(pieces.size(), 6u);
  EXPECT_EQ(U8(pieces[1].character), " ");
  EXPECT_EQ(U8(pieces[2].character), "<");
  EXPECT_EQ(U8(pieces[3].character), "&");
  EXPECT_EQ(pieces[5].code, "090909");
}

TEST(FadeMarkupTest, EmptyTextGivesEmptyMarkupEverywhere) {
  for (std::size_t n = 2; n <= 10; ++n) {
    EXPECT_EQ(FadeStops(DistinctStops(n), u"", false), u"");
    EXPECT_EQ(FadeStops(DistinctStops(n), u"", true), u"");
  }
  const std::array<int32_t, 10> colors{};
  for (std::size_t n = 2; n <= 10; ++n) {
    EXPECT_EQ(FadeColors(std::span(colors).first(n), u"", true), u"");
  }
}

TEST(FadeMarkupTest, OneCharacterTakesTheLastStop) {
  EXPECT_EQ(U8(FadeStops(Stops{{1, 2, 3}, {40, 50, 60}}, u"x", false)), "<Font Color=#28323C>x");
  EXPECT_EQ(Codes(Pieces(FadeStops(Stops{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, u"x", false), false)),
            (std::vector<std::string>{"070809"}));
}

TEST(FadeMarkupTest, ChannelsOutsideTheByteRangeAreClamped) {
  // (-5, 300, 0) is taken as (0, 255, 0): the markup keeps six-digit codes.
  EXPECT_EQ(Codes(Pieces(FadeStops(Stops{{-5, 300, 0}, {0, 0, 999}}, u"ab", false), false)),
            (std::vector<std::string>{"008080", "0000FF"}));
}

// Wavy adds the wave tags and nothing else: taken out, the plain markup is left, for every
// stop count and every kind of character.
TEST(FadeWaveTest, WavyOnlyAddsTheWaveTags) {
  const std::u16string text = u"a <&>\U0001F600b\u00E9";
  for (std::size_t n = 2; n <= 10; ++n) {
    std::u16string unwaved = FadeStops(DistinctStops(n), text, true);
    for (const std::u16string_view tag : {u"</sup>", u"</sub>", u"<sup>", u"<sub>"}) {
      for (auto at = unwaved.find(tag); at != std::u16string::npos; at = unwaved.find(tag, at)) {
        unwaved.erase(at, tag.size());
      }
    }
    EXPECT_EQ(unwaved, FadeStops(DistinctStops(n), text, false)) << n << " stops";
  }
}

TEST(FadeWaveTest, PeriodOfFourEndsOpen) {
  const auto five = Pieces(FadeStops(Stops{{0, 0, 0}, {9, 9, 9}}, u"abcde", true), true);
  ASSERT_EQ(five.size(), 5u);
  EXPECT_EQ(five[0].tag, "<sup>");
  EXPECT_EQ(five[3].tag, "</sub>");
  EXPECT_EQ(five[4].tag, "<sup>");
  const auto markup = U8(FadeStops(Stops{{0, 0, 0}, {9, 9, 9}}, u"abcd", true));
  EXPECT_EQ(markup.substr(markup.size() - 7), "</sub>d");
}

TEST(FadeWaveTest, WaveRunsOnAcrossSegments) {
  const auto pieces =
      Pieces(FadeStops(Stops{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, u"abcde", true), true);
  std::vector<std::string> tags;
  for (const auto& piece : pieces) tags.push_back(piece.tag);
  EXPECT_EQ(Codes(pieces),
            (std::vector<std::string>{"808000", "00FF00", "00AA55", "0055AA", "0000FF"}));
  EXPECT_EQ(tags, (std::vector<std::string>{"<sup>", "</sup>", "<sub>", "</sub>", "<sup>"}));
}

TEST(FadeSegmentTest, ThreeStopsSplitAtHalfRoundedToEven) {
  using Sizes = std::array<std::size_t, 2>;
  auto two = [](std::size_t length) {
    const auto s = FadeSegmentSizes(3, length);
    return Sizes{s[0], s[1]};
  };
  EXPECT_EQ(two(1), (Sizes{0, 1}));
  EXPECT_EQ(two(2), (Sizes{1, 1}));
  EXPECT_EQ(two(3), (Sizes{2, 1}));
  EXPECT_EQ(two(5), (Sizes{2, 3}));
  EXPECT_EQ(two(7), (Sizes{4, 3}));
  EXPECT_EQ(two(9), (Sizes{4, 5}));
}

TEST(FadeSegmentTest, FourOrMoreStopsDealInPasses) {
  using Sizes = std::array<std::size_t, 9>;
  EXPECT_EQ(FadeSegmentSizes(4, 1), (Sizes{1, 0, 0}));
  EXPECT_EQ(FadeSegmentSizes(4, 4), (Sizes{2, 1, 1}));
  EXPECT_EQ(FadeSegmentSizes(4, 5), (Sizes{2, 2, 1}));
  EXPECT_EQ(FadeSegmentSizes(4, 7), (Sizes{3, 2, 2}));
  EXPECT_EQ(FadeSegmentSizes(9, 7), (Sizes{1, 1, 1, 1, 1, 1, 1, 0}));
  EXPECT_EQ(FadeSegmentSizes(9, 15), (Sizes{2, 2, 2, 2, 2, 2, 2, 1}));
  EXPECT_EQ(FadeSegmentSizes(10, 0), (Sizes{}));
}

TEST(FadeSegmentTest, LastCharacterOfEachSegmentCarriesItsStop) {
  // Ten stops over five characters: five one-character segments, stops 7 to 10 unused.
  const auto stops = DistinctStops(10);
  const auto ten = Codes(Pieces(FadeStops(stops, u"abcde", false), false));
  EXPECT_EQ(ten, (std::vector<std::string>{Hex(stops[1]), Hex(stops[2]), Hex(stops[3]),
                                           Hex(stops[4]), Hex(stops[5])}));
  // Eight stops over fourteen characters: every second character is exactly a stop.
  const auto eight = Codes(Pieces(FadeStops(DistinctStops(8), u"abcdefghijklmn", false), false));
  ASSERT_EQ(eight.size(), 14u);
  for (std::size_t j = 1; j < 8; ++j) EXPECT_EQ(eight[2 * j - 1], Hex(DistinctStops(8)[j]));
}

// FadeColorsInto gives, from any character on, the colours of the engine's own markup: across
// segment boundaries, from a stretch's first character to a text's last.
TEST(FadeColorsTest, AnyStretchHasTheMarkupsColors) {
  for (const std::size_t stopCount : {2u, 3u, 4u, 10u}) {
    const auto stops = DistinctStops(stopCount);
    for (const std::size_t length : {1u, 7u, 100u, 1001u}) {
      const auto codes =
          Codes(Pieces(FadeStops(stops, std::u16string(length, u'x'), false), false));
      // Every start near a segment boundary, with stretches of several lengths.
      std::vector<std::size_t> firsts{0, length - 1};
      std::size_t boundary = 0;
      for (const std::size_t size : FadeSegmentSizes(stopCount, length)) {
        boundary += size;
        for (const std::size_t at : {boundary - 1, boundary, boundary + 1}) {
          if (at < length) firsts.push_back(at);
        }
      }
      for (const std::size_t first : firsts) {
        for (const std::size_t count : {std::size_t{1}, std::size_t{3}, length - first}) {
          if (first + count > length) continue;
          std::vector<uint32_t> colors(count);
          FadeColorsInto(stops, length, first, colors);
          for (std::size_t i = 0; i < count; ++i) {
            char hex[7];
            std::snprintf(hex, sizeof hex, "%06X", colors[i]);
            ASSERT_EQ(hex, codes[first + i]) << stopCount << " stops, " << length
                                             << " characters, from " << first << ", at " << i;
          }
        }
      }
      // Past the end, nothing is written.
      std::vector<uint32_t> past(2, 7);
      FadeColorsInto(stops, length, length - 1, past);
      EXPECT_EQ(past, (std::vector<uint32_t>{7, 7}));
    }
  }
}

TEST(FadeCharacterTest, SurrogatePairIsOneCharacter) {
  // "a", U+1F600, "b": three pieces, the emoji whole in the middle one, faded as 3 characters.
  const std::u16string text = u"a\U0001F600b";
  const auto pieces = Pieces(FadeStops(Stops{{255, 0, 0}, {0, 0, 255}}, text, true), true);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[1].character, u"\U0001F600");
  EXPECT_EQ(Codes(pieces), (std::vector<std::string>{"AA0055", "5500AA", "0000FF"}));
  EXPECT_EQ(pieces[2].tag, "<sub>");
  // Four stops over "ab😀😀": sizes 2, 1, 1 counted in characters.
  const auto four = Pieces(FadeStops(DistinctStops(4), u"ab\U0001F600\U0001F600", false), false);
  ASSERT_EQ(four.size(), 4u);
  EXPECT_EQ(four[1].code, Hex(DistinctStops(4)[1]));
  EXPECT_EQ(four[3].code, Hex(DistinctStops(4)[3]));
}

TEST(FadeCharacterTest, LoneSurrogatesAreCharactersOfTheirOwn) {
  const std::u16string text = {u'a', 0xDC00, 0xD800, u'b', 0xD83D};
  const auto pieces = Pieces(FadeStops(Stops{{0, 0, 0}, {255, 255, 255}}, text, false), false);
  ASSERT_EQ(pieces.size(), 5u);
  EXPECT_EQ(pieces[1].character, std::u16string(1, 0xDC00));
  EXPECT_EQ(pieces[2].character, std::u16string(1, 0xD800));
  EXPECT_EQ(pieces[4].character, std::u16string(1, 0xD83D));
  EXPECT_EQ(pieces[4].code, "FFFFFF");
}

TEST(FadeCharacterTest, TextsLongerThan32767CharactersFadeWithEveryStopCount) {
  std::u16string text;
  for (int k = 0; k < 70001; ++k) text += static_cast<char16_t>(u'a' + k % 26);
  for (std::size_t n = 2; n <= 10; ++n) {
    const auto stops = DistinctStops(n);
    const auto markup = FadeStops(stops, text, true);
    ASSERT_EQ(markup, ReferenceFade(stops, text, true)) << n << " stops";
    const auto pieces = Pieces(markup, true);
    ASSERT_EQ(pieces.size(), text.size());
    EXPECT_EQ(pieces.back().code, Hex(stops.back()));
  }
}

}  // namespace
}  // namespace qf

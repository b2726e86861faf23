#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/events.h"
#include "core/utf.h"
#include "fade/color.h"
#include "fade/entry_points.h"
#include "fade/generator.h"

namespace qf {
namespace {

std::string U8(std::u16string_view text) { return Utf16ToUtf8(text); }

// One character piece of fade markup, taken apart.
struct Piece {
  std::string code;  // RRGGBB
  std::string tag;   // wave tag, empty in plain markup
  std::u16string character;
};

// Splits markup into pieces. Each piece carries exactly one character (a surrogate pair counts
// as one), so the split is unambiguous even when the text holds "<" or tag-like characters.
std::vector<Piece> Pieces(std::u16string_view markup, bool wavy) {
  static constexpr std::u16string_view kPrefix = u"<Font Color=#";
  static constexpr std::u16string_view kTags[] = {u"</sup>", u"</sub>", u"<sup>", u"<sub>"};
  std::vector<Piece> pieces;
  std::size_t at = 0;
  while (at < markup.size()) {
    Piece piece;
    EXPECT_EQ(markup.substr(at, kPrefix.size()), kPrefix) << "at " << at;
    at += kPrefix.size();
    piece.code = U8(markup.substr(at, 6));
    at += 6;
    EXPECT_EQ(markup[at], u'>');
    ++at;
    if (wavy) {
      for (auto tag : kTags) {
        if (markup.substr(at, tag.size()) == tag) {
          piece.tag = U8(tag);
          at += tag.size();
          break;
        }
      }
      EXPECT_FALSE(piece.tag.empty()) << "no wave tag at " << at;
    }
    const std::size_t length = CharLengthAt(markup, at);
    piece.character = std::u16string(markup.substr(at, length));
    at += length;
    pieces.push_back(piece);
  }
  return pieces;
}

std::vector<std::string> Codes(const std::vector<Piece>& pieces) {
  std::vector<std::string> codes;
  for (const auto& piece : pieces) codes.push_back(piece.code);
  return codes;
}

std::string Hex(const Channels& c) { return ChannelsToHex(c.red, c.green, c.blue); }

// An independent model of the generator, written the long way: the dealing loop with its
// passes, std::nearbyint, and ChannelsToHex per character.
std::u16string ReferenceFade(const std::vector<Channels>& stops, std::u16string_view text,
                             int16_t wavy) {
  std::vector<std::u16string> characters;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLengthAt(text, pos)) {
    characters.emplace_back(text.substr(pos, CharLengthAt(text, pos)));
  }
  const long length = static_cast<long>(characters.size());
  const std::size_t k = stops.size() - 1;
  std::vector<long> sizes(k, 0);
  if (stops.size() == 2) {
    sizes[0] = length;
  } else if (stops.size() == 3) {
    sizes[0] = static_cast<long>(std::nearbyint(length / 2.0));
    sizes[1] = length - sizes[0];
  } else {
    long rest = length;
    bool dealing = true;
    while (dealing) {
      for (std::size_t j = 0; j < k; ++j) {
        ++sizes[j];
        if (--rest < 1) {
          dealing = false;
          break;
        }
      }
    }
    if (length == 0) sizes.assign(k, 0);
  }
  std::u16string markup;
  int wave = 0;
  long next = 0;
  const char16_t* kTags[] = {u"<sup>", u"</sup>", u"<sub>", u"</sub>"};
  for (std::size_t j = 0; j < k; ++j) {
    const Channels& a = stops[j];
    const Channels& b = stops[j + 1];
    const double n = static_cast<double>(sizes[j]);
    for (long i = 1; i <= sizes[j]; ++i) {
      auto channel = [&](int from, int to) {
        const double step = static_cast<double>(to - from) / n;
        return static_cast<int16_t>(std::nearbyint(from + static_cast<double>(i) * step));
      };
      const std::string hex =
          ChannelsToHex(channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue));
      markup += u"<Font Color=#" + std::u16string(hex.begin(), hex.end()) + u">";
      if (wavy == -1) {
        wave = wave + 1 > 4 ? 1 : wave + 1;
        markup += kTags[wave - 1];
      }
      markup += characters[static_cast<std::size_t>(next++)];
    }
  }
  return markup;
}

// The member for stops.size() stops, called with its separate channel arguments.
std::u16string CallMember(const std::vector<Channels>& s, std::u16string_view text, int16_t wavy) {
  auto c = [&](std::size_t j) { return s[j]; };
#define QF_STOP(j) c(j).red, c(j).green, c(j).blue
  switch (s.size()) {
    case 2:
      return FadeRGB2(QF_STOP(0), QF_STOP(1), text, wavy);
    case 3:
      return FadeRGB3(QF_STOP(0), QF_STOP(1), QF_STOP(2), text, wavy);
    case 4:
      return FadeRGB4(QF_STOP(0), QF_STOP(1), QF_STOP(2), QF_STOP(3), text, wavy);
    case 5:
      return FadeRGB5(QF_STOP(0), QF_STOP(1), QF_STOP(2), QF_STOP(3), QF_STOP(4), text, wavy);
    case 6:
      return FadeRGB6(QF_STOP(0), QF_STOP(1), QF_STOP(2), QF_STOP(3), QF_STOP(4), QF_STOP(5), text,
                      wavy);
    case 7:
      return FadeRGB7(QF_STOP(0), QF_STOP(1), QF_STOP(2), QF_STOP(3), QF_STOP(4), QF_STOP(5),
                      QF_STOP(6), text, wavy);
    case 8:
      return FadeRGB8(QF_STOP(0), QF_STOP(1), QF_STOP(2), QF_STOP(3), QF_STOP(4), QF_STOP(5),
                      QF_STOP(6), QF_STOP(7), text, wavy);
    case 9:
      return FadeRGB9(QF_STOP(0), QF_STOP(1), QF_STOP(2), QF_STOP(3), QF_STOP(4), QF_STOP(5),
                      QF_STOP(6), QF_STOP(7), QF_STOP(8), text, wavy);
    case 10:
      return FadeRGB10(QF_STOP(0), QF_STOP(1), QF_STOP(2), QF_STOP(3), QF_STOP(4), QF_STOP(5),
                       QF_STOP(6), QF_STOP(7), QF_STOP(8), QF_STOP(9), text, wavy);
  }
#undef QF_STOP
  ADD_FAILURE() << "no member for " << s.size() << " stops";
  return {};
}

const Channels kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

std::vector<Channels> DistinctStops(std::size_t count) {
  std::vector<Channels> stops;
  for (std::size_t j = 0; j < count; ++j) {
    const auto v = static_cast<int16_t>(j * 25);
    stops.push_back(Channels{v, static_cast<int16_t>(255 - v), static_cast<int16_t>(j * 7)});
  }
  return stops;
}

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
  EXPECT_EQ(U8(FadeRGB2(255, 0, 0, 0, 0, 255, u"abc", 0)),
            "<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c");
  EXPECT_EQ(U8(FadeRGB2(255, 0, 0, 0, 0, 255, u"abc", -1)),
            "<Font Color=#AA0055><sup>a<Font Color=#5500AA></sup>b<Font Color=#0000FF><sub>c");
  EXPECT_EQ(U8(FadeTwoColors(255, 16711680, u"abc", 0)),
            "<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c");
}

TEST(FadeMarkupTest, RoundsHalvesToEven) {
  EXPECT_EQ(Codes(Pieces(FadeRGB2(0, 0, 0, 255, 255, 255, u"ab", 0), false)),
            (std::vector<std::string>{"808080", "FFFFFF"}));
  EXPECT_EQ(Codes(Pieces(FadeRGB2(0, 0, 0, 5, 5, 5, u"ab", 0), false)),
            (std::vector<std::string>{"020202", "050505"}));
}

TEST(FadeMarkupTest, EveryCharacterIsCopiedBareInItsOwnPiece) {
  const auto pieces = Pieces(FadeRGB2(0, 0, 0, 9, 9, 9, u"a <&>b", 0), false);
  ASSERT_EQ(pieces.size(), 6u);
  EXPECT_EQ(U8(pieces[1].character), " ");
  EXPECT_EQ(U8(pieces[2].character), "<");
  EXPECT_EQ(U8(pieces[3].character), "&");
  EXPECT_EQ(pieces[5].code, "090909");
}

TEST(FadeMarkupTest, EmptyTextGivesEmptyMarkupEverywhere) {
  for (std::size_t n = 2; n <= 10; ++n) {
    EXPECT_EQ(CallMember(DistinctStops(n), u"", 0), u"");
    EXPECT_EQ(CallMember(DistinctStops(n), u"", -1), u"");
  }
  const std::array<int32_t, 10> colours{};
  for (std::size_t n = 2; n <= 10; ++n) {
    EXPECT_EQ(FadeColors(std::span(colours).first(n), u"", -1), u"");
  }
}

TEST(FadeMarkupTest, OneCharacterTakesTheLastStop) {
  EXPECT_EQ(U8(FadeRGB2(1, 2, 3, 40, 50, 60, u"x", 0)), "<Font Color=#28323C>x");
  EXPECT_EQ(Codes(Pieces(FadeRGB3(1, 2, 3, 4, 5, 6, 7, 8, 9, u"x", 0), false)),
            (std::vector<std::string>{"070809"}));
}

TEST(FadeMarkupTest, ChannelsOutsideTheByteRangeAreClamped) {
  // (-5, 300, 0) is taken as (0, 255, 0): the markup keeps six-digit codes.
  EXPECT_EQ(Codes(Pieces(FadeRGB2(-5, 300, 0, 0, 0, 999, u"ab", 0), false)),
            (std::vector<std::string>{"008080", "0000FF"}));
}

TEST(FadeWaveTest, OnlyMinusOneMakesWaves) {
  const auto plain = FadeRGB2(255, 0, 0, 0, 0, 255, u"abc", 0);
  EXPECT_EQ(FadeRGB2(255, 0, 0, 0, 0, 255, u"abc", 1), plain);
  EXPECT_EQ(FadeRGB2(255, 0, 0, 0, 0, 255, u"abc", -2), plain);
  EXPECT_EQ(FadeTwoColors(255, 16711680, u"abc", 1), plain);
}

TEST(FadeWaveTest, PeriodOfFourEndsOpen) {
  const auto five = Pieces(FadeRGB2(0, 0, 0, 9, 9, 9, u"abcde", -1), true);
  ASSERT_EQ(five.size(), 5u);
  EXPECT_EQ(five[0].tag, "<sup>");
  EXPECT_EQ(five[3].tag, "</sub>");
  EXPECT_EQ(five[4].tag, "<sup>");
  const auto markup = U8(FadeRGB2(0, 0, 0, 9, 9, 9, u"abcd", -1));
  EXPECT_EQ(markup.substr(markup.size() - 7), "</sub>d");
}

TEST(FadeWaveTest, WaveRunsOnAcrossSegments) {
  const auto pieces = Pieces(FadeRGB3(255, 0, 0, 0, 255, 0, 0, 0, 255, u"abcde", -1), true);
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
  const auto ten = Codes(Pieces(CallMember(stops, u"abcde", 0), false));
  EXPECT_EQ(ten, (std::vector<std::string>{Hex(stops[1]), Hex(stops[2]), Hex(stops[3]),
                                           Hex(stops[4]), Hex(stops[5])}));
  // Eight stops over fourteen characters: every second character is exactly a stop.
  const auto eight = Codes(Pieces(CallMember(DistinctStops(8), u"abcdefghijklmn", 0), false));
  ASSERT_EQ(eight.size(), 14u);
  for (std::size_t j = 1; j < 8; ++j) EXPECT_EQ(eight[2 * j - 1], Hex(DistinctStops(8)[j]));
}

TEST(FadeEntryPointTest, SplitsColoursRedLowByte) {
  const auto pieces = Pieces(FadeThreeColors(0, 0x123456, 0x0080FF, u"abcd", 0), false);
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[1].code, "563412");
  EXPECT_EQ(pieces[3].code, "FF8000");
}

TEST(FadeEntryPointTest, EqualColoursGiveOneColour) {
  for (std::size_t n = 2; n <= 10; ++n) {
    const std::vector<int32_t> colours(n, 0x0080FF);
    for (const auto& piece : Pieces(FadeColors(colours, u"same colour", 0), false)) {
      ASSERT_EQ(piece.code, "FF8000") << n << " stops";
    }
  }
}

TEST(FadeEntryPointTest, OutOfRangeStopCountGivesNothing) {
  const std::array<int32_t, 11> colours{};
  EXPECT_EQ(FadeColors(std::span(colours).first(1), u"abc", 0), u"");
  EXPECT_EQ(FadeColors(colours, u"abc", 0), u"");
}

TEST(FadeCharacterTest, SurrogatePairIsOneCharacter) {
  // "a", U+1F600, "b": three pieces, the emoji whole in the middle one, faded as 3 characters.
  const std::u16string text = u"a\U0001F600b";
  const auto pieces = Pieces(FadeRGB2(255, 0, 0, 0, 0, 255, text, -1), true);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[1].character, u"\U0001F600");
  EXPECT_EQ(Codes(pieces), (std::vector<std::string>{"AA0055", "5500AA", "0000FF"}));
  EXPECT_EQ(pieces[2].tag, "<sub>");
  // Four stops over "ab😀😀": sizes 2, 1, 1 counted in characters.
  const auto four = Pieces(CallMember(DistinctStops(4), u"ab\U0001F600\U0001F600", 0), false);
  ASSERT_EQ(four.size(), 4u);
  EXPECT_EQ(four[1].code, Hex(DistinctStops(4)[1]));
  EXPECT_EQ(four[3].code, Hex(DistinctStops(4)[3]));
}

TEST(FadeCharacterTest, LoneSurrogatesAreCharactersOfTheirOwn) {
  const std::u16string text = {u'a', 0xDC00, 0xD800, u'b', 0xD83D};
  const auto pieces = Pieces(FadeRGB2(0, 0, 0, 255, 255, 255, text, 0), false);
  ASSERT_EQ(pieces.size(), 5u);
  EXPECT_EQ(pieces[1].character, std::u16string(1, 0xDC00));
  EXPECT_EQ(pieces[2].character, std::u16string(1, 0xD800));
  EXPECT_EQ(pieces[4].character, std::u16string(1, 0xD83D));
  EXPECT_EQ(pieces[4].code, "FFFFFF");
}

TEST(FadeCharacterTest, TextsLongerThan32767CharactersFadeWithEveryMember) {
  std::u16string text;
  for (int k = 0; k < 70001; ++k) text += static_cast<char16_t>(u'a' + k % 26);
  for (std::size_t n = 2; n <= 10; ++n) {
    const auto stops = DistinctStops(n);
    const auto markup = CallMember(stops, text, -1);
    ASSERT_EQ(markup, ReferenceFade(stops, text, -1)) << n << " stops";
    const auto pieces = Pieces(markup, true);
    ASSERT_EQ(pieces.size(), text.size());
    EXPECT_EQ(pieces.back().code, Hex(stops.back()));
  }
}

// One random case of the property tests: 2 to 10 stops (their colour values and channels), a
// text with pairs, lone surrogates and markup characters, and a wavy flag.
struct RandomCase {
  std::vector<int32_t> colours;
  std::vector<Channels> stops;
  std::u16string text;
  int16_t wavy = 0;
};

constexpr unsigned kPropertySeed = 20261207;
constexpr int kPropertyRounds = 1500;

RandomCase MakeRandomCase(std::mt19937& random, int round) {
  const std::u16string alphabet = u"ab <>&#\U0001F600\u2022\u00B7";
  const std::size_t n = 2 + random() % 9;
  std::vector<int32_t> colours;
  std::vector<Channels> stops;
  // Some rounds keep the stops close together, so long segments hold runs of one colour.
  const bool close = round % 3 == 1;
  const int base = 20 + static_cast<int>(random() % 200);
  for (std::size_t j = 0; j < n; ++j) {
    int32_t colour =
        round % 7 == 0 ? static_cast<int32_t>(random()) : static_cast<int32_t>(random() & 0xFFFFFF);
    if (close) {
      auto near = [&] { return base + static_cast<int>(random() % 21) - 10; };
      colour = near() + 256 * near() + 65536 * near();
    }
    colours.push_back(colour);
    stops.push_back(SplitColor(colour));
  }
  std::u16string text;
  const std::size_t length = random() % (round % 10 == 0 || close ? 400 : 25);
  for (std::size_t k = 0; k < length; ++k) {
    const unsigned pick = random() % 12;
    if (pick < 10) {
      text += alphabet[random() % alphabet.size()];  // may pick one half of the emoji
    } else {
      text += u"\U0001F44D";
    }
  }
  const int16_t wavy = static_cast<int16_t>(random() % 3 == 0 ? -1 : random() % 3);
  return {colours, stops, text, wavy};
}

// Random stops, texts (with pairs, lone surrogates and markup characters), lengths around the
// segment counts, both wave settings: the engine must match the reference model, write one
// piece per character, put each stop exactly on the last character of its non-empty segment,
// and the entry point must equal the member fed by SplitColor.
TEST(FadePropertyTest, RandomInputsMatchTheModel) {
  std::mt19937 random(kPropertySeed);
  for (int round = 0; round < kPropertyRounds; ++round) {
    const RandomCase randomCase = MakeRandomCase(random, round);
    const auto& [colours, stops, text, wavy] = randomCase;
    const std::size_t n = stops.size();
    const std::u16string markup = CallMember(stops, text, wavy);
    ASSERT_EQ(markup, ReferenceFade(stops, text, wavy)) << "round " << round;
    ASSERT_EQ(FadeColors(colours, text, wavy), markup) << "round " << round;

    const auto pieces = Pieces(markup, wavy == -1);
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

// Collects streamed markup, checking that every block is a filled part of the one buffer.
struct BlockCollector {
  explicit BlockCollector(std::span<char> buffer) : block(buffer) {}

  std::span<char> block;
  std::string markup;
  int calls = 0;
  int refuseCall = 0;  // the call (1, 2, ...) that returns false; 0: none

  MarkupWriter Writer() {
    return [this](std::string_view b) {
      ++calls;
      EXPECT_EQ(b.data(), block.data());
      EXPECT_LE(b.size(), block.size());
      EXPECT_FALSE(b.empty());
      markup += b;
      return calls != refuseCall;
    };
  }
};

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
    const auto& [colours, stops, text, wavy] = randomCase;
    const std::string expected = Utf16ToUtf8(FadeStops(stops, text, wavy));
    ASSERT_EQ(FadeStopsUtf8(stops, text, wavy), expected) << "round " << round;

    const std::string utf8Text = Utf16ToUtf8(text);
    const std::size_t blockSize = round % 2 == 0 ? kMinFadeBlockBytes + round % 40 : buffer.size();
    BlockCollector streamed{std::span(buffer).first(blockSize)};
    ASSERT_EQ(StreamFadeColorsUtf8(colours, utf8Text, wavy, streamed.block, streamed.Writer()),
              FadeStreamResult::kDone);
    ASSERT_EQ(streamed.markup, expected) << "round " << round;

    std::string broken = utf8Text;
    broken.insert(random() % (broken.size() + 1), kBreaks[round % 5]);
    ASSERT_FALSE(Utf8ToUtf16(broken).has_value());
    BlockCollector rejected{buffer};
    ASSERT_EQ(StreamFadeColorsUtf8(colours, broken, wavy, rejected.block, rejected.Writer()),
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
  ASSERT_EQ(StreamFadeUtf8(stops, utf8Text, -1, streamed.block, streamed.Writer()),
            FadeStreamResult::kDone);
  EXPECT_EQ(streamed.markup, Utf16ToUtf8(FadeStops(stops, text, -1)));
  EXPECT_GT(streamed.calls, 10000);  // a 64-byte block holds two to three pieces

  BlockCollector refusing{buffer};
  refusing.refuseCall = 3;
  EXPECT_EQ(StreamFadeUtf8(stops, utf8Text, -1, refusing.block, refusing.Writer()),
            FadeStreamResult::kWriteFailed);
  EXPECT_EQ(refusing.calls, 3);

  BlockCollector tooSmall{std::span(buffer).first(kMinFadeBlockBytes - 1)};
  EXPECT_EQ(StreamFadeUtf8(stops, "abc", 0, tooSmall.block, tooSmall.Writer()),
            FadeStreamResult::kWriteFailed);
  EXPECT_EQ(tooSmall.calls, 0);
}

// The event pump as the window system would run it: counted, or re-entering the engine.
int pumpCount = 0;
int nestingDepth = 0;
std::u16string nestedMarkup;

class FadePumpTest : public ::testing::Test {
 protected:
  void TearDown() override { SetEventPump(previous_); }
  void Install(void (*pump)()) { previous_ = SetEventPump(EventPump{pump, nullptr}); }

 private:
  EventPump previous_;
};

TEST_F(FadePumpTest, PumpsOncePerDealingPassWithFourOrMoreStops) {
  pumpCount = 0;
  Install([] { ++pumpCount; });
  for (std::size_t n = 2; n <= 10; ++n) {
    const std::size_t k = n - 1;
    for (std::size_t length : {0u, 1u, 5u, 9u, 10u, 100u}) {
      pumpCount = 0;
      CallMember(DistinctStops(n), std::u16string(length, u'x'), 0);
      const std::size_t expected = n < 4 ? 0 : (length == 0 ? 1 : (length + k - 1) / k);
      EXPECT_EQ(pumpCount, static_cast<int>(expected)) << n << " stops, length " << length;
    }
  }
  // Characters, not code units, count: two emoji are two characters, one pass of three.
  pumpCount = 0;
  CallMember(DistinctStops(4), u"\U0001F600\U0001F600", 0);
  EXPECT_EQ(pumpCount, 1);
}

TEST_F(FadePumpTest, TheUtf8PathsPumpLikeTheUtf16OneAndInvalidTextNotAtAll) {
  Install([] { ++pumpCount; });
  std::vector<char> block(256);
  for (std::size_t n = 2; n <= 10; ++n) {
    for (std::size_t length : {0u, 5u, 100u}) {
      const std::u16string text(length, u'x');
      pumpCount = 0;
      FadeStops(DistinctStops(n), text, 0);
      const int expected = pumpCount;
      pumpCount = 0;
      FadeStopsUtf8(DistinctStops(n), text, 0);
      EXPECT_EQ(pumpCount, expected) << n << " stops, length " << length;
      pumpCount = 0;
      StreamFadeUtf8(DistinctStops(n), U8(text), 0, block, [](std::string_view) { return true; });
      EXPECT_EQ(pumpCount, expected) << n << " stops, length " << length;
    }
  }
  pumpCount = 0;
  StreamFadeUtf8(DistinctStops(10), "abc\xFF", 0, block, [](std::string_view) { return true; });
  EXPECT_EQ(pumpCount, 0);
}

TEST_F(FadePumpTest, NestedCallFromThePumpLeavesTheOuterCallIntact) {
  nestedMarkup.clear();
  const std::array<int32_t, 5> outer{255, 0x00FF00, 0xFF0000, 0x123456, 0xFFFFFF};
  const std::u16string text = u"outer call text";
  const std::u16string expected = FadeColors(outer, text, -1);
  Install([] {
    if (nestingDepth >= 2) return;  // the nested call pumps too
    ++nestingDepth;
    const std::array<int32_t, 4> inner{0, 0xFFFFFF, 0x00FF00, 255};
    nestedMarkup += FadeColors(inner, u"in", -1);
    --nestingDepth;
  });
  EXPECT_EQ(FadeColors(outer, text, -1), expected);
  // The outer call deals 15 characters over 4 segments in four passes, each running a nested
  // call, which pumps and nests once more.
  EXPECT_FALSE(nestedMarkup.empty());
  EXPECT_EQ(nestedMarkup.substr(0, 20), u"<Font Color=#FFFFFF>");
}

}  // namespace
}  // namespace qf

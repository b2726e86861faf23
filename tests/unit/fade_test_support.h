#pragma once
// What the fade engine's tests share: markup taken apart into its pieces, an independent model
// of the generator, the property tests' random cases, and a collector for streamed markup.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/utf.h"
#include "fade/color.h"
#include "fade/entry_points.h"
#include "fade/generator.h"

namespace qf::fadetest {

inline std::string U8(std::u16string_view text) { return Utf16ToUtf8(text); }

// One character piece of fade markup, taken apart.
struct Piece {
  std::string code;  // RRGGBB
  std::string tag;   // wave tag, empty in plain markup
  std::u16string character;
};

// Splits markup into pieces. Each piece carries exactly one character (a surrogate pair counts
// as one), so the split is unambiguous even when the text holds "<" or tag-like characters.
inline std::vector<Piece> Pieces(std::u16string_view markup, bool wavy) {
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

inline std::vector<std::string> Codes(const std::vector<Piece>& pieces) {
  std::vector<std::string> codes;
  for (const auto& piece : pieces) codes.push_back(piece.code);
  return codes;
}

inline std::string Hex(const Channels& c) { return ChannelsToHex(c.red, c.green, c.blue); }

// An independent model of the generator, written the long way: the dealing loop with its
// passes, std::nearbyint, and ChannelsToHex per character.
inline std::u16string ReferenceFade(const std::vector<Channels>& stops, std::u16string_view text,
                                    bool wavy) {
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
      if (wavy) {
        wave = wave + 1 > 4 ? 1 : wave + 1;
        markup += kTags[wave - 1];
      }
      markup += characters[static_cast<std::size_t>(next++)];
    }
  }
  return markup;
}

// Stops written out in a test: FadeStops(Stops{{255, 0, 0}, {0, 0, 255}}, u"abc", false).
using Stops = std::vector<Channels>;

inline std::vector<Channels> DistinctStops(std::size_t count) {
  std::vector<Channels> stops;
  for (std::size_t j = 0; j < count; ++j) {
    const auto v = static_cast<int16_t>(j * 25);
    stops.push_back(Channels{v, static_cast<int16_t>(255 - v), static_cast<int16_t>(j * 7)});
  }
  return stops;
}

// One random case of the property tests: 2 to 10 stops (their colour values and channels), a
// text with pairs, lone surrogates and markup characters, and a wavy flag.
struct RandomCase {
  std::vector<int32_t> colors;
  std::vector<Channels> stops;
  std::u16string text;
  bool wavy = false;
};

inline constexpr unsigned kPropertySeed = 20261207;
inline constexpr int kPropertyRounds = 1500;

inline RandomCase MakeRandomCase(std::mt19937& random, int round) {
  const std::u16string alphabet = u"ab <>&#\U0001F600\u2022\u00B7";
  const std::size_t n = 2 + random() % 9;
  std::vector<int32_t> colors;
  std::vector<Channels> stops;
  // Some rounds keep the stops close together, so long segments hold runs of one colour.
  const bool close = round % 3 == 1;
  const int base = 20 + static_cast<int>(random() % 200);
  for (std::size_t j = 0; j < n; ++j) {
    int32_t color =
        round % 7 == 0 ? static_cast<int32_t>(random()) : static_cast<int32_t>(random() & 0xFFFFFF);
    if (close) {
      auto near = [&] { return base + static_cast<int>(random() % 21) - 10; };
      color = near() + 256 * near() + 65536 * near();
    }
    colors.push_back(color);
    stops.push_back(SplitColor(color));
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
  // Wavy one time in three. A plain case draws once more, so the seed gives the cases it gave
  // when the flag was a number.
  const bool wavy = random() % 3 == 0;
  if (!wavy) random();
  return {colors, stops, text, wavy};
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

}  // namespace qf::fadetest

#pragma once
// The fade generator: one line of text and 2 to 10 colour stops in, fade markup out. Every
// character gets its own piece "<Font Color=#RRGGBB>" + optional wave tag + the character,
// with the colour interpolated between consecutive stops; nothing is escaped or closed.
//
// One generic core serves the whole family and every output form: it reads the characters from
// a source (UTF-16 text, or UTF-8 text already checked) and writes the pieces to a sink (an
// exactly sized UTF-16 or UTF-8 string, or one fixed UTF-8 block handed on whenever it fills),
// the source and sink being template parameters of the one loop. FadeStops makes the UTF-16
// markup the program uses; FadeStopsUtf8 the same markup in UTF-8; StreamFadeUtf8 streams it
// for qfade. Every one takes the stops as one span, whatever their number.
//
// Characters: a surrogate pair is one character (one piece, never split by a tag, counted once
// for segment sizes and the wave); a lone surrogate is a character of its own.
//
// The engine never lets window messages run: a call does its work and returns (the longest line
// takes well under a millisecond), so no handler can run in the middle of one.
#include <array>
#include <bit>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "fade/color.h"

namespace qf {

inline constexpr std::size_t kMinFadeStops = 2;
inline constexpr std::size_t kMaxFadeStops = 10;

// Rounds to the nearest integer, an exact half to the even neighbour, as std::nearbyint does
// under the default rounding mode, without a library call: adding 1.5 * 2^52 leaves no
// fraction bits, so the hardware's round-to-nearest-even does the rounding; subtracting it
// again is exact. Valid for |x| < 2^51 (channel arithmetic stays within -300..600).
//   RoundHalfEven(2.5) == 2.0;  RoundHalfEven(3.5) == 4.0;  RoundHalfEven(-0.5) == 0.0
#if FLT_EVAL_METHOD != 0
#error "double arithmetic must be evaluated in double precision (build with -mfpmath=sse)"
#endif
inline double RoundHalfEven(double x) {
  constexpr double kShift = 6755399441055744.0;  // 1.5 * 2^52
  return (x + kShift) - kShift;
}

// RoundHalfEven for a channel in the making (-0.5 < x < 255.5), returned as the channel value
// itself: after adding 1.5 * 2^52 the rounded integer lies in the low bits of the double, so
// the value is read from there without subtracting or converting (the fade's inner loop).
//   RoundChannel(127.5) == 128;  RoundChannel(170.5) == 170;  RoundChannel(-0.25) == 0
inline unsigned RoundChannel(double x) {
  constexpr double kShift = 6755399441055744.0;  // 1.5 * 2^52
  return static_cast<unsigned>(std::bit_cast<uint64_t>(x + kShift)) & 0xFFu;
}

// The number of characters of `text`: a surrogate pair counts once, a lone surrogate once.
//   CountCharacters(u"a\U0001F600b") == 3
std::size_t CountCharacters(std::u16string_view text);

// The number of characters in each of the N - 1 segments of a text of `length` characters
// faded through `stopCount` stops (entries past N - 1 are 0):
//   2 stops: the whole text;
//   3 stops: half the length rounded half-to-even, then the rest (5 -> 2, 3);
//   4+ stops: dealt out in passes, one character per segment, so every segment gets
//   length / (N - 1) and the first length % (N - 1) get one more (5 over 3 segments -> 2, 2, 1).
// Empty text gives empty segments.
//   FadeSegmentSizes(4, 7) == {3, 2, 2, 0, ...}
std::array<std::size_t, kMaxFadeStops - 1> FadeSegmentSizes(std::size_t stopCount,
                                                            std::size_t length);

// The generic core: fades `text` through `stops` (2 to 10 of them; other counts give an empty
// string). With `wavy` each character is also raised or lowered (<sup>, </sup>, <sub>, </sub>,
// repeating, across segments). Channel values are clamped to 0..255.
//   FadeStops({{255,0,0},{0,0,255}}, u"abc", false) ==
//     u"<Font Color=#AA0055>a<Font Color=#5500AA>b<Font Color=#0000FF>c"
//   FadeStops({{255,0,0},{0,0,255}}, u"abc", true) ==
//     u"<Font Color=#AA0055><sup>a<Font Color=#5500AA></sup>b<Font Color=#0000FF><sub>c"
std::u16string FadeStops(std::span<const Channels> stops, std::u16string_view text, bool wavy);

// FadeStops' markup encoded as UTF-8, written straight in UTF-8 (no UTF-16 copy of the markup):
// always Utf16ToUtf8(FadeStops(stops, text, wavy)); a lone surrogate becomes U+FFFD.
//   FadeStopsUtf8({{255,0,0},{0,0,255}}, u"\u00E9", false) == "<Font Color=#0000FF>\xC3\xA9"
std::string FadeStopsUtf8(std::span<const Channels> stops, std::u16string_view text, bool wavy);

// The colours of colours.size() consecutive characters, from character `first` (counting from
// 0), of a text of `length` characters faded through `stops`: exactly as FadeStops colours
// them (the same segments, the same rounding, the same clamping), packed 0xRRGGBB, red in the
// high byte as the hex code reads. For writers of other markups, which give runs of characters
// one colour code; taking the colours a part at a time keeps their memory small. Only
// computes: unlike FadeStops it lets no events run. A stop count outside 2..10, or characters
// past the end of the text, leave `colours` as it was.
//   std::array<uint32_t, 3> c;
//   FadeColorsInto(std::array<Channels, 2>{{{255, 0, 0}, {0, 0, 255}}}, 3, 0, c);
//   // c == {0xAA0055, 0x5500AA, 0x0000FF}
void FadeColorsInto(std::span<const Channels> stops, std::size_t length, std::size_t first,
                    std::span<uint32_t> colors);

// Receives streamed markup, one block at a time, in order; returns false when it could not take
// it (nothing more is handed to it then).
using MarkupWriter = std::function<bool(std::string_view block)>;

// The smallest block StreamFadeUtf8 works with (the longest UTF-8 piece is 30 bytes).
inline constexpr std::size_t kMinFadeBlockBytes = 64;

enum class FadeStreamResult {
  kDone,         // all the markup was handed to the writer (none for empty text or 0/1/11+ stops)
  kInvalidText,  // the text is not valid UTF-8: nothing was written
  kWriteFailed,  // the writer refused a block, or the block is shorter than kMinFadeBlockBytes
};

// Fades UTF-8 text and streams the markup in UTF-8 through `block`, one buffer reused for the
// whole call: the pieces are written into it and it goes to `write` each time the next piece
// might not fit, and once more at the end; memory stays flat whatever the text's length. The
// whole text is checked first (strictly, as Utf8ToUtf16 does), so invalid text writes nothing.
// The markup is that of FadeStopsUtf8 over the text in UTF-16.
//   std::array<char, 4096> block;  std::string out;
//   StreamFadeUtf8(stops, "abc", false, block, [&](std::string_view b) { out += b; return true; });
FadeStreamResult StreamFadeUtf8(std::span<const Channels> stops, std::string_view text, bool wavy,
                                std::span<char> block, const MarkupWriter& write);

// How many characters the generator colours at a time in the vector unit: 4 where the
// processor has AVX2 (x86), else 2. The markup is the same either way.
std::size_t FadeLanes();

// Makes the generator colour `lanes` characters at a time: 2, or 4 where FadeLanes() started
// out as 4 (anything else gives 2). For tests and benchmarks, which run both widths.
//   SetFadeLanes(2);   // the SSE2 loop, also on a processor with AVX2
void SetFadeLanes(std::size_t lanes);

}  // namespace qf

#include "fade/generator.h"

#include <algorithm>
#include <cstring>

#include "core/events.h"
#include "core/utf.h"

namespace qf {

namespace {

// Every piece starts with this, then six hex digits and ">".
constexpr char16_t kPiecePrefix[] = u"<Font Color=#";
constexpr std::size_t kPrefixUnits = 13;
constexpr std::size_t kTagUnits = kPrefixUnits + 6 + 1;  // "<Font Color=#RRGGBB>"
static_assert(sizeof(kPiecePrefix) == (kPrefixUnits + 1) * sizeof(char16_t));

// The two upper-case hex digits of every channel value, so a code is three 4-byte copies.
struct HexPairTable {
  char16_t pair[256][2];
};
constexpr HexPairTable MakeHexPairTable() {
  constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  HexPairTable table{};
  for (int value = 0; value < 256; ++value) {
    table.pair[value][0] = kDigits[value >> 4];
    table.pair[value][1] = kDigits[value & 0xF];
  }
  return table;
}
constexpr HexPairTable kHexPairs = MakeHexPairTable();

// Wave tags for the states 1..4. Each row is padded to six units so a tag is always copied
// whole with one fixed-size copy; a five-unit tag's padding is overwritten by the character
// that follows it.
constexpr char16_t kWaveTags[4][6] = {{u'<', u's', u'u', u'p', u'>', 0},
                                      {u'<', u'/', u's', u'u', u'p', u'>'},
                                      {u'<', u's', u'u', u'b', u'>', 0},
                                      {u'<', u'/', u's', u'u', u'b', u'>'}};
constexpr std::size_t kWaveTagUnits[4] = {5, 6, 5, 6};

// The total length of the wave tags of the first `characters` characters of a text.
std::size_t WaveUnits(std::size_t characters) {
  constexpr std::size_t kPartial[4] = {0, 5, 11, 16};
  return characters / 4 * 22 + kPartial[characters % 4];
}

bool ContainsSurrogate(std::u16string_view text) {
  // Four code units at a time: a unit is a surrogate when its top five bits are 11011. XOR
  // turns such a unit into a zero lane, which the classic has-zero test detects.
  constexpr uint64_t kTopBits = 0xF800F800F800F800u;
  constexpr uint64_t kSurrogate = 0xD800D800D800D800u;
  constexpr uint64_t kLow = 0x0001000100010001u;
  constexpr uint64_t kHigh = 0x8000800080008000u;
  const char16_t* p = text.data();
  const char16_t* end = p + text.size();
  uint64_t found = 0;
  for (; end - p >= 4; p += 4) {
    uint64_t units;
    std::memcpy(&units, p, sizeof units);
    const uint64_t lanes = (units & kTopBits) ^ kSurrogate;
    found |= (lanes - kLow) & ~lanes & kHigh;
  }
  if (found != 0) return true;
  for (; p < end; ++p) {
    if ((*p & 0xF800) == 0xD800) return true;
  }
  return false;
}

int16_t ClampChannel(int16_t value) { return std::clamp<int16_t>(value, 0, 255); }

// start + position * step rounded half-to-even. The channel stays within the two stops'
// channels (0..255), and RoundChannel's result is masked to a byte, so the hex table look-up
// is safe by construction.
unsigned ChannelAt(double start, double step, double position) {
  return RoundChannel(start + position * step);
}

// The colour tag "<Font Color=#RRGGBB>" of one colour.
void WriteTag(char16_t* dst, unsigned red, unsigned green, unsigned blue) {
  std::memcpy(dst, kPiecePrefix, kPrefixUnits * sizeof(char16_t));
  std::memcpy(dst + kPrefixUnits, kHexPairs.pair[red], 2 * sizeof(char16_t));
  std::memcpy(dst + kPrefixUnits + 2, kHexPairs.pair[green], 2 * sizeof(char16_t));
  std::memcpy(dst + kPrefixUnits + 4, kHexPairs.pair[blue], 2 * sizeof(char16_t));
  dst[kTagUnits - 1] = u'>';
}

// The rest of a piece after its colour tag: the wave tag, then the character (a surrogate pair
// whole).
template <bool kWavy, bool kSurrogates>
inline void WriteTail(char16_t*& dst, const char16_t*& src, const char16_t* srcEnd, int& wave) {
  if constexpr (kWavy) {
    wave = wave >= 4 ? 1 : wave + 1;
    std::memcpy(dst, kWaveTags[wave - 1], sizeof(kWaveTags[0]));
    dst += kWaveTagUnits[wave - 1];
  }
  if constexpr (kSurrogates) {
    if (IsHighSurrogate(src[0]) && src + 1 < srcEnd && IsLowSurrogate(src[1])) {
      dst[0] = src[0];
      dst[1] = src[1];
      dst += 2;
      src += 2;
      return;
    }
  }
  *dst++ = *src++;
}

// Writes the pieces of one segment of `count` characters, read from `in`, faded from stop
// `from` to stop `to`, at `out`. Advances `in` and `out`; `wave` is the call's wave state.
template <bool kWavy, bool kSurrogates>
void WriteSegment(const Channels& from, const Channels& to, std::size_t count, const char16_t*& in,
                  const char16_t* inEnd, char16_t*& out, int& wave) {
  const double n = static_cast<double>(count);
  const double startRed = from.red, startGreen = from.green, startBlue = from.blue;
  const double stepRed = static_cast<double>(to.red - from.red) / n;
  const double stepGreen = static_cast<double>(to.green - from.green) / n;
  const double stepBlue = static_cast<double>(to.blue - from.blue) / n;
  const char16_t* src = in;
  char16_t* dst = out;
  // The position as a double, counted up rather than converted from i each time: the
  // conversion instruction would chain every iteration to the last through its register.
  double position = 0.0;
  for (std::size_t i = 1; i <= count; ++i) {
    position += 1.0;
    WriteTag(dst, ChannelAt(startRed, stepRed, position),
             ChannelAt(startGreen, stepGreen, position), ChannelAt(startBlue, stepBlue, position));
    dst += kTagUnits;
    WriteTail<kWavy, kSurrogates>(dst, src, inEnd, wave);
  }
  in = src;
  out = dst;
}

template <bool kWavy, bool kSurrogates>
void WriteSegments(std::span<const Channels> stops,
                   const std::array<std::size_t, kMaxFadeStops - 1>& sizes,
                   std::u16string_view text, char16_t* out) {
  const char16_t* in = text.data();
  const char16_t* inEnd = text.data() + text.size();
  int wave = 0;
  for (std::size_t j = 0; j + 1 < stops.size(); ++j) {
    if (sizes[j] == 0) continue;  // an empty segment divides by nothing
    WriteSegment<kWavy, kSurrogates>(stops[j], stops[j + 1], sizes[j], in, inEnd, out, wave);
  }
}

}  // namespace

std::size_t CountCharacters(std::u16string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLengthAt(text, pos)) ++count;
  return count;
}

std::array<std::size_t, kMaxFadeStops - 1> FadeSegmentSizes(std::size_t stopCount,
                                                            std::size_t length) {
  std::array<std::size_t, kMaxFadeStops - 1> sizes{};
  if (stopCount < kMinFadeStops || stopCount > kMaxFadeStops) return sizes;
  if (stopCount == 2) {
    sizes[0] = length;
  } else if (stopCount == 3) {
    // Half the length, an exact half (odd length) rounded to the even neighbour.
    std::size_t half = length / 2;
    if (length % 2 == 1 && half % 2 == 1) ++half;
    sizes[0] = half;
    sizes[1] = length - half;
  } else {
    // Dealing one character per segment per pass gives every segment the same share and the
    // first `length % k` segments one more.
    const std::size_t k = stopCount - 1;
    for (std::size_t j = 0; j < k; ++j) sizes[j] = length / k + (j < length % k ? 1 : 0);
  }
  return sizes;
}

std::u16string FadeStops(std::span<const Channels> stops, std::u16string_view text, int16_t wavy) {
  const std::size_t stopCount = stops.size();
  if (stopCount < kMinFadeStops || stopCount > kMaxFadeStops) return {};

  const bool surrogates = ContainsSurrogate(text);
  const std::size_t length = surrogates ? CountCharacters(text) : text.size();

  // With four or more stops, the characters are dealt out to the segments in passes, and the
  // window messages get a turn at the start of every pass (one pass for empty text), before
  // any markup is made.
  if (stopCount >= 4) {
    const std::size_t k = stopCount - 1;
    const std::size_t passes = length == 0 ? 1 : (length + k - 1) / k;
    for (std::size_t pass = 0; pass < passes; ++pass) DoEvents();
  }
  if (length == 0) return {};

  std::array<Channels, kMaxFadeStops> clamped;
  for (std::size_t j = 0; j < stopCount; ++j) {
    clamped[j] = Channels{ClampChannel(stops[j].red), ClampChannel(stops[j].green),
                          ClampChannel(stops[j].blue)};
  }
  const std::span<const Channels> safeStops(clamped.data(), stopCount);
  const auto sizes = FadeSegmentSizes(stopCount, length);
  const bool wave = wavy == -1;

  // Exact size up front: one tag per character, the wave tags, and every code unit of the text.
  const std::size_t total = length * kTagUnits + (wave ? WaveUnits(length) : 0) + text.size();
  // Sized once and written through a raw pointer (C++20 strings offer no way to skip the
  // zero fill).
  std::u16string markup(total, u'\0');
  char16_t* const out = markup.data();
  if (wave) {
    if (surrogates) {
      WriteSegments<true, true>(safeStops, sizes, text, out);
    } else {
      WriteSegments<true, false>(safeStops, sizes, text, out);
    }
  } else {
    if (surrogates) {
      WriteSegments<false, true>(safeStops, sizes, text, out);
    } else {
      WriteSegments<false, false>(safeStops, sizes, text, out);
    }
  }
  return markup;
}

std::u16string FadeRGB2(int16_t r1, int16_t g1, int16_t b1, int16_t r2, int16_t g2, int16_t b2,
                        std::u16string_view text, int16_t wavy) {
  const std::array<Channels, 2> stops{{{r1, g1, b1}, {r2, g2, b2}}};
  return FadeStops(stops, text, wavy);
}

std::u16string FadeRGB3(int16_t r1, int16_t g1, int16_t b1, int16_t r2, int16_t g2, int16_t b2,
                        int16_t r3, int16_t g3, int16_t b3, std::u16string_view text,
                        int16_t wavy) {
  const std::array<Channels, 3> stops{{{r1, g1, b1}, {r2, g2, b2}, {r3, g3, b3}}};
  return FadeStops(stops, text, wavy);
}

std::u16string FadeRGB4(int16_t r1, int16_t g1, int16_t b1, int16_t r2, int16_t g2, int16_t b2,
                        int16_t r3, int16_t g3, int16_t b3, int16_t r4, int16_t g4, int16_t b4,
                        std::u16string_view text, int16_t wavy) {
  const std::array<Channels, 4> stops{{{r1, g1, b1}, {r2, g2, b2}, {r3, g3, b3}, {r4, g4, b4}}};
  return FadeStops(stops, text, wavy);
}

std::u16string FadeRGB5(int16_t r1, int16_t g1, int16_t b1, int16_t r2, int16_t g2, int16_t b2,
                        int16_t r3, int16_t g3, int16_t b3, int16_t r4, int16_t g4, int16_t b4,
                        int16_t r5, int16_t g5, int16_t b5, std::u16string_view text,
                        int16_t wavy) {
  const std::array<Channels, 5> stops{
      {{r1, g1, b1}, {r2, g2, b2}, {r3, g3, b3}, {r4, g4, b4}, {r5, g5, b5}}};
  return FadeStops(stops, text, wavy);
}

std::u16string FadeRGB6(int16_t r1, int16_t g1, int16_t b1, int16_t r2, int16_t g2, int16_t b2,
                        int16_t r3, int16_t g3, int16_t b3, int16_t r4, int16_t g4, int16_t b4,
                        int16_t r5, int16_t g5, int16_t b5, int16_t r6, int16_t g6, int16_t b6,
                        std::u16string_view text, int16_t wavy) {
  const std::array<Channels, 6> stops{
      {{r1, g1, b1}, {r2, g2, b2}, {r3, g3, b3}, {r4, g4, b4}, {r5, g5, b5}, {r6, g6, b6}}};
  return FadeStops(stops, text, wavy);
}

std::u16string FadeRGB7(int16_t r1, int16_t g1, int16_t b1, int16_t r2, int16_t g2, int16_t b2,
                        int16_t r3, int16_t g3, int16_t b3, int16_t r4, int16_t g4, int16_t b4,
                        int16_t r5, int16_t g5, int16_t b5, int16_t r6, int16_t g6, int16_t b6,
                        int16_t r7, int16_t g7, int16_t b7, std::u16string_view text,
                        int16_t wavy) {
  const std::array<Channels, 7> stops{{{r1, g1, b1},
                                       {r2, g2, b2},
                                       {r3, g3, b3},
                                       {r4, g4, b4},
                                       {r5, g5, b5},
                                       {r6, g6, b6},
                                       {r7, g7, b7}}};
  return FadeStops(stops, text, wavy);
}

std::u16string FadeRGB8(int16_t r1, int16_t g1, int16_t b1, int16_t r2, int16_t g2, int16_t b2,
                        int16_t r3, int16_t g3, int16_t b3, int16_t r4, int16_t g4, int16_t b4,
                        int16_t r5, int16_t g5, int16_t b5, int16_t r6, int16_t g6, int16_t b6,
                        int16_t r7, int16_t g7, int16_t b7, int16_t r8, int16_t g8, int16_t b8,
                        std::u16string_view text, int16_t wavy) {
  const std::array<Channels, 8> stops{{{r1, g1, b1},
                                       {r2, g2, b2},
                                       {r3, g3, b3},
                                       {r4, g4, b4},
                                       {r5, g5, b5},
                                       {r6, g6, b6},
                                       {r7, g7, b7},
                                       {r8, g8, b8}}};
  return FadeStops(stops, text, wavy);
}

std::u16string FadeRGB9(int16_t r1, int16_t g1, int16_t b1, int16_t r2, int16_t g2, int16_t b2,
                        int16_t r3, int16_t g3, int16_t b3, int16_t r4, int16_t g4, int16_t b4,
                        int16_t r5, int16_t g5, int16_t b5, int16_t r6, int16_t g6, int16_t b6,
                        int16_t r7, int16_t g7, int16_t b7, int16_t r8, int16_t g8, int16_t b8,
                        int16_t r9, int16_t g9, int16_t b9, std::u16string_view text,
                        int16_t wavy) {
  const std::array<Channels, 9> stops{{{r1, g1, b1},
                                       {r2, g2, b2},
                                       {r3, g3, b3},
                                       {r4, g4, b4},
                                       {r5, g5, b5},
                                       {r6, g6, b6},
                                       {r7, g7, b7},
                                       {r8, g8, b8},
                                       {r9, g9, b9}}};
  return FadeStops(stops, text, wavy);
}

std::u16string FadeRGB10(int16_t r1, int16_t g1, int16_t b1, int16_t r2, int16_t g2, int16_t b2,
                         int16_t r3, int16_t g3, int16_t b3, int16_t r4, int16_t g4, int16_t b4,
                         int16_t r5, int16_t g5, int16_t b5, int16_t r6, int16_t g6, int16_t b6,
                         int16_t r7, int16_t g7, int16_t b7, int16_t r8, int16_t g8, int16_t b8,
                         int16_t r9, int16_t g9, int16_t b9, int16_t r10, int16_t g10, int16_t b10,
                         std::u16string_view text, int16_t wavy) {
  const std::array<Channels, 10> stops{{{r1, g1, b1},
                                        {r2, g2, b2},
                                        {r3, g3, b3},
                                        {r4, g4, b4},
                                        {r5, g5, b5},
                                        {r6, g6, b6},
                                        {r7, g7, b7},
                                        {r8, g8, b8},
                                        {r9, g9, b9},
                                        {r10, g10, b10}}};
  return FadeStops(stops, text, wavy);
}

}  // namespace qf

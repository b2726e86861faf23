#include "fade/generator.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "core/events.h"
#include "core/utf.h"

namespace qf {

namespace {

// ---- What every piece is made of, in either code unit (char16_t for UTF-16, char for UTF-8).
// Every piece is "<Font Color=#" + six hex digits + ">" + wave tag (or nothing) + character.
constexpr std::size_t kPrefixUnits = 13;
constexpr std::size_t kTagUnits = kPrefixUnits + 6 + 1;  // "<Font Color=#RRGGBB>"
constexpr std::size_t kWaveTagUnits[4] = {5, 6, 5, 6};

template <typename CharT>
struct MarkupTables {
  CharT prefix[kPrefixUnits];
  // The two upper-case hex digits of every channel value, so a code is three small copies.
  CharT hexPairs[256][2];
  // Wave tags for the states 1..4. Each row is padded to six units so a tag is always copied
  // whole with one fixed-size copy; a five-unit tag's padding is overwritten by the character
  // that follows it.
  CharT waveTags[4][6];
};

template <typename CharT>
constexpr MarkupTables<CharT> MakeMarkupTables() {
  constexpr char kPrefix[] = "<Font Color=#";
  constexpr char kDigits[] = "0123456789ABCDEF";
  constexpr const char* kWaves[4] = {"<sup>", "</sup>", "<sub>", "</sub>"};
  static_assert(sizeof(kPrefix) == kPrefixUnits + 1);
  MarkupTables<CharT> tables{};
  for (std::size_t k = 0; k < kPrefixUnits; ++k) tables.prefix[k] = static_cast<CharT>(kPrefix[k]);
  for (int value = 0; value < 256; ++value) {
    tables.hexPairs[value][0] = static_cast<CharT>(kDigits[value >> 4]);
    tables.hexPairs[value][1] = static_cast<CharT>(kDigits[value & 0xF]);
  }
  for (std::size_t state = 0; state < 4; ++state) {
    for (std::size_t k = 0; k < kWaveTagUnits[state]; ++k) {
      tables.waveTags[state][k] = static_cast<CharT>(kWaves[state][k]);
    }
  }
  return tables;
}

template <typename CharT>
constexpr MarkupTables<CharT> kMarkup = MakeMarkupTables<CharT>();

// The total length of the wave tags of the first `characters` characters of a text.
std::size_t WaveUnits(std::size_t characters) {
  constexpr std::size_t kPartial[4] = {0, 5, 11, 16};
  return characters / 4 * 22 + kPartial[characters % 4];
}

// The longest piece in UTF-8: the colour tag, "</sup>" and a four-byte character.
constexpr std::size_t kMaxPieceBytes = kTagUnits + 6 + 4;
static_assert(kMinFadeBlockBytes >= kMaxPieceBytes);

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

// ---- Sources: where the characters come from. A source is a pair of pointers into the text;
// CopyCharacter (below) moves one character from a source to a sink's position.

// UTF-16 text. Without surrogates (checked up front) every code unit is a character.
template <bool kSurrogates>
struct Utf16Source {
  const char16_t* at;
  const char16_t* end;
};

// UTF-8 text, already checked to be valid. All ASCII (checked up front): every byte is a
// character.
template <bool kAscii>
struct Utf8Source {
  const char* at;
  const char* end;
};

// ---- Sinks: where the markup goes and in which code unit. A sink is the write position and
// what it needs to make room; the segment loop keeps it in a local so it lives in registers.

// Writes at a pointer into storage the caller sized exactly: never runs out of room.
template <typename CharT>
struct DirectSink {
  using Unit = CharT;
  CharT* at;
  void MakeRoomForPiece() {}
};

// Where a BlockSink's full blocks go. Kept apart from the sink (behind a pointer) so the sink
// itself never has its address taken and the hot loop keeps it in registers.
struct BlockTarget {
  char* begin;
  const MarkupWriter* write;
  bool failed;
};

// Hands [begin, at) to the writer (unless it failed before) and returns the block's start.
[[gnu::noinline]] char* FlushBlock(BlockTarget& target, char* at) {
  if (!target.failed && at != target.begin) {
    target.failed = !(*target.write)(
        std::string_view(target.begin, static_cast<std::size_t>(at - target.begin)));
  }
  return target.begin;
}

// Writes UTF-8 into one fixed block, handing it to the writer whenever the next piece might not
// fit, and reusing it: memory stays flat however long the text is.
struct BlockSink {
  using Unit = char;
  char* at;
  char* limit;  // the last position from which a whole piece still fits
  BlockTarget* target;
  void MakeRoomForPiece() {
    if (at > limit) [[unlikely]]
      at = FlushBlock(*target, at);
  }
};

// ---- One character from a source to a sink.

// UTF-16 to UTF-16: the code unit, or the surrogate pair whole.
template <bool kSurrogates>
inline void CopyCharacter(Utf16Source<kSurrogates>& in, char16_t*& dst) {
  if constexpr (kSurrogates) {
    if (IsHighSurrogate(in.at[0]) && in.at + 1 < in.end && IsLowSurrogate(in.at[1])) {
      dst[0] = in.at[0];
      dst[1] = in.at[1];
      dst += 2;
      in.at += 2;
      return;
    }
  }
  *dst++ = *in.at++;
}

// UTF-16 to UTF-8: encoded as Utf16ToUtf8 does (a lone surrogate as U+FFFD).
template <bool kSurrogates>
inline void CopyCharacter(Utf16Source<kSurrogates>& in, char*& dst) {
  EncodeUtf8Character(in.at, in.end, dst);
}

// UTF-8 to UTF-8: the character's bytes as they are.
template <bool kAscii>
inline void CopyCharacter(Utf8Source<kAscii>& in, char*& dst) {
  if constexpr (!kAscii) {
    const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(*in.at));
    if (length > 1) {
      std::memcpy(dst, in.at, length);
      dst += length;
      in.at += length;
      return;
    }
  }
  *dst++ = *in.at++;
}

// ---- The core: one loop for every source and sink.

// The colour tag "<Font Color=#RRGGBB>" of one colour.
template <typename CharT>
inline void WriteTag(CharT* dst, unsigned red, unsigned green, unsigned blue) {
  constexpr const MarkupTables<CharT>& m = kMarkup<CharT>;
  std::memcpy(dst, m.prefix, kPrefixUnits * sizeof(CharT));
  std::memcpy(dst + kPrefixUnits, m.hexPairs[red], 2 * sizeof(CharT));
  std::memcpy(dst + kPrefixUnits + 2, m.hexPairs[green], 2 * sizeof(CharT));
  std::memcpy(dst + kPrefixUnits + 4, m.hexPairs[blue], 2 * sizeof(CharT));
  dst[kTagUnits - 1] = static_cast<CharT>('>');
}

// Writes the pieces of one segment of `count` characters, taken from `in`, faded from stop
// `from` to stop `to`, to `out`. Advances `in` and `out`; `wave` is the call's wave state.
template <bool kWavy, typename Source, typename Sink>
void WriteSegment(const Channels& from, const Channels& to, std::size_t count, Source& in,
                  Sink& out, int& wave) {
  using CharT = typename Sink::Unit;
  const double n = static_cast<double>(count);
  const double startRed = from.red, startGreen = from.green, startBlue = from.blue;
  const double stepRed = static_cast<double>(to.red - from.red) / n;
  const double stepGreen = static_cast<double>(to.green - from.green) / n;
  const double stepBlue = static_cast<double>(to.blue - from.blue) / n;
  // Locals, so the positions live in registers (stores through a char pointer could otherwise
  // alias them).
  Source src = in;
  Sink dst = out;
  // The position as a double, counted up rather than converted from i each time: the
  // conversion instruction would chain every iteration to the last through its register.
  double position = 0.0;
  for (std::size_t i = 1; i <= count; ++i) {
    position += 1.0;
    dst.MakeRoomForPiece();
    WriteTag<CharT>(dst.at, ChannelAt(startRed, stepRed, position),
                    ChannelAt(startGreen, stepGreen, position),
                    ChannelAt(startBlue, stepBlue, position));
    dst.at += kTagUnits;
    if constexpr (kWavy) {
      wave = wave >= 4 ? 1 : wave + 1;
      std::memcpy(dst.at, kMarkup<CharT>.waveTags[wave - 1], sizeof(kMarkup<CharT>.waveTags[0]));
      dst.at += kWaveTagUnits[wave - 1];
    }
    CopyCharacter(src, dst.at);
  }
  in = src;
  out = dst;
}

// What a call has worked out before it writes: the clamped stops, the segment sizes, the wave.
struct FadePlan {
  std::array<Channels, kMaxFadeStops> stops;
  std::size_t stopCount = 0;
  std::array<std::size_t, kMaxFadeStops - 1> sizes{};
  bool wave = false;
};

// The steps of a call before any markup is made, for a text of `length` characters: with four
// or more stops the characters are dealt out to the segments in passes, and the window messages
// get a turn at the start of every pass (one pass for empty text). nullopt for a stop count
// outside 2..10 (no pump then).
std::optional<FadePlan> PlanFade(std::span<const Channels> stops, std::size_t length,
                                 int16_t wavy) {
  const std::size_t stopCount = stops.size();
  if (stopCount < kMinFadeStops || stopCount > kMaxFadeStops) return std::nullopt;
  if (stopCount >= 4) {
    const std::size_t k = stopCount - 1;
    const std::size_t passes = length == 0 ? 1 : (length + k - 1) / k;
    for (std::size_t pass = 0; pass < passes; ++pass) DoEvents();
  }
  FadePlan plan;
  plan.stopCount = stopCount;
  for (std::size_t j = 0; j < stopCount; ++j) {
    plan.stops[j] = Channels{ClampChannel(stops[j].red), ClampChannel(stops[j].green),
                             ClampChannel(stops[j].blue)};
  }
  plan.sizes = FadeSegmentSizes(stopCount, length);
  plan.wave = wavy == -1;
  return plan;
}

template <bool kWavy, typename Source, typename Sink>
void WriteSegments(const FadePlan& plan, Source in, Sink& out) {
  int wave = 0;
  for (std::size_t j = 0; j + 1 < plan.stopCount; ++j) {
    if (plan.sizes[j] == 0) continue;  // an empty segment divides by nothing
    WriteSegment<kWavy>(plan.stops[j], plan.stops[j + 1], plan.sizes[j], in, out, wave);
  }
}

template <typename Source, typename Sink>
void WriteMarkup(const FadePlan& plan, Source in, Sink& out) {
  if (plan.wave) {
    WriteSegments<true>(plan, in, out);
  } else {
    WriteSegments<false>(plan, in, out);
  }
}

// The UTF-16 text in its source form (with or without surrogate handling) to a sink.
template <typename Sink>
void WriteMarkupOfUtf16(const FadePlan& plan, std::u16string_view text, bool surrogates,
                        Sink& out) {
  const char16_t* begin = text.data();
  const char16_t* end = begin + text.size();
  if (surrogates) {
    WriteMarkup(plan, Utf16Source<true>{begin, end}, out);
  } else {
    WriteMarkup(plan, Utf16Source<false>{begin, end}, out);
  }
}

// The number of code units of the tags of `length` characters (the characters not included).
std::size_t TagUnits(std::size_t length, bool wave) {
  return length * kTagUnits + (wave ? WaveUnits(length) : 0);
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
  const bool surrogates = ContainsSurrogate(text);
  const std::size_t length = surrogates ? CountCharacters(text) : text.size();
  const auto plan = PlanFade(stops, length, wavy);
  if (!plan || length == 0) return {};
  // Exact size up front: the tags, and every code unit of the text. Sized once and written
  // through a raw pointer (C++20 strings offer no way to skip the zero fill).
  std::u16string markup(TagUnits(length, plan->wave) + text.size(), u'\0');
  DirectSink<char16_t> out{markup.data()};
  WriteMarkupOfUtf16(*plan, text, surrogates, out);
  return markup;
}

std::string FadeStopsUtf8(std::span<const Channels> stops, std::u16string_view text, int16_t wavy) {
  const bool surrogates = ContainsSurrogate(text);
  const std::size_t length = surrogates ? CountCharacters(text) : text.size();
  const auto plan = PlanFade(stops, length, wavy);
  if (!plan || length == 0) return {};
  std::string markup(TagUnits(length, plan->wave) + Utf8Length(text), '\0');
  DirectSink<char> out{markup.data()};
  WriteMarkupOfUtf16(*plan, text, surrogates, out);
  return markup;
}

FadeStreamResult StreamFadeUtf8(std::span<const Channels> stops, std::string_view text,
                                int16_t wavy, std::span<char> block, const MarkupWriter& write) {
  // The whole text is checked before anything is written.
  const auto length = CountUtf8Characters(text);
  if (!length) return FadeStreamResult::kInvalidText;
  if (block.size() < kMinFadeBlockBytes) return FadeStreamResult::kWriteFailed;
  const auto plan = PlanFade(stops, *length, wavy);
  if (!plan || *length == 0) return FadeStreamResult::kDone;
  BlockTarget target{block.data(), &write, false};
  BlockSink out{block.data(), block.data() + block.size() - kMaxPieceBytes, &target};
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (*length == text.size()) {
    WriteMarkup(*plan, Utf8Source<true>{begin, end}, out);
  } else {
    WriteMarkup(*plan, Utf8Source<false>{begin, end}, out);
  }
  FlushBlock(target, out.at);
  return target.failed ? FadeStreamResult::kWriteFailed : FadeStreamResult::kDone;
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

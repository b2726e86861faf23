#pragma once
// The fade generator's writing loop (used by generator.cpp only): reads the characters of one
// segment from a source, works out their colours in the vector unit, and writes their pieces to
// a sink, in either code unit (char16_t for UTF-16 markup, char for UTF-8).
//
// Per character, the fast loop stores the prefix "<Font Color=#" as whole 16-byte groups (one
// in UTF-8, two in UTF-16) and the tag's end "RRGGBB>" as one 8-byte (UTF-8) or 16-byte (UTF-16)
// group; a wavy piece's tag follows as one more group. When every character is a single unit
// of the markup's own kind (ASCII into UTF-8, any non-surrogate into UTF-16), the character is
// stored inside the last of these groups; otherwise it is copied after them. The colours of
// kLanes characters (2 with SSE2, 4 with AVX2) come out of one pass of TagEndsAt; the loop
// takes four characters a step, one period of the wave, with the wave's phase a template
// parameter, so every tag and every piece length in a step is known when the code is compiled.
//
// The template parameter kLanes picks the vector width. Everything is always inlined, so that
// WriteSegments<4> inlined into a function compiled for AVX2 is AVX2 code throughout.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "core/utf.h"
#include "core/vector.h"
#include "fade/color_ramp.h"
#include "fade/generator.h"

// The 32-byte vectors only ever live inside the AVX2 instantiation (everything here is
// inlined), so the calling convention GCC warns about never applies.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

namespace qf::markup {

// ---- What every piece is made of. Every piece is "<Font Color=#" + six hex digits + ">" +
// wave tag (or nothing) + character.
inline constexpr std::size_t kPrefixUnits = 13;
inline constexpr std::size_t kTagUnits = kPrefixUnits + 6 + 1;  // "<Font Color=#RRGGBB>"
inline constexpr std::size_t kWaveTagUnits[4] = {5, 6, 5, 6};

template <typename CharT>
struct MarkupTables {
  CharT prefix[kPrefixUnits];
  // The two upper-case hex digits of every channel value, so a code is three small copies.
  CharT hexPairs[256][2];
  // Wave tags for the states 1..4, padded with zeros to six units.
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
inline constexpr MarkupTables<CharT> kMarkup = MakeMarkupTables<CharT>();

// The fixed parts of a piece as whole 16-byte groups, for the fast writer: the prefix (one
// group in UTF-8; two in UTF-16, the second starting at unit 8) and the wave tags padded with
// zeros to eight units (UTF-16) or bytes (UTF-8, as one 64-bit word).
inline constexpr Uint8x16 kPrefixBytes{'<', 'F', 'o', 'n', 't', ' ', 'C',
                                       'o', 'l', 'o', 'r', '=', '#'};
inline constexpr Uint16x8 kPrefixUnitsLow{'<', 'F', 'o', 'n', 't', ' ', 'C', 'o'};
inline constexpr Uint16x8 kPrefixUnitsHigh{'l', 'o', 'r', '=', '#'};
// Units 5..12 of the prefix, for the WebAssembly build (see WriteFastPiece).
inline constexpr Uint16x8 kPrefixUnitsEnd{' ', 'C', 'o', 'l', 'o', 'r', '=', '#'};

constexpr uint64_t WaveTagBytes(std::size_t tag) {
  uint64_t bytes = 0;
  for (std::size_t k = 0; k < 6; ++k) {
    bytes |= static_cast<uint64_t>(static_cast<uint8_t>(kMarkup<char>.waveTags[tag][k])) << (8 * k);
  }
  return bytes;
}
inline constexpr uint64_t kWaveTagBytes[4] = {WaveTagBytes(0), WaveTagBytes(1), WaveTagBytes(2),
                                              WaveTagBytes(3)};

constexpr Uint16x8 WaveTagUnits16(std::size_t tag) {
  const char16_t(&t)[6] = kMarkup<char16_t>.waveTags[tag];
  return Uint16x8{t[0], t[1], t[2], t[3], t[4], t[5], 0, 0};
}
inline constexpr std::array<Uint16x8, 4> kWaveTagUnits16 = {WaveTagUnits16(0), WaveTagUnits16(1),
                                                            WaveTagUnits16(2), WaveTagUnits16(3)};

// The longest piece: the colour tag, "</sup>" and a four-byte character (UTF-8) or a surrogate
// pair (UTF-16).
inline constexpr std::size_t kMaxPieceBytes = kTagUnits + 6 + 4;
static_assert(kMinFadeBlockBytes >= kMaxPieceBytes);
template <typename CharT>
inline constexpr std::size_t kMaxPieceUnits = sizeof(CharT) == 1 ? kMaxPieceBytes
                                                                 : kTagUnits + 6 + 2;

// The fast writer stores whole groups, so it may write up to two units past the end of a piece
// (a five-unit wave tag stored as eight), where the next piece goes. It runs only where at
// least this much room is left; the last pieces of an exactly sized string are written exactly.
inline constexpr std::size_t kFastPieceRoom = 32;
static_assert(kFastPieceRoom >= kMaxPieceUnits<char> + 2);
static_assert(kFastPieceRoom >= kMaxPieceUnits<char16_t> + 2);
static_assert(kMinFadeBlockBytes >= kFastPieceRoom);

// How many pieces the fast writer may write, one after another, into `room` units.
template <typename CharT>
constexpr std::size_t FastPieces(std::size_t room) {
  return room < kFastPieceRoom ? 0 : (room - kFastPieceRoom) / kMaxPieceUnits<CharT> + 1;
}

// ---- Sources: where the characters come from. A source is a pair of pointers into the text;
// CopyCharacter moves one character from a source to a sink's position.

// UTF-16 text. Without surrogates (checked up front) every code unit is a character.
template <bool kSurrogates>
struct Utf16Source {
  using Unit = char16_t;
  static constexpr bool kOneUnitEach = !kSurrogates;
  const char16_t* at;
  const char16_t* end;
};

// UTF-8 text, already checked to be valid. All ASCII (checked up front): every byte is a
// character.
template <bool kAscii>
struct Utf8Source {
  using Unit = char;
  static constexpr bool kOneUnitEach = kAscii;
  const char* at;
  const char* end;
};

// UTF-16 to UTF-16: the code unit, or the surrogate pair whole.
template <bool kSurrogates>
[[gnu::always_inline]] inline void CopyCharacter(Utf16Source<kSurrogates>& in, char16_t*& dst) {
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
[[gnu::always_inline]] inline void CopyCharacter(Utf16Source<kSurrogates>& in, char*& dst) {
  EncodeUtf8Character(in.at, in.end, dst);
}

// UTF-8 to UTF-8: the character's bytes as they are.
template <bool kAscii>
[[gnu::always_inline]] inline void CopyCharacter(Utf8Source<kAscii>& in, char*& dst) {
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

// ---- Sinks: where the markup goes. A sink is the write position, the end of the room it may
// write in, and what it does when that room runs out (MakeRoom: true when there is more room
// now). The segment loop keeps it in a local so it lives in registers.

// Storage sized exactly by the caller: no more room once it is full.
template <typename CharT>
struct ExactSink {
  using Unit = CharT;
  CharT* at;
  CharT* end;
  bool MakeRoom() { return false; }
};

// Where a BlockSink's full blocks go. Kept apart from the sink (behind a pointer) so the sink
// itself never has its address taken and the hot loop keeps it in registers.
struct BlockTarget {
  char* begin;
  const MarkupWriter* write;
  bool failed;
};

// Hands [begin, at) to the writer (unless it failed before) and returns the block's start.
[[gnu::noinline]] inline char* FlushBlock(BlockTarget& target, char* at) {
  if (!target.failed && at != target.begin) {
    target.failed = !(*target.write)(std::string_view(target.begin, static_cast<std::size_t>(at - target.begin)));
  }
  return target.begin;
}

// Writes UTF-8 into one fixed block, handing it to the writer whenever the room left might not
// take the next piece, and reusing it: memory stays flat however long the text is.
struct BlockSink {
  using Unit = char;
  char* at;
  char* end;
  BlockTarget* target;
  bool MakeRoom() {
    at = FlushBlock(*target, at);
    return true;
  }
};

// ---- Pieces.

// The wave: a call counts the pieces it has written (`wave`), and the tags repeat every four
// pieces from "<sup>" on, across segments: a piece's tag is number (count before it) & 3.

// One piece, written unit by unit and never past its end: the character at `position` of the
// segment, its channels worked out with the scalar unit.
template <bool kWavy, int kLanes, typename Source, typename CharT>
[[gnu::always_inline]] inline void WriteExactPiece(const ColorRamp<kLanes>& ramp, double position,
                                                   Source& src, CharT*& at, unsigned& wave) {
  const MarkupTables<CharT>& m = kMarkup<CharT>;
  const RampChannels c = ChannelsAt(ramp, position);
  std::memcpy(at, m.prefix, kPrefixUnits * sizeof(CharT));
  std::memcpy(at + kPrefixUnits, m.hexPairs[c.red], 2 * sizeof(CharT));
  std::memcpy(at + kPrefixUnits + 2, m.hexPairs[c.green], 2 * sizeof(CharT));
  std::memcpy(at + kPrefixUnits + 4, m.hexPairs[c.blue], 2 * sizeof(CharT));
  at[kTagUnits - 1] = static_cast<CharT>('>');
  at += kTagUnits;
  if constexpr (kWavy) {
    const unsigned tag = wave++ & 3u;
    std::memcpy(at, m.waveTags[tag], kWaveTagUnits[tag] * sizeof(CharT));
    at += kWaveTagUnits[tag];
  }
  CopyCharacter(src, at);
}

// Whether the fast writer stores the character together with what precedes it (the tag's last
// group, or the wave tag): every character a single unit of the markup's own kind.
template <typename Source, typename CharT>
inline constexpr bool kOneUnitCharacters = (Source::kOneUnitEach &&
                                            std::is_same_v<typename Source::Unit, CharT>);

// One piece with whole-group stores: the character of lane kLane of `tagEnds` (TagEndsAt), with
// wave tag kTag when kWavy. Single-unit characters come in `characters`, read by
// WriteFastPieces for all its lanes at once (lane k's in unit k); plain UTF-8 of ASCII
// characters has the character in the group already. Needs kFastPieceRoom units of room.
template <bool kWavy, int kLane, unsigned kTag, typename Bytes, typename Source, typename CharT>
[[gnu::always_inline]] inline void WriteFastPiece(CharT*& at, const Bytes& tagEnds, Source& src,
                                                  uint64_t characters) {
  constexpr bool kOneUnit = kOneUnitCharacters<Source, CharT>;
  const auto character = static_cast<std::make_unsigned_t<CharT>>(
      characters >> (8 * sizeof(CharT) * static_cast<unsigned>(kLane)));
  const auto* lanes = reinterpret_cast<const unsigned char*>(&tagEnds);
  if constexpr (sizeof(CharT) == 1) {
    std::memcpy(at, &kPrefixBytes, 16);
    // The lane's eight bytes, taken as the double they would be: storing the upper double of
    // a 16-byte vector is one plain store (movhpd), where an integer would be extracted first.
    Float64x2 half;
    std::memcpy(&half, lanes + 16 * (kLane / 2), 16);
    const double group = half[kLane % 2];
    std::memcpy(at + kPrefixUnits, &group, 8);
  } else {
    std::memcpy(at, &kPrefixUnitsLow, 16);
#if defined(__wasm_simd128__)
    // The prefix's last eight units, overlapping the first eight: a group the tag's store does
    // not overwrite, so the compiler keeps it one store (it cuts the other into two or three).
    std::memcpy(at + 5, &kPrefixUnitsEnd, 16);
#else
    std::memcpy(at + 8, &kPrefixUnitsHigh, 16);
#endif
    // The lane's eight bytes widened to eight UTF-16 units.
    Uint8x16 half;
    std::memcpy(&half, lanes + 16 * (kLane / 2), 16);
    constexpr Uint8x16 kZero{};
    Uint8x16 wideBytes;
    if constexpr (kLane % 2 == 0) {
      wideBytes = __builtin_shufflevector(half, kZero, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6,
                                          22, 7, 23);
    } else {
      wideBytes = __builtin_shufflevector(half, kZero, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29,
                                          14, 30, 15, 31);
    }
    auto wide = reinterpret_cast<Uint16x8>(wideBytes);
#if defined(__wasm_simd128__)
    // The character stored on its own after the group: put into the vector, it would turn the
    // widening (one unpack for the browser) into a general two-vector shuffle.
    std::memcpy(at + kPrefixUnits, &wide, 16);
    if constexpr (!kWavy && kOneUnit) at[kTagUnits] = static_cast<CharT>(character);
#else
    if constexpr (!kWavy && kOneUnit) wide[7] = character;
    std::memcpy(at + kPrefixUnits, &wide, 16);
#endif
  }
  at += kTagUnits;
  if constexpr (!kWavy) {
    if constexpr (kOneUnit) {
      ++at;  // the character, stored with the group
    } else {
      CopyCharacter(src, at);
    }
  } else {
    constexpr std::size_t kUnits = kWaveTagUnits[kTag];
    if constexpr (sizeof(CharT) == 1) {
      uint64_t tag = kWaveTagBytes[kTag];
      if constexpr (kOneUnit) tag |= static_cast<uint64_t>(character) << (8 * kUnits);
      std::memcpy(at, &tag, 8);
    } else {
      Uint16x8 tag = LoopConstant<kWaveTagUnits16>()[kTag];
      if constexpr (kOneUnit) tag[kUnits] = character;
      std::memcpy(at, &tag, 16);
    }
    at += kUnits;
    if constexpr (kOneUnit) {
      ++at;  // the character, stored with the tag
    } else {
      CopyCharacter(src, at);
    }
  }
}

// The number of lanes of a TagEndsAt result.
template <typename Bytes>
inline constexpr int kLanesOf = static_cast<int>(sizeof(Bytes) / 8);

inline constexpr uint64_t kTopByte = 0xFF00000000000000u;

// The pieces of lanes kLane .. kCount - 1 of `tagEnds`, in order; lane k's wave tag is
// (kPhase + k) & 3.
template <bool kWavy, unsigned kPhase, int kLane, int kCount, typename Bytes, typename Source,
          typename CharT>
[[gnu::always_inline]] inline void WriteLanes(CharT*& at, const Bytes& tagEnds, Source& src,
                                              uint64_t characters) {
  WriteFastPiece<kWavy, kLane, (kPhase + kLane) & 3u>(at, tagEnds, src, characters);
  if constexpr (kLane + 1 < kCount) {
    WriteLanes<kWavy, kPhase, kLane + 1, kCount>(at, tagEnds, src, characters);
  }
}

// The pieces of the first kCount lanes of `tagEnds`, in order, the first with wave tag kPhase.
template <bool kWavy, unsigned kPhase, int kCount, typename Bytes, typename Source, typename CharT>
[[gnu::always_inline]] inline void WriteFastPieces(CharT*& at, Bytes tagEnds, Source& src) {
  // Single-unit characters are read with one load for all the lanes: a load of the text for
  // every piece would often wait behind the many stores in flight to an address that merely
  // looks alike in its low bits.
  uint64_t characters = 0;
  if constexpr (kOneUnitCharacters<Source, CharT>) {
    static_assert(kCount * sizeof(CharT) <= sizeof characters);
    std::memcpy(&characters, src.at, kCount * sizeof(CharT));
    src.at += kCount;
  }
  if constexpr (sizeof(CharT) == 1 && !kWavy && kOneUnitCharacters<Source, CharT>) {
    // The ASCII characters into byte 7 of their lanes' groups, all at once: every lane gets
    // all of them, shifted so that its own lands in the top byte.
    using Words = typename LaneVectors<kLanesOf<Bytes>>::Words;
    Words shifts{};
    for (int k = 0; k < kCount; ++k) shifts[k] = 56 - 8 * k;
    Words groups = reinterpret_cast<Words>(tagEnds);
    groups |= ((Words{} + characters) << shifts) & kTopByte;
    tagEnds = reinterpret_cast<Bytes>(groups);
  }
  WriteLanes<kWavy, kPhase, 0, kCount>(at, tagEnds, src, characters);
}

// How far the positions move: to the second pair of a step (two lanes), and on to the next step.
inline constexpr Float64x2 kTwoPositions{2.0, 2.0};
template <int kLanes>
inline constexpr typename LaneVectors<kLanes>::Doubles kFourPositions{4.0, 4.0};
template <>
inline constexpr Float64x4 kFourPositions<4>{4.0, 4.0, 4.0, 4.0};

// `steps` times four pieces (one period of the wave), the first with wave tag kPhase.
template <bool kWavy, unsigned kPhase, int kLanes, typename Source, typename CharT>
[[gnu::always_inline]] inline void WriteSteps(const ColorRamp<kLanes>& ramp,
                                              typename LaneVectors<kLanes>::Doubles& position,
                                              std::size_t steps, Source& src, CharT*& at) {
  for (; steps > 0; --steps) {
    if constexpr (kLanes == 4) {
      WriteFastPieces<kWavy, kPhase, 4>(at, TagEndsAt(ramp, position), src);
    } else {
      WriteFastPieces<kWavy, kPhase, 2>(at, TagEndsAt(ramp, position), src);
      WriteFastPieces<kWavy, (kPhase + 2) & 3u, 2>(
          at, TagEndsAt(ramp, position + LoopConstant<kTwoPositions>()), src);
    }
    position += LoopConstant<kFourPositions<kLanes>>();
  }
}

// Writes the pieces of one segment of `count` characters, taken from `in`, faded from stop
// `from` to stop `to`, to `out`. Advances `in` and `out`; `wave` is the call's wave count.
template <int kLanes, bool kWavy, typename Source, typename Sink>
[[gnu::always_inline]] inline void WriteSegment(const Channels& from, const Channels& to,
                                                std::size_t count, Source& in, Sink& out,
                                                unsigned& wave) {
  using CharT = typename Sink::Unit;
  using Doubles = typename LaneVectors<kLanes>::Doubles;
  const ColorRamp<kLanes> ramp = MakeColorRamp<kLanes>(from, to, count);
  // Locals, so the positions live in registers (stores through a char pointer could otherwise
  // alias them).
  Source src = in;
  Sink dst = out;
  // The positions of the next kLanes characters, counted up rather than converted from an
  // integer each time (the conversion would chain every step to the last through its register).
  Doubles position;
  for (int k = 0; k < kLanes; ++k) position[k] = 1.0 + k;
  std::size_t left = count;
  while (left > 0) {
    std::size_t run = std::min(left, FastPieces<CharT>(static_cast<std::size_t>(dst.end - dst.at)));
    if (run == 0) {
      if (dst.MakeRoom()) continue;
      // The end of an exactly sized string.
      WriteExactPiece<kWavy>(ramp, position[0], src, dst.at, wave);
      position += 1.0;
      --left;
      continue;
    }
    left -= run;
    // Four pieces a step, whole periods of the wave, so the wave tag of each of the four places
    // is the same in every step, known when the code is compiled.
    const std::size_t steps = run / 4;
    switch (kWavy ? wave & 3u : 0u) {
      case 0:
        WriteSteps<kWavy, 0>(ramp, position, steps, src, dst.at);
        break;
      case 1:
        WriteSteps<kWavy, 1>(ramp, position, steps, src, dst.at);
        break;
      case 2:
        WriteSteps<kWavy, 2>(ramp, position, steps, src, dst.at);
        break;
      default:
        WriteSteps<kWavy, 3>(ramp, position, steps, src, dst.at);
        break;
    }
    for (run -= 4 * steps; run > 0; --run) {
      const auto tagEnds = TagEndsAt(ramp, position);
      switch (kWavy ? wave++ & 3u : 0u) {
        case 0:
          WriteFastPieces<kWavy, 0, 1>(dst.at, tagEnds, src);
          break;
        case 1:
          WriteFastPieces<kWavy, 1, 1>(dst.at, tagEnds, src);
          break;
        case 2:
          WriteFastPieces<kWavy, 2, 1>(dst.at, tagEnds, src);
          break;
        default:
          WriteFastPieces<kWavy, 3, 1>(dst.at, tagEnds, src);
          break;
      }
      position += 1.0;
    }
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

template <int kLanes, bool kWavy, typename Source, typename Sink>
[[gnu::always_inline]] inline void WriteSegmentsOf(const FadePlan& plan, Source in, Sink& out) {
  unsigned wave = 0;
  for (std::size_t j = 0; j + 1 < plan.stopCount; ++j) {
    if (plan.sizes[j] == 0) continue;  // an empty segment divides by nothing
    WriteSegment<kLanes, kWavy>(plan.stops[j], plan.stops[j + 1], plan.sizes[j], in, out, wave);
  }
}

// All the segments of `plan`, kLanes characters at a time.
template <int kLanes, typename Source, typename Sink>
[[gnu::always_inline]] inline void WriteSegments(const FadePlan& plan, Source in, Sink& out) {
  if (plan.wave) {
    WriteSegmentsOf<kLanes, true>(plan, in, out);
  } else {
    WriteSegmentsOf<kLanes, false>(plan, in, out);
  }
}

}  // namespace qf::markup

#pragma GCC diagnostic pop

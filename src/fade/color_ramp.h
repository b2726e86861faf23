#pragma once
// The colours of one fade segment, worked out for several characters at once in the vector
// unit: two with 16-byte vectors (SSE2), four with 32-byte ones (AVX2).
//
// Within a segment of n characters faded from stop a to stop b, each channel of the character at
// position i (1..n) is a + i * ((b - a) / n) in double precision (first the product, then the
// sum), rounded half-to-even. The vector code does exactly those IEEE operations, once per
// position, so its results are those of the scalar RoundChannel(start + i * step) bit for bit;
// it then turns the three channel values of each position into the ASCII hex code.
//
// Everything here is always inlined: a caller compiled for AVX2 gets it compiled for AVX2.
#include <bit>
#include <cstddef>
#include <cstdint>

#include "core/vector.h"
#include "fade/color.h"
#include "fade/generator.h"

// The 32-byte vectors only ever live inside code compiled for AVX2 (everything here is
// inlined), so the calling convention GCC warns about never applies.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

namespace qf {

static_assert(std::endian::native == std::endian::little,
              "the colour codes are assembled in little-endian byte order");

// The vector types for `kLanes` characters at a time.
template <int kLanes>
struct LaneVectors;
template <>
struct LaneVectors<2> {
  using Doubles = Float64x2;
  using Words = Uint64x2;
  using Dwords = Uint32x4;
  using Bytes = Uint8x16;
  using SignedBytes = Int8x16;
};
template <>
struct LaneVectors<4> {
  using Doubles = Float64x4;
  using Words = Uint64x4;
  using Dwords = Uint32x8;
  using Bytes = Uint8x32;
  using SignedBytes = Int8x32;
};

// One segment's colour ramp. Every vector holds the same value in all lanes.
template <int kLanes>
struct ColorRamp {
  using Doubles = typename LaneVectors<kLanes>::Doubles;
  Doubles startRed, startGreen, startBlue;
  Doubles stepRed, stepGreen, stepBlue;
};

// The ramp of a segment of `count` characters (at least 1) from stop `from` to stop `to`.
//   MakeColorRamp<2>({255, 0, 0}, {0, 0, 255}, 3).stepRed[0] == -85.0
template <int kLanes>
[[gnu::always_inline]] inline ColorRamp<kLanes> MakeColorRamp(const Channels& from,
                                                              const Channels& to,
                                                              std::size_t count) {
  using Doubles = typename LaneVectors<kLanes>::Doubles;
  const double n = static_cast<double>(count);
  // A scalar added to a zero vector: the value in every lane.
  return ColorRamp<kLanes>{Doubles{} + from.red,
                           Doubles{} + from.green,
                           Doubles{} + from.blue,
                           Doubles{} + static_cast<double>(to.red - from.red) / n,
                           Doubles{} + static_cast<double>(to.green - from.green) / n,
                           Doubles{} + static_cast<double>(to.blue - from.blue) / n};
}

// The channels of the character at `position` (1..count) of the ramp's segment, worked out
// with the scalar unit: the same IEEE operations as one lane of TagEndsAt, so the same values.
//   ChannelsAt(MakeColorRamp<2>({255, 0, 0}, {0, 0, 255}, 3), 1.0) == {170, 0, 85}
struct RampChannels {
  unsigned red, green, blue;
};
template <int kLanes>
[[gnu::always_inline]] inline RampChannels ChannelsAt(const ColorRamp<kLanes>& ramp,
                                                      double position) {
  return {RoundChannel(ramp.startRed[0] + position * ramp.stepRed[0]),
          RoundChannel(ramp.startGreen[0] + position * ramp.stepGreen[0]),
          RoundChannel(ramp.startBlue[0] + position * ramp.stepBlue[0])};
}

#if defined(__wasm_simd128__)
// TagEndsAt in WebAssembly (two lanes): the same IEEE operations, its constants read through
// LoopConstant, and each nibble's digit looked up with one swizzle (a byte shuffle on x86)
// rather than by the comparison and select below, several instructions each in a browser.
inline constexpr Float64x2 kRoundingShift{6755399441055744.0, 6755399441055744.0};
inline constexpr Uint32x4 kLowNibbles{0x0F0F0F0Fu, 0x0F0F0F0Fu, 0x0F0F0F0Fu, 0x0F0F0F0Fu};
inline constexpr Int8x16 kHexDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                    '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
// Bytes 6 and 7 of each lane index past the table (the swizzle gives 0 there); '>' then goes
// into byte 6.
inline constexpr Int8x16 kPastTable{0, 0, 0, 0, 0, 0, -128, -128, 0, 0, 0, 0, 0, 0, -128, -128};
inline constexpr Int8x16 kTagEnd{0, 0, 0, 0, 0, 0, '>', 0, 0, 0, 0, 0, 0, 0, '>', 0};

[[gnu::always_inline]] inline Uint8x16 TagEndsAtWasm(const ColorRamp<2>& ramp, Float64x2 position) {
  const Float64x2 shift = LoopConstant<kRoundingShift>();
  const auto red = reinterpret_cast<Uint64x2>((ramp.startRed + position * ramp.stepRed) + shift);
  const auto green =
      reinterpret_cast<Uint64x2>((ramp.startGreen + position * ramp.stepGreen) + shift);
  const auto blue = reinterpret_cast<Uint64x2>((ramp.startBlue + position * ramp.stepBlue) + shift);
  const auto rgb = reinterpret_cast<Uint32x4>(red | (green << 8) | (blue << 16));
  const Uint32x4 packed = __builtin_shufflevector(rgb, rgb, 0, 2, 0, 2);
  const Uint32x4 lowNibbles = LoopConstant<kLowNibbles>();
  const auto low = reinterpret_cast<Uint8x16>(packed & lowNibbles);
  const auto high = reinterpret_cast<Uint8x16>((packed >> 4) & lowNibbles);
  const Uint8x16 nibbles =
      __builtin_shufflevector(high, low, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
  const Int8x16 index = reinterpret_cast<Int8x16>(nibbles) | LoopConstant<kPastTable>();
  return reinterpret_cast<Uint8x16>(
      __builtin_wasm_swizzle_i8x16(LoopConstant<kHexDigits>(), index) | LoopConstant<kTagEnd>());
}
#endif

// The ends of the colour tags of the characters at the positions in `position`, one per lane:
// for each, eight bytes "RRGGBB>" and a zero byte, lane k's in bytes 8k..8k+7. The zero byte is
// where the character or the wave tag goes.
//   TagEndsAt(MakeColorRamp<2>({255, 0, 0}, {0, 0, 255}, 3), Float64x2{1, 2}) holds
//   "AA0055>\0" "5500AA>\0"
template <int kLanes>
[[gnu::always_inline]] inline typename LaneVectors<kLanes>::Bytes TagEndsAt(
    const ColorRamp<kLanes>& ramp, typename LaneVectors<kLanes>::Doubles position) {
  using V = LaneVectors<kLanes>;
#if defined(__wasm_simd128__)
  if constexpr (kLanes == 2) return TagEndsAtWasm(ramp, position);
#endif
  // Adding 1.5 * 2^52 rounds a channel (-0.5 < x < 255.5) half-to-even and leaves it in the low
  // byte of the double's bits, with zeros above it up to bit 50 (see RoundChannel).
  constexpr double kShift = 6755399441055744.0;
  const auto red =
      reinterpret_cast<typename V::Words>((ramp.startRed + position * ramp.stepRed) + kShift);
  const auto green =
      reinterpret_cast<typename V::Words>((ramp.startGreen + position * ramp.stepGreen) + kShift);
  const auto blue =
      reinterpret_cast<typename V::Words>((ramp.startBlue + position * ramp.stepBlue) + kShift);
  // Bytes 0, 1, 2, 3 of each lane: red, green, blue, 0 (the zeros above each channel value
  // leave nothing else in the low four bytes). Then two lanes' four bytes side by side in each
  // 16-byte half (shuffles within the halves are the cheap ones).
  const auto rgb = reinterpret_cast<typename V::Dwords>(red | (green << 8) | (blue << 16));
  typename V::Dwords packed;
  if constexpr (kLanes == 2) {
    packed = __builtin_shufflevector(rgb, rgb, 0, 2, 0, 2);
  } else {
    packed = __builtin_shufflevector(rgb, rgb, 0, 2, 0, 2, 4, 6, 4, 6);
  }
  const auto low = reinterpret_cast<typename V::Bytes>(packed & 0x0F0F0F0Fu);
  const auto high = reinterpret_cast<typename V::Bytes>((packed >> 4) & 0x0F0F0F0Fu);
  // The high and low nibble of each byte side by side: R R G G B B 0 0 for each lane.
  typename V::Bytes nibbles;
  if constexpr (kLanes == 2) {
    nibbles =
        __builtin_shufflevector(high, low, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
  } else {
    nibbles =
        __builtin_shufflevector(high, low, 0, 32, 1, 33, 2, 34, 3, 35, 4, 36, 5, 37, 6, 38, 7, 39,
                                16, 48, 17, 49, 18, 50, 19, 51, 20, 52, 21, 53, 22, 54, 23, 55);
  }
  // 10..15 skip the seven characters between '9' and 'A'; then '0' is added to the digits, and
  // '>' to the zero after them.
  auto digits = reinterpret_cast<typename V::SignedBytes>(nibbles);
  digits += (digits > 9) & 7;
  auto base = reinterpret_cast<typename V::Words>(typename V::SignedBytes{}) + 0x003E303030303030u;
  digits += reinterpret_cast<typename V::SignedBytes>(base);
  return reinterpret_cast<typename V::Bytes>(digits);
}

}  // namespace qf

#pragma GCC diagnostic pop

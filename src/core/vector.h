#pragma once
// Vector types of GCC's vector extensions (also understood by Clang). Arithmetic, comparisons
// and __builtin_shufflevector on the 16-byte ones compile to SSE2 on x86 (which the Windows
// builds ask for anyway, for their double arithmetic), to the target's own vector unit
// elsewhere, and to plain code where there is none. The 32-byte ones are for code compiled for
// AVX2 (a function marked [[gnu::target("avx2")]] and what it inlines), chosen at run time.
// Loads and stores go through std::memcpy.
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace qf {

using Float64x2 = double __attribute__((vector_size(16)));
using Uint64x2 = uint64_t __attribute__((vector_size(16)));
using Uint32x4 = uint32_t __attribute__((vector_size(16)));
using Uint16x8 = uint16_t __attribute__((vector_size(16)));
using Int16x8 = int16_t __attribute__((vector_size(16)));
using Uint8x16 = uint8_t __attribute__((vector_size(16)));
using Int8x16 = int8_t __attribute__((vector_size(16)));

using Float64x4 = double __attribute__((vector_size(32)));
using Uint64x4 = uint64_t __attribute__((vector_size(32)));
using Uint32x8 = uint32_t __attribute__((vector_size(32)));
using Uint8x32 = uint8_t __attribute__((vector_size(32)));
using Int8x32 = int8_t __attribute__((vector_size(32)));

// A vector constant for code inside a hot loop: `kValue` itself, except in WebAssembly. There the
// browser compiles a vector constant into several instructions wherever it is used (V8 keeps no
// constant pool for them), inside the loop on every pass, where a read from memory is one
// instruction: so the code reads a copy of the value that is not const, which the compiler
// cannot turn back into a constant. Nothing ever writes the copy.
//   position += LoopConstant<kFourPositions>();
#if defined(__wasm_simd128__)
template <const auto& kValue>
inline std::remove_cvref_t<decltype(kValue)> loopConstantCopy = kValue;
#endif
template <const auto& kValue>
[[gnu::always_inline]] inline const auto& LoopConstant() {
#if defined(__wasm_simd128__)
  return loopConstantCopy<kValue>;
#else
  return kValue;
#endif
}

// Whether any bit of `v` is set.
inline bool AnyBitSet(Uint64x2 v) { return (v[0] | v[1]) != 0; }

// Whether any unit of `text` meets `test`, tried on eight units at a time (a Uint16x8, giving
// all-ones lanes where it holds) and then on the units left over one by one.
//   AnyUnit(text, [](auto unit) { return (unit & 0xF800) == 0xD800; })  // a surrogate?
template <typename Test>
bool AnyUnit(std::u16string_view text, Test test) {
  const char16_t* p = text.data();
  const char16_t* end = p + text.size();
  Int16x8 found{};
  for (; end - p >= 8; p += 8) {
    Uint16x8 units;
    std::memcpy(&units, p, sizeof units);
    found |= test(units);
  }
  if (AnyBitSet(reinterpret_cast<Uint64x2>(found))) return true;
  for (; p < end; ++p) {
    if (test(*p)) return true;
  }
  return false;
}

// Where the first `unit` at or after `from` is in `text` (npos when there is none): eight units
// compared at a time, then the eight that hold it (or the units left over) one by one.
inline std::size_t FindUnit(std::u16string_view text, char16_t unit, std::size_t from = 0) {
  const Uint16x8 wanted = {unit, unit, unit, unit, unit, unit, unit, unit};
  std::size_t at = from;
  for (; at + 8 <= text.size(); at += 8) {
    Uint16x8 units;
    std::memcpy(&units, text.data() + at, sizeof units);
    if (AnyBitSet(reinterpret_cast<Uint64x2>(units == wanted))) break;
  }
  for (; at < text.size(); ++at) {
    if (text[at] == unit) return at;
  }
  return std::u16string_view::npos;
}

}  // namespace qf

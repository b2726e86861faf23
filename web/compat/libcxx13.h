#pragma once
// Debian 12's emscripten (3.1.6) comes with libc++ 13, which lacks std::bit_cast (C++20; libc++
// has it from version 14). The web build force-includes this header into every file, so the
// portable sources build unchanged; clang's builtin is what libc++ 14 uses itself.
#include <version>

#if !defined(__cpp_lib_bit_cast)
#include <type_traits>

namespace std {
template <class To, class From>
requires(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> &&
         is_trivially_copyable_v<From>) constexpr To bit_cast(const From& from) noexcept {
  return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif

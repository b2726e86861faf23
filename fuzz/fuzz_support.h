#pragma once
// What the fuzz targets share: a check that stops the run with a message (libFuzzer then
// saves the input), and one mapping from the fuzzer's bytes to UTF-16 text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Unlike assert(), never compiled out.
#define QF_FUZZ_CHECK(condition)                                                         \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

namespace qf::fuzz {

// UTF-16 text from bytes. A byte below 0xF0 is a code unit of its own, so ASCII markup stays
// readable in the seed corpus and the dictionaries work; a byte 0xF0..0xFF takes the next two
// bytes as one code unit, high byte first, so every unit can appear: surrogate halves paired,
// alone or reversed, U+FFFE, U+FFFF. An escape byte with fewer than two bytes after it is a unit
// of its own.
//   BytesToUtf16("a\xF0\xD8\x3D\xF0\xDE\x00") == u"a\U0001F600"
inline std::u16string BytesToUtf16(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0xF0 && i + 2 < bytes.size()) {
      const auto high = static_cast<unsigned char>(bytes[i + 1]);
      const auto low = static_cast<unsigned char>(bytes[i + 2]);
      text += static_cast<char16_t>(high << 8 | low);
      i += 2;
    } else {
      text += static_cast<char16_t>(byte);
    }
  }
  return text;
}

inline std::u16string BytesToUtf16(const uint8_t* data, std::size_t size) {
  return BytesToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
}

}  // namespace qf::fuzz

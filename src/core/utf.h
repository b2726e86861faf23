#pragma once
// Conversions between UTF-8 (files, terminals, qfade) and UTF-16 (the program's text), and the
// per-character steps they are made of (shared with the fade generator, which writes markup in
// either encoding).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qf {

// Strict UTF-8 to UTF-16: nullopt for malformed input (bad or truncated sequences,
// overlong forms, surrogate code points, values above U+10FFFF).
//   Utf8ToUtf16("a\xC3\xA9") == u"a\u00E9"
[[nodiscard]] std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);

// UTF-16 to UTF-8. A lone surrogate (no partner) becomes U+FFFD, so the result is
// always valid UTF-8.
//   Utf16ToUtf8(u"\u2022") == "\xE2\x80\xA2"
std::string Utf16ToUtf8(std::u16string_view utf16);

// Checks `utf8` by the same strict rules as Utf8ToUtf16 and counts its characters (code
// points; each is one character of the UTF-16 text, a surrogate pair there counting once).
// nullopt for malformed input.
//   CountUtf8Characters("a\xF0\x9F\x98\x80") == 2;  CountUtf8Characters("\xFF") == nullopt
[[nodiscard]] std::optional<std::size_t> CountUtf8Characters(std::string_view utf8);

// True for a high (lead) and a low (trail) surrogate code unit.
constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The number of code units of the character that starts at `pos`: 2 for a surrogate pair,
// otherwise 1. A lone surrogate counts as a character of its own.
constexpr std::size_t CharLengthAt(std::u16string_view text, std::size_t pos) {
  return (IsHighSurrogate(text[pos]) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1])) ? 2
                                                                                                : 1;
}

// The number of bytes of the UTF-8 sequence that starts with `lead`, for valid UTF-8 (a
// continuation byte, never a lead there, gives 1).
//   Utf8SequenceLength('a') == 1;  Utf8SequenceLength(0xE2) == 3
constexpr std::size_t Utf8SequenceLength(unsigned char lead) {
  return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// The number of UTF-8 bytes Utf16ToUtf8 makes of `utf16` (a lone surrogate takes 3, as U+FFFD).
//   Utf8Length(u"a\u00E9\U0001F600") == 7
std::size_t Utf8Length(std::u16string_view utf16);

// Encodes the character at `src` (a surrogate pair whole, a lone surrogate as U+FFFD) as UTF-8
// at `dst`, and moves both past it. `end` is the end of the text; `dst` needs room for 4 bytes.
// The step of Utf16ToUtf8, shared with the fade generator's UTF-8 output.
inline void EncodeUtf8Character(const char16_t*& src, const char16_t* end, char*& dst) {
  char32_t cp = *src++;
  if (cp < 0x80) {
    *dst++ = static_cast<char>(cp);
    return;
  }
  if (cp < 0x800) {
    dst[0] = static_cast<char>(0xC0 | (cp >> 6));
    dst[1] = static_cast<char>(0x80 | (cp & 0x3F));
    dst += 2;
    return;
  }
  if (cp >= 0xD800 && cp <= 0xDFFF) {
    if (cp <= 0xDBFF && src < end && IsLowSurrogate(*src)) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (*src++ - 0xDC00);
      dst[0] = static_cast<char>(0xF0 | (cp >> 18));
      dst[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      dst[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      dst[3] = static_cast<char>(0x80 | (cp & 0x3F));
      dst += 4;
      return;
    }
    cp = 0xFFFD;
  }
  dst[0] = static_cast<char>(0xE0 | (cp >> 12));
  dst[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  dst[2] = static_cast<char>(0x80 | (cp & 0x3F));
  dst += 3;
}

}  // namespace qf

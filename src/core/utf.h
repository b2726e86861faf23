#pragma once
// Conversions between UTF-8 (files, terminals, qfade) and UTF-16 (the program's text).
#include <optional>
#include <string>
#include <string_view>

namespace qf {

// Strict UTF-8 to UTF-16: nullopt for malformed input (bad or truncated sequences,
// overlong forms, surrogate code points, values above U+10FFFF).
//   Utf8ToUtf16("a\xC3\xA9") == u"a\u00E9"
std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);

// UTF-16 to UTF-8. A lone surrogate (no partner) becomes U+FFFD, so the result is
// always valid UTF-8.
//   Utf16ToUtf8(u"\u2022") == "\xE2\x80\xA2"
std::string Utf16ToUtf8(std::u16string_view utf16);

// True for a high (lead) and a low (trail) surrogate code unit.
constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The number of code units of the character that starts at `pos`: 2 for a surrogate pair,
// otherwise 1. A lone surrogate counts as a character of its own.
constexpr std::size_t CharLengthAt(std::u16string_view text, std::size_t pos) {
  return (IsHighSurrogate(text[pos]) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1])) ? 2
                                                                                                : 1;
}

}  // namespace qf

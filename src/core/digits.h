#pragma once
// Reading digits, once for the whole program: hexadecimal digits (colour codes, the chat's
// hex text) and signed 32-bit decimal numbers (colour values in the scheme files and on
// qfade's command line), in narrow or UTF-16 text alike.
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace qf {

// The value of a hexadecimal digit (0-9, A-F, a-f), or -1 for any other character.
//   HexDigit(u'C') == 12;  HexDigit('c') == 12;  HexDigit('g') == -1
constexpr int HexDigit(char32_t c) {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A') + 10;
  if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a') + 10;
  return -1;
}

// A signed 32-bit number written in decimal: one optional sign ('+' or '-') and then decimal
// digits only, within -2,147,483,648..2,147,483,647. Anything else (empty, spaces, other
// characters, out of range) is nullopt. Any number of digits is safe.
//   ParseInt32(std::u16string_view(u"-1")) == -1;  ParseInt32(std::string_view("2147483648")) == std::nullopt
template <typename CharT>
constexpr std::optional<int32_t> ParseInt32(std::basic_string_view<CharT> text) {
  bool negative = false;
  if (!text.empty() && (text.front() == CharT('-') || text.front() == CharT('+'))) {
    negative = text.front() == CharT('-');
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  // A magnitude in 64 bits that stops as soon as it leaves the 32-bit range.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (const CharT c : text) {
    if (c < CharT('0') || c > CharT('9')) return std::nullopt;
    magnitude = magnitude * 10 + (c - CharT('0'));
    if (magnitude > kLimit) return std::nullopt;
  }
  if (!negative && magnitude == kLimit) return std::nullopt;
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace qf

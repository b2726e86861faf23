#pragma once
// Small string routines shared by the style toggles and the tag renderer.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/digits.h"

namespace qf {

// Replaces every occurrence of `find` in `text` by `replacement`, case-sensitively. After each
// replacement the search starts again from the beginning, so an occurrence formed only when a
// removal joins its two sides is replaced too.
//   ReplaceText(u"a<s>b<s>c", u"<s>", u"") == u"abc"
//   ReplaceText(u"<<s>s>", u"<s>", u"") == u""          (the joined "<s>" goes as well)
// Two inputs would make that search run forever; they end instead:
//   an empty `find` returns `text` unchanged;
//   a `replacement` that contains `find` replaces each occurrence of the original text once,
//   in a single left-to-right pass: ReplaceText(u"ab", u"a", u"aa") == u"aab".
std::u16string ReplaceText(std::u16string_view text, std::u16string_view find,
                           std::u16string_view replacement);

// The value of one upper-case hex digit: "0".."9" -> 0..9, "A".."F" -> 10..15. Anything else
// (lower case, other characters, the empty string, longer strings) gives 0.
//   HexDigitValue(u"C") == 12;  HexDigitValue(u"c") == 0
int16_t HexDigitValue(std::u16string_view digit);

// The number written by up to eight hex digits (only the last eight of a longer string count),
// case-insensitive; a character that is not a hex digit counts as 0 but keeps its place.
//   HexToNumber(u"7f") == 127.0f;  HexToNumber(u"1Z") == 16.0f;  HexToNumber(u"") == 0.0f
float HexToNumber(std::u16string_view digits);

// HexToNumber's reading of up to eight digits as a whole number, inline for the tag walker
// (three per colour tag of a long line): HexToNumber(d) == HexDigitsValue(d) for such `d`.
inline uint32_t HexDigitsValue(std::u16string_view digits) {
  uint32_t sum = 0;
  for (const char16_t c : digits) sum = sum * 16 + static_cast<uint32_t>(std::max(HexDigit(c), 0));
  return sum;
}

}  // namespace qf

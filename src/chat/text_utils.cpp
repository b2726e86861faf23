#include "chat/text_utils.h"

#include "core/digits.h"

namespace qf {

std::u16string ReplaceText(std::u16string_view text, std::u16string_view find,
                           std::u16string_view replacement) {
  if (find.empty()) return std::u16string(text);

  if (replacement.find(find) != std::u16string_view::npos || find.size() == 1) {
    // Searching again from the start would find the inserted text forever: replace the
    // occurrences of the original text once each, left to right.
    // A single character that the replacement does not hold cannot be formed by a join either,
    // so for it the restarting search finds just these occurrences, in this order: the same
    // result, in one pass instead of one shift of the rest of the text per replacement (the
    // tag renderer turns every carriage return of a pasted text into its line-break marker).
    std::u16string result;
    std::size_t from = 0;
    for (std::size_t at = text.find(find); at != std::u16string_view::npos;
         at = text.find(find, from)) {
      result.append(text.substr(from, at - from));
      result.append(replacement);
      from = at + find.size();
    }
    result.append(text.substr(from));
    return result;
  }

  // Every search conceptually restarts at the first character. Nothing before the last match
  // changed, and no occurrence started there, so a new occurrence can only start within
  // find.size() - 1 characters before the inserted replacement: searching from there finds the
  // same first occurrence without rescanning the whole text.
  std::u16string result(text);
  std::size_t from = 0;
  for (std::size_t at = result.find(find, from); at != std::u16string::npos;
       at = result.find(find, from)) {
    result.replace(at, find.size(), replacement);
    from = at >= find.size() - 1 ? at - (find.size() - 1) : 0;
  }
  return result;
}

int16_t HexDigitValue(std::u16string_view digit) {
  if (digit.size() != 1) return 0;
  // Upper-case digits only: a lower-case letter is not a digit here (its value is 0).
  const char16_t c = digit[0];
  if (c >= u'a' && c <= u'f') return 0;
  return static_cast<int16_t>(HexDigit(c) < 0 ? 0 : HexDigit(c));
}

float HexToNumber(std::u16string_view digits) {
  if (digits.size() > 8) digits.remove_prefix(digits.size() - 8);
  // Eight digits fit 32 bits exactly; the single rounding to float happens at the end.
  return static_cast<float>(HexDigitsValue(digits));
}

}  // namespace qf

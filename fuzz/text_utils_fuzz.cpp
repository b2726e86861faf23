// ReplaceText and HexToNumber against plain reference versions of what they promise.
// ReplaceText: an empty search text changes nothing; a replacement holding the search text
// replaces the original occurrences once, left to right; otherwise the search starts again
// from the first character after every replacement, until no occurrence is left.
// HexToNumber: hex digits of either case, anything else a zero digit, only the last eight
// digits counting (the value modulo 2^32), rounded to float once.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "chat/text_utils.h"
#include "fuzz_support.h"

namespace {

// The longest result and the most replacements the reference follows. Some pairs grow without
// a useful bound under the restarting search (find "ab", replacement "bbaa" doubles the text
// for every "a" in front of a "b"); such inputs are skipped.
constexpr std::size_t kMaxResultUnits = 1 << 16;
constexpr std::size_t kMaxReplacements = 1 << 14;
constexpr std::size_t kMaxTextUnits = 1024;

std::optional<std::u16string> ReferenceReplace(std::u16string_view text, std::u16string_view find,
                                               std::u16string_view replacement) {
  std::u16string result(text);
  if (find.empty()) return result;
  if (replacement.find(find) != std::u16string_view::npos) {
    result.clear();
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(find, from)) != std::u16string_view::npos;) {
      result.append(text.substr(from, at - from)).append(replacement);
      from = at + find.size();
    }
    return result.append(text.substr(from));
  }
  for (std::size_t count = 0;; ++count) {
    const std::size_t at = result.find(find);
    if (at == std::u16string::npos) return result;
    if (count == kMaxReplacements || result.size() > kMaxResultUnits) return std::nullopt;
    result.replace(at, find.size(), replacement);
  }
}

float ReferenceHexToNumber(std::u16string_view digits) {
  constexpr std::u16string_view kDigits = u"0123456789ABCDEF";
  uint64_t value = 0;
  for (char16_t c : digits) {
    if (c >= u'a' && c <= u'f') c = static_cast<char16_t>(c - u'a' + u'A');
    const std::size_t digit = kDigits.find(c);
    value = (value * 16 + (digit == std::u16string_view::npos ? 0 : digit)) % (uint64_t{1} << 32);
  }
  return static_cast<float>(static_cast<double>(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::u16string find = qf::fuzz::BytesToUtf16(input.ConsumeRandomLengthString(24));
  const std::u16string replacement = qf::fuzz::BytesToUtf16(input.ConsumeRandomLengthString(24));
  std::u16string text = qf::fuzz::BytesToUtf16(input.ConsumeRemainingBytesAsString());
  if (text.size() > kMaxTextUnits) text.resize(kMaxTextUnits);

  if (const auto expected = ReferenceReplace(text, find, replacement)) {
    QF_FUZZ_CHECK(qf::ReplaceText(text, find, replacement) == *expected);
  }

  for (std::u16string_view digits : {std::u16string_view(find), std::u16string_view(text)}) {
    QF_FUZZ_CHECK(qf::HexToNumber(digits) == ReferenceHexToNumber(digits));
  }
  if (find.size() == 1) {
    const char16_t c = find[0];
    const bool digit = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
    QF_FUZZ_CHECK(qf::HexDigitValue(find) ==
                  (digit ? static_cast<int16_t>(ReferenceHexToNumber(find)) : 0));
  }
  return 0;
}

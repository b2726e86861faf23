// Colour values as color.dat stores them. The parser agrees with a plain reference reading
// (sign, digits, then the value compared with the 32-bit range); any text that parses formats
// to its canonical form (no "+", no leading zeros, no "-0"), which parses to the same value;
// and every 32-bit value formats and parses back to itself.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "schemes/scheme_list.h"

namespace {

struct Reading {
  int32_t value;
  std::u16string canonical;
};

std::optional<Reading> ReferenceReading(std::u16string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == u'+' || text[0] == u'-')) {
    negative = text[0] == u'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
  }
  const std::size_t firstNonZero = text.find_first_not_of(u'0');
  const std::u16string_view digits =
      firstNonZero == std::u16string_view::npos ? u"0" : text.substr(firstNonZero);
  if (digits.size() > 10) return std::nullopt;
  int64_t value = 0;
  for (char16_t c : digits) value = value * 10 + (c - u'0');
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  std::u16string canonical = value < 0 ? u"-" : u"";
  canonical += digits;
  return Reading{static_cast<int32_t>(value), canonical};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::u16string text = qf::fuzz::BytesToUtf16(data, size);
  const std::optional<int32_t> parsed = qf::ParseColorValue(text);
  const std::optional<Reading> reference = ReferenceReading(text);
  QF_FUZZ_CHECK(parsed.has_value() == reference.has_value());
  if (parsed) {
    QF_FUZZ_CHECK(*parsed == reference->value);
    const std::u16string formatted = qf::FormatColorValue(*parsed);
    QF_FUZZ_CHECK(formatted == reference->canonical);
    QF_FUZZ_CHECK(qf::ParseColorValue(formatted) == parsed);
  }

  if (size >= sizeof(int32_t)) {
    int32_t value;
    std::memcpy(&value, data, sizeof value);
    const std::u16string formatted = qf::FormatColorValue(value);
    QF_FUZZ_CHECK(qf::ParseColorValue(formatted) == value);
    const std::optional<Reading> again = ReferenceReading(formatted);
    QF_FUZZ_CHECK(again && again->value == value && again->canonical == formatted);
  }
  return 0;
}

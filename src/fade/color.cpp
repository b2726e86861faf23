#include "fade/color.h"

#include "core/digits.h"

namespace qf {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Two hex digits of `text` starting at `pos`, read as an unsigned number 0..255.
int16_t HexPair(const std::string& text, std::size_t pos) {
  return static_cast<int16_t>(HexDigit(static_cast<unsigned char>(text[pos])) * 16 +
                              HexDigit(static_cast<unsigned char>(text[pos + 1])));
}

}  // namespace

std::string RGBToHex(int32_t value) {
  // Negative values are written as their two's complement, so work on the unsigned bits.
  auto bits = static_cast<uint32_t>(value);
  char digits[8];
  int count = 0;
  do {
    digits[7 - count] = kHexDigits[bits & 0xF];
    bits >>= 4;
    ++count;
  } while (bits != 0);
  std::string text(count < 6 ? static_cast<std::size_t>(6 - count) : 0, '0');
  text.append(digits + 8 - count, static_cast<std::size_t>(count));
  return text;
}

Channels SplitColor(int32_t color) {
  const std::string hex = RGBToHex(color);
  return Channels{HexPair(hex, hex.size() - 2), HexPair(hex, 2), HexPair(hex, 0)};
}

std::string ChannelsToHex(int16_t red, int16_t green, int16_t blue) {
  // Unsigned arithmetic: out-of-range channels wrap instead of overflowing.
  const uint32_t number = static_cast<uint32_t>(blue) + 256u * static_cast<uint32_t>(green) +
                          65536u * static_cast<uint32_t>(red);
  return RGBToHex(static_cast<int32_t>(number));
}

}  // namespace qf

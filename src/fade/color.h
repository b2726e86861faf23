#pragma once
// Colour values (0x00BBGGRR, as the colour dialog and picture boxes store them), channel values
// and the six-digit hex colour codes (RRGGBB, red first) that go into the chat markup.
#include <cstdint>
#include <string>

namespace qf {

// A colour value 0x00BBGGRR from its channels, 0..255 each: what a slider change writes
// (red + 256 * green + 65536 * blue), and how the windows name their fixed colours.
//   ColorRgb(255, 128, 7) == 0x0780FF
constexpr int32_t ColorRgb(int red, int green, int blue) {
  return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

// One colour stop split into its channels, each in 0..255.
struct Channels {
  int16_t red = 0;
  int16_t green = 0;
  int16_t blue = 0;
  friend bool operator==(const Channels&, const Channels&) = default;
};

// The value in upper-case hexadecimal, padded on the left with zeros to at least six digits.
// A negative value is written as its 32-bit two's complement (eight digits); values above
// 0xFFFFFF keep all their digits.
//   RGBToHex(255) == "0000FF";  RGBToHex(16777216) == "1000000";  RGBToHex(-1) == "FFFFFFFF"
std::string RGBToHex(int32_t value);

// Splits a colour value into red, green and blue by slicing its hex text (RGBToHex): red is the
// last two digits, green the third and fourth, blue the first two. For 0..0xFFFFFF that is the
// low, middle and high byte; longer hex texts are still sliced the same way.
//   SplitColor(0x0080FF) == Channels{255, 128, 0};  SplitColor(0x8000000F) == Channels{15, 0, 128}
Channels SplitColor(int32_t color);

// The hex colour code RRGGBB of three channels in 0..255 (RGBToHex of blue + 256*green +
// 65536*red). Channels outside 0..255 give RGBToHex of that number, wrapped to 32 bits.
//   ChannelsToHex(255, 128, 0) == "FF8000"
std::string ChannelsToHex(int16_t red, int16_t green, int16_t blue);

}  // namespace qf

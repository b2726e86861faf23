#include "fade/color_name.h"

#include <array>
#include <limits>

namespace qf {
namespace {

struct NamedColor {
  const char* name;
  int red, green, blue;
};

// Everyday names a listener can picture, spread over the colour space.
constexpr std::array<NamedColor, 24> kNames{{
    {"black", 0, 0, 0},        {"dark grey", 64, 64, 64}, {"grey", 128, 128, 128},
    {"silver", 192, 192, 192}, {"white", 255, 255, 255},  {"red", 255, 0, 0},
    {"dark red", 128, 0, 0},   {"orange", 255, 128, 0},   {"brown", 139, 69, 19},
    {"gold", 255, 215, 0},     {"yellow", 255, 255, 0},   {"olive", 128, 128, 0},
    {"lime", 128, 255, 0},     {"green", 0, 255, 0},      {"dark green", 0, 128, 0},
    {"teal", 0, 128, 128},     {"cyan", 0, 255, 255},     {"sky blue", 0, 128, 255},
    {"blue", 0, 0, 255},       {"navy", 0, 0, 128},       {"violet", 128, 0, 255},
    {"purple", 128, 0, 128},   {"magenta", 255, 0, 255},  {"pink", 255, 192, 203},
}};

constexpr char kHex[] = "0123456789ABCDEF";

}  // namespace

std::string SpokenColorName(int32_t color) {
  const int red = color & 0xFF;
  const int green = color >> 8 & 0xFF;
  const int blue = color >> 16 & 0xFF;
  // Distances weighted roughly as the eye weighs the channels (green most, blue least).
  const NamedColor* nearest = &kNames[0];
  int best = std::numeric_limits<int>::max();
  for (const NamedColor& named : kNames) {
    const int dr = red - named.red, dg = green - named.green, db = blue - named.blue;
    const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (distance < best) {
      best = distance;
      nearest = &named;
    }
  }
  std::string text = std::string(nearest->name) + " (#";
  for (int channel : {red, green, blue}) {
    text += kHex[channel >> 4];
    text += kHex[channel & 0xF];
  }
  return text + ")";
}

}  // namespace qf

#pragma once
// A colour said in words, for a screen reader: the nearest of a few everyday colour names, then
// the exact code, so the listener knows both what it looks like and what it is.
//   SpokenColorName(0xFF0000) == "blue (#0000FF)";  SpokenColorName(0x0080FF) == "orange (#FF8000)"
#include <cstdint>
#include <string>

namespace qf {

// `color` is a colour value 0x00BBGGRR (0..0xFFFFFF; other values are read by their low 24 bits).
std::string SpokenColorName(int32_t color);

}  // namespace qf

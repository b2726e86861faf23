#pragma once
// What every fade benchmark fades: the longest line the chat box holds (32,767 characters) of
// plain words with the few characters markups escape (< > &), and the ten stops it runs through.
#include <cstddef>
#include <cstdint>
#include <string>

namespace qf::bench {

inline constexpr std::size_t kLength = 32767;
inline constexpr int32_t kColors[10] = {0xFFCC00, 0x0000FF, 0xFF4400, 0x00FF00, 0x808080,
                                        0x123456, 0xFFFFFF, 0x000000, 0x00FFFF, 0xAB00CD};

inline const std::u16string& LongLine() {
  static const std::u16string line = [] {
    const std::u16string pattern = u"Quelvane Fader: the quick brown fox <jumps> & runs. ";
    std::u16string text;
    while (text.size() < kLength) text += pattern;
    text.resize(kLength);
    return text;
  }();
  return line;
}

}  // namespace qf::bench

#pragma once
// A saved scheme's colours read from the texts of its two files, by the rules the desktop reads
// them with, for tools that take a scheme by name (qfade --scheme): the list file as the
// program loads it at start (at most kMaxSchemeListBytes and kMaxSchemeEntries, the field rules
// of ParseSchemeList), and each colour as a click on the scheme applies it (the value of FadeK
// in the scheme's section of color.dat, read as the profile functions read it, that is
// ProfileText, and taken only within 0..16,777,215, ParseStoredColor). Both files are in
// Windows-1252.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qf {

struct SchemeColors {
  std::vector<int32_t> colors;  // Fade1..FadeN, when `error` is empty
  std::string error;            // one line: which file, which scheme, which value
};

// The first `count` colours (Fade1..Fade`count`) of the scheme `name` (UTF-8), which the list
// file must hold as one of its entries, exactly. `listBytes` and `colorBytes` are the files'
// contents; `listName` and `colorName` how the messages call the files (their paths).
// A name missing from the list, a missing section or value, and a value the desktop would not
// apply (not a number, or outside 0..16,777,215) are errors naming it.
//   SchemeColorsFrom("Sunset\r\n", "[Sunset]\r\nFade1=255\r\nFade2=16711680\r\n", "Sunset", 2,
//                     "scheme.lst", "color.dat").colours == {255, 16711680}
SchemeColors SchemeColorsFrom(std::string_view listBytes, std::string_view colorBytes,
                              std::string_view name, int count, std::string_view listName,
                              std::string_view colorName);

}  // namespace qf

#include "schemes/scheme_colors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qf {
namespace {

SchemeColors Read(std::string_view list, std::string_view colors, std::string_view name,
                  int count) {
  return SchemeColorsFrom(list, colors, name, count, "dir/scheme.lst", "dir/color.dat");
}

// The files as the desktop writes them, in Windows-1252, read as it reads them: the list's
// field rules, sections and keys in any letter case, quotes around a value.
TEST(SchemeColorsTest, ReadsAsTheDesktopDoes) {
  const std::string list = "Red\r\n\"Caf\xE9, Sunset\"\r\n";
  const std::string colors =
      "[red]\r\nFade1=255\r\nFade2=0\r\n"
      " [ CAF\xE9, SUNSET ] \r\nfade1 = 16711680\r\nFADE2=\"65280\"\r\nFade3=0\r\n";
  EXPECT_EQ(Read(list, colors, "Red", 2).colors, (std::vector<int32_t>{255, 0}));
  // "é" is the same letter in the list and the section only when written the same: the
  // profile functions match A-Z without case, nothing else.
  const SchemeColors cafe = Read(list, colors, "Caf\xC3\xA9, Sunset", 3);
  EXPECT_EQ(cafe.error, "");
  EXPECT_EQ(cafe.colors, (std::vector<int32_t>{16711680, 65280, 0}));
}

TEST(SchemeColorsTest, NamesWhatIsMissingOrRefused) {
  const std::string list = "Red\r\n";
  EXPECT_EQ(Read(list, "", "Blue", 2).error, "no scheme 'Blue' in dir/scheme.lst");
  EXPECT_EQ(Read(list, "", "red", 2).error, "no scheme 'red' in dir/scheme.lst");
  EXPECT_EQ(Read(list, "[Red]\r\nFade1=255\r\n", "Red", 2).error,
            "dir/color.dat has no Fade2 for scheme 'Red'");
  // What a click on the scheme would not apply: negative, above 0xFFFFFF, not a number.
  for (const char* value : {"-1", "16777216", "12 34", ""}) {
    const SchemeColors scheme = Read(list, std::string("[Red]\r\nFade1=") + value, "Red", 2);
    EXPECT_EQ(scheme.error, "Fade1 of scheme 'Red' in dir/color.dat is '" + std::string(value) +
                                "', not a colour value from 0 to 16777215");
  }
  // Only the stops asked for are read.
  EXPECT_EQ(Read(list, "[Red]\r\nFade1=1\r\nFade2=2\r\nFade3=x\r\n", "Red", 2).error, "");
}

TEST(SchemeColorsTest, RefusesAListTheProgramWouldNotRead) {
  std::string many;
  for (int k = 0; k <= 32767; ++k) many += "x\r\n";
  EXPECT_NE(Read(many, "", "x", 2).error.find("more than 32,767 names"), std::string::npos);
  EXPECT_NE(Read(std::string(4 * 1024 * 1024 + 1, 'x'), "", "x", 2).error.find("4 MiB"),
            std::string::npos);
}

}  // namespace
}  // namespace qf

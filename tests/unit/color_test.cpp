#include "fade/color.h"
#include "fade/color_name.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(RGBToHexTest, PadsToSixDigitsWithoutCutting) {
  EXPECT_EQ(RGBToHex(0), "000000");
  EXPECT_EQ(RGBToHex(255), "0000FF");
  EXPECT_EQ(RGBToHex(4096), "001000");
  EXPECT_EQ(RGBToHex(0xABCDE), "0ABCDE");
  EXPECT_EQ(RGBToHex(16777215), "FFFFFF");
  EXPECT_EQ(RGBToHex(16777216), "1000000");
  EXPECT_EQ(RGBToHex(0x7FFFFFFF), "7FFFFFFF");
}

TEST(RGBToHexTest, NegativeValuesAreTwosComplement) {
  EXPECT_EQ(RGBToHex(-1), "FFFFFFFF");
  EXPECT_EQ(RGBToHex(INT32_MIN), "80000000");
}

TEST(SplitColorTest, ReadsBytesOfOrdinaryColors) {
  EXPECT_EQ(SplitColor(0x0080FF), (Channels{255, 128, 0}));
  EXPECT_EQ(SplitColor(0), (Channels{0, 0, 0}));
  EXPECT_EQ(SplitColor(0xFFFFFF), (Channels{255, 255, 255}));
  EXPECT_EQ(SplitColor(16711680), (Channels{0, 0, 255}));
}

TEST(SplitColorTest, SlicesLongHexTextsByPosition) {
  // "8000000F": red = last two, green = third and fourth, blue = first two.
  EXPECT_EQ(SplitColor(static_cast<int32_t>(0x8000000F)), (Channels{15, 0, 128}));
  EXPECT_EQ(SplitColor(-1), (Channels{255, 255, 255}));
  // "1000000" (seven digits): red "00", green "00", blue "10".
  EXPECT_EQ(SplitColor(16777216), (Channels{0, 0, 16}));
  // "1234567": red "67", green "34", blue "12".
  EXPECT_EQ(SplitColor(0x1234567), (Channels{0x67, 0x34, 0x12}));
}

TEST(ChannelsToHexTest, WritesRedFirst) {
  EXPECT_EQ(ChannelsToHex(255, 128, 0), "FF8000");
  EXPECT_EQ(ChannelsToHex(0, 0, 255), "0000FF");
  EXPECT_EQ(ChannelsToHex(1, 2, 3), "010203");
}

TEST(ChannelsToHexTest, RoundTripsEveryColorThroughSplitColor) {
  for (int red = 0; red < 256; ++red) {
    for (int green = 0; green < 256; green += 3) {
      for (int blue = 0; blue < 256; blue += 5) {
        const int32_t color = red + 256 * green + 65536 * blue;
        const Channels split = SplitColor(color);
        ASSERT_EQ(split, (Channels{static_cast<int16_t>(red), static_cast<int16_t>(green),
                                   static_cast<int16_t>(blue)}));
        const std::string hex = RGBToHex(color);
        ASSERT_EQ(ChannelsToHex(split.red, split.green, split.blue),
                  hex.substr(4, 2) + hex.substr(2, 2) + hex.substr(0, 2));
      }
    }
  }
}

}  // namespace
}  // namespace qf

namespace {

// A colour is said by the nearest everyday name and its exact code, red first.
TEST(SpokenColorNameTest, NamesTheNearestColorAndGivesTheCode) {
  EXPECT_EQ(qf::SpokenColorName(0xFF0000), "blue (#0000FF)");
  EXPECT_EQ(qf::SpokenColorName(0x0080FF), "orange (#FF8000)");
  EXPECT_EQ(qf::SpokenColorName(0x0000F0), "red (#F00000)");
  EXPECT_EQ(qf::SpokenColorName(0xFFFFFF), "white (#FFFFFF)");
  EXPECT_EQ(qf::SpokenColorName(0x010101), "black (#010101)");
}

}  // namespace

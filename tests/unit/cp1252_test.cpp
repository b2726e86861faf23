#include "core/cp1252.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(Cp1252Test, EveryByteDecodesAndEncodesBack) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::u16string text = DecodeCp1252(all);
  ASSERT_EQ(text.size(), 256u);
  EXPECT_EQ(text[0x41], u'A');
  EXPECT_EQ(text[0x80], u'\u20AC');
  EXPECT_EQ(text[0x81], u'\u0081');  // a byte that names no character stands for itself
  EXPECT_EQ(text[0x9F], u'\u0178');
  EXPECT_EQ(text[0xE9], u'\u00E9');
  EXPECT_EQ(EncodeCp1252(text), all);
}

TEST(Cp1252Test, CharactersOutsideTheCodePageAreRefused) {
  EXPECT_EQ(EncodeCp1252(u"\u2022 Caf\u00E9"), "\x95 Caf\xE9");
  // The block 0x80..0x9F by value: the quotes and the euro sign a typed name often holds.
  EXPECT_EQ(EncodeCp1252(u"\u2018\u2019\u201C\u201D\u20AC"), "\x91\x92\x93\x94\x80");
  EXPECT_EQ(DecodeCp1252("\x91\x92\x93\x94\x80"), u"\u2018\u2019\u201C\u201D\u20AC");
  for (std::u16string bad : {u"\u0100", u"\u0080", u"\u03A9", u"\u65E5", u"\U0001F600"}) {
    EXPECT_EQ(EncodeCp1252(u"a" + bad), std::nullopt) << int(bad[0]);
  }
}

}  // namespace
}  // namespace qf

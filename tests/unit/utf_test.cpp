#include "core/utf.h"

#include <gtest/gtest.h>

using qf::Utf16ToUtf8;
using qf::Utf8ToUtf16;

TEST(Utf, RoundTripsEveryPlane) {
  const std::u16string text = u"a\u00E9\u2022\U0001F600z";  // 1, 2, 3 and 4 UTF-8 bytes
  const std::string utf8 = Utf16ToUtf8(text);
  EXPECT_EQ(utf8, "a\xC3\xA9\xE2\x80\xA2\xF0\x9F\x98\x80z");
  EXPECT_EQ(Utf8ToUtf16(utf8), text);
}

TEST(Utf, RejectsMalformedUtf8) {
  for (const char* bad : {"\x80", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                          "\xF4\x90\x80\x80", "\xFF", "a\xE2\x80"}) {
    EXPECT_FALSE(Utf8ToUtf16(bad).has_value()) << testing::PrintToString(std::string(bad));
  }
  EXPECT_EQ(Utf8ToUtf16(""), u"");
}

TEST(Utf, LoneSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800') + u"x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xDC00')), "\xEF\xBF\xBD");
}

TEST(Utf, CharLengthKeepsSurrogatePairsWhole) {
  const std::u16string pair = u"\U0001F600";
  EXPECT_EQ(qf::CharLengthAt(pair, 0), 2u);
  const std::u16string lone(1, u'\xD83D');
  EXPECT_EQ(qf::CharLengthAt(lone, 0), 1u);
  EXPECT_EQ(qf::CharLengthAt(u"ab", 1), 1u);
}

TEST(Utf, CountingAndLengthsAgreeWithTheConversions) {
  for (const char* bad :
       {"\x80", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF",
        "a\xE2\x80", "abcdefgh\x80", "abcdefghi\xC3"}) {
    EXPECT_FALSE(qf::CountUtf8Characters(bad).has_value())
        << testing::PrintToString(std::string(bad));
  }
  const std::u16string text = u"plain ASCII run\u00E9\u2022\U0001F600z and more ASCII";
  EXPECT_EQ(qf::CountUtf8Characters(Utf16ToUtf8(text)), text.size() - 1);  // the pair counts once
  EXPECT_EQ(qf::CountUtf8Characters(""), 0u);
  for (const std::u16string& s : {text, std::u16string(u"\xD800x\xDC00"), std::u16string()}) {
    EXPECT_EQ(qf::Utf8Length(s), Utf16ToUtf8(s).size());
  }
}

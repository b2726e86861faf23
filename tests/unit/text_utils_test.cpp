#include "chat/text_utils.h"

#include <gtest/gtest.h>

#include <random>

#include "core/events.h"
#include "core/utf.h"

namespace qf {
namespace {

std::string U8(std::u16string_view text) { return Utf16ToUtf8(text); }

int pumpCount = 0;
void CountPump() { ++pumpCount; }

class ReplaceTextTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = SetEventPump(EventPump{&CountPump, nullptr}); }
  // No replacement lets window messages run: a handler cannot run in the middle of one.
  void TearDown() override { SetEventPump(previous_); }

 private:
  EventPump previous_;
};

TEST_F(ReplaceTextTest, RemovesEveryOccurrence) {
  EXPECT_EQ(U8(ReplaceText(u"<b><s>bold<s>x", u"<s>", u"")), "<b>boldx");
  EXPECT_EQ(U8(ReplaceText(u"nothing here", u"<s>", u"")), "nothing here");
}

TEST_F(ReplaceTextTest, RestartsSoJoinedOccurrencesGoToo) {
  EXPECT_EQ(U8(ReplaceText(u"<<s>s>", u"<s>", u"")), "");
  EXPECT_EQ(U8(ReplaceText(u"a<<<s>s>s>b", u"<s>", u"")), "ab");
  // A non-empty replacement can join with what precedes it, too: "aab" -> "aba" -> "baa".
  EXPECT_EQ(U8(ReplaceText(u"aab", u"ab", u"ba")), "baa");
}

TEST_F(ReplaceTextTest, IsCaseSensitive) {
  EXPECT_EQ(U8(ReplaceText(u"<B>x<b>y", u"<b>", u"")), "<B>xy");
}

TEST_F(ReplaceTextTest, ReplacesCarriageReturnsLeavingLineFeeds) {
  EXPECT_EQ(U8(ReplaceText(u"a\r\nb\rc", u"\r", u"+chr13+")), "a+chr13+\nb+chr13+c");
}

TEST_F(ReplaceTextTest, EmptyFindReturnsTextUnchanged) {
  EXPECT_EQ(U8(ReplaceText(u"abc", u"", u"x")), "abc");
}

TEST_F(ReplaceTextTest, ReplacementContainingFindReplacesOriginalOccurrencesOnce) {
  EXPECT_EQ(U8(ReplaceText(u"ab", u"a", u"aa")), "aab");
  EXPECT_EQ(U8(ReplaceText(u"<s><s>", u"<s>", u"<s><s>")), "<s><s><s><s>");
  EXPECT_EQ(U8(ReplaceText(u"xx", u"x", u"x")), "xx");
}

// The restarting search written out plainly, one search from the start per replacement.
std::u16string RestartingReplace(std::u16string text, std::u16string_view find,
                                 std::u16string_view replacement) {
  for (std::size_t at; (at = text.find(find)) != std::u16string::npos;) {
    text.replace(at, find.size(), replacement);
  }
  return text;
}

TEST_F(ReplaceTextTest, MatchesTheRestartingSearchOnRandomTexts) {
  static constexpr std::u16string_view kFinds[] = {u"\r", u"a", u"<s>", u"ab"};
  static constexpr std::u16string_view kReplacements[] = {u"", u"+chr13+", u"b", u"<", u"s>"};
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) {
    std::u16string text;
    for (int k = static_cast<int>(random() % 40); k > 0; --k) text += u"ab<s>\r"[random() % 6];
    for (std::u16string_view find : kFinds) {
      for (std::u16string_view replacement : kReplacements) {
        if (replacement.find(find) != std::u16string_view::npos) continue;
        const std::u16string expected = RestartingReplace(text, find, replacement);
        ASSERT_EQ(U8(ReplaceText(text, find, replacement)), U8(expected))
            << U8(text) << " / " << U8(find) << " / " << U8(replacement);
      }
    }
  }
}

TEST(HexDigitValueTest, OnlyOneUpperCaseDigit) {
  EXPECT_EQ(HexDigitValue(u"0"), 0);
  EXPECT_EQ(HexDigitValue(u"9"), 9);
  EXPECT_EQ(HexDigitValue(u"A"), 10);
  EXPECT_EQ(HexDigitValue(u"F"), 15);
  EXPECT_EQ(HexDigitValue(u"a"), 0);
  EXPECT_EQ(HexDigitValue(u"G"), 0);
  EXPECT_EQ(HexDigitValue(u""), 0);
  EXPECT_EQ(HexDigitValue(u"1A"), 0);
}

TEST(HexToNumberTest, ReadsDigitsAnyCase) {
  EXPECT_EQ(HexToNumber(u"7f"), 127.0f);
  EXPECT_EQ(HexToNumber(u"ff"), 255.0f);
  EXPECT_EQ(HexToNumber(u"FF8000"), 16744448.0f);
  EXPECT_EQ(HexToNumber(u""), 0.0f);
}

TEST(HexToNumberTest, NonDigitsCountZeroButKeepTheirPlace) {
  EXPECT_EQ(HexToNumber(u"1Z"), 16.0f);
  EXPECT_EQ(HexToNumber(u"ZZ"), 0.0f);
  EXPECT_EQ(HexToNumber(u"#10"), 16.0f);
}

TEST(HexToNumberTest, ReadsOnlyTheLastEightDigits) {
  EXPECT_EQ(HexToNumber(u"100000001"), 1.0f);
  EXPECT_EQ(HexToNumber(u"0FFFFFFF"), 268435455.0f);
  EXPECT_EQ(HexToNumber(u"FFFFFFFF"), 4294967295.0f);
}

}  // namespace
}  // namespace qf

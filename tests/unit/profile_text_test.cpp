// color.dat read and written as the profile functions do. The expected texts are what Wine's
// WritePrivateProfileStringA made of the same writes and files.
#include "schemes/profile_text.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(ProfileTextTest, WritesSectionsAsTheProfileFunctionsDo) {
  ProfileText text = ProfileText::Parse(u"");
  EXPECT_TRUE(text.Write(u"Blue", u"Fade1", u"1"));
  text.Write(u"Blue", u"Fade2", u"2");
  text.Write(u"BLUE", u"Fade1", u"11");   // the same section, the value replaced in place
  text.Write(u"  lead", u"Fade1", u"3");  // blanks around a new section's name go
  text.Write(u"trail  ", u"Fade1", u"4");
  text.Write(u"lead", u"Fade2", u"5");
  text.Write(u"Caf\u00E9", u"Fade1", u"6");
  text.Write(u"CAF\u00C9", u"Fade2", u"7");  // only A-Z match either case: a section of its own
  text.Write(u"Red, Blue", u"Fade1", u"-1");
  EXPECT_FALSE(text.Write(u"blue", u"fade2", u"2"));
  EXPECT_EQ(text.Format(),
            u"[Blue]\r\nFade1=11\r\nFade2=2\r\n[lead]\r\nFade1=3\r\nFade2=5\r\n[trail]\r\n"
            u"Fade1=4\r\n[Caf\u00E9]\r\nFade1=6\r\n[CAF\u00C9]\r\nFade2=7\r\n"
            u"[Red, Blue]\r\nFade1=-1\r\n");
  EXPECT_EQ(text.Read(u" blue ", u"FADE1"), u"11");
  EXPECT_EQ(text.Read(u"Caf\u00C9", u"Fade1"), std::nullopt);
  EXPECT_EQ(text.Read(u"Blue", u"Fade3"), std::nullopt);
  EXPECT_EQ(text.Read(u"Green", u"Fade1"), std::nullopt);
  // Both ends of A-Z fold, in section and key names alike.
  text.Write(u"Az", u"Az", u"8");
  EXPECT_EQ(text.Read(u"aZ", u"aZ"), u"8");
}

TEST(ProfileTextTest, AWiderReadAlsoFoldsTheCodePagesOtherLettersButOnlyAfterAZ) {
  constexpr auto kWider = ProfileText::SectionMatch::kAsciiThenCodePageCase;
  const ProfileText text = ProfileText::Parse(
      u"[CAF\u00C9]\r\nFade1=1\r\n[caf\u00E9]\r\nFade1=2\r\n"
      u"[\u0161\u0153\u017E\u00FF\u00FE\u00E0]\r\nFade1=3\r\n"
      u"[\u00D7]\r\nFade1=4\r\n[\u00FF]\r\nFade1=5\r\n");
  // A match folding A-Z alone wins, though a wider one stands earlier.
  EXPECT_EQ(text.Read(u"Caf\u00E9", u"Fade1", kWider), u"2");
  EXPECT_EQ(text.Read(u"\u0160\u0152\u017D\u0178\u00DE\u00C0", u"fade1", kWider), u"3");
  EXPECT_EQ(text.Read(u"\u0160\u0152\u017D\u0178\u00DE\u00C0", u"Fade1"), std::nullopt);
  // × and ÷ are not letters, and ß has no capital: none of them folds.
  EXPECT_EQ(text.Read(u"\u00F7", u"Fade1", kWider), std::nullopt);
  EXPECT_EQ(text.Read(u"\u00DF", u"Fade1", kWider), std::nullopt);
}

TEST(ProfileTextTest, ReadsAndRewritesAHandEditedFile) {
  ProfileText text = ProfileText::Parse(
      u"; comment\r\n\r\n  [ Sp ]  \r\n fade1 = \"12\" \r\ngarbage line\r\n\r\n[Dup]\nFade1=1\n"
      u"[dup]\r\nFade1=2\r\nFade2=22\r\n\r\n[Last]\rFade1=9");
  EXPECT_EQ(text.Read(u"Sp", u"Fade1"), u"12");
  EXPECT_EQ(text.Read(u"dup", u"fade1"), u"1");  // the first of two matching sections
  EXPECT_EQ(text.Read(u"dup", u"fade2"), std::nullopt);
  EXPECT_EQ(text.Read(u"Last", u"Fade1"), u"9");
  EXPECT_EQ(text.Read(u"Sp", u"garbage line"), std::nullopt);
  EXPECT_EQ(text.OddLines(), std::vector<int>{5});
  // Tabs are blanks around names and values too; a "#" comment is not a damaged line.
  const ProfileText tabbed = ProfileText::Parse(u"# note\r\n[T]\r\nFade1\t=\t7\r\n");
  EXPECT_EQ(tabbed.Read(u"T", u"Fade1"), u"7");
  EXPECT_EQ(tabbed.OddLines(), std::vector<int>{});

  text.Write(u"Dup", u"Fade3", u"3");
  text.Write(u"sp", u"Fade2", u"x");
  text.Write(u"New", u"Fade1", u"n");
  EXPECT_EQ(
      text.Format(),
      u"; comment\r\n[Sp]\r\nfade1=\"12\"\r\ngarbage line\r\nFade2=x\r\n[Dup]\r\nFade1=1\r\n"
      u"Fade3=3\r\n[dup]\r\nFade1=2\r\nFade2=22\r\n[Last]\r\nFade1=9\r\n[New]\r\nFade1=n\r\n");
}

TEST(ProfileTextTest, ValuesLoseOnePairOfQuotesAndAreCutTo254Characters) {
  const ProfileText text = ProfileText::Parse(
      u"[Q]\r\na=\"1\"\r\nb='2'\r\nc=\"3\r\nd=\"4'\r\ne= \" 5 \" \r\nf=a;b\r\ng=\r\nlong=" +
      std::u16string(300, u'7'));
  EXPECT_EQ(text.Read(u"Q", u"a"), u"1");
  EXPECT_EQ(text.Read(u"Q", u"b"), u"2");
  EXPECT_EQ(text.Read(u"Q", u"c"), u"\"3");
  EXPECT_EQ(text.Read(u"Q", u"d"), u"\"4'");
  EXPECT_EQ(text.Read(u"Q", u"e"), u" 5 ");
  EXPECT_EQ(text.Read(u"Q", u"f"), u"a;b");
  EXPECT_EQ(text.Read(u"Q", u"g"), u"");
  EXPECT_EQ(text.Read(u"Q", u"long"), std::u16string(254, u'7'));
}

}  // namespace
}  // namespace qf

#include "schemes/scheme_list.h"

#include <gtest/gtest.h>

#include <random>

#include "core/utf.h"

namespace qf {
namespace {

using Names = std::vector<std::u16string>;

TEST(SchemeListTest, ReadsLinesAndTheFieldRules) {
  EXPECT_EQ(ParseSchemeList(u""), Names{});
  EXPECT_EQ(ParseSchemeList(u"Sunset\r\nBlue\r\n"), (Names{u"Sunset", u"Blue"}));
  // A comma splits a line; leading spaces go, trailing spaces stay.
  EXPECT_EQ(ParseSchemeList(u"Red, Blue\r\n  Green  \r\n"), (Names{u"Red", u"Blue", u"Green  "}));
  // Empty lines, lines of spaces and a line ending in a comma give empty entries.
  EXPECT_EQ(ParseSchemeList(u"\r\n   \r\na,\r\nb"), (Names{u"", u"", u"a", u"", u"b"}));
  // An unterminated last line still gives its entry; a final comma adds none.
  EXPECT_EQ(ParseSchemeList(u"a\r\nlast"), (Names{u"a", u"last"}));
  EXPECT_EQ(ParseSchemeList(u"a,"), (Names{u"a"}));
  // A lone LF or CR ends a line as CR LF does.
  EXPECT_EQ(ParseSchemeList(u"a\nb\rc\r\n"), (Names{u"a", u"b", u"c"}));
  EXPECT_EQ(ParseSchemeList(u"a\n\nb"), (Names{u"a", u"", u"b"}));
}

TEST(SchemeListTest, QuotedFields) {
  // Quotes go; a comma inside stays; what follows the closing quote up to the delimiter goes.
  EXPECT_EQ(ParseSchemeList(u"\"Red, Blue\"\r\n  \"  x \"junk,y\r\n\"\"\r\n"),
            (Names{u"Red, Blue", u"  x ", u"y", u""}));
  // A quoted field runs over line ends; an unquoted one may hold a quote after its start.
  EXPECT_EQ(ParseSchemeList(u"\"a\r\nb\"\r\nc\"d\r\n"), (Names{u"a\r\nb", u"c\"d"}));
  // A quote never closed runs to the end of the file, without the file's last line end.
  EXPECT_EQ(ParseSchemeList(u"a\r\n\"b,\r\nc\r\n"), (Names{u"a", u"b,\r\nc"}));
  EXPECT_EQ(ParseSchemeList(u"\""), (Names{u""}));
}

TEST(SchemeListTest, WritesEachNameWithCrLfQuotingOnlyWhereNeeded) {
  EXPECT_EQ(FormatSchemeList({}), u"");
  EXPECT_EQ(FormatSchemeList({u""}), u"\r\n");
  EXPECT_EQ(Utf16ToUtf8(FormatSchemeList(
                {u"Sunset", u"Red, Blue", u"  lead", u"   ", u"trail  ", u"a\"b", u"\"q\""})),
            "Sunset\r\n\"Red, Blue\"\r\n\"  lead\"\r\n\"   \"\r\ntrail  \r\na\"b\r\n\"q\"\r\n");
}

TEST(SchemeListTest, EveryNameWithoutQuotesReadsBackAsWritten) {
  // Random lists over the characters that matter to the field rules. Every name the store
  // accepts (and every other name without a double quote) must come back unchanged.
  const std::u16string alphabet = u"ab ,\r\n\t\"[]\u00E9;=";
  std::mt19937 random(20240611);
  int accepted = 0;
  for (int round = 0; round < 3000; ++round) {
    Names names(random() % 4);
    for (auto& name : names) {
      const std::size_t length = random() % 7;
      for (std::size_t i = 0; i < length; ++i) name += alphabet[random() % alphabet.size()];
    }
    Names quoteFree;
    for (const auto& name : names) {
      if (CanStoreSchemeName(name, nullptr)) {
        ++accepted;
        ASSERT_EQ(name.find(u'"'), std::u16string::npos);
      }
      if (name.find(u'"') == std::u16string::npos) quoteFree.push_back(name);
    }
    ASSERT_EQ(ParseSchemeList(FormatSchemeList(quoteFree)), quoteFree)
        << Utf16ToUtf8(FormatSchemeList(quoteFree));
  }
  EXPECT_GT(accepted, 300);
}

TEST(SchemeListTest, NameCheckRefusesWhatCannotBeStoredAndSaysWhy) {
  for (std::u16string_view good :
       {u"Sunset", u"Red, Blue", u"  lead", u"a=b;c", u"\u00E9t\u00E9"}) {
    EXPECT_TRUE(CanStoreSchemeName(good, nullptr)) << Utf16ToUtf8(good);
  }
  for (std::u16string_view bad :
       {u"", u"   ", u" \t ", u"\"Red\"", u"a\"b", u"[x", u"x]", u"a\r\nb", u"a\tb"}) {
    std::u16string why;
    EXPECT_FALSE(CanStoreSchemeName(bad, &why)) << Utf16ToUtf8(bad);
    EXPECT_FALSE(why.empty());
  }
  EXPECT_FALSE(CanStoreSchemeName(std::u16string(1, u'\0'), nullptr));

  // The user reads these sentences: a name of blanks and tabs, and DEL among other letters.
  std::u16string why;
  EXPECT_FALSE(CanStoreSchemeName(u" \t \t", &why));
  EXPECT_EQ(why, u"A scheme name needs at least one character other than spaces.");
  why.clear();
  EXPECT_FALSE(CanStoreSchemeName(u"Red\x7F", &why));
  EXPECT_EQ(why, u"A scheme name cannot contain line breaks, tabs or other control characters.");
}

TEST(ColorValueTest, ParsesSignedDecimal32BitOnly) {
  EXPECT_EQ(ParseColorValue(u"16711680"), 16711680);
  EXPECT_EQ(ParseColorValue(u"0"), 0);
  EXPECT_EQ(ParseColorValue(u"-1"), -1);
  EXPECT_EQ(ParseColorValue(u"+007"), 7);
  EXPECT_EQ(ParseColorValue(u"2147483647"), 2147483647);
  EXPECT_EQ(ParseColorValue(u"-2147483648"), INT32_MIN);
  for (std::u16string_view bad : {u"", u"-", u"+", u" 1", u"1 ", u"12a", u"0x10", u"1.5",
                                  u"2147483648", u"-2147483649", u"99999999999999999999999"}) {
    EXPECT_EQ(ParseColorValue(bad), std::nullopt) << Utf16ToUtf8(bad);
  }
  EXPECT_EQ(FormatColorValue(INT32_MIN), u"-2147483648");
  EXPECT_EQ(SchemeColorKey(10), u"Fade10");
}

TEST(ColorValueTest, StoredColorsAreOnlyThoseABoxCanShow) {
  EXPECT_EQ(ParseStoredColor(u"0"), 0);
  EXPECT_EQ(ParseStoredColor(u"16777215"), 16777215);
  for (std::u16string_view bad : {u"-1", u"16777216", u"33554431", u"-16777216", u"x"}) {
    EXPECT_EQ(ParseStoredColor(bad), std::nullopt) << Utf16ToUtf8(bad);
  }
}

TEST(SchemeListTest, ABoundedReadStopsPastTheBound) {
  EXPECT_EQ(ParseSchemeListUpTo(u"a\r\nb\r\n", 2), (std::vector<std::u16string>{u"a", u"b"}));
  EXPECT_EQ(ParseSchemeListUpTo(u"a\r\nb\r\nc", 2), std::nullopt);
  EXPECT_EQ(ParseSchemeListUpTo(std::u16string(1000, u','), 999), std::nullopt);
}

TEST(ColorValueTest, EveryDigitCountsAndFormattedValuesReadBack) {
  for (int digit = 0; digit <= 9; ++digit) {
    const std::u16string text(1, static_cast<char16_t>(u'0' + digit));
    EXPECT_EQ(ParseColorValue(text), digit);
    EXPECT_EQ(ParseColorValue(u"-" + text + text), -11 * digit);
  }
  EXPECT_EQ(ParseColorValue(u"1234567890"), 1234567890);
  EXPECT_EQ(ParseColorValue(u"/"), std::nullopt);  // the characters either side of the digits
  EXPECT_EQ(ParseColorValue(u":"), std::nullopt);

  std::mt19937 random(7031);
  for (int i = 0; i < 20000; ++i) {
    const auto value = static_cast<int32_t>(random());
    ASSERT_EQ(ParseColorValue(FormatColorValue(value)), value) << value;
  }
  for (int32_t edge : {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX}) {
    EXPECT_EQ(ParseColorValue(FormatColorValue(edge)), edge);
  }
}

// The list file as a fake: whether something is there, whether a write works, what was written.
class FakeListFile final : public ListFileAccess {
 public:
  bool present = false;
  bool writable = true;
  std::vector<Names> written;

  bool Present() override { return present; }
  std::size_t StoredSize(std::u16string_view text) override { return text.size(); }
  bool Write(const Names& names) override {
    if (!writable) return false;
    written.push_back(names);
    present = true;
    return true;
  }
};

// A list file that was there at start but not read is never written in that run, whatever is
// added or removed; the first save that leaves it alone is reported, the later ones are not.
TEST(SchemeListStoreTest, AListFileNotReadAtStartIsNeverWrittenAndReportedOnce) {
  for (ListFileState unread :
       {ListFileState::kHidden, ListFileState::kUnreadable, ListFileState::kTooLarge}) {
    FakeListFile file;
    file.present = true;
    SchemeList list;
    list.Start(unread, {u"not read"});
    EXPECT_EQ(list.Names(), Names{});
    list.Add(u"Mine");
    EXPECT_EQ(list.Save(file), ListSave::kKept);
    ASSERT_TRUE(list.RemoveAt(0));
    EXPECT_FALSE(list.RemoveAt(0));
    EXPECT_EQ(list.Save(file), ListSave::kKeptAgain);
    EXPECT_EQ(list.FileState(), unread);
    EXPECT_TRUE(file.written.empty());
  }
}

// With no list file at start, one is looked for before every write until this run has written
// one: a write that failed leaves it missing; one that turned up meanwhile is left alone.
TEST(SchemeListStoreTest, AListFileThatAppearsAfterTheStartIsLeftAlone) {
  FakeListFile file;
  SchemeList list;
  list.Start(ListFileState::kMissing);
  list.Add(u"Sunset");
  file.writable = false;
  EXPECT_EQ(list.Save(file), ListSave::kFailed);
  EXPECT_EQ(list.FileState(), ListFileState::kMissing);
  file.writable = true;
  EXPECT_EQ(list.Save(file), ListSave::kWritten);
  list.Add(u"Ocean");
  EXPECT_EQ(list.Save(file), ListSave::kWritten);  // this run's own file
  EXPECT_EQ(file.written.back(), (Names{u"Sunset", u"Ocean"}));

  SchemeList next;  // a run that started before that file was there
  next.Start(ListFileState::kMissing);
  next.Add(u"Mine");
  EXPECT_EQ(next.Save(file), ListSave::kKept);
  EXPECT_EQ(next.FileState(), ListFileState::kAppeared);
  EXPECT_EQ(file.written.size(), 2u);

  // And an Add is refused when the list would be one the next start does not read.
  SchemeList full;
  full.Start(ListFileState::kRead, Names(kMaxSchemeEntries - 1, u"s"));
  EXPECT_TRUE(full.FitsWith(u"last", file));
  full.Add(u"last");
  EXPECT_FALSE(full.FitsWith(u"one more", file));
}

}  // namespace
}  // namespace qf

#include "fade/qfade_args.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace qf {
namespace {

QfadeParse Parse(std::vector<std::string> args) { return ParseQfadeArgs(args); }

TEST(QfadeArgsTest, ParsesColoursTextAndWavy) {
  const auto parse = Parse({"--wavy", "255,16711680,#FF8000,-1,16777216", "abc"});
  ASSERT_TRUE(parse.request) << parse.error;
  EXPECT_EQ(parse.request->wavy, -1);
  EXPECT_EQ(parse.request->colours, (std::vector<int32_t>{255, 16711680, 0x0080FF, -1, 16777216}));
  EXPECT_EQ(parse.request->text, "abc");
  EXPECT_FALSE(parse.request->readStdin);

  const auto plain = Parse({"#00ccff,+7", "-"});
  ASSERT_TRUE(plain.request) << plain.error;
  EXPECT_EQ(plain.request->wavy, 0);
  EXPECT_EQ(plain.request->colours, (std::vector<int32_t>{0xFFCC00, 7}));
  EXPECT_TRUE(plain.request->readStdin);
}

TEST(QfadeArgsTest, DashesArePositionalWhereTheyMustBe) {
  // A negative first colour is not an option; after "--" even "--wavy" is text.
  const auto parse = Parse({"-1,-2147483648", "--", "--wavy"});
  ASSERT_TRUE(parse.request) << parse.error;
  EXPECT_EQ(parse.request->colours, (std::vector<int32_t>{-1, INT32_MIN}));
  EXPECT_EQ(parse.request->text, "--wavy");
  EXPECT_EQ(parse.request->wavy, 0);
}

TEST(QfadeArgsTest, HelpWins) {
  const auto parse = Parse({"1", "--help"});
  ASSERT_TRUE(parse.request);
  EXPECT_TRUE(parse.request->help);
}

TEST(QfadeArgsTest, RejectsBadInputWithOneLine) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"255,0"},
      {"255", "abc"},
      {"1,2,3,4,5,6,7,8,9,10,11", "abc"},
      {"255,red", "abc"},
      {"255,2147483648", "abc"},
      {"255,-2147483649", "abc"},
      {"255,#12345", "abc"},
      {"255,#1234567", "abc"},
      {"255,#GG0000", "abc"},
      {"255,,0", "abc"},
      {"255, 0", "abc"},
      {"255,+-1", "abc"},
      {"255,0x10", "abc"},
      {"--bogus", "255,0", "abc"},
      {"255,0", "a", "b"},
      {"255,\n0", "abc"},
  };
  for (const auto& args : bad) {
    const auto parse = Parse(args);
    EXPECT_FALSE(parse.request) << (args.empty() ? "" : args[0]);
    EXPECT_FALSE(parse.error.empty());
    EXPECT_EQ(parse.error.find('\n'), std::string::npos) << parse.error;
  }
}

TEST(QfadeArgsTest, RunFadesAndRejectsInvalidUtf8) {
  const auto parse = Parse({"--wavy", "255,16711680", "abc"});
  ASSERT_TRUE(parse.request);
  const auto run = RunQfade(*parse.request, "abc");
  ASSERT_TRUE(run.output);
  EXPECT_EQ(*run.output,
            "<Font Color=#AA0055><sup>a<Font Color=#5500AA></sup>b<Font Color=#0000FF><sub>c\n");
  EXPECT_EQ(*RunQfade(*parse.request, "").output, "\n");
  const auto bad = RunQfade(*parse.request, "a\xC3");
  EXPECT_FALSE(bad.output);
  EXPECT_FALSE(bad.error.empty());
}

TEST(QfadeArgsTest, StreamWritesTheMarkupThenTheNewlineOrNothingForInvalidText) {
  const auto parse = Parse({"255,16711680", "-"});
  ASSERT_TRUE(parse.request);
  std::string text;
  while (text.size() < 5000) text += "a\xC2\xB7\xF0\x9F\x98\x80";
  std::vector<char> block(100);
  std::vector<std::string> writes;
  const auto collect = [&](std::string_view b) {
    writes.emplace_back(b);
    return true;
  };
  const QfadeStreamed done = StreamQfade(*parse.request, text, block, collect);
  EXPECT_EQ(done.exitStatus, 0);
  ASSERT_GT(writes.size(), 2u);
  EXPECT_EQ(writes.back(), "\n");
  std::string joined;
  for (const auto& w : writes) joined += w;
  EXPECT_EQ(joined, *RunQfade(*parse.request, text).output);

  writes.clear();
  const QfadeStreamed bad = StreamQfade(*parse.request, text + "\xC3", block, collect);
  EXPECT_EQ(bad.exitStatus, 2);
  EXPECT_EQ(bad.error, "qfade: TEXT is not valid UTF-8");
  EXPECT_TRUE(writes.empty());

  const QfadeStreamed refused =
      StreamQfade(*parse.request, "abc", block, [](std::string_view) { return false; });
  EXPECT_EQ(refused.exitStatus, 1);
}

}  // namespace
}  // namespace qf

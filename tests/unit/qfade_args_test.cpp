#include "fade/qfade_args.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace qf {
namespace {

QfadeParse Parse(std::vector<std::string> args) { return ParseQfadeArgs(args); }

TEST(QfadeArgsTest, ParsesColorsTextAndWavy) {
  const auto parse = Parse({"--wavy", "255,16711680,#FF8000,-1,16777216", "abc"});
  ASSERT_TRUE(parse.request) << parse.error;
  EXPECT_TRUE(parse.request->wavy);
  EXPECT_EQ(parse.request->colors, (std::vector<int32_t>{255, 16711680, 0x0080FF, -1, 16777216}));
  EXPECT_EQ(parse.request->text, "abc");
  EXPECT_FALSE(parse.request->readStdin);

  const auto plain = Parse({"#00ccff,+7", "-"});
  ASSERT_TRUE(plain.request) << plain.error;
  EXPECT_FALSE(plain.request->wavy);
  EXPECT_EQ(plain.request->colors, (std::vector<int32_t>{0xFFCC00, 7}));
  EXPECT_TRUE(plain.request->readStdin);
}

TEST(QfadeArgsTest, DashesArePositionalWhereTheyMustBe) {
  // A negative first colour is not an option; after "--" even "--wavy" is text.
  const auto parse = Parse({"-1,-2147483648", "--", "--wavy"});
  ASSERT_TRUE(parse.request) << parse.error;
  EXPECT_EQ(parse.request->colors, (std::vector<int32_t>{-1, INT32_MIN}));
  EXPECT_EQ(parse.request->text, "--wavy");
  EXPECT_FALSE(parse.request->wavy);
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

TEST(QfadeArgsTest, ParsesFormatStylesLimitAndScheme) {
  const auto parse = Parse({"--format", "html", "--bold", "--strike", "--max=255", "--wavy",
                            "--scheme", "Sunset Sky", "--stops", "3", "--dir=/tmp/s", "-"});
  ASSERT_TRUE(parse.request) << parse.error;
  const QfadeRequest& request = *parse.request;
  EXPECT_EQ(request.format, MarkupFormat::kHtml);
  EXPECT_TRUE(request.styles.bold && request.styles.strike);
  EXPECT_FALSE(request.styles.italic || request.styles.underline);
  EXPECT_EQ(request.maxLength, 255u);
  EXPECT_EQ(request.scheme, "Sunset Sky");
  EXPECT_EQ(request.schemeStops, 3);
  EXPECT_EQ(request.schemeDir, "/tmp/s");
  EXPECT_TRUE(request.colors.empty());
  EXPECT_TRUE(request.readStdin);

  const auto defaults = Parse({"--scheme=Red", "abc"});
  ASSERT_TRUE(defaults.request) << defaults.error;
  EXPECT_EQ(defaults.request->format, MarkupFormat::kAol);
  EXPECT_EQ(defaults.request->schemeStops, 10);
  EXPECT_EQ(defaults.request->schemeDir, ".");
  EXPECT_EQ(defaults.request->maxLength, 0u);
  EXPECT_EQ(defaults.request->text, "abc");

  for (const char* alone : {"--version", "--list-formats"}) {
    const auto only = Parse({alone});
    ASSERT_TRUE(only.request) << alone;
    EXPECT_TRUE(only.request->version || only.request->listFormats);
  }
  EXPECT_NE(QfadeFormatList().find("mc-section"), std::string::npos);
}

TEST(QfadeArgsTest, RejectsBadOptionValuesAndRefusedCombinations) {
  const std::vector<std::vector<std::string>> bad = {
      {"--format", "HTML", "255,0", "abc"},
      {"--format"},
      {"--max", "0", "255,0", "abc"},
      {"--max", "-5", "255,0", "abc"},
      {"--max", "12x", "255,0", "abc"},
      {"--scheme", "Red", "--stops", "1", "abc"},
      {"--scheme", "Red", "--stops", "11", "abc"},
      {"--stops", "3", "255,0", "abc"},
      {"--dir", "/tmp", "255,0", "abc"},
      {"--scheme", "Red", "255,0", "abc"},
      {"--scheme", "Red"},
      {"--bold=yes", "255,0", "abc"},
      {"--wavy", "--format", "bbcode", "255,0", "abc"},
  };
  for (const auto& args : bad) {
    const auto parse = Parse(args);
    EXPECT_FALSE(parse.request) << args[0] << " " << (args.size() > 1 ? args[1] : "");
    EXPECT_EQ(parse.error.rfind("qfade: ", 0), 0u) << parse.error;
    EXPECT_EQ(parse.error.find('\n'), std::string::npos) << parse.error;
  }
  EXPECT_NE(Parse({"--wavy", "--format", "mc-x", "1,2", "a"}).error.find("mc-x"),
            std::string::npos);
}

TEST(QfadeArgsTest, RunWritesEachFormatAndRefusesWhatDoesNotFit) {
  const auto html = Parse({"--format", "html", "--italic", "255,16711680", "a&b"});
  ASSERT_TRUE(html.request);
  EXPECT_EQ(*RunQfade(*html.request, "a&b").output,
            "<i><span style=\"color:#AA0055\">a</span><span style=\"color:#5500AA\">&amp;</span>"
            "<span style=\"color:#0000FF\">b</span></i>\n");

  // aol with styles streams the prefix first; fitted, one tag per group.
  const auto bold = Parse({"--bold", "255,16711680", "ab"});
  EXPECT_EQ(*RunQfade(*bold.request, "ab").output,
            "<b><Font Color=#800080>a<Font Color=#0000FF>b\n");
  const auto fitted = Parse({"--max", "30", "255,16711680", "Hello"});
  EXPECT_EQ(*RunQfade(*fitted.request, "Hello").output, "<Font Color=#0000FF>Hello\n");

  const auto tooShort = Parse({"--max", "24", "255,16711680", "Hello"});
  const auto refused = RunQfade(*tooShort.request, "Hello");
  EXPECT_FALSE(refused.output);
  EXPECT_EQ(refused.error,
            "qfade: the line takes 25 characters even in one colour, 1 more than the limit of 24");

  const auto game = Parse({"--format", "mc-hex", "255,16711680", "-"});
  const auto control = RunQfade(*game.request, "ab\n");
  EXPECT_FALSE(control.output);
  EXPECT_NE(control.error.find("U+000A"), std::string::npos);
  EXPECT_FALSE(RunQfade(*game.request, "a\xC3").output);
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

#include "fade/markup_formats.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/utf.h"
#include "mainwindow/compose.h"
#include "markup_checks.h"

namespace qf {
namespace {

using markuptest::CheckMarkup;

constexpr std::array<int32_t, 2> kRedToBlue{255, 16711680};
constexpr std::array<int32_t, 10> kTenStops{0xFFCC00, 0x0000FF, 0xFF4400, 0x00FF00, 0x808080,
                                            0x123456, 0xFFFFFF, 0x000000, 0x00FFFF, 0xAB00CD};
constexpr std::array<int32_t, 2> kOneColor{0x0080FF, 0x0080FF};

std::vector<MarkupFormat> AllFormats() {
  std::vector<MarkupFormat> formats;
  for (const MarkupFormatInfo& info : MarkupFormats()) formats.push_back(info.format);
  return formats;
}

std::string Name(MarkupFormat format) { return std::string(FormatInfo(format).name); }

std::u16string Format(const FadeRequest& request) {
  const auto markup = FormatFade(request);
  EXPECT_TRUE(markup) << markup.error.message;
  return markup.value.value_or(u"");
}

std::string Utf8(const FadeRequest& request) { return Utf16ToUtf8(Format(request)); }

TEST(MarkupFormatsTest, NamesAndTheDefault) {
  EXPECT_EQ(MarkupFormats().front().format, MarkupFormat::kAol);
  for (const MarkupFormatInfo& info : MarkupFormats()) {
    EXPECT_EQ(FindMarkupFormat(info.name), info.format);
    EXPECT_EQ(&FormatInfo(info.format), &info);
  }
  EXPECT_EQ(FindMarkupFormat("HTML"), std::nullopt);
  EXPECT_EQ(FindMarkupFormat(""), std::nullopt);
}

// aol is the desktop's own line: ComposeChatLine of the style prefix, whatever the text.
TEST(MarkupFormatsTest, AolIsTheDesktopsLineByteForByte) {
  const std::u16string text = u"a<b> & \U0001F600\xD800 z";
  for (const bool wavy : {false, true}) {
    for (const TextStyles styles : {TextStyles{}, TextStyles{true, true, true, true}}) {
      const FadeRequest request{kTenStops, text, MarkupFormat::kAol, styles, wavy};
      const std::u16string line = ComposeChatLine(AolStylePrefix(styles), kTenStops, text, wavy);
      EXPECT_EQ(Format(request), line);
      EXPECT_EQ(*FormatFadeUtf8(request).value, Utf16ToUtf8(line));
    }
  }
  EXPECT_EQ(AolStylePrefix({.bold = true, .strike = true}), u"<b><s>");
  EXPECT_EQ(Format({kRedToBlue, u"", MarkupFormat::kAol, {.italic = true}}), u"<i>");
}

TEST(MarkupFormatsTest, OneLineOfEach) {
  const auto line = [](MarkupFormat format, TextStyles styles = {}) {
    return Utf8({kRedToBlue, u"a<b", format, styles});
  };
  EXPECT_EQ(line(MarkupFormat::kHtml),
            "<span style=\"color:#AA0055\">a</span><span style=\"color:#5500AA\">&lt;</span>"
            "<span style=\"color:#0000FF\">b</span>");
  EXPECT_EQ(
      line(MarkupFormat::kBbcode, {.bold = true, .strike = true}),
      "[b][s][color=#AA0055]a[/color][color=#5500AA]<[/color][color=#0000FF]b[/color][/s][/b]");
  EXPECT_EQ(line(MarkupFormat::kMiniMessage, {.strike = true}),
            "<st><#AA0055>a<#5500AA>\\<<#0000FF>b");
  EXPECT_EQ(line(MarkupFormat::kMcHex, {.bold = true, .underline = true}),
            "&#AA0055&l&na&#5500AA&l&n<&#0000FF&l&nb");
  EXPECT_EQ(line(MarkupFormat::kMcX), "&x&A&A&0&0&5&5a&x&5&5&0&0&A&A<&x&0&0&0&0&F&Fb");
  EXPECT_EQ(line(MarkupFormat::kMcSection, {.italic = true}),
            "\xC2\xA7x\xC2\xA7"
            "A\xC2\xA7"
            "A\xC2\xA7"
            "0\xC2\xA7"
            "0\xC2\xA7"
            "5\xC2\xA7"
            "5\xC2\xA7"
            "oa"
            "\xC2\xA7x\xC2\xA7"
            "5\xC2\xA7"
            "5\xC2\xA7"
            "0\xC2\xA7"
            "0\xC2\xA7"
            "A\xC2\xA7"
            "A\xC2\xA7"
            "o<"
            "\xC2\xA7x\xC2\xA7"
            "0\xC2\xA7"
            "0\xC2\xA7"
            "0\xC2\xA7"
            "0\xC2\xA7"
            "F\xC2\xA7"
            "F\xC2\xA7"
            "ob");
  EXPECT_EQ(line(MarkupFormat::kAnsi, {.bold = true, .strike = true}),
            "\x1B[1;9m\x1B[38;2;170;0;85ma\x1B[38;2;85;0;170m<\x1B[38;2;0;0;255mb\x1B[0m");
  EXPECT_EQ(
      Utf8({kRedToBlue, u"abcde", MarkupFormat::kHtml, {}, true}),
      "<span style=\"color:#CC0033\"><sup>a</sup></span><span style=\"color:#990066\">b</span>"
      "<span style=\"color:#660099\"><sub>c</sub></span><span style=\"color:#3300CC\">d</span>"
      "<span style=\"color:#0000FF\"><sup>e</sup></span>");
}

// Text that each system would read as markup, and characters some cannot carry, read back as
// typed (or as the format says it shows them) in the engine's colours, with every style.
TEST(MarkupFormatsTest, EveryFormatReadsBackAsTheTextInTheEnginesColors) {
  const std::u16string texts[] = {
      u"<b>x</b> & &amp; \"q\" 'a' [b]x[/b] [color=#FF0000] \\< \\\\ <#FF0000> <st>",
      u"&a &l &#FF0000 &x&1 && &r & x",
      u"\U0001F600 emoji \U0001F44D\U0001F3FD, a lone \xDC00 and \xD83D",
      std::u16string(u"tab\tline\nreturn\r esc\x1B[31m del\x7F c1\x9B nul\x00 end", 43),
      u"  spaces\u00A0\u3000between  words  ",
  };
  const std::array<int32_t, 3> three{0x00CCFF, 255, 0x4400FF};
  const std::vector<std::span<const int32_t>> stopSets = {kRedToBlue, three, kTenStops};
  for (const MarkupFormat format : AllFormats()) {
    for (const std::u16string& text : texts) {
      for (const auto& stops : stopSets) {
        for (const TextStyles styles :
             {TextStyles{}, TextStyles{.underline = true}, TextStyles{true, true, true, true}}) {
          for (const bool wavy : {false, true}) {
            if (wavy && !FormatInfo(format).wave) continue;
            const FadeRequest request{stops, text, format, styles, wavy};
            const auto markup = FormatFade(request);
            if (!markup) {
              // Only the game formats refuse, and only text with controls.
              EXPECT_EQ(markup.error.kind, FadeError::Kind::kTextRefused) << Name(format);
              EXPECT_FALSE(FormatInfo(format).wave || format == MarkupFormat::kBbcode ||
                           format == MarkupFormat::kAnsi)
                  << Name(format);
              EXPECT_NE(text.find(u'\t'), std::u16string::npos) << Name(format);
              continue;
            }
            EXPECT_EQ(CheckMarkup(request, 1, *markup.value), "")
                << Name(format) << " " << Utf16ToUtf8(text) << " stops " << stops.size();
            EXPECT_EQ(*FormatFadeUtf8(request).value, Utf16ToUtf8(*markup.value));
          }
        }
      }
    }
  }
}

// Lines longer than the stretch of colours the writer takes at a time, grouped and not.
TEST(MarkupFormatsTest, LongLinesReadBackInTheEnginesColors) {
  std::u16string text;
  while (text.size() < 5000) text += u"Long & <line> [x] 😀 ";
  for (const MarkupFormat format : AllFormats()) {
    for (const std::size_t groupSize : {1u, 3u}) {
      const FadeRequest request{kTenStops, text, format, {}, false, 0, groupSize};
      EXPECT_EQ(CheckMarkup(request, groupSize, Format(request)), "") << Name(format);
    }
  }
}

TEST(MarkupFormatsTest, NeighboursOfOneColorShareOneCode) {
  for (const MarkupFormat format : AllFormats()) {
    if (format == MarkupFormat::kAol) continue;
    const std::u16string markup = Format({kOneColor, u"one colour", format});
    const auto read = markuptest::ReadMarkup(format, markup);
    ASSERT_EQ(read.fault, "") << Name(format);
    int codes = 0;
    for (const auto& c : read.chars) codes += c.codeBefore;
    EXPECT_EQ(codes, 1) << Name(format) << ": " << Utf16ToUtf8(markup);
  }
}

// A space takes the run before it, whose colour it shows, only when it shows no line.
TEST(MarkupFormatsTest, SpacesJoinTheRunBeforeUnlessUnderlinedOrStruck) {
  EXPECT_EQ(Utf8({kRedToBlue, u"a b", MarkupFormat::kMiniMessage}), "<#AA0055>a <#0000FF>b");
  EXPECT_EQ(Utf8({kRedToBlue, u"a b", MarkupFormat::kMiniMessage, {.underline = true}}),
            "<u><#AA0055>a<#5500AA> <#0000FF>b");
  EXPECT_EQ(Utf8({kRedToBlue, u"a b", MarkupFormat::kMcHex, {.strike = true}}),
            "&#AA0055&ma&#5500AA&m &#0000FF&mb");
  // A space that starts the line has no run before it.
  EXPECT_EQ(Utf8({kRedToBlue, u" ab", MarkupFormat::kMiniMessage}),
            "<#AA0055> <#5500AA>a<#0000FF>b");
}

// In the '&' formats, an "&" before a character that makes a code is followed by the next
// character's own colour code: "&&" reads as an "&", and nothing else changes.
TEST(MarkupFormatsTest, AmpersandBeforeACodeCharacterStaysAnAmpersand) {
  EXPECT_EQ(Utf8({kOneColor, u"&a&z&#&", MarkupFormat::kMcHex, {.bold = true}}),
            "&#FF8000&l&&#FF8000&la&z&&#FF8000&l#&");
  EXPECT_EQ(Utf8({kOneColor, u"R&D", MarkupFormat::kMcX}), "&x&F&F&8&0&0&0R&&x&F&F&8&0&0&0D");
  // "§" means nothing there, "&" nothing in mc-section.
  EXPECT_EQ(Utf8({kOneColor, u"&a", MarkupFormat::kMcSection}),
            "\xC2\xA7x\xC2\xA7"
            "F\xC2\xA7"
            "F\xC2\xA7"
            "8\xC2\xA7"
            "0\xC2\xA7"
            "0\xC2\xA7"
            "0&a");
}

TEST(MarkupFormatsTest, BracketsAndControlsAreBrokenOrReplacedVisibly) {
  EXPECT_EQ(Utf8({kOneColor, u"[b]", MarkupFormat::kBbcode}),
            "[color=#FF8000][\xE2\x80\x8B"
            "b][/color]");
  EXPECT_EQ(Utf8({kOneColor, u"\x1B[2J\x7F\x85", MarkupFormat::kAnsi}),
            "\x1B[38;2;255;128;0m\xE2\x90\x9B[2J\xE2\x90\xA1\xEF\xBF\xBD\x1B[0m");
  EXPECT_EQ(Utf8({kOneColor, u"a\x01\tb", MarkupFormat::kHtml}),
            "<span style=\"color:#FF8000\">a\xEF\xBF\xBD\tb</span>");
}

TEST(MarkupFormatsTest, RefusesWavyWhereThereIsNoRaisedText) {
  for (const MarkupFormat format : AllFormats()) {
    const auto markup = FormatFade({kRedToBlue, u"abc", format, {}, true});
    if (FormatInfo(format).wave) {
      EXPECT_TRUE(markup) << Name(format);
      continue;
    }
    ASSERT_FALSE(markup) << Name(format);
    EXPECT_EQ(markup.error.kind, FadeError::Kind::kWaveRefused);
    EXPECT_NE(markup.error.message.find("the " + Name(format) + " format"), std::string::npos)
        << markup.error.message;
    EXPECT_FALSE(FitToLimit({kRedToBlue, u"abc", format, {}, true, 100}));
  }
}

TEST(MarkupFormatsTest, GameFormatsRefuseTheSectionSignAndControlsByPosition) {
  for (const MarkupFormat format : {MarkupFormat::kMiniMessage, MarkupFormat::kMcHex,
                                    MarkupFormat::kMcX, MarkupFormat::kMcSection}) {
    const auto section = FormatFade({kRedToBlue, u"\U0001F600b\u00A7a", format});
    ASSERT_FALSE(section) << Name(format);
    EXPECT_EQ(section.error.kind, FadeError::Kind::kTextRefused);
    EXPECT_NE(section.error.message.find("(character 3)"), std::string::npos)
        << section.error.message;
    const auto newline = FormatFadeUtf8({kRedToBlue, u"ab\n", format});
    ASSERT_FALSE(newline) << Name(format);
    EXPECT_NE(newline.error.message.find("U+000A (character 3)"), std::string::npos)
        << newline.error.message;
  }
  EXPECT_TRUE(FormatFade({kRedToBlue, u"\u00A7\n", MarkupFormat::kHtml}));
  EXPECT_TRUE(FormatFade({kRedToBlue, u"\u00A7\n", MarkupFormat::kAnsi}));
}

TEST(MarkupFormatsTest, RefusesAColorCountOutsideTwoToTen) {
  const std::array<int32_t, 11> eleven{};
  for (const std::span<const int32_t> colors :
       {std::span<const int32_t>(kRedToBlue).first(1), std::span<const int32_t>(eleven)}) {
    const auto markup = FormatFade({colors, u"abc", MarkupFormat::kHtml});
    ASSERT_FALSE(markup);
    EXPECT_EQ(markup.error.kind, FadeError::Kind::kColorCount);
  }
}

TEST(MarkupFormatsTest, EmptyTextGivesNothingButTheAolPrefix) {
  for (const MarkupFormat format : AllFormats()) {
    const TextStyles styles{true, true, true, true};
    const std::u16string expected = format == MarkupFormat::kAol ? u"<b><i><u><s>" : u"";
    EXPECT_EQ(Format({kRedToBlue, u"", format, styles}), expected) << Name(format);
    EXPECT_EQ(FitToLimit({kRedToBlue, u"", format, styles}).value->length, expected.size());
  }
}

// The length of every group size as written, against FitToLimit's choice.
std::vector<std::size_t> WrittenLengths(FadeRequest request, std::size_t characters) {
  std::vector<std::size_t> lengths(characters + 1);
  for (std::size_t k = 1; k <= characters; ++k) {
    request.groupSize = k;
    request.maxLength = 0;
    lengths[k] = CountCharacters(Format(request));
  }
  return lengths;
}

TEST(MarkupFormatsTest, FitTakesTheSmallestGroupThatFitsAtEveryLimit) {
  const std::u16string text = u"Forty characters & [more] for a chat \U0001F600!";
  const std::size_t characters = CountCharacters(text);
  for (const MarkupFormat format : AllFormats()) {
    FadeRequest request{kTenStops, text, format, {.bold = true}};
    std::vector<std::size_t> lengths = WrittenLengths(request, characters);
    // aol writes its own markup (a tag before every character) when that fits; under a limit it
    // does not meet, each character in its own colour again, in runs.
    FadeRequest ones = request;
    ones.groupSize = 1;
    ones.maxLength = 1;
    const std::size_t aolOwn = lengths[1];
    const std::size_t onesInRuns = CountCharacters(Format(ones));
    for (std::size_t limit = lengths[characters] - 1; limit <= aolOwn + 1; ++limit) {
      request.maxLength = limit;
      if (format == MarkupFormat::kAol) lengths[1] = limit >= aolOwn ? aolOwn : onesInRuns;
      const auto fit = FitToLimit(request);
      if (limit < lengths[characters]) {
        ASSERT_FALSE(fit) << Name(format) << " limit " << limit;
        EXPECT_EQ(fit.error.kind, FadeError::Kind::kTooLong);
        EXPECT_EQ(fit.error.overshoot, lengths[characters] - limit);
        continue;
      }
      ASSERT_TRUE(fit) << Name(format) << " limit " << limit;
      const std::size_t k = fit.value->groupSize;
      ASSERT_LE(lengths[k], limit) << Name(format);
      EXPECT_EQ(fit.value->length, lengths[k]) << Name(format);
      for (std::size_t smaller = 1; smaller < k; ++smaller) {
        ASSERT_GT(lengths[smaller], limit) << Name(format) << " k " << k << " limit " << limit;
      }
      const std::u16string markup = Format(request);
      EXPECT_EQ(CountCharacters(markup), lengths[k]);
      EXPECT_EQ(CheckMarkup(request, k, markup), "") << Name(format) << " k " << k;
    }
  }
}

// A group of two never splits a surrogate pair, and every character of group j has the colour
// of position j of a fade over as many characters as there are groups.
TEST(MarkupFormatsTest, GroupsCountAnEmojiAsOneCharacter) {
  const FadeRequest request{
      kRedToBlue, u"a\U0001F600bc\U0001F600", MarkupFormat::kHtml, {}, false, 0, 2};
  EXPECT_EQ(Utf8(request),
            "<span style=\"color:#AA0055\">a\xF0\x9F\x98\x80</span>"
            "<span style=\"color:#5500AA\">bc</span>"
            "<span style=\"color:#0000FF\">\xF0\x9F\x98\x80</span>");
  EXPECT_EQ(FitToLimit(request).value->length, 3 * 35 + 5);
}

TEST(MarkupFormatsTest, TooLongSaysByHowMuchInOneColor) {
  // "Hello" in aol: five characters behind one tag and a bold prefix, 28 characters at best.
  const auto fit =
      FitToLimit({kRedToBlue, u"Hello", MarkupFormat::kAol, {.bold = true}, false, 27});
  ASSERT_FALSE(fit);
  EXPECT_EQ(fit.error.overshoot, 1u);
  EXPECT_EQ(fit.error.message,
            "the line takes 28 characters even in one colour, 1 more than the limit of 27");
  EXPECT_EQ(Format({kRedToBlue, u"Hello", MarkupFormat::kAol, {.bold = true}, false, 28}),
            u"<b><Font Color=#0000FF>Hello");
  const auto hello = FitToLimit({kRedToBlue, u"Hello", MarkupFormat::kAol, {}, false, 60});
  EXPECT_EQ(hello.value->groupSize, 3u);
  EXPECT_EQ(hello.value->length, 45u);
  // Neighbours of one colour share a tag before any character gives up its own colour.
  const std::array<int32_t, 2> dark{0, 0x030303};
  const FadeRequest twenty{dark, u"aaaaaaaaaaaaaaaaaaaa", MarkupFormat::kAol, {}, false, 300};
  EXPECT_EQ(FitToLimit(twenty).value->groupSize, 1u);
  EXPECT_EQ(Format(twenty), u"<Font Color=#000000>aaa<Font Color=#010101>aaaaaa"
                            u"<Font Color=#020202>aaaaaaa<Font Color=#030303>aaaa");
  // A limit the plain markup meets changes nothing.
  const FadeRequest plain{kRedToBlue, u"Hello", MarkupFormat::kAol};
  FadeRequest roomy = plain;
  roomy.maxLength = FitToLimit(plain).value->length;
  EXPECT_EQ(Format(roomy), Format(plain));
}

}  // namespace
}  // namespace qf

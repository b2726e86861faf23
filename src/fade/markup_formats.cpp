#include "fade/markup_formats.h"

#include <algorithm>
#include <array>
#include <limits>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/utf.h"
#include "fade/color.h"
#include "fade/entry_points.h"
#include "fade/generator.h"

namespace qf {

namespace {

constexpr MarkupFormatInfo kFormats[] = {
    {MarkupFormat::kAol, "aol", true,
     "the chat client's <Font Color=#RRGGBB> tags, as the desktop sends them: its chat rooms"},
    {MarkupFormat::kHtml, "html", true,
     "<span style=\"color:#RRGGBB\">: web pages, e-mail, forums and profiles that take HTML"},
    {MarkupFormat::kBbcode, "bbcode", false,
     "[color=#RRGGBB]: forum posts and signatures (phpBB, vBulletin, XenForo, SMF)"},
    {MarkupFormat::kMiniMessage, "minimessage", false,
     "<#RRGGBB>: Minecraft servers' MiniMessage text (Paper and Velocity plugins, their configs)"},
    {MarkupFormat::kMcHex, "mc-hex", false,
     "&#RRGGBB: Minecraft chat and plugin configs on servers with hex colour codes"},
    {MarkupFormat::kMcX, "mc-x", false,
     "&x&R&R&G&G&B&B: Minecraft chat and plugin configs in the Spigot/Essentials hex form"},
    {MarkupFormat::kMcSection, "mc-section", false,
     "\xC2\xA7x\xC2\xA7R...: Minecraft text read without translation (MOTD, books, server files)"},
    {MarkupFormat::kAnsi, "ansi", false,
     "ESC[38;2;R;G;Bm: terminals with 24-bit colour (shell prompts, scripts, login messages)"},
};

constexpr char32_t kReplacement = 0xFFFD;
constexpr uint32_t kNoColour = std::numeric_limits<uint32_t>::max();

// ---- The characters of the text.

// The text's characters: a surrogate pair as its code point, a lone surrogate as its unit
// (0xD800..0xDFFF, so aol can keep it in UTF-16).
std::vector<char32_t> Characters(std::u16string_view text) {
  std::vector<char32_t> chars;
  chars.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = CharLengthAt(text, at);
    if (length == 2) {
      chars.push_back(0x10000 + ((char32_t{text[at]} - 0xD800) << 10) + (text[at + 1] - 0xDC00));
    } else {
      chars.push_back(text[at]);
    }
    at += length;
  }
  return chars;
}

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Unicode's space separators (category Zs): a space's colour cannot be seen unless it is
// underlined or struck through.
bool IsSpace(char32_t c) {
  return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
         c == 0x205F || c == 0x3000;
}

bool IsGameFormat(MarkupFormat format) {
  return format == MarkupFormat::kMiniMessage || format == MarkupFormat::kMcHex ||
         format == MarkupFormat::kMcX || format == MarkupFormat::kMcSection;
}

// The characters after "&" that the '&' colour code servers read as a code.
bool IsAmpersandCode(char32_t c) {
  if (c >= '0' && c <= '9') return true;
  const char32_t lower = c | 0x20;
  return (lower >= 'a' && lower <= 'f') || (lower >= 'k' && lower <= 'o') || lower == 'r' ||
         lower == 'x' || c == '#';
}

// Whether the character at `i` must have a colour code right before it, run or not: in the
// '&' formats, after an "&" it would otherwise make a code of (the code makes the "&" stand
// before "&", which is no code, and changes nothing else).
bool NeedsCodeBefore(MarkupFormat format, const std::vector<char32_t>& chars, std::size_t i) {
  return (format == MarkupFormat::kMcHex || format == MarkupFormat::kMcX) && i > 0 &&
         chars[i - 1] == '&' && IsAmpersandCode(chars[i]);
}

// What a format shows in place of a character it cannot write as it is (the character itself
// when it can). The game formats' refused characters never get here.
char32_t Shown(MarkupFormat format, char32_t c) {
  if (format == MarkupFormat::kAol) return c;
  if (IsSurrogate(c)) return kReplacement;
  if (format == MarkupFormat::kAnsi) {
    if (c < 0x20) return 0x2400 + c;  // the control pictures: U+241B for ESC
    if (c == 0x7F) return 0x2421;
    if (c >= 0x80 && c <= 0x9F) return kReplacement;
  } else if (format == MarkupFormat::kHtml || format == MarkupFormat::kBbcode) {
    if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || (c >= 0x7F && c <= 0x9F)) {
      return kReplacement;
    }
  }
  return c;
}

// The escape a format writes for a character, or empty when it writes the character.
std::u16string_view EscapeOf(MarkupFormat format, char32_t c) {
  switch (format) {
    case MarkupFormat::kHtml:
      switch (c) {
        case '&':
          return u"&amp;";
        case '<':
          return u"&lt;";
        case '>':
          return u"&gt;";
        case '"':
          return u"&quot;";
        case '\'':
          return u"&#39;";
        default:
          return {};
      }
    case MarkupFormat::kBbcode:
      return c == '[' ? u"[\u200B" : std::u16string_view{};
    case MarkupFormat::kMiniMessage:
      if (c == '<') return u"\\<";
      if (c == '\\') return u"\\\\";
      return {};
    default:
      return {};
  }
}

// The number of characters a character of the text takes in the markup (without wave tags).
std::size_t CharacterLength(MarkupFormat format, char32_t c) {
  const std::u16string_view escape = EscapeOf(format, c);
  return escape.empty() ? 1 : escape.size();  // every escape is within the BMP
}

// ---- The pieces around the characters.

constexpr char kHexDigits[] = "0123456789ABCDEF";

int StyleCount(const TextStyles& s) { return s.bold + s.italic + s.underline + s.strike; }

int DecimalDigits(uint32_t channel) { return channel >= 100 ? 3 : channel >= 10 ? 2 : 1; }

// Characters of one colour code, and of what closes its run (html, bbcode).
std::size_t CodeLength(MarkupFormat format, const TextStyles& styles, uint32_t colour) {
  const auto styleCodes = static_cast<std::size_t>(2 * StyleCount(styles));
  switch (format) {
    case MarkupFormat::kAol:
      return 20;  // <Font Color=#RRGGBB>
    case MarkupFormat::kHtml:
      return 28 + 7;  // <span style="color:#RRGGBB"> </span>
    case MarkupFormat::kBbcode:
      return 15 + 8;  // [color=#RRGGBB] [/color]
    case MarkupFormat::kMiniMessage:
      return 9;  // <#RRGGBB>
    case MarkupFormat::kMcHex:
      return 8 + styleCodes;  // &#RRGGBB
    case MarkupFormat::kMcX:
    case MarkupFormat::kMcSection:
      return 14 + styleCodes;  // &x&R&R&G&G&B&B
    case MarkupFormat::kAnsi:
      // ESC [ 3 8 ; 2 ; R ; G ; B m
      return 10 + static_cast<std::size_t>(DecimalDigits(colour >> 16) +
                                           DecimalDigits(colour >> 8 & 0xFF) +
                                           DecimalDigits(colour & 0xFF));
  }
  return 0;
}

// What stands before the first character and after the last (a non-empty text).
struct LineEnds {
  std::u16string open;
  std::u16string close;
};

LineEnds LineEndsOf(MarkupFormat format, const TextStyles& s) {
  LineEnds ends;
  switch (format) {
    case MarkupFormat::kAol:
      ends.open = AolStylePrefix(s);
      break;
    case MarkupFormat::kHtml:
      ends.open = AolStylePrefix(s);
      if (s.strike) ends.close += u"</s>";
      if (s.underline) ends.close += u"</u>";
      if (s.italic) ends.close += u"</i>";
      if (s.bold) ends.close += u"</b>";
      break;
    case MarkupFormat::kBbcode:
      if (s.bold) ends.open += u"[b]";
      if (s.italic) ends.open += u"[i]";
      if (s.underline) ends.open += u"[u]";
      if (s.strike) ends.open += u"[s]";
      if (s.strike) ends.close += u"[/s]";
      if (s.underline) ends.close += u"[/u]";
      if (s.italic) ends.close += u"[/i]";
      if (s.bold) ends.close += u"[/b]";
      break;
    case MarkupFormat::kMiniMessage:
      if (s.bold) ends.open += u"<b>";
      if (s.italic) ends.open += u"<i>";
      if (s.underline) ends.open += u"<u>";
      if (s.strike) ends.open += u"<st>";
      break;
    case MarkupFormat::kAnsi: {
      std::u16string codes;
      for (const auto& [on, code] : {std::pair{s.bold, u"1"}, std::pair{s.italic, u"3"},
                                     std::pair{s.underline, u"4"}, std::pair{s.strike, u"9"}}) {
        if (!on) continue;
        codes += codes.empty() ? u"" : u";";
        codes += code;
      }
      if (!codes.empty()) ends.open = u"\x1B[" + codes + u"m";
      ends.close = u"\x1B[0m";
      break;
    }
    case MarkupFormat::kMcHex:
    case MarkupFormat::kMcX:
    case MarkupFormat::kMcSection:
      break;  // the styles follow every colour code
  }
  return ends;
}

// The wave of character `i`: the chat client's tag before it (aol), or the pair around it
// (html: raised and lowered ones only). The same four-step cycle as the engine's.
constexpr std::u16string_view kAolWave[4] = {u"<sup>", u"</sup>", u"<sub>", u"</sub>"};
constexpr std::u16string_view kHtmlWaveOpen[4] = {u"<sup>", u"", u"<sub>", u""};
constexpr std::u16string_view kHtmlWaveClose[4] = {u"</sup>", u"", u"</sub>", u""};

std::size_t WaveLength(MarkupFormat format, std::size_t i) {
  if (format == MarkupFormat::kAol) return kAolWave[i & 3].size();
  return kHtmlWaveOpen[i & 3].size() + kHtmlWaveClose[i & 3].size();
}

// ---- Writing, in UTF-16 or UTF-8.

struct Utf16Out {
  std::u16string text;
  void Put(std::u16string_view units) { text += units; }
  void Put(char16_t unit) { text += unit; }
  // A character: a lone surrogate (aol only) stays as it is.
  void PutCharacter(char32_t c) {
    if (c < 0x10000) {
      text += static_cast<char16_t>(c);
    } else {
      text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
  }
};

struct Utf8Out {
  std::string text;
  void Put(std::u16string_view units) {
    for (const char16_t unit : units) PutCharacter(unit);
  }
  void Put(char16_t unit) { PutCharacter(unit); }
  // A character: a lone surrogate becomes U+FFFD, as Utf16ToUtf8 writes it.
  void PutCharacter(char32_t c) {
    if (c < 0x80) {
      text += static_cast<char>(c);
      return;
    }
    if (IsSurrogate(c)) c = kReplacement;
    char bytes[4];
    std::size_t n;
    if (c < 0x800) {
      bytes[0] = static_cast<char>(0xC0 | (c >> 6));
      n = 2;
    } else if (c < 0x10000) {
      bytes[0] = static_cast<char>(0xE0 | (c >> 12));
      n = 3;
    } else {
      bytes[0] = static_cast<char>(0xF0 | (c >> 18));
      n = 4;
    }
    for (std::size_t k = 1; k < n; ++k) {
      bytes[k] = static_cast<char>(0x80 | ((c >> (6 * (n - 1 - k))) & 0x3F));
    }
    text.append(bytes, n);
  }
};

// The six hex digits RRGGBB of a colour; with `marker` (the '&' and '§' formats' x form) each
// digit gets the marker in front.
template <typename Out>
void PutHex(Out& out, uint32_t colour, char16_t marker = 0) {
  for (int shift = 20; shift >= 0; shift -= 4) {
    if (marker != 0) out.Put(marker);
    out.Put(static_cast<char16_t>(kHexDigits[(colour >> shift) & 0xF]));
  }
}

template <typename Out>
void PutDecimal(Out& out, uint32_t value) {
  if (value >= 100) out.Put(static_cast<char16_t>(u'0' + value / 100));
  if (value >= 10) out.Put(static_cast<char16_t>(u'0' + value / 10 % 10));
  out.Put(static_cast<char16_t>(u'0' + value % 10));
}

// The styles of the game formats, written after every colour code.
template <typename Out>
void PutGameStyles(Out& out, const TextStyles& s, char16_t marker) {
  const std::pair<bool, char16_t> codes[] = {
      {s.bold, u'l'}, {s.italic, u'o'}, {s.underline, u'n'}, {s.strike, u'm'}};
  for (const auto& [on, code] : codes) {
    if (!on) continue;
    out.Put(marker);
    out.Put(code);
  }
}

// One colour code; `open` says whether a run is open before it (html and bbcode close it).
template <typename Out>
void PutCode(Out& out, MarkupFormat format, const TextStyles& styles, uint32_t colour, bool open) {
  switch (format) {
    case MarkupFormat::kAol:
      out.Put(u"<Font Color=#");
      PutHex(out, colour);
      out.Put(u'>');
      break;
    case MarkupFormat::kHtml:
      if (open) out.Put(u"</span>");
      out.Put(u"<span style=\"color:#");
      PutHex(out, colour);
      out.Put(u"\">");
      break;
    case MarkupFormat::kBbcode:
      if (open) out.Put(u"[/color]");
      out.Put(u"[color=#");
      PutHex(out, colour);
      out.Put(u']');
      break;
    case MarkupFormat::kMiniMessage:
      out.Put(u"<#");
      PutHex(out, colour);
      out.Put(u'>');
      break;
    case MarkupFormat::kMcHex:
      out.Put(u"&#");
      PutHex(out, colour);
      PutGameStyles(out, styles, u'&');
      break;
    case MarkupFormat::kMcX:
      out.Put(u"&x");
      PutHex(out, colour, u'&');
      PutGameStyles(out, styles, u'&');
      break;
    case MarkupFormat::kMcSection:
      out.Put(u"\u00A7x");
      PutHex(out, colour, u'\u00A7');
      PutGameStyles(out, styles, u'\u00A7');
      break;
    case MarkupFormat::kAnsi:
      out.Put(u"\x1B[38;2;");
      PutDecimal(out, colour >> 16);
      out.Put(u';');
      PutDecimal(out, colour >> 8 & 0xFF);
      out.Put(u';');
      PutDecimal(out, colour & 0xFF);
      out.Put(u'm');
      break;
  }
}

// What every writer and the measure share about one request.
struct Job {
  MarkupFormat format;
  TextStyles styles;
  bool wave;
  bool joinSpaces;  // a space joins the run before it (no underline, no strike)
  std::vector<char32_t> chars;
  std::array<Channels, kMaxFadeStops> stops;
  std::size_t stopCount;
  LineEnds ends;
};

// The colours of the first `groups` positions of the job's fade.
std::vector<uint32_t> GroupColours(const Job& job, std::size_t groups) {
  std::vector<uint32_t> colours(groups);
  FadeColoursInto(std::span(job.stops).first(job.stopCount), colours);
  return colours;
}

// Writes the runs of the job in groups of `groupSize` characters. A character opens a run when
// its colour differs from the run's, unless it is a space that may join it; and it gets a code
// in any case when the format needs one before it (NeedsCodeBefore).
template <typename Out>
void WriteRuns(const Job& job, std::size_t groupSize, Out& out) {
  const std::vector<char32_t>& chars = job.chars;
  if (chars.empty()) {
    if (job.format == MarkupFormat::kAol) out.Put(job.ends.open);
    return;
  }
  const std::size_t groups = (chars.size() + groupSize - 1) / groupSize;
  const std::vector<uint32_t> colours = GroupColours(job, groups);
  out.Put(job.ends.open);
  uint32_t current = kNoColour;
  std::size_t group = 0;
  std::size_t leftInGroup = groupSize;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (leftInGroup == 0) {
      ++group;
      leftInGroup = groupSize;
    }
    --leftInGroup;
    const char32_t c = chars[i];
    const uint32_t colour = colours[group];
    const bool joins = job.joinSpaces && current != kNoColour && IsSpace(c);
    if ((colour != current && !joins) || NeedsCodeBefore(job.format, chars, i)) {
      PutCode(out, job.format, job.styles, colour, current != kNoColour);
      current = colour;
    }
    if (job.wave) {
      out.Put(job.format == MarkupFormat::kAol ? kAolWave[i & 3] : kHtmlWaveOpen[i & 3]);
    }
    const std::u16string_view escape = EscapeOf(job.format, c);
    if (escape.empty()) {
      out.PutCharacter(Shown(job.format, c));
    } else {
      out.Put(escape);
    }
    if (job.wave && job.format == MarkupFormat::kHtml) out.Put(kHtmlWaveClose[i & 3]);
  }
  if (job.format == MarkupFormat::kHtml) out.Put(u"</span>");
  if (job.format == MarkupFormat::kBbcode) out.Put(u"[/color]");
  out.Put(job.ends.close);
}

// ---- Measuring: the length of the markup for a group size, without writing it.

class Measure {
 public:
  explicit Measure(const Job& job) : job_(job) {
    const std::vector<char32_t>& chars = job.chars;
    // Empty text: nothing, but for the aol style prefix (the desktop sends the prefix alone).
    if (!chars.empty()) {
      fixed_ = job.ends.open.size() + job.ends.close.size();
    } else if (job.format == MarkupFormat::kAol) {
      fixed_ = job.ends.open.size();
    }
    bool anyForced = false;
    for (std::size_t i = 0; i < chars.size(); ++i) {
      fixed_ += CharacterLength(job.format, chars[i]);
      if (job.wave) fixed_ += WaveLength(job.format, i);
      anyForced = anyForced || NeedsCodeBefore(job.format, chars, i);
    }
    if (job.joinSpaces) {
      spacesBefore_.assign(chars.size() + 1, 0);
      for (std::size_t i = 0; i < chars.size(); ++i) {
        spacesBefore_[i + 1] = spacesBefore_[i] + (IsSpace(chars[i]) ? 1 : 0);
      }
    }
    if (anyForced) {
      forcedBefore_.assign(chars.size() + 1, 0);
      for (std::size_t i = 0; i < chars.size(); ++i) {
        forcedBefore_[i + 1] = forcedBefore_[i] + (NeedsCodeBefore(job.format, chars, i) ? 1 : 0);
      }
    }
  }

  // The markup's length in characters with groups of `groupSize`: what WriteRuns writes, or,
  // for aol with groups of one, the engine's markup (a tag before every character).
  std::size_t Length(std::size_t groupSize) const {
    const std::size_t length = job_.chars.size();
    if (length == 0) return fixed_;
    if (job_.format == MarkupFormat::kAol && groupSize == 1) {
      return fixed_ + length * CodeLength(MarkupFormat::kAol, job_.styles, 0);
    }
    // Group by group, as WriteRuns goes character by character: within a group every
    // character has the group's colour, so the run's code comes at the group's first
    // character that opens one (its first, or with spaces joining, its first non-space),
    // and after that only where the format needs a code before a character.
    const std::size_t groups = (length + groupSize - 1) / groupSize;
    const std::vector<uint32_t> colours = GroupColours(job_, groups);
    std::size_t total = fixed_;
    uint32_t current = kNoColour;
    for (std::size_t g = 0; g < groups; ++g) {
      const std::size_t begin = g * groupSize;
      const std::size_t end = std::min(begin + groupSize, length);
      const uint32_t colour = colours[g];
      const std::size_t forced =
          forcedBefore_.empty() ? 0 : forcedBefore_[end] - forcedBefore_[begin];
      std::size_t codes = forced;
      if (colour != current) {
        std::size_t opener = begin;
        if (job_.joinSpaces && current != kNoColour) {
          if (spacesBefore_[end] - spacesBefore_[begin] == end - begin) {
            opener = end;  // all spaces: they join the run before
          } else {
            while (IsSpace(job_.chars[opener])) ++opener;
          }
        }
        // The opener's code, unless it is one of the forced ones already counted.
        if (opener < end && !(forced > 0 && NeedsCodeBefore(job_.format, job_.chars, opener))) {
          ++codes;
        }
        if (opener < end) current = colour;
      }
      if (codes > 0) current = colour;
      total += codes * CodeLength(job_.format, job_.styles, colour);
    }
    return total;
  }

 private:
  const Job& job_;
  std::size_t fixed_ = 0;
  std::vector<uint32_t> spacesBefore_;  // the spaces among the first i characters
  std::vector<uint32_t> forcedBefore_;  // the characters needing a code among the first i
};

// ---- Checking a request.

FadeError Refusal(FadeError::Kind kind, std::string message, std::size_t overshoot = 0) {
  return FadeError{kind, std::move(message), overshoot};
}

std::string CodePointName(char32_t c) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string name = "U+";
  for (int shift = c > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4)
    name += kDigits[(c >> shift) & 0xF];
  return name;
}

// The job of a request, or why there is none.
FadeResult<Job> MakeJob(const FadeRequest& request) {
  const std::string name(FormatInfo(request.format).name);
  const std::size_t count = request.colours.size();
  if (count < kMinFadeStops || count > kMaxFadeStops) {
    return {std::nullopt,
            Refusal(FadeError::Kind::kColourCount,
                    "a fade needs 2 to 10 colours; " + std::to_string(count) + " given")};
  }
  if (request.wavy && !FormatInfo(request.format).wave) {
    return {std::nullopt,
            Refusal(FadeError::Kind::kWaveRefused,
                    "the " + name + " format has no raised or lowered text, so it cannot be wavy")};
  }
  Job job;
  job.format = request.format;
  job.styles = request.styles;
  job.wave = request.wavy;
  job.joinSpaces = !request.styles.underline && !request.styles.strike;
  job.chars = Characters(request.text);
  job.stopCount = count;
  for (std::size_t j = 0; j < count; ++j) job.stops[j] = SplitColor(request.colours[j]);
  job.ends = LineEndsOf(request.format, request.styles);
  if (IsGameFormat(request.format)) {
    for (std::size_t i = 0; i < job.chars.size(); ++i) {
      const char32_t c = job.chars[i];
      const std::string where = " (character " + std::to_string(i + 1) + ")";
      if (c == 0xA7) {
        return {std::nullopt,
                Refusal(FadeError::Kind::kTextRefused,
                        "the " + name + " format cannot carry \"\xC2\xA7\"" + where +
                            ": the game reads it as the start of a code, and nothing escapes it")};
      }
      if (c < 0x20 || c == 0x7F) {
        return {std::nullopt,
                Refusal(FadeError::Kind::kTextRefused,
                        "the " + name + " format cannot carry the control character " +
                            CodePointName(c) + where + ": the game's chat refuses it")};
      }
    }
  }
  return {std::move(job), {}};
}

FadeResult<FadeFit> FitJob(const Job& job, std::size_t maxLength) {
  const Measure measure(job);
  const std::size_t length = job.chars.size();
  const std::size_t plain = measure.Length(1);
  if (maxLength == 0 || plain <= maxLength) return {FadeFit{1, plain}, {}};
  // One group for the whole line: the shortest markup there is.
  const std::size_t groupSize = std::max<std::size_t>(length, 1);
  const std::size_t shortest = measure.Length(groupSize);
  if (shortest > maxLength) {
    const std::size_t over = shortest - maxLength;
    return {std::nullopt, Refusal(FadeError::Kind::kTooLong,
                                  "the line takes " + std::to_string(shortest) +
                                      " characters even in one colour, " + std::to_string(over) +
                                      " more than the limit of " + std::to_string(maxLength),
                                  over)};
  }
  // The length need not fall steadily as the groups grow (the colours of neighbouring groups
  // may or may not match), so every size is tried in turn; each try costs one step per group.
  for (std::size_t k = 2; k < groupSize; ++k) {
    const std::size_t fitted = measure.Length(k);
    if (fitted <= maxLength) return {FadeFit{k, fitted}, {}};
  }
  return {FadeFit{groupSize, shortest}, {}};
}

// The job's markup with groups of `groupSize`; aol with groups of one is the engine's own
// markup, as the desktop sends it.
template <typename Out>
void WriteJob(const Job& job, std::size_t groupSize, std::u16string_view text, Out& out) {
  if (job.format != MarkupFormat::kAol || groupSize != 1) {
    WriteRuns(job, groupSize, out);
    return;
  }
  const auto stops = std::span(job.stops).first(job.stopCount);
  const int16_t wavy = job.wave ? -1 : 0;
  if constexpr (std::is_same_v<Out, Utf16Out>) {
    out.text = job.ends.open + FadeStops(stops, text, wavy);
  } else {
    out.text = Utf16ToUtf8(job.ends.open) + FadeStopsUtf8(stops, text, wavy);
  }
}

template <typename Out, typename String>
FadeResult<String> Format(const FadeRequest& request) {
  FadeResult<Job> job = MakeJob(request);
  if (!job) return {std::nullopt, std::move(job.error)};
  const FadeResult<FadeFit> fit = FitJob(*job.value, request.maxLength);
  if (!fit) return {std::nullopt, fit.error};
  Out out;
  WriteJob(*job.value, fit.value->groupSize, request.text, out);
  return {std::move(out.text), {}};
}

}  // namespace

std::span<const MarkupFormatInfo> MarkupFormats() { return kFormats; }

const MarkupFormatInfo& FormatInfo(MarkupFormat format) {
  for (const MarkupFormatInfo& info : kFormats) {
    if (info.format == format) return info;
  }
  return kFormats[0];
}

std::optional<MarkupFormat> FindMarkupFormat(std::string_view name) {
  for (const MarkupFormatInfo& info : kFormats) {
    if (info.name == name) return info.format;
  }
  return std::nullopt;
}

std::u16string AolStylePrefix(const TextStyles& styles) {
  std::u16string prefix;
  if (styles.bold) prefix += u"<b>";
  if (styles.italic) prefix += u"<i>";
  if (styles.underline) prefix += u"<u>";
  if (styles.strike) prefix += u"<s>";
  return prefix;
}

FadeResult<FadeFit> FitToLimit(const FadeRequest& request) {
  const FadeResult<Job> job = MakeJob(request);
  if (!job) return {std::nullopt, job.error};
  return FitJob(*job.value, request.maxLength);
}

FadeResult<std::u16string> FormatFade(const FadeRequest& request) {
  return Format<Utf16Out, std::u16string>(request);
}

FadeResult<std::string> FormatFadeUtf8(const FadeRequest& request) {
  return Format<Utf8Out, std::string>(request);
}

}  // namespace qf

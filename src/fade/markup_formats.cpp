#include "fade/markup_formats.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

#include "core/utf.h"
#include "core/vector.h"
#include "fade/color.h"
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
constexpr uint32_t kNoColor = std::numeric_limits<uint32_t>::max();

// ---- The characters of the text.

// Reads UTF-16 text a character at a time: a surrogate pair as its code point, a lone
// surrogate as its unit (0xD800..0xDFFF, so aol can keep it in UTF-16).
struct CharacterReader {
  const char16_t* at;
  const char16_t* end;
  [[gnu::always_inline]] char32_t Next() {
    char32_t c = *at++;
    if (IsHighSurrogate(static_cast<char16_t>(c)) && at < end && IsLowSurrogate(*at)) {
      c = 0x10000 + ((c - 0xD800) << 10) + (*at++ - 0xDC00);
    }
    return c;
  }
};

// The number of surrogate pairs in `text` (each is one character of two units); most text has
// no surrogate at all, which is found eight units at a time.
std::size_t SurrogatePairs(std::u16string_view text) {
  if (!AnyUnit(text, [](auto unit) { return (unit & 0xF800) == 0xD800; })) return 0;
  std::size_t pairs = 0;
  for (std::size_t k = 1; k < text.size(); ++k) {
    pairs +=
        static_cast<std::size_t>((text[k - 1] & 0xFC00) == 0xD800 && (text[k] & 0xFC00) == 0xDC00);
  }
  return pairs;
}

// Whether `text` holds a character the game formats refuse: a control character or "§".
bool HoldsGameRefused(std::u16string_view text) {
  return AnyUnit(text, [](auto unit) { return (unit < 0x20) | (unit == 0x7F) | (unit == 0xA7); });
}

// All of the text's characters, as CharacterReader reads them.
std::vector<char32_t> Characters(std::u16string_view text) {
  std::vector<char32_t> chars;
  chars.reserve(text.size());
  CharacterReader reader{text.data(), text.data() + text.size()};
  while (reader.at < reader.end) chars.push_back(reader.Next());
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

// Whether a character must have a colour code right before it, run or not: in the '&'
// formats, after an "&" it would otherwise make a code of (the code makes the "&" stand before
// "&", which is no code, and changes nothing else).
[[gnu::always_inline]] inline bool NeedsCodeBefore(MarkupFormat format, char32_t previous,
                                                   char32_t c) {
  return (format == MarkupFormat::kMcHex || format == MarkupFormat::kMcX) && previous == '&' &&
         IsAmpersandCode(c);
}

// NeedsCodeBefore for character `i` of `chars`.
bool NeedsCodeBeforeAt(MarkupFormat format, const std::vector<char32_t>& chars, std::size_t i) {
  return i > 0 && NeedsCodeBefore(format, chars[i - 1], chars[i]);
}

// What a format shows in place of a character it cannot write as it is (the character itself
// when it can). The game formats' refused characters never get here.
[[gnu::always_inline]] inline char32_t Shown(MarkupFormat format, char32_t c) {
  if (format == MarkupFormat::kAol) return c;
  if (c >= 0x20 && c < 0x7F) return c;
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

// The escape a format writes for a character, or empty when it writes the character (as
// Shown gives it). Escapes are ASCII; bbcode's "[" is written as itself and a zero width space.
[[gnu::always_inline]] inline std::string_view EscapeOf(MarkupFormat format, char32_t c) {
  if (c > '\\') return {};
  switch (format) {
    case MarkupFormat::kHtml:
      switch (c) {
        case '&':
          return "&amp;";
        case '<':
          return "&lt;";
        case '>':
          return "&gt;";
        case '"':
          return "&quot;";
        case '\'':
          return "&#39;";
        default:
          return {};
      }
    case MarkupFormat::kMiniMessage:
      if (c == '<') return "\\<";
      if (c == '\\') return "\\\\";
      return {};
    default:
      return {};
  }
}

constexpr char32_t kZeroWidthSpace = 0x200B;

// The number of characters a character of the text takes in the markup (without wave tags).
std::size_t CharacterLength(MarkupFormat format, char32_t c) {
  if (format == MarkupFormat::kBbcode && c == '[') return 2;
  const std::string_view escape = EscapeOf(format, c);
  return escape.empty() ? 1 : escape.size();
}

// ---- The pieces around the characters.

constexpr char kHexDigits[] = "0123456789ABCDEF";

int StyleCount(const TextStyles& s) { return s.bold + s.italic + s.underline + s.strike; }

int DecimalDigits(uint32_t channel) { return channel >= 100 ? 3 : channel >= 10 ? 2 : 1; }

// Characters of one colour code, and of what closes its run (html, bbcode).
std::size_t CodeLength(MarkupFormat format, const TextStyles& styles, uint32_t color) {
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
      return 10 + static_cast<std::size_t>(DecimalDigits(color >> 16) +
                                           DecimalDigits(color >> 8 & 0xFF) +
                                           DecimalDigits(color & 0xFF));
  }
  return 0;
}

// What stands before the first character and after the last (a non-empty text); ASCII.
struct LineEnds {
  std::string open;
  std::string close;
};

LineEnds LineEndsOf(MarkupFormat format, const TextStyles& s) {
  LineEnds ends;
  switch (format) {
    case MarkupFormat::kAol:
      ends.open = Utf16ToUtf8(AolStylePrefix(s));
      break;
    case MarkupFormat::kHtml:
      ends.open = Utf16ToUtf8(AolStylePrefix(s));
      if (s.strike) ends.close += "</s>";
      if (s.underline) ends.close += "</u>";
      if (s.italic) ends.close += "</i>";
      if (s.bold) ends.close += "</b>";
      break;
    case MarkupFormat::kBbcode:
      if (s.bold) ends.open += "[b]";
      if (s.italic) ends.open += "[i]";
      if (s.underline) ends.open += "[u]";
      if (s.strike) ends.open += "[s]";
      if (s.strike) ends.close += "[/s]";
      if (s.underline) ends.close += "[/u]";
      if (s.italic) ends.close += "[/i]";
      if (s.bold) ends.close += "[/b]";
      break;
    case MarkupFormat::kMiniMessage:
      if (s.bold) ends.open += "<b>";
      if (s.italic) ends.open += "<i>";
      if (s.underline) ends.open += "<u>";
      if (s.strike) ends.open += "<st>";
      break;
    case MarkupFormat::kAnsi: {
      std::string codes;
      for (const auto& [on, code] : {std::pair{s.bold, "1"}, std::pair{s.italic, "3"},
                                     std::pair{s.underline, "4"}, std::pair{s.strike, "9"}}) {
        if (!on) continue;
        if (!codes.empty()) codes += ';';
        codes += code;
      }
      if (!codes.empty()) ends.open = "\x1B[" + codes + "m";
      ends.close = "\x1B[0m";
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
constexpr std::string_view kAolWave[4] = {"<sup>", "</sup>", "<sub>", "</sub>"};
constexpr std::string_view kHtmlWaveOpen[4] = {"<sup>", "", "<sub>", ""};
constexpr std::string_view kHtmlWaveClose[4] = {"</sup>", "", "</sub>", ""};

std::size_t WaveLength(MarkupFormat format, std::size_t i) {
  if (format == MarkupFormat::kAol) return kAolWave[i & 3].size();
  return kHtmlWaveOpen[i & 3].size() + kHtmlWaveClose[i & 3].size();
}

// ---- Writing, in UTF-16 or UTF-8, through one block that is handed on whenever it fills.

// Takes a full block of markup; false when it could not.
template <typename CharT>
using BlockTaker = std::function<bool(std::basic_string_view<CharT>)>;

// The write position in a block. The writer keeps it in a local variable (stores through a
// char pointer could otherwise alias it and force it out of a register after every byte).
template <typename CharT>
struct Cursor {
  CharT* at;

  [[gnu::always_inline]] void Ascii(char c) { *at++ = static_cast<CharT>(c); }
  [[gnu::always_inline]] void Ascii(std::string_view piece) {
    for (const char c : piece) *at++ = static_cast<CharT>(c);
  }
  // A character of the text: in UTF-16 a lone surrogate (aol only) stays as it is; in UTF-8 it
  // becomes U+FFFD, as Utf16ToUtf8 writes it.
  [[gnu::always_inline]] void Character(char32_t c) {
    if (c < 0x80) {
      *at++ = static_cast<CharT>(c);
    } else if constexpr (sizeof(CharT) == 2) {
      if (c < 0x10000) {
        *at++ = static_cast<CharT>(c);
      } else {
        *at++ = static_cast<CharT>(0xD800 + ((c - 0x10000) >> 10));
        *at++ = static_cast<CharT>(0xDC00 + (c & 0x3FF));
      }
    } else {
      at = MultiByte(at, c);
    }
  }

 private:
  static CharT* MultiByte(CharT* to, char32_t c) {
    if (IsSurrogate(c)) c = kReplacement;
    if (c < 0x800) {
      *to++ = static_cast<CharT>(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
      *to++ = static_cast<CharT>(0xE0 | (c >> 12));
      *to++ = static_cast<CharT>(0x80 | ((c >> 6) & 0x3F));
    } else {
      *to++ = static_cast<CharT>(0xF0 | (c >> 18));
      *to++ = static_cast<CharT>(0x80 | ((c >> 12) & 0x3F));
      *to++ = static_cast<CharT>(0x80 | ((c >> 6) & 0x3F));
    }
    *to++ = static_cast<CharT>(0x80 | (c & 0x3F));
    return to;
  }
};

// One block the markup is written into, handed on whenever it might not hold the next step.
template <typename CharT>
class BlockOut {
 public:
  // The most one step writes: a character's (a colour code, the wave's tags, the character or
  // its escape; the longest, mc-section's code with four styles, takes 33 bytes) or a line's
  // ends (at most 16).
  static constexpr std::size_t kStepRoom = 128;

  explicit BlockOut(const BlockTaker<CharT>& take) : take_(take) {}
  BlockOut(const BlockOut&) = delete;
  BlockOut& operator=(const BlockOut&) = delete;

  CharT* Begin() { return block_; }
  // The position to write the next step at: `at`, or the block's start once it was handed on.
  [[gnu::always_inline]] CharT* MakeRoom(CharT* at) {
    return static_cast<std::size_t>(block_ + kBlock - at) < kStepRoom ? Flush(at) : at;
  }
  // Hands on [Begin(), at) and returns Begin(); nothing more goes to a taker that refused.
  [[gnu::noinline]] CharT* Flush(CharT* at) {
    if (!failed_ && at != block_) {
      failed_ =
          !take_(std::basic_string_view<CharT>(block_, static_cast<std::size_t>(at - block_)));
    }
    return block_;
  }
  // Hands on a whole piece of markup made elsewhere.
  void Take(std::basic_string_view<CharT> markup) {
    if (!failed_ && !markup.empty()) failed_ = !take_(markup);
  }
  bool Failed() const { return failed_; }

 private:
  static constexpr std::size_t kBlock = 16384;

  const BlockTaker<CharT>& take_;
  CharT block_[kBlock];
  bool failed_ = false;
};

// The six hex digits RRGGBB of a colour.
template <typename Out>
[[gnu::always_inline]] inline void PutHex(Out& out, uint32_t color) {
  for (int shift = 20; shift >= 0; shift -= 4) out.Ascii(kHexDigits[(color >> shift) & 0xF]);
}

// The x form of the '&' and '§' formats: "x" and each of the six digits after the marker.
template <typename Out>
void PutMarkedHex(Out& out, uint32_t color, char32_t marker) {
  out.Character(marker);
  out.Ascii('x');
  for (int shift = 20; shift >= 0; shift -= 4) {
    out.Character(marker);
    out.Ascii(kHexDigits[(color >> shift) & 0xF]);
  }
}

template <typename Out>
void PutDecimal(Out& out, uint32_t value) {
  if (value >= 100) out.Ascii(static_cast<char>('0' + value / 100));
  if (value >= 10) out.Ascii(static_cast<char>('0' + value / 10 % 10));
  out.Ascii(static_cast<char>('0' + value % 10));
}

// The styles of the game formats, written after every colour code.
template <typename Out>
void PutGameStyles(Out& out, const TextStyles& s, char32_t marker) {
  const std::pair<bool, char> codes[] = {
      {s.bold, 'l'}, {s.italic, 'o'}, {s.underline, 'n'}, {s.strike, 'm'}};
  for (const auto& [on, code] : codes) {
    if (!on) continue;
    out.Character(marker);
    out.Ascii(code);
  }
}

// One colour code; `open` says whether a run is open before it (html and bbcode close it).
template <MarkupFormat kFormat, typename CharT>
[[gnu::noinline]] CharT* PutCode(CharT* at, const TextStyles& styles, uint32_t color, bool open) {
  Cursor<CharT> out{at};
  if constexpr (kFormat == MarkupFormat::kAol) {
    out.Ascii("<Font Color=#");
    PutHex(out, color);
    out.Ascii('>');
  } else if constexpr (kFormat == MarkupFormat::kHtml) {
    if (open) out.Ascii("</span>");
    out.Ascii("<span style=\"color:#");
    PutHex(out, color);
    out.Ascii("\">");
  } else if constexpr (kFormat == MarkupFormat::kBbcode) {
    if (open) out.Ascii("[/color]");
    out.Ascii("[color=#");
    PutHex(out, color);
    out.Ascii(']');
  } else if constexpr (kFormat == MarkupFormat::kMiniMessage) {
    out.Ascii("<#");
    PutHex(out, color);
    out.Ascii('>');
  } else if constexpr (kFormat == MarkupFormat::kMcHex) {
    out.Ascii("&#");
    PutHex(out, color);
    PutGameStyles(out, styles, '&');
  } else if constexpr (kFormat == MarkupFormat::kMcX) {
    PutMarkedHex(out, color, '&');
    PutGameStyles(out, styles, '&');
  } else if constexpr (kFormat == MarkupFormat::kMcSection) {
    PutMarkedHex(out, color, 0xA7);
    PutGameStyles(out, styles, 0xA7);
  } else {
    out.Ascii("\x1B[38;2;");
    PutDecimal(out, color >> 16);
    out.Ascii(';');
    PutDecimal(out, color >> 8 & 0xFF);
    out.Ascii(';');
    PutDecimal(out, color & 0xFF);
    out.Ascii('m');
  }
  return out.at;
}

// What every writer and the measure share about one request.
struct Job {
  MarkupFormat format = MarkupFormat::kAol;
  TextStyles styles;
  bool wave = false;
  bool joinSpaces = false;  // a space joins the run before it (no underline, no strike)
  std::u16string_view text;
  std::size_t length = 0;  // characters of the text
  std::array<Channels, kMaxFadeStops> stops{};
  std::size_t stopCount = 0;
  LineEnds ends;

  std::span<const Channels> Stops() const { return std::span(stops).first(stopCount); }
};

// The colours of the fade in groups of `groupSize`, taken a chunk of groups at a time.
class GroupColors {
 public:
  GroupColors(const Job& job, std::size_t groupSize)
      : job_(job), groups_((job.length + groupSize - 1) / groupSize) {
    Fill(0);
  }
  // The colour of group `group`; groups are asked for in order.
  [[gnu::always_inline]] uint32_t Of(std::size_t group) {
    if (group >= first_ + kChunk) Fill(group);
    return colors_[group - first_];
  }

 private:
  static constexpr std::size_t kChunk = 1024;
  void Fill(std::size_t first) {
    first_ = first;
    const std::size_t count = std::min(kChunk, groups_ - first);
    FadeColorsInto(job_.Stops(), groups_, first, std::span(colors_).first(count));
  }
  const Job& job_;
  std::size_t groups_;
  std::size_t first_ = 0;
  std::array<uint32_t, kChunk> colors_;
};

// Writes the runs of the job in groups of `groupSize` characters. A character opens a run when
// its colour differs from the run's, unless it is a space that may join it; and it gets a code
// in any case when the format needs one before it (NeedsCodeBefore).
template <MarkupFormat kFormat, typename CharT>
void WriteRuns(const Job& job, std::size_t groupSize, BlockOut<CharT>& block) {
  Cursor<CharT> out{block.Begin()};
  if (job.length == 0) {
    if (kFormat == MarkupFormat::kAol) out.Ascii(job.ends.open);
    block.Flush(out.at);
    return;
  }
  GroupColors colors(job, groupSize);
  out.Ascii(job.ends.open);
  const bool joinSpaces = job.joinSpaces;
  const bool wave = job.wave;
  uint32_t current = kNoColor;
  CharacterReader reader{job.text.data(), job.text.data() + job.text.size()};
  char32_t previous = 0;
  std::size_t group = 0;
  std::size_t leftInGroup = groupSize;
  uint32_t color = colors.Of(0);
  for (std::size_t i = 0; i < job.length; ++i) {
    if (leftInGroup == 0) {
      color = colors.Of(++group);
      leftInGroup = groupSize;
    }
    --leftInGroup;
    out.at = block.MakeRoom(out.at);
    const char32_t c = reader.Next();
    if ((color != current && !(joinSpaces && current != kNoColor && IsSpace(c))) ||
        NeedsCodeBefore(kFormat, previous, c)) {
      out.at = PutCode<kFormat>(out.at, job.styles, color, current != kNoColor);
      current = color;
    }
    previous = c;
    if constexpr (kFormat == MarkupFormat::kAol || kFormat == MarkupFormat::kHtml) {
      if (wave) out.Ascii(kFormat == MarkupFormat::kAol ? kAolWave[i & 3] : kHtmlWaveOpen[i & 3]);
    }
    if (kFormat == MarkupFormat::kBbcode && c == '[') {
      out.Ascii('[');
      out.Character(kZeroWidthSpace);
    } else if (const std::string_view escape = EscapeOf(kFormat, c); !escape.empty()) {
      out.Ascii(escape);
    } else {
      out.Character(Shown(kFormat, c));
    }
    if constexpr (kFormat == MarkupFormat::kHtml) {
      if (wave) out.Ascii(kHtmlWaveClose[i & 3]);
    }
  }
  out.at = block.MakeRoom(out.at);
  if constexpr (kFormat == MarkupFormat::kHtml) out.Ascii("</span>");
  if constexpr (kFormat == MarkupFormat::kBbcode) out.Ascii("[/color]");
  out.Ascii(job.ends.close);
  block.Flush(out.at);
}

template <typename CharT>
void WriteRunsOf(const Job& job, std::size_t groupSize, BlockOut<CharT>& out) {
  switch (job.format) {
    case MarkupFormat::kAol:
      return WriteRuns<MarkupFormat::kAol>(job, groupSize, out);
    case MarkupFormat::kHtml:
      return WriteRuns<MarkupFormat::kHtml>(job, groupSize, out);
    case MarkupFormat::kBbcode:
      return WriteRuns<MarkupFormat::kBbcode>(job, groupSize, out);
    case MarkupFormat::kMiniMessage:
      return WriteRuns<MarkupFormat::kMiniMessage>(job, groupSize, out);
    case MarkupFormat::kMcHex:
      return WriteRuns<MarkupFormat::kMcHex>(job, groupSize, out);
    case MarkupFormat::kMcX:
      return WriteRuns<MarkupFormat::kMcX>(job, groupSize, out);
    case MarkupFormat::kMcSection:
      return WriteRuns<MarkupFormat::kMcSection>(job, groupSize, out);
    case MarkupFormat::kAnsi:
      return WriteRuns<MarkupFormat::kAnsi>(job, groupSize, out);
  }
}

// ---- Measuring: the length of the markup for a group size, without writing it.

class Measure {
 public:
  explicit Measure(const Job& job) : job_(job), chars_(Characters(job.text)) {
    const std::vector<char32_t>& chars = chars_;
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
      anyForced = anyForced || NeedsCodeBeforeAt(job.format, chars, i);
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
        forcedBefore_[i + 1] = forcedBefore_[i] + (NeedsCodeBeforeAt(job.format, chars, i) ? 1 : 0);
      }
    }
  }

  // The length of the engine's own aol markup: a tag before every character.
  std::size_t EngineLength() const {
    return fixed_ + chars_.size() * CodeLength(MarkupFormat::kAol, job_.styles, 0);
  }

  // The markup's length in characters with groups of `groupSize`: what WriteRuns writes.
  std::size_t Length(std::size_t groupSize) const {
    const std::size_t length = chars_.size();
    if (length == 0) return fixed_;
    // Group by group, as WriteRuns goes character by character: within a group every
    // character has the group's colour, so the run's code comes at the group's first
    // character that opens one (its first, or with spaces joining, its first non-space),
    // and after that only where the format needs a code before a character.
    const std::size_t groups = (length + groupSize - 1) / groupSize;
    GroupColors colors(job_, groupSize);
    std::size_t total = fixed_;
    uint32_t current = kNoColor;
    for (std::size_t g = 0; g < groups; ++g) {
      const std::size_t begin = g * groupSize;
      const std::size_t end = std::min(begin + groupSize, length);
      const uint32_t color = colors.Of(g);
      const std::size_t forced =
          forcedBefore_.empty() ? 0 : forcedBefore_[end] - forcedBefore_[begin];
      std::size_t codes = forced;
      if (color != current) {
        std::size_t opener = begin;
        if (job_.joinSpaces && current != kNoColor) {
          if (spacesBefore_[end] - spacesBefore_[begin] == end - begin) {
            opener = end;  // all spaces: they join the run before
          } else {
            while (IsSpace(chars_[opener])) ++opener;
          }
        }
        // The opener's code, unless it is one of the forced ones already counted.
        if (opener < end && !(forced > 0 && NeedsCodeBeforeAt(job_.format, chars_, opener))) {
          ++codes;
        }
        if (opener < end) current = color;
      }
      if (codes > 0) current = color;
      total += codes * CodeLength(job_.format, job_.styles, color);
    }
    return total;
  }

 private:
  const Job& job_;
  std::vector<char32_t> chars_;
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
  const std::size_t count = request.colors.size();
  if (count < kMinFadeStops || count > kMaxFadeStops) {
    return {std::nullopt,
            Refusal(FadeError::Kind::kColorCount,
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
  job.text = request.text;
  job.stopCount = count;
  for (std::size_t j = 0; j < count; ++j) job.stops[j] = SplitColor(request.colors[j]);
  job.ends = LineEndsOf(request.format, request.styles);
  job.length = request.text.size() - SurrogatePairs(request.text);
  if (!IsGameFormat(request.format) || !HoldsGameRefused(request.text)) return {std::move(job), {}};
  // Find the first refused character, to name it.
  CharacterReader reader{request.text.data(), request.text.data() + request.text.size()};
  std::size_t length = 0;
  while (reader.at < reader.end) {
    const char32_t c = reader.Next();
    ++length;
    if (c != 0xA7 && c >= 0x20 && c != 0x7F) continue;
    const std::string where = " (character " + std::to_string(length) + ")";
    if (c == 0xA7) {
      return {std::nullopt,
              Refusal(FadeError::Kind::kTextRefused,
                      "the " + name + " format cannot carry \"\xC2\xA7\"" + where +
                          ": the game reads it as the start of a code, and nothing escapes it")};
    }
    return {std::nullopt, Refusal(FadeError::Kind::kTextRefused,
                                  "the " + name + " format cannot carry the control character " +
                                      CodePointName(c) + where + ": the game's chat refuses it")};
  }
  return {std::move(job), {}};
}

FadeResult<FadeFit> FitJob(const Job& job, std::size_t maxLength, std::size_t groupSize) {
  const Measure measure(job);
  const std::size_t wholeLine = std::max<std::size_t>(job.length, 1);
  // aol's own markup has a tag before every character; written in runs it can be shorter with
  // every character still in its own colour, so that is tried first under a limit.
  const bool aol = job.format == MarkupFormat::kAol;
  if (groupSize > 0) {
    // A group longer than the line is the line.
    const std::size_t k = std::min(groupSize, wholeLine);
    if (aol && k == 1) {
      const std::size_t engine = measure.EngineLength();
      if (maxLength == 0 || engine <= maxLength) return {FadeFit{1, engine, false}, {}};
    }
    return {FadeFit{k, measure.Length(k), aol}, {}};
  }
  const std::size_t plain = aol ? measure.EngineLength() : measure.Length(1);
  if (maxLength == 0 || plain <= maxLength) return {FadeFit{1, plain, false}, {}};
  // One group for the whole line: the shortest markup there is.
  const std::size_t shortest = measure.Length(wholeLine);
  if (shortest > maxLength) {
    const std::size_t over = shortest - maxLength;
    return {std::nullopt, Refusal(FadeError::Kind::kTooLong,
                                  "the line takes " + std::to_string(shortest) +
                                      " characters even in one colour, " + std::to_string(over) +
                                      " more than the limit of " + std::to_string(maxLength),
                                  over)};
  }
  // The length need not fall steadily as the groups grow (the colours of neighbouring groups
  // may or may not match), so every size is tried in turn; a try costs a step per group, so
  // all of them together cost about L * ln(k) steps.
  for (std::size_t k = aol ? 1 : 2; k < wholeLine; ++k) {
    const std::size_t fitted = measure.Length(k);
    if (fitted <= maxLength) return {FadeFit{k, fitted, aol}, {}};
  }
  return {FadeFit{wholeLine, shortest, aol}, {}};
}

// Writes the request's markup through `out`: aol with groups of one is the engine's own
// markup, as the desktop sends it, unless a limit needs it in runs; everything else is
// written in runs.
template <typename CharT>
std::optional<FadeError> WriteRequest(const FadeRequest& request, BlockOut<CharT>& out) {
  FadeResult<Job> made = MakeJob(request);
  if (!made) return made.error;
  const Job& job = *made.value;
  // Measured only under a limit: without one, every character has its own colour.
  std::size_t groupSize = 1;
  bool inRuns = job.format != MarkupFormat::kAol;
  if (request.groupSize > 0 && (inRuns || request.groupSize > 1 || request.maxLength == 0)) {
    groupSize = std::min(request.groupSize, std::max<std::size_t>(job.length, 1));
    inRuns = inRuns || groupSize > 1;
  } else if (request.maxLength > 0) {
    // aol under a limit (groups of one or the smallest that fits): its own markup when that
    // fits, else in runs.
    const FadeResult<FadeFit> fit = FitJob(job, request.maxLength, request.groupSize);
    if (!fit) return fit.error;
    groupSize = fit.value->groupSize;
    inRuns = inRuns || fit.value->inRuns;
  }
  if (inRuns) {
    WriteRunsOf(job, groupSize, out);
    return std::nullopt;
  }
  Cursor<CharT> prefix{out.Begin()};
  prefix.Ascii(job.ends.open);
  out.Flush(prefix.at);
  if constexpr (sizeof(CharT) == 2) {
    out.Take(FadeStops(job.Stops(), job.text, job.wave));
  } else {
    out.Take(FadeStopsUtf8(job.Stops(), job.text, job.wave));
  }
  return std::nullopt;
}

template <typename String>
FadeResult<String> Format(const FadeRequest& request) {
  using CharT = typename String::value_type;
  String markup;
  const BlockTaker<CharT> append = [&](std::basic_string_view<CharT> block) {
    markup += block;
    return true;
  };
  BlockOut<CharT> out(append);
  if (std::optional<FadeError> error = WriteRequest(request, out)) {
    return {std::nullopt, std::move(*error)};
  }
  return {std::move(markup), {}};
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
  return FitJob(*job.value, request.maxLength, request.groupSize);
}

FadeResult<std::u16string> FormatFade(const FadeRequest& request) {
  return Format<std::u16string>(request);
}

FadeResult<std::string> FormatFadeUtf8(const FadeRequest& request) {
  return Format<std::string>(request);
}

FadeResult<bool> StreamFormatFadeUtf8(const FadeRequest& request, const MarkupWriter& write) {
  const BlockTaker<char> take = [&](std::string_view block) { return write(block); };
  BlockOut<char> out(take);
  if (std::optional<FadeError> error = WriteRequest(request, out)) {
    return {std::nullopt, std::move(*error)};
  }
  return {!out.Failed(), {}};
}

}  // namespace qf

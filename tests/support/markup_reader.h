#pragma once
// Markup read back the way each receiving system reads it, for the unit tests and the fuzz
// target of the formatting layer. The readers are written from what the systems do, not from
// the writers: each takes the markup apart into the characters a reader of the page, the forum,
// the game or the terminal would see, each with its colour, its styles and its wave, and
// reports the first thing that system would misread (a stray tag, an unescaped character, a
// code that is not one of the format's own).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fade/markup_formats.h"

namespace qf::markuptest {

struct ReadCharacter {
  char32_t c = 0;
  uint32_t color = 0;   // 0xRRGGBB
  int wave = 0;         // 1 raised, -1 lowered, 0 level
  TextStyles styles;
  bool codeBefore = false;  // a colour code stood right before it
};

struct ReadMarkupResult {
  std::vector<ReadCharacter> chars;
  std::string fault;  // empty when the markup read cleanly
};

// The code points of UTF-16 text; a lone surrogate stays as its unit.
inline std::u32string CodePoints(std::u16string_view text) {
  std::u32string points;
  for (std::size_t at = 0; at < text.size(); ++at) {
    char32_t c = text[at];
    if (c >= 0xD800 && c <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 &&
        text[at + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++at] - 0xDC00);
    }
    points += c;
  }
  return points;
}

// The text as a format must show it: what it cannot carry replaced as the format says.
inline std::u32string Visible(MarkupFormat format, std::u16string_view text) {
  std::u32string shown;
  for (char32_t c : CodePoints(text)) {
    if (format != MarkupFormat::kAol) {
      const bool lone = c >= 0xD800 && c <= 0xDFFF;
      const bool c0 = c < 0x20;
      const bool c1 = c >= 0x80 && c <= 0x9F;
      if (lone) {
        c = 0xFFFD;
      } else if (format == MarkupFormat::kAnsi) {
        if (c0) c = 0x2400 + c;
        if (c == 0x7F) c = 0x2421;
        if (c1) c = 0xFFFD;
      } else if (format == MarkupFormat::kHtml || format == MarkupFormat::kBbcode) {
        if ((c0 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F || c1) c = 0xFFFD;
      }
    }
    shown += c;
  }
  return shown;
}

namespace detail {

inline bool StartsWith(std::u32string_view text, std::size_t at, std::u32string_view piece) {
  return text.substr(at, piece.size()) == piece;
}

inline int HexValue(char32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  return -1;
}

// Six hex digits at `at`, each after `marker` when there is one; nullopt when not there.
inline std::optional<uint32_t> HexColor(std::u32string_view text, std::size_t at,
                                        char32_t marker = 0) {
  uint32_t color = 0;
  for (int k = 0; k < 6; ++k) {
    if (marker != 0) {
      if (at >= text.size() || text[at] != marker) return std::nullopt;
      ++at;
    }
    if (at >= text.size() || HexValue(text[at]) < 0) return std::nullopt;
    color = color << 4 | static_cast<uint32_t>(HexValue(text[at++]));
  }
  return color;
}

inline bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

inline std::string Where(std::size_t at) { return " at " + std::to_string(at); }

// The reader's running state: what the next character gets.
struct State {
  std::optional<uint32_t> color;
  TextStyles styles;
  int wave = 0;
  bool codePending = false;
  ReadMarkupResult result;

  void Put(char32_t c) {
    result.chars.push_back({c, color.value_or(0), wave, styles, codePending});
    codePending = false;
  }
  void SetColor(uint32_t value) {
    color = value;
    codePending = true;
  }
  ReadMarkupResult Fail(std::string fault) {
    result.fault = std::move(fault);
    return result;
  }
};

inline bool* StyleOf(TextStyles& styles, char32_t letter) {
  switch (letter) {
    case 'b':
      return &styles.bold;
    case 'i':
      return &styles.italic;
    case 'u':
      return &styles.underline;
    case 's':
      return &styles.strike;
    default:
      return nullptr;
  }
}

// The chat client's tags: colour tags and the wave anywhere, style tags in front. Nothing in the
// text is escaped there, so this reads text without "<" only.
inline ReadMarkupResult ReadAol(std::u32string_view m) {
  State s;
  bool started = false;
  for (std::size_t at = 0; at < m.size();) {
    if (StartsWith(m, at, U"<Font Color=#")) {
      const auto color = HexColor(m, at + 13);
      if (!color || !StartsWith(m, at + 19, U">")) return s.Fail("bad font tag" + Where(at));
      s.SetColor(*color);
      at += 20;
    } else if (StartsWith(m, at, U"<sup>") || StartsWith(m, at, U"<sub>")) {
      s.wave = m[at + 3] == 'p' ? 1 : -1;
      at += 5;
    } else if (StartsWith(m, at, U"</sup>") || StartsWith(m, at, U"</sub>")) {
      s.wave = 0;
      at += 6;
    } else if (!started && m[at] == '<' && at + 2 < m.size() && m[at + 2] == '>' &&
               StyleOf(s.styles, m[at + 1]) != nullptr) {
      *StyleOf(s.styles, m[at + 1]) = true;
      at += 3;
    } else {
      if (!s.color) return s.Fail("a character before any colour" + Where(at));
      started = true;
      s.Put(m[at++]);
    }
  }
  return s.result;
}

// HTML as a browser reads it: the format's own elements, properly nested, and the five
// entities; any other "<", "&", ">", quote or control character is a fault.
inline ReadMarkupResult ReadHtml(std::u32string_view m) {
  State s;
  std::vector<std::u32string> open;  // element names, innermost last
  std::vector<uint32_t> spans;
  const auto close = [&](std::u32string_view name) { return !open.empty() && open.back() == name; };
  for (std::size_t at = 0; at < m.size();) {
    const char32_t c = m[at];
    if (StartsWith(m, at, U"<span style=\"color:#")) {
      const auto color = HexColor(m, at + 20);
      if (!color || !StartsWith(m, at + 26, U"\">")) return s.Fail("bad span" + Where(at));
      spans.push_back(*color);
      s.SetColor(*color);
      open.push_back(U"span");
      at += 28;
    } else if (StartsWith(m, at, U"</span>")) {
      if (!close(U"span")) return s.Fail("misnested </span>" + Where(at));
      open.pop_back();
      spans.pop_back();
      s.color = spans.empty() ? std::nullopt : std::optional(spans.back());
      at += 7;
    } else if (StartsWith(m, at, U"<sup>") || StartsWith(m, at, U"<sub>")) {
      if (s.wave != 0) return s.Fail("nested wave" + Where(at));
      s.wave = m[at + 3] == 'p' ? 1 : -1;
      open.push_back(std::u32string(m.substr(at + 1, 3)));
      at += 5;
    } else if (StartsWith(m, at, U"</sup>") || StartsWith(m, at, U"</sub>")) {
      if (!close(m.substr(at + 2, 3))) return s.Fail("misnested wave close" + Where(at));
      open.pop_back();
      s.wave = 0;
      at += 6;
    } else if (c == '<' && at + 2 < m.size() && m[at + 2] == '>' &&
               StyleOf(s.styles, m[at + 1]) != nullptr) {
      *StyleOf(s.styles, m[at + 1]) = true;
      open.push_back(std::u32string(1, m[at + 1]));
      at += 3;
    } else if (c == '<' && at + 3 < m.size() && m[at + 1] == '/' && m[at + 3] == '>' &&
               StyleOf(s.styles, m[at + 2]) != nullptr) {
      if (!close(std::u32string(1, m[at + 2]))) return s.Fail("misnested style close" + Where(at));
      open.pop_back();
      *StyleOf(s.styles, m[at + 2]) = false;
      at += 4;
    } else if (c == '&') {
      static constexpr std::pair<std::u32string_view, char32_t> kEntities[] = {
          {U"&amp;", '&'}, {U"&lt;", '<'}, {U"&gt;", '>'}, {U"&quot;", '"'}, {U"&#39;", '\''}};
      bool found = false;
      for (const auto& [entity, meaning] : kEntities) {
        if (!StartsWith(m, at, entity)) continue;
        if (!s.color) return s.Fail("text outside a span" + Where(at));
        s.Put(meaning);
        at += entity.size();
        found = true;
        break;
      }
      if (!found) return s.Fail("a bare &" + Where(at));
    } else if (c == '<' || c == '>' || c == '"' || c == '\'') {
      return s.Fail("an unescaped markup character" + Where(at));
    } else if ((IsControl(c) && c != '\t' && c != '\n' && c != '\r') ||
               (c >= 0xD800 && c <= 0xDFFF)) {
      return s.Fail("a character HTML cannot carry" + Where(at));
    } else {
      if (!s.color) return s.Fail("text outside a span" + Where(at));
      s.Put(c);
      ++at;
    }
  }
  if (!open.empty()) return s.Fail("elements left open");
  return s.result;
}

// BBCode as a forum reads it: "[" opens a tag unless the zero width space follows it; the only
// tags are the format's own, properly nested.
inline ReadMarkupResult ReadBbcode(std::u32string_view m) {
  State s;
  std::vector<char32_t> open;  // 'c' for colour, or the style letter
  std::vector<uint32_t> colors;
  for (std::size_t at = 0; at < m.size();) {
    const char32_t c = m[at];
    if (c == '[' && at + 1 < m.size() && m[at + 1] == 0x200B) {
      if (!s.color) return s.Fail("text outside a colour" + Where(at));
      s.Put('[');
      at += 2;
    } else if (StartsWith(m, at, U"[color=#")) {
      const auto color = HexColor(m, at + 8);
      if (!color || !StartsWith(m, at + 14, U"]")) return s.Fail("bad colour tag" + Where(at));
      colors.push_back(*color);
      s.SetColor(*color);
      open.push_back('c');
      at += 15;
    } else if (StartsWith(m, at, U"[/color]")) {
      if (open.empty() || open.back() != 'c') return s.Fail("misnested [/color]" + Where(at));
      open.pop_back();
      colors.pop_back();
      s.color = colors.empty() ? std::nullopt : std::optional(colors.back());
      at += 8;
    } else if (c == '[' && at + 2 < m.size() && m[at + 2] == ']' &&
               StyleOf(s.styles, m[at + 1]) != nullptr) {
      *StyleOf(s.styles, m[at + 1]) = true;
      open.push_back(m[at + 1]);
      at += 3;
    } else if (c == '[' && at + 3 < m.size() && m[at + 1] == '/' && m[at + 3] == ']' &&
               StyleOf(s.styles, m[at + 2]) != nullptr) {
      if (open.empty() || open.back() != m[at + 2]) return s.Fail("misnested close" + Where(at));
      open.pop_back();
      *StyleOf(s.styles, m[at + 2]) = false;
      at += 4;
    } else if (c == '[') {
      return s.Fail("a [ a forum may read as a tag" + Where(at));
    } else if ((IsControl(c) && c != '\t' && c != '\n' && c != '\r') ||
               (c >= 0xD800 && c <= 0xDFFF)) {
      return s.Fail("a control character" + Where(at));
    } else {
      if (!s.color) return s.Fail("text outside a colour" + Where(at));
      s.Put(c);
      ++at;
    }
  }
  if (!open.empty()) return s.Fail("tags left open");
  return s.result;
}

// MiniMessage: "\" escapes "<" and "\"; the only tags are <#RRGGBB> and the styles in front.
inline ReadMarkupResult ReadMiniMessage(std::u32string_view m) {
  State s;
  bool started = false;
  for (std::size_t at = 0; at < m.size();) {
    const char32_t c = m[at];
    if (c == '\\') {
      if (at + 1 >= m.size() || (m[at + 1] != '<' && m[at + 1] != '\\')) {
        return s.Fail("a backslash that escapes nothing" + Where(at));
      }
      if (!s.color) return s.Fail("text before any colour" + Where(at));
      started = true;
      s.Put(m[at + 1]);
      at += 2;
    } else if (StartsWith(m, at, U"<#")) {
      const auto color = HexColor(m, at + 2);
      if (!color || !StartsWith(m, at + 8, U">")) return s.Fail("bad colour tag" + Where(at));
      s.SetColor(*color);
      at += 9;
    } else if (!started && StartsWith(m, at, U"<st>")) {
      s.styles.strike = true;
      at += 4;
    } else if (!started && c == '<' && at + 2 < m.size() && m[at + 2] == '>' && m[at + 1] != 's' &&
               StyleOf(s.styles, m[at + 1]) != nullptr) {
      *StyleOf(s.styles, m[at + 1]) = true;
      at += 3;
    } else if (c == '<') {
      return s.Fail("a < MiniMessage reads as a tag" + Where(at));
    } else if (c == 0xA7 || c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF)) {
      return s.Fail("a character the game refuses" + Where(at));
    } else {
      if (!s.color) return s.Fail("text before any colour" + Where(at));
      started = true;
      s.Put(c);
      ++at;
    }
  }
  return s.result;
}

// The legacy codes as a server translates them: with marker "&", "&" before a code character
// is a code and before anything else an "&" shown as it is; with "§" every "§" starts a code.
// A code resets the styles; the style codes follow it.
inline ReadMarkupResult ReadGameCodes(std::u32string_view m, char32_t marker, bool hashForm) {
  State s;
  const auto isCode = [](char32_t c) {
    const char32_t lower = c | 0x20;
    return (c >= '0' && c <= '9') || (lower >= 'a' && lower <= 'f') ||
           (lower >= 'k' && lower <= 'o') || lower == 'r' || lower == 'x' || c == '#';
  };
  for (std::size_t at = 0; at < m.size();) {
    const char32_t c = m[at];
    const bool code = c == marker && at + 1 < m.size() && isCode(m[at + 1]);
    if (c == marker && !code) {
      if (marker == 0xA7) return s.Fail("a § that starts no code" + Where(at));
      if (!s.color) return s.Fail("text before any colour" + Where(at));
      s.Put(c);
      ++at;
    } else if (code) {
      const char32_t what = m[at + 1];
      if (what == '#') {
        const auto color = hashForm ? HexColor(m, at + 2) : std::nullopt;
        if (!color) return s.Fail("a # code not of this format" + Where(at));
        s.SetColor(*color);
        s.styles = {};
        at += 8;
      } else if ((what | 0x20) == 'x') {
        const auto color = HexColor(m, at + 2, marker);
        if (!color) return s.Fail("a broken x code" + Where(at));
        s.SetColor(*color);
        s.styles = {};
        at += 14;
      } else if (what == 'l' || what == 'o' || what == 'n' || what == 'm') {
        (what == 'l'   ? s.styles.bold
         : what == 'o' ? s.styles.italic
         : what == 'n' ? s.styles.underline
                       : s.styles.strike) = true;
        at += 2;
      } else {
        return s.Fail("a code the format never writes" + Where(at));
      }
    } else if (c == 0xA7 || c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF)) {
      return s.Fail("a character the game refuses" + Where(at));
    } else {
      if (!s.color) return s.Fail("text before any colour" + Where(at));
      s.Put(c);
      ++at;
    }
  }
  return s.result;
}

// A terminal: ESC [ ... m sets colours and styles; every other control character is a fault;
// the line must end with the reset.
inline ReadMarkupResult ReadAnsi(std::u32string_view m) {
  State s;
  bool reset = false;
  for (std::size_t at = 0; at < m.size();) {
    const char32_t c = m[at];
    if (c == 0x1B) {
      if (reset) return s.Fail("codes after the reset" + Where(at));
      if (at + 1 >= m.size() || m[at + 1] != '[') return s.Fail("an escape" + Where(at));
      const std::size_t end = m.find('m', at + 2);
      if (end == std::u32string_view::npos) return s.Fail("an unended sequence" + Where(at));
      std::vector<int> params;
      int value = -1;
      for (std::size_t k = at + 2; k <= end; ++k) {
        if (k < end && m[k] >= '0' && m[k] <= '9') {
          value = (value < 0 ? 0 : value * 10) + static_cast<int>(m[k] - '0');
          if (value > 999) return s.Fail("a long parameter" + Where(at));
        } else if (k == end || m[k] == ';') {
          if (value < 0) return s.Fail("an empty parameter" + Where(at));
          params.push_back(value);
          value = -1;
        } else {
          return s.Fail("not a colour sequence" + Where(at));
        }
      }
      if (params.size() == 5 && params[0] == 38 && params[1] == 2) {
        if (params[2] > 255 || params[3] > 255 || params[4] > 255) {
          return s.Fail("a channel above 255" + Where(at));
        }
        s.SetColor(static_cast<uint32_t>(params[2] << 16 | params[3] << 8 | params[4]));
      } else if (params == std::vector<int>{0}) {
        reset = true;
      } else {
        for (const int p : params) {
          if (p == 1)
            s.styles.bold = true;
          else if (p == 3)
            s.styles.italic = true;
          else if (p == 4)
            s.styles.underline = true;
          else if (p == 9)
            s.styles.strike = true;
          else
            return s.Fail("an unknown parameter" + Where(at));
        }
      }
      at = end + 1;
    } else if (IsControl(c) || (c >= 0xD800 && c <= 0xDFFF)) {
      return s.Fail("a control character reaches the terminal" + Where(at));
    } else {
      if (!s.color) return s.Fail("text before any colour" + Where(at));
      if (reset) return s.Fail("text after the reset" + Where(at));
      s.Put(c);
      ++at;
    }
  }
  if (!s.result.chars.empty() && !reset) return s.Fail("no reset at the end");
  return s.result;
}

}  // namespace detail

// The characters a reader of `format` sees in `markup`, or the first thing it would misread.
inline ReadMarkupResult ReadMarkup(MarkupFormat format, std::u16string_view markup) {
  const std::u32string m = CodePoints(markup);
  switch (format) {
    case MarkupFormat::kAol:
      return detail::ReadAol(m);
    case MarkupFormat::kHtml:
      return detail::ReadHtml(m);
    case MarkupFormat::kBbcode:
      return detail::ReadBbcode(m);
    case MarkupFormat::kMiniMessage:
      return detail::ReadMiniMessage(m);
    case MarkupFormat::kMcHex:
      return detail::ReadGameCodes(m, '&', true);
    case MarkupFormat::kMcX:
      return detail::ReadGameCodes(m, '&', false);
    case MarkupFormat::kMcSection:
      return detail::ReadGameCodes(m, 0xA7, false);
    case MarkupFormat::kAnsi:
      return detail::ReadAnsi(m);
  }
  return {};
}

}  // namespace qf::markuptest

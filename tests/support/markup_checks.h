#pragma once
// What every markup the formatting layer writes must satisfy, checked from the outside: read
// back as its receiving system reads it (markup_reader.h), it shows the text (as the format
// says it shows what it cannot carry), every character in the colour the engine's own markup
// gives its position (its group's position when fitted), spaces at most taking the colour of
// the run before, the requested styles on every character, the wave where the format has one,
// no colour code that changes nothing (but the '&' formats' code after an "&"), and the length
// FitToLimit measures. Shared by the unit tests and the fuzz target.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/utf.h"
#include "fade/entry_points.h"
#include "fade/generator.h"
#include "fade/markup_formats.h"
#include "markup_reader.h"

namespace qf::markuptest {

// The colour of each of `count` characters by the engine's own markup (the desktop's line over
// a text of that many characters), independent of the layer's colour routine.
inline std::vector<uint32_t> EngineColors(std::span<const int32_t> colors, std::size_t count) {
  const std::u16string markup = FadeColors(colors, std::u16string(count, u'x'), false);
  std::vector<uint32_t> result;
  for (std::size_t at = markup.find(u'#'); at != std::u16string::npos;
       at = markup.find(u'#', at + 1)) {
    uint32_t color = 0;
    for (std::size_t k = 1; k <= 6; ++k) {
      color = color << 4 | static_cast<uint32_t>(detail::HexValue(markup[at + k]));
    }
    result.push_back(color);
  }
  return result;
}

inline bool IsSpaceSeparator(char32_t c) {
  return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
         c == 0x205F || c == 0x3000;
}

inline bool SameStyles(const TextStyles& a, const TextStyles& b) {
  return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
         a.strike == b.strike;
}

// Empty when `markup` is what `request` must give with groups of `groupSize`, else what is
// wrong (the first fault found).
inline std::string CheckMarkup(const FadeRequest& request, std::size_t groupSize,
                               std::u16string_view markup) {
  const MarkupFormat format = request.format;
  const std::u32string text = CodePoints(request.text);
  const std::size_t length = text.size();
  FadeRequest measured = request;
  measured.groupSize = groupSize;
  const auto fit = FitToLimit(measured);
  if (!fit) return "FitToLimit refused: " + fit.error.message;
  if (CountCharacters(markup) != fit.value->length) {
    return "length " + std::to_string(CountCharacters(markup)) + ", measured " +
           std::to_string(fit.value->length);
  }
  const std::u16string prefix = AolStylePrefix(request.styles);
  if (format == MarkupFormat::kAol && groupSize == 1 && !fit.value->inRuns) {
    // The desktop's line, byte for byte.
    const std::u16string line = prefix + FadeColors(request.colors, request.text, request.wavy);
    return markup == line ? "" : "not the desktop's line";
  }
  if (length == 0) {
    const bool empty = format == MarkupFormat::kAol ? markup == prefix : markup.empty();
    return empty ? "" : "empty text, markup not empty";
  }
  // The chat client's tags leave "<" in the text unescaped: such text cannot be read back.
  if (format == MarkupFormat::kAol && text.find(U'<') != std::u32string::npos) return "";

  const ReadMarkupResult read = ReadMarkup(format, markup);
  if (!read.fault.empty()) return "misread: " + read.fault;
  const std::u32string shown = Visible(format, request.text);
  std::u32string got;
  for (const ReadCharacter& c : read.chars) got += c.c;
  if (got != shown) return "the text does not read back";

  const std::size_t groups = (length + groupSize - 1) / groupSize;
  const std::vector<uint32_t> colors = EngineColors(request.colors, groups);
  const bool spacesShow = request.styles.underline || request.styles.strike;
  for (std::size_t i = 0; i < length; ++i) {
    const ReadCharacter& c = read.chars[i];
    const std::string at = " (character " + std::to_string(i + 1) + ")";
    const uint32_t own = colors[i / groupSize];
    const bool joined =
        !spacesShow && i > 0 && IsSpaceSeparator(text[i]) && c.color == read.chars[i - 1].color;
    if (c.color != own && !joined) return "wrong colour" + at;
    if (!SameStyles(c.styles, request.styles)) return "wrong styles" + at;
    const int wave = !request.wavy ? 0 : i % 4 == 0 ? 1 : i % 4 == 2 ? -1 : 0;
    if (c.wave != wave) return "wrong wave" + at;
    const bool afterAmpersand = (format == MarkupFormat::kMcHex || format == MarkupFormat::kMcX) &&
                                i > 0 && text[i - 1] == '&';
    if (i > 0 && c.codeBefore && c.color == read.chars[i - 1].color && !afterAmpersand) {
      return "a colour code that changes nothing" + at;
    }
  }
  return "";
}

}  // namespace qf::markuptest

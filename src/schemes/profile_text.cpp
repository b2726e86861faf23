#include "schemes/profile_text.h"

#include <utility>

namespace qf {
namespace {

// GetPrivateProfileStringA hands back at most this many characters.
constexpr std::size_t kMaxValueLength = 254;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; }

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char16_t FoldAscii(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// The lower-case partner of every upper-case letter of code page 1252: A-Z, À-Þ but the sign
// ×, and the four pairs that live among the code page's 0x80-0x9F characters.
char16_t FoldCodePage(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= u'\u00C0' && c <= u'\u00DE' && c != u'\u00D7')) {
    return static_cast<char16_t>(c + 0x20);
  }
  switch (c) {
    case u'\u0160':  // Š
    case u'\u0152':  // Œ
    case u'\u017D':  // Ž
      return static_cast<char16_t>(c + 1);
    case u'\u0178':  // Ÿ
      return u'\u00FF';
    default:
      return c;
  }
}

bool SameName(std::u16string_view a, std::u16string_view b, char16_t (*fold)(char16_t)) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

bool SameName(std::u16string_view a, std::u16string_view b) { return SameName(a, b, FoldAscii); }

}  // namespace

ProfileText ProfileText::Parse(std::u16string_view text) {
  ProfileText profile;
  profile.sections_.push_back({});
  int number = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
    const std::u16string_view line = Trim(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size()) {
      const bool crlf = text[pos] == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n';
      pos += crlf ? 2 : 1;
    }
    ++number;

    if (line.empty()) continue;
    if (line.front() == u'[') {
      const std::size_t close = line.rfind(u']');
      if (close != std::u16string_view::npos && close > 0) {
        profile.sections_.push_back({std::u16string(Trim(line.substr(1, close - 1))), {}});
        continue;
      }
    }
    Line entry;
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) {
      entry.name = line;
      if (line.front() != u';' && line.front() != u'#') profile.oddLines_.push_back(number);
    } else {
      entry.name = Trim(line.substr(0, equals));
      entry.value = Trim(line.substr(equals + 1));
    }
    profile.sections_.back().lines.push_back(std::move(entry));
  }
  return profile;
}

const ProfileText::Section* ProfileText::Find(std::u16string_view name, Fold fold) const {
  for (const Section& section : sections_) {
    if (section.name && SameName(*section.name, name, fold)) return &section;
  }
  return nullptr;
}

ProfileText::Section* ProfileText::Find(std::u16string_view name) {
  return const_cast<Section*>(std::as_const(*this).Find(name, FoldAscii));
}

std::optional<std::u16string> ProfileText::Read(std::u16string_view section,
                                                std::u16string_view key, SectionMatch match) const {
  const Section* found = Find(section, FoldAscii);
  if (found == nullptr && match == SectionMatch::kAsciiThenCodePageCase) {
    found = Find(section, FoldCodePage);
  }
  if (found == nullptr) return std::nullopt;
  for (const Line& line : found->lines) {
    if (!line.value || !SameName(line.name, key)) continue;
    std::u16string_view value = *line.value;
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return std::u16string(value.substr(0, kMaxValueLength));
  }
  return std::nullopt;
}

bool ProfileText::Write(std::u16string_view section, std::u16string_view key,
                        std::u16string_view value) {
  Section* found = Find(section);
  if (found == nullptr) {
    sections_.push_back({std::u16string(Trim(section)), {}});
    found = &sections_.back();
  }
  for (Line& line : found->lines) {
    if (!line.value || !SameName(line.name, key)) continue;
    if (*line.value == value) return false;
    line.value = value;
    return true;
  }
  found->lines.push_back({std::u16string(Trim(key)), std::u16string(value)});
  return true;
}

std::u16string ProfileText::Format() const {
  std::u16string text;
  for (const Section& section : sections_) {
    if (section.name) text += u"[" + *section.name + u"]\r\n";
    for (const Line& line : section.lines) {
      text += line.name;
      if (line.value) text += u"=" + *line.value;
      text += u"\r\n";
    }
  }
  return text;
}

}  // namespace qf

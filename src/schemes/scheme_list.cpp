#include "schemes/scheme_list.h"

#include <cstddef>
#include <limits>
#include <utility>

#include "core/digits.h"

namespace qf {
namespace {

constexpr char16_t kQuote = u'"';

bool IsLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }

// Consumes the line end at `pos` (CR LF, LF or CR); returns the position after it.
std::size_t SkipLineEnd(std::u16string_view text, std::size_t pos) {
  if (text[pos] == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n') return pos + 2;
  return pos + 1;
}

// Consumes everything up to and including the next comma or line end.
std::size_t SkipPastDelimiter(std::u16string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] != u',' && !IsLineEnd(text[pos])) ++pos;
  if (pos == text.size()) return pos;
  return text[pos] == u',' ? pos + 1 : SkipLineEnd(text, pos);
}

// The text without the one line end it ends with, if any.
std::u16string_view WithoutFinalLineEnd(std::u16string_view text) {
  if (!text.empty() && text.back() == u'\n') text.remove_suffix(1);
  if (!text.empty() && text.back() == u'\r') text.remove_suffix(1);
  return text;
}

bool NeedsQuotes(std::u16string_view name) {
  if (!name.empty() && name.front() == u' ') return true;
  for (char16_t c : name) {
    if (c == u',' || IsLineEnd(c)) return true;
  }
  return false;
}

}  // namespace

std::u16string SchemeColorKey(int index) { return u"Fade" + FormatColorValue(index); }

std::vector<std::u16string> ParseSchemeList(std::u16string_view text) {
  return *ParseSchemeListUpTo(text, std::numeric_limits<std::size_t>::max());
}

std::optional<std::vector<std::u16string>> ParseSchemeListUpTo(std::u16string_view text,
                                                               std::size_t maxEntries) {
  std::vector<std::u16string> entries;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (entries.size() >= maxEntries) return std::nullopt;
    while (pos < text.size() && text[pos] == u' ') ++pos;
    if (pos < text.size() && text[pos] == kQuote) {
      const std::size_t start = pos + 1;
      const std::size_t close = text.find(kQuote, start);
      if (close == std::u16string_view::npos) {
        entries.emplace_back(WithoutFinalLineEnd(text.substr(start)));
        break;
      }
      entries.emplace_back(text.substr(start, close - start));
      pos = SkipPastDelimiter(text, close + 1);
      continue;
    }
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] != u',' && !IsLineEnd(text[pos])) ++pos;
    entries.emplace_back(text.substr(start, pos - start));
    if (pos < text.size()) pos = text[pos] == u',' ? pos + 1 : SkipLineEnd(text, pos);
  }
  return entries;
}

std::u16string FormatSchemeList(const std::vector<std::u16string>& names) {
  std::u16string text;
  for (const std::u16string& name : names) {
    // A name with a double quote cannot be quoted; written as it is, it reads back unchanged
    // unless the quote is its first character or it also needs quoting.
    const bool quote = NeedsQuotes(name) && name.find(kQuote) == std::u16string::npos;
    if (quote) text += kQuote;
    text += name;
    if (quote) text += kQuote;
    text += u"\r\n";
  }
  return text;
}

bool CanStoreSchemeName(std::u16string_view name, std::u16string* why) {
  auto refuse = [why](std::u16string_view reason) {
    if (why != nullptr) *why = reason;
    return false;
  };
  // The profile functions drop blanks around a section name, so a name of blanks only would
  // name no section at all.
  if (name.find_first_not_of(u" \t") == std::u16string_view::npos) {
    return refuse(u"A scheme name needs at least one character other than spaces.");
  }
  for (char16_t c : name) {
    if (c == kQuote) {
      return refuse(u"A scheme name cannot contain a double quote (\").");
    }
    if (c == u'[' || c == u']') {
      return refuse(u"A scheme name cannot contain square brackets ([ or ]).");
    }
    if (c < 0x20 || c == 0x7F) {
      return refuse(u"A scheme name cannot contain line breaks, tabs or other control characters.");
    }
  }
  return true;
}

std::optional<int32_t> ParseColorValue(std::u16string_view text) { return ParseInt32(text); }

std::optional<int32_t> ParseStoredColor(std::u16string_view text) {
  const std::optional<int32_t> value = ParseColorValue(text);
  if (!value || *value < 0 || *value > 0xFFFFFF) return std::nullopt;
  return value;
}

std::u16string FormatColorValue(int32_t color) {
  const std::string digits = std::to_string(color);
  return std::u16string(digits.begin(), digits.end());
}

void SchemeList::Start(ListFileState state, std::vector<std::u16string> names) {
  state_ = state;
  reportedKept_ = false;
  // A file that was not read gives no names.
  names_ = state == ListFileState::kRead ? std::move(names) : std::vector<std::u16string>{};
}

bool SchemeList::FitsWith(std::u16string_view name, ListFileAccess& file) const {
  // Each name is formatted on its own, so the list's text is the old text and the new line.
  std::u16string text = FormatSchemeList(names_);
  text += FormatSchemeList({std::u16string(name)});
  return SchemeListFileFits(names_.size() + 1, file.StoredSize(text));
}

void SchemeList::Add(std::u16string name) { names_.push_back(std::move(name)); }

bool SchemeList::RemoveAt(std::size_t index) {
  if (index >= names_.size()) return false;
  names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

ListSave SchemeList::Save(ListFileAccess& file) {
  // No list was read at start, so none was there: one that is there now came from elsewhere.
  if (state_ == ListFileState::kMissing && file.Present()) state_ = ListFileState::kAppeared;
  if (state_ != ListFileState::kMissing && state_ != ListFileState::kRead) {
    if (reportedKept_) return ListSave::kKeptAgain;
    reportedKept_ = true;
    return ListSave::kKept;
  }
  // A failed write keeps the state: a file that was missing is looked for again next time.
  if (!file.Write(names_)) return ListSave::kFailed;
  state_ = ListFileState::kRead;  // the file holds this run's list now
  return ListSave::kWritten;
}

}  // namespace qf

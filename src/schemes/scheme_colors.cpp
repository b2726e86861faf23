#include "schemes/scheme_colors.h"

#include <algorithm>
#include <optional>

#include "core/cp1252.h"
#include "core/utf.h"
#include "schemes/profile_text.h"
#include "schemes/scheme_list.h"

namespace qf {

namespace {

// A value quoted in a message, cut short and with control characters shown as '?', so the
// message stays one line.
std::string Quoted(std::u16string_view text) {
  constexpr std::size_t kShown = 40;
  std::string shown = Utf16ToUtf8(text.substr(0, kShown));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return "'" + shown + (text.size() > kShown ? "...'" : "'");
}

SchemeColors Failed(std::string error) { return {{}, std::move(error)}; }

}  // namespace

SchemeColors SchemeColorsFrom(std::string_view listBytes, std::string_view colorBytes,
                              std::string_view name, int count, std::string_view listName,
                              std::string_view colorName) {
  const std::optional<std::u16string> wanted = Utf8ToUtf16(name);
  if (!wanted) return Failed("the scheme name is not valid UTF-8");
  const std::string scheme = "scheme " + Quoted(*wanted);
  if (listBytes.size() > kMaxSchemeListBytes) {
    return Failed(std::string(listName) + " is larger than 4 MiB: the program does not read it");
  }
  const auto names = ParseSchemeListUpTo(DecodeCp1252(listBytes), kMaxSchemeEntries);
  if (!names) {
    return Failed(std::string(listName) +
                  " holds more than 32,767 names: the program does not "
                  "read it");
  }
  if (std::find(names->begin(), names->end(), *wanted) == names->end()) {
    return Failed("no " + scheme + " in " + std::string(listName));
  }
  const ProfileText profile = ProfileText::Parse(DecodeCp1252(colorBytes));
  SchemeColors result;
  for (int k = 1; k <= count; ++k) {
    const std::u16string key = SchemeColorKey(k);
    const std::string keyName = Utf16ToUtf8(key);
    const std::optional<std::u16string> value = profile.Read(*wanted, key);
    if (!value) {
      return Failed(std::string(colorName) + " has no " + keyName + " for " + scheme);
    }
    const std::optional<int32_t> color = ParseStoredColor(*value);
    if (!color) {
      return Failed(keyName + " of " + scheme + " in " + std::string(colorName) + " is " +
                    Quoted(*value) + ", not a colour value from 0 to 16777215");
    }
    result.colors.push_back(*color);
  }
  return result;
}

}  // namespace qf

#pragma once
// The program's text is std::u16string; Win32's wide calls take wchar_t, which is 16-bit on
// Windows, so the two convert by copying code units, nothing else.
#include <string>
#include <string_view>

namespace qf {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be 16-bit (Windows)");

inline std::wstring ToWide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

// A pointer to the code units of `text`, for calls that only read (and need no zero at the end
// beyond what std::u16string already keeps).
inline const wchar_t* WidePtr(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace qf

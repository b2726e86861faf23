#include "core/utf.h"

#include <cstring>

namespace qf {

namespace {

// Decodes the strict UTF-8 sequence at `i` (a lead byte of 0x80 or more); returns its code
// point and moves `i` past it, or returns nothing and leaves `i` alone when it is malformed.
std::optional<char32_t> DecodeMultiByte(std::string_view utf8, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(utf8[i]);
  std::size_t length = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  if (length > utf8.size() - i) return std::nullopt;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(utf8[i + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  i += length;
  return cp;
}

// The length of the run of ASCII bytes at `i`, eight at a time where it can.
std::size_t AsciiRun(std::string_view utf8, std::size_t i) {
  const std::size_t start = i;
  for (; utf8.size() - i >= 8; i += 8) {
    uint64_t bytes;
    std::memcpy(&bytes, utf8.data() + i, sizeof bytes);
    if ((bytes & 0x8080808080808080u) != 0) break;
  }
  while (i < utf8.size() && static_cast<unsigned char>(utf8[i]) < 0x80) ++i;
  return i - start;
}

}  // namespace

std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8) {
  // Sized once: UTF-16 never has more code units than UTF-8 has bytes.
  std::u16string out(utf8.size(), u'\0');
  char16_t* dst = out.data();
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      *dst++ = static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    const auto decoded = DecodeMultiByte(utf8, i);
    if (!decoded) return std::nullopt;
    char32_t cp = *decoded;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      *dst++ = static_cast<char16_t>(0xD800 + (cp >> 10));
      *dst++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      *dst++ = static_cast<char16_t>(cp);
    }
  }
  out.resize(static_cast<std::size_t>(dst - out.data()));
  return out;
}

std::size_t Utf8Length(std::u16string_view utf16) {
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t c = utf16[i];
    if (c < 0x80) {
      bytes += 1;
    } else if (c < 0x800) {
      bytes += 2;
    } else if (IsHighSurrogate(c) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
      bytes += 4;
      ++i;
    } else {
      bytes += 3;  // the rest of the BMP, and a lone surrogate as U+FFFD
    }
  }
  return bytes;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  // Sized exactly once, then written through a pointer.
  std::string out(Utf8Length(utf16), '\0');
  const char16_t* src = utf16.data();
  const char16_t* const end = src + utf16.size();
  char* dst = out.data();
  while (src < end) EncodeUtf8Character(src, end, dst);
  return out;
}

std::optional<std::size_t> CountUtf8Characters(std::string_view utf8) {
  std::size_t count = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t ascii = AsciiRun(utf8, i);
    count += ascii;
    i += ascii;
    if (i == utf8.size()) break;
    if (!DecodeMultiByte(utf8, i)) return std::nullopt;
    ++count;
  }
  return count;
}

}  // namespace qf

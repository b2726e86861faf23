#pragma once
// Windows-1252, the ANSI code page of Western Windows systems, in which the desktop program's
// scheme files are written. Windows converts with its own calls; this is the same table for
// code that handles those files elsewhere (the browser page). Bytes 0x81, 0x8D, 0x8F, 0x90 and
// 0x9D, which name no character, stand for U+0081, U+008D, U+008F, U+0090 and U+009D both ways,
// as Windows converts them.
#include <optional>
#include <string>
#include <string_view>

namespace qf {

// Every byte is one character, so any bytes decode.
//   DecodeCp1252("Caf\xE9 \x80") == u"Caf\u00E9 \u20AC"
std::u16string DecodeCp1252(std::string_view bytes);

// The bytes of `text`, or nullopt when one of its characters has no byte in the code page (so
// the text would not read back as it was: Windows would write "?" or a look-alike letter).
//   EncodeCp1252(u"Caf\u00E9") == "Caf\xE9";  EncodeCp1252(u"\u65E5") == std::nullopt
std::optional<std::string> EncodeCp1252(std::u16string_view text);

}  // namespace qf

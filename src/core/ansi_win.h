#pragma once
// Text crossing to the chat client, the scheme files and the tray tip: UTF-16 to the system's
// ANSI code page and back (cp1252 on a Western system). Characters the code page lacks become
// its default character.
//   ToAnsi(u"Caf\u00E9") == "Caf\xE9" (code page 1252)
#include <string>
#include <string_view>

namespace qf {

std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view text);

}  // namespace qf

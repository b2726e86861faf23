#pragma once
// The program's name as its windows, message boxes and tray tip show it.

namespace qf {

inline constexpr char16_t kProgramTitle[] = u"Quelvane Fader 1.0";

}  // namespace qf

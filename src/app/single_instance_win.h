#pragma once
// One copy of the program at a time. A second start (a double double-click) would announce
// in the chat room again and fight the first copy for the tray icon's id; instead it asks the
// running copy's main window to come forward and ends.
//
// In WinMain, before any window is made:
//   if (!qf::ClaimSingleInstance()) return 0;
// In the main window's message handler:
//   if (message == qf::ComeForwardMessage()) BringToFront();
#include <windows.h>

namespace qf {

// The message a second copy posts to the running copy's main window: come forward, out of
// the tray if it is there.
UINT ComeForwardMessage();

// True when no other copy runs: this process then holds the program's mutex until it ends.
// False when one does: its main window has been asked to come forward (when it could be found
// within a few seconds, as that copy may itself be starting), and the caller ends at once.
[[nodiscard]] bool ClaimSingleInstance();

}  // namespace qf

#pragma once
// One copy of the program at a time. A second start (a double double-click) would announce
// in the chat room again and fight the first copy for the tray icon's id; instead it asks the
// running copy's main window to come forward and ends.
//
// In WinMain, before any window is made:
//   if (!qf::ClaimSingleInstance()) return 0;
// In the main window's message handler (the answer tells the second copy it may end):
//   if (message == qf::ComeForwardMessage()) { BringToFront(); return kCameForward; }
// On the way out, before the exit announcement:
//   qf::ReleaseSingleInstance();
#include <windows.h>

namespace qf {

// The message a second copy sends to the running copy's main window: come forward, out of
// the tray if it is there.
UINT ComeForwardMessage();

// What the running copy answers to ComeForwardMessage() once it has come forward. Any other
// answer (none at all, a copy still starting or already ending) makes the second copy wait.
inline constexpr LRESULT kCameForward = 0x51460001;

// True when this process may run: no other copy holds the program's claim, or the one that
// did gave it up (it is ending) while this one waited. The claim is then this process's until
// ReleaseSingleInstance() or its end.
// False when another copy runs: it came forward, and the caller ends at once. A copy that
// neither answers nor ends within a few seconds (hung) is reported to the user, and the caller
// ends too, as two copies would fight over the chat room and the tray.
// A claim that cannot even be opened (another copy made it with rights this process lacks,
// say elevated) counts as held, never as free.
[[nodiscard]] bool ClaimSingleInstance();

// Gives the claim up, so that a copy started from now on runs at once: the first step of the
// exit, before the announcement, which may take seconds in a slow chat room.
void ReleaseSingleInstance();

}  // namespace qf

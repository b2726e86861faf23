#pragma once
// The main window's icon in the notification area of the taskbar. One icon (id 1) for the
// whole program; its reports arrive at the window as TrayCallbackMessage() with the mouse
// message in lParam's low word, which TrayMessage (tray.h) decodes.
//
// In the main window:
//   Label4 released:  TrayAdd(Icon(), Caption(), Handle());
//   HandleMessage:    if (message == TrayCallbackMessage() &&
//                         TrayMessage(LOWORD(lParam)) != 0) TrayRestore(Handle());
//                     if (message == TaskbarCreatedMessage()) TrayReAdd(Handle());
#include <windows.h>

#include <string_view>

#include "chrome/tray.h"

namespace qf {

// Adds the icon with the tip `tip` (as ANSI text, cut to 63 bytes), reporting to `window`, then
// hides `window`. When the shell refuses the add (its id taken by an icon it made anyway),
// the icon is changed instead, or taken away and added again. If no icon can be shown, the
// window stays visible (nothing could bring it back otherwise) and the result is false.
[[nodiscard]] bool TrayAdd(HICON icon, std::u16string_view tip, HWND window);

// Removes the icon of `window`, if the shell has one, whether or not an add reported success.
void TrayRemove(HWND window);

// Whether `window` is put away in the tray (its icon added and not yet removed).
bool TrayHolds(HWND window);

// TrayRemove, then shows `window` again.
void TrayRestore(HWND window);

// The message the icon's reports arrive as: one of the program's own, so no other message
// (a mouse move over the window, say) is ever taken for one.
constexpr UINT TrayCallbackMessage() { return WM_APP + 0x51; }

// The message the shell broadcasts when the taskbar has been made anew (after explorer.exe
// restarted): every icon is gone from it then.
UINT TaskbarCreatedMessage();

// Adds `window`'s icon again as it was last added, when the window is in the tray; call it on
// TaskbarCreatedMessage(). Returns whether an icon was added.
[[nodiscard]] bool TrayReAdd(HWND window);

}  // namespace qf

#pragma once
// The link to the running AOL client: find its chat room by window class and drive the
// room's input box and send button with window messages, as 8-bit text in the system's
// ANSI code page.
//
// Every message goes through SendMessageTimeoutA with SMTO_ABORTIFHUNG and a limit of
// kChatMessageTimeoutMs, so a client that has stopped answering cannot freeze the program.
// When one message of a send fails, the rest of that send is dropped: the send button is
// never pressed on a box that may not hold the line.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "chat/pause.h"
#include "core/ansi_win.h"

namespace qf {

// The longest a single message to the client may take.
inline constexpr UINT kChatMessageTimeoutMs = 3000;

// The most text read back from a window of the client, in bytes: far above any chat line
// (a 32,767-character line faded is about 700 KB), and a bound on what another process's
// reported length can make this program allocate.
inline constexpr std::size_t kMaxChatTextBytes = 4u << 20;

struct ChatRoomWindows {
  HWND room = nullptr;   // the front-most "AOL Child" of the client's MDI area
  HWND input = nullptr;  // the room's first "RICHCNTL" child
};

// Finds the frame ("AOL Frame25"), its "MDIClient", the front-most "AOL Child" and that
// child's first "RICHCNTL". A missing window leaves it and every later one null.
ChatRoomWindows FindChatRoom();

// What became of a line sent with ChatSend.
enum class ChatSendResult {
  kDelivered,   // the room took it
  kNoChatRoom,  // no chat room is open (nothing was sent)
  kNotTaken,    // the room has no input box or send button, or a message to it was not
                // delivered (timeout, hung client, window gone)
};

// Puts `line` into the room's input box (replacing what the user typed there) and presses
// the room's sixth "_AOL_Icon" button, and says what became of the line (no chat room open is
// known at once).
//   if (ChatSend(u"<b><Font Color=#FF0000>h") != ChatSendResult::kDelivered) { /* keep it */ }
[[nodiscard]] ChatSendResult ChatSend(std::u16string_view line);

// Puts `line` into the input box, waits until the box's text length has settled
// (WaitForSteadyText) and types a carriage return into the box. Takes at least a second
// with a client; returns at once without one.
void ChatSendEnter(std::u16string_view line);

// The window's text as ANSI bytes (at most kMaxChatTextBytes of it), or nullopt when the
// window does not answer in time (hung, or gone) or reports a negative length.
[[nodiscard]] std::optional<std::string> TryGetText(HWND window);

// The window's text as ANSI bytes; empty when it cannot be read.
std::string GetText(HWND window);

// Waits until three readings of the window's text length, half a second apart, agree on a
// length other than zero, while pending messages run. Ends at once (kUnreadable) for a
// null window or one that stops answering, and gives up (kGaveUp) after about five seconds
// without settling, so an empty box cannot hold up start-up or exit.
SteadyWait WaitForSteadyText(HWND window);

}  // namespace qf

#include "chat/chat_link_win.h"

#include <algorithm>
#include <vector>

#include "chat/pause.h"

namespace {

constexpr char kFrameClass[] = "AOL Frame25";
constexpr char kMdiClass[] = "MDIClient";
constexpr char kRoomClass[] = "AOL Child";
constexpr char kInputClass[] = "RICHCNTL";
constexpr char kIconClass[] = "_AOL_Icon";
constexpr int kSendIconNumber = 6;

// One synchronous message to the client, bounded in time. False when it was not delivered
// (timeout, hung client, window gone). SMTO_ABORTIFHUNG returns at once for a client the
// system already considers hung instead of waiting out the limit.
bool Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                             qf::kChatMessageTimeoutMs, result ? result : &ignored) != 0;
}

// FindWindowExA over the children of `parent` that follow `after`; a search after a null
// child starts again at the first one.
HWND NextChild(HWND parent, HWND after, const char* className) {
  return FindWindowExA(parent, after, className, nullptr);
}

// The sixth "_AOL_Icon" of the room, by six chained searches. With fewer than six icons a
// search after the last one finds nothing and the next starts over, so the chain lands on
// icon 6 mod (k + 1), or on nothing.
HWND FindSendIcon(HWND room) {
  HWND icon = nullptr;
  for (int i = 0; i < kSendIconNumber; ++i) icon = NextChild(room, icon, kIconClass);
  return icon;
}

bool SetLine(HWND input, const std::string& ansi) {
  return Deliver(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str()));
}

}  // namespace

qf::ChatRoomWindows qf::FindChatRoom() {
  // A missing window stops the chain: searching under a null parent would scan the
  // top-level windows instead.
  ChatRoomWindows found;
  const HWND frame = FindWindowA(kFrameClass, nullptr);
  if (!frame) return found;
  const HWND mdi = NextChild(frame, nullptr, kMdiClass);
  if (!mdi) return found;
  found.room = NextChild(mdi, nullptr, kRoomClass);
  if (!found.room) return found;
  found.input = NextChild(found.room, nullptr, kInputClass);
  return found;
}

qf::ChatSendResult qf::ChatSend(std::u16string_view line) {
  const ChatRoomWindows chat = FindChatRoom();
  if (!chat.room) return ChatSendResult::kNoChatRoom;
  const std::string ansi = ToAnsi(line);
  // A room without an input box still gets its button pressed, as with any front window,
  // but the line went nowhere.
  if (chat.input && !SetLine(chat.input, ansi)) return ChatSendResult::kNotTaken;
  const HWND icon = FindSendIcon(chat.room);
  if (!icon) return ChatSendResult::kNotTaken;
  // The client's buttons fire on a press followed by the release of the space bar.
  if (!Deliver(icon, WM_LBUTTONDOWN, 0, 0)) return ChatSendResult::kNotTaken;
  return Deliver(icon, WM_KEYUP, VK_SPACE, 0) && chat.input != nullptr
             ? ChatSendResult::kDelivered
             : ChatSendResult::kNotTaken;
}

void qf::ChatSendEnter(std::u16string_view line) {
  const HWND input = FindChatRoom().input;
  if (!input) return;
  if (!SetLine(input, ToAnsi(line))) return;
  // A box that stops answering while we wait gets no carriage return; one that merely
  // never settles (emptied, or still changing) gets it once the wait gives up, as the
  // line is in the box by then.
  const SteadyWait wait = WaitForSteadyText(input);
  if (wait == SteadyWait::kUnreadable || wait == SteadyWait::kQuitting) return;
  Deliver(input, WM_CHAR, '\r', 0);
}

std::optional<std::string> qf::TryGetText(HWND window) {
  DWORD_PTR reported = 0;
  if (!Deliver(window, WM_GETTEXTLENGTH, 0, 0, &reported)) return std::nullopt;
  // The length comes from another process: a negative one is no answer, and a huge one is
  // read only up to the bound instead of being allocated.
  if (static_cast<LONG_PTR>(reported) < 0) return std::nullopt;
  const std::size_t length = std::min<std::size_t>(reported, kMaxChatTextBytes);
  std::vector<char> buffer(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!Deliver(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
               &copied)) {
    return std::nullopt;
  }
  // The text may have shrunk between the two messages: keep what was copied.
  return std::string(buffer.data(), std::min<std::size_t>(copied, length));
}

std::string qf::GetText(HWND window) { return TryGetText(window).value_or(std::string()); }

qf::SteadyWait qf::WaitForSteadyText(HWND window) {
  if (!window) return SteadyWait::kUnreadable;
  return WaitForSteadyLength([window]() -> std::optional<std::size_t> {
    const std::optional<std::string> text = TryGetText(window);
    if (!text) return std::nullopt;
    return text->size();
  });
}

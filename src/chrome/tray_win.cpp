#include "chrome/tray_win.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "core/ansi_win.h"
#include "core/owned_handle_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/win32_win.h"

namespace qf {
namespace {

// The first version of the record: what every shell understands, with a 64-byte tip. Its size
// follows the build (the handle fields are 8 bytes wide in 64-bit code).
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88);
static_assert(sizeof(void*) != 8 || NOTIFYICONDATAA_V1_SIZE == 104);

constexpr UINT kIconId = 1;
constexpr std::size_t kFirstVersionTipBytes = 64;
static_assert(sizeof(NOTIFYICONDATAA{}.szTip) >= kFirstVersionTipBytes);

// The one record of the program: TrayAdd fills it, TrayRemove and TrayReAdd use it as it was
// left.
NOTIFYICONDATAA record{};
bool inTray = false;

// `text` cut to at most `limit` bytes without splitting a double-byte character.
std::string CutAnsi(std::string text, std::size_t limit) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next =
        end + (IsDBCSLeadByte(static_cast<BYTE>(text[end])) && end + 1 < text.size() ? 2 : 1);
    if (next > limit) break;
    end = next;
  }
  text.resize(end);
  return text;
}

// The icon at the tray's size for the window's DPI (the small icon's size there), taken from
// the icon's resource where it has one of that size, so it is drawn sharp, not shrunk by the
// shell. The last copy is kept for as long as the shell may show it.
HICON SizedForTray(HICON icon, HWND window) {
  static OwnedIcon sized;
  static HICON sizedFrom = nullptr;
  static int sizedTo = 0;
  if (icon == nullptr) return nullptr;
  const int size = SmallIconSize(WindowDpi(window));
  if (sized && sizedFrom == icon && sizedTo == size) return sized.Get();
  HICON copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE));
  if (copy == nullptr) return icon;  // the shell then shrinks the icon itself
  if (sized.Get() == record.hIcon) (void)sized.Release();  // the shell may still show it
  sized.Reset(copy);
  sizedFrom = icon;
  sizedTo = size;
  return sized.Get();
}

// Shell_NotifyIconA with shell32 loaded at the first use of the tray, not at start-up.
BOOL NotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
  static const auto notify =
      LateBound<decltype(Shell_NotifyIconA)>(L"shell32.dll", "Shell_NotifyIconA");
  return notify != nullptr && notify(message, data);
}

}  // namespace

bool TrayAdd(HICON icon, std::u16string_view tip, HWND window) {
  NOTIFYICONDATAA filled{};
  filled.cbSize = NOTIFYICONDATAA_V1_SIZE;
  filled.hWnd = window;
  filled.uID = kIconId;
  filled.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  filled.uCallbackMessage = TrayCallbackMessage();
  filled.hIcon = SizedForTray(icon, window);
  // The tip and its terminating zero fit the first version's 64 bytes; the rest stays zero.
  const std::string ansiTip = CutAnsi(ToAnsi(tip), kFirstVersionTipBytes - 1);
  std::memcpy(filled.szTip, ansiTip.data(), ansiTip.size());

  // An add the shell refused may still have been made (a shell that timed out, or an icon
  // left from before): then the id is taken and only a change of that icon works. As the last
  // resort the icon is taken away and added anew.
  bool shown = NotifyIcon(NIM_ADD, &filled) != 0 || NotifyIcon(NIM_MODIFY, &filled) != 0;
  if (!shown) {
    NotifyIcon(NIM_DELETE, &filled);
    shown = NotifyIcon(NIM_ADD, &filled) != 0;
  }
  if (!shown) return false;
  record = filled;
  inTray = true;
  ShowWindow(window, SW_HIDE);
  return true;
}

void TrayRemove(HWND window) {
  // Always asked of the shell, whatever this program believes: an icon it was told was not
  // added may be there all the same.
  NOTIFYICONDATAA remove{};
  remove.cbSize = NOTIFYICONDATAA_V1_SIZE;
  remove.hWnd = window;
  remove.uID = kIconId;
  NotifyIcon(NIM_DELETE, &remove);
  if (record.hWnd == window) inTray = false;
}

bool TrayHolds(HWND window) { return inTray && record.hWnd == window; }

void TrayRestore(HWND window) {
  TrayRemove(window);
  ShowWindow(window, SW_SHOW);
}

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

bool TrayReAdd(HWND window) {
  if (!inTray || record.hWnd != window) return false;
  return NotifyIcon(NIM_ADD, &record) != 0;
}

}  // namespace qf

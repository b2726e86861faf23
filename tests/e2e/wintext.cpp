// wintext.exe: what a person reads on the screen, for the end-to-end tests. Prints every
// visible top-level window of the desktop and, under it, its visible child windows with their
// texts, one line each, as UTF-8:
//   W <left>,<top>,<width>,<height> <class>|<title>
//   C <left>,<top>,<width>,<height> <class>|<text>
// (for a scroll bar, its position instead of the text) and, under a list box, its items (the
// selected one marked *), each with where the list shows it (outside the list when scrolled away):
//   I <index> <left>,<top>,<width>,<height> [*]|<text>
// Positions are screen pixels. Texts are asked for with WM_GETTEXT (with a time limit, so a
// hung window cannot stop the tool): a text box of another process answers with what it holds,
// which GetWindowText would not. Line breaks inside a text are printed as \r and \n.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!Ask(window, WM_GETTEXTLENGTH, 0, 0, length)) return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), copied)) {
    return L"";
  }
  text.resize(copied);
  return text;
}

std::string Escaped(const std::wstring& text) {
  std::string escaped;
  for (char c : Utf8(text)) {
    if (c == '\r') {
      escaped += "\\r";
    } else if (c == '\n') {
      escaped += "\\n";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

void PrintItems(HWND list) {
  DWORD_PTR count = 0, selected = 0, height = 0, first = 0;
  if (!Ask(list, LB_GETCOUNT, 0, 0, count) || !Ask(list, LB_GETCURSEL, 0, 0, selected) ||
      !Ask(list, LB_GETITEMHEIGHT, 0, 0, height) || !Ask(list, LB_GETTOPINDEX, 0, 0, first)) {
    return;
  }
  // The items lie one under the other from the top of the list's client area, the first shown
  // one at the top (a list of one fixed item height).
  RECT client{};
  GetClientRect(list, &client);
  POINT origin{0, 0};
  ClientToScreen(list, &origin);
  for (DWORD_PTR i = 0; i < count; ++i) {
    DWORD_PTR length = 0;
    if (!Ask(list, LB_GETTEXTLEN, i, 0, length) || length == static_cast<DWORD_PTR>(LB_ERR)) continue;
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()), copied)) continue;
    text.resize(copied);
    const long top = origin.y + (static_cast<long>(i) - static_cast<long>(first)) *
                                    static_cast<long>(height);
    std::printf("I %u %ld,%ld,%ld,%u %s|%s\n", static_cast<unsigned>(i), origin.x, top,
                client.right, static_cast<unsigned>(height), i == selected ? "*" : "",
                Escaped(text).c_str());
  }
}

void Print(char kind, HWND window) {
  wchar_t className[256] = {};
  GetClassNameW(window, className, 256);
  RECT rect{};
  GetWindowRect(window, &rect);
  std::string text = Escaped(TextOf(window));
  DWORD_PTR position = 0;
  if (lstrcmpiW(className, L"ScrollBar") == 0 && Ask(window, SBM_GETPOS, 0, 0, position)) {
    text = std::to_string(static_cast<int>(position));
  }
  std::printf("%c %ld,%ld,%ld,%ld %s|%s\n", kind, rect.left, rect.top, rect.right - rect.left,
              rect.bottom - rect.top, Utf8(className).c_str(), text.c_str());
  if (lstrcmpiW(className, L"ListBox") == 0) PrintItems(window);
}

BOOL CALLBACK OnChild(HWND child, LPARAM) {
  if (IsWindowVisible(child)) Print('C', child);
  return TRUE;
}

BOOL CALLBACK OnTopLevel(HWND window, LPARAM) {
  if (!IsWindowVisible(window)) return TRUE;
  Print('W', window);
  EnumChildWindows(window, OnChild, 0);
  return TRUE;
}

}  // namespace

int main() {
  // Rectangles in physical pixels at every display scale, as the screen and xdotool see them
  // (an unaware program would be told scaled-down ones).
  SetProcessDPIAware();
  EnumWindows(OnTopLevel, 0);
  std::fflush(stdout);
  return 0;
}

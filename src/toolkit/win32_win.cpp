#include "toolkit/win32_win.h"

#include <map>

#include "core/report_win.h"
#include "core/wide_win.h"

namespace qf {
HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, buffer.data(), length + 1);
  buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return FromWide(buffer);
}

bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure, bool doubleClicks,
                         HCURSOR cursor) {
  static std::map<std::wstring, bool> registered;
  const auto [entry, fresh] = registered.try_emplace(name, false);
  if (!fresh) return entry->second;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = doubleClicks ? CS_DBLCLKS : 0;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = Instance();
  windowClass.hCursor = cursor;
  windowClass.lpszClassName = name;
  entry->second = RegisterClassExW(&windowClass) != 0;
  ReportIf(!entry->second, "a window class could not be registered");
  return entry->second;
}

FARPROC LateBoundProc(const wchar_t* dll, const char* name) {
  // Loaded for good: the functions are used until the program ends.
  HMODULE module = GetModuleHandleW(dll);
  if (module == nullptr) module = LoadLibraryW(dll);
  return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

POINT CursorInClient(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(window, &cursor);
  return cursor;
}


}  // namespace qf

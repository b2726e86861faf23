#pragma once
// The small Win32 helpers that the toolkit, the forms and the tools all need, written once:
// the module instance, window texts, class registration, mouse positions, rectangles, and the
// wiring check. (The ANSI conversion is core/ansi_win.h, which this includes.)
#include <windows.h>

#include <string>
#include <string_view>

#include "core/ansi_win.h"
#include "core/rect.h"

namespace qf {

// The program's own module (for window classes and dialogs).
HINSTANCE Instance();

// The text of any window, read whole (empty when it has none or is gone).
std::u16string WindowText(HWND window);

// Registers a window class of this module once; later calls with the same name only report
// whether that first registration worked. The class gets CS_DBLCLKS when `doubleClicks`.
//   if (!RegisterWindowClass(L"QfForm", &Form::WindowProc, true)) return;
[[nodiscard]] bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure, bool doubleClicks = true,
                         HCURSOR cursor = nullptr);

// Mouse positions in a mouse message's lParam: signed 16-bit words, negative left of or above
// the window.
inline int MouseX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
inline int MouseY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

// Where the mouse pointer is now, in `window`'s client coordinates.
POINT CursorInClient(HWND window);

// The Win32 RECT (right and bottom edges) of a layout rectangle (width and height).
constexpr RECT ToRECT(const Rect& r) { return {r.left, r.top, r.Right(), r.Bottom()}; }

// A function of a system DLL that the program needs only late (the colour dialog, the tray
// icon): the DLL is loaded at the first call instead of with the exe. Every DLL an exe imports
// is loaded, with everything it imports in turn, before the program's first line runs and so
// before its window can show; comdlg32 and shell32 together cost as much under Wine as a
// fifth of an empty window's whole start. Null when the DLL or the function is missing.
//   static const auto choose = LateBound<decltype(ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
//   if (choose == nullptr || !choose(&settings)) ...
FARPROC LateBoundProc(const wchar_t* dll, const char* name);
template <typename Function>
Function* LateBound(const wchar_t* dll, const char* name) {
  // Through void (*)(), the one cast GCC accepts between unrelated function pointer types.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(LateBoundProc(dll, name)));
}


}  // namespace qf

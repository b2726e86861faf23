#pragma once
// Finding the C++ object behind a window in a window procedure.
#include <windows.h>

namespace qf {

// The object that owns `hwnd`. It is handed over once, as CreateWindowEx's last argument, and
// kept in GWLP_USERDATA from WM_NCCREATE on; `handle` (the owner's window member) is set then
// too, so the owner knows its window before CreateWindowEx returns. Null for the few
// messages that come before WM_NCCREATE.
template <typename Owner>
Owner* WindowOwner(HWND hwnd, UINT message, LPARAM lParam, HWND Owner::*handle) {
  if (message == WM_NCCREATE) {
    auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    owner->*handle = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  }
  return reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace qf

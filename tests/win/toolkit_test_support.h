#pragma once
// Helpers for the toolkit's tests under Wine: waits with deadlines, and a driver that acts on
// a modal window (dialog, menu) from a timer while the modal loop runs.
#include <windows.h>

#include <functional>
#include <string>

#include "core/events.h"

namespace qf::test {

// Processes window messages until `done()` holds or `milliseconds` have passed.
inline bool PumpUntil(const std::function<bool()>& done, unsigned milliseconds = 3000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return false;
    WaitForEvents(10);
    DoEvents();
  }
  return true;
}

inline void PumpFor(unsigned milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

struct WindowSearch {
  const wchar_t* className;
  const wchar_t* title;
  bool visibleOnly;
  HWND found;
};

inline BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (search->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
  if (lstrcmpiW(name, search->className) != 0) return TRUE;
  if (search->title != nullptr) {
    wchar_t text[128] = {};
    GetWindowTextW(hwnd, text, 128);
    if (lstrcmpW(text, search->title) != 0) return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

// The first top-level window of this thread with class `className` (and `title`, if given;
// only visible ones unless `visibleOnly` is false), or null.
inline HWND FindThreadWindow(const wchar_t* className, const wchar_t* title = nullptr,
                             bool visibleOnly = true) {
  WindowSearch search{className, title, visibleOnly, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// While a modal loop runs (DialogBox, MessageBox, TrackPopupMenu), a thread timer looks for
// the window of class `className` and runs `action` on it once. After `milliseconds` without
// finding it, it stops looking (the test then fails instead of hanging).
class ModalDriver {
 public:
  ModalDriver(const wchar_t* className, std::function<void(HWND)> action,
              unsigned milliseconds = 5000)
      : className_(className),
        action_(std::move(action)),
        start_(GetTickCount()),
        limit_(milliseconds) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 30, &ModalDriver::Tick);
  }
  ~ModalDriver() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;
  bool Acted() const { return acted_; }
  HWND Window() const { return window_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalDriver* self = current_;
    if (self == nullptr || self->acted_ || self->busy_) return;
    if (GetTickCount() - self->start_ > self->limit_) return;
    HWND window = FindThreadWindow(self->className_);
    if (window == nullptr) return;
    self->busy_ = true;
    self->window_ = window;
    self->acted_ = true;
    self->action_(window);
    self->busy_ = false;
  }

  static inline ModalDriver* current_ = nullptr;
  const wchar_t* className_;
  std::function<void(HWND)> action_;
  DWORD start_;
  unsigned limit_;
  UINT_PTR timer_ = 0;
  bool acted_ = false;
  bool busy_ = false;
  HWND window_ = nullptr;
};

// Posts the characters of `text` to `window` as typed characters.
inline void PostText(HWND window, const std::wstring& text) {
  for (wchar_t c : text) PostMessageW(window, WM_CHAR, c, 1);
}

inline void PostKey(HWND window, UINT key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

}  // namespace qf::test

#pragma once
// Helpers for the toolkit's tests under Wine: waits with deadlines, and a driver that acts on
// a modal window (dialog, menu) from a timer while the modal loop runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>
#include <string>

#include "core/events.h"
#include "core/rect.h"
#include "toolkit/gdi_win.h"

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

// What the process holds of the window system, to see that it stays flat: the system's GDI and
// USER counts (always 0 under Wine, whose GetGuiResources is a stub), the GDI objects held by
// the toolkit's owners and the deletes the system refused, and this thread's windows.
struct ObjectCounts {
  DWORD gdi = 0;
  DWORD user = 0;
  long held = 0;
  long failedDeletes = 0;
  int windows = 0;
};

inline BOOL CALLBACK CountWindow(HWND hwnd, LPARAM data) {
  ++*reinterpret_cast<int*>(data);
  EnumChildWindows(hwnd, &CountWindow, data);
  return TRUE;
}

inline ObjectCounts CountObjects() {
  ObjectCounts counts;
  counts.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  counts.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  counts.held = gdiOwnerCounts.held;
  counts.failedDeletes = gdiOwnerCounts.failedDeletes;
  EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&counts.windows));
  return counts;
}

// `after` holds no more than `before` (give or take `slack` system objects for caches).
inline ::testing::AssertionResult StaysFlat(const ObjectCounts& before, const ObjectCounts& after,
                                            DWORD slack = 2) {
  if (after.gdi > before.gdi + slack || after.user > before.user + slack ||
      after.held > before.held || after.failedDeletes != before.failedDeletes ||
      after.windows > before.windows) {
    return ::testing::AssertionFailure()
           << "GDI " << before.gdi << "->" << after.gdi << ", USER " << before.user << "->"
           << after.user << ", held " << before.held << "->" << after.held
           << ", failed deletes " << before.failedDeletes << "->" << after.failedDeletes
           << ", windows " << before.windows << "->" << after.windows;
  }
  return ::testing::AssertionSuccess();
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

// Answers the modal dialogs (#32770: message boxes, the input box, the colour dialog) that
// come up one after another, each with the next action, and keeps the first static text of
// each (a message box's message). Dialogs beyond the actions are closed with Enter.
class DialogSequence {
 public:
  explicit DialogSequence(std::vector<std::function<void(HWND)>> actions)
      : actions_(std::move(actions)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 30, &DialogSequence::Tick);
  }
  ~DialogSequence() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  DialogSequence(const DialogSequence&) = delete;
  DialogSequence& operator=(const DialogSequence&) = delete;
  // The message of each dialog answered so far, in order.
  const std::vector<std::wstring>& Texts() const { return texts_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogSequence* self = current_;
    if (self == nullptr || self->busy_) return;
    HWND dialog = FindThreadWindow(L"#32770");
    if (dialog == nullptr || dialog == self->last_) return;
    self->busy_ = true;
    self->last_ = dialog;
    wchar_t text[512] = {};
    // The first static with a text (a message box may have an icon's static before it).
    for (HWND label = FindWindowExW(dialog, nullptr, L"Static", nullptr);
         label != nullptr && text[0] == 0; label = FindWindowExW(dialog, label, L"Static", nullptr)) {
      GetWindowTextW(label, text, 512);
    }
    self->texts_.emplace_back(text);
    const std::size_t step = self->texts_.size() - 1;
    if (step < self->actions_.size()) {
      self->actions_[step](dialog);
    } else {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    self->busy_ = false;
  }

  static inline DialogSequence* current_ = nullptr;
  std::vector<std::function<void(HWND)>> actions_;
  std::vector<std::wstring> texts_;
  UINT_PTR timer_ = 0;
  HWND last_ = nullptr;
  bool busy_ = false;
};

// A left click (press and release) at the middle of `area` of `window` (client pixels), through
// its window procedure as the mouse would send it: a form's click label or background, or a
// control's own window with its whole client area.
inline void ClickAt(HWND window, const Rect& area) {
  const LPARAM at = MAKELPARAM(area.left + area.width / 2, area.top + area.height / 2);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(window, WM_LBUTTONUP, 0, at);
}

// A left double click there: press, release, the second press as a double click, release.
inline void DoubleClickAt(HWND window, const Rect& area) {
  const LPARAM at = MAKELPARAM(area.left + area.width / 2, area.top + area.height / 2);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(window, WM_LBUTTONUP, 0, at);
  SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(window, WM_LBUTTONUP, 0, at);
}

// The whole client area of a control, for ClickAt on its own window.
inline Rect InsideOf(const Rect& bounds) { return {0, 0, bounds.width, bounds.height}; }

// Posts the characters of `text` to `window` as typed characters.
inline void PostText(HWND window, const std::wstring& text) {
  for (wchar_t c : text) PostMessageW(window, WM_CHAR, c, 1);
}

inline void PostKey(HWND window, UINT key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

}  // namespace qf::test

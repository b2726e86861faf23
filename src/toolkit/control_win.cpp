#include "toolkit/control_win.h"

#include <commctrl.h>

#include <algorithm>

#include "core/report_win.h"
#include "toolkit/form_win.h"
#include "toolkit/timer_win.h"
#include "toolkit/win32_win.h"

namespace qf {
namespace {
constexpr UINT_PTR kFocusWatchId = 0x4B;
}

Control::Control(Form& form, Rect bounds) : form_(form), bounds_(bounds) {
  // Child windows are made with the form's window: one declared later would never get one.
  ReportIf(form_.hwnd_ != nullptr || form_.creating_,
           "a control was declared after its form's window was created", FailureLevel::kWiring);
  form_.controls_.push_back(this);
}

Control::~Control() {
  if (hwnd_ != nullptr) RemoveWindowSubclass(hwnd_, &Control::WatchFocus, kFocusWatchId);
  auto& list = form_.controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  // Controls are members of their form: this one going means the form is being destroyed.
  // From now on no message may reach the half-destroyed form; its window, and this child
  // with it, is destroyed by ~Form.
  form_.Detach();
}

HWND Control::Handle() {
  if (hwnd_ == nullptr) form_.Handle();
  return hwnd_;
}


Rect Control::PlacedBounds() const { return form_.Scaling().Map(bounds_); }

void Control::Rescale() {
  if (hwnd_ == nullptr) return;
  const Rect placed = PlacedBounds();
  SetWindowPos(hwnd_, nullptr, placed.left, placed.top, placed.width, placed.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.ControlFont()), TRUE);
}

HWND Control::CreateChild(const wchar_t* className, DWORD style, DWORD exStyle, const wchar_t* text,
                          void* param) {
  static int nextId = 1000;
  const Rect placed = PlacedBounds();
  HWND child =
      CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, placed.left,
                      placed.top, placed.width, placed.height, form_.hwnd_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)), Instance(), param);
  if (ReportIf(child == nullptr, "a control could not be created")) return nullptr;
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(form_.ControlFont()), FALSE);
  SetWindowSubclass(child, &Control::WatchFocus, kFocusWatchId, reinterpret_cast<DWORD_PTR>(this));
  return child;
}

LRESULT CALLBACK Control::WatchFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &Control::WatchFocus, id);
  const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
    // The new owner of the focus: this control, or the window WM_KILLFOCUS names.
    const HWND focus = message == WM_SETFOCUS ? hwnd : reinterpret_cast<HWND>(wParam);
    reinterpret_cast<Control*>(self)->form_.keyboard_.FocusMovedTo(focus);
  }
  return result;
}

}  // namespace qf

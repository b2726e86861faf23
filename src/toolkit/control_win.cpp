#include "toolkit/control_win.h"

#include <algorithm>

#include "core/report_win.h"
#include "toolkit/form_win.h"
#include "toolkit/timer_win.h"
#include "toolkit/win32_win.h"

namespace qf {

Control::Control(Form& form, Rect bounds) : form_(form), bounds_(bounds) {
  // Child windows are made with the form's window: one declared later would never get one.
  ReportIf(form_.hwnd_ != nullptr || form_.creating_,
           "a control was declared after its form's window was created", FailureLevel::kWiring);
  form_.controls_.push_back(this);
}

Control::~Control() {
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
  return child;
}

}  // namespace qf

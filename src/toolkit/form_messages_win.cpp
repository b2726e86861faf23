// The form's window procedure: what each message does, handed to the form's pieces (its skin,
// its mouse, its timers, its controls) or answered here (focus, close).
#include "toolkit/form_win.h"

#include <commctrl.h>

#include "toolkit/click_label_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/timer_win.h"
#include "toolkit/window_owner_win.h"

namespace qf {
namespace {

// The child control a message to the form comes from, for the messages that a control sends
// its parent about itself; null for every other message.
HWND ReflectingChild(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
      return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
      return lParam != 0 ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM:
      return lParam != 0 ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

bool Form::ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const HWND child = ReflectingChild(message, lParam);
  if (child == nullptr) return false;
  for (Control* control : controls_) {
    if (control->hwnd_ == child) return control->OnReflected(message, wParam, lParam, result);
  }
  return false;
}

void Form::FocusAControl() {
  // The keyboard goes back to the click label that had it (the form's own window keeps the
  // focus for it) or the control that had it when the form went inactive; or, as the form
  // shows, to the first stop of its tab order, or without one to the first control that
  // takes it (the text box a person types into).
  if (keyboard_.FocusedLabel() != nullptr) return;
  if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_)) {
    ::SetFocus(lastFocus_);
    return;
  }
  if (keyboard_.FocusFirstStop()) return;
  const RECT client{0, 0, scale_.Px(options_.width), scale_.Px(options_.height)};
  for (Control* control : controls_) {
    HWND child = control->hwnd_;
    const Rect b = scale_.Map(control->bounds_);
    const POINT corner{b.left, b.top};
    if (child != nullptr && (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) &&
        IsWindowEnabled(child) && PtInRect(&client, corner)) {
      ::SetFocus(child);
      return;
    }
  }
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Form* form = WindowOwner<Form>(hwnd, message, lParam, &Form::hwnd_);
  if (form == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    form->OnDestroyedFromOutside();
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return form->OnMessage(message, wParam, lParam);
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  // A reader's press first: the forms take the program's other registered messages as theirs.
  if (accessible_.RunPress(message, wParam, *this)) return 0;
  if (HandleMessage(message, wParam, lParam, result)) return result;
  if (ReflectToControl(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_GETOBJECT:
      return accessible_.Answer(hwnd_, wParam, lParam, *this);
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers everything with the skin: no flicker
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (HDC dc = BeginPaint(hwnd_, &paint)) {
        skin_.PaintOn(dc, paint.rcPaint);
        keyboard_.PaintRing(dc);
        EndPaint(hwnd_, &paint);
      }
      return 0;
    }
    case WM_SETCURSOR:
      if (mouse_.SetCursorFor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
      break;
    case WM_LBUTTONDOWN:
      mouse_.ButtonDown(kLeftButton, lParam, false);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      mouse_.ButtonDown(kRightButton, lParam, false);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      mouse_.ButtonDown(kMiddleButton, lParam, false);
      return 0;
    case WM_LBUTTONDBLCLK:
      mouse_.ButtonDown(kLeftButton, lParam, true);
      return 0;
    case WM_LBUTTONUP:
      mouse_.ButtonUp(kLeftButton, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      mouse_.ButtonUp(kRightButton, wParam, lParam);
      return 0;
    case WM_MBUTTONUP:
      mouse_.ButtonUp(kMiddleButton, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      mouse_.Move(wParam, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      mouse_.CaptureChanged(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_TIMER:
      for (Timer* timer : timers_) {
        if (timer->id_ == wParam) {
          timer->Tick();
          return 0;
        }
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) lastFocus_ = focus;
      }
      break;  // DefWindowProc focuses the form when it becomes active: WM_SETFOCUS below
    case WM_SETFOCUS:
      FocusAControl();
      keyboard_.FocusMovedTo(GetFocus());
      return 0;
    case WM_KILLFOCUS:
      keyboard_.FocusMovedTo(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_DPICHANGED:
      // Moved to a monitor with another DPI (or the user changed it): the system suggests the
      // window's new place and size; everything on it is remade at the new scale.
      if (lParam != 0) ApplyScale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      // WM_CLOSE would destroy the window; the forms close only through their own areas.
      // Alt+F4 clicks the form's close area before it could become WM_CLOSE (TranslateKey).
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace qf

#include "toolkit/form_win.h"

#include <commctrl.h>

#include "core/report_win.h"
#include "core/wide_win.h"
#include "toolkit/click_label_win.h"
#include "toolkit/skin_win.h"
#include "toolkit/timer_win.h"
#include "toolkit/win32_win.h"
#include "toolkit/window_owner_win.h"

namespace qf {
namespace {

constexpr wchar_t kFormClass[] = L"QfForm";

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

void SetIcons(HWND window, HICON icon) {
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

}  // namespace

// ---- Life ------------------------------------------------------------------------------------

Form::Form(FormOptions options) : options_(std::move(options)) {}

Form::~Form() {
  if (hwnd_ != nullptr) {
    Detach();
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
}

void Form::Detach() {
  // The subclass part is gone (or going): its handlers must not run any more.
  if (hwnd_ != nullptr) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  mouse_.Cancel();
}

HWND Form::Handle() {
  if (hwnd_ == nullptr && !creating_ && !destroyed_) Create();
  return hwnd_;
}

void Form::Create() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // CS_DBLCLKS: double clicks arrive as WM_LBUTTONDBLCLK (Form_DblClick, label DblClick).
    return RegisterWindowClass(kFormClass, &Form::WindowProc, true);
  }();
  if (ReportIf(!registered, "the form window class could not be registered")) return;
  creating_ = true;
  controlFont_ = MakeFont(options_.controlFont, options_.controlFontPoints);
  ReportIf(!controlFont_, "a form's control font could not be made");
  int left = options_.left;
  int top = options_.top;
  if (left == kCentred) left = (GetSystemMetrics(SM_CXSCREEN) - options_.width) / 2;
  if (top == kCentred) top = (GetSystemMetrics(SM_CYSCREEN) - options_.height) / 2;
  const std::wstring caption = ToWide(options_.caption);
  // WS_POPUP without a frame: the window and its client area coincide. WS_EX_TOOLWINDOW:
  // no taskbar button.
  HWND created = CreateWindowExW(WS_EX_TOOLWINDOW, kFormClass, caption.c_str(),
                                 WS_POPUP | WS_CLIPCHILDREN, left, top, options_.width,
                                 options_.height, nullptr, nullptr, Instance(), this);
  if (ReportIf(created == nullptr, "a form could not be created")) {
    creating_ = false;
    return;
  }
  hwnd_ = created;
  skin_.Create(options_.width, options_.height,
               [this](HDC dc) { PaintSkin(dc, options_.width, options_.height); });
  if (options_.icon != nullptr) SetIcons(hwnd_, options_.icon);
  // Copies: a control's creation must not be disturbed by one registering meanwhile.
  for (Control* control : std::vector<Control*>(controls_)) control->Create(hwnd_);
  for (ClickLabel* label : labels_) {
    WiringCheck(label->onClick || label->onDblClick || label->onMouseDown || label->onMouseUp,
                "a click label has no handler");
  }
  for (Timer* timer : timers_) {
    WiringCheck(timer->onTimer != nullptr || timer->Interval() == 0, "a timer has no handler");
    StartTimer(*timer);
  }
  creating_ = false;
  Form_Load();
  // The tool tips come after the load: under Wine, a window that already owns the topmost tool
  // tip window is not made topmost by StayOnTop in Form_Load.
  if (hwnd_ == nullptr) return;
  for (ClickLabel* label : labels_) {
    if (!label->toolAdded_) toolTips_.Add(hwnd_, *label);
  }
}

void Form::PaintSkin(HDC dc, int width, int height) {
  const RECT all{0, 0, width, height};
  VerticalGradient(dc, all, RGB(64, 96, 160), RGB(24, 32, 64));
}

void Form::Show() {
  if (Handle() == nullptr) return;
  ShowWindow(hwnd_, SW_SHOW);
  // Shown again while already open (a second FADES click), it may be covered by another
  // window: it comes to the top (of the topmost windows, for a topmost form) and is activated.
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(hwnd_);
  UpdateWindow(hwnd_);
}

void Form::Hide() {
  if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
}

bool Form::Visible() const { return hwnd_ != nullptr && IsWindowVisible(hwnd_); }

void Form::SetCaption(std::u16string caption) {
  options_.caption = std::move(caption);
  if (hwnd_ != nullptr) SetWindowTextW(hwnd_, WidePtr(options_.caption));
}

void Form::SetIcon(HICON icon) {
  options_.icon = icon;
  if (hwnd_ != nullptr) SetIcons(hwnd_, icon);
}

void Form::OnDestroyedFromOutside() {
  // Something destroyed the window while the form lives on. It is not made again, which would
  // run Form_Load a second time; what it held is freed now.
  destroyed_ = true;
  hwnd_ = nullptr;
  toolTips_.Forget();
  lastFocus_ = nullptr;
  mouse_.Cancel();
  for (Control* control : controls_) control->hwnd_ = nullptr;
  for (Timer* timer : timers_) timer->running_ = false;
  for (ClickLabel* label : labels_) label->toolAdded_ = false;
  skin_.Release();
  controlFont_.Reset();
}

// ---- Timers ----------------------------------------------------------------------------------

void Form::StartTimer(Timer& timer) {
  if (hwnd_ == nullptr) return;
  if (timer.ShouldRun()) {
    timer.running_ = SetTimer(hwnd_, timer.id_, timer.options_.interval, nullptr) != 0;
    ReportIf(!timer.running_, "a timer could not be started");
  } else if (timer.running_) {
    StopTimer(timer);
  }
}

void Form::StopTimer(Timer& timer) {
  if (hwnd_ != nullptr && timer.running_) KillTimer(hwnd_, timer.id_);
  timer.running_ = false;
}

// ---- Messages --------------------------------------------------------------------------------

bool Form::ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const HWND child = ReflectingChild(message, lParam);
  if (child == nullptr) return false;
  for (Control* control : controls_) {
    if (control->hwnd_ == child) return control->OnReflected(message, wParam, lParam, result);
  }
  return false;
}

void Form::FocusAControl() {
  // The keyboard goes to the control that had it last, or to the first control that takes it
  // (the text box a person types into), as a form shows.
  HWND target = lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_)
                    ? lastFocus_
                    : nullptr;
  const RECT client{0, 0, options_.width, options_.height};
  for (std::size_t i = 0; target == nullptr && i < controls_.size(); ++i) {
    HWND child = controls_[i]->hwnd_;
    const Rect& b = controls_[i]->bounds_;
    const POINT corner{b.left, b.top};
    if (child != nullptr && (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) &&
        IsWindowEnabled(child) && PtInRect(&client, corner)) {
      target = child;
    }
  }
  if (target != nullptr) ::SetFocus(target);
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
  if (HandleMessage(message, wParam, lParam, result)) return result;
  if (ReflectToControl(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers everything with the skin: no flicker
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (HDC dc = BeginPaint(hwnd_, &paint)) {
        skin_.PaintOn(dc, paint.rcPaint);
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
      return 0;
    case WM_CLOSE:
      // Alt+F4 would destroy the window; the forms close only through their own areas.
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace qf

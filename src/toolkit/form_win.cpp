#include "toolkit/form_win.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/controls_win.h"
#include "toolkit/skin_win.h"
#include "toolkit/wide_win.h"
#include "toolkit/win32_win.h"
#include "toolkit/window_owner_win.h"

namespace qf {
namespace {

constexpr wchar_t kFormClass[] = L"QfForm";

int ShiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
  return shift;
}

// The buttons held, from the MK_ flags of a mouse message, as 1 left, 2 right, 4 middle.
int ButtonsFromFlags(WPARAM flags) {
  int buttons = 0;
  if (flags & MK_LBUTTON) buttons |= kLeftButton;
  if (flags & MK_RBUTTON) buttons |= kRightButton;
  if (flags & MK_MBUTTON) buttons |= kMiddleButton;
  return buttons;
}

HCURSOR CursorFor(MousePointer pointer) {
  switch (pointer) {
    case MousePointer::kSizeAll:
      return LoadCursorW(nullptr, IDC_SIZEALL);
    case MousePointer::kUpArrow:
      return LoadCursorW(nullptr, IDC_UPARROW);
    case MousePointer::kDefault:
      break;
  }
  return LoadCursorW(nullptr, IDC_ARROW);
}

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

// ---- Control ------------------------------------------------------------------------------

Control::Control(Form& form, Rect bounds) : form_(form), bounds_(bounds) {
  // Child windows are made with the form's window: one declared later would never get one.
  WiringCheck(form_.hwnd_ == nullptr && !form_.creating_,
              "a control was declared after its form's window was created");
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

HWND Control::CreateChild(const wchar_t* className, DWORD style, DWORD exStyle, const wchar_t* text,
                          void* param) {
  static int nextId = 1000;
  HWND child =
      CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, bounds_.left,
                      bounds_.top, bounds_.width, bounds_.height, form_.hwnd_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)), Instance(), param);
  if (child == nullptr) {
    OutputDebugStringW(L"qf: a control could not be created\n");
    return nullptr;
  }
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(form_.ControlFont()), FALSE);
  return child;
}

// ---- Form ---------------------------------------------------------------------------------

Form::Form(FormOptions options) : options_(std::move(options)) {}

Form::~Form() {
  if (hwnd_ != nullptr) {
    Detach();
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  ReleaseSkin();
}

void Form::Detach() {
  // The subclass part is gone (or going): its handlers must not run any more.
  if (hwnd_ != nullptr) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  press_.Cancel();
}

void Form::ReleaseSkin() {
  // The bitmap goes back out of the DC first: a bitmap still selected is never freed.
  if (skinDc_ && skinDcOldBitmap_ != nullptr) SelectObject(skinDc_.Get(), skinDcOldBitmap_);
  skinDcOldBitmap_ = nullptr;
  skinBrush_.Reset();
  skinDc_.Reset();
  skinBitmap_.Reset();
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
  if (!registered) return;
  creating_ = true;
  controlFont_ = MakeFont(options_.controlFont, options_.controlFontPoints);
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
  if (created == nullptr) {
    creating_ = false;
    OutputDebugStringW(L"qf: a form could not be created\n");
    return;
  }
  hwnd_ = created;
  CreateSkin();
  if (options_.icon != nullptr) {
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(options_.icon));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(options_.icon));
  }
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
    if (!label->toolAdded_) AddToolTip(*label);
  }
}

void Form::CreateSkin() {
  WindowDc screen(nullptr);
  skinBitmap_.Reset(CreateCompatibleBitmap(screen.Get(), std::max(options_.width, 1),
                                           std::max(options_.height, 1)));
  skinDc_ = MemoryDc(screen.Get());
  if (!skinBitmap_ || !skinDc_) return;
  skinDcOldBitmap_ = SelectObject(skinDc_.Get(), skinBitmap_.Get());
  PaintSkin(skinDc_.Get(), options_.width, options_.height);
  GdiFlush();
  // The pattern brush copies the picture; the bitmap must not be selected while it does.
  SelectObject(skinDc_.Get(), skinDcOldBitmap_);
  skinBrush_.Reset(CreatePatternBrush(skinBitmap_.Get()));
  SelectObject(skinDc_.Get(), skinBitmap_.Get());
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
  if (hwnd_ != nullptr) {
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
}

void Form::SetMousePointer(MousePointer pointer) {
  pointer_ = pointer;
  UpdateCursor();
}

void Form::SetMoving(bool moving, MousePointer pointer) {
  moving_ = moving;
  movingPointer_ = pointer;
  if (moving && hwnd_ != nullptr) {
    SetCursor(CursorFor(pointer));
  } else {
    UpdateCursor();
  }
}

void Form::UpdateCursor() {
  if (hwnd_ == nullptr) return;
  POINT cursor;
  if (GetCursorPos(&cursor) && WindowFromPoint(cursor) == hwnd_) {
    ScreenToClient(hwnd_, &cursor);
    SetCursor(
        CursorFor(LabelAt(cursor.x, cursor.y) != nullptr ? MousePointer::kUpArrow : pointer_));
  }
}

void Form::AddToolTip(ClickLabel& label) {
  if (label.toolTip_.empty() || hwnd_ == nullptr) return;
  if (tooltip_ == nullptr) {
    // TTS_ALWAYSTIP: tips also while another window is active (the forms are tool windows).
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, Instance(), nullptr);
    if (tooltip_ == nullptr) return;
  }
  TTTOOLINFOW info{};
  // The size of the version-5 record, which every comctl32 accepts (no manifest needed).
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = hwnd_;
  info.uId = label.toolId_;
  info.rect = {label.bounds_.left, label.bounds_.top, label.bounds_.left + label.bounds_.width,
               label.bounds_.top + label.bounds_.height};
  std::wstring text = ToWide(label.toolTip_);
  info.lpszText = text.data();
  label.toolAdded_ = SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Form::UpdateToolTip(ClickLabel& label) {
  if (hwnd_ == nullptr) return;
  if (label.toolAdded_) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = hwnd_;
    info.uId = label.toolId_;
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    label.toolAdded_ = false;
  }
  AddToolTip(label);
}

void Form::StartTimer(Timer& timer) {
  if (hwnd_ == nullptr) return;
  if (timer.ShouldRun()) {
    timer.running_ = SetTimer(hwnd_, timer.id_, timer.options_.interval, nullptr) != 0;
  } else if (timer.running_) {
    StopTimer(timer);
  }
}

void Form::StopTimer(Timer& timer) {
  if (hwnd_ != nullptr && timer.running_) KillTimer(hwnd_, timer.id_);
  timer.running_ = false;
}

Control* Form::FindControl(HWND child) const {
  if (child == nullptr) return nullptr;
  for (Control* control : controls_) {
    if (control->hwnd_ == child) return control;
  }
  return nullptr;
}

ClickLabel* Form::LabelAt(int x, int y) const {
  // The label declared last lies on top.
  for (auto it = labels_.rbegin(); it != labels_.rend(); ++it) {
    if ((*it)->Contains(x, y)) return *it;
  }
  return nullptr;
}

void Form::OnButtonDown(int button, LPARAM lParam, bool doubleClick) {
  // A press after the capture was taken away (a window move, a menu) starts afresh.
  if (press_.Active() && GetCapture() != hwnd_) press_.Cancel();
  const int x = MouseX(lParam);
  const int y = MouseY(lParam);
  const RoutedMouseEvents routed = press_.Press(button, LabelAt(x, y), doubleClick);
  if (routed.startCapture) SetCapture(hwnd_);
  Raise(routed, x, y);
}

void Form::OnButtonUp(int button, WPARAM wParam, LPARAM lParam) {
  const int x = MouseX(lParam);
  const int y = MouseY(lParam);
  const RoutedMouseEvents routed = press_.Release(button, LabelAt(x, y), ButtonsFromFlags(wParam));
  // Let go of the mouse before the handlers run: they may open menus or dialogs.
  if (routed.endCapture && GetCapture() == hwnd_) ReleaseCapture();
  Raise(routed, x, y);
}

// Raises the routed events on their labels (in the label's own coordinates) or on the form's
// background. A handler may hide the form or open a modal loop; each event is raised in turn.
void Form::Raise(const RoutedMouseEvents& routed, int x, int y) {
  const int shift = ShiftState();
  for (std::size_t i = 0; i < routed.count; ++i) {
    const RoutedMouseEvent& event = routed.events[i];
    auto* label = const_cast<ClickLabel*>(static_cast<const ClickLabel*>(event.target));
    const float fx = static_cast<float>(label != nullptr ? x - label->bounds_.left : x);
    const float fy = static_cast<float>(label != nullptr ? y - label->bounds_.top : y);
    switch (event.kind) {
      case MouseEventKind::kDown:
        if (label == nullptr) {
          Form_MouseDown(event.button, shift, fx, fy);
        } else if (label->onMouseDown) {
          label->onMouseDown(event.button, shift, fx, fy);
        }
        break;
      case MouseEventKind::kUp:
        if (label == nullptr) {
          Form_MouseUp(event.button, shift, fx, fy);
        } else if (label->onMouseUp) {
          label->onMouseUp(event.button, shift, fx, fy);
        }
        break;
      case MouseEventKind::kClick:
        if (label == nullptr) {
          Form_Click();
        } else if (label->onClick) {
          label->onClick();
        }
        break;
      case MouseEventKind::kDblClick:
        if (label == nullptr) {
          Form_DblClick();
        } else if (label->onDblClick) {
          label->onDblClick();
        }
        break;
    }
  }
}

void Form::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  const int x = MouseX(lParam);
  const int y = MouseY(lParam);
  if (press_.Active() && GetCapture() != hwnd_) press_.Cancel();
  if (!press_.MoveIsBackgrounds(LabelAt(x, y))) return;
  // The x coordinate goes out as the low word of lParam (sign-extended like any mouse
  // position): a tray icon's report of mouse message 515 or 516 arrives as x = 515 or 516.
  Form_MouseMove(ButtonsFromFlags(wParam), ShiftState(), static_cast<float>(x),
                 static_cast<float>(y));
}

bool Form::ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  Control* control = FindControl(ReflectingChild(message, lParam));
  return control != nullptr && control->OnReflected(message, wParam, lParam, result);
}

void Form::OnDestroyedFromOutside() {
  // Something destroyed the window while the form lives on. It is not made again, which would
  // run Form_Load a second time; what it held is freed now.
  destroyed_ = true;
  hwnd_ = nullptr;
  tooltip_ = nullptr;
  lastFocus_ = nullptr;
  press_.Cancel();
  for (Control* control : controls_) control->hwnd_ = nullptr;
  for (Timer* timer : timers_) timer->running_ = false;
  for (ClickLabel* label : labels_) label->toolAdded_ = false;
  ReleaseSkin();
  controlFont_.Reset();
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
      HDC dc = BeginPaint(hwnd_, &paint);
      if (dc != nullptr) {
        const RECT& r = paint.rcPaint;
        if (skinDc_) {
          BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, skinDc_.Get(), r.left,
                 r.top, SRCCOPY);
        } else {
          FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        }
        EndPaint(hwnd_, &paint);
      }
      return 0;
    }
    case WM_SETCURSOR:
      if (moving_) {
        // During a move the pointer stays the move pointer, over labels and controls too.
        SetCursor(CursorFor(movingPointer_));
        return TRUE;
      }
      if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
        const POINT cursor = CursorInClient(hwnd_);
        SetCursor(
            CursorFor(LabelAt(cursor.x, cursor.y) != nullptr ? MousePointer::kUpArrow : pointer_));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      OnButtonDown(kLeftButton, lParam, false);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      OnButtonDown(kRightButton, lParam, false);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      OnButtonDown(kMiddleButton, lParam, false);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnButtonDown(kLeftButton, lParam, true);
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(kLeftButton, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      OnButtonUp(kRightButton, wParam, lParam);
      return 0;
    case WM_MBUTTONUP:
      OnButtonUp(kMiddleButton, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(wParam, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd_) press_.Cancel();
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
    case WM_SETFOCUS: {
      // The keyboard goes to the control that had it last, or to the first control that
      // takes it (the text box a person types into), as a form shows.
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
      return 0;
    }
    case WM_CLOSE:
      // Alt+F4 would destroy the window; the forms close only through their own areas.
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace qf

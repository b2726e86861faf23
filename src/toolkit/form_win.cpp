#include "toolkit/form_win.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/controls_win.h"
#include "toolkit/skin_win.h"
#include "toolkit/wide_win.h"
#include "toolkit/window_owner_win.h"

namespace qf {
namespace {

// Mouse positions in lParam are signed 16-bit words (negative left of or above the window).
int MouseX(LPARAM lParam) { return static_cast<int16_t>(LOWORD(lParam)); }
int MouseY(LPARAM lParam) { return static_cast<int16_t>(HIWORD(lParam)); }

constexpr wchar_t kFormClass[] = L"QfForm";

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

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

}  // namespace

// ---- Control ------------------------------------------------------------------------------

Control::Control(Form& form, Rect bounds) : form_(form), bounds_(bounds) {
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
  if (skinDc_ && skinDcOldBitmap_ != nullptr) SelectObject(skinDc_.Get(), skinDcOldBitmap_);
}

void Form::Detach() {
  // The subclass part is gone (or going): its handlers must not run any more.
  if (hwnd_ != nullptr) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  ResetPress();
}

HWND Form::Handle() {
  if (hwnd_ == nullptr && !creating_) Create();
  return hwnd_;
}

void Form::Create() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    // CS_DBLCLKS: double clicks arrive as WM_LBUTTONDBLCLK (Form_DblClick, label DblClick).
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &Form::WindowProc;
    windowClass.hInstance = Instance();
    windowClass.lpszClassName = kFormClass;
    return RegisterClassExW(&windowClass) != 0;
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
  for (ClickLabel* label : labels_) AddToolTip(*label);
  for (Timer* timer : timers_) StartTimer(*timer);
  creating_ = false;
  Form_Load();
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
  if (hwnd_ == nullptr) return;
  POINT cursor;
  if (GetCursorPos(&cursor) && WindowFromPoint(cursor) == hwnd_) {
    ScreenToClient(hwnd_, &cursor);
    if (LabelAt(cursor.x, cursor.y) == nullptr) SetCursor(CursorFor(pointer));
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

void Form::ResetPress() {
  pressActive_ = false;
  pressLabel_ = nullptr;
  pressButtons_ = 0;
  pressWasDoubleClick_ = false;
}

// Raises a press or release on `label`, in the label's own coordinates, or, without one, on the
// form's background.
void Form::RaiseMouseButton(bool down, ClickLabel* label, int button, int x, int y) {
  const int shift = ShiftState();
  if (label != nullptr) {
    const MouseHandler& handler = down ? label->onMouseDown : label->onMouseUp;
    if (handler) {
      handler(button, shift, static_cast<float>(x - label->bounds_.left),
              static_cast<float>(y - label->bounds_.top));
    }
  } else if (down) {
    Form_MouseDown(button, shift, static_cast<float>(x), static_cast<float>(y));
  } else {
    Form_MouseUp(button, shift, static_cast<float>(x), static_cast<float>(y));
  }
}

void Form::OnButtonDown(int button, LPARAM lParam, bool doubleClick) {
  const int x = MouseX(lParam);
  const int y = MouseY(lParam);
  // A press after the capture was taken away (a window move, a menu) starts afresh.
  if (pressActive_ && GetCapture() != hwnd_) ResetPress();
  if (!pressActive_) {
    pressActive_ = true;
    pressLabel_ = LabelAt(x, y);
    pressButtons_ = 0;
    pressWasDoubleClick_ = false;
    SetCapture(hwnd_);
  }
  pressButtons_ |= button;
  ClickLabel* label = pressLabel_;
  if (doubleClick && button == kLeftButton) {
    // Down, Up, Click, DblClick, Up: the second press raises DblClick and its release no Click.
    pressWasDoubleClick_ = true;
    if (label != nullptr) {
      if (label->onDblClick) label->onDblClick();
    } else {
      Form_DblClick();
    }
    return;
  }
  RaiseMouseButton(true, label, button, x, y);
}

void Form::OnButtonUp(int button, WPARAM wParam, LPARAM lParam) {
  const int x = MouseX(lParam);
  const int y = MouseY(lParam);
  if (!pressActive_ || (pressButtons_ & button) == 0) {
    // A release without our press (it began elsewhere): raise it on what lies under it.
    RaiseMouseButton(false, LabelAt(x, y), button, x, y);
    return;
  }
  ClickLabel* label = pressLabel_;
  const bool click = button == kLeftButton && !pressWasDoubleClick_ &&
                     (label != nullptr ? label->Contains(x, y) : LabelAt(x, y) == nullptr);
  pressButtons_ &= ~button;
  if (pressButtons_ == 0 || ButtonsFromFlags(wParam) == 0) {
    // Let go of the mouse before the handlers run: they may open menus or dialogs.
    ResetPress();
    if (GetCapture() == hwnd_) ReleaseCapture();
  }
  RaiseMouseButton(false, label, button, x, y);
  if (!click) return;
  if (label != nullptr) {
    if (label->onClick) label->onClick();
  } else {
    Form_Click();
  }
}

void Form::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  const int x = MouseX(lParam);
  const int y = MouseY(lParam);
  if (pressActive_ && GetCapture() == hwnd_) {
    if (pressLabel_ != nullptr) return;
  } else if (LabelAt(x, y) != nullptr) {
    return;
  }
  // The x coordinate goes out as the low word of lParam (sign-extended like any mouse
  // position): a tray icon's report of mouse message 515 or 516 arrives as x = 515 or 516.
  Form_MouseMove(ButtonsFromFlags(wParam), ShiftState(), static_cast<float>(x),
                 static_cast<float>(y));
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Form* form = WindowOwner<Form>(hwnd, message, lParam, &Form::hwnd_);
  if (form == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // Destroyed from outside: forget the window, so the next use creates it anew.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    form->hwnd_ = nullptr;
    form->tooltip_ = nullptr;
    for (Control* control : form->controls_) control->hwnd_ = nullptr;
    for (Timer* timer : form->timers_) timer->running_ = false;
    for (ClickLabel* label : form->labels_) label->toolAdded_ = false;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return form->OnMessage(message, wParam, lParam);
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleMessage(message, wParam, lParam, result)) return result;
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
      if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
        POINT cursor;
        GetCursorPos(&cursor);
        ScreenToClient(hwnd_, &cursor);
        SetCursor(LabelAt(cursor.x, cursor.y) != nullptr ? CursorFor(MousePointer::kUpArrow)
                                                         : CursorFor(pointer_));
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
      if (reinterpret_cast<HWND>(lParam) != hwnd_) ResetPress();
      return 0;
    case WM_TIMER:
      for (Timer* timer : timers_) {
        if (timer->id_ == wParam) {
          timer->Tick();
          return 0;
        }
      }
      break;
    case WM_COMMAND:
      if (Control* control = FindControl(reinterpret_cast<HWND>(lParam))) {
        control->OnCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (Control* control = FindControl(reinterpret_cast<HWND>(lParam))) {
        control->OnScroll(LOWORD(wParam), HIWORD(wParam));
        return 0;
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (Control* control = FindControl(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = control->OnColor(reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<LRESULT>(brush);
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

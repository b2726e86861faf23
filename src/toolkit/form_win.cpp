#include "toolkit/form_win.h"

#include <commctrl.h>

#include "core/report_win.h"
#include "core/wide_win.h"
#include "toolkit/click_label_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/skin_win.h"
#include "toolkit/timer_win.h"
#include "toolkit/win32_win.h"

namespace qf {
namespace {

constexpr wchar_t kFormClass[] = L"QfForm";

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
  keyboard_.Cancel();
  accessible_.Disconnect();
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
  EnableDpiAwareness();
  // The scale of the monitor the window opens on: the system's for a centred window, else the
  // one under its top-left corner placed at the system's scale.
  const Scale system{SystemDpi()};
  scale_ = Scale{options_.left == kCentred || options_.top == kCentred
                     ? system.dpi
                     : DpiAtPoint(system.Px(options_.left), system.Px(options_.top))};
  controlFont_ = MakeFont(options_.controlFont, options_.controlFontPoints, {}, scale_.dpi);
  ReportIf(!controlFont_, "a form's control font could not be made");
  const int width = scale_.Px(options_.width);
  const int height = scale_.Px(options_.height);
  int left = options_.left == kCentred ? (GetSystemMetrics(SM_CXSCREEN) - width) / 2
                                       : scale_.Px(options_.left);
  int top = options_.top == kCentred ? (GetSystemMetrics(SM_CYSCREEN) - height) / 2
                                     : scale_.Px(options_.top);
  const std::wstring caption = ToWide(options_.caption);
  // WS_POPUP without a frame: the window and its client area coincide. WS_EX_TOOLWINDOW:
  // no taskbar button.
  HWND created =
      CreateWindowExW(WS_EX_TOOLWINDOW, kFormClass, caption.c_str(), WS_POPUP | WS_CLIPCHILDREN,
                      left, top, width, height, nullptr, nullptr, Instance(), this);
  if (ReportIf(created == nullptr, "a form could not be created")) {
    creating_ = false;
    return;
  }
  hwnd_ = created;
  // The window may lie on a monitor other than the one guessed (or the system placed it).
  if (const int dpi = WindowDpi(hwnd_); dpi != scale_.dpi) {
    scale_ = Scale{dpi};
    controlFont_ = MakeFont(options_.controlFont, options_.controlFontPoints, {}, scale_.dpi);
    SetWindowPos(hwnd_, nullptr, 0, 0, scale_.Px(options_.width), scale_.Px(options_.height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  PaintSkinAtScale();
  if (options_.icon != nullptr) SetIcons(hwnd_, options_.icon);
  // Copies: a control's creation must not be disturbed by one registering meanwhile.
  for (Control* control : std::vector<Control*>(controls_)) control->Create(hwnd_);
  for (ClickLabel* label : labels_) {
    ReportIf(!label->onClick && !label->onDblClick && !label->onMouseDown && !label->onMouseUp,
             "a click label has no handler", FailureLevel::kWiring);
  }
  for (Timer* timer : timers_) {
    ReportIf(timer->onTimer == nullptr && timer->Interval() != 0, "a timer has no handler",
             FailureLevel::kWiring);
    StartTimer(*timer);
  }
  creating_ = false;
  Form_Load();
  // The tool tips come when the form is first shown (Show).
}

void Form::PaintSkinAtScale() {
  skin_.Create(scale_.Px(options_.width), scale_.Px(options_.height), [this](HDC dc) {
    const SkinTransform transform(dc, scale_);
    PaintSkin(dc, options_.width, options_.height);
  });
}

void Form::RepaintSkin() {
  if (hwnd_ == nullptr) return;
  PaintSkinAtScale();
  // The controls that show the skin through their backgrounds are drawn again with it.
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form::ApplyScale(int dpi, const RECT& placed) {
  if (hwnd_ == nullptr) return;
  scale_ = Scale{dpi};
  // The new font goes to the controls before the old one is freed.
  GdiFont font = MakeFont(options_.controlFont, options_.controlFontPoints, {}, scale_.dpi);
  ReportIf(!font, "a form's control font could not be made");
  std::swap(controlFont_, font);
  SetWindowPos(hwnd_, nullptr, placed.left, placed.top, placed.right - placed.left,
               placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
  PaintSkinAtScale();
  for (Control* control : controls_) control->Rescale();
  for (ClickLabel* label : labels_) toolTips_.Move(hwnd_, *label);
  Form_Rescaled();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form::PaintSkin(HDC dc, int width, int height) {
  const RECT all{0, 0, width, height};
  VerticalGradient(dc, all, RGB(64, 96, 160), RGB(24, 32, 64));
}

void Form::PaintFocusRing(HDC dc, const Rect& outer, const Rect& inner) {
  const RECT band = ToRECT(outer);
  const RECT hole = ToRECT(inner);
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, hole.left, hole.top, hole.right, hole.bottom);
  FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
  RestoreDC(dc, saved);
}

bool Form::TranslateKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  // The form the key's window lies on: the window itself, or the form its control is on.
  const HWND top = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  wchar_t className[16] = {};
  if (top == nullptr || GetClassNameW(top, className, 16) == 0 ||
      lstrcmpW(className, kFormClass) != 0) {
    return false;
  }
  Form* form = reinterpret_cast<Form*>(GetWindowLongPtrW(top, GWLP_USERDATA));
  return form != nullptr && form->keyboard_.OnQueuedKey(msg);
}

void Form::Show() {
  if (Handle() == nullptr) return;
  ShowWindow(hwnd_, SW_SHOW);
  // Shown again while already open (a second FADES click), it may be covered by another
  // window: it comes to the top (of the topmost windows, for a topmost form) and is activated.
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(hwnd_);
  UpdateWindow(hwnd_);
  // The tool tips are made once the form is on the screen and painted: a form that stays
  // hidden needs none, and the program's first window does not wait for them. They must come
  // after Form_Load anyway: under Wine, a window that already owns the topmost tool tip window
  // is not made topmost by StayOnTop in Form_Load.
  for (ClickLabel* label : labels_) {
    if (!label->toolAdded_) toolTips_.Add(hwnd_, *label);
  }
}

void Form::Hide() {
  if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
}

bool Form::Visible() const { return hwnd_ != nullptr && IsWindowVisible(hwnd_); }

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
  keyboard_.Cancel();
  accessible_.Disconnect();
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

std::vector<AccessibleItem> Form::AccessibleItems() {
  std::vector<AccessibleItem> items;
  for (const ClickLabel* label : labels_) {
    if (!label->ToolTipText().empty()) items.push_back(ItemOf(*label, label->ToolTipText()));
  }
  return items;
}

long Form::FocusedItem() {
  const ClickLabel* label = FocusedLabel();
  if (label == nullptr) return 0;
  const Rect place = label->PlacedBounds();
  const std::vector<AccessibleItem> items = AccessibleItems();
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (items[k].bounds == place) return static_cast<long>(k + 1);
  }
  return 0;
}

AccessibleItem Form::ItemOf(const ClickLabel& label, std::u16string name) {
  return {.name = std::move(name),
          .role = AccessibleRole::kButton,
          .bounds = label.PlacedBounds(),
          .press = label.onClick};
}

AccessibleItem Form::ItemOf(const Control& control, std::u16string name, AccessibleRole role,
                            std::function<void()> press) {
  return {.name = std::move(name),
          .role = role,
          .bounds = control.PlacedBounds(),
          .press = std::move(press)};
}

}  // namespace qf

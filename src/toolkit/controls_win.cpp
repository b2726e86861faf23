#include "toolkit/controls_win.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/wide_win.h"
#include "toolkit/win32_win.h"
#include "toolkit/window_owner_win.h"

namespace qf {
namespace {

bool IsControlColourMessage(UINT message) {
  return message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN ||
         message == WM_CTLCOLORLISTBOX;
}

// WM_CTLCOLOR*'s answer: the brush, or false (the default colours) when there is none.
bool AnswerColour(HBRUSH brush, LRESULT& result) {
  if (brush == nullptr) return false;
  result = reinterpret_cast<LRESULT>(brush);
  return true;
}

}  // namespace

// ---- ControlColours -----------------------------------------------------------------------

ControlColours::ControlColours(std::optional<int32_t> back, std::optional<int32_t> fore)
    : back_(back), fore_(fore) {}

void ControlColours::SetBack(int32_t colour) {
  back_ = colour;
  brush_.Reset();
}

HBRUSH ControlColours::Apply(HDC dc) {
  if (fore_) SetTextColor(dc, static_cast<COLORREF>(*fore_));
  if (!back_) return fore_ ? GetSysColorBrush(COLOR_WINDOW) : nullptr;
  SetBkColor(dc, static_cast<COLORREF>(*back_));
  if (!brush_) brush_.Reset(CreateSolidBrush(static_cast<COLORREF>(*back_)));
  return brush_.Get();
}

// ---- TextBox ------------------------------------------------------------------------------

TextBox::TextBox(Form& form, Rect bounds, TextBoxOptions options)
    : Control(form, bounds),
      onChange(std::exchange(options.onChange, nullptr)),
      options_(std::move(options)),
      colours_(options_.backColor, options_.foreColor) {}

TextBox::~TextBox() = default;

void TextBox::Create(HWND /*parent*/) {
  DWORD style = WS_TABSTOP;
  if (options_.multiLine) {
    style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
  } else {
    style |= ES_AUTOHSCROLL;
  }
  if (options_.border) style |= WS_BORDER;
  const std::wstring text = ToWide(options_.text);
  hwnd_ = CreateChild(L"EDIT", style, 0, text.c_str());
  if (hwnd_ == nullptr) return;
  // No length limit: the HTML fader's output grows with every press.
  SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
  // A small inner margin so the text does not touch the border.
  SendMessageW(hwnd_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 2));
  SetWindowSubclass(hwnd_, &TextBox::SelectAllOnCtrlA, 0, 0);
}

// Ctrl+A selects the whole text, as people expect when they copy the HTML fader's output. The
// edit control of the common controls this program uses only beeps at it (Ctrl+A arrives as
// the character 1).
LRESULT CALLBACK TextBox::SelectAllOnCtrlA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR) {
  if (message == WM_CHAR && wParam == 1) {
    SendMessageW(hwnd, EM_SETSEL, 0, -1);
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &TextBox::SelectAllOnCtrlA, id);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

std::u16string TextBox::Text() const {
  if (hwnd_ == nullptr) return options_.text;
  return WindowText(hwnd_);
}

void TextBox::SetText(std::u16string_view text) {
  const std::u16string old = Text();
  if (old == text) return;
  if (hwnd_ == nullptr) {
    options_.text.assign(text);
  } else {
    // EN_CHANGE is not sent for every kind of edit on WM_SETTEXT: raise onChange here once.
    settingText_ = true;
    const std::wstring wide = ToWide(text);
    SetWindowTextW(hwnd_, wide.c_str());
    settingText_ = false;
  }
  if (onChange) onChange();
}

int32_t TextBox::BackColor() const {
  return colours_.Back().value_or(static_cast<int32_t>(GetSysColor(COLOR_WINDOW)));
}

void TextBox::SetBackColor(int32_t colour) {
  colours_.SetBack(colour);
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
}

int32_t TextBox::ForeColor() const {
  return colours_.Fore().value_or(static_cast<int32_t>(GetSysColor(COLOR_WINDOWTEXT)));
}

void TextBox::SetForeColor(int32_t colour) {
  colours_.SetFore(colour);
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TextBox::SetFocus() {
  if (hwnd_ != nullptr) ::SetFocus(hwnd_);
}

void TextBox::AppendText(std::u16string_view text) {
  if (text.empty()) return;
  if (hwnd_ == nullptr) {
    options_.text.append(text);
  } else {
    // The caret to the end and the text put in place of the empty selection there: the box
    // copies only the new characters.
    settingText_ = true;
    const int end = GetWindowTextLengthW(hwnd_);
    SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    const std::wstring wide = ToWide(text);
    SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
    settingText_ = false;
  }
  if (onChange) onChange();
}

bool TextBox::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND) {
    if (HIWORD(wParam) == EN_CHANGE && !settingText_ && onChange) onChange();
    return true;
  }
  if (IsControlColourMessage(message)) {
    return AnswerColour(colours_.Apply(reinterpret_cast<HDC>(wParam)), result);
  }
  (void)lParam;
  return false;
}

// ---- CheckBox -----------------------------------------------------------------------------

CheckBox::CheckBox(Form& form, Rect bounds, CheckBoxOptions options)
    : Control(form, bounds),
      onClick(std::exchange(options.onClick, nullptr)),
      options_(std::move(options)),
      value_(options_.value) {}

CheckBox::~CheckBox() = default;

void CheckBox::Create(HWND /*parent*/) {
  // BS_3STATE (not automatic): the toolkit keeps the value, so 2 (grayed) can be set too.
  DWORD style = WS_TABSTOP | BS_3STATE;
  if (options_.pushLike) style |= BS_PUSHLIKE;
  const std::wstring caption = ToWide(options_.caption);
  hwnd_ = CreateChild(L"BUTTON", style, 0, caption.c_str());
  if (hwnd_ != nullptr) SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(value_), 0);
}

void CheckBox::SetValue(int value) {
  value = std::clamp(value, 0, 2);
  if (value == value_) return;
  value_ = value;
  if (hwnd_ != nullptr) SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(value_), 0);
  if (onClick) onClick();
}

bool CheckBox::OnReflected(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  if (message == WM_COMMAND) {
    if (HIWORD(wParam) == BN_CLICKED) SetValue(value_ == 1 ? 0 : 1);
    return true;
  }
  if (IsControlColourMessage(message)) {
    // The skin shows through: the form's skin brush, aligned to this box's place on it.
    const HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    SetBrushOrgEx(dc, -bounds_.left, -bounds_.top, nullptr);
    return AnswerColour(form_.SkinBrush(), result);
  }
  return false;
}

// ---- PictureBox ---------------------------------------------------------------------------

namespace {
constexpr wchar_t kPictureClass[] = L"QfPictureBox";
}

PictureBox::PictureBox(Form& form, Rect bounds, PictureBoxOptions options)
    : Control(form, bounds),
      onClick(std::exchange(options.onClick, nullptr)),
      onDblClick(std::exchange(options.onDblClick, nullptr)),
      onMouseDown(std::exchange(options.onMouseDown, nullptr)),
      options_(std::move(options)),
      backColor_(options_.backColor) {}

PictureBox::~PictureBox() {
  // The window itself goes with the form's; it must not paint from this object any more.
  if (hwnd_ != nullptr) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  text_.Attach(nullptr);  // its fonts leave the image's DC before they are deleted
  if (imageDc_ && oldBitmap_ != nullptr) SelectObject(imageDc_.Get(), oldBitmap_);
}

int PictureBox::ImageWidth() const {
  return std::max(bounds_.width - (options_.border ? 2 : 0), 1);
}

int PictureBox::ImageHeight() const {
  return std::max(bounds_.height - (options_.border ? 2 : 0), 1);
}

void PictureBox::EnsureImage() {
  if (imageDc_) return;
  WindowDc screen(nullptr);
  image_.Reset(CreateCompatibleBitmap(screen.Get(), ImageWidth(), ImageHeight()));
  imageDc_ = MemoryDc(screen.Get());
  if (!image_ || !imageDc_) {
    imageDc_.Reset();
    return;
  }
  oldBitmap_ = SelectObject(imageDc_.Get(), image_.Get());
  text_.Attach(imageDc_.Get());
  const RECT all{0, 0, ImageWidth(), ImageHeight()};
  SetBkColor(imageDc_.Get(), static_cast<COLORREF>(backColor_));
  ExtTextOutW(imageDc_.Get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
}

void PictureBox::Create(HWND /*parent*/) {
  if (!RegisterWindowClass(kPictureClass, &PictureBox::WindowProc, true,
                           LoadCursorW(nullptr, IDC_ARROW))) {
    return;
  }
  EnsureImage();
  hwnd_ = CreateChild(kPictureClass, options_.border ? WS_BORDER : 0, 0, nullptr, this);
}

LRESULT CALLBACK PictureBox::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  PictureBox* box = WindowOwner<PictureBox>(hwnd, message, lParam, &PictureBox::hwnd_);
  if (box == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return box->OnMessage(message, wParam, lParam);
}

LRESULT PictureBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      invalidated_ = false;
      HDC dc = BeginPaint(hwnd_, &paint);
      if (dc != nullptr) {
        EnsureImage();
        const RECT& r = paint.rcPaint;
        if (imageDc_) {
          BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, imageDc_.Get(), r.left,
                 r.top, SRCCOPY);
        }
        EndPaint(hwnd_, &paint);
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
      pressed_ = true;
      SetCapture(hwnd_);
      if (onMouseDown) {
        onMouseDown(kLeftButton, 0, static_cast<float>(MouseX(lParam)),
                    static_cast<float>(MouseY(lParam)));
      }
      return 0;
    case WM_RBUTTONDOWN:
      if (onMouseDown) {
        onMouseDown(kRightButton, 0, static_cast<float>(MouseX(lParam)),
                    static_cast<float>(MouseY(lParam)));
      }
      return 0;
    case WM_LBUTTONUP: {
      const bool wasPressed = pressed_;
      pressed_ = false;
      if (GetCapture() == hwnd_) ReleaseCapture();
      RECT client;
      GetClientRect(hwnd_, &client);
      const POINT at{MouseX(lParam), MouseY(lParam)};
      if (wasPressed && PtInRect(&client, at) && onClick) onClick();
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      // Down, Up, Click, DblClick, Up: the release after a double click raises no Click.
      pressed_ = false;
      if (onDblClick) onDblClick();
      return 0;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void PictureBox::Invalidate() {
  // Once until the next paint: each InvalidateRect is a trip to the window server, and the
  // preview draws every character on its own.
  if (hwnd_ != nullptr && !invalidated_) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    invalidated_ = true;
  }
}

void PictureBox::SetBackColor(int32_t colour) {
  backColor_ = colour;
  Cls();
}

void PictureBox::Cls() {
  EnsureImage();
  if (!imageDc_) return;
  const RECT all{0, 0, ImageWidth(), ImageHeight()};
  SetBkColor(imageDc_.Get(), static_cast<COLORREF>(backColor_));
  ExtTextOutW(imageDc_.Get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
  Invalidate();
}

void PictureBox::PrintText(int x, int y, std::u16string_view text) {
  EnsureImage();
  if (text.empty()) return;
  text_.Print(x, y, text);
  Invalidate();
}

int PictureBox::TextWidth(std::u16string_view text) {
  EnsureImage();
  return text_.Width(text);
}

void PictureBox::Refresh() {
  if (hwnd_ == nullptr) return;
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
}

HDC PictureBox::ImageDc() {
  EnsureImage();
  text_.SelectFont();
  return imageDc_.Get();
}

// ---- ListBox ------------------------------------------------------------------------------

ListBox::ListBox(Form& form, Rect bounds, ListBoxOptions options)
    : Control(form, bounds),
      onClick(std::exchange(options.onClick, nullptr)),
      options_(std::move(options)),
      colours_(options_.backColor, options_.foreColor) {}

ListBox::~ListBox() = default;

void ListBox::Create(HWND /*parent*/) {
  DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  if (options_.border) style |= WS_BORDER;
  hwnd_ = CreateChild(L"LISTBOX", style, 0, nullptr);
  if (hwnd_ == nullptr) return;
  for (const std::u16string& item : items_) {
    SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePtr(item)));
  }
  SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

void ListBox::AddItem(std::u16string text) {
  items_.push_back(std::move(text));
  if (hwnd_ != nullptr) {
    SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePtr(items_.back())));
  }
}

void ListBox::AddItems(std::span<std::u16string> texts) {
  const std::size_t first = items_.size();
  items_.reserve(first + texts.size());
  for (std::u16string& text : texts) items_.push_back(std::move(text));
  if (hwnd_ == nullptr) return;
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  for (std::size_t i = first; i < items_.size(); ++i) {
    SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePtr(items_[i])));
  }
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListBox::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) return;
  const int selected = ListIndex();
  items_.erase(items_.begin() + index);
  if (selected == index) {
    selected_ = -1;
  } else if (selected > index) {
    selected_ = selected - 1;
  } else {
    selected_ = selected;
  }
  if (hwnd_ != nullptr) {
    SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
  }
}

void ListBox::Clear() {
  items_.clear();
  selected_ = -1;
  if (hwnd_ != nullptr) SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
}

std::u16string ListBox::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  return items_[static_cast<std::size_t>(index)];
}

int ListBox::ListIndex() const {
  if (hwnd_ == nullptr) return selected_;
  const LRESULT current = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  return current == LB_ERR ? -1 : static_cast<int>(current);
}

void ListBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) index = -1;
  const int old = ListIndex();
  selected_ = index;
  if (hwnd_ != nullptr) SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (index != old && onClick) onClick();
}

int32_t ListBox::BackColor() const {
  return colours_.Back().value_or(static_cast<int32_t>(GetSysColor(COLOR_WINDOW)));
}

void ListBox::SetBackColor(int32_t colour) {
  colours_.SetBack(colour);
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
}

bool ListBox::OnReflected(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  if (message == WM_COMMAND) {
    if (HIWORD(wParam) == LBN_SELCHANGE) {
      selected_ = ListIndex();
      if (onClick) onClick();
    }
    return true;
  }
  if (IsControlColourMessage(message)) {
    return AnswerColour(colours_.Apply(reinterpret_cast<HDC>(wParam)), result);
  }
  return false;
}

// ---- Timer --------------------------------------------------------------------------------

Timer::Timer(Form& form, TimerOptions options)
    : onTimer(std::exchange(options.onTimer, nullptr)),
      form_(form),
      options_(std::move(options)),
      id_(form.nextTimerId_++) {
  form_.timers_.push_back(this);
  if (form_.hwnd_ != nullptr) form_.StartTimer(*this);
}

Timer::~Timer() {
  form_.Detach();
  form_.StopTimer(*this);
  auto& list = form_.timers_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void Timer::SetInterval(unsigned milliseconds) {
  options_.interval = milliseconds;
  form_.StartTimer(*this);
}

void Timer::SetEnabled(bool enabled) {
  options_.enabled = enabled;
  form_.StartTimer(*this);
}

void Timer::Tick() {
  if (inHandler_ || !ShouldRun() || !onTimer) return;
  inHandler_ = true;
  onTimer();
  inHandler_ = false;
}

// ---- ClickLabel ---------------------------------------------------------------------------

ClickLabel::ClickLabel(Form& form, Rect bounds, ClickLabelOptions options)
    : onClick(std::move(options.onClick)),
      onDblClick(std::move(options.onDblClick)),
      onMouseDown(std::move(options.onMouseDown)),
      onMouseUp(std::move(options.onMouseUp)),
      form_(form),
      bounds_(bounds),
      toolTip_(std::move(options.toolTip)) {
  static UINT_PTR nextId = 1;
  toolId_ = nextId++;
  form_.labels_.push_back(this);
  if (form_.hwnd_ != nullptr) form_.AddToolTip(*this);
}

ClickLabel::~ClickLabel() {
  form_.Detach();
  auto& list = form_.labels_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  form_.press_.Forget(this);
}

void ClickLabel::SetToolTipText(std::u16string text) {
  toolTip_ = std::move(text);
  form_.UpdateToolTip(*this);
}

bool ClickLabel::Contains(int x, int y) const { return bounds_.Contains(x, y); }

}  // namespace qf

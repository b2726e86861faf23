#include "toolkit/controls_win.h"

#include <commctrl.h>

#include <algorithm>

#include "core/wide_win.h"
#include "toolkit/win32_win.h"
#include "toolkit/window_owner_win.h"

namespace qf {

// ---- TextBox ------------------------------------------------------------------------------

TextBox::TextBox(Form& form, Rect bounds, TextBoxOptions options)
    : Control(form, bounds),
      onChange(std::exchange(options.onChange, nullptr)),
      onEnter(std::exchange(options.onEnter, nullptr)),
      options_(std::move(options)),
      colors_(options_.backColor, options_.foreColor) {}

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
  SetWindowSubclass(hwnd_, &TextBox::KeysOfTheBox, 0, reinterpret_cast<DWORD_PTR>(this));
}

// Ctrl+A selects the whole text, as people expect when they copy the HTML fader's output. The
// edit control of the common controls this program uses only beeps at it (Ctrl+A arrives as
// the character 1). Enter in a one-line box goes to onEnter (the edit control would beep).
LRESULT CALLBACK TextBox::KeysOfTheBox(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data) {
  if (message == WM_CHAR && wParam == 1) {
    SendMessageW(hwnd, EM_SETSEL, 0, -1);
    return 0;
  }
  if (message == WM_CHAR && wParam == '\r') {
    auto* box = reinterpret_cast<TextBox*>(data);
    if (box != nullptr && !box->options_.multiLine && box->onEnter) {
      // A copy: the handler may do anything, even replace this box's handler.
      const std::function<void(bool)> onEnter = box->onEnter;
      onEnter(GetKeyState(VK_SHIFT) < 0);
      return 0;
    }
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &TextBox::KeysOfTheBox, id);
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
  return colors_.Back().value_or(static_cast<int32_t>(GetSysColor(COLOR_WINDOW)));
}

void TextBox::SetBackColor(int32_t color) {
  colors_.SetBack(color);
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
}

int32_t TextBox::ForeColor() const {
  return colors_.Fore().value_or(static_cast<int32_t>(GetSysColor(COLOR_WINDOWTEXT)));
}

void TextBox::SetForeColor(int32_t color) {
  colors_.SetFore(color);
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
    if (HIWORD(wParam) == EN_CHANGE && !settingText_) {
      if (onChange) onChange();
    }
    return true;
  }
  if (IsControlColorMessage(message)) {
    return AnswerColor(colors_.Apply(reinterpret_cast<HDC>(wParam)), result);
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
  if (IsControlColorMessage(message)) {
    // The skin shows through: the form's skin brush, aligned to this box's place on it.
    const HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    const Rect placed = PlacedBounds();
    SetBrushOrgEx(dc, -placed.left, -placed.top, nullptr);
    return AnswerColor(form_.SkinBrush(), result);
  }
  return false;
}

}  // namespace qf

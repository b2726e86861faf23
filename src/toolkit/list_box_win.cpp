#include "toolkit/list_box_win.h"

#include <algorithm>
#include <utility>

#include "core/wide_win.h"
#include "toolkit/win32_win.h"
#include "toolkit/window_owner_win.h"

namespace qf {

ListBox::ListBox(Form& form, Rect bounds, ListBoxOptions options)
    : Control(form, bounds),
      onClick(std::exchange(options.onClick, nullptr)),
      options_(std::move(options)),
      colors_(options_.backColor, options_.foreColor) {}

ListBox::~ListBox() = default;

void ListBox::Create(HWND /*parent*/) {
  DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  if (options_.border) style |= WS_BORDER;
  hwnd_ = CreateChild(L"LISTBOX", style, 0, nullptr);
  if (hwnd_ == nullptr) return;
  // The entries kept before the window existed (a whole list file, perhaps): room made once,
  // no redraw per entry.
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, LB_INITSTORAGE, items_.size(), 0);
  for (const std::u16string& item : items_) {
    SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePtr(item)));
  }
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
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
  if (index == old) return;
  if (onClick) onClick();
}

int32_t ListBox::BackColor() const {
  return colors_.Back().value_or(static_cast<int32_t>(GetSysColor(COLOR_WINDOW)));
}

void ListBox::SetBackColor(int32_t color) {
  colors_.SetBack(color);
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
  if (IsControlColorMessage(message)) {
    return AnswerColor(colors_.Apply(reinterpret_cast<HDC>(wParam)), result);
  }
  return false;
}

}  // namespace qf

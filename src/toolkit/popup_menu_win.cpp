#include "toolkit/popup_menu_win.h"

#include "core/wide_win.h"

namespace qf {

PopupMenu::PopupMenu(std::initializer_list<MenuItem> items) : items_(items) {}

PopupMenu::~PopupMenu() {
  if (menu_ != nullptr) DestroyMenu(menu_);
}

void PopupMenu::AddItem(MenuItem item) {
  items_.push_back(std::move(item));
  if (menu_ != nullptr) {
    DestroyMenu(menu_);
    menu_ = nullptr;
  }
}

void PopupMenu::Build() {
  if (menu_ != nullptr) return;
  menu_ = CreatePopupMenu();
  if (menu_ == nullptr) return;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].caption == u"-") {
      AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
    } else {
      // Command ids start at 1: TrackPopupMenu returns 0 for "nothing chosen".
      AppendMenuW(menu_, MF_STRING, static_cast<UINT_PTR>(i + 1), WidePtr(items_[i].caption));
    }
  }
}

int PopupMenu::Show(HWND owner) {
  POINT at{0, 0};
  GetCursorPos(&at);
  return Show(owner, at.x, at.y);
}

int PopupMenu::Show(HWND owner, int x, int y) {
  Build();
  if (menu_ == nullptr || owner == nullptr) return -1;
  // The owner must be the foreground window, or the menu does not close when the user
  // clicks elsewhere; the WM_NULL afterwards lets the next click work the first time.
  SetForegroundWindow(owner);
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0,
                     owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  if (command == 0 || command > items_.size()) return -1;
  const int index = static_cast<int>(command - 1);
  // A copy: the handler may change the menu.
  const std::function<void()> handler = items_[static_cast<std::size_t>(index)].onClick;
  if (handler) handler();
  return index;
}

}  // namespace qf

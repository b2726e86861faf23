#pragma once
// A popup menu of commands, shown at the mouse pointer from a window. The command's handler
// runs after the menu has closed.
//
//   PopupMenu mnumenu{{{u"HTML Fader", [this] { mnuhtmlfader_Click(); }},
//                      {u"-"},
//                      {u"Fades", [this] { mnufades_Click(); }}}};
//   mnumenu.Show(Form1.Handle());
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "toolkit/gdi_win.h"

namespace qf {

struct MenuItem {
  std::u16string caption{};         // "-" makes a separator
  std::function<void()> onClick{};  // may be set later through Item()
};

class PopupMenu {
 public:
  PopupMenu() = default;
  PopupMenu(std::initializer_list<MenuItem> items);
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  void AddItem(MenuItem item);
  int ItemCount() const { return static_cast<int>(items_.size()); }
  MenuItem& Item(int index) { return items_.at(static_cast<std::size_t>(index)); }

  // Shows the menu at the mouse pointer (or at the screen point x, y), waits for the choice
  // and runs its handler. Returns the index of the chosen item, or -1 when none was chosen.
  int Show(HWND owner);
  int Show(HWND owner, int x, int y);

 private:
  void Build();
  std::vector<MenuItem> items_;
  HMENU menu_ = nullptr;
};

}  // namespace qf

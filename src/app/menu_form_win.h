#pragma once
// The menu window (Form2 in the original form definitions, its menu mnumenu): a window that is
// never shown and only holds the program's popup menu, with
// "HTML Fader", "Fades" and "Exit". The main window pops it up at the mouse pointer. Its items
// reach every window, so it lives here, where the program wires its windows together.
#include "toolkit/toolkit_win.h"

namespace qf {

struct Program;

class MenuForm : public Form {
 public:
  explicit MenuForm(Program& program);

  PopupMenu programMenu{{{u"HTML Fader", [this] { OnHtmlFaderChosen(); }},
                         {u"-"},
                         {u"Fades", [this] { OnFadesChosen(); }},
                         {u"-"},
                         {u"Exit", [this] { OnExitChosen(); }}}};

 private:
  void OnHtmlFaderChosen();
  void OnFadesChosen();
  void OnExitChosen();

  Program& program_;
};

}  // namespace qf

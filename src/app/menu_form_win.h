#pragma once
// Form2: a window that is never shown and only holds the program's popup menu, mnumenu, with
// "HTML Fader", "Fades" and "Exit". The main window pops it up at the mouse pointer. Its items
// reach every window, so it lives here, where the program wires its windows together.
#include "toolkit/toolkit_win.h"

namespace qf {

struct Program;

class MenuForm : public Form {
 public:
  explicit MenuForm(Program& program);

  PopupMenu mnumenu{{{u"HTML Fader", [this] { mnuhtmlfader_Click(); }},
                     {u"-"},
                     {u"Fades", [this] { mnufades_Click(); }},
                     {u"-"},
                     {u"Exit", [this] { mnuexit_Click(); }}}};

 private:
  void mnuhtmlfader_Click();
  void mnufades_Click();
  void mnuexit_Click();

  Program& program_;
};

}  // namespace qf

#include "app/program_win.h"

#include "chrome/tray.h"
#include "chrome/tray_win.h"
#include "schemes/scheme_store_win.h"

namespace qf {

Program::Program(HICON programIcon, std::u16string folder)
    : icon(programIcon), schemeFolder(folder.empty() ? ProgramFolder() : std::move(folder)) {}

void Program::LoadStartupScheme() {
  const std::u16string list = SchemeListPath();
  if (!FileExists(list)) return;
  Form4.Load();  // the list lives in Form4, which is made (hidden) with it
  LoadListBox(list, Form4.List1);
  Form4.ApplyScheme(Form4.List1.List(0));
}

void Program::MinimiseToTray() { TrayAdd(Form1.Icon(), Form1.Caption(), Form1.Handle()); }

void Program::TrayReport(float x) {
  if (TrayMessage(x) != 0) TrayRestore(Form1.Handle());
}

void Program::ShowMenu() {
  Form2.Load();
  Form2.mnumenu.Show(Form1.Handle());
}

void Program::ShowSchemeManager() { Form4.Show(); }

}  // namespace qf

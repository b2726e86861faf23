#include "app/program_win.h"

#include "chrome/tray.h"
#include "chrome/tray_win.h"
#include "schemes/scheme_store_win.h"

namespace qf {

Program::Program(HICON programIcon, std::u16string folder)
    : icon(programIcon), schemeFolder(folder.empty() ? ProgramFolder() : std::move(folder)) {}

void Program::LoadStartupScheme() {
  const std::u16string list = SchemeListPath();
  if (!FileExists(list)) {
    // A hidden or system list file counts as missing, but it is there: it must not be
    // replaced by the (empty) list of this run.
    if (FilePresent(list)) Form4.KeepListFileUnwritten(u"is hidden or a system file");
    return;
  }
  Form4.Load();  // the list lives in Form4, which is made (hidden) with it
  switch (LoadListBox(list, Form4.List1)) {
    case ListLoad::kLoaded:
      break;
    case ListLoad::kUnreadable:
      Form4.KeepListFileUnwritten(u"could not be read");
      break;
    case ListLoad::kTooLarge:
      Form4.KeepListFileUnwritten(u"is too large to be a scheme list");
      break;
  }
  Form4.ApplyScheme(Form4.List1.List(0));
}

bool Program::MinimiseToTray() { return TrayAdd(Form1.Icon(), Form1.Caption(), Form1.Handle()); }

void Program::BringToFront() {
  // The HTML fader stands in for the main window while it is open.
  if (Form3.Visible() && !Form1.Visible() && !TrayHolds(Form1.Handle())) {
    Form3.Show();
    return;
  }
  TrayRestore(Form1.Handle());
  Form1.Show();
}

void Program::TrayReport(float x) {
  if (TrayMessage(x) != 0) TrayRestore(Form1.Handle());
}

void Program::ShowMenu() {
  Form2.Load();
  Form2.mnumenu.Show(Form1.Handle());
}

void Program::ShowSchemeManager() { Form4.Show(); }

}  // namespace qf

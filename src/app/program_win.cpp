#include "app/program_win.h"

#include <string>
#include <string_view>
#include <vector>

#include "app/single_instance_win.h"
#include "chrome/tray_win.h"
#include "mainwindow/announce_win.h"
#include "schemes/scheme_store_win.h"

namespace qf {

Program::Program(HICON programIcon, std::u16string folder)
    : icon(programIcon), schemeFolder(folder.empty() ? ProgramFolder() : std::move(folder)) {}

void Program::LoadStartupScheme() {
  if (!Form4.LoadStartupList()) return;
  // The list's first scheme (the empty name when the file held none).
  const std::vector<std::u16string>& names = Form4.Store().Names();
  Form4.ApplyScheme(names.empty() ? std::u16string_view() : std::u16string_view(names.front()));
}

void Program::ShowMenu() {
  Form2.Load();
  Form2.mnumenu.Show(Form1.Handle());
}

void Program::ShowSchemeManager() { Form4.Show(); }

LRESULT Program::OnWindowMessage(UINT message) {
  // A copy that is ending does not come forward: the second copy waits for it to end.
  if (message != ComeForwardMessage() || exiting) return 0;
  BringToFront();
  return kCameForward;
}

void Program::ExitProgram() {
  exiting = true;
  ReleaseSingleInstance();
  SendAnnouncement();
  EndProgram();
}

int32_t Program::StopColour(int k) { return Form1.State().StopColour(k); }

void Program::SetStopColour(int k, int32_t colour) { Form1.SetStopColour(k, colour); }

void Program::ShowHtmlFader() {
  Form3.Show();
  Form1.Hide();
}

void Program::BringToFront() {
  if (Form3.Visible() && !Form1.Visible() && !TrayHolds(Form1.Handle())) {
    Form3.Show();
    return;
  }
  Form1.Restore();
}

}  // namespace qf

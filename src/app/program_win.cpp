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
  if (!schemeForm.LoadStartupList()) return;
  // The list's first scheme (the empty name when the file held none).
  const std::vector<std::u16string>& names = schemeForm.Store().Names();
  schemeForm.ApplyScheme(names.empty() ? std::u16string_view()
                                       : std::u16string_view(names.front()));
}

void Program::ShowMenu() {
  menuForm.Load();
  // At the pointer, where the diamond was clicked; opened with the keyboard (the pointer
  // anywhere else), it drops from the diamond's lower left corner.
  const HWND main = mainForm.Handle();
  POINT at{0, 0};
  GetCursorPos(&at);
  POINT inMain = at;
  ScreenToClient(main, &inMain);
  if (!mainForm.menuArea.Contains(inMain.x, inMain.y)) {
    const Rect area = mainForm.menuArea.PlacedBounds();
    at = {area.left, area.Bottom()};
    ClientToScreen(main, &at);
  }
  menuForm.programMenu.Show(main, at.x, at.y);
}

void Program::ShowSchemeManager() { schemeForm.Show(); }

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

int32_t Program::StopColor(int k) { return mainForm.State().StopColor(k); }

void Program::SetStopColor(int k, int32_t color) { mainForm.SetStopColor(k, color); }

void Program::ShowHtmlFader() {
  htmlFaderForm.Show();
  mainForm.Hide();
}

void Program::BringToFront() {
  if (htmlFaderForm.Visible() && !mainForm.Visible() && !TrayHolds(mainForm.Handle())) {
    htmlFaderForm.Show();
    return;
  }
  mainForm.Restore();
}

}  // namespace qf

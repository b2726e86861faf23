// Quelvane Fader: the main window is made, loaded (shaped, the first scheme's colours, topmost,
// the announcement) and shown, then the program answers events until it ends through the
// main window's exit area or the menu's "Exit", both of which end it at once.
#include <windows.h>

#include "app/program_win.h"
#include "app/resource_ids.h"
#include "app/single_instance_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/event_pump_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // A second copy hands over to the running one before it makes or announces anything.
  if (!qf::ClaimSingleInstance()) return 0;
  // Before the first window: every window is drawn at its monitor's own scale.
  qf::EnableDpiAwareness();
  qf::InstallEventPump();
  // The windows live until the process ends: EndProgram() leaves without destroying them.
  static qf::Program program(LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP)));
  program.mainForm.Show();
  return qf::RunMessageLoop();
}

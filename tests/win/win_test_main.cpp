// Entry point of the Windows tests: installs the real event pump first, as the program does,
// and makes every wiring mistake of the toolkit fail the test that made it.
#include <gtest/gtest.h>

#include "toolkit/event_pump_win.h"
#include "toolkit/win32_win.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  qf::InstallEventPump();
  qf::SetWiringFailureHandler([](const char* what) { ADD_FAILURE() << "wiring: " << what; });
  return RUN_ALL_TESTS();
}

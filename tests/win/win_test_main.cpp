// Entry point of the Windows tests: installs the real event pump first, as the program does.
#include <gtest/gtest.h>

#include "toolkit/event_pump_win.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  qf::InstallEventPump();
  return RUN_ALL_TESTS();
}

// Entry point of the Windows tests: installs the real event pump first, as the program does,
// and makes every wiring mistake of the toolkit fail the test that made it.
#include <gtest/gtest.h>

#include "core/report_win.h"
#include "toolkit/event_pump_win.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  qf::InstallEventPump();
  qf::SetFailureReportHandler([](const qf::FailureReport& report) {
    if (report.level == qf::FailureLevel::kWiring) {
      ADD_FAILURE_AT(report.where.file_name(), static_cast<int>(report.where.line()))
          << "wiring: " << report.what;
    }
  });
  return RUN_ALL_TESTS();
}

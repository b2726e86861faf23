#include "core/report_win.h"

#include <windows.h>

#include <cstdlib>
#include <set>
#include <string>

namespace qf {
namespace {

void DefaultReport(const FailureReport& report) {
  static std::set<std::string> reported;
  const std::string place =
      std::string(report.where.file_name()) + ":" + std::to_string(report.where.line());
  if (reported.insert(place).second) {
    const std::string line =
        std::string(report.level == FailureLevel::kWiring ? "qf: wiring mistake: "
                                                          : "qf: failed: ") +
        report.what + " (" + place +
        (report.systemError != 0 ? ", error " + std::to_string(report.systemError) : "") + ")\n";
    OutputDebugStringA(line.c_str());
  }
#ifndef NDEBUG
  if (report.level == FailureLevel::kWiring) std::abort();
  if (IsDebuggerPresent()) DebugBreak();
#endif
}

FailureReportHandler handler = &DefaultReport;

}  // namespace

bool ReportIf(bool failed, const char* what, FailureLevel level, std::source_location where) {
  if (!failed) return false;
  // Read first: anything called after the failing call may change it.
  const unsigned long systemError = level == FailureLevel::kSystem ? GetLastError() : 0;
  handler({.what = what, .level = level, .where = where, .systemError = systemError});
  return true;
}

FailureReportHandler SetFailureReportHandler(FailureReportHandler next) {
  FailureReportHandler previous = handler;
  handler = next != nullptr ? next : &DefaultReport;
  return previous;
}

}  // namespace qf

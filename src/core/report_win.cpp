#include "core/report_win.h"

#include <windows.h>

#include <set>
#include <string>

namespace qf {
namespace {

void DefaultReport(const char* what) {
  static std::set<std::string> reported;
  if (reported.insert(what).second) {
    OutputDebugStringA("qf: failed: ");
    OutputDebugStringA(what);
    OutputDebugStringA("\n");
  }
#ifndef NDEBUG
  if (IsDebuggerPresent()) DebugBreak();
#endif
}

FailureReportHandler handler = &DefaultReport;

}  // namespace

bool ReportIf(bool failed, const char* what) {
  if (failed && handler != nullptr) handler(what);
  return failed;
}

FailureReportHandler SetFailureReportHandler(FailureReportHandler next) {
  FailureReportHandler previous = handler;
  handler = next != nullptr ? next : &DefaultReport;
  return previous;
}

}  // namespace qf

#pragma once
// The one check for what can fail and the program carries on from with a sound fallback, at two
// levels:
//   - a failure of the system: a Win32 call that failed (a window, class, region or GDI object
//     that could not be made, a profile or file write that failed). The caller still handles it
//     (and tells the user where the user's work is concerned); this makes it visible to
//     developers, with the place in the code and the system's error code.
//   - a wiring mistake of the program itself (a control made after its form's window, a click
//     area with no handler): never the user's doing, so debug builds stop at once.
// Every build writes one debugger line (OutputDebugString) the first time each place reports,
// so a failure on every timer tick does not flood the log; debug builds with a debugger attached
// stop at a failure. Tests install a handler to see what was reported.
//   if (ReportIf(region == nullptr, "CreateRoundRectRgn failed")) return;
//   ReportIf(label.onClick == nullptr, "a click label has no handler", FailureLevel::kWiring);
#include <source_location>

namespace qf {

enum class FailureLevel {
  kSystem,  // a call to the system failed; the program carries on
  kWiring,  // the program is wired wrongly (a developer's mistake)
};

struct FailureReport {
  const char* what;
  FailureLevel level;
  std::source_location where;
  unsigned long systemError;  // GetLastError() as the failure left it; 0 for wiring mistakes
};

// Reports `what` when `failed`; returns `failed`, so the check can guard the fallback.
bool ReportIf(bool failed, const char* what, FailureLevel level = FailureLevel::kSystem,
              std::source_location where = std::source_location::current());

using FailureReportHandler = void (*)(const FailureReport& report);
// Installs `handler` (null: the default above); returns the previous one.
FailureReportHandler SetFailureReportHandler(FailureReportHandler handler);

}  // namespace qf

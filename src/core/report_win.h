#pragma once
// The one check for Win32 calls that can fail and that the program carries on from with a
// sound fallback: a window, class, region or GDI object that could not be made, a profile or
// file write that failed. The caller still handles the failure (and tells the user where the
// user's work is concerned); this makes it visible to developers.
//   - Debug builds stop at the place when a debugger is attached (DebugBreak).
//   - Every build writes one debugger line (OutputDebugString) the first time each text is
//     reported, so a failure on every timer tick does not flood the log.
//   - Tests may install a handler to see what was reported.
//   if (ReportIf(region == nullptr, "CreateRoundRectRgn failed")) return;
namespace qf {

// Reports `what` when `failed`; returns `failed`, so the check can guard the fallback.
bool ReportIf(bool failed, const char* what);

using FailureReportHandler = void (*)(const char* what);
// Installs `handler` (null: the default above); returns the previous one.
FailureReportHandler SetFailureReportHandler(FailureReportHandler handler);

}  // namespace qf

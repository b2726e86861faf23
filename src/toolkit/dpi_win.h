#pragma once
// Display scale: the program draws itself at each monitor's own DPI (per-monitor aware), and
// asks the system which DPI a window or a point of the screen has. The newer functions are
// looked up at run time, so the program still starts on systems that lack them; there every
// answer is the system's one DPI.
#include <windows.h>

#include "core/scale.h"

namespace qf {

// Declares the process DPI aware, once, before its first window: per-monitor (version 2)
// where the system has it, else per-monitor (8.1), else system aware (Vista). The manifest
// already asks for per-monitor v2; this covers systems that do not read that entry.
void EnableDpiAwareness();

// The DPI `window` is drawn at (its monitor's for a per-monitor aware process).
int WindowDpi(HWND window);
// The DPI of the monitor that holds the screen point (x, y).
int DpiAtPoint(int x, int y);
// The system DPI: what a window gets where the system does not scale per monitor.
int SystemDpi();
// The width of a small (tray, caption) icon at `dpi`.
int SmallIconSize(int dpi);

}  // namespace qf

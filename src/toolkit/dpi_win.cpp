#include "toolkit/dpi_win.h"

#include "toolkit/win32_win.h"

namespace qf {
namespace {

// The functions of newer systems, found by name (LateBound): a hard import of any of them would
// stop the program from loading on the systems before them.
using SetContextFn = BOOL WINAPI(HANDLE);
using SetAwarenessFn = HRESULT WINAPI(int);
using SetAwareFn = BOOL WINAPI();
using DpiForWindowFn = UINT WINAPI(HWND);
using DpiForMonitorFn = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
using MetricsForDpiFn = int WINAPI(int, UINT);

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, PROCESS_PER_MONITOR_DPI_AWARE, MDT_EFFECTIVE_DPI.
const HANDLE kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
constexpr int kProcessPerMonitorAware = 2;
constexpr int kEffectiveDpi = 0;

int Valid(UINT dpi) { return dpi >= 48 && dpi <= 960 ? static_cast<int>(dpi) : SystemDpi(); }

}  // namespace

void EnableDpiAwareness() {
  static const bool done = [] {
    if (auto setContext = LateBound<SetContextFn>(L"user32.dll", "SetProcessDpiAwarenessContext")) {
      // Refused with ERROR_ACCESS_DENIED when the manifest has set it already: nothing to do.
      if (setContext(kPerMonitorV2) || GetLastError() == ERROR_ACCESS_DENIED) return true;
    }
    if (auto setAwareness = LateBound<SetAwarenessFn>(L"shcore.dll", "SetProcessDpiAwareness")) {
      const HRESULT result = setAwareness(kProcessPerMonitorAware);
      if (SUCCEEDED(result) || result == E_ACCESSDENIED) return true;
    }
    if (auto setAware = LateBound<SetAwareFn>(L"user32.dll", "SetProcessDPIAware")) setAware();
    return true;
  }();
  (void)done;
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : Scale::kBaseDpi;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : Scale::kBaseDpi;
}

int WindowDpi(HWND window) {
  static const auto dpiForWindow = LateBound<DpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (dpiForWindow != nullptr && window != nullptr) return Valid(dpiForWindow(window));
  return SystemDpi();
}

int DpiAtPoint(int x, int y) {
  static const auto dpiForMonitor = LateBound<DpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  if (dpiForMonitor != nullptr) {
    UINT dpiX = 0;
    UINT dpiY = 0;
    HMONITOR monitor = MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTOPRIMARY);
    if (SUCCEEDED(dpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY))) return Valid(dpiY);
  }
  return SystemDpi();
}

int SmallIconSize(int dpi) {
  static const auto metricsForDpi =
      LateBound<MetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
  if (metricsForDpi != nullptr) {
    const int size = metricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi));
    if (size > 0) return size;
  }
  // The system's metric is for the system DPI.
  return MulDiv(GetSystemMetrics(SM_CXSMICON), dpi, SystemDpi());
}

}  // namespace qf

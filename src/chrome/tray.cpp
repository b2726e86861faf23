#include "chrome/tray.h"

#include <cmath>

namespace qf {
namespace {

constexpr double kLeftDoubleClick = 0x0203;  // WM_LBUTTONDBLCLK
constexpr double kRightButtonDown = 0x0204;  // WM_RBUTTONDOWN

}  // namespace

int16_t TrayMessage(float x, float twipsPerPixel) {
  // Rounded as a double and compared as one: a NaN, an infinity or a huge x simply matches
  // nothing, with no conversion to an integer that could overflow.
  const double m = std::nearbyint(static_cast<double>(x) / static_cast<double>(twipsPerPixel));
  if (m == kLeftDoubleClick) return 1;
  if (m == kRightButtonDown) return 2;
  return 0;
}

}  // namespace qf

#include "chrome/tray.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qf {
namespace {

TEST(TrayMessageTest, OnlyLeftDoubleClickAndRightPressRestore) {
  EXPECT_EQ(TrayMessage(515), 1);  // WM_LBUTTONDBLCLK
  EXPECT_EQ(TrayMessage(516), 2);  // WM_RBUTTONDOWN
  // A plain move, a left press and release, a right release, a middle press; and the main
  // window's own mouse moves, which never reach 515 pixels.
  for (float other : {512.f, 513.f, 514.f, 517.f, 519.f, 0.f, 100.f, 514.4f, -515.f}) {
    EXPECT_EQ(TrayMessage(other), 0) << other;
  }
}

TEST(TrayMessageTest, RoundsHalfToEvenAfterScalingTwips) {
  EXPECT_EQ(TrayMessage(515.4f), 1);
  EXPECT_EQ(TrayMessage(515.5f), 2);  // 516 is the even neighbour
  EXPECT_EQ(TrayMessage(514.5f), 0);  // 514, not 515
  EXPECT_EQ(TrayMessage(516.5f), 2);
  EXPECT_EQ(TrayMessage(515 * 15.f, 15), 1);
  EXPECT_EQ(TrayMessage(516 * 15.f, 15), 2);
  EXPECT_EQ(TrayMessage(515 * 12.f, 12), 1);  // 120 dpi
  EXPECT_EQ(TrayMessage(515.f, 15), 0);       // a pixel value read as twips
  EXPECT_EQ(TrayMessage(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(TrayMessage(std::numeric_limits<float>::infinity()), 0);
  EXPECT_EQ(TrayMessage(3e38f), 0);
}

}  // namespace
}  // namespace qf

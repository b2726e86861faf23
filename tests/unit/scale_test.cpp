// The one mapping from 96-dpi layout pixels to physical pixels.
#include "core/scale.h"

#include <gtest/gtest.h>

#include "mainwindow/layout.h"

namespace {

using qf::Rect;
using qf::RoundedRect;
using qf::Scale;

constexpr int kScales[] = {120, 144, 192};

TEST(ScaleTest, NinetySixDpiChangesNothing) {
  const Scale scale{96};
  for (const Rect& r : {qf::mainwindow::kLineBox, qf::mainwindow::kSendArea, Rect{-7, -3, 5, 1}}) {
    EXPECT_EQ(scale.Map(r), r);
  }
  for (const RoundedRect& piece : qf::mainwindow::kOutline) {
    const RoundedRect mapped = scale.Map(piece);
    EXPECT_EQ(mapped.left, piece.left);
    EXPECT_EQ(mapped.bottom, piece.bottom);
    EXPECT_EQ(mapped.ellipseWidth, piece.ellipseWidth);
  }
}

// Rectangles side by side at 96 dpi (each one starting where the last ended, at odd places
// where the scaled edges fall on halves) still touch, with neither a gap nor an overlap, and
// each size stays within one pixel of the exact product.
TEST(ScaleTest, TouchingPiecesStillTouchAndKeepTheirSize) {
  for (int dpi : kScales) {
    const Scale scale{dpi};
    for (int start = -5; start < 5; ++start) {
      Rect previous{start, start, 1, 3};
      for (int width = 1; width < 12; ++width) {
        const Rect next{previous.Right(), previous.Bottom(), width, width + 2};
        EXPECT_EQ(scale.Map(previous).Right(), scale.Map(next).left) << dpi << " " << start;
        EXPECT_EQ(scale.Map(previous).Bottom(), scale.Map(next).top) << dpi << " " << start;
        const double exact = width * scale.Factor();
        EXPECT_NEAR(scale.Map(next).width, exact, 1.0) << dpi << " width " << width;
        previous = next;
      }
    }
  }
}

TEST(ScaleTest, RoundsHalvesUpwardOnBothSidesOfTheOrigin) {
  const Scale scale{144};
  EXPECT_EQ(scale.Px(1), 2);    // 1.5
  EXPECT_EQ(scale.Px(-1), -1);  // -1.5
  EXPECT_EQ(scale.Px(17), 26);
  EXPECT_EQ(Scale{120}.Px(2), 3);  // 2.5
  EXPECT_EQ(scale.Unscaled(scale.Px(333)), 333);
  EXPECT_EQ(scale.Map(RoundedRect{4, 5, 48, 30, 6, 6}).right, 72);
}

}  // namespace

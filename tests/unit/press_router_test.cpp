// Which target a press and its release belong to.
#include "toolkit/press_router.h"

#include <gtest/gtest.h>

namespace {

using qf::MouseEventKind;
// Labels here are plain ints: the router only compares their addresses.
using PressTarget = const int*;
using PressRouter = qf::PressRouter<const int>;
using RoutedMouseEvents = PressRouter::Events;

constexpr int kLeft = 1, kRight = 2, kMiddle = 4;
const int labelA = 0, labelB = 0;
const PressTarget a = &labelA, b = &labelB, background = nullptr;

testing::AssertionResult Raises(
    const RoutedMouseEvents& got,
    std::initializer_list<std::pair<MouseEventKind, PressTarget>> want) {
  if (got.count != want.size()) return testing::AssertionFailure() << got.count << " events";
  std::size_t i = 0;
  for (const auto& [kind, target] : want) {
    if (got.events[i].kind != kind || got.events[i].target != target) {
      return testing::AssertionFailure() << "event " << i << " differs";
    }
    ++i;
  }
  return testing::AssertionSuccess();
}

TEST(PressRouter, AClickIsAPressAndReleaseOnTheSameTarget) {
  PressRouter router;
  RoutedMouseEvents down = router.Press(kLeft, a, false);
  EXPECT_TRUE(down.startCapture);
  EXPECT_TRUE(Raises(down, {{MouseEventKind::kDown, a}}));
  RoutedMouseEvents up = router.Release(kLeft, a, 0);
  EXPECT_TRUE(up.endCapture);
  EXPECT_TRUE(Raises(up, {{MouseEventKind::kUp, a}, {MouseEventKind::kClick, a}}));
  // Released elsewhere: the Up still belongs to the label pressed, but it is no click.
  router.Press(kLeft, a, false);
  EXPECT_TRUE(Raises(router.Release(kLeft, b, 0), {{MouseEventKind::kUp, a}}));
  router.Press(kLeft, background, false);
  EXPECT_TRUE(Raises(router.Release(kLeft, a, 0), {{MouseEventKind::kUp, background}}));
  // Right and middle buttons never click.
  router.Press(kRight, a, false);
  EXPECT_TRUE(Raises(router.Release(kRight, a, 0), {{MouseEventKind::kUp, a}}));
}

TEST(PressRouter, ALabelGetsNoReleaseWhosePressWasNotOnIt) {
  PressRouter router;
  // A right or middle press on the background whose capture the move loop took away, then
  // released over a label (the minimise area): nothing is raised on the label.
  for (int button : {kRight, kMiddle, kLeft}) {
    router.Press(button, background, false);
    router.Cancel();
    EXPECT_TRUE(Raises(router.Release(button, a, 0), {})) << button;
  }
  // A release with no press at all (it began outside the window).
  EXPECT_TRUE(Raises(router.Release(kLeft, a, 0), {}));
  // A second button pressed during a background press belongs to the background too.
  router.Press(kLeft, background, false);
  EXPECT_TRUE(Raises(router.Press(kRight, a, false), {{MouseEventKind::kDown, background}}));
  EXPECT_TRUE(Raises(router.Release(kRight, a, kLeft), {{MouseEventKind::kUp, background}}));
  EXPECT_TRUE(router.Active());
  EXPECT_TRUE(Raises(router.Release(kLeft, background, 0),
                     {{MouseEventKind::kUp, background}, {MouseEventKind::kClick, background}}));
  EXPECT_FALSE(router.Active());
}

TEST(PressRouter, DoubleClicksMissedReleasesAndForgottenTargets) {
  PressRouter router;
  router.Press(kLeft, a, false);
  router.Release(kLeft, a, 0);
  EXPECT_TRUE(Raises(router.Press(kLeft, a, true), {{MouseEventKind::kDblClick, a}}));
  EXPECT_TRUE(Raises(router.Release(kLeft, a, 0), {{MouseEventKind::kUp, a}}));  // no Click
  // A release the form missed: the next release with no buttons held closes the press.
  router.Press(kLeft, a, false);
  router.Press(kRight, a, false);
  EXPECT_TRUE(router.Release(kRight, a, 0).endCapture);
  EXPECT_FALSE(router.Active());
  // A label that goes away takes its press with it; moves follow the press's target.
  router.Press(kLeft, a, false);
  EXPECT_FALSE(router.MoveIsBackgrounds(background));
  router.Forget(a);
  EXPECT_TRUE(Raises(router.Release(kLeft, a, 0), {}));
  EXPECT_TRUE(router.MoveIsBackgrounds(background));
  EXPECT_FALSE(router.MoveIsBackgrounds(a));
}

}  // namespace

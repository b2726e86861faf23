#include "chrome/snap.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/events.h"

namespace {

using qf::SlideOntoScreen;
using qf::TwipPoint;

// 1024 x 768 pixels at 15 twips per pixel.
constexpr double kScreenWidth = 15360;
constexpr double kScreenHeight = 11520;
constexpr double kWidth = 5550;  // the main window: 370 x 248 pixels
constexpr double kHeight = 3720;

// A window that remembers every position it was moved to.
class RecordingWindow : public qf::SlidingWindow {
 public:
  explicit RecordingWindow(TwipPoint start) : position(start) {}
  TwipPoint Position() const override { return position; }
  void MoveTo(TwipPoint p) override {
    position = p;
    moves.push_back(p);
  }
  TwipPoint position;
  std::vector<TwipPoint> moves;
};

TwipPoint Slide(TwipPoint start, RecordingWindow* out = nullptr, double width = kWidth,
                double height = kHeight) {
  RecordingWindow window(start);
  SlideOntoScreen(window, width, height, kScreenWidth, kScreenHeight);
  if (out != nullptr) *out = window;
  return window.position;
}

// A spot well inside the screen, more than 400 twips from every edge.
constexpr double kMiddleTop = 3000;

TEST(SnapToScreen, BringsWindowsBackOntoTheScreen) {
  RecordingWindow w({0, 0});
  EXPECT_EQ(Slide({-500, kMiddleTop}, &w).left, 0);
  // Fifty 10-twip moves to the right and the placement at exactly 0; then, being nearer
  // than 400 twips to the left edge, one more move out to -10 and back to 0.
  ASSERT_EQ(w.moves.size(), 53u);
  EXPECT_EQ(w.moves.front().left, -490);
  EXPECT_EQ(w.moves[49].left, 0);
  EXPECT_EQ(w.moves[51].left, -10);

  EXPECT_EQ(Slide({3000, -1234}).top, 0);
  EXPECT_EQ(Slide({3000, kScreenHeight - 100}).top, kScreenHeight - kHeight);
  EXPECT_EQ(Slide({kScreenWidth - 10, kMiddleTop}).left, kScreenWidth - kWidth);
}

TEST(SnapToScreen, PullsAgainstEdgesNearerThan400Twips) {
  EXPECT_EQ(Slide({300, kMiddleTop}).left, 0);
  EXPECT_EQ(Slide({3000, 399}).top, 0);
  EXPECT_EQ(Slide({kScreenWidth - kWidth - 399, kMiddleTop}).left, kScreenWidth - kWidth);
  EXPECT_EQ(Slide({3000, kScreenHeight - kHeight - 1}).top, kScreenHeight - kHeight);
}

TEST(SnapToScreen, ExactlyAt400TwipsStaysPut) {
  RecordingWindow w({0, 0});
  const TwipPoint end = Slide({400, 400}, &w);
  EXPECT_EQ(end.left, 400);
  EXPECT_EQ(end.top, 400);
  EXPECT_TRUE(w.moves.empty());
}

TEST(SnapToScreen, WindowAtTheEdgeStillMovesOnceAndComesBack) {
  RecordingWindow w({0, 0});
  const TwipPoint end = Slide({0, kMiddleTop}, &w);
  ASSERT_EQ(w.moves.size(), 2u);
  EXPECT_EQ(w.moves[0].left, -10);
  EXPECT_EQ(w.moves[1].left, 0);
  EXPECT_EQ(end.left, 0);
}

TEST(SnapToScreen, FarEdgeWinsWhenNearBoth) {
  // Narrower screen margin on both sides: left 100, right gap 200.
  const double width = kScreenWidth - 300;
  EXPECT_EQ(Slide({100, kMiddleTop}, nullptr, width).left, kScreenWidth - width);
  const double height = kScreenHeight - 300;
  EXPECT_EQ(Slide({3000, 100}, nullptr, kWidth, height).top, kScreenHeight - height);
}

TEST(SnapToScreen, EndsForWindowsLargerThanTheScreen) {
  const TwipPoint end = Slide({-20000, 50000}, nullptr, kScreenWidth * 2, kScreenHeight * 3);
  EXPECT_EQ(end.left, -kScreenWidth);
  EXPECT_EQ(end.top, kScreenHeight - kScreenHeight * 3);
}

TEST(SnapToScreen, LetsMessagesRunOnEveryMove) {
  static int pumped = 0;
  pumped = 0;
  const qf::EventPump previous = qf::SetEventPump({[] { ++pumped; }, nullptr});
  RecordingWindow w({0, 0});
  Slide({-500, kMiddleTop}, &w);
  qf::SetEventPump(previous);
  // One pump per 10-twip move (50 right, then 1 against the left edge); the placements at
  // the end of each slide are not moves of the slide.
  EXPECT_EQ(pumped, 51);
}

TEST(SnapToScreen, EndsWhenTheWindowIsDestroyedDuringTheSlide) {
  // A destroyed window reads as (0, 0) whatever it is moved to: without the check the slide
  // towards the right edge would never end.
  class VanishingWindow : public RecordingWindow {
   public:
    using RecordingWindow::RecordingWindow;
    TwipPoint Position() const override { return moves.size() >= 3 ? TwipPoint{} : position; }
    bool Exists() const override { return moves.size() < 3; }
  };
  VanishingWindow window({kScreenWidth - kWidth - 100, 5000});
  SlideOntoScreen(window, kWidth, kHeight, kScreenWidth, kScreenHeight);
  EXPECT_EQ(window.moves.size(), 3u);
}

}  // namespace

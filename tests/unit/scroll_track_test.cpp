#include "toolkit/scroll_track.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <utility>

namespace qf {
namespace {

constexpr ScrollRange kByte{0, 255, 0};

ScrollRange At(int value) { return {0, 255, value}; }

TEST(ScrollLayoutTest, PartsFollowTheBarsSizeAndShrinkArrowsOnAShortBar) {
  const ScrollLayout slider = LayOutScrollBar(57, 9);  // the main window's R, G and B
  EXPECT_EQ(slider.arrow, 9);
  EXPECT_EQ(slider.thumb, 7);
  EXPECT_EQ(slider.Travel(), 32);
  EXPECT_EQ(LayOutScrollBar(49, 9).Travel(), 24);  // the HTML fader's bars
  // Twice the size at twice the scale: every part doubles.
  const ScrollLayout doubled = LayOutScrollBar(114, 18);
  EXPECT_EQ(doubled.arrow, 18);
  EXPECT_EQ(doubled.thumb, 14);
  EXPECT_EQ(doubled.Travel(), 64);
  // Too short for square arrows: each arrow a third, the thumb what is left.
  const ScrollLayout stubby = LayOutScrollBar(20, 9);
  EXPECT_EQ(stubby.arrow, 6);
  EXPECT_EQ(stubby.thumb, 7);
  EXPECT_EQ(stubby.Travel(), 1);
  // Nothing at all: no travel, and every question still has an answer.
  const ScrollLayout none = LayOutScrollBar(0, -3);
  EXPECT_EQ(none.Travel(), 0);
  EXPECT_EQ(none.ThumbStart(At(200)), 0);
  EXPECT_EQ(none.ValueAt(At(200), 5), 0);
  EXPECT_EQ(none.PartAt(0, 0), ScrollPart::kNone);
}

TEST(ScrollLayoutTest, ThumbRunsFromEndToEndInStepAndBackToTheNearestValue) {
  const ScrollLayout layout = LayOutScrollBar(57, 9);
  EXPECT_EQ(layout.ThumbStart(At(0)), 9);
  EXPECT_EQ(layout.ThumbStart(At(128)), 25);
  EXPECT_EQ(layout.ThumbStart(At(255)), 41);
  int previous = layout.ThumbStart(At(0));
  for (int value = 1; value <= 255; ++value) {
    const int start = layout.ThumbStart(At(value));
    EXPECT_GE(start, previous) << value;
    // Picking the thumb's place for a value gives back a value within half a pixel of it.
    EXPECT_LE(std::abs(layout.ValueAt(kByte, start) - value), 4) << value;
    previous = start;
  }
  EXPECT_EQ(layout.ValueAt(kByte, -100), 0);  // clamped to the track
  EXPECT_EQ(layout.ValueAt(kByte, 1000), 255);
  // The widest range there is: no overflow on the way.
  const ScrollRange wide{INT_MIN, INT_MAX, INT_MAX};
  EXPECT_EQ(layout.ThumbStart(wide), 41);
  EXPECT_EQ(layout.ValueAt(wide, 41), INT_MAX);
  EXPECT_EQ(layout.ValueAt(wide, 9), INT_MIN);
  // A range of one value: the thumb stays at the start.
  EXPECT_EQ(layout.ThumbStart({7, 7, 7}), 9);
  EXPECT_EQ(layout.ValueAt({7, 7, 7}, 30), 7);
}

TEST(ScrollLayoutTest, EachPartEndsExactlyAtItsEdge) {
  // Arrows 0..8 and 48..56, the thumb at 25..31 (value 128): one pixel either side of each edge.
  const ScrollLayout layout = LayOutScrollBar(57, 9);
  const int thumb = layout.ThumbStart(At(128));
  ASSERT_EQ(thumb, 25);
  const std::pair<int, ScrollPart> expected[] = {
      {-1, ScrollPart::kNone},      {0, ScrollPart::kLessArrow},  {8, ScrollPart::kLessArrow},
      {9, ScrollPart::kLessTrack},  {24, ScrollPart::kLessTrack}, {25, ScrollPart::kThumb},
      {31, ScrollPart::kThumb},     {32, ScrollPart::kMoreTrack}, {47, ScrollPart::kMoreTrack},
      {48, ScrollPart::kMoreArrow}, {56, ScrollPart::kMoreArrow}, {57, ScrollPart::kNone}};
  for (const auto& [at, part] : expected) EXPECT_EQ(layout.PartAt(at, thumb), part) << at;
}

TEST(ScrollTrackerTest, AHeldArrowRepeatsOnlyWhileThePointerStaysOnIt) {
  const ScrollLayout layout = LayOutScrollBar(57, 9);
  ScrollTracker tracker;
  EXPECT_EQ(tracker.Press(layout, At(10), 52), (ScrollCommand{ScrollCommand::kStep, 1, 0}));
  EXPECT_EQ(tracker.HeldPart(), ScrollPart::kMoreArrow);
  EXPECT_EQ(tracker.Repeat(At(11)), (ScrollCommand{ScrollCommand::kStep, 1, 0}));
  tracker.Move(52, false);  // off the bar sideways: it waits
  EXPECT_EQ(tracker.HeldPart(), ScrollPart::kNone);
  EXPECT_EQ(tracker.Repeat(At(12)).kind, ScrollCommand::kNone);
  tracker.Move(30);  // back on the bar, but over the track
  EXPECT_EQ(tracker.Repeat(At(12)).kind, ScrollCommand::kNone);
  tracker.Move(50);  // on the arrow again
  EXPECT_EQ(tracker.Repeat(At(12)).kind, ScrollCommand::kStep);
  EXPECT_EQ(tracker.Release(50).kind, ScrollCommand::kNone);  // the press did the work
  EXPECT_FALSE(tracker.Active());
  EXPECT_EQ(tracker.Press(layout, At(10), 2), (ScrollCommand{ScrollCommand::kStep, -1, 0}));
}

TEST(ScrollTrackerTest, AHeldTrackPagesUntilTheThumbReachesThePointer) {
  const ScrollLayout layout = LayOutScrollBar(57, 9);
  ScrollTracker tracker;
  // Value 0 puts the thumb at 9..15; the pointer at 20 lies below it.
  ScrollCommand command = tracker.Press(layout, At(0), 20);
  EXPECT_EQ(command, (ScrollCommand{ScrollCommand::kPage, 1, 0}));
  int value = 0;
  int pages = 0;
  while (command.kind == ScrollCommand::kPage && pages < 300) {
    value += command.direction;
    ++pages;
    command = tracker.Repeat(At(value));
  }
  // It stops with the thumb under the pointer, not beyond.
  EXPECT_EQ(layout.PartAt(20, layout.ThumbStart(At(value))), ScrollPart::kThumb);
  EXPECT_LT(pages, 100);
  // Above the thumb it pages the other way.
  EXPECT_EQ(tracker.Press(layout, At(255), 12).direction, -1);
}

TEST(ScrollTrackerTest, ADraggedThumbChangesTheValueOnlyWhenLetGoElsewhere) {
  const ScrollLayout layout = LayOutScrollBar(57, 9);
  ScrollTracker tracker;
  // Picked up and let go in place: nothing, though value 1's pixel would read back as 0.
  EXPECT_EQ(tracker.Press(layout, At(1), 12).kind, ScrollCommand::kNone);
  EXPECT_TRUE(tracker.Dragging());
  EXPECT_EQ(tracker.Release(12).kind, ScrollCommand::kNone);

  // Dragged 15 pixels down in steps: the thumb follows, the value comes at the release.
  EXPECT_EQ(tracker.Press(layout, At(0), 12).kind, ScrollCommand::kNone);
  for (int y = 13; y <= 27; ++y) tracker.Move(y);
  EXPECT_EQ(tracker.DragThumbStart(), 24);
  EXPECT_EQ(tracker.Release(27), (ScrollCommand{ScrollCommand::kDrop, 0, 120}));

  // Past the end, and off the bar sideways: still the maximum (the thumb stops at the end).
  tracker.Press(layout, At(0), 12);
  tracker.Move(400, false);
  EXPECT_EQ(tracker.DragThumbStart(), 41);
  EXPECT_EQ(tracker.Release(400, false).value, 255);

  // A press whose mouse was taken away ends with nothing.
  tracker.Press(layout, At(0), 12);
  tracker.Move(30);
  tracker.Cancel();
  EXPECT_FALSE(tracker.Active());
  EXPECT_EQ(tracker.Release(30).kind, ScrollCommand::kNone);
}

}  // namespace
}  // namespace qf

#include "preview/redraw_tracker.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace qf {
namespace {

TEST(RedrawTracker, DrawsFirstThenOnlyWhenSomethingTheStripShowsChanged) {
  RedrawTracker tracker;
  std::array<int32_t, 3> colours{255, 65280, 16711680};
  std::u16string text = u"hello";
  EXPECT_TRUE(tracker.Changed(3, colours, text, 0));
  EXPECT_FALSE(tracker.Changed(3, colours, text, 0));

  // Each input on its own, back and forth: every change draws once.
  text += u'!';
  EXPECT_TRUE(tracker.Changed(3, colours, text, 0));
  EXPECT_FALSE(tracker.Changed(3, colours, text, 0));
  text.back() = u'?';  // an edit that keeps the length
  EXPECT_TRUE(tracker.Changed(3, colours, text, 0));
  colours[2] = 16711681;
  EXPECT_TRUE(tracker.Changed(3, colours, text, 0));
  EXPECT_FALSE(tracker.Changed(3, colours, text, 0));
  EXPECT_TRUE(tracker.Changed(3, colours, text, 0xFFFFFF));
  EXPECT_FALSE(tracker.Changed(3, colours, text, 0xFFFFFF));
  // Two stops of the same colours: a shorter list whose values all match is still a change.
  EXPECT_TRUE(tracker.Changed(2, std::span(colours).first(2), text, 0xFFFFFF));
  EXPECT_TRUE(tracker.Changed(3, colours, text, 0xFFFFFF));
  // An emptied line is a change; the empty line is drawn once.
  EXPECT_TRUE(tracker.Changed(3, colours, u"", 0xFFFFFF));
  EXPECT_FALSE(tracker.Changed(3, colours, u"", 0xFFFFFF));
}

TEST(RedrawTracker, AListOfEqualValuesButAnotherLengthIsAChange) {
  RedrawTracker tracker;
  const std::array<int32_t, 4> same{255, 255, 255, 255};
  const std::span<const int32_t> all(same);
  EXPECT_TRUE(tracker.Changed(3, all.first(3), u"x", 0));
  // The stop count stays 3: only the length of the list tells these apart.
  EXPECT_TRUE(tracker.Changed(3, all.first(2), u"x", 0));
  EXPECT_FALSE(tracker.Changed(3, all.first(2), u"x", 0));
  EXPECT_TRUE(tracker.Changed(3, all, u"x", 0));
  EXPECT_TRUE(tracker.Changed(3, all.first(0), u"x", 0));
}

TEST(RedrawTracker, InvalidateDrawsTheSameInputAgain) {
  RedrawTracker tracker;
  const std::array<int32_t, 2> colours{0, 0};
  EXPECT_TRUE(tracker.Changed(2, colours, u"", 0));
  tracker.Invalidate();
  EXPECT_TRUE(tracker.Changed(2, colours, u"", 0));
  EXPECT_FALSE(tracker.Changed(2, colours, u"", 0));
}

}  // namespace
}  // namespace qf

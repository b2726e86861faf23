// The main window's logic against its state alone, without a window: stops counted and the
// sliders' target from the numbered boxes, the style prefix, a send composed from it, and one
// notice per real change (the preview draws on each).
#include "mainwindow/fader_state.h"

#include <gtest/gtest.h>

#include <array>

#include "fade/entry_points.h"

namespace {

using qf::FaderState;

TEST(FaderStateTest, EachRealChangeIsToldOnce) {
  FaderState state;
  int told = 0;
  state.OnChange([&] { ++told; });
  state.SetLine(u"abc");
  state.SetLine(u"abd");  // the same length, another line
  state.SetLine(u"abd");  // no change
  state.SetStopColour(3, 255);
  state.SetStopColour(3, 255);
  state.SetNumberedBox(2, 1);
  state.SetWavy(true);
  state.SetStylePrefix(u"<b>");
  EXPECT_EQ(told, 6);
}

TEST(FaderStateTest, TheBoxesChooseTheStopsAndTheSlidersTarget) {
  FaderState state;
  EXPECT_EQ(state.StopCount(), 0);  // box 1 alone chooses no fade
  EXPECT_EQ(state.SliderTarget(), 1);
  EXPECT_TRUE(state.SetSliderColour(0x123456));
  EXPECT_EQ(state.StopColour(1), 0x123456);
  state.SetNumberedBox(1, 0);
  state.SetNumberedBox(7, 1);
  state.SetNumberedBox(3, 2);  // grayed is not ticked
  EXPECT_EQ(state.StopCount(), 7);
  EXPECT_EQ(state.StopColours().size(), 7u);
  EXPECT_EQ(state.SliderTarget(), 7);
  state.SetNumberedBox(7, 0);
  EXPECT_FALSE(state.SetSliderColour(255));  // no box ticked: nothing changes
  EXPECT_EQ(state.StopColour(7), 0);
}

TEST(FaderStateTest, ASendIsComposedFromThePrefixTheStopsAndTheLine) {
  FaderState state;
  state.SetNumberedBox(2, 1);
  state.SetStopColour(2, 16711680);
  state.SetLine(u"ab");
  qf::ApplyStyleToggle({[&] { return state.StylePrefix(); },
                        [&](std::u16string_view prefix) { state.SetStylePrefix(prefix); }},
                       [] { return true; }, u"<s>");
  qf::ApplyStyleToggle({[&] { return state.StylePrefix(); },
                        [&](std::u16string_view prefix) { state.SetStylePrefix(prefix); }},
                       [] { return true; }, u"<b>");
  EXPECT_EQ(qf::ComposeChatLine(state.StylePrefix(), state.StopColours(), state.Line(), false),
            u"<b><s>" + qf::FadeColors(std::array{0, 16711680}, u"ab", false));
}

}  // namespace

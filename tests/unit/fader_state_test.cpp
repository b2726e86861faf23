// The main window's logic against its state alone, without a window: stops counted and the
// sliders' target from the numbered boxes, the style prefix, a send composed from it, and one
// notice per real change (the preview draws on each).
#include "mainwindow/fader_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "core/events.h"
#include "fade/entry_points.h"

namespace {

using qf::EventPump;
using qf::FaderState;
using qf::SetEventPump;

TEST(FaderStateTest, EachRealChangeIsToldOnce) {
  FaderState state;
  int told = 0;
  state.OnChange([&] { ++told; });
  state.SetLine(u"abc");
  state.SetLine(u"abd");  // the same length, another line
  state.SetLine(u"abd");  // no change
  state.SetStopColor(3, 255);
  state.SetStopColor(3, 255);
  state.SetNumberedBox(2, 1);
  state.SetWavy(true);
  state.SetStylePrefix(u"<b>");
  EXPECT_EQ(told, 6);
}

TEST(FaderStateTest, TheBoxesChooseTheStopsAndTheSlidersTarget) {
  FaderState state;
  EXPECT_EQ(state.StopCount(), 0);  // box 1 alone chooses no fade
  EXPECT_EQ(state.SliderTarget(), 1);
  EXPECT_TRUE(state.SetSliderColor(0x123456));
  EXPECT_EQ(state.StopColor(1), 0x123456);
  state.SetNumberedBox(1, 0);
  state.SetNumberedBox(7, 1);
  state.SetNumberedBox(3, 2);  // grayed is not ticked
  EXPECT_EQ(state.StopCount(), 7);
  EXPECT_EQ(state.StopColors().size(), 7u);
  EXPECT_EQ(state.SliderTarget(), 7);
  state.SetNumberedBox(7, 0);
  EXPECT_FALSE(state.SetSliderColor(255));  // no box ticked: nothing changes
  EXPECT_EQ(state.StopColor(7), 0);
}

// SEND: the prefix, then the fade; the waiting messages (played by the pump hook) run before
// the room is asked, and only what was sent leaves the line, only when the room took it.
TEST(FaderStateTest, ASendDeliversThePrefixAndFadeAndTakesOnlyWhatWasSent) {
  FaderState state;
  state.SetNumberedBox(2, 1);
  state.SetStopColor(2, 16711680);
  state.SetLine(u"ab");
  state.ToggleStyle(u"<s>", true);
  state.ToggleStyle(u"<b>", true);
  state.ToggleStyle(u"<s>", false);
  static std::function<void()> typedMeanwhile;
  const EventPump previous = SetEventPump({.pumpPending = [] {
    if (typedMeanwhile) std::exchange(typedMeanwhile, nullptr)();
  }});
  std::u16string received;
  auto room = [&](std::u16string_view line) {
    received = line;
    return true;
  };
  typedMeanwhile = [&] { state.SetLine(state.Line() + u" there"); };
  EXPECT_TRUE(state.Send(false, room));
  EXPECT_EQ(received, u"<b>" + qf::FadeColors(std::array{0, 16711680}, u"ab", false));
  EXPECT_EQ(state.Line(), u" there");

  // Nobody received it: the line stays as typed.
  EXPECT_FALSE(state.Send(true, [](std::u16string_view) { return false; }));
  EXPECT_EQ(state.Line(), u" there");
  // Rewritten meanwhile into something that does not start with what was sent: all of it stays.
  typedMeanwhile = [&] { state.SetLine(u"new"); };
  EXPECT_TRUE(state.Send(false, room));
  EXPECT_EQ(state.Line(), u"new");
  // No stops: nothing is sent.
  state.SetNumberedBox(1, 0);
  state.SetNumberedBox(2, 0);
  received.clear();
  EXPECT_FALSE(state.Send(false, room));
  EXPECT_TRUE(received.empty());
  SetEventPump(previous);
}

}  // namespace

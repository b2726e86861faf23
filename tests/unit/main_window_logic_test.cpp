// The main window's decisions apart from the window: stop count, slider target, chat line,
// style prefix, and the two announcement lines.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <utility>

#include "core/events.h"
#include "fade/color.h"
#include "fade/entry_points.h"
#include "mainwindow/announcement.h"
#include "mainwindow/compose.h"

namespace {

TEST(MainWindowLogic, StopCountAndSliderTargetReadTheBoxesFromOppositeEnds) {
  // Boxes 3 and 7 ticked: a send fades through 7 stops, the sliders edit box 3.
  const qf::NumberedBoxValues threeAndSeven{0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
  EXPECT_EQ(qf::StopCountOf(threeAndSeven), 7);
  EXPECT_EQ(qf::SliderTargetOf(threeAndSeven), 3);
  // The start state: only box 1, which is never a stop count.
  const qf::NumberedBoxValues start{1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(qf::StopCountOf(start), 0);
  EXPECT_EQ(qf::SliderTargetOf(start), 1);
  // Grayed (2) is not ticked; box 10 wins over everything.
  EXPECT_EQ(qf::StopCountOf({0, 2, 2, 0, 0, 0, 0, 0, 0, 0}), 0);
  EXPECT_EQ(qf::SliderTargetOf({2, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 0);
  EXPECT_EQ(qf::StopCountOf({1, 1, 1, 1, 1, 1, 1, 1, 1, 1}), 10);
  // Only the last box: both readings reach it.
  const qf::NumberedBoxValues onlyTen{0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  EXPECT_EQ(qf::SliderTargetOf(onlyTen), 10);
  EXPECT_EQ(qf::StopCountOf(onlyTen), 10);
}

TEST(MainWindowLogic, SliderColourPutsRedInTheLowByte) {
  EXPECT_EQ(qf::ColorRgb(255, 128, 7), 0x0780FF);
  EXPECT_EQ(qf::ColorRgb(0, 0, 255), 16711680);
}

TEST(MainWindowLogic, TheChatLineIsThePrefixThenTheFade) {
  const std::array<int32_t, 3> colours{255, 65280, 16711680};
  EXPECT_EQ(qf::ComposeChatLine(u"<b><s>", colours, u"Hi!", -1),
            u"<b><s>" + qf::FadeThreeColors(255, 65280, 16711680, u"Hi!", -1));
  EXPECT_EQ(qf::ComposeChatLine(u"", colours, u"x", 0),
            qf::FadeThreeColors(255, 65280, 16711680, u"x", 0));
}

TEST(MainWindowLogic, StyleTagsGoInFrontAndLeaveEveryCopy) {
  std::u16string prefix = qf::ToggledStylePrefix(u"", u"<s>", true);
  prefix = qf::ToggledStylePrefix(prefix, u"<b>", true);
  EXPECT_EQ(prefix, u"<b><s>");
  EXPECT_EQ(qf::ToggledStylePrefix(prefix, u"<s>", false), u"<b>");
  EXPECT_EQ(qf::ToggledStylePrefix(u"<s><i><s>", u"<s>", false), u"<i>");
}

TEST(MainWindowLogic, AnnouncementLinesAreTheThreeStopFadeOfTheirText) {
  const std::u16string_view prefix = u"</b></i></s></u><font face=\"arial narrow\">";
  struct Case {
    std::u16string_view line;
    std::size_t length;
    std::size_t spaces;
    std::u16string visible;
  };
  const std::u16string decoration = u"\u2022\u00B7\u00B7.\u00B7\u2022";
  const std::u16string closing = u"\u2022\u00B7.\u00B7\u00B7\u2022";
  for (const Case& c :
       {Case{qf::AnnounceLine1, 722, 8, decoration + u"   Quelvane Fader   " + closing},
        Case{qf::AnnounceLine2, 601, 13, decoration + u"   By: Tarn   " + closing}}) {
    EXPECT_EQ(c.line.size(), c.length);
    const std::u16string head = std::u16string(prefix) + std::u16string(c.spaces, u' ');
    ASSERT_EQ(c.line.substr(0, head.size()), head);
    // 00CCFF, FF0000, 0044FF as colour values (0x00BBGGRR).
    EXPECT_EQ(c.line.substr(head.size()),
              qf::FadeThreeColors(0xFFCC00, 0x0000FF, 0xFF4400, c.visible, 0));
  }
}

}  // namespace

// Handlers that let events run (ReplaceText, the fade of four or more stops) may see another
// click or keystroke handled in the middle; the event pump hook plays that nested event.
class NestedEvent : public testing::Test {
 protected:
  void SetUp() override {
    current_ = this;
    previous_ = qf::SetEventPump({.pumpPending = [] {
      if (current_->nested_) std::exchange(current_->nested_, nullptr)();
    }});
  }
  void TearDown() override { qf::SetEventPump(previous_); }

  std::function<void()> nested_;
  static inline NestedEvent* current_ = nullptr;
  qf::EventPump previous_;
};

TEST_F(NestedEvent, AStyleClickDuringAnotherIsNotUndone) {
  std::u16string text2 = u"<s>";
  std::array<bool, 2> ticked{false, false};  // S cleared by the user, I not yet ticked
  const qf::TextField prefix{[&] { return text2; },
                             [&](std::u16string_view t) { text2 = std::u16string(t); }};
  // While clearing S runs ReplaceText, the user ticks I.
  nested_ = [&] {
    ticked[1] = true;
    qf::ApplyStyleToggle(prefix, [&] { return ticked[1]; }, u"<i>");
  };
  qf::ApplyStyleToggle(prefix, [&] { return ticked[0]; }, u"<s>");
  EXPECT_EQ(text2, u"<i>");

  // S ticked again while clearing I pumps: the prefix holds exactly the ticked boxes' tags.
  ticked[1] = false;
  nested_ = [&] {
    ticked[0] = true;
    qf::ApplyStyleToggle(prefix, [&] { return ticked[0]; }, u"<s>");
  };
  qf::ApplyStyleToggle(prefix, [&] { return ticked[1]; }, u"<i>");
  EXPECT_EQ(text2, u"<s>");
}

TEST_F(NestedEvent, ASendEmptiesTheLineOnlyOfWhatWasSentAndOnlyWhenItWasDelivered) {
  const std::array<int32_t, 4> colours{255, 65280, 16711680, 0};  // four stops: the fade pumps
  std::u16string text1 = u"Hello";
  const qf::TextField line{[&] { return text1; },
                           [&](std::u16string_view t) { text1 = std::u16string(t); }};
  std::u16string received;
  auto room = [&](std::u16string_view chat) {
    received = std::u16string(chat);
    return true;
  };
  nested_ = [&] { text1 += u" there"; };  // typed on while the fade is being made
  EXPECT_TRUE(qf::SendComposedLine(u"<b>", colours, 0, line, room));
  EXPECT_EQ(received, u"<b>" + qf::FadeFourColors(255, 65280, 16711680, 0, u"Hello", 0));
  EXPECT_EQ(text1, u" there");

  // Nobody received it: the line stays exactly as typed.
  auto nobody = [](std::u16string_view) { return false; };
  EXPECT_FALSE(qf::SendComposedLine(u"", colours, -1, line, nobody));
  EXPECT_EQ(text1, u" there");
  // The user rewrote the line meanwhile: what they wrote stays.
  nested_ = [&] { text1 = u"new"; };
  EXPECT_TRUE(qf::SendComposedLine(u"", colours, 0, line, room));
  EXPECT_EQ(text1, u"new");
}

// The main window's decisions apart from the window: stop count, slider target, chat line,
// style prefix, and the two announcement lines.
#include <gtest/gtest.h>

#include <array>
#include <string>

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

TEST(MainWindowLogic, SliderColorPutsRedInTheLowByte) {
  EXPECT_EQ(qf::ColorRgb(255, 128, 7), 0x0780FF);
  EXPECT_EQ(qf::ColorRgb(0, 0, 255), 16711680);
}

TEST(MainWindowLogic, TheChatLineIsThePrefixThenTheFade) {
  // Red, green and blue; the fades as `qfade [--wavy] 255,65280,16711680 TEXT` prints them.
  const std::array<int32_t, 3> colors{255, 65280, 16711680};
  EXPECT_EQ(qf::ComposeChatLine(u"<b><s>", colors, u"Hi!", true),
            u"<b><s><Font Color=#808000><sup>H<Font Color=#00FF00></sup>i"
            u"<Font Color=#0000FF><sub>!");
  EXPECT_EQ(qf::ComposeChatLine(u"", colors, u"x", false), u"<Font Color=#0000FF>x");
}

TEST(MainWindowLogic, StyleTagsGoInFrontAndLeaveEveryCopy) {
  std::u16string prefix = qf::ToggledStylePrefix(u"", u"<s>", true);
  prefix = qf::ToggledStylePrefix(prefix, u"<b>", true);
  EXPECT_EQ(prefix, u"<b><s>");
  EXPECT_EQ(qf::ToggledStylePrefix(prefix, u"<s>", false), u"<b>");
  EXPECT_EQ(qf::ToggledStylePrefix(u"<s><i><s>", u"<s>", false), u"<i>");
}

// Each line: the prefix, its spaces, then the plain three-stop fade 00CCFF, FF0000, 0044FF of
// its visible text, as `qfade '#00CCFF,#FF0000,#0044FF' TEXT` prints it.
TEST(MainWindowLogic, AnnouncementLinesAreTheThreeStopFadeOfTheirText) {
  EXPECT_EQ(qf::AnnounceLine1.size(), 722u);
  EXPECT_EQ(qf::AnnounceLine1,
            u"</b></i></s></u><font face=\"arial narrow\">        "
            u"<Font Color=#10BFEF>\u2022<Font Color=#20B2DF>\u00B7<Font Color=#30A6CF>\u00B7"
            u"<Font Color=#4099BF>.<Font Color=#508CAF>\u00B7<Font Color=#60809F>\u2022"
            u"<Font Color=#70738F> <Font Color=#806680> <Font Color=#8F5970> "
            u"<Font Color=#9F4C60>Q<Font Color=#AF4050>u<Font Color=#BF3340>e"
            u"<Font Color=#CF2630>l<Font Color=#DF1A20>v<Font Color=#EF0D10>a"
            u"<Font Color=#FF0000>n<Font Color=#EF0410>e<Font Color=#DF0820> "
            u"<Font Color=#CF0D30>F<Font Color=#BF1140>a<Font Color=#AF1550>d"
            u"<Font Color=#9F1A60>e<Font Color=#8F1E70>r<Font Color=#802280> "
            u"<Font Color=#70268F> <Font Color=#602A9F> <Font Color=#502FAF>\u2022"
            u"<Font Color=#4033BF>\u00B7<Font Color=#3037CF>.<Font Color=#203CDF>\u00B7"
            u"<Font Color=#1040EF>\u00B7<Font Color=#0044FF>\u2022");
  EXPECT_EQ(qf::AnnounceLine2.size(), 601u);
  EXPECT_EQ(qf::AnnounceLine2,
            u"</b></i></s></u><font face=\"arial narrow\">             "
            u"<Font Color=#14BCEB>\u2022<Font Color=#27ADD8>\u00B7<Font Color=#3B9DC4>\u00B7"
            u"<Font Color=#4E8DB1>.<Font Color=#627E9D>\u00B7<Font Color=#766E89>\u2022"
            u"<Font Color=#895E76> <Font Color=#9D4E62> <Font Color=#B13F4E> "
            u"<Font Color=#C42F3B>B<Font Color=#D81F27>y<Font Color=#EB1014>:"
            u"<Font Color=#FF0000> <Font Color=#EB0514>T<Font Color=#D80A27>a"
            u"<Font Color=#C4103B>r<Font Color=#B1154E>n<Font Color=#9D1A62> "
            u"<Font Color=#891F76> <Font Color=#762589> <Font Color=#622A9D>\u2022"
            u"<Font Color=#4E2FB1>\u00B7<Font Color=#3B34C4>.<Font Color=#273AD8>\u00B7"
            u"<Font Color=#143FEB>\u00B7<Font Color=#0044FF>\u2022");
}

}  // namespace

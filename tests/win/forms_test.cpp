// The program's forms, made as the program makes them (with a scheme folder of the test's
// own), their handlers called as a click would, the results read from their controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/program_win.h"
#include "fade/entry_points.h"
#include "toolkit_test_support.h"

namespace {

namespace fs = std::filesystem;

// A folder of the test's own for scheme.lst and color.dat, removed at the end.
class FormsTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() / ("qf-forms-" + std::to_string(GetCurrentProcessId()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  void Write(const char* name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  std::u16string Folder() const { return folder_.u16string(); }

  fs::path folder_;
};

TEST_F(FormsTest, StartsBlackWithBoxOneTickedAndNoSchemeManagerWithoutAList) {
  qf::Program program(nullptr, Folder());
  program.Form1.Load();
  for (int k = 1; k <= 10; ++k) {
    EXPECT_EQ(program.Form1.ColourBox(k).BackColor(), 0) << k;
    EXPECT_EQ(program.Form1.NumberedBox(k).Value(), k == 1 ? 1 : 0) << k;
  }
  EXPECT_EQ(program.Form1.Picture11.BackColor(), 0);
  EXPECT_EQ(program.Form1.Text1.Text(), u"");
  EXPECT_EQ(program.Form1.GetStopCount(), 0);
  EXPECT_FALSE(program.Form4.Loaded());
  // Topmost already at the load, before the window is shown (and with its tool tips made).
  EXPECT_TRUE(GetWindowLongW(program.Form1.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(FormsTest, StartUpAppliesTheFirstSchemeAndLeavesDamagedValuesAlone) {
  Write("scheme.lst", "Sunset\r\nOcean\r\n");
  Write("color.dat",
        "[Ocean]\r\nFade1=16711680\r\n"
        "[Sunset]\r\nFade1=255\r\nFade2=65280\r\nFade3=garbage\r\nFade4=\r\nFade5=-1\r\n");
  qf::Program program(nullptr, Folder());
  program.Form1.Load();
  EXPECT_EQ(program.Form1.Picture1.BackColor(), 255);
  EXPECT_EQ(program.Form1.Picture2.BackColor(), 65280);
  EXPECT_EQ(program.Form1.Picture3.BackColor(), 0);  // not a number: left as it was
  EXPECT_EQ(program.Form1.Picture4.BackColor(), 0);  // empty
  EXPECT_EQ(program.Form1.Picture5.BackColor(), 0);  // not a colour a box can show
  EXPECT_TRUE(program.Form4.Loaded());  // loaded for its list, not shown
  EXPECT_FALSE(program.Form4.Visible());
  ASSERT_EQ(program.Form4.List1.ListCount(), 2);
  program.Form4.List1.SetListIndex(1);  // a click on "Ocean" applies it
  EXPECT_EQ(program.Form1.Picture1.BackColor(), 16711680);
}

TEST_F(FormsTest, SlidersWriteAllThreeChannelsIntoTheLowestTickedBox) {
  qf::Program program(nullptr, Folder());
  qf::MainForm& form = program.Form1;
  form.Load();
  form.Picture1.SetBackColor(qf::ColorRgb(1, 2, 3));
  form.VScroll1.SetValue(255);
  form.VScroll2.SetValue(128);
  EXPECT_EQ(form.Picture1.BackColor(), qf::ColorRgb(255, 128, 0));
  form.Check1.SetValue(0);
  form.Check2.SetValue(1);
  form.Check3.SetValue(1);
  form.VScroll3.SetValue(7);
  EXPECT_EQ(form.Picture2.BackColor(), qf::ColorRgb(255, 128, 7));
  form.Check2.SetValue(0);
  form.VScroll3.SetValue(8);
  EXPECT_EQ(form.Picture3.BackColor(), qf::ColorRgb(255, 128, 8));
  form.Check3.SetValue(0);
  form.VScroll3.SetValue(9);  // no numbered box ticked: no box changes
  EXPECT_EQ(form.Picture3.BackColor(), qf::ColorRgb(255, 128, 8));
}

TEST_F(FormsTest, StyleBoxesKeepThePrefixAndThePreviewLeavesItOut) {
  qf::Program program(nullptr, Folder());
  qf::MainForm& form = program.Form1;
  form.Load();
  form.Check12.SetValue(1);
  form.Check14.SetValue(1);
  EXPECT_EQ(form.Text2.Text(), u"<b><s>");
  form.Check12.SetValue(0);
  EXPECT_EQ(form.Text2.Text(), u"<b>");
  // Only box 1: the preview builds nothing. Box 2: the plain two-stop fade, without <b>.
  form.Text1.SetText(u"Hi");
  form.Timer1_Timer();
  EXPECT_EQ(form.Text3.Text(), u"");
  form.Picture2.SetBackColor(255);
  form.Check2.SetValue(1);
  form.Timer1_Timer();
  EXPECT_EQ(form.Text3.Text(), qf::FadeTwoColors(0, 255, u"Hi", 0));
  form.Check2.SetValue(0);  // frozen on its last drawing
  form.Text1.SetText(u"Changed");
  form.Timer1_Timer();
  EXPECT_EQ(form.Text3.Text(), qf::FadeTwoColors(0, 255, u"Hi", 0));
}

TEST_F(FormsTest, HtmlFaderMixesAppendsAndClears) {
  qf::Program program(nullptr, Folder());
  qf::HtmlFaderForm& fader = program.Form3;
  fader.Load();
  fader.HScroll2.SetValue(255);
  EXPECT_EQ(fader.Picture1.BackColor(), 65280);
  fader.HScroll9.SetValue(255);
  fader.Text1.SetText(u"abc");
  fader.Label1_Click();
  fader.Check1.SetValue(1);
  fader.Label1_Click();
  EXPECT_EQ(fader.Text2.Text(), qf::FadeThreeColors(65280, 0, 16711680, u"abc", 0) +
                                    qf::FadeThreeColors(65280, 0, 16711680, u"abc", -1));
  fader.Label2_Click();
  EXPECT_EQ(fader.Text2.Text(), u"");
  EXPECT_EQ(fader.Text1.Text(), u"abc");
  fader.Text1.SetText(u"");
  fader.Label1_Click();  // the fade of an empty line is empty
  EXPECT_EQ(fader.Text2.Text(), u"");
}

// Ticks of the preview with a line that changes on every tick: the objects the process holds
// stay flat. QF_PREVIEW_TICKS=60000 gives ten minutes' worth at Wine's 100 ticks a second.
TEST_F(FormsTest, PreviewTicksKeepObjectCountsFlat) {
  qf::Program program(nullptr, Folder());
  qf::MainForm& form = program.Form1;
  form.Show();
  for (int k = 1; k <= 10; ++k) form.ColourBox(k).SetBackColor(k * 1677721);
  form.Check10.SetValue(1);
  form.Check14.SetValue(1);
  std::u16string line;
  auto tick = [&](int i) {
    line = line.size() >= 100 ? u"" : line + static_cast<char16_t>(u'A' + i % 26);
    form.Text1.SetText(line);
    form.Timer1_Timer();
    if (i % 50 == 0) qf::test::PumpFor(0);
  };
  for (int i = 0; i < 200; ++i) tick(i);  // every font the preview uses is made
  const qf::test::ObjectCounts before = qf::test::CountObjects();
  const char* asked = std::getenv("QF_PREVIEW_TICKS");
  const int ticks = asked != nullptr ? std::atoi(asked) : 5000;
  for (int i = 0; i < ticks; ++i) tick(i);
  EXPECT_TRUE(qf::test::StaysFlat(before, qf::test::CountObjects()));
}

}  // namespace

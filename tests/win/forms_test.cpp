// The program's forms, made as the program makes them (with a scheme folder of the test's
// own), their handlers called as a click would, the results read from their controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/program_win.h"
#include "app/single_instance_win.h"
#include "chrome/tray_win.h"
#include "fade/entry_points.h"
#include "fade/markup_formats.h"
#include "schemes/scheme_store_win.h"
#include "toolkit_test_support.h"

namespace {

namespace fs = std::filesystem;
using qf::test::ClickAt;
using qf::test::DoubleClickAt;
using qf::test::InsideOf;

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
  std::string Bytes(const char* name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static std::wstring WindowTextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
  }

  fs::path folder_;
};

TEST_F(FormsTest, StartsBlackWithBoxOneTickedAndNoSchemeManagerWithoutAList) {
  qf::Program program(nullptr, Folder());
  program.mainForm.Load();
  for (int k = 1; k <= 10; ++k) {
    EXPECT_EQ(program.mainForm.ColorBox(k).BackColor(), 0) << k;
    EXPECT_EQ(program.mainForm.NumberedBox(k).Value(), k == 1 ? 1 : 0) << k;
  }
  EXPECT_EQ(program.mainForm.previewStrip.BackColor(), 0);
  EXPECT_EQ(program.mainForm.lineBox.Text(), u"");
  EXPECT_EQ(program.mainForm.State().StopCount(), 0);
  EXPECT_FALSE(program.schemeForm.Loaded());
  // Topmost already at the load, before the window is shown (and with its tool tips made).
  EXPECT_TRUE(GetWindowLongW(program.mainForm.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(FormsTest, StartUpAppliesTheFirstSchemeAndLeavesDamagedValuesAlone) {
  Write("scheme.lst", "Sunset\r\nOcean\r\n");
  Write("color.dat",
        "[Ocean]\r\nFade1=16711680\r\n"
        "[Sunset]\r\nFade1=255\r\nFade2=65280\r\nFade3=garbage\r\nFade4=\r\nFade5=-1\r\n");
  qf::Program program(nullptr, Folder());
  program.mainForm.Load();
  EXPECT_EQ(program.mainForm.colorBox1.BackColor(), 255);
  EXPECT_EQ(program.mainForm.colorBox2.BackColor(), 65280);
  EXPECT_EQ(program.mainForm.colorBox3.BackColor(), 0);  // not a number: left as it was
  EXPECT_EQ(program.mainForm.colorBox4.BackColor(), 0);  // empty
  EXPECT_EQ(program.mainForm.colorBox5.BackColor(), 0);  // not a colour a box can show
  // The list is read; its window waits until it is first shown (after the main window's).
  EXPECT_FALSE(program.schemeForm.Loaded());
  ASSERT_EQ(program.schemeForm.schemeList.ListCount(), 2);
  program.schemeForm.schemeList.SetListIndex(1);  // a click on "Ocean" applies it
  EXPECT_EQ(program.mainForm.colorBox1.BackColor(), 16711680);
  program.schemeForm.Show();
  HWND list = program.schemeForm.schemeList.Handle();
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
}

TEST_F(FormsTest, SlidersWriteAllThreeChannelsIntoTheLowestTickedBox) {
  qf::Program program(nullptr, Folder());
  qf::MainForm& form = program.mainForm;
  form.Load();
  form.colorBox1.SetBackColor(qf::ColorRgb(1, 2, 3));
  form.redSlider.SetValue(255);
  form.greenSlider.SetValue(128);
  EXPECT_EQ(form.colorBox1.BackColor(), qf::ColorRgb(255, 128, 0));
  form.numberedBox1.SetValue(0);
  form.numberedBox2.SetValue(1);
  form.numberedBox3.SetValue(1);
  form.blueSlider.SetValue(7);
  EXPECT_EQ(form.colorBox2.BackColor(), qf::ColorRgb(255, 128, 7));
  form.numberedBox2.SetValue(0);
  form.blueSlider.SetValue(8);
  EXPECT_EQ(form.colorBox3.BackColor(), qf::ColorRgb(255, 128, 8));
  form.numberedBox3.SetValue(0);
  form.blueSlider.SetValue(9);  // no numbered box ticked: no box changes
  EXPECT_EQ(form.colorBox3.BackColor(), qf::ColorRgb(255, 128, 8));
}

TEST_F(FormsTest, StyleBoxesKeepThePrefixAndThePreviewLeavesItOut) {
  qf::Program program(nullptr, Folder());
  qf::MainForm& form = program.mainForm;
  form.Load();
  form.strikeBox.SetValue(1);
  form.boldBox.SetValue(1);
  EXPECT_EQ(form.State().StylePrefix(), u"<b><s>");
  form.strikeBox.SetValue(0);
  EXPECT_EQ(form.State().StylePrefix(), u"<b>");
  // Only box 1: the preview builds nothing. Box 2: the plain two-stop fade, without <b>.
  form.lineBox.SetText(u"Hi");
  form.DrawPreview();
  EXPECT_EQ(form.PreviewMarkup(), u"");
  form.SetStopColor(2, 255);
  EXPECT_EQ(form.colorBox2.BackColor(), 255);
  form.numberedBox2.SetValue(1);
  form.DrawPreview();
  EXPECT_EQ(form.PreviewMarkup(), qf::FadeColors(std::array{0, 255}, u"Hi", false));
  form.numberedBox2.SetValue(0);  // frozen on its last drawing
  form.lineBox.SetText(u"Changed");
  form.DrawPreview();
  EXPECT_EQ(form.PreviewMarkup(), qf::FadeColors(std::array{0, 255}, u"Hi", false));
}

TEST_F(FormsTest, HtmlFaderMixesAppendsAndClears) {
  qf::Program program(nullptr, Folder());
  qf::HtmlFaderForm& fader = program.htmlFaderForm;
  fader.Load();
  fader.color1Green.SetValue(255);
  EXPECT_EQ(fader.colorBox1.BackColor(), 65280);
  fader.color3Blue.SetValue(255);
  fader.lineBox.SetText(u"abc");
  ClickAt(fader.Handle(), qf::htmlfader::kGenerateArea);  // Generate
  fader.wavyBox.SetValue(1);
  ClickAt(fader.Handle(), qf::htmlfader::kGenerateArea);
  EXPECT_EQ(fader.outputBox.Text(), qf::FadeThreeColors(65280, 0, 16711680, u"abc", false) +
                                        qf::FadeThreeColors(65280, 0, 16711680, u"abc", true));
  ClickAt(fader.Handle(), qf::htmlfader::kClearArea);  // Clear
  EXPECT_EQ(fader.outputBox.Text(), u"");
  EXPECT_EQ(fader.lineBox.Text(), u"abc");
  fader.lineBox.SetText(u"");
  ClickAt(fader.Handle(), qf::htmlfader::kGenerateArea);  // the fade of an empty line is empty
  EXPECT_EQ(fader.outputBox.Text(), u"");
}

// The format area: a click takes the next format, Generate writes it; wavy in a format without
// raised letters is refused with a message naming it, and nothing is added.
TEST_F(FormsTest, HtmlFaderGeneratesTheChosenFormat) {
  qf::Program program(nullptr, Folder());
  qf::HtmlFaderForm& fader = program.htmlFaderForm;
  fader.Show();
  fader.lineBox.SetText(u"a<b");
  ClickAt(fader.Handle(), qf::htmlfader::kFormatArea);
  ASSERT_EQ(fader.Format(), qf::MarkupFormat::kHtml);
  fader.wavyBox.SetValue(1);
  ClickAt(fader.Handle(), qf::htmlfader::kGenerateArea);
  const std::array<int32_t, 3> black{};
  EXPECT_EQ(fader.outputBox.Text(),
            *qf::FormatFade(
                 {.colors = black, .text = u"a<b", .format = qf::MarkupFormat::kHtml, .wavy = true})
                 .value);
  ClickAt(fader.Handle(), qf::htmlfader::kFormatArea);
  ASSERT_EQ(fader.Format(), qf::MarkupFormat::kBbcode);
  fader.outputBox.SetText(u"");
  qf::test::DialogSequence answers({});
  ClickAt(fader.Handle(), qf::htmlfader::kGenerateArea);
  ASSERT_EQ(answers.Texts().size(), 1u);
  EXPECT_NE(answers.Texts()[0].find(L"bbcode"), std::wstring::npos);
  EXPECT_EQ(fader.outputBox.Text(), u"");
}

// Dialog actions: Enter in a message box or the input box (after typing `text`), Cancel.
std::function<void(HWND)> TypeAndEnter(std::wstring text) {
  return [text](HWND dialog) {
    HWND edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    qf::test::PostText(edit, text);
    qf::test::PostKey(edit, VK_RETURN);
  };
}
void PressCancel(HWND dialog) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

TEST_F(FormsTest, ASaveWhoseColorsCannotBeStoredAddsNoName) {
  Write("color.dat", "[Old]\r\nFade1=1\r\n");
  SetFileAttributesW((folder_ / "color.dat").c_str(), FILE_ATTRIBUTE_READONLY);
  qf::Program program(nullptr, Folder());
  program.mainForm.Load();
  program.schemeForm.Show();
  {
    qf::test::DialogSequence answers({TypeAndEnter(L"Sunset")});
    ClickAt(program.schemeForm.Handle(), qf::schemes::kAddArea);  // Add
    ASSERT_EQ(answers.Texts().size(), 2u);
    EXPECT_NE(answers.Texts()[1].find(L"could not be saved"), std::wstring::npos);
  }
  EXPECT_EQ(program.schemeForm.schemeList.ListCount(), 0);
  EXPECT_FALSE(fs::exists(folder_ / "scheme.lst"));
  SetFileAttributesW((folder_ / "color.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A save whose fifth value cannot be written would leave a section of old and new colours
// under a name that every entry of it applies: color.dat stays byte for byte as it was.
TEST_F(FormsTest, ASaveThatFailsPartWayLeavesColorDatWhole) {
  const std::string before = "[Sunset]\r\nFade1=1\r\nFade2=2\r\nFade3=3\r\nFade4=4\r\n"
                             "Fade5=5\r\nFade6=6\r\nFade7=7\r\nFade8=8\r\nFade9=9\r\n"
                             "Fade10=10\r\n[Other]\r\nFade1=77\r\n";
  Write("color.dat", before);
  Write("scheme.lst", "Sunset\r\n");
  qf::Program program(nullptr, Folder());
  program.mainForm.Load();
  for (int k = 1; k <= 10; ++k) program.mainForm.SetStopColor(k, 1000 + k);
  program.schemeForm.Show();
  auto save = [&](const wchar_t* name) {
    qf::test::DialogSequence answers({TypeAndEnter(name)});
    ClickAt(program.schemeForm.Handle(), qf::schemes::kAddArea);  // Add
    return answers.Texts();
  };
  for (int written : {0, 4}) {
    qf::FailSchemeColorWriteAfter(written);
    const std::vector<std::wstring> texts = save(L"SUNSET");  // the same section
    qf::FailSchemeColorWriteAfter(-1);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[1].find(L"could not be saved"), std::wstring::npos);
    EXPECT_EQ(Bytes("color.dat"), before) << written << " values written";
  }
  EXPECT_EQ(program.schemeForm.schemeList.ListCount(), 1);
  EXPECT_EQ(Bytes("scheme.lst"), "Sunset\r\n");
  // Saved whole when nothing fails, and no copy is left beside the files either way.
  EXPECT_EQ(save(L"SUNSET").size(), 1u);
  EXPECT_EQ(qf::ReadIni(u"Sunset", u"Fade5", Folder() + u"\\color.dat"), u"1005");
  EXPECT_EQ(qf::ReadIni(u"Other", u"Fade1", Folder() + u"\\color.dat"), u"77");
  int files = 0;
  for (const auto& entry : fs::directory_iterator(folder_)) files += entry.is_regular_file();
  EXPECT_EQ(files, 2);
}

// The next start refuses a list of more than 32,767 names: the Add that would write one is
// refused instead, before anything is stored.
TEST_F(FormsTest, AddIsRefusedWhenTheListIsFull) {
  std::string names;
  for (int i = 0; i < 32767; ++i) names.append("s").append(std::to_string(i)).append("\r\n");
  Write("scheme.lst", names);
  qf::Program program(nullptr, Folder());
  program.mainForm.Load();
  program.schemeForm.Show();
  ASSERT_EQ(program.schemeForm.schemeList.ListCount(), 32767);
  {
    qf::test::DialogSequence answers({TypeAndEnter(L"One more")});
    ClickAt(program.schemeForm.Handle(), qf::schemes::kAddArea);
    ASSERT_EQ(answers.Texts().size(), 2u);
    EXPECT_NE(answers.Texts()[1].find(L"The scheme list is full"), std::wstring::npos);
  }
  EXPECT_EQ(program.schemeForm.schemeList.ListCount(), 32767);
  EXPECT_FALSE(fs::exists(folder_ / "color.dat"));
  EXPECT_EQ(Bytes("scheme.lst"), names);
}

// With no list at start, a list file that turns up later (a backup put back) was never read:
// the first Add or Remove leaves it alone and says so.
TEST_F(FormsTest, AListFileThatAppearsAfterTheStartIsNotOverwritten) {
  qf::Program program(nullptr, Folder());
  program.mainForm.Load();
  program.schemeForm.Show();
  Write("scheme.lst", "Backup\r\n");
  qf::test::DialogSequence answers({TypeAndEnter(L"Mine")});
  ClickAt(program.schemeForm.Handle(), qf::schemes::kAddArea);
  ASSERT_EQ(answers.Texts().size(), 2u);
  EXPECT_NE(answers.Texts()[1].find(L"scheme.lst was not there"), std::wstring::npos);
  EXPECT_EQ(Bytes("scheme.lst"), "Backup\r\n");
  EXPECT_EQ(program.schemeForm.schemeList.ListCount(), 1);  // the name lasts until the program ends
}

TEST_F(FormsTest, AListFileThatWasNotReadIsNeverWrittenAndTheUserIsToldOnce) {
  Write("scheme.lst", "Sunset\r\nOcean\r\n");
  HANDLE lock = CreateFileW((folder_ / "scheme.lst").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  qf::Program program(nullptr, Folder());
  program.mainForm.Load();
  CloseHandle(lock);
  qf::SchemeForm& form = program.schemeForm;
  EXPECT_EQ(form.schemeList.ListCount(), 0);
  form.Show();
  // What the program said, the name prompts left out.
  std::vector<std::wstring> told;
  for (const wchar_t* name : {L"Mine", L"More"}) {
    // The list is the store's: a name gets into it the user's way, by Add.
    qf::test::DialogSequence answers({TypeAndEnter(name)});
    ClickAt(form.Handle(), qf::schemes::kAddArea);  // Add
    ASSERT_EQ(form.schemeList.ListCount(), 1);
    form.schemeList.SetListIndex(0);
    ClickAt(form.Handle(), qf::schemes::kRemoveArea);  // Remove
    ASSERT_FALSE(answers.Texts().empty());
    told.insert(told.end(), answers.Texts().begin() + 1, answers.Texts().end());
  }
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find(L"scheme.lst could not be read"), std::wstring::npos);
  EXPECT_EQ(Bytes("scheme.lst"), "Sunset\r\nOcean\r\n");
}

TEST_F(FormsTest, RemoveTakesTheSelectedEntryByItsPositionEvenAnEmptyOne) {
  Write("scheme.lst", "\r\nSunset\r\n");
  qf::Program program(nullptr, Folder());
  program.mainForm.Load();
  qf::SchemeForm& form = program.schemeForm;
  form.Show();
  ASSERT_EQ(form.schemeList.ListCount(), 2);
  form.schemeList.SetListIndex(0);
  ClickAt(form.Handle(), qf::schemes::kRemoveArea);
  EXPECT_EQ(Bytes("scheme.lst"), "Sunset\r\n");
  qf::test::DialogSequence answers({});
  ClickAt(form.Handle(), qf::schemes::kRemoveArea);  // nothing selected now
  ASSERT_EQ(answers.Texts().size(), 1u);
  EXPECT_EQ(answers.Texts()[0], L"please select a scheme to remove");
}

TEST_F(FormsTest, CancelInTheColorDialogKeepsEveryColor) {
  qf::Program program(nullptr, Folder());
  program.mainForm.Show();
  program.mainForm.colorBox3.SetBackColor(qf::ColorRgb(1, 2, 3));
  program.mainForm.colorDialog.SetColor(qf::ColorRgb(200, 0, 0));
  {
    qf::test::DialogSequence answers({PressCancel, PressCancel});
    DoubleClickAt(program.mainForm.colorBox3.Handle(), InsideOf(qf::mainwindow::ColorBox(3)));
    ClickAt(program.mainForm.previewStrip.Handle(), InsideOf(qf::mainwindow::kPreviewStrip));
    EXPECT_EQ(answers.Texts().size(), 2u);
  }
  EXPECT_EQ(program.mainForm.colorBox3.BackColor(), qf::ColorRgb(1, 2, 3));
  EXPECT_EQ(program.mainForm.previewStrip.BackColor(), 0);
  program.htmlFaderForm.Show();
  program.htmlFaderForm.colorBox2.SetBackColor(qf::ColorRgb(4, 5, 6));
  {
    qf::test::DialogSequence answers({PressCancel});
    DoubleClickAt(program.htmlFaderForm.colorBox2.Handle(), InsideOf(qf::htmlfader::ColorBox(2)));
    EXPECT_EQ(answers.Texts().size(), 1u);
  }
  EXPECT_EQ(program.htmlFaderForm.colorBox2.BackColor(), qf::ColorRgb(4, 5, 6));
}

TEST_F(FormsTest, ASendNobodyReceivedKeepsTheLineAndSaysSo) {
  ASSERT_EQ(FindWindowA("AOL Frame25", nullptr), nullptr) << "a chat client is running";
  qf::Program program(nullptr, Folder());
  qf::MainForm& form = program.mainForm;
  form.Show();
  form.numberedBox3.SetValue(1);
  form.lineBox.SetText(u"Hello");
  form.DrawPreview();
  SendMessageW(form.lineBox.Handle(), WM_CHAR, '\r', 1);  // Enter in the line is SEND
  EXPECT_EQ(form.lineBox.Text(), u"Hello");
  EXPECT_NE(WindowTextOf(form.previewStrip.Handle()).find(L"your line was kept"),
            std::wstring::npos);
  // The notice stays until the strip next changes.
  qf::test::PumpFor(50);
  EXPECT_FALSE(WindowTextOf(form.previewStrip.Handle()).empty());
  form.lineBox.SetText(u"Hello!");
  qf::test::PumpFor(50);
  EXPECT_TRUE(WindowTextOf(form.previewStrip.Handle()).empty());

  // A SEND clicked right after a change of the stops: the change is drawn first, and the
  // notice of the failed send stays over it.
  form.numberedBox4.SetValue(1);
  const qf::Rect send = qf::mainwindow::kSendArea;
  const LPARAM at = MAKELPARAM(send.left + send.width / 2, send.top + send.height / 2);
  PostMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(form.Handle(), WM_LBUTTONUP, 0, at);
  qf::test::PumpFor(50);
  EXPECT_NE(WindowTextOf(form.previewStrip.Handle()).find(L"your line was kept"),
            std::wstring::npos);
  EXPECT_EQ(form.lineBox.Text(), u"Hello!");
}

// Whether top-level window `upper` stands above `lower` in the z-order.
bool Above(HWND upper, HWND lower) {
  for (HWND w = GetWindow(lower, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV)) {
    if (w == upper) return true;
  }
  return false;
}

TEST_F(FormsTest, ShowingAnOpenWindowAgainBringsItForward) {
  qf::Program program(nullptr, Folder());
  program.mainForm.Show();
  program.schemeForm.Show();
  program.htmlFaderForm.Show();
  HWND cover = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"cover", WS_POPUP | WS_VISIBLE, 0, 0,
                               800, 600, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(Above(cover, program.schemeForm.Handle()));
  ClickAt(program.mainForm.Handle(), qf::mainwindow::kFadesArea);  // FADES again
  EXPECT_TRUE(Above(program.schemeForm.Handle(), cover));
  program.menuForm.programMenu.Item(0).onClick();  // the menu's "HTML Fader"
  // The main window hides at the same time; Wine settles the order with the X server's events.
  EXPECT_TRUE(qf::test::PumpUntil([&] { return Above(program.htmlFaderForm.Handle(), cover); }));
  DestroyWindow(cover);
}

TEST_F(FormsTest, ASecondStartBringsTheRunningMainWindowOutOfTheTray) {
  qf::Program program(nullptr, Folder());
  program.mainForm.Show();
  ASSERT_TRUE(program.mainForm.MinimiseToTray());
  ASSERT_FALSE(program.mainForm.Visible());
  ASSERT_TRUE(qf::ClaimSingleInstance());   // the running copy
  EXPECT_FALSE(qf::ClaimSingleInstance());  // a second start: hands over and ends
  qf::ReleaseSingleInstance();
  EXPECT_TRUE(qf::test::PumpUntil([&] { return program.mainForm.Visible(); }));
  EXPECT_FALSE(qf::TrayHolds(program.mainForm.Handle()));
}

// A copy that is ending (its claim still held for a moment, no window answering) or that made
// the claim so that this process may not open it: a new start waits for it to go, then runs.
// It never takes a claim it cannot open for a free one.
TEST_F(FormsTest, ASecondStartWaitsForACopyThatIsEnding) {
  for (const bool openable : {true, false}) {
    SECURITY_DESCRIPTOR noAccess;
    InitializeSecurityDescriptor(&noAccess, SECURITY_DESCRIPTOR_REVISION);
    ACL emptyAcl;
    InitializeAcl(&emptyAcl, sizeof emptyAcl, ACL_REVISION);
    SetSecurityDescriptorDacl(&noAccess, TRUE, &emptyAcl, FALSE);  // nobody may open it
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &noAccess, FALSE};
    std::atomic<bool> held{false}, released{false};
    std::thread endingCopy([&] {
      HANDLE mutex = CreateMutexW(openable ? nullptr : &attributes, TRUE,
                                  L"Local\\QuelvaneFader1.0.Running");
      held = true;
      Sleep(400);
      released = true;
      ReleaseMutex(mutex);
      CloseHandle(mutex);
    });
    while (!held) Sleep(1);
    EXPECT_TRUE(qf::ClaimSingleInstance()) << openable;
    EXPECT_TRUE(released) << openable << ": ran before the other copy let go";
    qf::ReleaseSingleInstance();
    endingCopy.join();
  }
}

// The preview draws nothing while nothing changes, and each change a person makes shows in the
// strip once the waiting messages have run: a typed character, a ticked box, a colour picked in
// the colour dialog, a slider moved, a scheme applied.
TEST_F(FormsTest, PreviewRestsAndShowsEachChangeAtOnce) {
  Write("scheme.lst", "Warm\r\nCool\r\n");
  Write("color.dat",
        "[Warm]\r\nFade1=255\r\nFade2=65280\r\nFade3=16711680\r\n"
        "[Cool]\r\nFade1=16776960\r\nFade2=65535\r\nFade3=8421504\r\n");
  qf::Program program(nullptr, Folder());
  qf::MainForm& form = program.mainForm;
  form.Show();  // the start-up applies "Warm"
  form.numberedBox2.SetValue(1);
  // Drawn after each change once the waiting messages have run, and not at all in between.
  auto shownByNextTick = [&](const char* what, const std::function<void()>& change) {
    qf::test::PumpFor(30);
    const int atRest = form.PreviewDraws();
    qf::test::PumpFor(50);
    ASSERT_EQ(form.PreviewDraws(), atRest) << what << ": drawn with nothing changed";
    change();
    ASSERT_TRUE(qf::test::PumpUntil([&] { return form.PreviewDraws() > atRest; }, 1000)) << what;
    std::vector<int32_t> colors;
    for (int k = 1; k <= form.State().StopCount(); ++k)
      colors.push_back(form.ColorBox(k).BackColor());
    EXPECT_EQ(form.PreviewMarkup(), qf::FadeColors(colors, form.lineBox.Text(), false)) << what;
  };

  shownByNextTick("typed", [&] { qf::test::PostText(form.lineBox.Handle(), L"Hi"); });
  shownByNextTick("box ticked", [&] { SendMessageW(form.numberedBox3.Handle(), BM_CLICK, 0, 0); });
  EXPECT_EQ(form.State().StopCount(), 3);
  shownByNextTick("colour picked", [&] {
    // The dialog is up for a while (the timer keeps resting); OK takes the colour.
    qf::test::DialogSequence answers({[](HWND dialog) {
      SetDlgItemInt(dialog, 706, 10, FALSE);  // the dialog's red, green and blue fields
      SetDlgItemInt(dialog, 707, 20, FALSE);
      SetDlgItemInt(dialog, 708, 30, FALSE);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }});
    DoubleClickAt(form.colorBox2.Handle(), InsideOf(qf::mainwindow::ColorBox(2)));
    EXPECT_EQ(answers.Texts().size(), 1u);
  });
  EXPECT_EQ(form.colorBox2.BackColor(), qf::ColorRgb(10, 20, 30));
  shownByNextTick("slider", [&] {
    SendMessageW(form.Handle(), WM_VSCROLL, SB_LINEDOWN,
                 reinterpret_cast<LPARAM>(form.redSlider.Handle()));
  });
  shownByNextTick("scheme applied", [&] { program.schemeForm.schemeList.SetListIndex(1); });
  EXPECT_EQ(form.colorBox3.BackColor(), 8421504);
}

// Ticks of the preview with a line that changes on every tick: the objects the process holds
// stay flat. QF_PREVIEW_TICKS=60000 gives ten minutes of a line that changes 100 times a second.
TEST_F(FormsTest, PreviewTicksKeepObjectCountsFlat) {
  qf::Program program(nullptr, Folder());
  qf::MainForm& form = program.mainForm;
  form.Show();
  for (int k = 1; k <= 10; ++k) form.SetStopColor(k, k * 1677721);
  form.numberedBox10.SetValue(1);
  form.boldBox.SetValue(1);
  std::u16string line;
  auto tick = [&](int i) {
    line = line.size() >= 100 ? u"" : line + static_cast<char16_t>(u'A' + i % 26);
    form.lineBox.SetText(line);
    form.DrawPreview();
    if (i % 50 == 0) qf::test::PumpFor(0);
  };
  for (int i = 0; i < 200; ++i) tick(i);  // every font the preview uses is made
  const qf::test::ObjectCounts before = qf::test::CountObjects();
  const char* asked = std::getenv("QF_PREVIEW_TICKS");
  const int ticks = asked != nullptr ? std::atoi(asked) : 5000;
  for (int i = 0; i < ticks; ++i) tick(i);
  EXPECT_TRUE(qf::test::StaysFlat(before, qf::test::CountObjects()));
}

// ---- The keyboard alone ----------------------------------------------------------------------

// A stop of a window's tab order as the test sees it: a control's window, or a click label
// for which the form's own window holds the focus.
struct Stop {
  const char* name;
  HWND window;
  const qf::ClickLabel* label;
};
Stop At(const char* name, qf::Control& control) { return {name, control.Handle(), nullptr}; }
Stop At(const char* name, qf::Form& form, qf::ClickLabel& label) {
  return {name, form.Handle(), &label};
}

// The name of the stop that has the keyboard, or "elsewhere".
std::string Focused(const qf::Form& form, const std::vector<Stop>& order) {
  for (const Stop& stop : order) {
    if (GetFocus() == stop.window && form.FocusedLabel() == stop.label) return stop.name;
  }
  return "elsewhere";
}

// Presses `key` (with Shift held when `shift`) on what has the keyboard, through the message
// loop as a typed key comes, and lets it act.
void Press(UINT key, bool shift = false) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  qf::test::PostKey(GetFocus(), key);
  qf::test::PumpFor(40);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

// Tab goes through `order` from its first stop (which has the keyboard as the window shows)
// and round to it again; Shift+Tab goes back round the other way.
void ExpectTabOrder(const qf::Form& form, const std::vector<Stop>& order) {
  for (std::size_t i = 1; i <= order.size(); ++i) {
    EXPECT_EQ(Focused(form, order), order[i - 1].name) << "after " << i - 1 << " Tabs";
    Press(VK_TAB);
  }
  EXPECT_EQ(Focused(form, order), order.front().name) << "round again";
  for (std::size_t i = order.size(); i-- > 0;) {
    Press(VK_TAB, true);
    EXPECT_EQ(Focused(form, order), order[i].name) << "Shift+Tab";
  }
  Press(VK_TAB, true);
  EXPECT_EQ(Focused(form, order), order.back().name) << "Shift+Tab from the first stop";
  Press(VK_TAB);
}

void TabTo(const qf::Form& form, const std::vector<Stop>& order, const std::string& name) {
  for (std::size_t i = 0; i < order.size() && Focused(form, order) != name; ++i) Press(VK_TAB);
  ASSERT_EQ(Focused(form, order), name);
}

// The main window without the rest of the program, its exit counted instead of taken.
struct CountingHost : qf::MainFormHost {
  void LoadStartupScheme() override {}
  void ShowMenu() override {}
  void ShowSchemeManager() override {}
  LRESULT OnWindowMessage(UINT) override { return 0; }
  void ExitProgram() override { ++exits; }
  int exits = 0;
};

// Tab and Shift+Tab reach every control of each window in reading order, round and round;
// Space and Enter on what has the keyboard do what a click does (a colour square: its double
// click); the focus ring is drawn around a click area; Escape and Alt+F4 hide the scheme
// manager and the HTML fader as their X does, and Alt+F4 on the main window is its exit.
TEST_F(FormsTest, TheKeyboardAloneReachesAndWorksEveryControl) {
  ASSERT_EQ(FindWindowA("AOL Frame25", nullptr), nullptr) << "a chat client is running";
  qf::Program program(nullptr, Folder());
  qf::MainForm& main = program.mainForm;
  main.Show();
  std::vector<Stop> order{At("line", main.lineBox),
                          At("SEND", main, main.sendArea),
                          At("SEND WAVY", main, main.sendWavyArea),
                          At("W", main.wavyBox),
                          At("S", main.strikeBox),
                          At("I", main.italicBox),
                          At("B", main.boldBox),
                          At("U", main.underlineBox),
                          At("red", main.redSlider),
                          At("green", main.greenSlider),
                          At("blue", main.blueSlider)};
  const std::array<const char*, 10> boxes{"box 1", "box 2", "box 3", "box 4", "box 5",
                                          "box 6", "box 7", "box 8", "box 9", "box 10"};
  const std::array<const char*, 10> squares{"square 1", "square 2", "square 3", "square 4",
                                            "square 5", "square 6", "square 7", "square 8",
                                            "square 9", "square 10"};
  for (int k = 1; k <= 10; ++k) {
    order.push_back(At(boxes[k - 1], main.NumberedBox(k)));
    order.push_back(At(squares[k - 1], main.ColorBox(k)));
  }
  for (Stop stop : {At("FADES", main, main.fadesArea), At("menu", main, main.menuArea),
                    At("tray", main, main.trayArea), At("close", main, main.closeArea)}) {
    order.push_back(stop);
  }
  ExpectTabOrder(main, order);

  TabTo(main, order, "box 3");
  Press(VK_SPACE);
  EXPECT_EQ(main.numberedBox3.Value(), 1);
  EXPECT_EQ(main.State().StopCount(), 3);
  {
    qf::test::DialogSequence answers({PressCancel, PressCancel});
    TabTo(main, order, "square 3");
    Press(VK_RETURN);
    Press(VK_SPACE);
    EXPECT_EQ(answers.Texts().size(), 2u) << "a colour dialog for each key";
  }
  // Enter on SEND sends as a click does: with no room open, the line stays and the strip
  // says so. The ring lies around the area, in the skin's cyan.
  main.lineBox.SetText(u"Hello");
  TabTo(main, order, "SEND");
  UpdateWindow(main.Handle());
  const qf::Rect ring = main.Scaling().Map(qf::mainwindow::kSendArea.Inflate(qf::kFocusRingWidth));
  HDC dc = GetDC(main.Handle());
  EXPECT_EQ(GetPixel(dc, ring.left, ring.top + ring.height / 2), RGB(128, 255, 255));
  ReleaseDC(main.Handle(), dc);
  Press(VK_RETURN);
  EXPECT_NE(WindowTextOf(main.previewStrip.Handle()).find(L"your line was kept"),
            std::wstring::npos);
  EXPECT_EQ(main.lineBox.Text(), u"Hello");

  qf::SchemeForm& schemes = program.schemeForm;
  schemes.Show();
  ExpectTabOrder(
      schemes, {At("list", schemes.schemeList), At("Add", schemes, schemes.addArea),
                At("Remove", schemes, schemes.removeArea), At("hide", schemes, schemes.hideArea)});
  Press(VK_ESCAPE);
  EXPECT_FALSE(schemes.Visible());
  schemes.Show();
  PostMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));  // Alt+F4
  qf::test::PumpFor(40);
  EXPECT_FALSE(schemes.Visible());
  EXPECT_TRUE(schemes.Loaded());

  qf::HtmlFaderForm& fader = program.htmlFaderForm;
  program.ShowHtmlFader();
  ExpectTabOrder(fader, {At("line", fader.lineBox), At("square 1", fader.colorBox1),
                         At("red 1", fader.color1Red), At("green 1", fader.color1Green),
                         At("blue 1", fader.color1Blue), At("square 2", fader.colorBox2),
                         At("red 2", fader.color2Red), At("green 2", fader.color2Green),
                         At("blue 2", fader.color2Blue), At("square 3", fader.colorBox3),
                         At("red 3", fader.color3Red), At("green 3", fader.color3Green),
                         At("blue 3", fader.color3Blue), At("Wavy", fader.wavyBox),
                         At("format", fader, fader.formatArea),
                         At("Generate", fader, fader.generateArea), At("output", fader.outputBox),
                         At("Clear", fader, fader.clearArea), At("close", fader, fader.closeArea)});
  Press(VK_ESCAPE);
  EXPECT_FALSE(fader.Visible());
  EXPECT_TRUE(main.Visible());  // back to the main window, as the X does

  // Alt+F4 on the main window is its close area: the exit (the program's, which announces it).
  CountingHost host;
  qf::MainForm alone(host, nullptr);
  alone.Show();
  PostMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
  qf::test::PumpFor(40);
  EXPECT_EQ(host.exits, 1);
}

}  // namespace

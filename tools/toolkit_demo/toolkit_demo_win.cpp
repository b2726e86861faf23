// A demo form with one of each toolkit control on a skin drawn in code. It shows what the
// controls look like on a skin and lets a person try them:
//   scripts/wine-run build/windows/bin/toolkit_demo.exe [seconds]
// With a number it closes itself after that many seconds (for screenshots). With --measure
// it prints how long one preview-like drawing of a 40-character line takes, and ends.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>

#include "chrome/drag_win.h"
#include "chrome/shape_win.h"
#include "mainwindow/layout.h"
#include "toolkit/toolkit_win.h"

namespace {

using qf::ColorRgb;

class DemoForm : public qf::Form {
 public:
  DemoForm()
      : Form({.caption = u"Toolkit demo",
              .width = qf::mainwindow::kWidth,
              .height = qf::mainwindow::kHeight,
              .left = 40,
              .top = 40}) {}

 private:
  void Form_Load() override {
    // The main window's outline: menu button, title plate, minimise and close, body.
    (void)qf::ShapeWindow(Handle(), qf::mainwindow::kOutline);
    qf::StayOnTop(Handle());
    for (const char16_t* item : {u"Sunset", u"Ocean", u"Forest", u"Candy"}) List1.AddItem(item);
  }

  // The background moves the window, and a plain click still slides it against near edges.
  void Form_Click() override { qf::FormDrag(*this); }
  void Form_DblClick() override { qf::FormDrag(*this); }
  void Form_MouseDown(int, int, float, float) override { qf::FormDrag(*this); }

  void PaintSkin(HDC dc, int width, int height) override {
    const RECT all{0, 0, width, height};
    qf::VerticalGradient(dc, all, RGB(20, 24, 40), RGB(20, 24, 40));
    qf::GradientRoundRect(dc, {4, 5, 48, 30}, 6, RGB(90, 120, 200), RGB(40, 60, 120),
                          RGB(200, 220, 255));
    const POINT diamond[] = {{26, 10}, {34, 17}, {26, 24}, {18, 17}};
    qf::FillPolygon(dc, diamond, 4, RGB(255, 220, 120), RGB(120, 80, 0));
    qf::GradientRoundRect(dc, {79, 5, 295, 31}, 6, RGB(90, 120, 200), RGB(40, 60, 120),
                          RGB(200, 220, 255));
    qf::GdiFont title = qf::MakeFont(u"Arial", 10, {.bold = true});
    qf::DrawCentredText(dc, {79, 5, 295, 31}, u"Toolkit demo", title.Get(), RGB(255, 255, 255));
    qf::GradientRoundRect(dc, {314, 5, 368, 32}, 7, RGB(90, 120, 200), RGB(40, 60, 120),
                          RGB(200, 220, 255));
    qf::GdiFont small = qf::MakeFont(u"Arial", 7, {.bold = true});
    qf::DrawCentredText(dc, {340, 8, 364, 28}, u"X", small.Get(), RGB(255, 255, 255));
    qf::GradientRoundRect(dc, {5, 43, 374, 233}, 48, RGB(110, 150, 230), RGB(30, 45, 100),
                          RGB(220, 230, 255));
    qf::FillRoundRect(dc, {300, 54, 340, 76}, 6, RGB(40, 70, 150), RGB(220, 230, 255));
    qf::DrawCentredText(dc, {300, 54, 340, 76}, u"SEND", small.Get(), RGB(255, 255, 255));
    qf::FillRoundRect(dc, {300, 200, 350, 222}, 6, RGB(40, 70, 150), RGB(220, 230, 255));
    qf::DrawCentredText(dc, {300, 200, 350, 222}, u"ASK", small.Get(), RGB(255, 255, 255));
    qf::DrawCentredText(dc, {46, 116, 60, 136}, u"W", small.Get(), RGB(255, 255, 255));
    qf::DrawCentredText(dc, {160, 168, 180, 182}, u"R", small.Get(), RGB(255, 255, 255));
  }

  void Label2_Click() { Text2.AppendText(Text1.Text() + u"\r\n"); }

  void Label3_Click() {
    const qf::InputBoxResult name = qf::InputBox(Handle(), u"Choose your name", u"Demo");
    if (name.answer == qf::InputAnswer::kNotShown) return;
    if (name.text.empty()) {
      qf::ShowMessage(Handle(), u"Please choose a name");
    } else {
      List1.AddItem(name.text);
    }
  }

  void Picture1_DblClick() {
    if (CommonDialog1.Show(Handle()) != qf::DialogResult::kError) {
      Picture1.SetBackColor(CommonDialog1.Color());
    }
  }

  void Check1_Click() { Picture2.SetBackColor(Check1.Value() == 1 ? ColorRgb(255, 255, 0) : 0); }

  void Mix() { Picture1.SetBackColor(ColorRgb(HScroll1.Value(), 0, VScroll1.Value())); }

 public:
  // Draws the preview `rounds` times; returns the microseconds per drawing.
  double MeasurePreview(int rounds) {
    Text1.SetText(u"The quick brown fox jumps over the lazy d");
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < rounds; ++i) Timer1_Timer();
    QueryPerformanceCounter(&end);
    return 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart) / rounds;
  }

 private:
  void Timer1_Timer() {
    // A small fade drawn letter by letter, the way the preview strip is drawn.
    Picture11.Cls();
    Picture11.SetFontName(u"Arial");
    Picture11.SetFontSize(10);
    const std::u16string text = Text1.Text().empty() ? u"Type above" : Text1.Text();
    int x = 2;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const int step = static_cast<int>(255 * i / (text.size() > 1 ? text.size() - 1 : 1));
      Picture11.SetForeColor(ColorRgb(255, step, 255 - step));
      Picture11.SetFontBold(i == 0);  // one style change per line, as a prefix would
      const std::u16string one(1, text[i]);
      Picture11.PrintText(x, 0, one);
      x += Picture11.TextWidth(one);
    }
  }

  qf::TextBox Text1{*this,
                    {24, 56, 249, 19},
                    {.backColor = ColorRgb(128, 255, 255),
                     .foreColor = ColorRgb(0, 0, 255),
                     .text = u"Hello there"}};
  qf::PictureBox Picture11{*this, {24, 86, 257, 17}};
  qf::CheckBox Check1{
      *this, {32, 120, 14, 13}, {.value = 1, .onClick = [this] { Check1_Click(); }}};
  qf::CheckBox Check2{*this, {80, 120, 14, 13}};
  qf::CheckBox Check3{*this, {24, 200, 49, 17}, {.caption = u"Wavy", .pushLike = true}};
  qf::VScrollBar VScroll1{*this, {168, 112, 9, 57}, {.max = 255, .onChange = [this] { Mix(); }}};
  qf::HScrollBar HScroll1{*this, {184, 112, 49, 9}, {.max = 255, .onChange = [this] { Mix(); }}};
  qf::PictureBox Picture1{
      *this, {256, 112, 17, 17}, {.onDblClick = [this] { Picture1_DblClick(); }}};
  qf::PictureBox Picture2{*this, {256, 136, 17, 17}, {.backColor = ColorRgb(255, 255, 0)}};
  qf::ListBox List1{*this,
                    {80, 140, 80, 56},
                    {.backColor = ColorRgb(0, 255, 255),
                     .foreColor = ColorRgb(0, 0, 255),
                     .onClick = [this] { Text1.SetText(List1.Text()); }}};
  qf::TextBox Text2{
      *this,
      {184, 136, 60, 60},
      {.multiLine = true, .backColor = ColorRgb(128, 255, 255), .foreColor = ColorRgb(0, 0, 255)}};
  qf::Timer Timer1{*this, {.interval = 50, .onTimer = [this] { Timer1_Timer(); }}};
  qf::ClickLabel Label1{
      *this, {344, 8, 17, 17}, {.toolTip = u"Exit", .onClick = [] { PostQuitMessage(0); }}};
  qf::ClickLabel Label2{
      *this, {300, 54, 40, 22}, {.toolTip = u"Add the line to the box", .onClick = [this] {
                                   Label2_Click();
                                 }}};
  qf::ClickLabel Label3{*this,
                        {300, 200, 50, 22},
                        {.toolTip = u"Ask for a name", .onClick = [this] { Label3_Click(); }}};
  qf::ColorDialog CommonDialog1;
};

void CALLBACK QuitAfterTime(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  qf::InstallEventPump();
  DemoForm form;
  form.Show();
  if (std::wcscmp(commandLine, L"--measure") == 0) {
    std::printf("preview drawing of 40 characters: %.1f us\n", form.MeasurePreview(2000));
    return 0;
  }
  const int seconds = std::wcstol(commandLine, nullptr, 10);
  if (seconds > 0) SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, &QuitAfterTime);
  return qf::RunMessageLoop();
}

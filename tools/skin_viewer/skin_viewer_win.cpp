// Shows a window's skin as the program will: cut to the window's outline, with stand-in
// controls at the layout's rectangles, so the whole composition can be judged on screen.
//   scripts/wine-run build/windows/bin/skin_viewer.exe [main|schemes|htmlfader] [seconds]
// The window sits at (20, 20); a click on its background drags it, and the close area
// (or the given number of seconds) ends the viewer.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <string>

#include "app/resource_ids.h"
#include "chrome/drag_win.h"
#include "chrome/shape_win.h"
#include "chrome/slider_art_win.h"
#include "htmlfader/html_fader_layout.h"
#include "htmlfader/html_fader_skin_win.h"
#include "mainwindow/layout.h"
#include "mainwindow/main_skin_win.h"
#include "schemes/scheme_layout.h"
#include "schemes/scheme_skin_win.h"
#include "toolkit/toolkit_win.h"

namespace {

using qf::ColorRgb;
constexpr int kViewerLeft = 20;
constexpr int kViewerTop = 20;

// Click areas: the close areas end the viewer, the others beep (they do nothing here).
void Quit() { PostQuitMessage(0); }
void Beep() { MessageBeep(MB_OK); }

// A slider of the skins, 0 to 255, at `value`.
qf::ScrollBarOptions Slider(int value) {
  return {.max = 255, .value = value, .painter = &qf::art::PaintScrollBar};
}

// A form that drags by its background, like every window of the program.
class ViewerForm : public qf::Form {
 public:
  using Form::Form;

 protected:
  void Form_MouseDown(int, int, float, float) override { qf::FormDrag(Handle()); }
};

class MainSkinView : public ViewerForm {
 public:
  MainSkinView()
      : ViewerForm({.width = qf::mainwindow::kWidth,
                    .height = qf::mainwindow::kHeight,
                    .left = kViewerLeft,
                    .top = kViewerTop}) {}

 private:
  void Form_Load() override {
    (void)qf::ShapeWindow(Handle(), qf::mainwindow::kOutline);
    // A few colours in the squares, as a loaded scheme would leave them.
    const int32_t colors[] = {ColorRgb(255, 0, 0),    ColorRgb(255, 128, 0), ColorRgb(255, 255, 0),
                              ColorRgb(0, 255, 0),    ColorRgb(0, 255, 255), ColorRgb(0, 0, 255),
                              ColorRgb(128, 0, 255),  ColorRgb(255, 0, 255), 0,
                              ColorRgb(255, 255, 255)};
    for (int k = 0; k < 10; ++k) pictures_[k]->SetBackColor(colors[k]);
    Picture11.SetForeColor(ColorRgb(128, 255, 255));
    Picture11.PrintText(2, 0, u"Preview strip");
  }

  void PaintSkin(HDC dc, int, int) override { qf::mainwindow::PaintMainSkin(dc); }

  qf::TextBox Text1{
      *this,
      qf::mainwindow::kLineBox,
      {.backColor = ColorRgb(128, 255, 255), .foreColor = ColorRgb(0, 0, 255), .text = u"Hello"}};
  qf::PictureBox Picture11{*this, qf::mainwindow::kPreviewStrip};
  qf::CheckBox Check11{*this, qf::mainwindow::kWavyBox};
  qf::CheckBox Check12{*this, qf::mainwindow::kStrikeBox};
  qf::CheckBox Check13{*this, qf::mainwindow::kItalicBox, {.value = 1}};
  qf::CheckBox Check14{*this, qf::mainwindow::kBoldBox};
  qf::CheckBox Check15{*this, qf::mainwindow::kUnderlineBox};
  // The sliders at the minimum, the middle and the maximum.
  qf::VScrollBar VScroll1{*this, qf::mainwindow::kRedSlider, Slider(0)};
  qf::VScrollBar VScroll2{*this, qf::mainwindow::kGreenSlider, Slider(128)};
  qf::VScrollBar VScroll3{*this, qf::mainwindow::kBlueSlider, Slider(255)};
  std::unique_ptr<qf::CheckBox> checks_[10];
  std::unique_ptr<qf::PictureBox> pictures_[10];
  bool madeBoxes_ = [this] {
    for (int k = 1; k <= 10; ++k) {
      checks_[k - 1] = std::make_unique<qf::CheckBox>(*this, qf::mainwindow::NumberedBox(k),
                                                      qf::CheckBoxOptions{.value = k <= 3 ? 1 : 0});
      pictures_[k - 1] = std::make_unique<qf::PictureBox>(*this, qf::mainwindow::ColorBox(k));
    }
    return true;
  }();
  qf::ClickLabel Label1{*this, qf::mainwindow::kCloseArea, {.toolTip = u"Exit", .onClick = Quit}};
  qf::ClickLabel Label2{
      *this, qf::mainwindow::kSendArea, {.toolTip = u"Send To Chat", .onClick = Beep}};
  qf::ClickLabel Label3{
      *this, qf::mainwindow::kSendWavyArea, {.toolTip = u"Send Wavy To Chat", .onClick = Beep}};
  qf::ClickLabel Label4{*this, qf::mainwindow::kTrayArea, {.onClick = Beep}};
  qf::ClickLabel Label5{*this, qf::mainwindow::kMenuArea, {.toolTip = u"Menu", .onClick = Beep}};
  qf::ClickLabel Label6{
      *this, qf::mainwindow::kFadesArea, {.toolTip = u"Add/Remove Fades", .onClick = Beep}};
};

class SchemeSkinView : public ViewerForm {
 public:
  SchemeSkinView()
      : ViewerForm({.width = qf::schemes::kWidth,
                    .height = qf::schemes::kHeight,
                    .left = kViewerLeft,
                    .top = kViewerTop}) {}

 private:
  void Form_Load() override {
    (void)qf::ShapeWindow(Handle(), qf::schemes::kOutline);
    for (const char16_t* name : {u"Sunset", u"Ocean", u"Forest", u"Candy", u"Ice"}) {
      schemeList.AddItem(name);
    }
  }

  void PaintSkin(HDC dc, int, int) override { qf::schemes::PaintSchemeSkin(dc); }

  qf::ListBox schemeList{*this,
                         qf::schemes::kSchemeList,
                         {.backColor = ColorRgb(0, 255, 255), .foreColor = ColorRgb(0, 0, 255)}};
  qf::ClickLabel addArea{*this, qf::schemes::kAddArea, {.onClick = Beep}};
  qf::ClickLabel removeArea{*this, qf::schemes::kRemoveArea, {.onClick = Beep}};
  qf::ClickLabel hideArea{*this, qf::schemes::kHideArea, {.onClick = Quit}};
};

class HtmlFaderSkinView : public ViewerForm {
 public:
  HtmlFaderSkinView()
      : ViewerForm({.width = qf::htmlfader::kWidth,
                    .height = qf::htmlfader::kHeight,
                    .left = kViewerLeft,
                    .top = kViewerTop}) {
    for (int k = 1; k <= 9; ++k) {
      bars_[k - 1] = std::make_unique<qf::HScrollBar>(*this, qf::htmlfader::ColorBar(k),
                                                      Slider(std::min(32 * (k - 1), 255)));
    }
    for (int k = 1; k <= 3; ++k) {
      boxes_[k - 1] = std::make_unique<qf::PictureBox>(*this, qf::htmlfader::ColorBox(k));
    }
  }

 private:
  void Form_Load() override {
    (void)qf::ShapeWindow(Handle(), qf::htmlfader::kOutline);
    const int32_t colors[] = {ColorRgb(0, 204, 255), ColorRgb(255, 0, 0), ColorRgb(0, 68, 255)};
    for (int k = 0; k < 3; ++k) boxes_[k]->SetBackColor(colors[k]);
  }

  void PaintSkin(HDC dc, int, int) override { qf::htmlfader::PaintHtmlFaderSkin(dc, u"aol"); }

  qf::TextBox Text1{
      *this,
      qf::htmlfader::kLineBox,
      {.backColor = ColorRgb(128, 255, 255), .foreColor = ColorRgb(0, 0, 255), .text = u"Hello"}};
  qf::TextBox Text2{*this,
                    qf::htmlfader::kOutputBox,
                    {.multiLine = true,
                     .backColor = ColorRgb(128, 255, 255),
                     .foreColor = ColorRgb(0, 0, 255),
                     .text = u"<Font Color=#00CCFF>H<Font Color=#7F6680>e"}};
  qf::CheckBox Check1{*this, qf::htmlfader::kWavyBox, {.caption = u"Wavy", .pushLike = true}};
  std::unique_ptr<qf::HScrollBar> bars_[9];
  std::unique_ptr<qf::PictureBox> boxes_[3];
  qf::ClickLabel Label1{*this, qf::htmlfader::kGenerateArea, {.onClick = Beep}};
  qf::ClickLabel Label2{*this, qf::htmlfader::kClearArea, {.onClick = Beep}};
  qf::ClickLabel Label3{*this, qf::htmlfader::kCloseArea, {.onClick = Quit}};
};

void CALLBACK QuitAfterTime(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  qf::InstallEventPump();
  int seconds = 0;
  std::wstring which = L"main";
  for (int i = 1; i < __argc; ++i) {
    const wchar_t* argument = __wargv[i];
    if (std::iswdigit(argument[0])) {
      seconds = static_cast<int>(std::wcstol(argument, nullptr, 10));
    } else {
      which = argument;
    }
  }
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
  std::unique_ptr<qf::Form> form;
  if (which == L"main") form = std::make_unique<MainSkinView>();
  if (which == L"schemes") form = std::make_unique<SchemeSkinView>();
  if (which == L"htmlfader") form = std::make_unique<HtmlFaderSkinView>();
  if (!form) {
    MessageBoxW(nullptr, L"Usage: skin_viewer [main|schemes|htmlfader] [seconds]", L"skin_viewer",
                MB_OK);
    return 2;
  }
  form->SetIcon(icon);
  form->Show();
  if (seconds > 0) SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, &QuitAfterTime);
  return qf::RunMessageLoop();
}

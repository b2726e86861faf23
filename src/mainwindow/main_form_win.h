#pragma once
// The main window (Form1 in the original form definitions): the line to send, the preview strip,
// the ten colour boxes with their numbered boxes, the R G B sliders, the style boxes W S I B U, and
// the click areas over the skin's buttons. What it is about lives in a FaderState (the line, the
// style prefix, the stops, the numbered boxes, wavy): the controls show it and report the user's
// edits to it, and every change of it draws the preview again once the waiting messages have run.
//
// It knows no other window: what it hands over (the menu, the scheme manager, the start-up
// scheme) goes through the MainFormHost it is made with.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "chrome/chrome_form_win.h"
#include "mainwindow/compose.h"
#include "mainwindow/fader_state.h"
#include "mainwindow/layout.h"
#include "mainwindow/main_skin_win.h"
#include "toolkit/toolkit_win.h"

namespace qf {

// What the main window asks of the rest of the program.
class MainFormHost {
 public:
  // Start-up, after the window is shaped: fill the scheme list and colour the ten boxes from
  // its first scheme.
  virtual void LoadStartupScheme() = 0;
  // The menu area: pop up the program's menu from this window.
  virtual void ShowMenu() = 0;
  // The FADES area: show the scheme manager.
  virtual void ShowSchemeManager() = 0;
  // A message the window does not know (the program's own registered messages), once the
  // start-up is over; returns the window's answer to it.
  virtual LRESULT OnWindowMessage(UINT message) = 0;
  // The exit area: end the program (announcing it in the chat room first).
  virtual void ExitProgram() = 0;

 protected:
  ~MainFormHost() = default;
};

class MainForm : public ChromeForm {
 public:
  MainForm(MainFormHost& host, HICON icon);

  // The fader's state: what the window shows, sends and previews.
  const FaderState& State() const { return state_; }
  // Colour stop k (1..10): the scheme manager's way in.
  void SetStopColor(int k, int32_t color);

  // Draws the preview now (a change of the state asks for it, once the waiting messages have
  // run); public so that tests and benchmarks can draw without waiting.
  void DrawPreview();
  // What the preview last drew (the fade of the line), and how many times it drew.
  const std::u16string& PreviewMarkup() const { return previewMarkup_; }
  int PreviewDraws() const { return previewDraws_; }

  // Puts the window into the tray; false (and the window stays) when no icon could be shown.
  [[nodiscard]] bool MinimiseToTray();
  // Brings the window back from the tray (if it is there) and to the front.
  void Restore();

  // Shows a short notice to the user in the preview strip (a failure they must know of, told
  // without a box that stops them): it stays until the strip next changes.
  void ShowNotice(std::u16string_view text);

  // Colour box k (1..10) and numbered box k (1..10).
  PictureBox& ColorBox(int k) { return *colorBoxes_.at(static_cast<std::size_t>(k - 1)); }
  CheckBox& NumberedBox(int k) { return *numberedBoxes_.at(static_cast<std::size_t>(k - 1)); }

 protected:
  void Form_Load() override;
  void Form_Rescaled() override;
  void PaintSkin(HDC dc, int, int) override { mainwindow::PaintMainSkin(dc); }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  std::vector<AccessibleItem> AccessibleItems() override;

 private:
  // The handlers, wired to their controls below.
  void OnCloseClicked();
  void OnSendClicked();
  void OnSendWavyClicked();
  void OnTrayReleased();
  void OnMenuClicked();
  void OnFadesClicked();

  void Send(bool wavy);
  void PickColor(int k);
  void PickStripColor();
  void SetSliderColor();
  void ToggleStyle(const CheckBox& box, std::u16string_view tag);
  void OnNumberedBoxClicked(int k) { state_.SetNumberedBox(k, NumberedBox(k).Value()); }
  // Gives colour square k its name for a screen reader.
  void NameColorSquare(int k);
  // The controls show the state; the preview is asked for.
  void ShowState();
  // Asks for the preview to be drawn once the messages waiting now have run.
  void RequestPreview();
  bool HandlePreviewMessage(UINT message);

  // A colour square: a double click, or Space or Enter while it has the keyboard, picks its
  // colour in the colour dialog.
  static PictureBoxOptions Square(const std::function<void()>& pick) {
    return {.onDblClick = pick, .onActivate = pick};
  }

  // The window's own message for drawing the preview.
  static constexpr UINT kDrawPreviewMessage = WM_APP + 0x52;

  MainFormHost& host_;
  FaderState state_;
  bool previewRequested_ = false;
  std::u16string previewMarkup_;
  int previewDraws_ = 0;
  bool noticeShown_ = false;
  bool loadDone_ = false;

 public:
  // The controls, in the order of the window's layout table.
  // Enter in the line is SEND, Shift+Enter SEND WAVY: the same checks as the clicks.
  TextBox lineBox{
      *this,
      mainwindow::kLineBox,
      {.backColor = ColorRgb(128, 255, 255),
       .foreColor = ColorRgb(0, 0, 255),
       .onChange = [this] { state_.SetLine(lineBox.Text()); },
       .onEnter = [this](bool shift) { shift ? OnSendWavyClicked() : OnSendClicked(); }}};
  PictureBox previewStrip{
      *this, mainwindow::kPreviewStrip, {.onClick = [this] { PickStripColor(); }}};
  CheckBox wavyBox{
      *this, mainwindow::kWavyBox, {.onClick = [this] { state_.SetWavy(wavyBox.Value() != 0); }}};
  CheckBox strikeBox{
      *this, mainwindow::kStrikeBox, {.onClick = [this] { ToggleStyle(strikeBox, u"<s>"); }}};
  CheckBox italicBox{
      *this, mainwindow::kItalicBox, {.onClick = [this] { ToggleStyle(italicBox, u"<i>"); }}};
  CheckBox boldBox{
      *this, mainwindow::kBoldBox, {.onClick = [this] { ToggleStyle(boldBox, u"<b>"); }}};
  CheckBox underlineBox{
      *this, mainwindow::kUnderlineBox, {.onClick = [this] { ToggleStyle(underlineBox, u"<u>"); }}};
  VScrollBar redSlider{
      *this, mainwindow::kRedSlider, {.max = 255, .onChange = [this] { SetSliderColor(); }}};
  VScrollBar greenSlider{
      *this, mainwindow::kGreenSlider, {.max = 255, .onChange = [this] { SetSliderColor(); }}};
  VScrollBar blueSlider{
      *this, mainwindow::kBlueSlider, {.max = 255, .onChange = [this] { SetSliderColor(); }}};
  CheckBox numberedBox1{*this, mainwindow::NumberedBox(1), {.value = 1, .onClick = [this] {
                                                              OnNumberedBoxClicked(1);
                                                            }}};
  CheckBox numberedBox2{
      *this, mainwindow::NumberedBox(2), {.onClick = [this] { OnNumberedBoxClicked(2); }}};
  CheckBox numberedBox3{
      *this, mainwindow::NumberedBox(3), {.onClick = [this] { OnNumberedBoxClicked(3); }}};
  CheckBox numberedBox4{
      *this, mainwindow::NumberedBox(4), {.onClick = [this] { OnNumberedBoxClicked(4); }}};
  CheckBox numberedBox5{
      *this, mainwindow::NumberedBox(5), {.onClick = [this] { OnNumberedBoxClicked(5); }}};
  PictureBox colorBox1{*this, mainwindow::ColorBox(1), Square([this] { PickColor(1); })};
  PictureBox colorBox2{*this, mainwindow::ColorBox(2), Square([this] { PickColor(2); })};
  PictureBox colorBox3{*this, mainwindow::ColorBox(3), Square([this] { PickColor(3); })};
  PictureBox colorBox4{*this, mainwindow::ColorBox(4), Square([this] { PickColor(4); })};
  PictureBox colorBox5{*this, mainwindow::ColorBox(5), Square([this] { PickColor(5); })};
  CheckBox numberedBox6{
      *this, mainwindow::NumberedBox(6), {.onClick = [this] { OnNumberedBoxClicked(6); }}};
  CheckBox numberedBox7{
      *this, mainwindow::NumberedBox(7), {.onClick = [this] { OnNumberedBoxClicked(7); }}};
  CheckBox numberedBox8{
      *this, mainwindow::NumberedBox(8), {.onClick = [this] { OnNumberedBoxClicked(8); }}};
  CheckBox numberedBox9{
      *this, mainwindow::NumberedBox(9), {.onClick = [this] { OnNumberedBoxClicked(9); }}};
  CheckBox numberedBox10{
      *this, mainwindow::NumberedBox(10), {.onClick = [this] { OnNumberedBoxClicked(10); }}};
  PictureBox colorBox6{*this, mainwindow::ColorBox(6), Square([this] { PickColor(6); })};
  PictureBox colorBox7{*this, mainwindow::ColorBox(7), Square([this] { PickColor(7); })};
  PictureBox colorBox8{*this, mainwindow::ColorBox(8), Square([this] { PickColor(8); })};
  PictureBox colorBox9{*this, mainwindow::ColorBox(9), Square([this] { PickColor(9); })};
  PictureBox colorBox10{*this, mainwindow::ColorBox(10), Square([this] { PickColor(10); })};
  ClickLabel menuArea{
      *this, mainwindow::kMenuArea, {.toolTip = u"Menu", .onClick = [this] { OnMenuClicked(); }}};
  ClickLabel trayArea{*this, mainwindow::kTrayArea, {.onMouseUp = [this](int, int, float, float) {
                        OnTrayReleased();
                      }}};
  ClickLabel closeArea{
      *this, mainwindow::kCloseArea, {.toolTip = u"Exit", .onClick = [this] { OnCloseClicked(); }}};
  ClickLabel sendArea{*this, mainwindow::kSendArea, {.toolTip = u"Send To Chat", .onClick = [this] {
                                                       OnSendClicked();
                                                     }}};
  ClickLabel sendWavyArea{
      *this, mainwindow::kSendWavyArea, {.toolTip = u"Send Wavy To Chat", .onClick = [this] {
                                           OnSendWavyClicked();
                                         }}};
  ClickLabel fadesArea{*this,
                       mainwindow::kFadesArea,
                       {.toolTip = u"Add/Remove Fades", .onClick = [this] { OnFadesClicked(); }}};
  ColorDialog colorDialog;

 private:
  const std::array<PictureBox*, 10> colorBoxes_{&colorBox1, &colorBox2, &colorBox3, &colorBox4,
                                                &colorBox5, &colorBox6, &colorBox7, &colorBox8,
                                                &colorBox9, &colorBox10};
  const std::array<CheckBox*, 10> numberedBoxes_{
      &numberedBox1, &numberedBox2, &numberedBox3, &numberedBox4, &numberedBox5,
      &numberedBox6, &numberedBox7, &numberedBox8, &numberedBox9, &numberedBox10};
};

}  // namespace qf

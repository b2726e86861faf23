#pragma once
// Form1, the main window: the line to send, the preview strip, the ten colour boxes with
// their numbered boxes, the R G B sliders, the style boxes W S I B U, and the click areas over
// the skin's buttons. What it is about lives in a FaderState (the line, the style prefix, the
// stops, the numbered boxes, wavy): the controls show it and report the user's edits to it, and
// every change of it draws the preview again once the waiting messages have run.
//
// It knows no other window: what it hands over (the menu, the scheme manager, the start-up
// scheme) goes through the MainFormHost it is made with.
#include <windows.h>

#include <array>
#include <cstdint>
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
  void SetStopColour(int k, int32_t colour);

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
  PictureBox& ColourBox(int k) { return *colourBoxes_.at(static_cast<std::size_t>(k - 1)); }
  CheckBox& NumberedBox(int k) { return *numberedBoxes_.at(static_cast<std::size_t>(k - 1)); }

 protected:
  void Form_Load() override;
  void Form_Rescaled() override;
  void PaintSkin(HDC dc, int, int) override { mainwindow::PaintMainSkin(dc); }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // The handlers, wired to their controls below.
  void Label1_Click();
  void Label2_Click();
  void Label3_Click();
  void Label4_MouseUp(int button, int shift, float x, float y);
  void Label5_Click();
  void Label6_Click();
  void Picture1_DblClick() { PickColour(1); }
  void Picture2_DblClick() { PickColour(2); }
  void Picture3_DblClick() { PickColour(3); }
  void Picture4_DblClick() { PickColour(4); }
  void Picture5_DblClick() { PickColour(5); }
  void Picture6_DblClick() { PickColour(6); }
  void Picture7_DblClick() { PickColour(7); }
  void Picture8_DblClick() { PickColour(8); }
  void Picture9_DblClick() { PickColour(9); }
  void Picture10_DblClick() { PickColour(10); }
  void Picture11_Click() { PickStripColour(); }
  void VScroll1_Change() { SetSliderColour(); }
  void VScroll2_Change() { SetSliderColour(); }
  void VScroll3_Change() { SetSliderColour(); }
  void Check12_Click() { ToggleStyle(Check12, u"<s>"); }
  void Check13_Click() { ToggleStyle(Check13, u"<i>"); }
  void Check14_Click() { ToggleStyle(Check14, u"<b>"); }
  void Check15_Click() { ToggleStyle(Check15, u"<u>"); }

  void Send(bool wavy);
  void PickColour(int k);
  void PickStripColour();
  void SetSliderColour();
  void ToggleStyle(const CheckBox& box, std::u16string_view tag);
  // The controls show the state; the preview is asked for.
  void ShowState();
  // Asks for the preview to be drawn once the messages waiting now have run.
  void RequestPreview();
  bool HandlePreviewMessage(UINT message);

  // The window's own message for drawing the preview.
  static constexpr UINT kDrawPreviewMessage = WM_APP + 0x52;

  MainFormHost& host_;
  FaderState state_;
  bool previewRequested_ = false;
  std::u16string previewMarkup_;
  int previewDraws_ = 0;
  bool noticeShown_ = false;
  // Counts the notices shown, so a tick can tell that one was shown while it let events run.
  unsigned noticeCount_ = 0;
  bool loadDone_ = false;

 public:
  // The controls, in the order of the window's layout table.
  // Enter in the line is SEND, Shift+Enter SEND WAVY: the same checks as the clicks.
  TextBox Text1{*this,
                mainwindow::kText1,
                {.backColor = ColorRgb(128, 255, 255),
                 .foreColor = ColorRgb(0, 0, 255),
                 .onChange = [this] { state_.SetLine(Text1.Text()); },
                 .onEnter = [this](bool shift) { shift ? Label3_Click() : Label2_Click(); }}};
  PictureBox Picture11{*this, mainwindow::kPicture11, {.onClick = [this] { Picture11_Click(); }}};
  CheckBox Check11{*this, mainwindow::kCheck11, {.onClick = [this] { state_.SetWavy(Check11.Value() != 0); }}};  // W
  CheckBox Check12{*this, mainwindow::kCheck12, {.onClick = [this] { Check12_Click(); }}};
  CheckBox Check13{*this, mainwindow::kCheck13, {.onClick = [this] { Check13_Click(); }}};
  CheckBox Check14{*this, mainwindow::kCheck14, {.onClick = [this] { Check14_Click(); }}};
  CheckBox Check15{*this, mainwindow::kCheck15, {.onClick = [this] { Check15_Click(); }}};
  VScrollBar VScroll1{
      *this, mainwindow::kVScroll1, {.max = 255, .onChange = [this] { VScroll1_Change(); }}};
  VScrollBar VScroll2{
      *this, mainwindow::kVScroll2, {.max = 255, .onChange = [this] { VScroll2_Change(); }}};
  VScrollBar VScroll3{
      *this, mainwindow::kVScroll3, {.max = 255, .onChange = [this] { VScroll3_Change(); }}};
  CheckBox Check1{*this, mainwindow::NumberedBox(1), {.value = 1, .onClick = [this] { state_.SetNumberedBox(1, Check1.Value()); }}};
  CheckBox Check2{*this, mainwindow::NumberedBox(2), {.onClick = [this] { state_.SetNumberedBox(2, Check2.Value()); }}};
  CheckBox Check3{*this, mainwindow::NumberedBox(3), {.onClick = [this] { state_.SetNumberedBox(3, Check3.Value()); }}};
  CheckBox Check4{*this, mainwindow::NumberedBox(4), {.onClick = [this] { state_.SetNumberedBox(4, Check4.Value()); }}};
  CheckBox Check5{*this, mainwindow::NumberedBox(5), {.onClick = [this] { state_.SetNumberedBox(5, Check5.Value()); }}};
  PictureBox Picture1{
      *this, mainwindow::ColourBox(1), {.onDblClick = [this] { Picture1_DblClick(); }}};
  PictureBox Picture2{
      *this, mainwindow::ColourBox(2), {.onDblClick = [this] { Picture2_DblClick(); }}};
  PictureBox Picture3{
      *this, mainwindow::ColourBox(3), {.onDblClick = [this] { Picture3_DblClick(); }}};
  PictureBox Picture4{
      *this, mainwindow::ColourBox(4), {.onDblClick = [this] { Picture4_DblClick(); }}};
  PictureBox Picture5{
      *this, mainwindow::ColourBox(5), {.onDblClick = [this] { Picture5_DblClick(); }}};
  CheckBox Check6{*this, mainwindow::NumberedBox(6), {.onClick = [this] { state_.SetNumberedBox(6, Check6.Value()); }}};
  CheckBox Check7{*this, mainwindow::NumberedBox(7), {.onClick = [this] { state_.SetNumberedBox(7, Check7.Value()); }}};
  CheckBox Check8{*this, mainwindow::NumberedBox(8), {.onClick = [this] { state_.SetNumberedBox(8, Check8.Value()); }}};
  CheckBox Check9{*this, mainwindow::NumberedBox(9), {.onClick = [this] { state_.SetNumberedBox(9, Check9.Value()); }}};
  CheckBox Check10{*this, mainwindow::NumberedBox(10), {.onClick = [this] { state_.SetNumberedBox(10, Check10.Value()); }}};
  PictureBox Picture6{
      *this, mainwindow::ColourBox(6), {.onDblClick = [this] { Picture6_DblClick(); }}};
  PictureBox Picture7{
      *this, mainwindow::ColourBox(7), {.onDblClick = [this] { Picture7_DblClick(); }}};
  PictureBox Picture8{
      *this, mainwindow::ColourBox(8), {.onDblClick = [this] { Picture8_DblClick(); }}};
  PictureBox Picture9{
      *this, mainwindow::ColourBox(9), {.onDblClick = [this] { Picture9_DblClick(); }}};
  PictureBox Picture10{
      *this, mainwindow::ColourBox(10), {.onDblClick = [this] { Picture10_DblClick(); }}};
  ClickLabel Label5{
      *this, mainwindow::kLabel5, {.toolTip = u"Menu", .onClick = [this] { Label5_Click(); }}};
  ClickLabel Label4{
      *this, mainwindow::kLabel4, {.onMouseUp = [this](int b, int s, float x, float y) {
        Label4_MouseUp(b, s, x, y);
      }}};
  ClickLabel Label1{
      *this, mainwindow::kLabel1, {.toolTip = u"Exit", .onClick = [this] { Label1_Click(); }}};
  ClickLabel Label2{*this, mainwindow::kLabel2, {.toolTip = u"Send To Chat", .onClick = [this] {
                                                   Label2_Click();
                                                 }}};
  ClickLabel Label3{*this,
                    mainwindow::kLabel3,
                    {.toolTip = u"Send Wavy To Chat", .onClick = [this] { Label3_Click(); }}};
  ClickLabel Label6{*this, mainwindow::kLabel6, {.toolTip = u"Add/Remove Fades", .onClick = [this] {
                                                   Label6_Click();
                                                 }}};
  ColorDialog CommonDialog1;

 private:
  const std::array<PictureBox*, 10> colourBoxes_{&Picture1, &Picture2, &Picture3, &Picture4,
                                                 &Picture5, &Picture6, &Picture7, &Picture8,
                                                 &Picture9, &Picture10};
  const std::array<CheckBox*, 10> numberedBoxes_{&Check1, &Check2, &Check3, &Check4, &Check5,
                                                 &Check6, &Check7, &Check8, &Check9, &Check10};
};

}  // namespace qf

#include "mainwindow/main_form_win.h"

#include "chat/chat_link_win.h"
#include "chrome/slider_art_win.h"
#include "chrome/tray_win.h"
#include "fade/entry_points.h"
#include "mainwindow/announce_win.h"
#include "mainwindow/compose.h"
#include "preview/gdi_canvas_win.h"
#include "preview/render_tags.h"
#include "core/wide_win.h"

namespace qf {

MainForm::MainForm(MainFormHost& host, HICON icon)
    : ChromeForm({.caption = kProgramTitle,
                  .width = mainwindow::kWidth,
                  .height = mainwindow::kHeight,
                  .left = mainwindow::kLeft,
                  .top = mainwindow::kTop,
                  .icon = icon},
                 mainwindow::kOutline),
      host_(host) {
  for (ScrollBar* bar : {&VScroll1, &VScroll2, &VScroll3}) bar->SetPainter(&art::PaintScrollBar);
}

// ---- Start-up and exit ----------------------------------------------------------------------

void MainForm::Form_Rescaled() {
  ChromeForm::Form_Rescaled();
  preview_.Invalidate();  // the strip was remade at the new size: draw it again
}

void MainForm::Form_Load() {
  // Shaped and made topmost (hidden still), then the first scheme's colours, then the
  // announcement; the window shows after that.
  ChromeForm::Form_Load();
  host_.LoadStartupScheme();
  SendAnnouncement();
  loadDone_ = true;
}

void MainForm::Label1_Click() { host_.ExitProgram(); }

// ---- Compose and send -------------------------------------------------------------------------

NumberedBoxValues MainForm::NumberedValues() const {
  NumberedBoxValues values{};
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = numberedBoxes_[i]->Value();
  return values;
}

int MainForm::GetStopCount() const { return StopCountOf(NumberedValues()); }

int MainForm::GetSliderTarget() const { return SliderTargetOf(NumberedValues()); }

std::span<const int32_t> MainForm::StopColours(int count) {
  for (int k = 1; k <= count; ++k)
    stopColours_[static_cast<std::size_t>(k - 1)] = ColourBox(k).BackColor();
  return std::span<const int32_t>(stopColours_.data(), static_cast<std::size_t>(count));
}

void MainForm::Label2_Click() {
  if (Text1.Text().empty()) return;
  Send(0);
}

void MainForm::Label3_Click() {
  if (Check11.Value() == 0) return;
  Send(-1);
}

void MainForm::Send(int16_t wavy) {
  const int stops = GetStopCount();
  if (stops == 0) return;
  const TextField line{[this] { return Text1.Text(); },
                       [this](std::u16string_view text) { Text1.SetText(text); }};
  ChatSendResult outcome = ChatSendResult::kDelivered;
  const bool delivered = SendComposedLine(Text2.Text(), StopColours(stops), wavy, line,
                                          [&outcome](std::u16string_view chatLine) {
                                            outcome = ChatSend(chatLine);
                                            return outcome == ChatSendResult::kDelivered;
                                          });
  if (!delivered) {
    ShowNotice(outcome == ChatSendResult::kNoChatRoom
                   ? u"No chat room is open \u2014 your line was kept"
                   : u"The chat room did not take the line \u2014 it was kept");
  }
}

void MainForm::ShowNotice(std::u16string_view text) {
  // Drawn in the preview strip, right under the line it is about, until the next change of
  // what the strip shows draws the preview over it. The strip's window text holds it as well,
  // where screen readers (and the tests) read it.
  Picture11.Cls();
  Picture11.SetFontName(u"Arial");
  Picture11.SetFontSize(8);
  Picture11.SetFontBold(true);
  Picture11.SetFontItalic(false);
  Picture11.SetFontUnderline(false);
  Picture11.SetFontStrikethrough(false);
  const int32_t back = Picture11.BackColor();
  const int luminance = (299 * (back & 0xFF) + 587 * (back >> 8 & 0xFF) + 114 * (back >> 16 & 0xFF)) / 1000;
  Picture11.SetForeColor(luminance < 128 ? ColorRgb(255, 255, 0) : ColorRgb(0, 0, 0));
  Picture11.PrintText(3, 2, text);
  Picture11.Refresh();
  SetWindowTextW(Picture11.Handle(), ToWide(text).c_str());
  noticeShown_ = true;
  ++noticeCount_;
}

// ---- Live preview -----------------------------------------------------------------------------

void MainForm::Timer1_Timer() {
  // When a tick has nothing to do, nothing can change until a control does (the line, a
  // numbered box, a colour): the timer rests until then, and the program costs nothing while
  // nobody touches it. Any control's change wakes it for the next tick.
  const int stops = GetStopCount();
  if (stops == 0) return Timer1.Rest();
  const std::span<const int32_t> colours = StopColours(stops);
  const std::u16string text = Text1.Text();
  // Building the fade and drawing the strip again would show exactly what it shows: only a
  // change of what it is drawn from is drawn.
  if (!preview_.Changed(stops, colours, text, Picture11.BackColor())) return Timer1.Rest();
  const unsigned noticesBefore = noticeCount_;
  Text3.SetText(FadeColors(colours, text, 0));
  // The fade lets events run. A notice shown meanwhile (a send nobody received) is newer than
  // this drawing: it stays, and the strip is drawn again at its next change.
  if (noticeCount_ != noticesBefore) return;
  PictureBoxCanvas canvas(Picture11);
  RenderTags(canvas, Text3.Text());
  if (noticeShown_) {
    noticeShown_ = false;
    SetWindowTextW(Picture11.Handle(), L"");
  }
}

// ---- Colours and styles -----------------------------------------------------------------------

void MainForm::PickColour(PictureBox& box) {
  // Setting the strip's background clears it: the preview is drawn again.
  if (CommonDialog1.PickInto(Handle(), box) && &box == &Picture11) preview_.Invalidate();
}

void MainForm::SetSliderColour() {
  const int target = GetSliderTarget();
  if (target == 0) return;
  ColourBox(target).SetBackColor(
      ColorRgb(VScroll1.Value(), VScroll2.Value(), VScroll3.Value()));
}

void MainForm::ToggleStyle(const CheckBox& box, std::u16string_view tag) {
  ApplyStyleToggle({[this] { return Text2.Text(); },
                    [this](std::u16string_view prefix) { Text2.SetText(prefix); }},
                   [&box] { return box.Value() == 1; }, tag);
}

// ---- Hand-overs -------------------------------------------------------------------------------

void MainForm::Label4_MouseUp(int, int, float, float) {
  if (!MinimiseToTray()) ShowNotice(u"The tray icon could not be shown");
}

bool MainForm::MinimiseToTray() { return TrayAdd(Icon(), Caption(), Handle()); }

void MainForm::Restore() {
  TrayRestore(Handle());
  Show();
}

void MainForm::Label5_Click() { host_.ShowMenu(); }

void MainForm::Label6_Click() { host_.ShowSchemeManager(); }

bool MainForm::HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  // The tray icon: a double click or a right press on it brings the window back.
  if (message == TrayCallbackMessage()) {
    if (TrayMessage(static_cast<float>(LOWORD(lParam))) != 0) TrayRestore(Handle());
    result = 0;
    return true;
  }
  // A new taskbar (the shell restarted) has lost the icon of a window put away in the tray:
  // without it the window could never be brought back.
  if (message == TaskbarCreatedMessage()) {
    (void)TrayReAdd(Handle());  // no icon: nothing else to do until the next minimise
  } else if (message >= 0xC000 && loadDone_) {
    // The program's own registered messages (a second copy asking this one forward). During
    // the start-up they get no answer, and the second copy asks again: the window is shown as
    // soon as the announcement is out.
    result = host_.OnWindowMessage(message);
    return true;
  }
  return false;
}

}  // namespace qf

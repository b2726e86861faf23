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

#include <vector>

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
  state_.OnChange([this] { ShowState(); });
}

// ---- Start-up and exit ----------------------------------------------------------------------

void MainForm::Form_Rescaled() {
  ChromeForm::Form_Rescaled();
  RequestPreview();  // the strip was remade at the new size: draw it again
}

void MainForm::Form_Load() {
  // Shaped and made topmost (hidden still), then the first scheme's colours, then the
  // announcement; the window shows after that, with its preview.
  ChromeForm::Form_Load();
  host_.LoadStartupScheme();
  SendAnnouncement();
  loadDone_ = true;
  RequestPreview();
}

void MainForm::Label1_Click() { host_.ExitProgram(); }

// ---- The state and its views ------------------------------------------------------------------

void MainForm::ShowState() {
  // The controls show the state (they hold it already when the user made the change).
  for (int k = 1; k <= 10; ++k) {
    if (ColourBox(k).BackColor() != state_.StopColour(k)) ColourBox(k).SetBackColor(state_.StopColour(k));
    if (NumberedBox(k).Value() != state_.NumberedBox(k)) NumberedBox(k).SetValue(state_.NumberedBox(k));
  }
  if (Text1.Text() != state_.Line()) Text1.SetText(state_.Line());
  RequestPreview();
}

void MainForm::SetStopColour(int k, int32_t colour) { state_.SetStopColour(k, colour); }

// ---- Compose and send -------------------------------------------------------------------------

void MainForm::Label2_Click() {
  if (state_.Line().empty()) return;
  Send(false);
}

void MainForm::Label3_Click() {
  if (!state_.Wavy()) return;
  Send(true);
}

void MainForm::Send(bool wavy) {
  if (state_.StopCount() == 0) return;
  const TextField line{[this] { return state_.Line(); },
                       [this](std::u16string_view text) { state_.SetLine(text); }};
  ChatSendResult outcome = ChatSendResult::kDelivered;
  const bool delivered = SendComposedLine(state_.StylePrefix(), state_.StopColours(), wavy, line,
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

void MainForm::RequestPreview() {
  // Drawn once the messages waiting now have run: a burst of changes (a paste, a scheme's ten
  // colours) is drawn once, and nothing at all runs while nothing changes.
  if (previewRequested_ || Handle() == nullptr) return;
  previewRequested_ = PostMessageW(Handle(), kDrawPreviewMessage, 0, 0) != 0;
  if (!previewRequested_) DrawPreview();
}

void MainForm::DrawPreview() {
  previewRequested_ = false;
  // With no stops chosen the strip keeps what it shows.
  if (state_.StopCount() == 0) return;
  const unsigned noticesBefore = noticeCount_;
  // Copies: the fade lets events run, and they may change the state.
  const std::vector<int32_t> colours(state_.StopColours().begin(), state_.StopColours().end());
  std::u16string markup = FadeColors(colours, state_.Line(), false);
  // A notice shown while the fade let events run (a send nobody received) is newer than this
  // drawing: it stays, and the strip is drawn again at its next change.
  if (noticeCount_ != noticesBefore) return;
  previewMarkup_ = std::move(markup);
  PictureBoxCanvas canvas(Picture11);
  RenderTags(canvas, previewMarkup_);
  ++previewDraws_;
  if (noticeShown_) {
    noticeShown_ = false;
    SetWindowTextW(Picture11.Handle(), L"");
  }
}

bool MainForm::HandlePreviewMessage(UINT message) {
  if (message != kDrawPreviewMessage) return false;
  // A request already met by a drawing since (DrawPreview called directly) draws nothing.
  if (previewRequested_) DrawPreview();
  return true;
}

// ---- Colours and styles -----------------------------------------------------------------------

void MainForm::PickColour(int k) {
  if (const std::optional<int32_t> colour = CommonDialog1.Pick(Handle())) state_.SetStopColour(k, *colour);
}

void MainForm::PickStripColour() {
  const std::optional<int32_t> colour = CommonDialog1.Pick(Handle());
  if (!colour) return;
  // Setting the strip's background clears it: the preview is drawn again.
  Picture11.SetBackColor(*colour);
  RequestPreview();
}

void MainForm::SetSliderColour() {
  (void)state_.SetSliderColour(ColorRgb(VScroll1.Value(), VScroll2.Value(), VScroll3.Value()));
}

void MainForm::ToggleStyle(const CheckBox& box, std::u16string_view tag) {
  ApplyStyleToggle({[this] { return state_.StylePrefix(); },
                    [this](std::u16string_view prefix) { state_.SetStylePrefix(prefix); }},
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
  if (HandlePreviewMessage(message)) {
    result = 0;
    return true;
  }
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

#include "mainwindow/main_form_win.h"

#include "chat/chat_link_win.h"
#include "chrome/slider_art_win.h"
#include "chrome/tray_win.h"
#include "core/wide_win.h"
#include "fade/entry_points.h"
#include "mainwindow/announce_win.h"
#include "mainwindow/compose.h"
#include "preview/picture_box_canvas_win.h"
#include "preview/render_tags.h"

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
  for (ScrollBar* bar : {&redSlider, &greenSlider, &blueSlider})
    bar->SetPainter(&art::PaintScrollBar);
  state_.OnChange([this] { ShowState(); });
  // Tab goes through the window in reading order, from the line to the close area; Alt+F4
  // is the close area (the exit with its announcement).
  SetKeyboard(
      {.tabOrder = {lineBox,    sendArea,     sendWavyArea, wavyBox,      strikeBox,  italicBox,
                    boldBox,    underlineBox, redSlider,    greenSlider,  blueSlider, numberedBox1,
                    colorBox1,  numberedBox2, colorBox2,    numberedBox3, colorBox3,  numberedBox4,
                    colorBox4,  numberedBox5, colorBox5,    numberedBox6, colorBox6,  numberedBox7,
                    colorBox7,  numberedBox8, colorBox8,    numberedBox9, colorBox9,  numberedBox10,
                    colorBox10, fadesArea,    menuArea,     trayArea,     closeArea},
       .closeArea = &closeArea});
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
  for (int k = 1; k <= 10; ++k) NameColorSquare(k);
  SendAnnouncement();
  loadDone_ = true;
  RequestPreview();
}

void MainForm::OnCloseClicked() { host_.ExitProgram(); }

// ---- The state and its views ------------------------------------------------------------------

void MainForm::ShowState() {
  // The controls show the state (they hold it already when the user made the change).
  for (int k = 1; k <= 10; ++k) {
    if (ColorBox(k).BackColor() != state_.StopColor(k)) {
      ColorBox(k).SetBackColor(state_.StopColor(k));
      NameColorSquare(k);
    }
    if (NumberedBox(k).Value() != state_.NumberedBox(k)) NumberedBox(k).SetValue(state_.NumberedBox(k));
  }
  if (lineBox.Text() != state_.Line()) lineBox.SetText(state_.Line());
  RequestPreview();
}

void MainForm::NameColorSquare(int k) {
  // A colour square that has the keyboard is a window of its own: the system names it to a
  // reader by its window text, which nothing draws.
  if (ColorBox(k).Created()) {
    SetWindowTextW(ColorBox(k).Handle(), ToWide(ColorSquareName(k, state_.StopColor(k))).c_str());
  }
}

void MainForm::SetStopColor(int k, int32_t color) { state_.SetStopColor(k, color); }

// ---- Compose and send -------------------------------------------------------------------------

void MainForm::OnSendClicked() {
  if (state_.Line().empty()) return;
  Send(false);
}

void MainForm::OnSendWavyClicked() {
  if (!state_.Wavy()) return;
  Send(true);
}

void MainForm::Send(bool wavy) {
  if (state_.StopCount() == 0) return;
  ChatSendResult outcome = ChatSendResult::kDelivered;
  const bool delivered = state_.Send(wavy, [&outcome](std::u16string_view chatLine) {
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
  previewStrip.Cls();
  previewStrip.SetFontName(u"Arial");
  previewStrip.SetFontSize(8);
  previewStrip.SetFontBold(true);
  previewStrip.SetFontItalic(false);
  previewStrip.SetFontUnderline(false);
  previewStrip.SetFontStrikethrough(false);
  const int32_t back = previewStrip.BackColor();
  const int luminance = (299 * (back & 0xFF) + 587 * (back >> 8 & 0xFF) + 114 * (back >> 16 & 0xFF)) / 1000;
  previewStrip.SetForeColor(luminance < 128 ? ColorRgb(255, 255, 0) : ColorRgb(0, 0, 0));
  previewStrip.PrintText(3, 2, text);
  previewStrip.Refresh();
  SetWindowTextW(previewStrip.Handle(), ToWide(text).c_str());
  noticeShown_ = true;
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
  previewMarkup_ = FadeColors(state_.StopColors(), state_.Line(), false);
  PictureBoxCanvas canvas(previewStrip);
  RenderTags(canvas, previewMarkup_);
  ++previewDraws_;
  if (noticeShown_) {
    noticeShown_ = false;
    SetWindowTextW(previewStrip.Handle(), L"");
  }
}

bool MainForm::HandlePreviewMessage(UINT message) {
  if (message != kDrawPreviewMessage) return false;
  // A request already met by a drawing since (DrawPreview called directly) draws nothing.
  if (previewRequested_) DrawPreview();
  return true;
}

// ---- Colours and styles -----------------------------------------------------------------------

void MainForm::PickColor(int k) {
  if (const std::optional<int32_t> color = colorDialog.Pick(Handle()))
    state_.SetStopColor(k, *color);
}

void MainForm::PickStripColor() {
  const std::optional<int32_t> color = colorDialog.Pick(Handle());
  if (!color) return;
  // Setting the strip's background clears it: the preview is drawn again.
  previewStrip.SetBackColor(*color);
  RequestPreview();
}

void MainForm::SetSliderColor() {
  (void)state_.SetSliderColor(ColorRgb(redSlider.Value(), greenSlider.Value(), blueSlider.Value()));
}

void MainForm::ToggleStyle(const CheckBox& box, std::u16string_view tag) {
  state_.ToggleStyle(tag, box.Value() == 1);
}

// ---- What a screen reader finds -------------------------------------------------------------

std::vector<AccessibleItem> MainForm::AccessibleItems() {
  // In reading order; the line, the style boxes and the sliders are standard controls the
  // system names itself.
  std::vector<AccessibleItem> items{
      ItemOf(sendArea, sendArea.ToolTipText()), ItemOf(sendWavyArea, sendWavyArea.ToolTipText()),
      ItemOf(previewStrip, noticeShown_ ? WindowText(previewStrip.Handle()) : state_.Line(),
             AccessibleRole::kStaticText, nullptr)};
  for (int k = 1; k <= 10; ++k) {
    items.push_back(ItemOf(ColorBox(k), ColorSquareName(k, state_.StopColor(k)),
                           AccessibleRole::kButton, [this, k] { PickColor(k); }));
  }
  items.push_back(ItemOf(fadesArea, fadesArea.ToolTipText()));
  items.push_back(ItemOf(menuArea, menuArea.ToolTipText()));
  AccessibleItem tray = ItemOf(trayArea, u"Minimise to the tray");
  tray.press = [this] { OnTrayReleased(); };
  items.push_back(std::move(tray));
  items.push_back(ItemOf(closeArea, closeArea.ToolTipText()));
  return items;
}

// ---- Hand-overs -------------------------------------------------------------------------------

void MainForm::OnTrayReleased() {
  if (!MinimiseToTray()) ShowNotice(u"The tray icon could not be shown");
}

bool MainForm::MinimiseToTray() { return TrayAdd(Icon(), Caption(), Handle()); }

void MainForm::Restore() {
  TrayRestore(Handle());
  Show();
}

void MainForm::OnMenuClicked() { host_.ShowMenu(); }

void MainForm::OnFadesClicked() { host_.ShowSchemeManager(); }

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

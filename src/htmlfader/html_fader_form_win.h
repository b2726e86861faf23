#pragma once
// The HTML fader (Form3 in the original form definitions): a line faded through three colours mixed
// with nine scroll bars (or picked in the colour dialog), the markup collected in an output box for
// copying by hand. Nothing here talks to the chat client, and it knows no other window: closing it
// hands back to the main window through the callback it was made with.
#include <windows.h>

#include <functional>

#include "chrome/chrome_form_win.h"
#include "chrome/slider_art_win.h"
#include "fade/markup_formats.h"
#include "htmlfader/html_fader_layout.h"
#include "htmlfader/html_fader_skin_win.h"
#include "toolkit/toolkit_win.h"

namespace qf {

class HtmlFaderForm : public ChromeForm {
 public:
  // `showMainWindow`: what its close area does after hiding it.
  HtmlFaderForm(HICON icon, std::function<void()> showMainWindow);

 protected:
  void PaintSkin(HDC dc, int, int) override;

 private:
  void OnGenerateClicked();
  void OnClearClicked();
  void OnCloseClicked();   // back to the main window
  void OnFormatClicked();  // the next markup format
  // Colour k (1..3): its box shows the mix of its three bars.
  void MixColour(int k);

  void PickColour(PictureBox& box);

  std::function<void()> showMainWindow_;

  static ScrollBarOptions Bar(std::function<void()> onChange) {
    return {.max = 255, .painter = &art::PaintScrollBar, .onChange = std::move(onChange)};
  }
  // A colour square: a double click, or Space or Enter while it has the keyboard, picks its
  // colour in the colour dialog.
  static PictureBoxOptions Square(const std::function<void()>& pick) {
    return {.onDblClick = pick, .onActivate = pick};
  }

 public:
  // The markup Generate writes; the chat client's tags (aol) until the user picks another.
  MarkupFormat Format() const { return format_; }
  void SetFormat(MarkupFormat format);

 private:
  MarkupFormat format_ = MarkupFormat::kAol;

 public:
  TextBox lineBox{*this,
                  htmlfader::kLineBox,
                  {.backColor = ColorRgb(128, 255, 255), .foreColor = ColorRgb(0, 0, 255)}};
  ClickLabel generateArea{
      *this, htmlfader::kGenerateArea, {.onClick = [this] { OnGenerateClicked(); }}};
  TextBox outputBox{
      *this,
      htmlfader::kOutputBox,
      {.multiLine = true, .backColor = ColorRgb(128, 255, 255), .foreColor = ColorRgb(0, 0, 255)}};
  HScrollBar colour1Red{*this, htmlfader::ColourBar(1), Bar([this] { MixColour(1); })};
  HScrollBar colour1Green{*this, htmlfader::ColourBar(2), Bar([this] { MixColour(1); })};
  HScrollBar colour1Blue{*this, htmlfader::ColourBar(3), Bar([this] { MixColour(1); })};
  PictureBox colourBox1{*this, htmlfader::ColourBox(1), Square([this] { PickColour(colourBox1); })};
  HScrollBar colour2Red{*this, htmlfader::ColourBar(4), Bar([this] { MixColour(2); })};
  HScrollBar colour2Green{*this, htmlfader::ColourBar(5), Bar([this] { MixColour(2); })};
  HScrollBar colour2Blue{*this, htmlfader::ColourBar(6), Bar([this] { MixColour(2); })};
  PictureBox colourBox2{*this, htmlfader::ColourBox(2), Square([this] { PickColour(colourBox2); })};
  HScrollBar colour3Red{*this, htmlfader::ColourBar(7), Bar([this] { MixColour(3); })};
  HScrollBar colour3Green{*this, htmlfader::ColourBar(8), Bar([this] { MixColour(3); })};
  HScrollBar colour3Blue{*this, htmlfader::ColourBar(9), Bar([this] { MixColour(3); })};
  PictureBox colourBox3{*this, htmlfader::ColourBox(3), Square([this] { PickColour(colourBox3); })};
  ClickLabel clearArea{*this, htmlfader::kClearArea, {.onClick = [this] { OnClearClicked(); }}};
  CheckBox wavyBox{*this, htmlfader::kWavyBox, {.caption = u"Wavy", .pushLike = true}};
  ClickLabel closeArea{*this, htmlfader::kCloseArea, {.onClick = [this] { OnCloseClicked(); }}};
  ClickLabel formatArea{*this,
                        htmlfader::kFormatArea,
                        {.toolTip = u"Markup for Generate: click for the next (aol, html, "
                                    u"bbcode, minimessage, mc-hex, mc-x, mc-section, ansi)",
                         .onClick = [this] { OnFormatClicked(); }}};
  ColorDialog colourDialog;
};

}  // namespace qf

#pragma once
// Form3, the HTML fader: a line faded through three colours mixed with nine scroll bars (or
// picked in the colour dialog), the markup collected in an output box for copying by hand.
// Nothing here talks to the chat client, and it knows no other window: closing it hands back
// to the main window through the callback it was made with.
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
  void Label1_Click();  // Generate
  void Label2_Click();  // Clear
  void Label3_Click();  // close: back to the main window
  void OnFormatClicked();  // the next markup format
  void HScroll1_Change() { Mix(Picture1, HScroll1, HScroll2, HScroll3); }
  void HScroll2_Change() { Mix(Picture1, HScroll1, HScroll2, HScroll3); }
  void HScroll3_Change() { Mix(Picture1, HScroll1, HScroll2, HScroll3); }
  void HScroll4_Change() { Mix(Picture2, HScroll4, HScroll5, HScroll6); }
  void HScroll5_Change() { Mix(Picture2, HScroll4, HScroll5, HScroll6); }
  void HScroll6_Change() { Mix(Picture2, HScroll4, HScroll5, HScroll6); }
  void HScroll7_Change() { Mix(Picture3, HScroll7, HScroll8, HScroll9); }
  void HScroll8_Change() { Mix(Picture3, HScroll7, HScroll8, HScroll9); }
  void HScroll9_Change() { Mix(Picture3, HScroll7, HScroll8, HScroll9); }
  void Picture1_DblClick() { PickColour(Picture1); }
  void Picture2_DblClick() { PickColour(Picture2); }
  void Picture3_DblClick() { PickColour(Picture3); }

  void Mix(PictureBox& box, const ScrollBar& red, const ScrollBar& green, const ScrollBar& blue);
  void PickColour(PictureBox& box);

  std::function<void()> showMainWindow_;

  static ScrollBarOptions Bar(std::function<void()> onChange) {
    return {.max = 255, .painter = &art::PaintScrollBar, .onChange = std::move(onChange)};
  }

 public:
  // The markup Generate writes; the chat client's tags (aol) until the user picks another.
  MarkupFormat Format() const { return format_; }
  void SetFormat(MarkupFormat format);

 private:
  MarkupFormat format_ = MarkupFormat::kAol;

 public:
  TextBox Text1{*this,
                htmlfader::kText1,
                {.backColor = ColorRgb(128, 255, 255), .foreColor = ColorRgb(0, 0, 255)}};
  ClickLabel Label1{*this, htmlfader::kLabel1, {.onClick = [this] { Label1_Click(); }}};
  TextBox Text2{
      *this,
      htmlfader::kText2,
      {.multiLine = true, .backColor = ColorRgb(128, 255, 255), .foreColor = ColorRgb(0, 0, 255)}};
  HScrollBar HScroll1{*this, htmlfader::HScroll(1), Bar([this] { HScroll1_Change(); })};
  HScrollBar HScroll2{*this, htmlfader::HScroll(2), Bar([this] { HScroll2_Change(); })};
  HScrollBar HScroll3{*this, htmlfader::HScroll(3), Bar([this] { HScroll3_Change(); })};
  PictureBox Picture1{
      *this, htmlfader::ColourBox(1), {.onDblClick = [this] { Picture1_DblClick(); }}};
  HScrollBar HScroll4{*this, htmlfader::HScroll(4), Bar([this] { HScroll4_Change(); })};
  HScrollBar HScroll5{*this, htmlfader::HScroll(5), Bar([this] { HScroll5_Change(); })};
  HScrollBar HScroll6{*this, htmlfader::HScroll(6), Bar([this] { HScroll6_Change(); })};
  PictureBox Picture2{
      *this, htmlfader::ColourBox(2), {.onDblClick = [this] { Picture2_DblClick(); }}};
  HScrollBar HScroll7{*this, htmlfader::HScroll(7), Bar([this] { HScroll7_Change(); })};
  HScrollBar HScroll8{*this, htmlfader::HScroll(8), Bar([this] { HScroll8_Change(); })};
  HScrollBar HScroll9{*this, htmlfader::HScroll(9), Bar([this] { HScroll9_Change(); })};
  PictureBox Picture3{
      *this, htmlfader::ColourBox(3), {.onDblClick = [this] { Picture3_DblClick(); }}};
  ClickLabel Label2{*this, htmlfader::kLabel2, {.onClick = [this] { Label2_Click(); }}};
  CheckBox Check1{*this, htmlfader::kCheck1, {.caption = u"Wavy", .pushLike = true}};
  ClickLabel Label3{*this, htmlfader::kLabel3, {.onClick = [this] { Label3_Click(); }}};
  ClickLabel formatArea{*this,
                        htmlfader::kFormatArea,
                        {.toolTip = u"Markup for Generate: click for the next (aol, html, "
                                    u"bbcode, minimessage, mc-hex, mc-x, mc-section, ansi)",
                         .onClick = [this] { OnFormatClicked(); }}};
  ColorDialog CommonDialog1;
};

}  // namespace qf

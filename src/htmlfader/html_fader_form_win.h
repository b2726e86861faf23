#pragma once
// The HTML fader (Form3 in the original form definitions): a line faded through three colours mixed
// with nine scroll bars (or picked in the colour dialog), the markup collected in an output box for
// copying by hand. Nothing here talks to the chat client, and it knows no other window: closing it
// hands back to the main window through the callback it was made with.
#include <windows.h>

#include <array>
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
  void Form_Load() override;
  void PaintSkin(HDC dc, int, int) override;
  std::vector<AccessibleItem> AccessibleItems() override;

 private:
  void OnGenerateClicked();
  void OnClearClicked();
  void OnCloseClicked();   // back to the main window
  void OnFormatClicked();  // the next markup format
  // Colour k (1..3): its box shows the mix of its three bars.
  void MixColor(int k);

  void PickColor(int k);
  // Colour k's square, a window of its own, carries its name as its window text: the system
  // names it so to a reader when it takes the keyboard.
  void NameColorSquare(int k);

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
  HScrollBar color1Red{*this, htmlfader::ColorBar(1), Bar([this] { MixColor(1); })};
  HScrollBar color1Green{*this, htmlfader::ColorBar(2), Bar([this] { MixColor(1); })};
  HScrollBar color1Blue{*this, htmlfader::ColorBar(3), Bar([this] { MixColor(1); })};
  PictureBox colorBox1{*this, htmlfader::ColorBox(1), Square([this] { PickColor(1); })};
  HScrollBar color2Red{*this, htmlfader::ColorBar(4), Bar([this] { MixColor(2); })};
  HScrollBar color2Green{*this, htmlfader::ColorBar(5), Bar([this] { MixColor(2); })};
  HScrollBar color2Blue{*this, htmlfader::ColorBar(6), Bar([this] { MixColor(2); })};
  PictureBox colorBox2{*this, htmlfader::ColorBox(2), Square([this] { PickColor(2); })};
  HScrollBar color3Red{*this, htmlfader::ColorBar(7), Bar([this] { MixColor(3); })};
  HScrollBar color3Green{*this, htmlfader::ColorBar(8), Bar([this] { MixColor(3); })};
  HScrollBar color3Blue{*this, htmlfader::ColorBar(9), Bar([this] { MixColor(3); })};
  PictureBox colorBox3{*this, htmlfader::ColorBox(3), Square([this] { PickColor(3); })};
  ClickLabel clearArea{*this, htmlfader::kClearArea, {.onClick = [this] { OnClearClicked(); }}};
  CheckBox wavyBox{*this, htmlfader::kWavyBox, {.caption = u"Wavy", .pushLike = true}};
  ClickLabel closeArea{*this, htmlfader::kCloseArea, {.onClick = [this] { OnCloseClicked(); }}};
  ClickLabel formatArea{*this,
                        htmlfader::kFormatArea,
                        {.toolTip = u"Markup for Generate: click for the next (aol, html, "
                                    u"bbcode, minimessage, mc-hex, mc-x, mc-section, ansi)",
                         .onClick = [this] { OnFormatClicked(); }}};
  ColorDialog colorDialog;

 private:
  // Colour k (1..3): its square, and its red, green and blue bars.
  PictureBox& ColorBox(int k) { return *colorBoxes_.at(static_cast<std::size_t>(k - 1)); }
  const ScrollBar& ColorBar(int k, int channel) const {
    return *colorBars_.at(static_cast<std::size_t>((k - 1) * 3 + channel));
  }
  const std::array<PictureBox*, 3> colorBoxes_{&colorBox1, &colorBox2, &colorBox3};
  const std::array<const ScrollBar*, 9> colorBars_{&color1Red, &color1Green, &color1Blue,
                                                   &color2Red, &color2Green, &color2Blue,
                                                   &color3Red, &color3Green, &color3Blue};
};

}  // namespace qf

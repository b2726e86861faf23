#include "htmlfader/html_fader_form_win.h"

#include <array>
#include <span>
#include <string>

#include "core/utf.h"

namespace qf {

HtmlFaderForm::HtmlFaderForm(HICON icon, std::function<void()> showMainWindow)
    : ChromeForm({.caption = u"HTML Fader",
                  .width = htmlfader::kWidth,
                  .height = htmlfader::kHeight,
                  .left = htmlfader::kLeft,
                  .top = htmlfader::kTop,
                  .icon = icon},
                 htmlfader::kOutline),
      showMainWindow_(std::move(showMainWindow)) {
  // The line, each colour's square and its bars, then the buttons under the output in the
  // order Generate's work goes (Wavy, the format, Generate, the output to copy, Clear), and
  // the close area. Escape and Alt+F4 close the window as its X does.
  SetKeyboard({.tabOrder = {lineBox, colourBox1, colour1Red, colour1Green, colour1Blue, colourBox2,
                            colour2Red, colour2Green, colour2Blue, colourBox3, colour3Red,
                            colour3Green, colour3Blue, wavyBox, formatArea, generateArea, outputBox,
                            clearArea, closeArea},
               .escapeArea = &closeArea,
               .closeArea = &closeArea});
}

void HtmlFaderForm::PaintSkin(HDC dc, int, int) {
  const std::string_view name = FormatInfo(format_).name;
  htmlfader::PaintHtmlFaderSkin(dc, std::u16string(name.begin(), name.end()));
}

void HtmlFaderForm::OnGenerateClicked() {
  const std::array<int32_t, 3> colours{colourBox1.BackColor(), colourBox2.BackColor(),
                                       colourBox3.BackColor()};
  const std::u16string line = lineBox.Text();
  const FadeResult<std::u16string> markup = FormatFade(
      {.colours = colours, .text = line, .format = format_, .wavy = wavyBox.Value() == 1});
  if (!markup) {
    // Wavy in a format without raised letters, or text the format cannot carry: said, and
    // nothing is added.
    const std::string& why = markup.error.message;
    ShowMessage(Handle(), Utf8ToUtf16(why).value_or(std::u16string(why.begin(), why.end())));
    return;
  }
  // Appended, not read back and set whole: the output only grows, and stays quick however
  // much it holds.
  outputBox.AppendText(*markup.value);
}

void HtmlFaderForm::OnFormatClicked() {
  const std::span<const MarkupFormatInfo> formats = MarkupFormats();
  std::size_t next = 0;
  while (next < formats.size() && formats[next].format != format_) ++next;
  SetFormat(formats[(next + 1) % formats.size()].format);
}

void HtmlFaderForm::SetFormat(MarkupFormat format) {
  format_ = format;
  RepaintSkin();
}

void HtmlFaderForm::OnClearClicked() { outputBox.SetText(u""); }

void HtmlFaderForm::OnCloseClicked() {
  Hide();
  if (showMainWindow_) showMainWindow_();
}

void HtmlFaderForm::MixColour(int k) {
  const std::array<PictureBox*, 3> boxes{&colourBox1, &colourBox2, &colourBox3};
  const std::array<const ScrollBar*, 9> bars{&colour1Red, &colour1Green, &colour1Blue,
                                             &colour2Red, &colour2Green, &colour2Blue,
                                             &colour3Red, &colour3Green, &colour3Blue};
  const std::size_t first = static_cast<std::size_t>(k - 1) * 3;
  boxes.at(static_cast<std::size_t>(k - 1))
      ->SetBackColor(
          ColorRgb(bars[first]->Value(), bars[first + 1]->Value(), bars[first + 2]->Value()));
}

void HtmlFaderForm::PickColour(PictureBox& box) {
  if (const std::optional<int32_t> colour = colourDialog.Pick(Handle())) box.SetBackColor(*colour);
}

}  // namespace qf

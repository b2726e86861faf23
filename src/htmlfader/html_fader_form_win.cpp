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
  SetKeyboard(
      {.tabOrder = {lineBox, colorBox1, color1Red, color1Green, color1Blue, colorBox2, color2Red,
                    color2Green, color2Blue, colorBox3, color3Red, color3Green, color3Blue, wavyBox,
                    formatArea, generateArea, outputBox, clearArea, closeArea},
       .escapeArea = &closeArea,
       .closeArea = &closeArea});
}

void HtmlFaderForm::Form_Load() {
  ChromeForm::Form_Load();
  for (int k = 1; k <= 3; ++k) NameColorSquare(k);
}

void HtmlFaderForm::PaintSkin(HDC dc, int, int) {
  const std::string_view name = FormatInfo(format_).name;
  htmlfader::PaintHtmlFaderSkin(dc, std::u16string(name.begin(), name.end()));
}

void HtmlFaderForm::OnGenerateClicked() {
  const std::array<int32_t, 3> colors{colorBox1.BackColor(), colorBox2.BackColor(),
                                      colorBox3.BackColor()};
  const std::u16string line = lineBox.Text();
  const FadeResult<std::u16string> markup =
      FormatFade({.colors = colors, .text = line, .format = format_, .wavy = wavyBox.Value() == 1});
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

void HtmlFaderForm::MixColor(int k) {
  ColorBox(k).SetBackColor(
      ColorRgb(ColorBar(k, 0).Value(), ColorBar(k, 1).Value(), ColorBar(k, 2).Value()));
  NameColorSquare(k);
}

void HtmlFaderForm::PickColor(int k) {
  if (const std::optional<int32_t> color = colorDialog.Pick(Handle())) {
    ColorBox(k).SetBackColor(*color);
    NameColorSquare(k);
  }
}

void HtmlFaderForm::NameColorSquare(int k) {
  PictureBox& box = ColorBox(k);
  if (box.Created()) {
    SetWindowTextW(box.Handle(), ToWide(ColorSquareName(k, box.BackColor())).c_str());
  }
}

std::vector<AccessibleItem> HtmlFaderForm::AccessibleItems() {
  // In reading order; the line, the bars, Wavy and the output are standard controls.
  std::vector<AccessibleItem> items;
  for (int k = 1; k <= 3; ++k) {
    PictureBox& box = ColorBox(k);
    items.push_back(ItemOf(box, ColorSquareName(k, box.BackColor()), AccessibleRole::kButton,
                           [this, k] { PickColor(k); }));
  }
  const std::string_view format = FormatInfo(format_).name;
  items.push_back(
      ItemOf(formatArea, u"Markup format: " + std::u16string(format.begin(), format.end())));
  items.push_back(ItemOf(generateArea, u"Generate"));
  items.push_back(ItemOf(clearArea, u"Clear"));
  items.push_back(ItemOf(closeArea, u"Close"));
  return items;
}

}  // namespace qf

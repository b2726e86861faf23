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
      showMainWindow_(std::move(showMainWindow)) {}

void HtmlFaderForm::PaintSkin(HDC dc, int, int) {
  const std::string_view name = FormatInfo(format_).name;
  htmlfader::PaintHtmlFaderSkin(dc, std::u16string(name.begin(), name.end()));
}

void HtmlFaderForm::Label1_Click() {
  const std::array<int32_t, 3> colours{Picture1.BackColor(), Picture2.BackColor(),
                                       Picture3.BackColor()};
  const std::u16string line = Text1.Text();
  const FadeResult<std::u16string> markup = FormatFade(
      {.colours = colours, .text = line, .format = format_, .wavy = Check1.Value() == 1});
  if (!markup) {
    // Wavy in a format without raised letters, or text the format cannot carry: said, and
    // nothing is added.
    const std::string& why = markup.error.message;
    ShowMessage(Handle(), Utf8ToUtf16(why).value_or(std::u16string(why.begin(), why.end())));
    return;
  }
  // Appended, not read back and set whole: the output only grows, and stays quick however
  // much it holds.
  Text2.AppendText(*markup.value);
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

void HtmlFaderForm::Label2_Click() { Text2.SetText(u""); }

void HtmlFaderForm::Label3_Click() {
  Hide();
  if (showMainWindow_) showMainWindow_();
}

void HtmlFaderForm::Mix(PictureBox& box, const ScrollBar& red, const ScrollBar& green,
                        const ScrollBar& blue) {
  box.SetBackColor(ColorRgb(red.Value(), green.Value(), blue.Value()));
}

void HtmlFaderForm::PickColour(PictureBox& box) {
  if (const std::optional<int32_t> colour = CommonDialog1.Pick(Handle())) box.SetBackColor(*colour);
}

}  // namespace qf

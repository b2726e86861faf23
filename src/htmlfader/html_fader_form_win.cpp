#include "htmlfader/html_fader_form_win.h"

#include "chrome/drag_win.h"
#include "chrome/shape_win.h"
#include "fade/entry_points.h"

namespace qf {

HtmlFaderForm::HtmlFaderForm(HICON icon, std::function<void()> showMainWindow)
    : Form({.caption = u"HTML Fader",
            .width = htmlfader::kWidth,
            .height = htmlfader::kHeight,
            .left = htmlfader::kLeft,
            .top = htmlfader::kTop,
            .icon = icon}),
      showMainWindow_(std::move(showMainWindow)) {}

void HtmlFaderForm::Form_Rescaled() {
  // The outline is cut again at the new scale.
  (void)ShapeWindow(Handle(), Scaling().Map(htmlfader::kOutline));
}

void HtmlFaderForm::Form_Load() {
  // A region that cannot be made is reported; the window then stays a usable rectangle.
  (void)ShapeWindow(Handle(), Scaling().Map(htmlfader::kOutline));
  StayOnTop(Handle());
}

void HtmlFaderForm::Form_Click() { FormDrag(*this); }
void HtmlFaderForm::Form_DblClick() { FormDrag(*this); }
void HtmlFaderForm::Form_MouseDown(int, int, float, float) { FormDrag(*this); }

void HtmlFaderForm::Label1_Click() {
  const int16_t wavy = Check1.Value() == 1 ? -1 : 0;
  // Appended, not read back and set whole: the output only grows, and stays quick however
  // much it holds.
  Text2.AppendText(FadeThreeColors(Picture1.BackColor(), Picture2.BackColor(), Picture3.BackColor(),
                                   Text1.Text(), wavy));
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
  // Only a colour the user chose is taken: Cancel keeps the box's colour.
  if (CommonDialog1.Show(Handle()) != DialogResult::kOk) return;
  box.SetBackColor(CommonDialog1.Color());
}

}  // namespace qf

#include "htmlfader/html_fader_form_win.h"

#include "app/program_win.h"
#include "chrome/drag_win.h"
#include "chrome/shape_win.h"
#include "fade/entry_points.h"
#include "mainwindow/compose.h"

namespace qf {

HtmlFaderForm::HtmlFaderForm(Program& program)
    : Form({.caption = u"HTML Fader",
            .width = htmlfader::kWidth,
            .height = htmlfader::kHeight,
            .left = 270,  // where the main window was, which it replaces while shown
            .top = 7,
            .icon = program.icon}),
      program_(program) {}

void HtmlFaderForm::Form_Load() {
  ShapeWindow(Handle(), htmlfader::kOutline);
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
  program_.Form1.Show();
}

void HtmlFaderForm::Mix(PictureBox& box, const ScrollBar& red, const ScrollBar& green,
                        const ScrollBar& blue) {
  box.SetBackColor(SliderColour(red.Value(), green.Value(), blue.Value()));
}

void HtmlFaderForm::PickColour(PictureBox& box) {
  // Only a colour the user chose is taken: Cancel keeps the box's colour.
  if (CommonDialog1.Show(Handle()) != DialogResult::kOk) return;
  box.SetBackColor(CommonDialog1.Color());
}

}  // namespace qf

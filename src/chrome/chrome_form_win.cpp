#include "chrome/chrome_form_win.h"

#include <utility>

#include "chrome/drag_win.h"
#include "chrome/shape_win.h"

namespace qf {

ChromeForm::ChromeForm(FormOptions options, std::span<const RoundedRect> outline)
    : Form(std::move(options)), outline_(outline) {}

void ChromeForm::Shape() {
  // A region that cannot be made is reported; the window then stays a usable rectangle.
  (void)ShapeWindow(Handle(), Scaling().Map(outline_));
}

void ChromeForm::Form_Load() {
  Shape();
  StayOnTop(Handle());
}

void ChromeForm::Form_Rescaled() { Shape(); }

void ChromeForm::Form_Click() { FormDrag(*this); }
void ChromeForm::Form_DblClick() { FormDrag(*this); }
void ChromeForm::Form_MouseDown(int, int, float, float) { FormDrag(*this); }

}  // namespace qf

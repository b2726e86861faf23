#pragma once
// A form with the program's window chrome, written once for every window: cut to its outline
// (again at every new scale), dragged by its background (a press, click or double click on it)
// and kept above other windows from its load on. A form gives its outline when it is made and
// overrides only what it does beyond that (calling the base first).
//   class SchemeForm : public ChromeForm {
//     SchemeForm() : ChromeForm({.caption = u"Add/Remove Fades", ...}, schemes::kOutline) {}
//   };
#include <windows.h>

#include <span>

#include "core/rect.h"
#include "toolkit/form_win.h"

namespace qf {

class ChromeForm : public Form {
 public:
  ChromeForm(FormOptions options, std::span<const RoundedRect> outline);

 protected:
  // Shaped to the outline, then made topmost.
  void Form_Load() override;
  // Cut again at the new scale.
  void Form_Rescaled() override;
  // The background moves the window.
  void Form_Click() override;
  void Form_DblClick() override;
  void Form_MouseDown(int button, int shift, float x, float y) override;
  // The focus ring in the skin's colours: a band of the text boxes' cyan, bright against the
  // dark panels every button, box and square lies on.
  void PaintFocusRing(HDC dc, const Rect& outer, const Rect& inner) override;

 private:
  void Shape();

  std::span<const RoundedRect> outline_;
};

}  // namespace qf

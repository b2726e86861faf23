#include "app/menu_form_win.h"

#include "app/program_win.h"

namespace qf {

MenuForm::MenuForm(Program& program)
    : Form({.caption = u"Menu", .width = 1, .height = 1}), program_(program) {}

void MenuForm::OnHtmlFaderChosen() { program_.ShowHtmlFader(); }

void MenuForm::OnFadesChosen() { program_.ShowSchemeManager(); }

void MenuForm::OnExitChosen() { program_.ExitProgram(); }

}  // namespace qf

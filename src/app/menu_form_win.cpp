#include "app/menu_form_win.h"

#include "app/program_win.h"

namespace qf {

MenuForm::MenuForm(Program& program)
    : Form({.caption = u"Menu", .width = 1, .height = 1}), program_(program) {}

void MenuForm::mnuhtmlfader_Click() { program_.ShowHtmlFader(); }

void MenuForm::mnufades_Click() { program_.ShowSchemeManager(); }

void MenuForm::mnuexit_Click() { program_.ExitProgram(); }

}  // namespace qf

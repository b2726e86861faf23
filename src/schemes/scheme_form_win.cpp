#include "schemes/scheme_form_win.h"

#include <optional>

#include "app/program_win.h"
#include "chrome/drag_win.h"
#include "chrome/shape_win.h"
#include "schemes/scheme_list.h"
#include "schemes/scheme_store_win.h"

namespace qf {

SchemeForm::SchemeForm(Program& program)
    : Form({.caption = u"Add/Remove Fades",
            .width = schemes::kWidth,
            .height = schemes::kHeight,
            .left = 333,  // under the main window, beside which it is used
            .top = 262,
            .icon = program.icon}),
      program_(program) {}

void SchemeForm::Form_Load() {
  ShapeWindow(Handle(), schemes::kOutline);
  StayOnTop(Handle());
}

void SchemeForm::Form_Click() { FormDrag(*this); }
void SchemeForm::Form_DblClick() { FormDrag(*this); }
void SchemeForm::Form_MouseDown(int, int, float, float) { FormDrag(*this); }

std::u16string SchemeForm::AskForName() {
  for (;;) {
    const std::optional<std::u16string> name =
        InputBox(Handle(), u"Choose your name", u"Save Color Scheme");
    if (!name) return {};  // no input box can be shown: asking again would never end
    if (name->empty()) {
      ShowMessage(Handle(), u"Please choose a name");
      continue;
    }
    // A name the two files cannot give back as typed would be saved damaged: say why and ask
    // for another.
    std::u16string why;
    if (!CanStoreSchemeNameInFiles(*name, &why)) {
      ShowMessage(Handle(), why);
      continue;
    }
    return *name;
  }
}

void SchemeForm::Label1_Click() {
  const std::u16string name = AskForName();
  if (name.empty()) return;
  List1.AddItem(name);
  for (int k = 1; k <= 10; ++k) {
    WriteIni(name, SchemeColourKey(k), FormatColourValue(program_.Form1.ColourBox(k).BackColor()),
             program_.ColorDataPath());
  }
  SaveList();
}

void SchemeForm::Label2_Click() {
  if (List1.Text().empty()) {
    ShowMessage(Handle(), u"please select a scheme to remove");
    return;
  }
  List1.RemoveItem(List1.ListIndex());
  SaveList();
}

void SchemeForm::SaveList() {
  if (!SaveListBox(program_.SchemeListPath(), List1)) {
    // The old file is kept whole; the list in memory is not lost either.
    ShowMessage(Handle(), u"The scheme list could not be saved in " + program_.schemeFolder +
                              u". Your schemes are kept until the program ends.");
  }
}

void SchemeForm::Label3_Click() { Hide(); }

void SchemeForm::List1_Click() { ApplyScheme(List1.Text()); }

void SchemeForm::ApplyScheme(std::u16string_view name) {
  for (int k = 1; k <= 10; ++k) {
    const std::optional<int32_t> colour =
        ParseColourValue(ReadIni(name, SchemeColourKey(k), program_.ColorDataPath()));
    if (colour) program_.Form1.ColourBox(k).SetBackColor(*colour);
  }
}

}  // namespace qf

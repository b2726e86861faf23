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
  // The colours first: a name in the list whose colours were never stored would apply nothing.
  for (int k = 1; k <= kSchemeColourCount; ++k) {
    if (!WriteIni(name, SchemeColourKey(k),
                  FormatColourValue(program_.Form1.ColourBox(k).BackColor()),
                  program_.ColorDataPath())) {
      ShowMessage(Handle(), u"The colours of \"" + name + u"\" could not be saved in " +
                                program_.ColorDataPath() +
                                u" (is it read-only, or the disk full?). The scheme was not added.");
      return;
    }
  }
  List1.AddItem(name);
  SaveList();
}

void SchemeForm::Label2_Click() {
  // By position: an empty entry (which other programs' files can hold) can be removed too.
  if (List1.ListIndex() < 0) {
    ShowMessage(Handle(), u"please select a scheme to remove");
    return;
  }
  List1.RemoveItem(List1.ListIndex());
  SaveList();
}

void SchemeForm::KeepListFileUnwritten(std::u16string why) { listFileUnread_ = std::move(why); }

void SchemeForm::SaveList() {
  if (!listFileUnread_.empty()) {
    if (toldListFileUnread_) return;
    toldListFileUnread_ = true;
    ShowMessage(Handle(), u"The scheme list was not saved: " + program_.SchemeListPath() + u" " +
                              listFileUnread_ +
                              u" when the program started, so it is left as it is. Your changes "
                              u"to the list last until the program ends; saved colours are in "
                              u"color.dat.");
    return;
  }
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
        ParseStoredColour(ReadIni(name, SchemeColourKey(k), program_.ColorDataPath()));
    if (colour) program_.Form1.ColourBox(k).SetBackColor(*colour);
  }
}

}  // namespace qf

#include "schemes/scheme_form_win.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "core/ansi_win.h"
#include "schemes/scheme_list.h"
#include "schemes/scheme_store_win.h"

namespace qf {

namespace {

// The list box's entries, in order: what the list file holds.
std::vector<std::u16string> ListItems(const ListBox& list) {
  std::vector<std::u16string> names;
  names.reserve(static_cast<std::size_t>(list.ListCount()));
  for (int i = 0; i < list.ListCount(); ++i) names.push_back(list.List(i));
  return names;
}

}  // namespace

SchemeForm::SchemeForm(ColorStops& stops, std::u16string folder, HICON icon)
    : ChromeForm({.caption = u"Add/Remove Fades",
                  .width = schemes::kWidth,
                  .height = schemes::kHeight,
                  .left = schemes::kLeft,
                  .top = schemes::kTop,
                  .icon = icon},
                 schemes::kOutline),
      stops_(stops),
      folder_(std::move(folder)) {}

bool SchemeForm::LoadStartupList() {
  const std::u16string list = SchemeListPath();
  if (!FileExists(list)) {
    // A hidden or system list file counts as missing, but it is there: it must not be
    // replaced by the (empty) list of this run.
    if (FilePresent(list)) KeepListFileUnwritten(u"is hidden or a system file");
    return false;
  }
  // The entries go into List1 before its window exists: the window is made when it is first
  // shown, or asked for, and takes them all then. The main window's first paint does not wait
  // for a window nobody sees yet.
  SchemeListFile file = LoadListBox(list);
  switch (file.outcome) {
    case ListLoad::kLoaded:
      listFileRead_ = true;
      break;
    case ListLoad::kUnreadable:
      KeepListFileUnwritten(u"could not be read");
      break;
    case ListLoad::kTooLarge:
      KeepListFileUnwritten(u"is too large to be a scheme list");
      break;
  }
  List1.AddItems(file.names);
  return true;
}


std::u16string SchemeForm::AskForName() {
  for (;;) {
    const InputBoxResult reply = InputBox(Handle(), u"Choose your name", u"Save Color Scheme");
    // No input box can be shown at all: asking again would never end.
    if (reply.answer == InputAnswer::kNotShown) return {};
    // The save cannot be abandoned: Cancel, like OK on an empty line, asks again.
    if (reply.answer == InputAnswer::kCancelled || reply.text.empty()) {
      ShowMessage(Handle(), u"Please choose a name");
      continue;
    }
    // A name the two files cannot give back as typed would be saved damaged: say why and ask
    // for another.
    std::u16string why;
    if (!CanStoreSchemeNameInFiles(reply.text, &why)) {
      ShowMessage(Handle(), why);
      continue;
    }
    return reply.text;
  }
}

void SchemeForm::Label1_Click() {
  const std::u16string name = AskForName();
  if (name.empty()) return;
  // A list the next start would refuse to read is never written: the Add is refused instead.
  std::vector<std::u16string> names = ListItems(List1);
  names.push_back(name);
  if (!SchemeListFileFits(names.size(), ToAnsi(FormatSchemeList(names)).size())) {
    ShowMessage(Handle(), u"The scheme list is full: a list holds at most 32,767 names and "
                          u"4 MiB. Remove a scheme first; \"" + name + u"\" was not added.");
    return;
  }
  // The colours first: a name in the list whose colours were never stored would apply nothing.
  std::array<int32_t, kSchemeColorCount> colors{};
  for (int k = 1; k <= kSchemeColorCount; ++k)
    colors[static_cast<std::size_t>(k - 1)] = stops_.StopColor(k);
  if (!WriteSchemeColors(name, colors, ColorDataPath())) {
    ShowMessage(Handle(), u"The colours of \"" + name + u"\" could not be saved in " +
                              ColorDataPath() +
                              u" (is it read-only, or the disk full?). The scheme was not added.");
    return;
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
  // No list was read at start, so none was there: one that is there now came from elsewhere
  // (a backup put back, a sync) and holds a list this run never saw.
  if (!listFileRead_ && listFileUnread_.empty() && FilePresent(SchemeListPath())) {
    KeepListFileUnwritten(u"was not there");
  }
  if (!listFileUnread_.empty()) {
    if (toldListFileUnread_) return;
    toldListFileUnread_ = true;
    ShowMessage(Handle(), u"The scheme list was not saved: " + SchemeListPath() + u" " +
                              listFileUnread_ +
                              u" when the program started, so it is left as it is. Your changes "
                              u"to the list last until the program ends; saved colours are in "
                              u"color.dat.");
    return;
  }
  if (!SaveListBox(SchemeListPath(), ListItems(List1))) {
    // The old file is kept whole; the list in memory is not lost either.
    ShowMessage(Handle(), u"The scheme list could not be saved in " + folder_ +
                              u". Your schemes are kept until the program ends.");
    return;
  }
  listFileRead_ = true;  // the file holds this run's list now
}

void SchemeForm::Label3_Click() { Hide(); }

void SchemeForm::List1_Click() { ApplyScheme(List1.Text()); }

void SchemeForm::ApplyScheme(std::u16string_view name) {
  for (int k = 1; k <= 10; ++k) {
    const std::optional<int32_t> color =
        ParseStoredColor(ReadIni(name, SchemeColorKey(k), ColorDataPath()));
    if (color) stops_.SetStopColor(k, *color);
  }
}

}  // namespace qf

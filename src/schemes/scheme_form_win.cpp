#include "schemes/scheme_form_win.h"

#include <array>
#include <optional>
#include <vector>

namespace qf {

namespace {

// Why the list file is left as it is, completing "scheme.lst ...".
std::u16string_view KeptBecause(ListFileState state) {
  switch (state) {
    case ListFileState::kHidden:
      return u"is hidden or a system file";
    case ListFileState::kUnreadable:
      return u"could not be read";
    case ListFileState::kTooLarge:
      return u"is too large to be a scheme list";
    case ListFileState::kAppeared:
      return u"was not there";
    case ListFileState::kMissing:
    case ListFileState::kRead:
      break;
  }
  return {};
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
      store_(std::move(folder)) {
  // The list, Add, Remove, the hide area; Escape and Alt+F4 hide the window as its X does.
  SetKeyboard({.tabOrder = {schemeList, addArea, removeArea, hideArea},
               .escapeArea = &hideArea,
               .closeArea = &hideArea});
}

bool SchemeForm::LoadStartupList() {
  if (!store_.LoadList()) return false;
  // The entries go into schemeList before its window exists: the window is made when it is
  // first shown, or asked for, and takes them all then. The main window's first paint does not
  // wait for a window nobody sees yet.
  std::vector<std::u16string> names = store_.Names();
  schemeList.AddItems(names);
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

void SchemeForm::OnAddClicked() {
  const std::u16string name = AskForName();
  if (name.empty()) return;
  std::array<int32_t, kSchemeColorCount> colors{};
  for (int k = 1; k <= kSchemeColorCount; ++k)
    colors[static_cast<std::size_t>(k - 1)] = stops_.StopColor(k);
  const SchemeAddResult added = store_.Add(name, colors);
  switch (added.outcome) {
    case SchemeAdd::kListFull:
      ShowMessage(Handle(),
                  u"The scheme list is full: a list holds at most 32,767 names and "
                  u"4 MiB. Remove a scheme first; \"" +
                      name + u"\" was not added.");
      return;
    case SchemeAdd::kColorsNotSaved:
      ShowMessage(Handle(),
                  u"The colours of \"" + name + u"\" could not be saved in " + store_.ColorPath() +
                      u" (is it read-only, or the disk full?). The scheme was not added.");
      return;
    case SchemeAdd::kAdded:
      break;
  }
  schemeList.AddItem(store_.Names().back());
  TellListSave(added.list);
}

void SchemeForm::OnRemoveClicked() {
  // By position: an empty entry (which other programs' files can hold) can be removed too.
  const int index = schemeList.ListIndex();
  if (index < 0) {
    ShowMessage(Handle(), u"please select a scheme to remove");
    return;
  }
  const std::optional<ListSave> saved = store_.RemoveAt(static_cast<std::size_t>(index));
  if (!saved) return;
  schemeList.RemoveItem(index);
  TellListSave(*saved);
}

void SchemeForm::TellListSave(ListSave saved) {
  switch (saved) {
    case ListSave::kWritten:
    case ListSave::kKeptAgain:
      return;
    case ListSave::kKept:
      ShowMessage(Handle(), u"The scheme list was not saved: " + store_.ListPath() + u" " +
                                std::u16string(KeptBecause(store_.ListFile())) +
                                u" when the program started, so it is left as it is. Your "
                                u"changes to the list last until the program ends; saved colours "
                                u"are in color.dat.");
      return;
    case ListSave::kFailed:
      // The old file is kept whole; the list in memory is not lost either.
      ShowMessage(Handle(), u"The scheme list could not be saved in " + store_.Folder() +
                                u". Your schemes are kept until the program ends.");
      return;
  }
}

void SchemeForm::OnHideClicked() { Hide(); }

void SchemeForm::OnSchemeClicked() { ApplyScheme(schemeList.Text()); }

void SchemeForm::ApplyScheme(std::u16string_view name) {
  for (int k = 1; k <= 10; ++k) {
    const std::optional<int32_t> color =
        ParseStoredColor(ReadIni(name, SchemeColorKey(k), store_.ColorPath()));
    if (color) stops_.SetStopColor(k, *color);
  }
}

}  // namespace qf

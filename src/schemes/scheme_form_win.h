#pragma once
// The scheme manager (Form4 in the original form definitions): its list box schemeList shows the
// program's list of saved schemes, which its SchemeStore holds (the file scheme.lst is a copy of
// it). Add saves the main window's ten colours under a name, Remove takes the selected name off the
// list, a click on a name applies its colours, X hides the window. The main window's start-up fills
// the list when there is one to load; the window itself is made when it is first shown.
//
// It knows no other window: the colours it saves and sets come through ColorStops.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "chrome/chrome_form_win.h"
#include "schemes/scheme_layout.h"
#include "schemes/scheme_skin_win.h"
#include "schemes/scheme_store_win.h"
#include "toolkit/toolkit_win.h"

namespace qf {

// The colours the scheme manager saves and sets: the main window's ten colour boxes.
class ColorStops {
 public:
  virtual int32_t StopColor(int k) = 0;  // k = 1..10
  virtual void SetStopColor(int k, int32_t color) = 0;

 protected:
  ~ColorStops() = default;
};

class SchemeForm : public ChromeForm {
 public:
  // `folder`: where scheme.lst and color.dat are (the program's own folder).
  SchemeForm(ColorStops& stops, std::u16string folder, HICON icon);

  // The program's schemes; schemeList shows its list.
  const SchemeStore& Store() const { return store_; }

  // Start-up: when scheme.lst exists, the store reads it, schemeList shows its names, and this
  // returns true. The window itself is made when it is first used. A list file that is there
  // but was not read (hidden, locked, too large) is never written in this run.
  [[nodiscard]] bool LoadStartupList();

  // Colours the ten stops from the scheme `name` of color.dat; a value that is missing, not a
  // number or not a colour leaves its stop as it is.
  void ApplyScheme(std::u16string_view name);

 protected:
  void PaintSkin(HDC dc, int, int) override { schemes::PaintSchemeSkin(dc); }
  std::vector<AccessibleItem> AccessibleItems() override {
    return {ItemOf(addArea, u"Add"), ItemOf(removeArea, u"Remove"), ItemOf(hideArea, u"Close")};
  }

 private:
  void OnAddClicked();     // save
  void OnRemoveClicked();  // remove
  void OnHideClicked();    // hide
  void OnSchemeClicked();  // apply

  // Asks for a name until one is given; empty when no input box can be shown at all.
  std::u16string AskForName();
  // Tells the user what became of a write of the list file, when it was not written.
  void TellListSave(ListSave saved);

  ColorStops& stops_;
  SchemeStore store_;

 public:
  // Shows store_.Names(), in order; only its selection is read.
  ListBox schemeList{*this,
                     schemes::kSchemeList,
                     {.backColor = ColorRgb(0, 255, 255),
                      .foreColor = ColorRgb(0, 0, 255),
                      .onClick = [this] { OnSchemeClicked(); }}};
  ClickLabel addArea{*this, schemes::kAddArea, {.onClick = [this] { OnAddClicked(); }}};
  ClickLabel removeArea{*this, schemes::kRemoveArea, {.onClick = [this] { OnRemoveClicked(); }}};
  ClickLabel hideArea{*this, schemes::kHideArea, {.onClick = [this] { OnHideClicked(); }}};
};

}  // namespace qf

#pragma once
// Form4, the scheme manager: its list box List1 is the program's list of saved schemes (the
// file scheme.lst is a copy of it). Add saves the main window's ten colours under a name,
// Remove takes the selected name off the list, a click on a name applies its colours, X hides
// the window. The main window's start-up fills the list when there is one to load; the window
// itself is made when it is first shown.
//
// It knows no other window: the colours it saves and sets come through ColorStops.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "chrome/chrome_form_win.h"
#include "schemes/scheme_layout.h"
#include "schemes/scheme_skin_win.h"
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

  std::u16string SchemeListPath() const { return folder_ + u"\\scheme.lst"; }
  std::u16string ColorDataPath() const { return folder_ + u"\\color.dat"; }

  // Start-up: when scheme.lst exists, fills List1 from the file and returns true. The window
  // itself is made when it is first used. A list file that is there but was not read
  // (hidden, locked, too large) is never written in this run.
  [[nodiscard]] bool LoadStartupList();

  // Colours the ten stops from the scheme `name` of color.dat; a value that is missing, not a
  // number or not a colour leaves its stop as it is.
  void ApplyScheme(std::u16string_view name);

 protected:
  void PaintSkin(HDC dc, int, int) override { schemes::PaintSchemeSkin(dc); }

 private:
  void Label1_Click();  // save
  void Label2_Click();  // remove
  void Label3_Click();  // hide
  void List1_Click();   // apply

  // Asks for a name until one is given; empty when no input box can be shown at all.
  std::u16string AskForName();
  void SaveList();
  // The list file is there but was not read at start-up (`why` completes "scheme.lst ..."):
  // this run never writes it, since that would replace the user's list with this run's, and
  // the first save or removal says so.
  void KeepListFileUnwritten(std::u16string why);

  ColorStops& stops_;
  const std::u16string folder_;
  // Whether the list file holds what this run read or wrote; until then a list file must be
  // looked for again before it is written.
  bool listFileRead_ = false;
  // Set when the list file must not be written in this run: why, and whether the user was told.
  std::u16string listFileUnread_;
  bool toldListFileUnread_ = false;

 public:
  ListBox List1{*this,
                schemes::kList1,
                {.backColor = ColorRgb(0, 255, 255),
                 .foreColor = ColorRgb(0, 0, 255),
                 .onClick = [this] { List1_Click(); }}};
  ClickLabel Label1{*this, schemes::kLabel1, {.onClick = [this] { Label1_Click(); }}};
  ClickLabel Label2{*this, schemes::kLabel2, {.onClick = [this] { Label2_Click(); }}};
  ClickLabel Label3{*this, schemes::kLabel3, {.onClick = [this] { Label3_Click(); }}};
};

}  // namespace qf

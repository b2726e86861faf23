#pragma once
// The program's four windows, made once at start and living until the program ends, and the
// hand-overs between them: the one place that knows every window. Each form gets from here
// only what it needs (the main window a MainFormHost, the scheme manager the colour stops, the
// HTML fader a way back to the main window). Declaring them creates no window: mainForm's window
// is made when WinMain shows it, the others on first use.
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/menu_form_win.h"
#include "htmlfader/html_fader_form_win.h"
#include "mainwindow/main_form_win.h"
#include "schemes/scheme_form_win.h"

namespace qf {

struct Program : MainFormHost, ColorStops {
  // `icon`: the program's own icon (the windows' and the tray's); `folder`: where scheme.lst
  // and color.dat are, the program's own folder unless a test says otherwise.
  explicit Program(HICON programIcon = nullptr, std::u16string folder = {});

  // What the main window hands over.
  void LoadStartupScheme() override;
  void ShowMenu() override;
  void ShowSchemeManager() override;
  LRESULT OnWindowMessage(UINT message) override;
  // The exit, from the main window's close area or the menu's "Exit": the single-copy claim is
  // given up first (a copy started now runs, instead of handing over to one that is ending),
  // then the announcement, then the program ends at once.
  [[noreturn]] void ExitProgram() override;

  // The colour stops the scheme manager saves and sets: the main window's colour boxes.
  int32_t StopColor(int k) override;
  void SetStopColor(int k, int32_t color) override;

  // The menu's "HTML Fader": the fader stands in for the main window.
  void ShowHtmlFader();
  // Brings the main window forward, out of the tray if it is there (a second start asked),
  // or the HTML fader when it stands in for the main window.
  void BringToFront();

  bool exiting = false;
  HICON icon;
  std::u16string schemeFolder;
  HtmlFaderForm htmlFaderForm{icon, [this] { mainForm.Show(); }};
  SchemeForm schemeForm{*this, schemeFolder, icon};
  MenuForm menuForm{*this};
  MainForm mainForm{*this, icon};
};

}  // namespace qf

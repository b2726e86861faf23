#pragma once
// The program's four windows, made once at start and living until the program ends, and the
// hand-overs between them. Declaring them creates no window: Form1's window is made when
// WinMain shows it, the others on first use.
#include <windows.h>

#include <string>

#include "chrome/menu_form_win.h"
#include "htmlfader/html_fader_form_win.h"
#include "mainwindow/main_form_win.h"
#include "schemes/scheme_form_win.h"

namespace qf {

struct Program {
  // `icon`: the program's own icon (the windows' and the tray's); `schemeFolder`: where
  // scheme.lst and color.dat are, the program's own folder unless a test says otherwise.
  explicit Program(HICON programIcon = nullptr, std::u16string folder = {});

  std::u16string SchemeListPath() const { return schemeFolder + u"\\scheme.lst"; }
  std::u16string ColorDataPath() const { return schemeFolder + u"\\color.dat"; }

  // The main window's hand-overs.
  // Puts the main window into the tray; false (and the window stays) when no icon could be shown.
  bool MinimiseToTray();
  // Brings the main window forward, out of the tray if it is there (a second start asked).
  void BringToFront();
  void TrayReport(float x);  // a mouse move's x, which may be a tray icon's report
  void ShowMenu();
  void ShowSchemeManager();
  void LoadStartupScheme();

  HICON icon;
  std::u16string schemeFolder;
  HtmlFaderForm Form3{*this};
  SchemeForm Form4{*this};
  MenuForm Form2{*this};
  MainForm Form1{*this};
};

}  // namespace qf

// positions: writes the named positions of the program's three windows and of the controls and
// click areas on them, taken from the layout tables, for the scripts that click on and look at
// the running program (the end-to-end tests, scripts/run, the benchmarks). The build compiles
// and runs it on the build machine (in a cross build too), so no script retypes a coordinate:
//   positions OUT_FILE
// Each line is "name = left top width height" in pixels:
//   main.window = 333 7 370 248      a window: where it first opens on the screen
//   main.send = 304 56 33 17         anything else: from its window's top-left corner
// A name's first part says whose window it lies on (main, schemes, fader); scripts/positions.sh
// reads the file and adds the window's place.
#include <cstdio>
#include <string>
#include <vector>

#include "core/rect.h"
#include "htmlfader/html_fader_layout.h"
#include "mainwindow/layout.h"
#include "schemes/scheme_layout.h"

namespace {

using qf::Rect;

// Where the scheme manager and the HTML fader first open on the screen, as their layout
// tables give it.
constexpr Rect kSchemesWindow{qf::schemes::kLeft, qf::schemes::kTop, qf::schemes::kWidth,
                              qf::schemes::kHeight};
constexpr Rect kFaderWindow{qf::htmlfader::kLeft, qf::htmlfader::kTop, qf::htmlfader::kWidth,
                            qf::htmlfader::kHeight};

struct Named {
  std::string name;
  Rect rect;
};

std::vector<Named> MainWindow() {
  namespace m = qf::mainwindow;
  std::vector<Named> all{
      {"main.window", {m::kLeft, m::kTop, m::kWidth, m::kHeight}},
      {"main.text", m::kLineBox},            // the line to send
      {"main.preview", m::kPreviewStrip},    // the preview strip
      {"main.wavy", m::kWavyBox},            // W
      {"main.strike", m::kStrikeBox},        // S
      {"main.italic", m::kItalicBox},        // I
      {"main.bold", m::kBoldBox},            // B
      {"main.underline", m::kUnderlineBox},  // U
      {"main.red", m::kRedSlider},           // the R, G and B sliders
      {"main.green", m::kGreenSlider},
      {"main.blue", m::kBlueSlider},
      {"main.close", m::kCloseArea},
      {"main.send", m::kSendArea},
      {"main.send_wavy", m::kSendWavyArea},
      {"main.tray", m::kTrayArea},  // minimise to the tray
      {"main.menu", m::kMenuArea},  // the diamond
      {"main.fades", m::kFadesArea},
  };
  // Numbered box "k." and its colour square.
  for (int k = 1; k <= 10; ++k) all.push_back({"main.box" + std::to_string(k), m::NumberedBox(k)});
  for (int k = 1; k <= 10; ++k) all.push_back({"main.colour" + std::to_string(k), m::ColorBox(k)});
  return all;
}

std::vector<Named> SchemeWindow() {
  namespace s = qf::schemes;
  // The window's own background, to press on for a drag: the strip of the list's rounded
  // rectangle below the list, no control there (a rounded region's last row is the one two
  // above its bottom argument, so the strip ends above that).
  const Rect belowList{s::kSchemeList.left, s::kSchemeList.Bottom(), s::kSchemeList.width,
                       s::kOutline[1].bottom - 2 - s::kSchemeList.Bottom()};
  return {
      {"schemes.window", kSchemesWindow}, {"schemes.list", s::kSchemeList},
      {"schemes.add", s::kAddArea},       {"schemes.remove", s::kRemoveArea},
      {"schemes.hide", s::kHideArea},  // "X"
      {"schemes.background", belowList},
  };
}

std::vector<Named> FaderWindow() {
  namespace h = qf::htmlfader;
  std::vector<Named> all{
      {"fader.window", kFaderWindow},   {"fader.text", h::kLineBox},  // the line to fade
      {"fader.output", h::kOutputBox},                                // the markup, collected
      {"fader.wavy", h::kWavyBox},      {"fader.generate", h::kGenerateArea},
      {"fader.clear", h::kClearArea},   {"fader.close", h::kCloseArea},
      {"fader.format", h::kFormatArea},
  };
  // Bar k: red, green and blue of colour 1 (bars 1 to 3), colour 2 (4 to 6), colour 3 (7 to 9).
  for (int k = 1; k <= 9; ++k) all.push_back({"fader.bar" + std::to_string(k), h::ColorBar(k)});
  for (int k = 1; k <= 3; ++k) all.push_back({"fader.colour" + std::to_string(k), h::ColorBox(k)});
  return all;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: positions OUT_FILE\n");
    return 2;
  }
  // Written beside the target and renamed over it, so a failed run leaves no half file that
  // the build would take as up to date.
  const std::string path = argv[1];
  const std::string partial = path + ".partial";
  std::FILE* out = std::fopen(partial.c_str(), "w");
  if (out == nullptr) {
    std::perror(partial.c_str());
    return 1;
  }
  std::fprintf(
      out,
      "# Named positions of Quelvane Fader's windows, made from the layout tables at build "
      "time.\n"
      "# name = left top width height (pixels): a window's place on the screen; anything "
      "else\n"
      "# from the top-left corner of its window (main, schemes or fader).\n");
  for (const auto& group : {MainWindow(), SchemeWindow(), FaderWindow()}) {
    for (const Named& n : group) {
      std::fprintf(out, "%s = %d %d %d %d\n", n.name.c_str(), n.rect.left, n.rect.top, n.rect.width,
                   n.rect.height);
    }
  }
  const bool written = std::ferror(out) == 0;
  if (std::fclose(out) != 0 || !written) {
    std::perror(partial.c_str());
    std::remove(partial.c_str());
    return 1;
  }
  // Windows' rename does not replace an existing file.
  if (std::rename(partial.c_str(), path.c_str()) != 0 &&
      (std::remove(path.c_str()) != 0 || std::rename(partial.c_str(), path.c_str()) != 0)) {
    std::perror(path.c_str());
    std::remove(partial.c_str());
    return 1;
  }
  return 0;
}

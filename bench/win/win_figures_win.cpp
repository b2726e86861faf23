// win_figures.exe: figures of the Windows side, printed, not checked (the machine is shared and
// Wine's timings vary: compare the figures of one run with each other).
//   win_figures.exe [preview] [textbox] [chat]      (all three when none is named)
#include <cstdio>
#include <cstring>

#include "figures_win.h"

int main(int argc, char** argv) {
  struct Section {
    const char* name;
    bool (*run)();
  };
  const Section sections[] = {{"preview", &qf::figures::PreviewFigures},
                              {"textbox", &qf::figures::TextBoxFigures},
                              {"chat", &qf::figures::ChatFigures}};
  for (int i = 1; i < argc; ++i) {
    bool known = false;
    for (const Section& section : sections)
      known = known || std::strcmp(argv[i], section.name) == 0;
    if (!known) {
      std::fprintf(stderr, "usage: win_figures.exe [preview] [textbox] [chat]\n");
      return 2;
    }
  }
  bool allRan = true;
  for (const Section& section : sections) {
    bool named = argc == 1;
    for (int i = 1; i < argc; ++i) named = named || std::strcmp(argv[i], section.name) == 0;
    if (named) allRan = section.run() && allRan;
    std::fflush(stdout);
  }
  return allRan ? 0 : 1;
}

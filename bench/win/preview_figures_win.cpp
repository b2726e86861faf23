// What one drawing of the preview costs (after a change of the line, a colour or the stops): the
// fade built and drawn into a picture box. Nothing runs while nothing changes.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fade/entry_points.h"
#include "figures_win.h"
#include "preview/picture_box_canvas_win.h"
#include "preview/render_tags.h"
#include "toolkit/toolkit_win.h"

namespace qf::figures {
namespace {

// The preview strip's size, on a form of its own.
class PreviewForm : public Form {
 public:
  PreviewForm()
      : Form({.caption = u"Preview figures", .width = 300, .height = 60, .left = 20, .top = 20}) {}
  PictureBox Picture11{*this, {10, 10, 257, 22}};
};

}  // namespace

bool PreviewFigures() {
  PreviewForm form;
  form.Show();
  PictureBoxCanvas canvas(form.Picture11);
  const std::array<int32_t, 3> colors{255, 65280, 16711680};
  const std::u16string text = u"The quick brown fox jumps over the lazy";

  constexpr int kDraws = 2000;
  Clock::time_point start = Clock::now();
  for (int i = 0; i < kDraws; ++i) RenderTags(canvas, FadeColors(colors, text, false));
  const double drawn = MillisecondsPerRound(start, kDraws);

  std::printf("preview: a drawing that builds a 3-stop fade of 39 characters and draws it: %.1f us\n",
              drawn * 1000);
  return true;
}

}  // namespace qf::figures

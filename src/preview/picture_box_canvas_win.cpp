#include "preview/picture_box_canvas_win.h"

#include <cmath>

namespace qf {
namespace {

// Pen positions are sums of whole-pixel widths, so this rounding only matters for a canvas
// that measures in fractions; halves go to the even neighbour, as everywhere in the program.
int ToPixel(double x) { return static_cast<int>(std::nearbyint(x)); }

}  // namespace

// The walker lays out in the form's 96-dpi pixels (its line height and wave shifts are such
// pixels); the box's font and image are at the form's scale. Positions go out mapped, widths
// come back unmapped, so a line's letters follow each other at every scale.
void PictureBoxCanvas::PrintText(double x, int y, std::u16string_view text) {
  const Scale& scale = box_.Parent().Scaling();
  box_.PrintText(ToPixel(x * scale.Factor()), scale.Px(y), text);
}

double PictureBoxCanvas::TextWidth(std::u16string_view text) {
  return box_.TextWidth(text) / box_.Parent().Scaling().Factor();
}

}  // namespace qf

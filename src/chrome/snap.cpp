#include "chrome/snap.h"

#include "core/events.h"

namespace qf {
namespace {

enum class Axis { kHorizontal, kVertical };

// One slide along one axis. `near` is the window's left or top, `size` its width or height
// and `extent` the screen's; each slide moves in one direction until its stop test holds.
struct Slide {
  Axis axis;
  double direction;  // +1 or -1: which way each 10-twip move goes
  bool (*startsWhen)(double near, double size, double extent);
  bool (*stopsWhen)(double near, double size, double extent);
  double (*finalPosition)(double size, double extent);
};

double AtLowEdge(double, double) { return 0; }
double AtHighEdge(double size, double extent) { return extent - size; }

constexpr Slide kSlides[] = {
    // Back onto the screen.
    {Axis::kHorizontal, +1, [](double l, double, double) { return l < 0; },
     [](double l, double, double) { return l >= 0; }, AtLowEdge},
    {Axis::kVertical, +1, [](double t, double, double) { return t < 0; },
     [](double t, double, double) { return t >= 0; }, AtLowEdge},
    {Axis::kVertical, -1, [](double t, double h, double sh) { return t + h > sh; },
     [](double t, double h, double sh) { return t <= sh - h; }, AtHighEdge},
    {Axis::kHorizontal, -1, [](double l, double w, double sw) { return l + w > sw; },
     [](double l, double w, double sw) { return l <= sw - w; }, AtHighEdge},
    // Against near edges.
    {Axis::kHorizontal, -1, [](double l, double, double) { return l < kSnapDistance; },
     [](double l, double, double) { return l <= 0; }, AtLowEdge},
    {Axis::kVertical, -1, [](double t, double, double) { return t < kSnapDistance; },
     [](double t, double, double) { return t <= 0; }, AtLowEdge},
    {Axis::kHorizontal, +1,
     [](double l, double w, double sw) { return l + w + kSnapDistance > sw; },
     [](double l, double w, double sw) { return l + w >= sw; }, AtHighEdge},
    {Axis::kVertical, +1, [](double t, double h, double sh) { return t + h + kSnapDistance > sh; },
     [](double t, double h, double sh) { return t + h >= sh; }, AtHighEdge},
};

double& Along(TwipPoint& p, Axis axis) { return axis == Axis::kHorizontal ? p.left : p.top; }

}  // namespace

void SlideOntoScreen(SlidingWindow& window, double width, double height, double screenWidth,
                     double screenHeight) {
  for (const Slide& slide : kSlides) {
    const bool horizontal = slide.axis == Axis::kHorizontal;
    const double size = horizontal ? width : height;
    const double extent = horizontal ? screenWidth : screenHeight;
    if (!window.Exists()) return;
    TwipPoint position = window.Position();
    if (!slide.startsWhen(Along(position, slide.axis), size, extent)) continue;
    do {
      DoEvents();
      if (!window.Exists()) return;
      position = window.Position();  // a handler may have moved the window meanwhile
      Along(position, slide.axis) += slide.direction * kSlideStep;
      window.MoveTo(position);
      position = window.Position();
    } while (!slide.stopsWhen(Along(position, slide.axis), size, extent));
    Along(position, slide.axis) = slide.finalPosition(size, extent);
    window.MoveTo(position);
  }
}

}  // namespace qf

#pragma once
// The slide that follows a drag: the window glides back onto the screen, then against
// every screen edge it was dropped near. All figures are twips (1/1440 inch).

namespace qf {

// How far a window must be from an edge, in twips, not to be pulled against it.
inline constexpr double kSnapDistance = 400;
// How far one move of a slide goes, in twips.
inline constexpr double kSlideStep = 10;

struct TwipPoint {
  double left = 0;
  double top = 0;
};

// What the slide needs of a window: where it is, and a way to move it.
class SlidingWindow {
 public:
  virtual ~SlidingWindow() = default;
  // The window's current top-left corner. Must return exactly what MoveTo last set, so that
  // every 10-twip move counts even where the window system places windows on whole pixels.
  virtual TwipPoint Position() const = 0;
  virtual void MoveTo(TwipPoint position) = 0;
  // False once the window is gone (something that ran during the slide destroyed it): the
  // slide then ends at once, as a gone window's position no longer follows its moves.
  virtual bool Exists() const { return true; }
};

// Runs the eight slides in order, each on the position the previous one left:
//   1-4: back onto the screen (left edge, top edge, bottom edge, right edge);
//   5-8: against the left, top, right and bottom edge when nearer than 400 twips.
// A slide lets pending window messages run (DoEvents), moves 10 twips, reads the position
// back and tests whether to stop; once started it moves at least once, and it ends by
// setting the exact edge position. Every slide ends, whatever the sizes, and the whole slide
// ends as soon as the window no longer exists.
//   e.g. a 3000-twip-wide window dropped at left -500 on a 15360-twip screen ends at left 0.
void SlideOntoScreen(SlidingWindow& window, double width, double height, double screenWidth,
                     double screenHeight);

}  // namespace qf

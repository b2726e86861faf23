#pragma once
// Decides whether the preview strip needs drawing again. The main window's timer ticks every
// few milliseconds; building the fade and drawing the strip each time shows nothing new unless
// something the strip is drawn from has changed. The tick feeds the tracker what it reads and
// draws only when told to.
//   RedrawTracker tracker;
//   if (tracker.Changed(stopCount, colours, Text1.Text(), Picture11.BackColor())) {
//     ... build the fade, keep it in Text3, RenderTags(canvas, markup) ...
//   }
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qf {

class RedrawTracker {
 public:
  // Whether the stop count, the colours of the first stops, the line or the strip's background
  // colour differ from what the strip was last drawn from (always true the first time). When it
  // returns true the caller is taken to draw, and these values become the ones it drew from.
  // Unchanged input costs a comparison and allocates nothing.
  bool Changed(int stopCount, std::span<const int32_t> colours, std::u16string_view text,
               int32_t backColor);

  // Forgets the last drawing, so the next Changed() says true: for when the strip was cleared
  // or drawn over by something else (for instance its background colour set to the same value,
  // which clears it).
  void Invalidate() { drawn_ = false; }

 private:
  bool drawn_ = false;
  int stopCount_ = 0;
  int32_t backColor_ = 0;
  std::vector<int32_t> colours_;
  std::u16string text_;
};

}  // namespace qf

#include "preview/redraw_tracker.h"

#include <algorithm>

namespace qf {

bool RedrawTracker::Changed(int stopCount, std::span<const int32_t> colours,
                            std::u16string_view text, int32_t backColor) {
  if (drawn_ && stopCount == stopCount_ && backColor == backColor_ &&
      std::equal(colours.begin(), colours.end(), colours_.begin(), colours_.end()) &&
      text == text_) {
    return false;
  }
  drawn_ = true;
  stopCount_ = stopCount;
  backColor_ = backColor;
  // assign() reuses the storage already held: only a longer line than ever before allocates.
  colours_.assign(colours.begin(), colours.end());
  text_.assign(text);
  return true;
}

}  // namespace qf

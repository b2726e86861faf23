#include "toolkit/scroll_track.h"

#include <algorithm>
#include <cstdint>

namespace qf {
namespace {

// a * b / c rounded to the nearest whole number (halves up), for a, b >= 0 and c > 0; in 64
// bits, so a range as wide as int allows cannot overflow.
int64_t MulDivRound(int64_t a, int64_t b, int64_t c) { return (2 * a * b + c) / (2 * c); }

int64_t Span(const ScrollRange& range) {
  return static_cast<int64_t>(range.max) - static_cast<int64_t>(range.min);
}

}  // namespace

ScrollLayout LayOutScrollBar(int length, int thickness) {
  length = std::max(length, 0);
  thickness = std::max(thickness, 0);
  ScrollLayout layout;
  layout.length = length;
  layout.arrow = std::min(thickness, length / 3);
  const int track = length - 2 * layout.arrow;
  // A quarter shorter than the bar is thick: clearly a part of its own between the arrows.
  layout.thumb = std::min(std::max(thickness - thickness / 4, 1), track);
  return layout;
}

int ScrollLayout::Travel() const { return std::max(TrackEnd() - TrackStart() - thumb, 0); }

int ScrollLayout::ThumbStart(const ScrollRange& range) const {
  const int64_t span = Span(range);
  if (span <= 0 || Travel() == 0) return TrackStart();
  const int64_t offset =
      std::clamp<int64_t>(static_cast<int64_t>(range.value) - range.min, 0, span);
  return TrackStart() + static_cast<int>(MulDivRound(offset, Travel(), span));
}

int ScrollLayout::ValueAt(const ScrollRange& range, int thumbStart) const {
  const int64_t span = Span(range);
  if (span <= 0 || Travel() == 0) return range.min;
  const int64_t offset = std::clamp(thumbStart - TrackStart(), 0, Travel());
  return static_cast<int>(range.min + MulDivRound(offset, span, Travel()));
}

ScrollPart ScrollLayout::PartAt(int at, int thumbStart) const {
  if (at < 0 || at >= length) return ScrollPart::kNone;
  if (at < TrackStart()) return ScrollPart::kLessArrow;
  if (at >= TrackEnd()) return ScrollPart::kMoreArrow;
  if (at < thumbStart) return ScrollPart::kLessTrack;
  if (at < thumbStart + thumb) return ScrollPart::kThumb;
  return ScrollPart::kMoreTrack;
}

ScrollCommand ScrollTracker::Press(const ScrollLayout& layout, const ScrollRange& range, int at) {
  layout_ = layout;
  range_ = range;
  pointer_ = at;
  onBar_ = true;
  const int thumbStart = layout.ThumbStart(range);
  pressed_ = layout.PartAt(at, thumbStart);
  if (pressed_ == ScrollPart::kThumb) {
    grab_ = at - thumbStart;
    pickedUp_ = dragStart_ = thumbStart;
    return {};
  }
  return Act(range);
}

void ScrollTracker::Move(int at, bool onBar) {
  pointer_ = at;
  onBar_ = onBar;
  if (Dragging()) {
    dragStart_ =
        std::clamp(at - grab_, layout_.TrackStart(), layout_.TrackStart() + layout_.Travel());
  }
}

ScrollCommand ScrollTracker::Repeat(const ScrollRange& range) {
  if (Dragging()) return {};
  return Act(range);
}

ScrollCommand ScrollTracker::Release(int at, bool onBar) {
  Move(at, onBar);
  ScrollCommand command;
  if (Dragging() && dragStart_ != pickedUp_) {
    command = {ScrollCommand::kDrop, 0, layout_.ValueAt(range_, dragStart_)};
  }
  pressed_ = ScrollPart::kNone;
  return command;
}

void ScrollTracker::Cancel() { pressed_ = ScrollPart::kNone; }

ScrollPart ScrollTracker::HeldPart() const {
  if (Dragging() || onBar_) return pressed_;
  return ScrollPart::kNone;
}

ScrollCommand ScrollTracker::Act(const ScrollRange& range) const {
  // Only while the pointer stays over the part pressed: an arrow does not move, the track's
  // part shrinks as the thumb comes towards the pointer and ends when it arrives there.
  if (!onBar_ || layout_.PartAt(pointer_, layout_.ThumbStart(range)) != pressed_) return {};
  switch (pressed_) {
    case ScrollPart::kLessArrow:
      return {ScrollCommand::kStep, -1, 0};
    case ScrollPart::kMoreArrow:
      return {ScrollCommand::kStep, 1, 0};
    case ScrollPart::kLessTrack:
      return {ScrollCommand::kPage, -1, 0};
    case ScrollPart::kMoreTrack:
      return {ScrollCommand::kPage, 1, 0};
    default:
      return {};
  }
}

}  // namespace qf

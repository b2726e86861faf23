#pragma once
// The workings of a scroll bar along its length, apart from any window: where its arrows,
// track and thumb lie for a given size and value, which part a point falls on, and what a
// press, a drag and a release on it do. Portable: the window side measures, feeds the mouse
// in and carries out what comes back.
//   const ScrollLayout layout = LayOutScrollBar(57, 9);   // arrows 9, thumb 7, travel 32
//   layout.ThumbStart({0, 255, 128}) == 25
//   ScrollTracker tracker;
//   tracker.Press(layout, {0, 255, 0}, 3);     // -> {kStep, -1}: the upper arrow
//   tracker.Release(3);                         // -> {kNone}: arrows changed on the press
namespace qf {

// A bar's range and current value; max >= min.
struct ScrollRange {
  int min = 0;
  int max = 0;
  int value = 0;
};

// The parts along a bar, from its less end (top or left, the minimum) to its more end.
enum class ScrollPart { kNone, kLessArrow, kLessTrack, kThumb, kMoreTrack, kMoreArrow };

// Where the parts lie along a bar, in pixels from its less end. The arrow buttons are square
// (as long as the bar is thick) and the thumb a little shorter, so everything follows the
// bar's real size at any display scale; a bar too short for that shrinks its arrows first.
struct ScrollLayout {
  int length = 0;  // the whole bar
  int arrow = 0;   // each arrow button
  int thumb = 0;   // the thumb

  int TrackStart() const { return arrow; }
  int TrackEnd() const { return length - arrow; }
  // How far the thumb moves from the minimum to the maximum.
  int Travel() const;
  // Where the thumb begins for `range`'s value (rounded to the nearest pixel).
  int ThumbStart(const ScrollRange& range) const;
  // The value whose thumb begins nearest `thumbStart` (clamped to the track).
  int ValueAt(const ScrollRange& range, int thumbStart) const;
  // The part at `at` pixels along the bar when the thumb begins at `thumbStart`.
  ScrollPart PartAt(int at, int thumbStart) const;
};

// The layout of a bar `length` pixels long and `thickness` pixels thick.
ScrollLayout LayOutScrollBar(int length, int thickness);

// What a mouse action on the bar asks for.
struct ScrollCommand {
  enum Kind {
    kNone,
    kStep,  // an arrow: one small change in `direction` (-1 towards the minimum, +1 away)
    kPage,  // the track: one large change in `direction`
    kDrop,  // the dragged thumb was let go: the value becomes `value`
  };
  Kind kind = kNone;
  int direction = 0;
  int value = 0;
  bool operator==(const ScrollCommand&) const = default;
};

// One press of the left button on a bar, from the press to the release. An arrow or the track
// acts on the press and again on each repeat while it stays held over the same part (the track
// until the thumb reaches the pointer); the thumb follows a drag but the value changes only
// when it is let go, and not at all when it is let go where it was picked up.
class ScrollTracker {
 public:
  ScrollCommand Press(const ScrollLayout& layout, const ScrollRange& range, int at);
  // The pointer moved to `at` while the button is held; `onBar` is false when it left the bar
  // sideways (a held arrow or track then waits until it comes back).
  void Move(int at, bool onBar = true);
  // The repeat timer fired; `range` holds the value now.
  ScrollCommand Repeat(const ScrollRange& range);
  ScrollCommand Release(int at, bool onBar = true);
  // The press ended without a release (the mouse was taken away): nothing more happens.
  void Cancel();

  bool Active() const { return pressed_ != ScrollPart::kNone; }
  // The part held down, while the pointer is still over it (the one to draw pressed).
  ScrollPart HeldPart() const;
  bool Dragging() const { return pressed_ == ScrollPart::kThumb; }
  // Where the dragged thumb begins now.
  int DragThumbStart() const { return dragStart_; }

 private:
  ScrollCommand Act(const ScrollRange& range) const;

  ScrollLayout layout_{};
  ScrollRange range_{};  // as it was at the press
  ScrollPart pressed_ = ScrollPart::kNone;
  int pointer_ = 0;
  bool onBar_ = true;
  int grab_ = 0;      // pointer minus thumb start at the press
  int pickedUp_ = 0;  // the thumb's start at the press
  int dragStart_ = 0;
};

}  // namespace qf

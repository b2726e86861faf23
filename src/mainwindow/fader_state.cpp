#include "mainwindow/fader_state.h"

#include "core/events.h"

namespace qf {

// Box 1 starts ticked, as the window first shows it: the sliders set stop 1.
FaderState::FaderState() { boxes_[0] = 1; }

void FaderState::Changed() const {
  if (listener_) listener_();
}

void FaderState::SetLine(std::u16string_view line) {
  if (line_ == line) return;
  line_ = line;
  Changed();
}

void FaderState::SetStylePrefix(std::u16string_view prefix) {
  if (prefix_ == prefix) return;
  prefix_ = prefix;
  Changed();
}

void FaderState::ToggleStyle(std::u16string_view tag, bool ticked) {
  SetStylePrefix(ToggledStylePrefix(prefix_, tag, ticked));
}

void FaderState::SetStopColor(int k, int32_t color) {
  int32_t& stop = stops_.at(Index(k));
  if (stop == color) return;
  stop = color;
  Changed();
}

void FaderState::SetNumberedBox(int k, int value) {
  int& box = boxes_.at(Index(k));
  if (box == value) return;
  box = value;
  Changed();
}

bool FaderState::SetSliderColor(int32_t color) {
  const int target = SliderTarget();
  if (target == 0) return false;
  SetStopColor(target, color);
  return true;
}

void FaderState::SetWavy(bool wavy) {
  if (wavy_ == wavy) return;
  wavy_ = wavy;
  Changed();
}

bool FaderState::Send(bool wavy, const std::function<bool(std::u16string_view)>& deliver) {
  if (StopCount() == 0) return false;
  const std::u16string sent = line_;
  const std::u16string chatLine = ComposeChatLine(prefix_, StopColors(), sent, wavy);
  DoEvents();
  if (!deliver(chatLine)) return false;
  SetLine(TextAfterSend(sent, line_));
  return true;
}

}  // namespace qf

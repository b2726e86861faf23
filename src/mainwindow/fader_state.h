#pragma once
// What the main window is about, apart from the window: the line, the style prefix, the ten
// colour stops, the numbered boxes (how many stops, which one the sliders set) and wavy. The
// window's controls show it and report the user's edits to it; the preview, SEND, the sliders
// and the scheme manager read and change it through the operations below. Every operation that
// changes something tells the one listener (the window), once, after the change:
//   FaderState state;
//   state.OnChange([&] { RequestPreview(); });
//   state.SetNumberedBox(3, 1);           // three stops
//   state.SetStopColor(1, 255);          // red first
//   ComposeChatLine(state.StylePrefix(), state.StopColors(), state.Line(), false);
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "mainwindow/compose.h"

namespace qf {

class FaderState {
 public:
  FaderState();

  // Called after every change of the state (not for a setter that changes nothing).
  void OnChange(std::function<void()> listener) { listener_ = std::move(listener); }

  const std::u16string& Line() const { return line_; }
  void SetLine(std::u16string_view line);

  // The style tags put in front of a sent line (<b><s>...), in the order the boxes were ticked.
  const std::u16string& StylePrefix() const { return prefix_; }
  void SetStylePrefix(std::u16string_view prefix);
  // A style box clicked: its tag goes in front of the prefix when `ticked`, every copy of it
  // out when not (ToggledStylePrefix).
  void ToggleStyle(std::u16string_view tag, bool ticked);

  // Colour stop k (1..10), a colour value 0x00BBGGRR.
  int32_t StopColor(int k) const { return stops_.at(Index(k)); }
  void SetStopColor(int k, int32_t color);
  // The colours of the stops in use (StopCount() of them), stop 1 first; empty when none.
  std::span<const int32_t> StopColors() const {
    return std::span<const int32_t>(stops_).first(static_cast<std::size_t>(StopCount()));
  }

  // Numbered box k (1..10): 0 clear, 1 ticked, 2 grayed.
  int NumberedBox(int k) const { return boxes_.at(Index(k)); }
  void SetNumberedBox(int k, int value);
  // The number of stops (the highest ticked box from 10 down to 2), or 0 when none is ticked.
  int StopCount() const { return StopCountOf(boxes_); }
  // The stop the sliders set (the lowest ticked box), or 0 when none is ticked.
  int SliderTarget() const { return SliderTargetOf(boxes_); }
  // Gives the sliders' colour to SliderTarget(); false (and nothing changes) when there is none.
  bool SetSliderColor(int32_t color);

  bool Wavy() const { return wavy_; }
  void SetWavy(bool wavy);

  // SEND: the chat line (ComposeChatLine of the prefix, the stops and the line, wavy when
  // `wavy`) goes to `deliver`, which says whether the chat room took it. The window
  // messages waiting then run first (the program waits on the room from there), so the line may
  // have changed when the room answers: only the sent text is taken off its front
  // (TextAfterSend), and only when it was delivered. With no stops nothing is sent.
  //   state.Send(false, [](std::u16string_view line) { return ChatSend(line) == kDelivered; });
  [[nodiscard]] bool Send(bool wavy, const std::function<bool(std::u16string_view)>& deliver);

 private:
  static std::size_t Index(int k) { return static_cast<std::size_t>(k - 1); }
  void Changed() const;

  std::u16string line_;
  std::u16string prefix_;
  std::array<int32_t, 10> stops_{};
  NumberedBoxValues boxes_{};
  bool wavy_ = false;
  std::function<void()> listener_;
};

}  // namespace qf

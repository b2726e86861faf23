#pragma once
// Where Tab and Shift+Tab move the keyboard in a form's tab order: to the next (or previous)
// stop, round and round, passing over the stops that cannot take the keyboard now (hidden,
// disabled, outside the window). Portable: the form says how many stops there are, which one
// has the keyboard and which can take it.
//   NextTabStop(4, 3, false, all) == 0;   NextTabStop(4, std::nullopt, true, all) == 3
#include <cstddef>
#include <optional>

namespace qf {

// The first stop after `current` (before it when `backwards`), wrapping at the ends, that
// `available(i)` accepts. With no current stop (the keyboard is on nothing of the order) Tab
// goes to the first available stop and Shift+Tab to the last. Empty when none is available.
template <class Available>
std::optional<std::size_t> NextTabStop(std::size_t count, std::optional<std::size_t> current,
                                       bool backwards, const Available& available) {
  if (count == 0) return std::nullopt;
  // Without a current stop, start just outside the order: the first step lands on an end.
  std::size_t at = current && *current < count ? *current : (backwards ? 0 : count - 1);
  for (std::size_t step = 0; step < count; ++step) {
    at = backwards ? (at + count - 1) % count : (at + 1) % count;
    if (available(at)) return at;
  }
  return std::nullopt;
}

}  // namespace qf

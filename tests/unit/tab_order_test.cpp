// Where Tab and Shift+Tab go in a tab order.
#include "toolkit/tab_order.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(TabOrder, GoesRoundBothWaysPassingOverStopsThatCannotTakeTheKeyboard) {
  const std::array<bool, 5> takes{true, false, true, true, false};
  auto available = [&](std::size_t i) { return takes[i]; };
  EXPECT_EQ(qf::NextTabStop(5, 0, false, available), 2u);
  EXPECT_EQ(qf::NextTabStop(5, 3, false, available), 0u);  // past the end, over 4
  EXPECT_EQ(qf::NextTabStop(5, 0, true, available), 3u);   // before the start, over 4
  EXPECT_EQ(qf::NextTabStop(5, 2, true, available), 0u);   // over 1
  // The keyboard on none of the stops (or on one that cannot take it any more): the first
  // available stop, or with Shift the last.
  EXPECT_EQ(qf::NextTabStop(5, std::nullopt, false, available), 0u);
  EXPECT_EQ(qf::NextTabStop(5, std::nullopt, true, available), 3u);
  EXPECT_EQ(qf::NextTabStop(5, 9, false, available), 0u);
  // One stop that can: it stays; none: nowhere.
  auto onlyTwo = [](std::size_t i) { return i == 2; };
  EXPECT_EQ(qf::NextTabStop(5, 2, false, onlyTwo), 2u);
  EXPECT_EQ(qf::NextTabStop(5, 2, true, onlyTwo), 2u);
  EXPECT_EQ(qf::NextTabStop(5, 2, false, [](std::size_t) { return false; }), std::nullopt);
  EXPECT_EQ(qf::NextTabStop(0, std::nullopt, false, available), std::nullopt);
}

}  // namespace

// The fade engine and the event pump: no fade lets window messages run, whatever its length and
// number of stops, so no handler can run in the middle of one.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/events.h"

#include "fade_test_support.h"

namespace qf {
namespace {

using namespace fadetest;

int pumpCount = 0;

TEST(FadePump, NoFadeLetsEventsRun) {
  const EventPump previous = SetEventPump(EventPump{[] { ++pumpCount; }, nullptr});
  std::vector<char> block(256);
  for (std::size_t n = 2; n <= 10; ++n) {
    for (std::size_t length : {0u, 5u, 100u}) {
      const std::u16string text(length, u'x');
      FadeStops(DistinctStops(n), text, true);
      FadeStopsUtf8(DistinctStops(n), text, false);
      StreamFadeUtf8(DistinctStops(n), U8(text), false, block,
                     [](std::string_view) { return true; });
    }
  }
  SetEventPump(previous);
  EXPECT_EQ(pumpCount, 0);
}

}  // namespace
}  // namespace qf

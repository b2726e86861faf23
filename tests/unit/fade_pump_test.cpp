// The fade engine and the event pump: how often a long fade lets events run, and a fade started
// from the pump in the middle of another.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/events.h"

#include "fade_test_support.h"

namespace qf {
namespace {

using namespace fadetest;

// The event pump as the window system would run it: counted, or re-entering the engine.
int pumpCount = 0;
int nestingDepth = 0;
std::u16string nestedMarkup;

class FadePumpTest : public ::testing::Test {
 protected:
  void TearDown() override { SetEventPump(previous_); }
  void Install(void (*pump)()) { previous_ = SetEventPump(EventPump{pump, nullptr}); }

 private:
  EventPump previous_;
};

TEST_F(FadePumpTest, PumpsOncePerDealingPassWithFourOrMoreStops) {
  pumpCount = 0;
  Install([] { ++pumpCount; });
  for (std::size_t n = 2; n <= 10; ++n) {
    const std::size_t k = n - 1;
    for (std::size_t length : {0u, 1u, 5u, 9u, 10u, 100u}) {
      pumpCount = 0;
      FadeStops(DistinctStops(n), std::u16string(length, u'x'), false);
      const std::size_t expected = n < 4 ? 0 : (length == 0 ? 1 : (length + k - 1) / k);
      EXPECT_EQ(pumpCount, static_cast<int>(expected)) << n << " stops, length " << length;
    }
  }
  // Characters, not code units, count: two emoji are two characters, one pass of three.
  pumpCount = 0;
  FadeStops(DistinctStops(4), u"\U0001F600\U0001F600", false);
  EXPECT_EQ(pumpCount, 1);
}

TEST_F(FadePumpTest, TheUtf8PathsPumpLikeTheUtf16OneAndInvalidTextNotAtAll) {
  Install([] { ++pumpCount; });
  std::vector<char> block(256);
  for (std::size_t n = 2; n <= 10; ++n) {
    for (std::size_t length : {0u, 5u, 100u}) {
      const std::u16string text(length, u'x');
      pumpCount = 0;
      FadeStops(DistinctStops(n), text, false);
      const int expected = pumpCount;
      pumpCount = 0;
      FadeStopsUtf8(DistinctStops(n), text, false);
      EXPECT_EQ(pumpCount, expected) << n << " stops, length " << length;
      pumpCount = 0;
      StreamFadeUtf8(DistinctStops(n), U8(text), false, block,
                     [](std::string_view) { return true; });
      EXPECT_EQ(pumpCount, expected) << n << " stops, length " << length;
    }
  }
  pumpCount = 0;
  StreamFadeUtf8(DistinctStops(10), "abc\xFF", false, block, [](std::string_view) { return true; });
  EXPECT_EQ(pumpCount, 0);
}

TEST_F(FadePumpTest, NestedCallFromThePumpLeavesTheOuterCallIntact) {
  nestedMarkup.clear();
  const std::array<int32_t, 5> outer{255, 0x00FF00, 0xFF0000, 0x123456, 0xFFFFFF};
  const std::u16string text = u"outer call text";
  const std::u16string expected = FadeColors(outer, text, true);
  Install([] {
    if (nestingDepth >= 2) return;  // the nested call pumps too
    ++nestingDepth;
    const std::array<int32_t, 4> inner{0, 0xFFFFFF, 0x00FF00, 255};
    nestedMarkup += FadeColors(inner, u"in", true);
    --nestingDepth;
  });
  EXPECT_EQ(FadeColors(outer, text, true), expected);
  // The outer call deals 15 characters over 4 segments in four passes, each running a nested
  // call, which pumps and nests once more.
  EXPECT_FALSE(nestedMarkup.empty());
  EXPECT_EQ(nestedMarkup.substr(0, 20), u"<Font Color=#FFFFFF>");
}

}  // namespace
}  // namespace qf

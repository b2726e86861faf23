#include "chat/pause.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "core/events.h"

namespace {

using Clock = std::chrono::steady_clock;

// A stand-in event pump that counts what Pause asks of it; its wait really sleeps, as the
// Windows pump blocks when no message comes.
struct PumpProbe {
  static inline int pumps = 0;
  static inline std::vector<unsigned> waits;
  static void Pump() { ++pumps; }
  static void Wait(unsigned ms) {
    waits.push_back(ms);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
};

class PauseTest : public testing::Test {
 protected:
  void SetUp() override {
    PumpProbe::pumps = 0;
    PumpProbe::waits.clear();
    previous_ = qf::SetEventPump({&PumpProbe::Pump, &PumpProbe::Wait});
  }
  void TearDown() override { qf::SetEventPump(previous_); }

 private:
  qf::EventPump previous_;
};

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST_F(PauseTest, LastsAtLeastItsLengthAndPumpsInShortBlockingWaits) {
  const Clock::time_point start = Clock::now();
  qf::Pause(0.3);
  EXPECT_GE(SecondsSince(start), 0.3);
  EXPECT_GT(PumpProbe::pumps, 0);
  ASSERT_FALSE(PumpProbe::waits.empty());
  for (unsigned ms : PumpProbe::waits) {
    EXPECT_GE(ms, 1u);  // never a zero-length wait, which would spin
    EXPECT_LE(ms, 10u);
  }
  // A 0.3 s pause in waits of up to 10 ms: about 30 polls, not thousands.
  EXPECT_LT(PumpProbe::waits.size(), 200u);
}

TEST_F(PauseTest, ZeroNegativeAndNanReturnAtOnceWithoutPumping) {
  for (double seconds : {0.0, -1.0, std::nan("")}) {
    qf::Pause(seconds);
  }
  EXPECT_EQ(PumpProbe::pumps, 0);
  EXPECT_TRUE(PumpProbe::waits.empty());
}

TEST(SteadyLength, NeedsThreeEqualNonZeroReadings) {
  EXPECT_TRUE(qf::IsSteadyLength(7, 7, 7));
  EXPECT_FALSE(qf::IsSteadyLength(0, 0, 0));
  EXPECT_FALSE(qf::IsSteadyLength(7, 7, 6));
  EXPECT_FALSE(qf::IsSteadyLength(6, 7, 7));
  EXPECT_FALSE(qf::IsSteadyLength(7, 6, 7));
}

constexpr qf::SteadyWaitTiming kFast{0.005, 0.2};

// Replays a list of readings, then repeats the last one.
struct Readings {
  std::vector<std::optional<std::size_t>> values;
  std::size_t calls = 0;
  std::optional<std::size_t> operator()() {
    const std::size_t i = std::min(calls, values.size() - 1);
    ++calls;
    return values[i];
  }
};

TEST(WaitForSteadyLength, StopsAtTheFirstRoundThatAgrees) {
  // First round 9, 5, 5 (a client still shortening the line); the second settles on 5.
  Readings readings{{9, 5, 5, 5, 5, 5, 7}};
  EXPECT_EQ(qf::WaitForSteadyLength(std::ref(readings), kFast), qf::SteadyWait::kSteady);
  EXPECT_EQ(readings.calls, 6u);
}

TEST(WaitForSteadyLength, GivesUpOnAnEmptyBoxAfterItsLimit) {
  Readings readings{{0}};
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(qf::WaitForSteadyLength(std::ref(readings), kFast), qf::SteadyWait::kGaveUp);
  EXPECT_GE(SecondsSince(start), kFast.limit);
  EXPECT_EQ(readings.calls % 3, 0u);  // only whole rounds
}

TEST(WaitForSteadyLength, EndsAtOnceWhenAReadingFails) {
  Readings readings{{4, std::nullopt}};
  EXPECT_EQ(qf::WaitForSteadyLength(std::ref(readings), kFast), qf::SteadyWait::kUnreadable);
  EXPECT_EQ(readings.calls, 2u);
}

// A pump that sees the quit after `quitAfter` passes and, like a queue holding WM_QUIT,
// never blocks again.
struct QuittingPump {
  static inline int pumps = 0;
  static inline int waits = 0;
  static inline int quitAfter = 0;
  static void Pump() { ++pumps; }
  static void Wait(unsigned) { ++waits; }
  static bool Quit() { return pumps >= quitAfter; }
};

TEST(PauseAndSteadyWait, StopAtOnceOnceTheProgramIsAskedToEnd) {
  const qf::EventPump previous =
      qf::SetEventPump({&QuittingPump::Pump, &QuittingPump::Wait, &QuittingPump::Quit});
  QuittingPump::quitAfter = 1;
  qf::Pause(30.0);  // would spin for 30 s on a queue that never empties
  EXPECT_EQ(QuittingPump::pumps, 1);
  EXPECT_EQ(QuittingPump::waits, 0);
  QuittingPump::pumps = 0;
  QuittingPump::quitAfter = 2;  // quit arrives during the first pause of a round
  Readings readings{{3}};
  EXPECT_EQ(qf::WaitForSteadyLength(std::ref(readings), {10.0, 60.0}), qf::SteadyWait::kQuitting);
  EXPECT_EQ(readings.calls, 1u);
  EXPECT_LE(QuittingPump::waits, 1);
  qf::SetEventPump(previous);
}

}  // namespace

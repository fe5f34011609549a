// The millisecond clock: the virtual clock moves only by sleeping and wraps at 32 bits; the real
// clock really sleeps.
#include "platform/core/clock.h"

#include <gtest/gtest.h>

namespace {

class ClockTest : public ::testing::Test {
 protected:
  void TearDown() override { UseRealClock(); }
};

TEST_F(ClockTest, VirtualClockMovesOnlyWhenSleeping) {
  UseVirtualClock(1000);
  EXPECT_TRUE(ClockIsVirtual());
  EXPECT_EQ(ElapsedMillis(), 1000u);
  EXPECT_EQ(ElapsedMillis(), 1000u);
  SleepMillis(37);
  EXPECT_EQ(ElapsedMillis(), 1037u);
  SleepMillis(0);
  SleepMillis(-5);
  EXPECT_EQ(ElapsedMillis(), 1037u);
}

TEST_F(ClockTest, VirtualClockWrapsAtThirtyTwoBits) {
  UseVirtualClock(0xFFFFFFF0u);
  SleepMillis(32);
  EXPECT_EQ(ElapsedMillis(), 16u);
  EXPECT_EQ(ElapsedMillis() - 0xFFFFFFF0u, 32u);
}

TEST_F(ClockTest, RealClockSleepsForReal) {
  UseRealClock();
  EXPECT_FALSE(ClockIsVirtual());
  const uint32_t before = ElapsedMillis();
  SleepMillis(25);
  const uint32_t waited = ElapsedMillis() - before;
  EXPECT_GE(waited, 24u);  // the millisecond count may round the start down
  EXPECT_LT(waited, 2000u);
}

}  // namespace

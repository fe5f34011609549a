// Frame pacing on the virtual clock: 27 frames in every 1000 ms (26 intervals of 37 ms and one of
// 38), a late frame starting the next slot from that moment, and an open that spends no time.
#include "platform/display/display_internal.h"
#include "platform/input/keyboard.h"
#include "tests/platform/display/display_support.h"

namespace {

class PacingTest : public HeadlessDisplayTest {
 protected:
  // The times at which `count` paced frames are presented, each drawn with no delay.
  static std::vector<uint32_t> PacedTimes(int count) {
    std::vector<uint32_t> times;
    for (int i = 0; i < count; ++i) {
      FlipFrame(-1);
      times.push_back(ElapsedMillis());
    }
    return times;
  }
};

TEST_F(PacingTest, OpeningSpendsNoVirtualTime) {
  EXPECT_EQ(ElapsedMillis(), 1000u);
  EXPECT_TRUE(DisplayPacedByTimer());
  EXPECT_EQ(DisplayFrameTarget(), 1000u);
  EXPECT_EQ(DisplayWidth(), 800);
  EXPECT_EQ(DisplayHeight(), 600);
  // Both buffers start black, and the drawing state at its defaults.
  EXPECT_RGB_NEAR(Probe(0, 0), (TRgb{0, 0, 0}));
  EXPECT_RGB_NEAR(Probe(799, 599), (TRgb{0, 0, 0}));
  EXPECT_EQ(GetBlendMode(), 1);
  EXPECT_EQ(GetDrawAlpha(), 1.0f);
  int32_t r, g, b;
  GetDrawColor(r, g, b);
  EXPECT_EQ(r + g + b, 765);
}

TEST_F(PacingTest, TwentySevenFramesTakeExactlyOneSecond) {
  std::vector<uint32_t> times = PacedTimes(54);
  int of37 = 0, of38 = 0;
  uint32_t previous = 1000;
  for (size_t i = 0; i < times.size(); ++i) {
    uint32_t interval = times[i] - previous;
    previous = times[i];
    if (interval == 37) ++of37;
    if (interval == 38) ++of38;
    EXPECT_TRUE(interval == 37 || interval == 38) << "frame " << i + 1 << " took " << interval;
  }
  EXPECT_EQ(of37, 52);
  EXPECT_EQ(of38, 2);
  EXPECT_EQ(times[26], 2000u);
  EXPECT_EQ(times[53], 3000u);
  EXPECT_EQ(times[25] - times[24], 37u);
  EXPECT_EQ(times[26] - times[25], 38u);
}

TEST_F(PacingTest, ALateFrameIsPresentedAtOnceAndTheNextSlotStartsThen) {
  PacedTimes(3);
  EXPECT_EQ(ElapsedMillis(), 1111u);
  SleepMillis(100);  // the game took too long over this frame
  FlipFrame(-1);
  EXPECT_EQ(ElapsedMillis(), 1211u);
  FlipFrame(-1);
  EXPECT_EQ(ElapsedMillis(), 1248u);
  SleepMillis(20);  // slower, but within its slot
  FlipFrame(-1);
  EXPECT_EQ(ElapsedMillis(), 1285u);
}

TEST_F(PacingTest, UnpacedPresentsTakeNoTimeAndEveryPresentIsCounted) {
  int64_t before = PresentedFrameCount();
  FlipFrame(0);
  FlipFrame(1);
  EXPECT_EQ(ElapsedMillis(), 1000u);
  FlipFrame(-1);
  EXPECT_EQ(PresentedFrameCount(), before + 3);
}

TEST(PacingRateTest, RateZeroIsNotPacedByTheTimer) {
  SetEndMode(EndMode::Throw);
  UseVirtualClock(500);
  SetDisplayHeadless(true);
  ASSERT_NE(OpenDisplay(800, 600, 0, 0, 0), nullptr);
  EXPECT_FALSE(DisplayPacedByTimer());
  FlipFrame(-1);
  FlipFrame(-1);
  EXPECT_EQ(ElapsedMillis(), 500u);
  ASSERT_NE(OpenDisplay(800, 600, 0, 60, 0), nullptr);
  EXPECT_TRUE(DisplayPacedByTimer());
  FlipFrame(-1);
  EXPECT_EQ(ElapsedMillis(), 516u);
  CloseDisplay();
  EXPECT_EQ(DisplayWidth(), 0);
  ResetExitHandlers();
  UseRealClock();
}

TEST(DisplaySequenceTest, OpeningAndClosingEachCount) {
  SetEndMode(EndMode::Throw);
  UseVirtualClock(0);
  SetDisplayHeadless(true);
  CloseDisplay();
  uint32_t start = DisplaySequence();
  CloseDisplay();
  EXPECT_EQ(DisplaySequence(), start);
  ASSERT_NE(OpenDisplay(800, 600, 16, 27, 0), nullptr);
  EXPECT_EQ(DisplaySequence(), start + 1);
  ASSERT_NE(OpenDisplay(800, 600, 16, 27, 0), nullptr);
  EXPECT_EQ(DisplaySequence(), start + 3);
  CloseDisplay();
  EXPECT_EQ(DisplaySequence(), start + 4);
  EXPECT_FALSE(DisplayHasContext());
  uint8_t rgb[3];
  EXPECT_FALSE(ReadPresentedPixel(0, 0, rgb));
  ResetExitHandlers();
  UseRealClock();
}

}  // namespace

// A display that draws nothing: the same session of draws, sleeps and presents on it and on a drawn
// display must take the same virtual time, count the same frames and record the same draws, while
// it makes no context, no texture and no picture to read; and a run's choice does not outlive it.
#include <vector>

#include "platform/display/display_internal.h"
#include "platform/display/texture.h"
#include "platform/input/keyboard.h"
#include "platform/run.h"
#include "tests/platform/display/display_support.h"

namespace {

struct TSession {
  uint32_t clock = 0;
  int64_t frames = 0;
  std::vector<TDrawRecord> records;
  bool context = false, texture = false, pixel = false;
};

// Opens a display at virtual time 1000, draws a picture in two ways over paced and unpaced frames
// with a late one among them, and closes it again.
TSession PlaySession(bool drawsNothing) {
  TSession session;
  UseVirtualClock(1000);
  ResetKeyboard();
  SetDisplayHeadless(true);
  SetDisplayDrawsNothing(drawsNothing);
  EXPECT_NE(OpenDisplay(800, 600, 16, 27, 0), nullptr);
  EXPECT_EQ(DisplayWidth(), 800);
  ImagePtr picture = MakeImageFromPixmap(*SolidPixmap(30, 20, {200, 10, 10}), 0);
  EXPECT_EQ(picture->width, 30) << "images are decoded and sized either way";
  SetDrawRecorder(&session.records);
  for (int i = 0; i < 40; ++i) {
    SetDrawAlpha(static_cast<float>(i % 5) / 4.0f);
    DrawImageFrame(picture.get(), static_cast<float>(i * 7), 100, 0);
    DrawImageRect(picture.get(), 10, static_cast<float>(i * 3), 60, 40, 0);
    if (i % 9 == 0) SleepMillis(50);
    FlipFrame(i % 13 == 0 ? 0 : -1);
  }
  SetDrawRecorder(nullptr);
  session.context = DisplayHasContext();
  session.texture = ImageFrameTexture(picture.get(), 0) != nullptr;
  uint8_t rgb[3];
  session.pixel = ReadPresentedPixel(5, 105, rgb);
  session.clock = ElapsedMillis();
  session.frames = PresentedFrameCount();
  picture.reset();
  CloseDisplay();
  SetDisplayDrawsNothing(false);
  ResetExitHandlers();
  UseRealClock();
  return session;
}

TEST(DrawNothingTest, PacesCountsAndRecordsAsADrawnDisplayWithoutDrawing) {
  SetEndMode(EndMode::Throw);
  const TSession drawn = PlaySession(false);
  const TSession nothing = PlaySession(true);
  EXPECT_TRUE(drawn.context && drawn.texture && drawn.pixel);
  EXPECT_FALSE(nothing.context);
  EXPECT_FALSE(nothing.texture);
  EXPECT_FALSE(nothing.pixel);
  EXPECT_EQ(nothing.clock, drawn.clock);
  EXPECT_GT(nothing.clock, 2000u);
  EXPECT_EQ(nothing.frames, drawn.frames);
  EXPECT_EQ(nothing.frames, 42) << "the two presents of the opening, then one a pass";
  ASSERT_EQ(nothing.records.size(), drawn.records.size());
  for (size_t i = 0; i < drawn.records.size(); ++i) {
    EXPECT_EQ(nothing.records[i].x, drawn.records[i].x);
    EXPECT_EQ(nothing.records[i].alpha, drawn.records[i].alpha);
    EXPECT_EQ(nothing.records[i].width, drawn.records[i].width);
  }
}

void CheckNothingIsDrawn() {
  EXPECT_TRUE(DisplayDrawsNothing());
  EXPECT_NE(OpenDisplay(800, 600, 16, 27, 0), nullptr);
  EXPECT_FALSE(DisplayHasContext());
}

TEST(DrawNothingTest, ARunThatDrawsNothingLeavesTheNextDisplayDrawn) {
  TRunOptions options;
  options.headless = true;
  options.virtualClock = true;
  options.drawNothing = true;
  EXPECT_EQ(RunProgram(options, CheckNothingIsDrawn), 0);
  EXPECT_FALSE(DisplayDrawsNothing());
  ResetExitHandlers();
  UseRealClock();
}

}  // namespace

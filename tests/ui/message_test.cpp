// The typed message: how many frames it lasts (single-precision letter count), its pulse and
// flicker colours, the unpresented last frame, skipping and Escape.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/message.h"
#include "platform/display/display.h"
#include "platform/input/key_events.h"
#include "platform/input/keyboard.h"
#include "platform/core/program.h"
#include "platform/core/random.h"
#include "tests/support/end_status.h"
#include "tests/ui/ui_support.h"

namespace {

class Message : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetScreenWorld();
    SetDrawRecorder(&records);
  }
  void TearDown() override { SetDrawRecorder(nullptr); }

  int32_t FramesPresented() const {
    return static_cast<int32_t>(std::count_if(records.begin(), records.end(),
                                              [](const TDrawRecord& r) { return r.image == TitlePicture.get(); }));
  }
  // The message's own glyphs: drawn at the display's middle row at the message's scale.
  std::vector<TDrawRecord> MessageGlyphs(float scale) const {
    std::vector<TDrawRecord> out;
    for (const TDrawRecord& r : GlyphsOf(records))
      if (r.y == 300.0f && r.scaleX == scale) out.push_back(r);
    return out;
  }
  // The message glyphs of the frame being drawn after `presented` frames.
  std::vector<TDrawRecord> FrameGlyphs(int32_t presented) const {
    std::vector<TDrawRecord> out;
    int32_t seen = 0;
    for (const TDrawRecord& r : records) {
      if (r.image == TitlePicture.get()) ++seen;
      else if (seen == presented && r.image == font.glyphs.get() && r.y == 300.0f) out.push_back(r);
    }
    return out;
  }
  std::vector<TDrawRecord> records;
};

TEST_F(Message, SpiderAttackAtSpeedPointEightTakesTwentySixFrames) {
  // In single precision the count passes 21 on the 26th frame; in double it would on the 25th.
  SeedRandom(99);
  const int64_t before = PresentedFrameCount();
  EXPECT_EQ(ShowMessage("A spider attacks!", 1.0f, 0.8f, 0, 0), 0);
  EXPECT_EQ(FramesPresented(), 25);
  EXPECT_EQ(PresentedFrameCount() - before, 25);
  // Each of the 26 frames drew two flicker colours of two generator steps each.
  int32_t state = 99;
  for (int32_t i = 0; i < 26 * 4; ++i) state = RandomStep(state);
  EXPECT_EQ(RandomState(), state);
  // The last, unpresented frame holds the whole text, centred on the display's middle.
  std::vector<TDrawRecord> last = FrameGlyphs(25);
  ASSERT_EQ(last.size(), 15u);
  EXPECT_EQ(last.front().x, static_cast<float>(400 - 17 * 8 / 2));
}

TEST_F(Message, TextStaysCompleteForAboutFourOverSpeedFrames) {
  const float speed = 0.5f;
  EXPECT_EQ(ShowMessage("ABCDEFGHIJ", 1.0f, speed, 1, 1), 0);
  // c = 1 + 0.5 n: the text is whole from n = 18 and the message ends at n = 27.
  EXPECT_EQ(FramesPresented(), 26);
  int32_t wholeFrames = 0;
  for (int32_t f = 0; f <= 26; ++f)
    if (FrameGlyphs(f).size() == 10u) ++wholeFrames;
  EXPECT_EQ(wholeFrames, 10);
  EXPECT_NEAR(wholeFrames, 4 / speed, 2);
}

TEST_F(Message, PulseFollowsTheCosineAndEndsInDeepRed) {
  ShowMessage("ABCD", 1.0f, 0.5f, 1, 1);
  // First frame: c = 1.5, cos(78 degrees) x 50 + 204 = 214.4.
  std::vector<TDrawRecord> first = FrameGlyphs(0);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].red, 214);
  EXPECT_EQ(first[0].green, 0);
  EXPECT_EQ(first[0].blue, 0);
  // c = 1 + 0.5 n passes 8 at n = 15: 14 frames presented, the 15th drawn in (226, 0, 0).
  EXPECT_EQ(FramesPresented(), 14);
  std::vector<TDrawRecord> last = FrameGlyphs(14);
  ASSERT_EQ(last.size(), 4u);
  EXPECT_EQ(last[0].red, 226);
}

TEST_F(Message, FlickerDrawsGreenThenBlueFromTheGenerator) {
  SeedRandom(12345);
  std::vector<int32_t> expected;
  for (int32_t i = 0; i < 6; ++i) expected.push_back(static_cast<int32_t>(RandomReal(0, 190)));
  SeedRandom(12345);
  ShowMessage("AB", 2.0f, 1.0f, 0, 1);
  for (int32_t f = 0; f < 3; ++f) {
    std::vector<TDrawRecord> glyphs = FrameGlyphs(f);
    ASSERT_FALSE(glyphs.empty()) << "frame " << f;
    EXPECT_EQ(glyphs[0].red, 255);
    EXPECT_EQ(glyphs[0].green, expected[static_cast<size_t>(2 * f)]);
    EXPECT_EQ(glyphs[0].blue, expected[static_cast<size_t>(2 * f + 1)]);
    EXPECT_EQ(glyphs[0].scaleX, 2.0f);
  }
  float sx = 0, sy = 0;
  GetDrawScale(sx, sy);
  EXPECT_EQ(sx, 1.0f);
  EXPECT_EQ(sy, 1.0f);
}

TEST_F(Message, FramesCarryTheStageAndThePanel) {
  ShowMessage("AB", 1.0f, 1.0f, 1, 1);
  // Six frames drawn, five presented, each with the hero's name and the panel's corner ball.
  auto countAt = [&](float x, float y) {
    return std::count_if(records.begin(), records.end(), [&](const TDrawRecord& r) {
      return r.image == font.glyphs.get() && r.x == x && r.y == y;
    });
  };
  EXPECT_EQ(FramesPresented(), 5);
  EXPECT_EQ(countAt(120.0f, 375.0f), 5);
  EXPECT_EQ(countAt(0.0f, 502.0f), 5);
}

TEST_F(Message, SpaceSkipsAsSoonAsItIsPressed) {
  UseKeys("space@3");
  EXPECT_EQ(ShowMessage("A long message that would take a while", 1.0f, 0.5f, 1, 0), 1);
  EXPECT_EQ(FramesPresented(), 3);
}

TEST_F(Message, EnterSkipsToo) {
  UseKeys("enter@2");
  EXPECT_EQ(ShowMessage("A long message that would take a while", 1.0f, 0.5f, 0, 0), 1);
  EXPECT_EQ(FramesPresented(), 2);
}

TEST_F(Message, SpaceIsAskedFirstAndEnterStaysPending) {
  KeyDownEvent(KeySpace);
  KeyUpEvent(KeySpace);
  KeyDownEvent(KeyEnter);
  KeyUpEvent(KeyEnter);
  EXPECT_EQ(ShowMessage("Hello", 1.0f, 0.5f, 0, 0), 1);
  EXPECT_EQ(FramesPresented(), 0);
  EXPECT_EQ(WasKeyPressed(KeyEnter), 1);
}

TEST_F(Message, NoSkipIgnoresSpace) {
  UseKeys("space@1");
  EXPECT_EQ(ShowMessage("ABC", 1.0f, 1.0f, 1, 1), 0);
  EXPECT_EQ(FramesPresented(), 6);
}

TEST_F(Message, EscapeEndsTheProgramEvenWhenNotSkippable) {
  UseKeys("esc@2");
  bool handlerRan = false;
  AtExit([&] { handlerRan = true; });
  EXPECT_EQ(EndStatus([] { ShowMessage("A long message that would take a while", 1.0f, 0.5f, 1, 1); }), 0);
  EXPECT_TRUE(handlerRan);
  EXPECT_EQ(FramesPresented(), 2);
}

}  // namespace

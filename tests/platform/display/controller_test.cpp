// Game controllers as the game's keys, pressed on SDL's virtual controllers through the SDL key
// source (delivered, as the keyboard's are, right after a presented frame): every button and direction gives its key and nothing else, the stick's dead zone, a held
// direction repeating like a held key, and controllers plugged in and pulled out while playing.
#include <string>
#include <utility>
#include <vector>

#include "platform/display/sdl_controllers.h"
#include "platform/display/sdl_events.h"
#include "platform/input/keyboard.h"
#include "platform/replay/recorder.h"
#include "tests/platform/display/display_support.h"
#include "tests/support/key_script.h"
#include "tests/support/virtual_pad.h"

namespace {

constexpr int kLeft = 37, kRight = 39;

class ControllerTest : public HeadlessDisplayTest {
 protected:
  void SetUp() override {
    HeadlessDisplayTest::SetUp();
    ResetKeyboard();
    UseSdlKeySource();
    StartControllers();  // the game's first key wait does it
  }
  void TearDown() override {
    StopControllers();
    ResetKeyboard();
    HeadlessDisplayTest::TearDown();
  }

  // The window's keys reach the game right after a presented frame (or inside a key wait).
  static void Delivered() { FlipFrame(0); }
  // Whether key is held, once the pad's last change has been delivered.
  static int Down(int key) {
    Delivered();
    return IsKeyDown(key);
  }
  // Every key with presses since last asked, as (key, presses), taking them, once delivered.
  static std::vector<std::pair<int, int>> Pressed() {
    Delivered();
    std::vector<std::pair<int, int>> keys;
    for (int key = 1; key < 256; ++key)
      if (int n = WasKeyPressed(key)) keys.emplace_back(key, n);
    return keys;
  }
  static std::vector<std::pair<int, int>> Once(int key) { return {{key, 1}}; }
  static std::vector<std::pair<int, int>> None() { return {}; }
};

TEST_F(ControllerTest, EachButtonAndDirectionGivesItsKeyAndNothingElse) {
  TVirtualPad pad;
  ASSERT_TRUE(pad.Plugged());
  ClearKeyPresses();
  const std::pair<TPadButton, int> buttons[] = {
      {PadUp, KeyUp},    {PadDown, KeyDown}, {PadLeft, kLeft},   {PadRight, kRight}, {PadA, KeyEnter},
      {PadStart, KeyEnter}, {PadX, KeySpace}, {PadB, KeyEscape}, {PadBack, KeyEscape},
  };
  for (auto [button, key] : buttons) {
    pad.Press(button);
    EXPECT_EQ(Pressed(), Once(key)) << "button " << button;
    EXPECT_EQ(Down(key), 1) << "button " << button;
    pad.Release(button);
    EXPECT_EQ(Down(key), 0) << "button " << button;
    EXPECT_EQ(Pressed(), None()) << "button " << button;
  }
  for (TPadButton unused : {PadY, PadGuide, PadLeftShoulder, PadRightShoulder}) {
    pad.Press(unused);
    pad.Release(unused);
    EXPECT_EQ(Pressed(), None()) << "button " << unused;
  }
  const struct {
    int32_t x, y;
    int key;
  } pushes[] = {{0, -30000, KeyUp}, {0, 32767, KeyDown}, {-32768, 0, kLeft}, {30000, 0, kRight}};
  for (const auto& push : pushes) {
    pad.Stick(push.x, push.y);
    EXPECT_EQ(Pressed(), Once(push.key)) << push.x << "," << push.y;
    EXPECT_EQ(Down(push.key), 1);
    pad.Stick(0, 0);
    EXPECT_EQ(Down(push.key), 0);
  }
}

TEST_F(ControllerTest, TheStickHasADeadZoneAndPressesOneDirectionAtATime) {
  TVirtualPad pad;
  ClearKeyPresses();
  // Resting off-centre, as worn sticks do: nothing.
  pad.Stick(7000, -7000);
  EXPECT_EQ(Pressed(), None());
  pad.Stick(-12000, 12000);
  EXPECT_EQ(Pressed(), None());
  // A diagonal push presses its stronger direction only.
  pad.Stick(12000, 25000);
  EXPECT_EQ(Pressed(), Once(KeyDown));
  // Eased back but still out of the dead zone: still held, no second press.
  pad.Stick(3000, 10000);
  EXPECT_EQ(Pressed(), None());
  EXPECT_EQ(Down(KeyDown), 1);
  // Turned over to the other axis: one key lets go, the other is pressed.
  pad.Stick(-25000, 9000);
  EXPECT_EQ(Pressed(), Once(kLeft));
  EXPECT_EQ(Down(KeyDown), 0);
  pad.Stick(-6000, 0);
  EXPECT_EQ(Down(kLeft), 0);
  EXPECT_EQ(Pressed(), None());
}

TEST_F(ControllerTest, AHeldDirectionRepeatsAsAHeldKeyDoes) {
  uint32_t delay = 0, interval = 0;
  ControllerRepeatTiming(delay, interval);
  ASSERT_GT(delay, interval);
  TVirtualPad pad;
  ClearKeyPresses();
  pad.Stick(0, 30000);
  EXPECT_EQ(Pressed(), Once(KeyDown));
  // Held, a key counts once until a key wait forgets the held keys; then its repeat is a new press.
  SleepMillis(static_cast<int32_t>(delay));
  EXPECT_EQ(Pressed(), None());
  ClearKeyPresses();
  SleepMillis(static_cast<int32_t>(interval) - 1);
  EXPECT_EQ(Pressed(), None());
  SleepMillis(1);
  EXPECT_EQ(Pressed(), Once(KeyDown));
  // A long frame: one repeat, not a burst, and the next an interval later.
  ClearKeyPresses();
  SleepMillis(static_cast<int32_t>(interval) * 10);
  EXPECT_EQ(Pressed(), Once(KeyDown));
  ClearKeyPresses();
  SleepMillis(static_cast<int32_t>(interval) - 1);
  EXPECT_EQ(Pressed(), None());
  // Let go: no more repeats.
  pad.Stick(0, 0);
  ClearKeyPresses();
  SleepMillis(static_cast<int32_t>(delay) * 2);
  EXPECT_EQ(Pressed(), None());
  // Buttons other than the directions do not repeat.
  pad.Press(PadA);
  EXPECT_EQ(Pressed(), Once(KeyEnter));
  ClearKeyPresses();
  SleepMillis(static_cast<int32_t>(delay) * 2);
  EXPECT_EQ(Pressed(), None());
}

TEST_F(ControllerTest, ControllersPluggedInAndPulledOutWhilePlaying) {
  auto first = std::make_unique<TVirtualPad>();
  TVirtualPad second;
  ClearKeyPresses();
  // Both play; Enter held by both is one key, held until the last lets go.
  first->Press(PadA);
  second.Press(PadStart);
  EXPECT_EQ(Pressed(), Once(KeyEnter));
  second.Release(PadStart);
  EXPECT_EQ(Down(KeyEnter), 1);
  second.Press(PadDown);
  EXPECT_EQ(Pressed(), Once(KeyDown));
  // Pulled out while holding Enter and with the stick pushed: it lets go of both.
  first->Stick(0, -30000);
  EXPECT_EQ(Pressed(), Once(KeyUp));
  first->Unplug();
  EXPECT_EQ(Down(KeyEnter), 0);
  EXPECT_EQ(Down(KeyUp), 0);
  EXPECT_EQ(Down(KeyDown), 1);
  first.reset();
  ClearKeyPresses();
  SleepMillis(5000);
  EXPECT_EQ(Pressed(), None()) << "a pulled-out controller's direction must not repeat";
  // A controller plugged in mid-game plays at once, beside the one still there.
  TVirtualPad third;
  ClearKeyPresses();  // it is opened as its arrival is handled
  third.Press(PadX);
  EXPECT_EQ(Pressed(), Once(KeySpace));
  second.Release(PadDown);
  second.Press(PadB);
  EXPECT_EQ(Pressed(), Once(KeyEscape));
}

// A controller's keys are written to a recording where they reach the game, as the keyboard's are:
// right after a present, or as the press a key wait takes.
TEST_F(ControllerTest, ControllerKeysAreRecordedWhereTheyReachTheGame) {
  TVirtualPad pad;
  ClearKeyPresses();
  std::string error;
  ASSERT_TRUE(StartRecorder("", "test", "no-such-save", 0, error)) << error;
  pad.Press(PadA);
  EXPECT_EQ(Pressed(), Once(KeyEnter));
  const int64_t frame = PresentedFrameCount();
  pad.Release(PadA);
  static TVirtualPad* waiting;
  waiting = &pad;
  SetKeyWaitHook([] { waiting->Press(PadX); });
  EXPECT_EQ(WaitForKey(), KeySpace);
  SetKeyWaitHook(nullptr);
  FinishRecorder(0);
  const std::string at = std::to_string(frame);
  const std::vector<std::string> expected = {at + " enter@" + at, at + " space"};
  EXPECT_EQ(RecordedLines(LastRecording().keys), expected);
}

}  // namespace

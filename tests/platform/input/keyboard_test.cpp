// The key table and the waits, driven by a scripted fake key source: presses counted once per
// key-down, held keys, clearing, the lowest-code rule of WaitForKey, focus and close events, and the
// key names.
#include "platform/input/key_events.h"
#include "platform/input/keyboard.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "platform/core/program.h"
#include "tests/support/end_status.h"

namespace {

// Events to deliver, one batch per wait; polls deliver the batch queued for polling.
struct FakeSource {
  std::deque<std::function<void()>> waits;
  std::function<void()> onPoll;
  int polls = 0;
  int waitCalls = 0;
  std::vector<int64_t> frames;
};

FakeSource* fake = nullptr;

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetKeyboard();
    SetKeyWaitHook(nullptr);
    ResetExitHandlers();
    SetEndMode(EndMode::Throw);
    fake = &source;
    TKeySource keys;
    keys.poll = [] {
      ++fake->polls;
      if (fake->onPoll) std::exchange(fake->onPoll, nullptr)();
    };
    keys.wait = [] {
      ++fake->waitCalls;
      if (fake->waits.empty()) ExitProgram();
      auto batch = fake->waits.front();
      fake->waits.pop_front();
      batch();
    };
    keys.framePresented = [](int64_t frame) { fake->frames.push_back(frame); };
    SetKeySource(keys);
  }
  void TearDown() override {
    ResetKeyboard();
    SetKeyWaitHook(nullptr);
    fake = nullptr;
  }

  static void Tap(int key) {
    KeyDownEvent(key);
    KeyUpEvent(key);
  }

  FakeSource source;
};

TEST_F(KeyboardTest, PressesCountUntilAsked) {
  Tap(KeySpace);
  Tap(KeySpace);
  EXPECT_EQ(WasKeyPressed(KeySpace), 2);
  EXPECT_EQ(WasKeyPressed(KeySpace), 0);
  EXPECT_EQ(IsKeyDown(KeySpace), 0);
}

TEST_F(KeyboardTest, HeldKeyCountsOncePerKeyDown) {
  KeyDownEvent(KeyUp);
  for (int frame = 0; frame < 10; ++frame) {
    KeyDownEvent(KeyUp);  // auto-repeat
    EXPECT_EQ(IsKeyDown(KeyUp), 1);
    EXPECT_EQ(WasKeyPressed(KeyUp), frame == 0 ? 1 : 0);
  }
  KeyUpEvent(KeyUp);
  EXPECT_EQ(IsKeyDown(KeyUp), 0);
}

TEST_F(KeyboardTest, ClearingMakesAHeldKeyUpSoItsRepeatCountsAgain) {
  KeyDownEvent(KeyEnter);
  CharTypedEvent('x');
  ClearKeyPresses();
  EXPECT_EQ(IsKeyDown(KeyEnter), 0);
  EXPECT_EQ(WasKeyPressed(KeyEnter), 0);
  EXPECT_EQ(TypedCharCount(), 0);
  KeyDownEvent(KeyEnter);
  EXPECT_EQ(WasKeyPressed(KeyEnter), 1);
}

TEST_F(KeyboardTest, QueriesHandlePendingMessagesFirst) {
  source.onPoll = [] { Tap(KeyG); };
  EXPECT_EQ(WasKeyPressed(KeyG), 1);
  source.onPoll = [] { KeyDownEvent(KeyH); };
  ClearKeyPresses();  // the pending press is handled, then forgotten
  EXPECT_EQ(IsKeyDown(KeyH), 0);
  EXPECT_GE(source.polls, 3);
}

TEST_F(KeyboardTest, WaitReturnsTheLowestCodeAndLeavesTheOthers) {
  source.waits.push_back([] {
    Tap(KeySpace);
    Tap(KeyEnter);
  });
  EXPECT_EQ(WaitForKey(), KeyEnter);
  EXPECT_EQ(WasKeyPressed(KeySpace), 1);
}

TEST_F(KeyboardTest, WaitForgetsEarlierPressesAndWaitsForANewOne) {
  Tap(KeyA);
  source.waits.push_back([] { KeyUpEvent(KeyDown); });
  source.waits.push_back([] {});
  source.waits.push_back([] { Tap(Key0 + 3); });
  EXPECT_EQ(WaitForKey(), Key0 + 3);
  EXPECT_EQ(source.waitCalls, 3);
  EXPECT_EQ(WasKeyPressed(KeyA), 0);
}

TEST_F(KeyboardTest, WaitHookRunsAfterTheClear) {
  static int heldInHook = -1;
  heldInHook = -1;
  SetKeyWaitHook([] { heldInHook = IsKeyDown(KeyEscape); });
  KeyDownEvent(KeyEscape);
  source.waits.push_back([] { Tap(KeyEscape); });
  EXPECT_EQ(WaitForKey(), KeyEscape);
  EXPECT_EQ(heldInHook, 0);
}

TEST_F(KeyboardTest, WaitWithoutAKeySourceEndsTheProgram) {
  ResetKeyboard();
  static bool handlerRan = false;
  handlerRan = false;
  AtExit([] { handlerRan = true; });
  EXPECT_EQ(EndStatus(WaitForKey), 0);
  EXPECT_TRUE(handlerRan);
  // With no source the queries still work, on events alone.
  Tap(KeySpace);
  EXPECT_EQ(WasKeyPressed(KeySpace), 1);
}

TEST_F(KeyboardTest, FocusChangesClearKeysAndMarkSuspension) {
  KeyDownEvent(KeyDown);
  FocusEvent(false);
  EXPECT_EQ(KeysSuspended(), 1);
  EXPECT_EQ(IsKeyDown(KeyDown), 0);
  EXPECT_EQ(WasKeyPressed(KeyDown), 0);
  Tap(KeyUp);
  FocusEvent(true);
  EXPECT_EQ(KeysSuspended(), 0);
  EXPECT_EQ(WasKeyPressed(KeyUp), 0);
}

TEST_F(KeyboardTest, TypedCharactersStopAt256AndBadCodesAreIgnored) {
  for (int i = 0; i < 300; ++i) CharTypedEvent('a');
  EXPECT_EQ(TypedCharCount(), 256);
  KeyDownEvent(-1);
  KeyDownEvent(256);
  KeyUpEvent(999);
  EXPECT_EQ(IsKeyDown(256), 0);
  EXPECT_EQ(WasKeyPressed(-1), 0);
}

TEST_F(KeyboardTest, PresentedFramesAreCountedFromOne) {
  EXPECT_EQ(PresentedFrameCount(), 0);
  NotifyFramePresented();
  NotifyFramePresented();
  NotifyFramePresented();
  EXPECT_EQ(PresentedFrameCount(), 3);
  EXPECT_EQ(source.frames, (std::vector<int64_t>{1, 2, 3}));
  ResetKeyboard();
  EXPECT_EQ(PresentedFrameCount(), 0);
}

// Names in any case; every code's name, the vkN ones included, reads back as that code.
TEST(KeyNameTest, NamesReadBackAsTheirCodes) {
  const std::pair<const char*, int> names[] = {
      {"enter", 13}, {"ESC", 27}, {"Space", 32}, {"up", 38}, {"DOWN", 40}, {"0", 48}, {"9", 57},
      {"a", 65},     {"Z", 90},   {"g", 71},     {"f1", 112}, {"F12", 123}, {"lshift", 160},
      {"RShift", 161}, {"vk37", 37}};
  for (const auto& [name, code] : names) EXPECT_EQ(KeyCodeFromName(name), code) << name;
  for (const char* bad : {"", "f0", "f13", "f01", "escape", "ab", "return", "-", "vk0", "vk256", "vk037"}) {
    EXPECT_EQ(KeyCodeFromName(bad), 0) << bad;
  }
  for (int key = 1; key < 256; ++key) EXPECT_EQ(KeyCodeFromName(KeyNameFromCode(key)), key);
}

}  // namespace

// SDL key events as the game sees them: virtual-key codes, the window's own keys (Alt, Alt+Enter,
// F11) kept from the game's queries and waits, keypad digits apart from the row digits, and held keys
// repeating as one press.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/core/program.h"
#include "platform/display/display.h"
#include "platform/display/sdl_events.h"
#include "platform/display/sdl_key_filter.h"
#include "platform/input/keyboard.h"
#include "platform/replay/recorder.h"
#include "tests/platform/display/display_support.h"
#include "tests/support/key_script.h"

namespace {

constexpr int32_t kScan = 1 << 30;  // SDL's keycodes for keys without a character
constexpr int32_t kLeftAlt = kScan | 226, kRightAlt = kScan | 230, kAltGr = kScan | 257, kF11 = kScan | 68;

// One SDL key event: keycode, scancode, Alt held, press (else release), auto-repeat.
struct SdlKey {
  int32_t keycode, scancode;
  bool alt, down, repeat;
};

void Send(const SdlKey& k) { HandleSdlKey(k.keycode, k.scancode, k.alt, k.down, k.repeat); }

// Every way a player presses the window's own keys: Alt alone (both), AltGr, Alt+Enter with either
// key let go first and with Enter auto-repeating, F11 with a repeat.
const std::vector<SdlKey> kWindowKeys = {
    {kLeftAlt, 226, true, true, false},  {kLeftAlt, 226, true, true, true},   {kLeftAlt, 226, false, false, false},
    {kRightAlt, 230, true, true, false}, {kRightAlt, 230, false, false, false}, {kAltGr, 257, true, true, false},
    {kAltGr, 257, false, false, false},  {kLeftAlt, 226, true, true, false},  {'\r', 40, true, true, false},
    {'\r', 40, true, true, true},        {'\r', 40, true, false, false},      {kLeftAlt, 226, false, false, false},
    {kLeftAlt, 226, true, true, false},  {'\r', 40, true, true, false},       {kLeftAlt, 226, false, false, false},
    {'\r', 40, false, false, false},     {kF11, 68, false, true, false},       {kF11, 68, false, true, true},
    {kF11, 68, false, false, false},
};

TEST(SdlKeysTest, KeysBecomeTheGamesVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyFromSdl('\r', 40), 13);
  EXPECT_EQ(VirtualKeyFromSdl(27, 41), 27);
  EXPECT_EQ(VirtualKeyFromSdl(' ', 44), 32);
  EXPECT_EQ(VirtualKeyFromSdl(kScan | 82, 82), 38);   // up
  EXPECT_EQ(VirtualKeyFromSdl(kScan | 81, 81), 40);   // down
  EXPECT_EQ(VirtualKeyFromSdl('0', 39), 48);
  EXPECT_EQ(VirtualKeyFromSdl('9', 38), 57);
  EXPECT_EQ(VirtualKeyFromSdl('a', 4), 65);
  EXPECT_EQ(VirtualKeyFromSdl('g', 10), 71);
  EXPECT_EQ(VirtualKeyFromSdl('z', 29), 90);
  EXPECT_EQ(VirtualKeyFromSdl(kScan | 58, 58), 112);  // F1
  EXPECT_EQ(VirtualKeyFromSdl(kScan | 69, 69), 123);  // F12
  EXPECT_EQ(VirtualKeyFromSdl(kScan | 225, 225), 160);
  EXPECT_EQ(VirtualKeyFromSdl(kScan | 229, 229), 161);
  EXPECT_EQ(VirtualKeyFromSdl(kScan | 98, 98), 96);   // keypad 0, not the digit 0
  EXPECT_EQ(VirtualKeyFromSdl(kScan | 88, 88), 13);   // keypad Enter
  EXPECT_EQ(VirtualKeyFromSdl(0x444, 4), 65);         // a Cyrillic layout's key where A is
  EXPECT_EQ(VirtualKeyFromSdl(kScan | 300, 300), 0);
}

TEST(SdlKeysTest, TheWindowsOwnKeysNeverReachWasKeyPressed) {
  ResetKeyboard();
  ResetSdlKeyFilter();
  for (const SdlKey& k : kWindowKeys) Send(k);
  for (int key = 1; key < 256; ++key) {
    EXPECT_EQ(WasKeyPressed(key), 0) << "key " << key;
    EXPECT_EQ(IsKeyDown(key), 0) << "key " << key;
  }
  ResetKeyboard();
}

TEST(SdlKeysTest, TheWindowsOwnKeysNeverEndAWaitForKey) {
  // A key source that hands over one SDL event per wait: the window's keys, then an A.
  ResetKeyboard();
  ResetSdlKeyFilter();
  SetEndMode(EndMode::Throw);
  static std::vector<SdlKey> events;
  static size_t next = 0;
  events = kWindowKeys;
  events.push_back({'a', 4, false, true, false});
  next = 0;
  TKeySource source;
  source.wait = [] {
    if (next == events.size()) ExitProgram();
    Send(events[next++]);
  };
  SetKeySource(std::move(source));
  EXPECT_EQ(WaitForKey(), 65);
  EXPECT_EQ(next, events.size());
  ResetKeyboard();
}

TEST(SdlKeysTest, AltEnterAndF11ToggleOncePerPress) {
  ResetSdlKeyFilter();
  EXPECT_EQ(FilterSdlKey('\r', true, true, false), TSdlKeyAction::ToggleFullScreen);
  EXPECT_EQ(FilterSdlKey('\r', true, true, true), TSdlKeyAction::Drop);
  EXPECT_EQ(FilterSdlKey('\r', false, false, false), TSdlKeyAction::Drop);
  EXPECT_EQ(FilterSdlKey(kF11, false, true, false), TSdlKeyAction::ToggleFullScreen);
  EXPECT_EQ(FilterSdlKey(kF11, false, true, true), TSdlKeyAction::Drop);
  EXPECT_EQ(FilterSdlKey(kF11, false, false, false), TSdlKeyAction::Drop);
  // Other keys held with Alt are the game's, and so are the other function keys.
  EXPECT_EQ(FilterSdlKey('1', true, true, false), TSdlKeyAction::Pass);
  EXPECT_EQ(FilterSdlKey(kScan | 67, false, true, false), TSdlKeyAction::Pass);  // F10
  EXPECT_EQ(FilterSdlKey('\r', false, true, false), TSdlKeyAction::Pass);
}

TEST(SdlKeysTest, AltEnterNeverReachesTheGame) {
  ResetKeyboard();
  HandleSdlKey('\r', 40, true, true, false);
  HandleSdlKey('\r', 40, true, true, true);
  EXPECT_EQ(IsKeyDown(13), 0);
  EXPECT_EQ(WasKeyPressed(13), 0);
  // Alt let go first: the Enter's release is still swallowed.
  HandleSdlKey('\r', 40, false, false, false);
  EXPECT_EQ(WasKeyPressed(13), 0);
  HandleSdlKey('\r', 40, false, true, false);
  EXPECT_EQ(WasKeyPressed(13), 1);
  EXPECT_EQ(IsKeyDown(13), 1);
  HandleSdlKey('\r', 40, false, false, false);
  EXPECT_EQ(IsKeyDown(13), 0);
  ResetKeyboard();
}

TEST(SdlKeysTest, AutoRepeatCountsOnceUntilTheKeysAreCleared) {
  ResetKeyboard();
  HandleSdlKey(' ', 44, false, true, false);
  HandleSdlKey(' ', 44, false, true, true);
  HandleSdlKey(' ', 44, false, true, true);
  EXPECT_EQ(WasKeyPressed(32), 1);
  ClearKeyPresses();
  HandleSdlKey(' ', 44, false, true, true);
  EXPECT_EQ(WasKeyPressed(32), 1);
  ResetKeyboard();
}

class SdlDeliveryTest : public HeadlessDisplayTest {};

// Keys reach the game only where a key script can deliver them too, and are recorded there: right
// after a presented frame (KEY@N), or one press per key wait (the next one waits for the next point).
TEST_F(SdlDeliveryTest, KeysArriveAfterAPresentOrOnePerWaitAsRecorded) {
  ResetKeyboard();
  UseSdlKeySource();
  std::string error;
  ASSERT_TRUE(StartRecorder("", "test", "no-such-save", 0, error)) << error;
  QueueSdlKey('a', 4, false, true);
  QueueSdlKey(kScan | 225, 225, false, true);  // left Shift, held
  EXPECT_EQ(WasKeyPressed(65), 0) << "not in the middle of a frame";
  FlipFrame(0);
  const int64_t frame = PresentedFrameCount();
  EXPECT_EQ(WasKeyPressed(65), 1);
  EXPECT_EQ(IsKeyDown(160), 1);
  // Keys come during the wait (a wait first forgets what the game has not seen, as it always did).
  SetKeyWaitHook([] {
    QueueSdlKey('2', 31, false, true);
    QueueSdlKey('1', 30, false, true);
  });
  EXPECT_EQ(WaitForKey(), 50) << "the first press, not the lowest code";
  SetKeyWaitHook(nullptr);
  EXPECT_EQ(WasKeyPressed(49), 0);
  FlipFrame(0);
  EXPECT_EQ(WasKeyPressed(49), 1);
  FinishRecorder(0);
  const std::string at = std::to_string(frame), next = std::to_string(frame + 1);
  const std::vector<std::string> expected = {at + " a@" + at, at + " hold:lshift@" + at, at + " 2",
                                             next + " 1@" + next};
  EXPECT_EQ(RecordedLines(LastRecording().keys), expected);
  ResetKeyboard();
}

}  // namespace

// SDL key events as the game sees them: virtual-key codes, Alt+Enter kept from the game (press and
// release), keypad digits apart from the row digits, and held keys repeating as one press.
#include <gtest/gtest.h>

#include "platform/keyboard.h"
#include "platform/sdl_events.h"

namespace {

constexpr int32_t kScan = 1 << 30;  // SDL's keycodes for keys without a character

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

}  // namespace

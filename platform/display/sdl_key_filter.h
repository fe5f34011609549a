// The keys the window keeps for itself: Alt, alone or held with another key, never reaches the game;
// Alt+Enter and F11 switch between full screen and a window, and neither their presses nor their
// releases reach the game.
#pragma once
#include <cstdint>

enum class TSdlKeyAction { Pass, Drop, ToggleFullScreen };

// Decides one SDL key event (SDL keycode, whether Alt is held, press or release, auto-repeat).
TSdlKeyAction FilterSdlKey(int32_t keycode, bool alt, bool down, bool repeat);
// Forgets an Enter that went down with Alt (a new window, a new key source).
void ResetSdlKeyFilter();

// The window-system events a key source feeds the key table with. Only key sources (the SDL window,
// a key script) and their tests call these: game code reads keys, it never makes them.
#pragma once

// True when the key table changed: a new press (not the repeat of a held key), a held key let go.
bool KeyDownEvent(int key);
bool KeyUpEvent(int key);
void CharTypedEvent(int ch);
void FocusEvent(bool active);  // false: sent to the background
void CloseRequestedEvent();

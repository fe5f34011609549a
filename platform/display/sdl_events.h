// The SDL window as the key source (events become the keyboard's events, Alt+Enter and F11 toggle
// full screen, a close request ends the program the ordinary way).
#pragma once
#include <cstdint>
#include <vector>

#include "platform/replay/keyscript.h"

// Installs the SDL window as the key source.
void UseSdlKeySource();
// Watching a recording: its keys from the script, the virtual clock paced to real time; in the
// window Space doubles the speed (after 16 times, back to 1), Escape or closing the window stops.
void UseWatchKeySource(std::vector<TKeyStep> steps);
// One SDL key event (keycode and scancode as SDL gives them): the window's own keys (Alt, Alt+Enter,
// F11) never reach the game, Alt+Enter and F11 toggle full screen; other keys become key down / key
// up events. Returns the virtual-key code of a new press, minus that of a held key let go, else 0.
int HandleSdlKey(int32_t keycode, int32_t scancode, bool alt, bool down, bool repeat);
// Queues a key event as if the window had sent it: it reaches the game at the next delivery point
// (right after a presented frame, or inside a key wait). Other inputs mapped to keys come this way.
void QueueSdlKey(int32_t keycode, int32_t scancode, bool alt, bool down);
// Asks the window to close as its close button does: the game ends the ordinary way, saved, at the
// next delivery point (a web page asks this before it starts another game in its canvas).
void RequestWindowClose();
// Where SDL can only poll for events (in a web page it would poll every millisecond, each time
// unwinding and rewinding the whole stack), a key wait sleeps in wait instead, which returns once
// the page has seen an event or ms have passed.
void SetEventWaiter(void (*wait)(int32_t ms));
// The Windows virtual-key code for an SDL keycode (scancode as the fallback), 0 for none.
int VirtualKeyFromSdl(int32_t keycode, int32_t scancode);

// What SDL does not do for a window on X: say the real size of its drawable (SDL keeps the size it
// asked for even when no window manager carried the request out), give it an icon in several sizes,
// and make it full screen before it is first shown (SDL's own way waits a tenth of a second for a
// window manager that may never answer).
#pragma once
#include <cstdint>
#include <vector>

struct SDL_Window;
struct TPixmap;

// The window's size in pixels as the X server has it; false when the window is not on X.
bool X11WindowSize(SDL_Window* window, int32_t& width, int32_t& height);
// Marks a window not yet shown as full screen, so a window manager shows it full screen at once;
// false when the window is not on X.
bool X11MarkFullScreen(SDL_Window* window);
// Asks the window manager to take a shown window out of full screen; false when not on X.
bool X11LeaveFullScreen(SDL_Window* window);
// True when a running window manager says it makes windows full screen (_NET_WM_STATE_FULLSCREEN);
// false without one, or when the window is not on X.
bool X11HasFullScreenManager(SDL_Window* window);
// The X server's key repeat: the delay before the first repeat and the interval between repeats, in
// milliseconds; false when the window is not on X.
bool X11KeyRepeat(SDL_Window* window, uint32_t& delay, uint32_t& interval);
// Sets the window's icon to the given RGBA pictures (format 6), the largest first, so the window
// manager picks the size it shows without scaling; false when the window is not on X.
bool X11SetWindowIcons(SDL_Window* window, const std::vector<const TPixmap*>& icons);

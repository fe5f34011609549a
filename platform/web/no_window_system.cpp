// The window-system answers in a page: no X server stands behind the canvas, so every question the
// desktop asks of X has SDL's answer alone, and there is no connection to watch.
#include "platform/display/x11_watch.h"
#include "platform/display/x11_window.h"

#include <cstdlib>

bool X11WindowSize(SDL_Window*, int32_t&, int32_t&) { return false; }
bool X11MarkFullScreen(SDL_Window*) { return false; }
bool X11LeaveFullScreen(SDL_Window*) { return false; }
bool X11HasFullScreenManager(SDL_Window*) { return false; }
bool X11KeyRepeat(SDL_Window*, uint32_t&, uint32_t&) { return false; }
bool X11SetWindowIcons(SDL_Window*, const std::vector<const TPixmap*>&) { return false; }

void WatchWindowSystem() {}
void StopWatchingWindowSystem() {}
void WindowSystemError(int, int) {}
void WindowSystemLost() { std::abort(); }

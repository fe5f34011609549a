// What SDL does not say about a window on X: the real size of its drawable (SDL keeps the size it
// asked for even when no window manager carried the request out), and an icon in several sizes.
#pragma once
#include <cstdint>
#include <vector>

struct SDL_Window;
struct TPixmap;

// The window's size in pixels as the X server has it; false when the window is not on X.
bool X11WindowSize(SDL_Window* window, int32_t& width, int32_t& height);
// Sets the window's icon to the given RGBA pictures (format 6), the largest first, so the window
// manager picks the size it shows without scaling; false when the window is not on X.
bool X11SetWindowIcons(SDL_Window* window, const std::vector<const TPixmap*>& icons);

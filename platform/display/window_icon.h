// The window's icon: the hero's head, drawn by the art generator in 64 x 64 and 32 x 32 and embedded
// with the game's pictures; magenta is transparent, as in every picture of the game.
#pragma once

struct SDL_Window;

// The embedded names of the icon's pictures, largest first.
constexpr const char* kWindowIconNames[] = {"icon\\hero 64.png", "icon\\hero 32.png"};

// Gives the window its icon; nothing happens when the pictures are not registered (tests that open
// a display without the game's resources).
void SetWindowIcon(SDL_Window* window);

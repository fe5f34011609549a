// Compiled exactly as sdl_under_game.cpp is: a public platform header must build, so that the refusal
// of <SDL.h> is the layering's doing, not a broken check.
#include "platform/display/display.h"

int LayerCheckDisplayWidth() { return DisplayWidth(); }

// Helpers for the screen tests: a fresh new-game hero, the glyph readers and key scripts.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/display/display.h"
#include "platform/images/image.h"
#include "tests/support/glyphs.h"

// Everything a screen test needs in process: program ends throw, no display, a virtual clock, the
// stand-in font and title picture, a new-game hero with the default items, no opponent.
void ResetScreenWorld();
#include "tests/support/key_script.h"

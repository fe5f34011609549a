// The game's icon, the hero's head from his own drawing: the window's (masked by magenta) and the
// desktop's (with true transparency, for the desktop's icon theme).
#pragma once
#include "raster.h"

namespace artgen {

// A size x size picture: the hero's head and shoulders, drawn enlarged (not scaled up from pixels)
// on a round dark plate with a gold rim; magenta outside the plate is transparent.
Picture DrawHeroIcon(int size);
// The same head as an RGBA PNG: transparent outside the plate, its edge smoothed.
std::vector<uint8_t> EncodeDesktopIcon(int size);

}  // namespace artgen

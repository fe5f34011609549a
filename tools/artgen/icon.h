// The window icon: the hero's head from his own drawing.
#pragma once
#include "raster.h"

namespace artgen {

// A size x size picture: the hero's head and shoulders, drawn enlarged (not scaled up from pixels)
// on a round dark plate with a gold rim; magenta outside the plate is transparent.
Picture DrawHeroIcon(int size);

}  // namespace artgen

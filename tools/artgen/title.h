// The title picture: a dragon over a mountain keep at dusk, painted from gradients and noise.
#pragma once
#include "raster.h"

namespace artgen {

Picture DrawTitlePicture();

}  // namespace artgen

// The title picture: a dragon over a mountain keep at dusk, painted from gradients and noise.
#pragma once
#include "raster.h"

Picture DrawTitlePicture();

// Pictures for looking at the art rather than shipping it: the contact sheet (every creature's
// three animations frame by frame, and the font) and the stage mock-up (the hero facing each foe
// where the game places them), with the check that standing figures keep clear of each other.
#pragma once
#include <string>

#include "raster.h"

namespace artgen {

// only: one creature's name, or empty for all; kind: -1 for all three animations, else just that one.
Picture DrawContactSheet(const std::string& only, int zoom, int kind = -1);
// Problems found (overlaps, figures reaching the name lines) go to report, one a line.
Picture DrawStageMockup(std::string& report);
// One frame of every creature, large, in a grid: frame 0 is the attack's hit frame, -1 the last.
Picture DrawPortraits(const std::string& only, int kind, int frame, int zoom);
// The title picture as the game shows it: dimmed to 111/255 under white menu text.
Picture DrawTitlePreview();

}  // namespace artgen

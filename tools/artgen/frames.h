// Turning a creature's drawing into the shipped frames: rendering each frame on the common canvas,
// settling fallen bodies on the ground, cropping to the figure and recording its offset.
#pragma once
#include <cstdint>
#include <vector>

#include "creature.h"

namespace artgen {

struct Frame {
  Picture picture;
  int32_t x = 0, y = 0;  // the crop's top-left on the canvas
  int clipped = 0;       // figure pixels lost to a fixed crop corner (must stay 0)
  int inkX = 0, inkY = 0;  // the figure's own top-left on the canvas
};

// The whole canvas of one frame, before cropping (buffer coordinates, margins included).
Picture RenderCanvas(const CreatureArt& art, AnimKind kind, int frame);
Frame RenderFrame(const CreatureArt& art, AnimKind kind, int frame);
std::vector<Frame> RenderAnimation(const CreatureArt& art, AnimKind kind);
const char* KindName(AnimKind kind);

}  // namespace artgen

// How a creature plays its animations: the picture of its current frame, starting an animation
// afresh and stepping it.
#include "game/creatures/mon.h"

#include <cassert>
#include <cmath>

#include "platform/core/program.h"

TImage* tmon::CurrentImage() const {
  if (!anim) return nullptr;
  const float floored = std::floor(frame);
  const int32_t index = static_cast<int32_t>(floored);
  TImage* image = nullptr;
  if (index >= 0 && index < static_cast<int32_t>(anim->images.size()))
    image = anim->images[static_cast<size_t>(index)].get();
  if (!image) RaiseError("null image at frame " + RealToText(floored) + "/" + IntToText(anim->framecount));
  return image;
}

void tmon::SetAnim(const tanimkind* kind) {
  assert(anims && kind && "SetAnim before the creature's animations were made");
  anim = (*anims)[static_cast<size_t>(kind->index)].get();
  frame = 1.0f;
}

int32_t tmon::Advance(int32_t mode) {
  assert(anim && "Advance before SetAnim");
  frame += anim->speed;
  if (std::floor(frame) <= static_cast<float>(anim->framecount)) return 0;
  if (mode == 1 || (mode == 2 && anim->kind->loops == 1)) {
    frame -= static_cast<float>(anim->framecount);
    if (std::floor(frame) < 1.0f) RaiseError("frame is " + RealToText(frame));
  } else {
    frame = static_cast<float>(anim->framecount);
  }
  return 1;
}

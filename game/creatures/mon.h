// tmon: one creature kind with its figures and its animation state (the roster of them all is in
// roster.h).
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "game/creatures/anim.h"
#include "platform/images/image.h"
#include "platform/core/text.h"

struct tmon {
  Text name;
  int32_t health = 0;
  int32_t healthmax = 0;
  int32_t strength = 0;
  int32_t accuracy = 0;
  // Slots 1..3 by kind index. Shared with another creature (the Dragon Lord plays the dragon's).
  std::shared_ptr<std::array<std::unique_ptr<tanim>, 5>> anims;
  tanim* anim = nullptr;
  float frame = 0.0f;

  TImage* CurrentImage() const;
  void SetAnim(const tanimkind* kind);
  int32_t Advance(int32_t mode);
};


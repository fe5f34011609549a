// tmon: one creature kind with its figures and its animation state; the global Roster (slots 1..18:
// the 16 monster kinds, the Dragon Lord, the hero's battle figure) and the floor rule.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "game/creatures/anim.h"
#include "platform/image.h"
#include "platform/text.h"

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

extern tmon* Roster[99];
extern int32_t MonsterCount;

void CreateRoster();
// Puts every built record back to its table figures with no animation playing, keeping the loaded
// animations (the Dragon Lord's gains are gone); nothing happens before CreateRoster.
void ResetRosterFigures();
// The roster slot of the kind met on floor (draws one RandomInteger on floors 2..19).
int32_t MonsterSlotForFloor(int32_t floor);

// Creature animations: the three kinds (attack, gothit, die) and tanim, one loaded animation of
// numbered frames with its hit frame.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/images/image.h"
#include "platform/core/text.h"

struct tanimkind {
  Text name;
  int32_t index = 0;
  int32_t loops = 0;
};

struct tanim {
  tanimkind* kind = nullptr;
  std::array<ImagePtr, 22> images;  // slots 1..framecount
  int32_t framecount = 0;
  int32_t hitframe = 0;
  float speed = 1.0f;
};

// The kinds in list order (attack, gothit, die), indexes counted from 1.
extern std::vector<tanimkind*> AnimKinds;
extern tanimkind* AttackKind;
extern tanimkind* GotHitKind;
extern tanimkind* DieKind;

// "incbin::", put in front of every embedded resource's name (the font's and title's too).
extern Text ResourcePrefix;

void CreateAnimKinds();
// One animation of the creature named creature, from the folder "image\<creature>\<kind>\": its
// numbered frames with their offsets and, for an attack, its hit frame. Missing data is a runtime
// error.
std::unique_ptr<tanim> LoadAnimation(const Text& creature, tanimkind& kind);

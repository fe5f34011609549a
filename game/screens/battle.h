// The battle: one fight between the hero and the monster of the current floor, turn by turn until
// the monster dies, the hero runs away or the hero dies.
#pragma once
#include <cstdint>

struct tmon;

// One whole battle on hero.floor. The caller learns the outcome from the hero: floor 0 after a
// death and "continue"; the program has ended after "end" or the Dragon Lord's fall.
void RunBattle();

// The damage a monster's roll raw does through protection def: the roll less half the protection,
// or, when the protection is larger than the roll, a share of it that shrinks quadratically (at
// least 1).
int32_t MonsterDamage(int32_t raw, int32_t def);

// How a battle looks and how long each step takes: the attack sequence with the blow landing on the
// attacker's hit frame, the rune-gain numbers, the "VICTORY!" banner and the hero's death. Every
// step is one presented frame; none of them reads the clock.
#pragma once
#include <cstdint>

#include "game/state/hero.h"

struct tmon;

// One attack being played: whether it does nothing, and how much it takes off when it does not.
struct tblow {
  int32_t missed = 0;
  int32_t damage = 0;
};

// Lands a blow on the battle's monster m (or, from m, on the hero) on the attacker's hit frame;
// returns 0 when the blow ended the sequence there (it killed the hero), else 1.
using tland = int32_t (*)(tmon& m, const tblow& blow);

// The monster m attacks the hero: m's attack animation starts afresh, land is called once, on the
// first frame that shows m's hit frame; when it returns 0 the sequence stops there and returns 0,
// else "missed" or the damage floats over the hero and the sequence returns 1 once it has finished.
int32_t PlayMonsterAttack(tmon& m, const tblow& blow, tland land);
// The hero attacks m: the same, with the blow landing the frame before the hero's hit frame shows,
// and the number floating over m.
int32_t PlayHeroAttack(tmon& m, const tblow& blow, tland land);
// The "after each attack" gains of rune slots 1..runelevel rising side by side over the hero.
void PlayRuneGains(const int32_t gains[RuneSlots + 1]);
// "VICTORY!" typed out while m's die animation plays on.
void PlayVictoryBanner(tmon& m);
// The hero's die animation, stepped by chance, while the screen pulses red.
void PlayDeath();
// Whether the creature is recoiling or dying (those animations go on during the other's attack).
bool IsRecoiling(const tmon& creature);

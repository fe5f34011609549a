// titem: one item (weapon, armour or rune) and its members: pricing, describing, colouring, rune
// effects and the save-file entry. Making and naming items have headers of their own
// (item_generate.h, item_describe.h); the default items are the hero's (hero.h).
#pragma once
#include <cstdint>

#include "platform/files/stream.h"
#include "platform/core/text.h"

// The hero's inventory slots 1..InventorySlots and rune slots 1..RuneSlots; index 0 is never used.
constexpr int32_t InventorySlots = 18;
constexpr int32_t RuneSlots = 9;

// Item kinds.
constexpr int32_t ItemWeapon = 1;
constexpr int32_t ItemArmor = 2;
constexpr int32_t ItemRune = 3;

// Rune stats, in the order the victory bonuses are paid out.
constexpr int32_t StatHealth = 1;
constexpr int32_t StatStrength = 2;
constexpr int32_t StatDefence = 3;
constexpr int32_t StatHealthMax = 4;
constexpr int32_t StatAccuracy = 5;
constexpr int32_t StatGold = 6;
constexpr int32_t StatExperience = 7;
constexpr int32_t StatCount = 7;

// When a rune works: while worn, after each won battle, after each of the hero's turns.
constexpr int32_t TimingEquipped = 1;
constexpr int32_t TimingVictory = 2;
constexpr int32_t TimingAttack = 3;

struct titem {
  titem() = default;
  titem(int32_t kind_, const Text& name_, int32_t chance_, float value_, int32_t floor_ = 1, float quality_ = 1.0f,
        int32_t stat_ = 0, int32_t timing_ = 0)
      : kind(kind_), name(name_), chance(chance_), value(value_), floor(floor_), quality(quality_), stat(stat_),
        timing(timing_) {}

  int32_t kind = 0;  // ItemWeapon, ItemArmor or ItemRune
  Text name;
  int32_t chance = 0;
  float value = 0.0f;
  int32_t floor = 0;
  float quality = 0.0f;
  int32_t stat = 0;
  int32_t timing = 0;

  // Applies the rune to hero times factor; returns the amount (game/state/hero.cpp).
  int32_t ApplyRune(int32_t factor);
  Text Describe() const;
  int32_t Price(int32_t buying) const;
  void WriteItem(TStream* stream) const;
};

// The item of the next entry, or nullptr for an empty-slot marker.
titem* ReadItem(TStream* stream);

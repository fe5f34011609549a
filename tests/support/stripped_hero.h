// The hero as a new game has him and as death's "continue" leaves him: full health, in town, an
// empty inventory and the default weapon, armour and runes in use. Header only.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game/state/hero.h"

inline ::testing::AssertionResult HeroIsStripped() {
  std::string wrong;
  if (hero.health != hero.healthmax)
    wrong += " health " + std::to_string(hero.health) + "/" + std::to_string(hero.healthmax) + ";";
  if (hero.floor != 0) wrong += " on floor " + std::to_string(hero.floor) + ";";
  for (int32_t slot = 1; slot <= InventorySlots; ++slot)
    if (hero.items[slot] != nullptr) wrong += " an item in slot " + std::to_string(slot) + ";";
  if (hero.weapon != DefaultWeapon) wrong += " a weapon of his own;";
  if (hero.armor != DefaultArmor) wrong += " armour of his own;";
  for (int32_t slot = 1; slot <= RuneSlots; ++slot)
    if (hero.runes[slot] != DefaultRunes[slot]) wrong += " his own rune in rune slot " + std::to_string(slot) + ";";
  if (wrong.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the hero is not stripped:" << wrong;
}

// thero: the hero's statistics, inventory (slots 1..18), equipment and place in the dungeon, with
// equipping, unequipping and picking up items. One instance, the global hero.
#pragma once
#include <cstdint>

#include "game/state/item.h"
#include "platform/core/text.h"

struct tmon;

// The Dragon Lord's lair below the last floor. The hero stands on it only for the length of its one
// battle; floor 19 is the deepest he can be found on otherwise.
constexpr int32_t LairFloor = 20;

struct thero {
  tmon* mon = nullptr;
  Text name;
  int32_t health = 0;
  int32_t healthmax = 0;
  int32_t gold = 0;
  int32_t experience = 0;
  int32_t runelevel = 0;
  int32_t floor = 0;
  int32_t deepest = 0;
  int32_t strength = 0;
  int32_t defence = 0;
  int32_t accuracy = 0;
  int32_t itemfind = 0;
  titem* items[InventorySlots + 1] = {};
  titem* weapon = nullptr;
  titem* armor = nullptr;
  titem* runes[RuneSlots + 1] = {};

  int32_t IsEquipped(const titem* item) const;
  int32_t Equip(titem* item, int32_t replace);
  int32_t Unequip(titem* item);
  // The first empty inventory slot, or 0 when the pack is full.
  int32_t FreeSlot() const;
  // Takes item into the first free slot (equipping it where its place is free) and returns 1; with
  // every slot taken returns 0 and item stays with the caller (who may offer ReplaceItem).
  int32_t AddItem(titem* item);
  // Puts item into slot k in place of the item there, which is taken off and freed; item is put on
  // where its place is free.
  void ReplaceItem(int32_t k, titem* item);
  void NewGame();
};

extern thero hero;

// Called the moment a rune raises the rune level, while the rules go on (the screens show a message
// there and then); the rules themselves show nothing. Null tells nobody.
extern void (*RuneLevelGained)();

// The inventory slot holding the n-th item in slot order (n from 1), or 0 when there is none.
int32_t FilledSlot(int32_t n);
// Moves the items down into the gaps, keeping their order, so they fill slots 1 upwards.
void CloseUpInventory();

// trunc(10^(r - 1)) in double precision.
int32_t ExperienceNeeded(int32_t runelevel);

// Death's "continue": full health, half the gold, back in town, the inventory emptied (and freed).
void ResetAfterDeath();

// A fresh hero (keeping its battle figure) and fresh default items; the old inventory and default
// items are freed. Part of ResetGameWorld.
void ResetGameState();

// The items worn when nothing else is: made by CreateDefaultItems, freed by ResetGameState.
void CreateDefaultItems();
extern titem* DefaultWeapon;
extern titem* DefaultArmor;
extern titem* DefaultRunes[RuneSlots + 1];  // slots 1..RuneSlots

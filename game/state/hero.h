// thero: the hero's statistics, inventory (slots 1..18), equipment and place in the dungeon, with
// equipping, unequipping and picking up items. One instance, the global hero.
#pragma once
#include <cstdint>

#include "game/state/item.h"
#include "platform/text.h"

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
  // Takes item into the first free slot (equipping it where its place is free) and returns 1; with
  // all slots full, the player may replace one (which is freed) or cancel, and 0 leaves item with
  // the caller.
  int32_t AddItem(titem* item);
  void NewGame();
  // game/screens/status_panel.cpp
  void DrawStatusPanel();
};

extern thero hero;

// trunc(10^(r - 1)) in double precision.
int32_t ExperienceNeeded(int32_t runelevel);

// Death's "continue": full health, half the gold, back in town, the inventory emptied (and freed).
void ResetAfterDeath();

// A fresh hero (keeping its battle figure) and fresh default items; the old inventory and default
// items are freed. Part of ResetGameWorld.
void ResetGameState();

// The items worn when nothing else is: made by CreateDefaultItems, freed by ResetGameState.
extern titem* DefaultWeapon;
extern titem* DefaultArmor;
extern titem* DefaultRunes[RuneSlots + 1];  // slots 1..RuneSlots

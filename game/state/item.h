// titem: one item (weapon, armour or rune) and the item functions: making, pricing, describing,
// colouring, rune effects and the save-file entry. The three kinds of default item live here too.
#pragma once
#include <cstdint>

#include "platform/stream.h"
#include "platform/text.h"

struct titem {
  int32_t kind = 0;  // 1 weapon, 2 armour, 3 rune
  Text name;
  int32_t chance = 0;
  float value = 0.0f;
  int32_t floor = 0;
  float quality = 0.0f;
  int32_t stat = 0;
  int32_t timing = 0;

  void SetItemColor(int32_t plain, int32_t ignoreRare) const;
  // Applies the rune to hero times factor; returns the amount (game/state/rune.cpp).
  int32_t ApplyRune(int32_t factor);
  Text Describe() const;
  int32_t Price(int32_t buying) const;
  void WriteItem(TStream* stream) const;
};

// Items are made once and live for the run (held by the inventory, the market or nowhere).
titem* GenerateItem(int32_t floor, int32_t kind);
Text TimingName(int32_t timing);
Text StatName(int32_t stat);
void CreateDefaultItems();
// The item of the next entry, or nullptr for an empty-slot marker.
titem* ReadItem(TStream* stream);
Text Capitalize(const Text& text);
void CapitalizeInPlace(Text& text);

extern titem* DefaultWeapon;
extern titem* DefaultArmor;
extern titem* DefaultRunes[10];  // slots 1..9

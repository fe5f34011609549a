// The global hero and the default items, and the hero's own rules: equipping and unequipping,
// taking items into the pack, the new game, death's "continue" reset, the experience thresholds, and
// what a rune does to him (ApplyRune). Equipping applies runes and runes change the hero, so the two
// live together. Equipment never leaves the inventory: empty slots hold the
// default items themselves, and every test for an empty slot compares pointers.
#include "game/state/hero.h"

#include <cmath>

#include "game/state/item.h"
#include "platform/core/program.h"
#include "platform/core/random.h"

thero hero;
void (*RuneLevelGained)() = nullptr;

titem* DefaultWeapon = nullptr;
titem* DefaultArmor = nullptr;
titem* DefaultRunes[RuneSlots + 1] = {};

int32_t ExperienceNeeded(int32_t runelevel) {
  return RealToInt(std::pow(10.0, static_cast<double>(runelevel) - 1.0));
}

int32_t thero::IsEquipped(const titem* item) const {
  if (item == weapon || item == armor) return 1;
  for (int32_t i = 1; i <= runelevel && i <= RuneSlots; ++i) {
    if (item == runes[i]) return 1;
  }
  return 0;
}

int32_t thero::Equip(titem* item, int32_t replace) {
  switch (item->kind) {
    case ItemWeapon:
      if (replace == 0 && weapon != DefaultWeapon) return 0;
      Unequip(weapon);
      weapon = item;
      return 1;
    case ItemArmor:
      if (replace == 0 && armor != DefaultArmor) return 0;
      Unequip(armor);
      armor = item;
      return 1;
    case ItemRune: {
      const int32_t usable = runelevel < RuneSlots ? runelevel : RuneSlots;
      int32_t slot = 0;
      for (int32_t i = 1; i <= usable; ++i) {
        if (runes[i] == DefaultRunes[i]) {
          slot = i;
          break;
        }
      }
      if (slot == 0) {
        if (replace == 0 || usable < 1) return 0;
        // Every usable slot is taken: the new rune overwrites one of them at random.
        slot = RandomInteger(1, usable);
      }
      Unequip(runes[slot]);
      runes[slot] = item;
      if (item->timing == TimingEquipped) item->ApplyRune(1);
      return 1;
    }
    default:
      return 1;
  }
}

int32_t thero::Unequip(titem* item) {
  if (item == weapon) {
    weapon = DefaultWeapon;
    return 1;
  }
  if (item == armor) {
    armor = DefaultArmor;
    return 1;
  }
  for (int32_t i = 1; i <= runelevel && i <= RuneSlots; ++i) {
    if (item == runes[i]) {
      if (item->timing == TimingEquipped) item->ApplyRune(-1);
      runes[i] = DefaultRunes[i];
      return 1;
    }
  }
  return 0;
}

int32_t thero::FreeSlot() const {
  for (int32_t i = 1; i <= InventorySlots; ++i) {
    if (items[i] == nullptr) return i;
  }
  return 0;
}

int32_t thero::AddItem(titem* item) {
  const int32_t slot = FreeSlot();
  if (slot == 0) return 0;
  items[slot] = item;
  Equip(item, 0);
  return 1;
}

void thero::ReplaceItem(int32_t k, titem* item) {
  // The old item is taken off first, so its "when equipped" effect goes with it; it then belongs
  // to nobody.
  Unequip(items[k]);
  delete items[k];
  items[k] = item;
  Equip(item, 0);
}

int32_t FilledSlot(int32_t n) {
  for (int32_t slot = 1; slot <= InventorySlots; ++slot) {
    if (hero.items[slot] != nullptr && --n == 0) return slot;
  }
  return 0;
}

void CloseUpInventory() {
  for (int32_t i = 1; i < InventorySlots; ++i) {
    if (hero.items[i] != nullptr) continue;
    int32_t next = i + 1;
    while (next <= InventorySlots && hero.items[next] == nullptr) ++next;
    if (next > InventorySlots) return;
    hero.items[i] = hero.items[next];
    hero.items[next] = nullptr;
  }
}

void thero::NewGame() {
  name = "hero";
  health = 100;
  healthmax = 100;
  gold = 180;
  floor = 0;
  deepest = 1;
  weapon = DefaultWeapon;
  armor = DefaultArmor;
  runelevel = 2;
  for (int32_t i = 1; i <= RuneSlots; ++i) runes[i] = DefaultRunes[i];
  itemfind = 62;
}

void ResetAfterDeath() {
  hero.health = hero.healthmax;
  hero.gold /= 2;
  hero.floor = 0;
  for (int32_t i = 1; i <= InventorySlots; ++i) {
    if (hero.items[i] != nullptr) {
      hero.Unequip(hero.items[i]);
      delete hero.items[i];
      hero.items[i] = nullptr;
    }
  }
}

void CreateDefaultItems() {
  // Quality 0: the default items are never rare and never sold.
  DefaultWeapon = new titem(ItemWeapon, "fist", 80, 3.0f, 0, 0.0f);
  DefaultArmor = new titem(ItemArmor, "shirt", 8, 6.0f, 0, 0.0f);
  for (int32_t i = 1; i <= RuneSlots; ++i)
    DefaultRunes[i] = new titem(ItemRune, "basic-rune", 0, 10.0f, 1, 0.0f, StatGold, TimingVictory);
}

void ResetGameState() {
  // The inventory and the default items belong to no one else, so a fresh state frees them.
  for (titem*& item : hero.items) {
    delete item;
    item = nullptr;
  }
  delete DefaultWeapon;
  delete DefaultArmor;
  for (int32_t i = 1; i <= RuneSlots; ++i) delete DefaultRunes[i];
  tmon* const figure = hero.mon;
  hero = thero{};
  hero.mon = figure;
  CreateDefaultItems();
}

// Runes hold no state: every effect is written straight into hero. "When equipped" runes always give
// their full amount, so taking one off removes exactly what putting it on added; battle runes made
// for deeper floors work at reduced strength. The runes array has nine slots, so the level stops
// there.
int32_t titem::ApplyRune(int32_t factor) {
  int32_t amount;
  if (timing != TimingEquipped && hero.floor < floor) {
    // Half strength one floor above the rune's floor, a quarter two floors above, and so on.
    amount = RealToInt(value / (2.0 * (static_cast<double>(floor) - hero.floor)));
  } else {
    amount = RealToInt(value);
  }
  switch (stat) {
    case StatHealth:
      if (SaturatingAdd(hero.health, amount) > hero.healthmax) amount = SaturatingSub(hero.healthmax, hero.health);
      hero.health = SaturatingAdd(hero.health, amount);
      break;
    case StatStrength:
      hero.strength = SaturatingAdd(hero.strength, SaturatingMul(amount, factor));
      break;
    case StatDefence:
      hero.defence = SaturatingAdd(hero.defence, SaturatingMul(amount, factor));
      break;
    case StatHealthMax:
      hero.healthmax = SaturatingAdd(hero.healthmax, SaturatingMul(amount, factor));
      if (hero.health > hero.healthmax) hero.health = hero.healthmax;
      break;
    case StatAccuracy:
      hero.accuracy = SaturatingAdd(hero.accuracy, SaturatingMul(amount, factor));
      break;
    case StatGold:
      hero.gold = SaturatingAdd(hero.gold, SaturatingMul(amount, factor));
      if (hero.gold < 0) hero.gold = 0;
      break;
    case StatExperience:
      hero.experience = SaturatingAdd(hero.experience, SaturatingMul(amount, factor));
      // One level per call at most, however many thresholds the gain passes.
      if (hero.experience >= ExperienceNeeded(hero.runelevel) && hero.runelevel < RuneSlots) {
        ++hero.runelevel;
        if (RuneLevelGained) RuneLevelGained();
      }
      break;
    default:
      RaiseError("76dsdtrfgh");
  }
  return amount;
}

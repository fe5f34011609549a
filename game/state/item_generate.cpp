// Making items from a floor number. The order of the random draws, the float32 fields and the
// single-precision constants are part of the game's rules: the same seed must make the same items
// bit for bit, so every step below writes its field before the next step reads it back.
#include <cmath>

#include "game/state/item.h"
#include "game/state/item_generate.h"
#include "platform/core/program.h"
#include "platform/core/random.h"

namespace {

// Single-precision literals widened to double, as the item rules use them.
constexpr double kRuneExponent = static_cast<double>(1.3f);
constexpr double kBlockPerQuality = static_cast<double>(17.0f / 3.0f);

double FloorPower(int32_t floor, double exponent) { return std::pow(static_cast<double>(floor), exponent); }

void MakeWeapon(titem* item, double q) {
  item->name = "sword";
  item->chance = RandomInteger(30, 100);
  const double scale = FloorPower(item->floor, 1.75);
  const int32_t base = RandomInteger(RealToInt(2.0 * scale), RealToInt(3.5 * scale));
  // High accuracy costs power: the factor runs from 260/75 at 30% to 120/75 at 100%.
  item->value = static_cast<float>(q * base * (320 - 2 * item->chance) / 75.0);
}

void MakeArmor(titem* item, double q) {
  item->name = "body-armor";
  const int32_t c = RandomInteger(1, 33);
  const double scale = FloorPower(item->floor, 1.75);
  const int32_t base = RandomInteger(RealToInt(2.5 * scale), RealToInt(4.0 * scale));
  item->value = static_cast<float>(q * base * (99 - 3 * c) / 27.0);
  item->chance = RealToInt(c + q * kBlockPerQuality);
}

// Timing of strength, defence and health-max runes: a second roll only when the first misses.
int32_t StatRuneTiming() {
  if (RandomReal(0, 100) < 33) return 1;
  return RandomReal(0, 100) >= 33 ? 2 : 3;
}

void MakeRune(titem* item, double q) {
  item->name = "rune";
  item->stat = RandomInteger(1, StatCount);
  const int32_t floor = item->floor;
  const double runePower = FloorPower(floor, kRuneExponent);
  switch (item->stat) {
    case StatHealth:
      item->timing = RandomReal(0, 100) >= 45 ? TimingVictory : TimingAttack;
      item->value = static_cast<float>(q * RandomReal(3, 6) * floor + 6.0);
      if (item->timing == TimingAttack) item->value = static_cast<float>((item->value + 1.0) / 3.0);
      break;
    case StatStrength:
    case StatDefence:
      item->timing = StatRuneTiming();
      if (item->timing == TimingEquipped) {
        item->value = static_cast<float>(q * RandomReal(10, 20) * runePower - 6.0);
      } else {
        item->value = static_cast<float>(q * RandomReal(0.5, 1.0) * runePower);
        if (item->value < 1.0) item->value = 1.0f;
        if (item->timing == TimingAttack) item->value = static_cast<float>((item->value + 3.0) / 4.0);
      }
      break;
    case StatHealthMax:
      item->timing = StatRuneTiming();
      if (item->timing == TimingEquipped) {
        item->value = static_cast<float>(q * RandomReal(30 * floor, 50 * floor));
      } else {
        item->value = static_cast<float>(q * RandomReal(1.5, 2.5) * floor);
        if (item->timing == TimingAttack) item->value = static_cast<float>((item->value + 2.0) / 3.0);
      }
      break;
    case StatAccuracy:
      // Accuracy runes are never rare: their quality is reset before anything reads it.
      item->timing = TimingEquipped;
      item->quality = 1.0f;
      item->value = static_cast<float>(RandomInteger(3 * floor, 6 * floor) + 10);
      if (item->value > 100) item->value = 100.0f;
      break;
    case StatGold:
      item->timing = RandomReal(0, 100) >= 35 ? TimingVictory : TimingAttack;
      item->value = static_cast<float>(q * RandomReal(14, 20) * floor);
      if (item->timing == TimingAttack) item->value = static_cast<float>(item->value / 4.0);
      break;
    case StatExperience:
      item->timing = TimingVictory;
      item->value = static_cast<float>(q * RandomReal(0.5, 1.0) * runePower);
      if (item->value < 1.0) item->value = 1.0f;
      break;
    default:
      RaiseError("oiuhiuuho^$");
  }
}

}  // namespace

titem* GenerateItem(int32_t floor, int32_t kind) {
  titem* item = new titem;
  item->floor = floor;
  if (kind == 0) {
    const int32_t k = RandomInteger(1, 4);
    item->kind = k < ItemRune ? k : ItemRune;
  } else {
    item->kind = kind;
  }
  // Most often near 1: each draw's upper bound is the draw before it.
  item->quality = static_cast<float>(RandomReal(1, RandomReal(1, RandomReal(1, 2))));
  if (RandomReal(0, 100) < 2.0) item->quality = 3.0f;
  const double q = item->quality;
  switch (item->kind) {
    case ItemWeapon:
      MakeWeapon(item, q);
      break;
    case ItemArmor:
      MakeArmor(item, q);
      break;
    case ItemRune:
      MakeRune(item, q);
      break;
    default:
      break;
  }
  return item;
}

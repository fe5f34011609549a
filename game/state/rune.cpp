// A rune's effect on the hero and the rune level. Runes hold no state: every effect is written
// straight into hero. "When equipped" runes always give their full amount, so taking one off removes
// exactly what putting it on added; battle runes made for deeper floors work at reduced strength.
#include "game/state/hero.h"
#include "game/state/item.h"
#include "platform/program.h"

namespace {

// The runes array has nine slots, so the level stops there.
constexpr int32_t kMaxRuneLevel = RuneSlots;

}  // namespace

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
      if (hero.experience >= ExperienceNeeded(hero.runelevel) && hero.runelevel < kMaxRuneLevel) {
        ++hero.runelevel;
        if (RuneLevelGained) RuneLevelGained();
      }
      break;
    default:
      RaiseError("76dsdtrfgh");
  }
  return amount;
}

// What an item is worth, how it reads in a list and which colour it is drawn in, the rune stat and
// timing names, and the three kinds of default item. Impossible codes (only a damaged save could
// bring them in) end the program with the game's fixed messages.
#include <cmath>

#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/item_describe.h"
#include "platform/core/program.h"

namespace {

constexpr const char* kStatNames[8] = {
    "", "health", "strength", "defence", "health-max", "accuracy", "gold", "experience",
};
constexpr const char* kTimingNames[4] = {
    "", "when equipped", "after victorious battles", "after each attack",
};

// Single-precision literals widened to double, as the price rules use them.
constexpr double kKitExponent = static_cast<double>(2.7f);
constexpr double kGoldExponent = static_cast<double>(2.8f);
constexpr double kGoldFactor = static_cast<double>(2.2f);

// Truncation toward zero, held inside the int32 range so a damaged item's wild numbers cannot
// overflow; every item the game makes prices well inside it.
int32_t TruncPrice(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 2147483647.0) return 2147483647;
  if (x <= -2147483648.0) return -2147483647 - 1;
  return RealToInt(x);
}

int32_t ScalePrice(int32_t base, int64_t factor) {
  const int64_t scaled = base * factor;
  if (scaled > 2147483647) return 2147483647;
  if (scaled < -2147483647 - 1) return -2147483647 - 1;
  return static_cast<int32_t>(scaled);
}

}  // namespace

Text StatName(int32_t stat) {
  if (stat < 1 || stat > 7) RaiseError("aoeirnowe");
  return kStatNames[stat];
}

Text TimingName(int32_t timing) {
  if (timing < 1 || timing > 3) RaiseError("giubiubo");
  return kTimingNames[timing];
}

Text Capitalize(const Text& text) {
  Text result = text;
  CapitalizeInPlace(result);
  return result;
}

void CapitalizeInPlace(Text& text) {
  if (!text.chars.empty() && text.chars[0] >= u'a' && text.chars[0] <= u'z') {
    text.chars[0] = static_cast<char16_t>(text.chars[0] - u'a' + u'A');
  }
}

int32_t titem::Price(int32_t buying) const {
  const double q = quality;
  int32_t base = 0;
  switch (kind) {
    case ItemWeapon:
      base = TruncPrice((value * 8.0 + chance) * std::pow(q, kKitExponent));
      break;
    case ItemArmor:
      base = TruncPrice((value * 5.0 + static_cast<double>(chance) * chance / 6.0) * std::pow(q, kKitExponent));
      break;
    case ItemRune: {
      const double b = floor * 20.0;
      if (stat == StatHealth) {
        base = TruncPrice(b + value * std::pow(q, 3.0));
      } else if (stat == StatGold) {
        base = TruncPrice(b + value * kGoldFactor * std::pow(q, kGoldExponent));
      } else {
        base = TruncPrice(b + value * 5.0 * std::pow(q, 3.0));
      }
      if (timing == TimingVictory) base = ScalePrice(base, 2);
      if (timing == TimingAttack) base = ScalePrice(base, 11);
      break;
    }
    default:
      RaiseError(IntToText(kind));
  }
  if (buying == 1) return base;
  // Rare items sell for a sixth, everything else for a quarter of the buying price.
  return quality == 3.0f ? base / 6 : base / 4;
}

Text titem::Describe() const {
  switch (kind) {
    case ItemWeapon:
      return "weapon: " + Capitalize(name) + ", Power:" + IntToText(RealToInt(value)) +
             ", Accuracy:" + IntToText(chance) + "%";
    case ItemArmor:
      return "armor: " + Capitalize(name) + ", Defence:" + IntToText(RealToInt(value)) +
             ", Full Block:" + IntToText(chance) + "%";
    case ItemRune: {
      Text text;
      for (int32_t i = 1; i <= hero.runelevel && i <= RuneSlots; ++i) {
        if (hero.runes[i] == this) text = text + "Rune#" + IntToText(i) + ": ";
      }
      text = text + name + ": Adds " + IntToText(RealToInt(value)) + " to " + StatName(stat) + " " +
             TimingName(timing);
      if (timing != TimingEquipped) text = text + " at floor #" + IntToText(floor) + "+";
      return text;
    }
    default:
      RaiseError(IntToText(kind));
  }
}

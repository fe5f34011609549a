// What an item is worth, how it reads in a list and which colour it is drawn in, the rune stat and
// timing names, and the three kinds of default item. Impossible codes (only a damaged save could
// bring them in) end the program with the game's fixed messages.
#include <cmath>

#include "game/state/hero.h"
#include "game/state/item.h"
#include "platform/display.h"
#include "platform/program.h"

namespace {

struct tcolor {
  int32_t red, green, blue;
};

// Indexed by stat code; slot 0 unused.
constexpr tcolor kStatColors[8] = {
    {0, 0, 0},        {0, 255, 0},     {168, 168, 255}, {165, 125, 35},
    {40, 170, 40},    {255, 255, 255}, {255, 230, 0},   {190, 190, 200},
};
constexpr const char* kStatNames[8] = {
    "", "health", "strength", "defence", "health-max", "accuracy", "gold", "experience",
};
constexpr const char* kTimingNames[4] = {
    "", "when equipped", "after victorious battles", "after each attack",
};
constexpr tcolor kRuneColor = {105, 145, 145};
constexpr tcolor kRareColor = {200, 250, 0};

// Single-precision literals widened to double, as the price rules use them.
constexpr double kKitExponent = static_cast<double>(2.7f);
constexpr double kGoldExponent = static_cast<double>(2.8f);
constexpr double kGoldFactor = static_cast<double>(2.2f);

void UseColor(const tcolor& c) { SetDrawColor(c.red, c.green, c.blue); }

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

titem* MakeDefault(int32_t kind, const char* name, int32_t chance, float value, int32_t floor,
                   int32_t stat, int32_t timing) {
  titem* item = new titem;
  item->kind = kind;
  item->name = name;
  item->chance = chance;
  item->value = value;
  item->floor = floor;
  item->stat = stat;
  item->timing = timing;
  return item;
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
    case 1:
      base = TruncPrice((value * 8.0 + chance) * std::pow(q, kKitExponent));
      break;
    case 2:
      base = TruncPrice((value * 5.0 + static_cast<double>(chance) * chance / 6.0) * std::pow(q, kKitExponent));
      break;
    case 3: {
      const double b = floor * 20.0;
      if (stat == 1) {
        base = TruncPrice(b + value * std::pow(q, 3.0));
      } else if (stat == 6) {
        base = TruncPrice(b + value * kGoldFactor * std::pow(q, kGoldExponent));
      } else {
        base = TruncPrice(b + value * 5.0 * std::pow(q, 3.0));
      }
      if (timing == 2) base = ScalePrice(base, 2);
      if (timing == 3) base = ScalePrice(base, 11);
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
    case 1:
      return "weapon: " + Capitalize(name) + ", Power:" + IntToText(RealToInt(value)) +
             ", Accuracy:" + IntToText(chance) + "%";
    case 2:
      return "armor: " + Capitalize(name) + ", Defence:" + IntToText(RealToInt(value)) +
             ", Full Block:" + IntToText(chance) + "%";
    case 3: {
      Text text;
      for (int32_t i = 1; i <= hero.runelevel && i <= 9; ++i) {
        if (hero.runes[i] == this) text = text + "Rune#" + IntToText(i) + ": ";
      }
      text = text + name + ": Adds " + IntToText(RealToInt(value)) + " to " + StatName(stat) + " " +
             TimingName(timing);
      if (timing != 1) text = text + " at floor #" + IntToText(floor) + "+";
      return text;
    }
    default:
      RaiseError(IntToText(kind));
  }
}

void titem::SetItemColor(int32_t plain, int32_t ignoreRare) const {
  if (ignoreRare == 0 && quality == 3.0f) {
    UseColor(kRareColor);
    return;
  }
  if (kind == 3) {
    if (plain == 1) {
      UseColor(kRuneColor);
      return;
    }
    if (stat < 1 || stat > 7) RaiseError("86g86fgyiu");
    UseColor(kStatColors[stat]);
    return;
  }
  UseColor(kind == 2 ? kStatColors[3] : kStatColors[2]);
}

void CreateDefaultItems() {
  DefaultWeapon = MakeDefault(1, "fist", 80, 3.0f, 0, 0, 0);
  DefaultArmor = MakeDefault(2, "shirt", 8, 6.0f, 0, 0, 0);
  for (int32_t i = 1; i <= 9; ++i) DefaultRunes[i] = MakeDefault(3, "basic-rune", 0, 10.0f, 1, 6, 2);
}

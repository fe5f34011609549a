// The status panel along the bottom of every frame: floor, health, gold, experience, statistics,
// equipment and runes. Reads the game state and draws it; changes nothing but the drawing state.
#include "game/screens/font.h"
#include "game/screens/stage.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/palette.h"
#include "platform/display.h"

namespace {

constexpr int32_t MaxRuneSlots = 9;

void DrawItemLine(const titem* item, int32_t y) {
  if (item) DrawKeywordText(item->Describe(), y, 0);
}

}  // namespace

void thero::DrawStatusPanel() {
  const int32_t H = DisplayHeight();
  const int32_t W = DisplayWidth();
  const int32_t R = runelevel;
  auto row = [&](int32_t k) { return H - k * font.cellHeight; };

  SetDrawColor(99, 99, 255);
  for (int32_t k = 1; k <= R + 4; ++k) {
    DrawFontText("&", 0, row(k), 0, 0, 0);
    DrawFontText("&", W - 8 - 1, row(k), 0, 0, 0);
  }
  const Text top = "&" + Text("Floor #") + IntToText(floor);
  DrawFontText(top, 0, row(R + 5), 0, 0, 0);
  for (int32_t x = 8 * top.Length(); x < W; x += 8) DrawFontText("&", x, row(R + 5), 0, 0, 0);

  const int32_t needed = ExperienceNeeded(R);
  UseColor(kStatColors[StatHealth]);
  DrawKeywordText("Health: " + IntToText(health) + "/" + IntToText(healthmax), row(R + 4), 0);
  UseColor(kStatColors[StatGold]);
  DrawFontText("Gold: " + IntToText(gold), 300, row(R + 4), 0, 0, 0);
  UseColor(kStatColors[StatExperience]);
  DrawFontText("Experience: " + IntToText(experience) + " / " + IntToText(needed), 509, row(R + 4), 0, 0, 0);
  DrawBar(static_cast<float>(SaturatingAdd(experience, 1)), needed + 1, 724, row(R + 4), 50, 1);

  const int32_t weaponPower = weapon ? static_cast<int32_t>(weapon->value) : 0;
  const int32_t weaponChance = weapon ? weapon->chance : 0;
  const int32_t armorDefence = armor ? static_cast<int32_t>(armor->value) : 0;
  UseColor(kStatColors[StatStrength]);
  DrawFontText("Strength: " + IntToText(SaturatingAdd(strength, weaponPower)), 44, row(R + 3), 0, 0, 0);
  UseColor(kStatColors[StatDefence]);
  DrawFontText("Defence: " + IntToText(SaturatingAdd(defence, armorDefence)), 194, row(R + 3), 0, 0, 0);
  UseColor(kStatColors[StatAccuracy]);
  DrawFontText("Accuracy: " + IntToText(SaturatingAdd(accuracy, weaponChance)) + "%", 344, row(R + 3), 0, 0, 0);
  SetDrawColor(255, 255, 255);
  DrawFontText("Item-Find: " + IntToText(itemfind) + "%", 544, row(R + 3), 0, 0, 0);

  UseColor(kStatColors[StatStrength]);
  DrawItemLine(weapon, row(R + 2));
  UseColor(kStatColors[StatDefence]);
  DrawItemLine(armor, row(R + 1));

  UseColor(kRuneColor);
  for (int32_t i = 1; i <= MinInt(R, MaxRuneSlots); ++i) {
    if (!runes[i]) continue;
    runes[i]->SetItemColor(0, 0);
    DrawItemLine(runes[i], row(R - i + 1));
  }
}

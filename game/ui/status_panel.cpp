// The status panel along the bottom of every frame: floor, health, gold, experience, statistics,
// equipment and runes. Reads the game state and draws it; changes nothing but the drawing state.
#include "game/ui/status_panel.h"

#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/ui/font.h"
#include "game/ui/palette.h"
#include "game/ui/stage.h"
#include "platform/display/display.h"

namespace {

constexpr int32_t MaxRuneSlots = 9;

void DrawItemLine(const titem* item, int32_t y) {
  if (item) DrawKeywordText(item->Describe(), y, 0);
}

}  // namespace

void DrawStatusPanel() {
  const int32_t H = DisplayHeight();
  const int32_t W = DisplayWidth();
  const int32_t R = hero.runelevel;
  auto row = [&](int32_t k) { return H - k * font.cellHeight; };

  SetDrawColor(99, 99, 255);
  for (int32_t k = 1; k <= R + 4; ++k) {
    DrawFontText("&", 0, row(k), 0, 0, 0);
    DrawFontText("&", W - 8 - 1, row(k), 0, 0, 0);
  }
  const Text top = "&" + Text("Floor #") + IntToText(hero.floor);
  DrawFontText(top, 0, row(R + 5), 0, 0, 0);
  for (int32_t x = 8 * top.Length(); x < W; x += 8) DrawFontText("&", x, row(R + 5), 0, 0, 0);

  const int32_t needed = ExperienceNeeded(R);
  UseColor(kStatColors[StatHealth]);
  DrawKeywordText("Health: " + IntToText(hero.health) + "/" + IntToText(hero.healthmax), row(R + 4), 0);
  UseColor(kStatColors[StatGold]);
  DrawFontText("Gold: " + IntToText(hero.gold), 300, row(R + 4), 0, 0, 0);
  UseColor(kStatColors[StatExperience]);
  DrawFontText("Experience: " + IntToText(hero.experience) + " / " + IntToText(needed), 509, row(R + 4), 0, 0, 0);
  DrawBar(static_cast<float>(SaturatingAdd(hero.experience, 1)), needed + 1, 724, row(R + 4), 50, 1);

  const int32_t weaponPower = hero.weapon ? static_cast<int32_t>(hero.weapon->value) : 0;
  const int32_t weaponChance = hero.weapon ? hero.weapon->chance : 0;
  const int32_t armorDefence = hero.armor ? static_cast<int32_t>(hero.armor->value) : 0;
  UseColor(kStatColors[StatStrength]);
  DrawFontText("Strength: " + IntToText(SaturatingAdd(hero.strength, weaponPower)), 44, row(R + 3), 0, 0, 0);
  UseColor(kStatColors[StatDefence]);
  DrawFontText("Defence: " + IntToText(SaturatingAdd(hero.defence, armorDefence)), 194, row(R + 3), 0, 0, 0);
  UseColor(kStatColors[StatAccuracy]);
  DrawFontText("Accuracy: " + IntToText(SaturatingAdd(hero.accuracy, weaponChance)) + "%", 344, row(R + 3), 0, 0, 0);
  SetDrawColor(255, 255, 255);
  DrawFontText("Item-Find: " + IntToText(hero.itemfind) + "%", 544, row(R + 3), 0, 0, 0);

  UseColor(kStatColors[StatStrength]);
  DrawItemLine(hero.weapon, row(R + 2));
  UseColor(kStatColors[StatDefence]);
  DrawItemLine(hero.armor, row(R + 1));

  UseColor(kRuneColor);
  for (int32_t i = 1; i <= MinInt(R, MaxRuneSlots); ++i) {
    if (!hero.runes[i]) continue;
    SetItemColor(*hero.runes[i], 0, 0);
    DrawItemLine(hero.runes[i], row(R - i + 1));
  }
}

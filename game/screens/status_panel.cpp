// The status panel (floor, health, gold, experience, statistics, equipment, runes), the stage (the
// hero on the left, the opponent or the speaker on the right) and the ball-glyph bar. Reads the
// game state and draws it; changes nothing but the drawing state, left at scale 1, alpha 1, mode 1.
#include "game/screens/status_panel.h"

#include "game/creatures/mon.h"
#include "game/screens/font.h"
#include "game/screens/menu.h"
#include "game/screens/start.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "platform/display.h"

namespace {

constexpr int32_t MaxRuneSlots = 9;
constexpr int32_t GlyphHeight = 12;

// The bar's fill colour: green when full, through yellow-brown, to red when empty.
void SetBarFillColor(float ratio) {
  const float red = 255.0f - ratio * 270.0f;
  SetDrawColor(static_cast<int32_t>(red > 0.0f ? red : 0.0f), static_cast<int32_t>(70.0f + ratio * 170.0f), 40);
}

void DrawItemLine(const titem* item, int32_t y) {
  if (item) DrawKeywordText(item->Describe(), y, 0);
}

}  // namespace

void DrawBar(float value, int32_t maximum, int32_t x, int32_t y, int32_t length, int32_t experienceStyle) {
  // Outside 0..1 the fill would run past the background or turn the colour arithmetic over.
  float ratio = maximum != 0 ? value / static_cast<float>(maximum) : 0.0f;
  if (!(ratio > 0.0f)) ratio = 0.0f;
  if (ratio > 1.0f) ratio = 1.0f;
  const int32_t ball = GlyphFrame(u'&');
  for (int32_t pass = 1; pass <= 2; ++pass) {
    int32_t span = length;
    if (pass == 1) {
      SetDrawColor(111, 111, 111);
      SetBlendMode(3);
      SetDrawAlpha(0.5f);
    } else {
      span = static_cast<int32_t>(ratio * static_cast<float>(length));
      if (experienceStyle)
        SetDrawColor(190, 190, 200);
      else
        SetBarFillColor(ratio);
    }
    int32_t s = 0;
    for (; s + 8 <= span; s += 8) DrawFontText("&", x + s, y, 0, 0, 0);
    // The background's squeezed end piece is drawn opaque.
    if (pass == 1) {
      SetDrawAlpha(1.0f);
      SetBlendMode(1);
    }
    if (font.glyphs)
      DrawImageRect(font.glyphs.get(), static_cast<float>(x + s + 1), static_cast<float>(y),
                    static_cast<float>(span - s), static_cast<float>(GlyphHeight), ball);
  }
}

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
  SetDrawColor(0, 255, 0);
  DrawKeywordText("Health: " + IntToText(health) + "/" + IntToText(healthmax), row(R + 4), 0);
  SetDrawColor(255, 230, 0);
  DrawFontText("Gold: " + IntToText(gold), 300, row(R + 4), 0, 0, 0);
  SetDrawColor(190, 190, 200);
  DrawFontText("Experience: " + IntToText(experience) + " / " + IntToText(needed), 509, row(R + 4), 0, 0, 0);
  DrawBar(static_cast<float>(SaturatingAdd(experience, 1)), needed + 1, 724, row(R + 4), 50, 1);

  const int32_t weaponPower = weapon ? static_cast<int32_t>(weapon->value) : 0;
  const int32_t weaponChance = weapon ? weapon->chance : 0;
  const int32_t armorDefence = armor ? static_cast<int32_t>(armor->value) : 0;
  SetDrawColor(168, 168, 255);
  DrawFontText("Strength: " + IntToText(SaturatingAdd(strength, weaponPower)), 44, row(R + 3), 0, 0, 0);
  SetDrawColor(165, 125, 35);
  DrawFontText("Defence: " + IntToText(SaturatingAdd(defence, armorDefence)), 194, row(R + 3), 0, 0, 0);
  SetDrawColor(255, 255, 255);
  DrawFontText("Accuracy: " + IntToText(SaturatingAdd(accuracy, weaponChance)) + "%", 344, row(R + 3), 0, 0, 0);
  SetDrawColor(255, 255, 255);
  DrawFontText("Item-Find: " + IntToText(itemfind) + "%", 544, row(R + 3), 0, 0, 0);

  SetDrawColor(168, 168, 255);
  DrawItemLine(weapon, row(R + 2));
  SetDrawColor(165, 125, 35);
  DrawItemLine(armor, row(R + 1));

  SetDrawColor(105, 145, 145);
  for (int32_t i = 1; i <= MinInt(R, MaxRuneSlots); ++i) {
    if (!runes[i]) continue;
    runes[i]->SetItemColor(0, 0);
    DrawItemLine(runes[i], row(R - i + 1));
  }
}

void DrawScene() {
  const int32_t rowHeight = font.cellHeight;
  SetDrawColor(255, 255, 255);
  DrawFontText(hero.name, HeroX, HeroY, 0, 0, 0);
  DrawBar(static_cast<float>(hero.health), hero.healthmax, HeroX, HeroY + rowHeight, 58, 0);
  SetDrawColor(90, 155, 90);
  DrawFontText(IntToText(hero.health) + "/" + IntToText(hero.healthmax), HeroX, HeroY + 2 * rowHeight, 0, 0, 0);
  SetDrawColor(255, 255, 255);
  // A figure without a picture (no animation set yet) leaves the hero's place empty.
  if (TImage* figure = hero.mon ? hero.mon->CurrentImage() : nullptr)
    DrawImageFrame(figure, static_cast<float>(HeroX + 5), static_cast<float>(HeroY - 70), 0);

  if (Opponent) {
    SetDrawColor(255, 255, 255);
    DrawFontText(IntToText(Opponent->health) + "/" + IntToText(Opponent->healthmax), FoeX, FoeY + 2 * rowHeight, 0,
                 0, 0);
    DrawBar(static_cast<float>(Opponent->health), Opponent->healthmax, FoeX, FoeY + rowHeight, 58, 0);
    if (TImage* picture = Opponent->CurrentImage()) {
      // Mirrored to face the hero; the Dragon Lord larger and reddened.
      if (Opponent == Roster[MonsterCount]) {
        SetDrawColor(255, 100, 100);
        SetDrawScale(-1.3f, 1.3f);
      } else {
        SetDrawColor(255, 255, 255);
        SetDrawScale(-1.0f, 1.0f);
      }
      DrawImageFrame(picture, static_cast<float>(FoeX + 40), static_cast<float>(FoeY - 70), 0);
      SetDrawScale(1.0f, 1.0f);
    }
  }

  if (!menu.speaker.Empty()) {
    SetDrawColor(255, 255, 255);
    DrawFontText(menu.speaker, FoeX, FoeY, 0, 0, 0);
    DrawFontText(menu.infoText, FoeX, FoeY - rowHeight, 0, 0, 0);
  }
}

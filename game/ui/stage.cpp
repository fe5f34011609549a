// The stage (the hero on the left, the opponent or the speaker on the right) and the ball-glyph bar
// it shares with the status panel. Reads the game state and draws it; changes nothing but the
// drawing state, left at scale 1, alpha 1, mode 1.
#include "game/ui/stage.h"

#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/state/hero.h"
#include "game/ui/font.h"
#include "game/ui/menu.h"
#include "game/ui/palette.h"
#include "platform/display/display.h"

extern const int32_t HeroX = 120;
int32_t HeroY = 375;
extern const int32_t FoeX = 240;
int32_t FoeY = 375;
tmon* Opponent = nullptr;

namespace {

constexpr int32_t GlyphHeight = 12;
// The health bars under the names, in pixels.
constexpr int32_t kBarLength = 58;

// The bar's fill colour: green when full, through yellow-brown, to red when empty.
void SetBarFillColor(float ratio) {
  const float red = 255.0f - ratio * 270.0f;
  SetDrawColor(static_cast<int32_t>(red > 0.0f ? red : 0.0f), static_cast<int32_t>(70.0f + ratio * 170.0f), 40);
}

}  // namespace

tspot OverHero() { return {static_cast<float>(HeroX + 22), static_cast<float>(HeroY - HeadHeight)}; }
tspot OverFoe() { return {static_cast<float>(FoeX), static_cast<float>(FoeY - HeadHeight)}; }

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
        UseColor(kStatColors[StatExperience]);
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

void DrawScene() {
  const int32_t rowHeight = font.cellHeight;
  SetDrawColor(255, 255, 255);
  DrawFontText(hero.name, HeroX, HeroY, 0, 0, 0);
  DrawBar(static_cast<float>(hero.health), hero.healthmax, HeroX, HeroY + rowHeight, kBarLength, 0);
  SetDrawColor(90, 155, 90);
  DrawFontText(IntToText(hero.health) + "/" + IntToText(hero.healthmax), HeroX, HeroY + 2 * rowHeight, 0, 0, 0);
  SetDrawColor(255, 255, 255);
  // A figure without a picture (no animation set yet) leaves the hero's place empty.
  if (TImage* figure = hero.mon ? hero.mon->CurrentImage() : nullptr)
    DrawImageFrame(figure, static_cast<float>(HeroX + 5), static_cast<float>(HeroY - HeadHeight), 0);

  if (Opponent) {
    SetDrawColor(255, 255, 255);
    DrawFontText(IntToText(Opponent->health) + "/" + IntToText(Opponent->healthmax), FoeX, FoeY + 2 * rowHeight, 0,
                 0, 0);
    DrawBar(static_cast<float>(Opponent->health), Opponent->healthmax, FoeX, FoeY + rowHeight, kBarLength, 0);
    if (TImage* picture = Opponent->CurrentImage()) {
      // Mirrored to face the hero; the Dragon Lord larger and reddened.
      if (IsDragonLord(Opponent)) {
        SetDrawColor(255, 100, 100);
        SetDrawScale(-1.3f, 1.3f);
      } else {
        SetDrawColor(255, 255, 255);
        SetDrawScale(-1.0f, 1.0f);
      }
      DrawImageFrame(picture, static_cast<float>(FoeX + 40), static_cast<float>(FoeY - HeadHeight), 0);
      SetDrawScale(1.0f, 1.0f);
    }
  }

  if (!menu.speaker.Empty()) {
    SetDrawColor(255, 255, 255);
    DrawFontText(menu.speaker, FoeX, FoeY, 0, 0, 0);
    DrawFontText(menu.infoText, FoeX, FoeY - rowHeight, 0, 0, 0);
  }
}

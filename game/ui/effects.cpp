// The battle's small effects: the floating damage number, the "VICTORY!"-style banner and the
// blocking rising line that the healer, the pawn shop and the victory bonuses use. Each draws over
// the frame the caller is building; none of them reads the clock, durations are counted in frames.
#include "game/ui/effects.h"

#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/item_describe.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/stage.h"
#include "game/ui/status_panel.h"
#include "platform/display/display.h"
#include "platform/input/keyboard.h"
#include "platform/core/program.h"
#include "platform/core/random.h"

namespace {

struct tfloattext {
  bool active = false;
  float x = 0.0f;
  float y = 0.0f;
  int32_t framesLeft = 0;
};

tfloattext floatText;
float bannerLetters = 0.0f;

}  // namespace

int32_t FloatTextStep(const Text& text, float x, float y, float speed, int32_t frames) {
  int32_t red = 0, green = 0, blue = 0;
  GetDrawColor(red, green, blue);
  if (!floatText.active) {
    floatText.active = true;
    floatText.x = x;
    floatText.y = y - 5.0f;
    floatText.framesLeft = frames;
  }
  SetDrawColor(red, green, blue);
  DrawFontText(Capitalize(text), static_cast<int32_t>(floatText.x), static_cast<int32_t>(floatText.y), 0, 0, 0);
  // The text rises for the first two thirds of its life, then stands still.
  if (floatText.framesLeft > frames / 3) floatText.y -= speed;
  floatText.framesLeft = static_cast<int32_t>(static_cast<float>(floatText.framesLeft) - speed);
  if (floatText.framesLeft <= 0) {
    floatText.active = false;
    return 1;
  }
  if (SkipPressed()) {
    floatText.active = false;
    return 1;
  }
  return 0;
}

int32_t BannerStep(const Text& text, float speed, int32_t noSkip) {
  bannerLetters += speed;
  const int32_t green = static_cast<int32_t>(RandomReal(0, 190));
  const int32_t blue = static_cast<int32_t>(RandomReal(0, 190));
  SetDrawColor(255, green, blue);
  const Text shown = TextLeft(text, static_cast<int32_t>(bannerLetters));
  // Centred on the visible part, so the banner grows from the middle outwards.
  const int32_t x = DisplayWidth() / 2 - (font.advance * shown.Length()) / 2;
  DrawFontText(shown, x, DisplayHeight() / 2, 0, 0, 0);
  DrawStatusPanel();
  if (bannerLetters > static_cast<float>(text.Length() + 4)) {
    bannerLetters = 1.0f;
    return 1;
  }
  if (noSkip == 0 && SkipPressed()) {
    bannerLetters = 1.0f;
    return 1;
  }
  if (WasKeyPressed(KeyEscape)) ExitProgram();
  return 0;
}

void RisingText(const Text& text, float x, float y, float speed, int32_t distance, int32_t bonusTitle) {
  ClearKeyPresses();
  int32_t red = 0, green = 0, blue = 0;
  GetDrawColor(red, green, blue);
  float p = y - 5.0f;
  const Text line = Capitalize(text);
  for (;;) {
    DrawScene();
    if (bonusTitle == 1) {
      const int32_t titleGreen = static_cast<int32_t>(RandomReal(100, 255));
      const int32_t titleBlue = static_cast<int32_t>(RandomReal(100, 255));
      SetDrawColor(0, titleGreen, titleBlue);
      DrawFontText("RUNE VICTORY BONUS!", static_cast<int32_t>(x), static_cast<int32_t>(y - 70.0f), 0, 0, 0);
    }
    SetDrawColor(red, green, blue);
    DrawFontText(line, static_cast<int32_t>(x), static_cast<int32_t>(p), 0, 0, 0);
    EndFrame();
    p -= speed;
    if (p < y - static_cast<float>(distance)) break;
    if (SkipPressed()) break;
  }
}

float BannerLetters() { return bannerLetters; }

void ResetEffects() {
  floatText = tfloattext{};
  bannerLetters = 0.0f;
}

// The end of a frame and the skip key, shared by the menus, the typed messages and every effect.
#include "game/screens/frame.h"

#include "game/screens/start.h"
#include "game/state/hero.h"
#include "platform/display.h"
#include "platform/keyboard.h"

void PresentFrame() {
  FlipFrame(-1);
  DrawTitlePicture(1);
}

void EndFrame() {
  hero.DrawStatusPanel();
  PresentFrame();
}

void EndFrameOnTintedTitle(int32_t red, int32_t green, int32_t blue, float alpha) {
  hero.DrawStatusPanel();
  SetDrawAlpha(alpha);
  SetDrawColor(red, green, blue);
  FlipFrame(-1);
  DrawTitlePicture(0);
}

bool SkipPressed() { return WasKeyPressed(KeySpace) != 0 || WasKeyPressed(KeyEnter) != 0; }

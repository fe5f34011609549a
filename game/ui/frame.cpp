// The end of a frame and the skip key, shared by the menus, the typed messages and every effect.
#include "game/ui/frame.h"

#include "game/state/hero.h"
#include "game/ui/status_panel.h"
#include "platform/display/display.h"
#include "platform/input/keyboard.h"

ImagePtr TitlePicture;

void DrawTitlePicture(int32_t dim) {
  if (dim) SetDrawColor(111, 111, 111);
  // A missing title picture leaves the frames without their background rather than ending the game.
  if (TitlePicture) DrawImageFrame(TitlePicture.get(), 0, 0, 0);
}

void PresentFrame() {
  FlipFrame(-1);
  DrawTitlePicture(1);
}

void EndFrame() {
  DrawStatusPanel();
  PresentFrame();
}

void EndFrameOnTintedTitle(int32_t red, int32_t green, int32_t blue, float alpha) {
  DrawStatusPanel();
  SetDrawAlpha(alpha);
  SetDrawColor(red, green, blue);
  FlipFrame(-1);
  DrawTitlePicture(0);
}

bool SkipPressed() { return WasKeyPressed(KeySpace) != 0 || WasKeyPressed(KeyEnter) != 0; }

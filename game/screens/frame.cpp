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

bool SkipPressed() { return WasKeyPressed(KeySpace) != 0 || WasKeyPressed(KeyEnter) != 0; }

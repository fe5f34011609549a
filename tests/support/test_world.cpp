// The fresh platform state and stand-in art shared by the in-process tests (see test_world.h).
#include "tests/support/test_world.h"

#include "game/creatures/anim.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/stage.h"
#include "platform/core/clock.h"
#include "platform/display/display.h"
#include "platform/input/keyboard.h"
#include "platform/core/program.h"
#include "platform/core/random.h"
#include "tests/support/stand_in_image.h"

void ResetPlatformState() {
  SetEndMode(EndMode::Throw);
  ResetExitHandlers();
  ResetKeyboard();
  UseVirtualClock(0);
  SeedRandom(1);
  SetDrawRecorder(nullptr);
  SetDrawColor(255, 255, 255);
  SetDrawAlpha(1.0f);
  SetBlendMode(1);
  SetDrawScale(1.0f, 1.0f);
}

void UseStandInArt() {
  ResourcePrefix = "incbin::";
  font.charset = Text(FontCharset);
  font.advance = 8;
  font.cellHeight = 14;
  font.glyphs = MakeStandInImage(14, 12, 56);
  TitlePicture = MakeStandInImage(800, 600, 1);
  HeroY = 375;
  FoeY = 375;
}

void StartNewGame() {
  ResetPlatformState();
  UseStandInArt();
  ResetGameWorld();
  hero.NewGame();
}

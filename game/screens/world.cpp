// Every game global back to its start-of-run state. GameMain starts with it, so a second game run
// in one process (the tests) plays exactly like the first: the banner's letter count in particular
// starts at 0 again, or the first victory would draw a different number of random colours.
#include "game/screens/world.h"

#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/state/hero.h"
#include "game/ui/effects.h"
#include "game/ui/menu.h"
#include "game/ui/message.h"
#include "game/ui/stage.h"

int32_t NoSave = 1;

void ResetGameWorld() {
  NoSave = 1;
  Opponent = nullptr;
  ResetGameState();
  menu = tmenu();
  menu.escapeEnds = 1;
  ResetEffects();
  ResetRosterFigures();
  // The rules raise the rune level; the screens say so, at that very moment.
  RuneLevelGained = [] { ShowMessage("You have gained a rune level!", 1.5f, 0.6f, 0, 1); };
}

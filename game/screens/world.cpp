// Every game global back to its start-of-run state. GameMain starts with it, so a second game run
// in one process (the tests) plays exactly like the first: the banner's letter count in particular
// starts at 0 again, or the first victory would draw a different number of random colours.
#include "game/screens/world.h"

#include "game/creatures/effects.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/menu.h"
#include "game/screens/stage.h"
#include "game/screens/start.h"
#include "game/state/hero.h"

void ResetGameWorld() {
  NoSave = 1;
  Opponent = nullptr;
  ResetGameState();
  menu = tmenu();
  menu.escapeEnds = 1;
  ResetEffects();
  ResetRosterFigures();
}

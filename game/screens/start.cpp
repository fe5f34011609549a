// Program start: the game's globals, the start-up order (display, seed, mask colour, exit handler,
// title picture, hero, menu, font, items, roster, animations), the choice between a saved game and
// a new one (made before the title's key wait, which tells of a damaged save), and the exit handler
// that saves. Nothing here runs again once the town loop starts.
#include "game/screens/start.h"

#include <string>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/dungeon.h"
#include "game/screens/title.h"
#include "game/screens/town.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/save.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/menu.h"
#include "game/ui/stage.h"
#include "platform/core/clock.h"
#include "platform/display/display.h"
#include "platform/images/image.h"
#include "platform/input/keyboard.h"
#include "platform/core/program.h"
#include "platform/core/random.h"
#include "platform/files/resources.h"


void GameMain() {
  // Nothing is saved until the game has really started; a run in the same process starts afresh.
  // The reset makes the hero, the menu and the default items.
  ResetGameWorld();

  RegisterEmbeddedResources();
  ResourcePrefix = "incbin::";
  OpenDisplay(800, 600, 16, 27, 0);
  SeedRandom(static_cast<int32_t>(ElapsedMillis()));
  HideMousePointer();
  SetMaskColor(255, 0, 255);
  AtExit(SaveOnExit);
  TitlePicture = LoadImageResource(ResourcePrefix + "image\\dragon.jpg", -1);

  HeroY = DisplayHeight() / 2 + 75;
  FoeY = HeroY;
  LoadBitmapFont();

  CreateRoster();
  LoadCreatureAnimations();
  // Nothing advances the hero's figure outside battles: it stands on its first attack frame.
  hero.mon->SetAnim(AttackKind);

  // Read before the title's key wait, where a save that was repaired or could not be used is told.
  std::string saveReport;
  const int32_t loaded = LoadGame(saveReport);
  if (!loaded) hero.NewGame();
  WaitAtTitle(saveReport);
  if (!loaded) ShowIntro();
  NoSave = 0;
  // A game saved in the dungeon resumes on its floor (one saved in the lair, on floor 19).
  if (hero.floor != 0) DungeonMenu();
  TownMenu();
}

void SaveOnExit() {
  if (NoSave) return;
  // A hero who has died and not yet chosen is kept as "continue" leaves him: leaving the game
  // between the lethal blow and the choice must not dodge the death.
  if (hero.health <= 0) ResetAfterDeath();
  SaveGame();
}

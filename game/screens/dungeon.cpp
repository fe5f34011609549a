// The dungeon floors below the town: floor 1 at the top, the Dragon Lord's lair at 20. There is no
// map; each move is a menu choice followed by a battle. The lair is entered only for the length of
// one battle, so hero.floor is 20 only while that battle runs (a save made during it says 19).
#include "game/screens/dungeon.h"

#include <memory>

#include "game/screens/battle.h"
#include "game/screens/pick_up.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/item_generate.h"
#include "game/ui/menu.h"
#include "platform/core/random.h"

namespace {

void GoUpstairs() {
  hero.floor -= 1;
  // The climb from floor 1 reaches the town, where nothing attacks.
  if (hero.floor == 0) return;
  RunBattle();
}

void GoDownstairs() {
  if (hero.floor >= LairFloor) return;
  hero.floor += 1;
  // The lair never counts as the deepest floor reached: the market stocks for floors up to 19.
  if (hero.floor < LairFloor && hero.floor > hero.deepest) hero.deepest = hero.floor;
  RunBattle();
  // Whoever leaves the lair alive (by running away) stands on floor 19 again.
  if (hero.floor == LairFloor) hero.floor = LairFloor - 1;
}

}  // namespace

void DungeonMenu() {
  for (;;) {
    menu.SetTitle("dungeon");
    menu.SetPrompt("this is floor #" + IntToText(hero.floor));
    menu.AddOption("go upstairs", 255, 255, 255);
    menu.AddOption("go downstairs", 255, 255, 255);
    menu.AddOption("explore", 255, 255, 255);
    // escapeEnds stays at 1: Escape here ends the program, which saves the game.
    menu.ChooseOption();
    switch (menu.choice) {
      case 1: GoUpstairs(); break;
      case 2: GoDownstairs(); break;
      case 3:
        Explore();
        RunBattle();
        break;
      default: break;
    }
    // Floor 0: climbed out of floor 1, or continued after a death.
    if (hero.floor == 0) return;
  }
}

void Explore() {
  if (RandomReal(0, 100) > hero.itemfind) {
    menu.SetTitle("");
    menu.SetPrompt("you found nothing.");
    menu.AddOption("okay", 255, 255, 255);
    menu.ChooseOption();
    return;
  }
  // Owned here until the pack takes it: a left item, one that found no room, or one the game ended
  // over (at either menu) belongs to nobody.
  std::unique_ptr<titem> item(GenerateItem(hero.floor, 0));
  menu.SetTitle("take it or leave it");
  menu.SetPrompt("You found a " + item->Describe());
  menu.AddOption("take it", 255, 255, 255);
  menu.AddOption("leave it", 255, 255, 255);
  menu.ChooseOption();
  if (menu.choice != 2 && PickUpItem(item.get()) != 0) item.release();
}

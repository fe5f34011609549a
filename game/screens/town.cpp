// The town menu, the hub the game returns to for ever.
// The town keeps no state of its own between visits: everything lives on hero and the menu.
#include "game/screens/town.h"

#include "game/screens/dungeon.h"
#include "game/screens/equip_screen.h"
#include "game/screens/healer.h"
#include "game/screens/market.h"
#include "game/screens/pawn_shop.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/ui/menu.h"

namespace {

constexpr const char* TownPlaces[] = {"healer", "the market", "pawn shop", "equip items", "enter the dungeon"};

}  // namespace

void TownMenu() {
  for (;;) {
    menu.SetTitle("the home town");
    menu.SetPrompt("where will you go?");
    for (const char* place : TownPlaces) menu.AddOption(place, 255, 255, 255);
    // escapeEnds stays at 1 here: Escape in town ends the program, which saves the game.
    menu.ChooseOption();
    switch (menu.choice) {
      case 1: Healer(); break;
      case 2: Market(); break;
      case 3: PawnShop(); break;
      case 4: EquipScreen(); break;
      case 5:
        hero.floor = 1;
        DungeonMenu();
        break;
      default: break;
    }
  }
}

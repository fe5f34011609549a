// The town menu, the hub the game returns to for ever, and the inventory helpers its places share.
// The town keeps no state of its own between visits: everything lives on hero and the menu.
#include "game/screens/town.h"

#include "game/screens/dungeon.h"
#include "game/screens/equip_screen.h"
#include "game/screens/healer.h"
#include "game/screens/market.h"
#include "game/screens/menu.h"
#include "game/screens/pawn_shop.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "platform/display.h"

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

int32_t FilledSlot(int32_t n) {
  for (int32_t slot = 1; slot <= InventorySlots; ++slot) {
    if (hero.items[slot] != nullptr && --n == 0) return slot;
  }
  return 0;
}

void CloseUpInventory() {
  for (int32_t i = 1; i < InventorySlots; ++i) {
    if (hero.items[i] != nullptr) continue;
    int32_t next = i + 1;
    while (next <= InventorySlots && hero.items[next] == nullptr) ++next;
    if (next > InventorySlots) return;
    hero.items[i] = hero.items[next];
    hero.items[next] = nullptr;
  }
}

void AddItemOption(const Text& text, const titem* item) {
  item->SetItemColor(1, 0);
  int32_t red = 0, green = 0, blue = 0;
  GetDrawColor(red, green, blue);
  menu.AddOption(text, red, green, blue);
}

// The pawn shop: buys the hero's items for their selling price, one at a time or every unequipped
// one at once. Sales leave gaps while the shop is open; the inventory is closed up on leaving.
// A sold item is taken off first and held by nothing afterwards, so it is freed.
#include "game/screens/pawn_shop.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/ui/effects.h"
#include "game/ui/frame.h"
#include "game/ui/menu.h"
#include "game/ui/palette.h"
#include "game/ui/stage.h"
#include "platform/display/display.h"

Text PawnOptionText(const titem* item) {
  const Text marker = hero.IsEquipped(item) ? "equipped: " : "";
  return TextPadRight(marker + item->Describe(), 77) + " - " + IntToText(item->Price(0)) + " gold";
}

namespace {

Text SoldLine(const titem* item, int32_t price) {
  return "You sold your " + item->name + " for " + IntToText(price) + " gold";
}

// Equipped items stay; each sale shows its gold rising over the hero.
void SellAllUnequipped() {
  for (int32_t slot = 1; slot <= InventorySlots; ++slot) {
    titem* item = hero.items[slot];
    if (item == nullptr || hero.IsEquipped(item)) continue;
    const int32_t price = item->Price(0);
    hero.gold = SaturatingAdd(hero.gold, price);
    menu.infoText = SoldLine(item, price);
    UseColor(kStatColors[StatGold]);
    RisingText("+" + IntToText(price) + " gold", OverHero().x, OverHero().y,
               3.0f, 20, 0);
    hero.items[slot] = nullptr;
    delete item;
  }
}

// A single sale may be of an equipped item: it is taken off first.
void SellSlot(int32_t slot) {
  titem* item = hero.items[slot];
  const int32_t price = item->Price(0);
  hero.gold = SaturatingAdd(hero.gold, price);
  hero.Unequip(item);
  menu.infoText = SoldLine(item, price);
  hero.items[slot] = nullptr;
  delete item;
}

}  // namespace

void PawnShop() {
  bool firstPass = true;
  menu.infoText = "what will you sell me?";
  for (;;) {
    menu.SetTitle("pawn shop");
    menu.SetPrompt("sell something.");
    menu.speaker = "pawnman";
    menu.AddOption("sell all unequipped items", 255, 255, 255);
    for (int32_t slot = 1; slot <= InventorySlots; ++slot) {
      if (hero.items[slot] != nullptr) AddItemOption(PawnOptionText(hero.items[slot]), hero.items[slot]);
    }
    menu.AddOption("leave", 255, 255, 255);
    menu.escapeEnds = 0;
    if (!firstPass) menu.keepCursor = 1;
    menu.ChooseOption();
    const int32_t choice = menu.choice;
    if (choice == 0 || choice == menu.optionCount) {
      CloseUpInventory();
      return;
    }
    if (choice == 1) {
      SellAllUnequipped();
    } else {
      const int32_t slot = FilledSlot(choice - 1);
      if (slot != 0) SellSlot(slot);
    }
    firstPass = false;
  }
}

// The market: 17 items suited to the deepest floor reached (5 swords, 5 armours, 7 runes), restocked
// slot by slot as items are bought and all at once on "more items". The stock lives only while the
// market is open; the gold is taken only when the item found room in the inventory. Items the
// market drops (unsold on leaving, or swept away by "more items") belong to nobody and are freed.
#include "game/screens/market.h"
#include "game/screens/pick_up.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/item_generate.h"
#include "game/ui/menu.h"
#include "platform/core/random.h"

void RestockMarket(titem* stock[20]) {
  for (int32_t i = 1; i <= MarketSlots; ++i) {
    if (stock[i] != nullptr) continue;
    // A fresh floor for every item, so a visit mixes goods from just above to a little below.
    const int32_t floor = MinInt(19, MaxInt(1, hero.deepest + RandomInteger(-2, 3)));
    const int32_t kind = MinInt(3, (i - 1) / 5 + 1);
    stock[i] = GenerateItem(floor, kind);
  }
}

Text MarketOptionText(int32_t option, int32_t price, int32_t gold, const Text& description) {
  // The option numbers are written without padding, so two-digit ones take a space less here.
  const Text padding = option < 10 ? "  " : (option < 100 ? " " : "");
  const Text amount = gold < price ? "*" + IntToText(price) : IntToText(price);
  return padding + TextPadLeft(amount, 7) + " Gold - " + description;
}

namespace {

void EmptyStock(titem* stock[20]) {
  for (int32_t i = 1; i <= MarketSlots; ++i) {
    delete stock[i];
    stock[i] = nullptr;
  }
}

// The open market's stock; whatever is still in it when the market closes (however it closes) goes.
struct tmarketstock {
  titem* slots[20] = {};
  ~tmarketstock() { EmptyStock(slots); }
};

}  // namespace

void Market() {
  tmarketstock open;
  titem** stock = open.slots;
  menu.infoText = "New items are always in!";
  bool firstPass = true;
  for (;;) {
    RestockMarket(stock);
    menu.SetTitle("market");
    menu.SetPrompt("Lets see what there is today:");
    menu.AddOption("more items", 255, 255, 255);
    for (int32_t i = 1; i <= MarketSlots; ++i) {
      AddItemOption(MarketOptionText(i + 1, stock[i]->Price(1), hero.gold, stock[i]->Describe()), stock[i]);
    }
    menu.AddOption("leave", 255, 255, 255);
    menu.escapeEnds = 0;
    if (!firstPass) menu.keepCursor = 1;
    menu.ChooseOption();
    const int32_t choice = menu.choice;
    if (choice == 0 || choice == MarketSlots + 2) return;
    if (choice == 1) {
      EmptyStock(stock);
    } else if (choice >= 2 && choice <= MarketSlots + 1) {
      titem* item = stock[choice - 1];
      const int32_t price = item->Price(1);
      if (hero.gold >= price) {
        // A full inventory asks which item to replace; cancelling there keeps the gold and the stock.
        // Bought items are the hero's now: the slot lets go of them without freeing.
        if (PickUpItem(item) == 1) {
          hero.gold -= price;
          stock[choice - 1] = nullptr;
        }
      } else {
        menu.infoText = "You do not have enough gold for that.";
      }
    }
    firstPass = false;
  }
}

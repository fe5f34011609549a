// Picking up an item: the pack's rules are the hero's; the full pack's question is asked here.
#include "game/screens/pick_up.h"

#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/ui/menu.h"
#include "game/ui/message.h"

int32_t PickUpItem(titem* item) {
  if (hero.FreeSlot() != 0) {
    // Set before the item goes on, so a rune level it brings is shown under this line.
    menu.infoText = "You got the " + item->name;
    return hero.AddItem(item);
  }
  ShowMessage("You can't hold any more items", 1.0f, 0.7f, 0, 1);
  menu.SetTitle("replace an item");
  menu.SetPrompt("You have no room for the new " + item->name);
  for (int32_t k = 1; k <= InventorySlots; ++k) menu.AddOption(hero.items[k]->Describe(), 255, 255, 255);
  menu.AddOption("cancel", 255, 255, 255);
  menu.ChooseOption();
  const int32_t k = menu.choice;
  if (k == menu.optionCount || k < 1 || k > InventorySlots) return 0;
  hero.ReplaceItem(k, item);
  return 1;
}

// The equip screen: every carried item, marked when worn; choosing one takes it off when it is
// worn, otherwise puts it on in place of whatever held its slot.
#include "game/screens/equip_screen.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/ui/menu.h"

void EquipScreen() {
  bool firstPass = true;
  for (;;) {
    menu.SetTitle("equip");
    menu.SetPrompt("which item will you equip?");
    for (int32_t slot = 1; slot <= InventorySlots; ++slot) {
      const titem* item = hero.items[slot];
      if (item == nullptr) continue;
      const Text marker = hero.IsEquipped(item) ? "equipped: " : "";
      AddItemOption(marker + item->Describe(), item);
    }
    menu.AddOption("done", 255, 255, 255);
    menu.escapeEnds = 0;
    if (!firstPass) menu.keepCursor = 1;
    menu.ChooseOption();
    const int32_t choice = menu.choice;
    if (choice == 0 || choice == menu.optionCount) return;
    const int32_t slot = FilledSlot(choice);
    if (slot != 0) {
      titem* item = hero.items[slot];
      if (hero.IsEquipped(item)) {
        hero.Unequip(item);
        menu.infoText = "unequipped " + item->name;
      } else {
        hero.Equip(item, 1);
        menu.infoText = "equipped " + item->name;
      }
    }
    firstPass = false;
  }
}

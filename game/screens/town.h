// The town menu and the helpers its places share (each place, a loop over the shared menu that
// stays until the player leaves it, has a header of its own: healer, market, pawn shop, equip screen).
#pragma once
#include <cstdint>

#include "platform/text.h"

struct titem;

// The town loop; never returns (Escape there ends the program).
[[noreturn]] void TownMenu();

// The inventory slot holding the n-th item in slot order (n from 1), or 0 when there is none.
int32_t FilledSlot(int32_t n);
// Moves the items down into the gaps, keeping their order, so they fill slots 1 upwards.
void CloseUpInventory();
// Adds an option in the colour the item is listed in (SetItemColor(1, 0)).
void AddItemOption(const Text& text, const titem* item);

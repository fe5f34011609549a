// The town: the town menu and its places (healer, market, pawn shop, equip screen), each a loop
// over the shared menu that stays until the player leaves it, and the helpers the places share.
#pragma once
#include <cstdint>

#include "platform/text.h"

struct titem;

// The town loop; never returns (Escape there ends the program).
[[noreturn]] void TownMenu();
void Healer();
void Market();
void PawnShop();
void EquipScreen();

// Slots the market stocks (1..17 of an array of 20).
constexpr int32_t MarketSlots = 17;

// Fills every empty stock slot in slot order: a floor near the deepest one reached, then the item.
void RestockMarket(titem* stock[20]);
// The market's line for option number option: padding, the 7-wide price field ("*" in front when
// gold cannot pay it), " Gold - " and the description.
Text MarketOptionText(int32_t option, int32_t price, int32_t gold, const Text& description);
// The pawn shop's line: the description (marked when equipped) cut or padded to 77 characters,
// then the selling price.
Text PawnOptionText(const titem* item);

// The inventory slot holding the n-th item in slot order (n from 1), or 0 when there is none.
int32_t FilledSlot(int32_t n);
// Moves the items down into the gaps, keeping their order, so they fill slots 1 upwards.
void CloseUpInventory();
// Adds an option in the colour the item is listed in (SetItemColor(1, 0)).
void AddItemOption(const Text& text, const titem* item);

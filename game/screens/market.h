// The market: its stock, restocked from the deepest floor reached, and its price lines.
#pragma once
#include <cstdint>

#include "platform/core/text.h"

struct titem;

void Market();
// Slots the market stocks (1..17 of an array of 20).
constexpr int32_t MarketSlots = 17;
// Fills every empty stock slot in slot order: a floor near the deepest one reached, then the item.
void RestockMarket(titem* stock[20]);
// The market's line for option number option: padding, the 7-wide price field ("*" in front when
// gold cannot pay it), " Gold - " and the description.
Text MarketOptionText(int32_t option, int32_t price, int32_t gold, const Text& description);

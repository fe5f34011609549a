// The pawn shop: selling items from the inventory.
#pragma once
#include "platform/core/text.h"

struct titem;

void PawnShop();
// The pawn shop's line: the description (marked when equipped) cut or padded to 77 characters,
// then the selling price.
Text PawnOptionText(const titem* item);

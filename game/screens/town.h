// The town: the town menu and its places (healer, market, pawn shop, equip screen).
#pragma once

// The town loop; never returns (Escape there ends the program).
[[noreturn]] void TownMenu();
void Healer();
void Market();
void PawnShop();
void EquipScreen();

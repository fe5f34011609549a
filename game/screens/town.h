// The town menu. Each of its places, a loop over the shared menu that stays until the player leaves
// it, has a header of its own: healer, market, pawn shop, equip screen.
#pragma once

// The town loop; never returns (Escape there ends the program).
[[noreturn]] void TownMenu();

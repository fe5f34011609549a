// The save file save.dat: loaded once at start-up, written once at exit, byte for byte the game's
// format. A damaged file is repaired (its bytes kept as save.dat.bad), never a crash.
#pragma once
#include <cstdint>

// 1 when a saved game was read into hero, 0 when there is none (or none could be used).
int32_t LoadGame();
void SaveGame();

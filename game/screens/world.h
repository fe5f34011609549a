// The game's own flag against saving, and the one reset of the game's world, for a game run that
// starts afresh in the same process.
#pragma once
#include <cstdint>

// Set while nothing may be saved at exit: during start-up, after a death's "end" and during the
// ending (both of which delete the save).
extern int32_t NoSave;

// Frees the inventory and the default items and makes new default items; a fresh hero, menu and
// effects; no opponent; NoSave set; the roster's figures as built (keeping its animations).
void ResetGameWorld();

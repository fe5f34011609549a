// The one reset of the game's world, for a game run that starts afresh in the same process.
#pragma once

// Frees the inventory and the default items and makes new default items; a fresh hero, menu and
// effects; no opponent; NoSave set; the roster's figures as built (keeping its animations).
void ResetGameWorld();

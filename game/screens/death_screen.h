// The death screen after a lost battle: continue (back in town, stripped) or end.
#pragma once

struct tmon;

// Returns only when the player chooses "continue" (the hero is then back in town, stripped).
void DeathScreen(tmon* killer);

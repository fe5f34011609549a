// Shared by the tests that fight battles: the shipped art loaded once into the roster on a headless display,
// and a fresh game world around it for each battle test.
#pragma once
#include <vector>

#include "platform/display/display.h"

// Opens the headless display (one that draws nothing when drawn is false: battles are checked by
// their state and draw records, never by pixels), loads the font, the title picture and every
// creature's animations (recording the loader's drawing into records when given), and answers the
// title's key wait after them. Returns the key steps left unused.
int LoadShippedRoster(std::vector<TDrawRecord>* records, bool drawn);
// A new game on the loaded roster: the world reset (the roster keeps its animations), a new-game
// hero standing on its first attack frame, program ends that throw, the virtual clock, seed 1.
void StartBattleWorld();
// A hero no monster can kill and who kills any monster but the Dragon Lord with one blow.
void MakeHeroMighty();

// The global Roster (slots 1..18: the 16 monster kinds, the Dragon Lord, the hero's battle figure)
// and the floor rule.
#pragma once
#include <cstdint>

struct tmon;

extern tmon* Roster[99];
extern int32_t MonsterCount;

void CreateRoster();
// Puts every built record back to its table figures with no animation playing, keeping the loaded
// animations (the Dragon Lord's gains are gone); nothing happens before CreateRoster.
void ResetRosterFigures();
// Whether m is the Dragon Lord (the roster's last monster kind).
bool IsDragonLord(const tmon* m);
// The roster slot of the kind met on floor (draws one RandomInteger on floors 2..19).
int32_t MonsterSlotForFloor(int32_t floor);

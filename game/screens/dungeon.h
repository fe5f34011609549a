// The dungeon: the floor menu (up, down, explore) where every move but the climb from floor 1 costs
// a battle, and one exploration of a floor.
#pragma once

// The floor loop; returns once the hero is back in town (floor 0).
void DungeonMenu();
// One exploration of the current floor: nothing, or an item to take or leave.
void Explore();

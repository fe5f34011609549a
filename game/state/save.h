// The save file save.dat: loaded once at start-up, written once at exit, byte for byte the game's
// format. A damaged file is repaired (its bytes kept as save.dat.bad), never a crash.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The largest save the game reads; a larger file is damaged by definition and never read whole
// (the largest the game writes is 5,585 bytes).
constexpr int64_t kSaveReadLimit = 65536;

// 1 when a saved game was read into hero, 0 when there is none (or none could be used).
int32_t LoadGame();
// The same, with said set to the line standard error was given about a save that was repaired or
// could not be used ("" for a sound save or none), for the title to show it in the window too.
int32_t LoadGame(std::string& said);
void SaveGame();
// Removes save.dat: the game it held is over (ended after a death, or won).
void DeleteSave();

// The loader and writer without the file: LoadGameFromBytes fills hero from a save file's bytes
// and returns 1, or returns 0 and leaves hero alone when not even the hero's own fields can be read.
// repairs says what had to be repaired ("" for a sound file).
int32_t LoadGameFromBytes(const std::vector<uint8_t>& bytes, std::string& repairs);
// The bytes SaveGame writes for hero.
std::vector<uint8_t> SaveGameToBytes();

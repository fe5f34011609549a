// Shared by the game-rules tests: a fresh new-game hero in a temporary working directory (the save
// file's path is relative), program ends that throw, and small item builders.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "game/state/hero.h"
#include "game/state/item.h"
#include "platform/core/program.h"
#include "platform/core/random.h"
#include "tests/support/scratch_dir.h"

inline std::vector<uint8_t> FileBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::ofstream out(name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The items a test made. After the test, those the game did not take into the inventory are freed
// (the inventory's own are freed with it); a test in which the game frees one itself says so with
// Freed.
inline std::vector<titem*>& TestItems() {
  static std::vector<titem*> items;
  return items;
}
inline titem* Kept(titem* item) {
  if (item) TestItems().push_back(item);
  return item;
}
inline void Freed(const titem* item) { std::erase(TestItems(), item); }
// An item handed over to the game for good.
inline titem* Given(titem* item) {
  Freed(item);
  return item;
}
inline void FreeTestItems() {
  for (titem* item : TestItems()) {
    bool carried = false;
    for (titem* held : hero.items) carried |= held == item;
    if (!carried) delete item;
  }
  TestItems().clear();
}

// How often the rules told of a rune level gained since the test began.
inline int& RuneLevelsTold() {
  static int told = 0;
  return told;
}

class StateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEndMode(EndMode::Throw);
    ResetExitHandlers();
    scratch.Enter();
    ResetGameState();
    RuneLevelGained = [] { ++RuneLevelsTold(); };
    RuneLevelsTold() = 0;
    hero.NewGame();
    SeedRandom(1);
  }
  void TearDown() override {
    FreeTestItems();
    ResetGameState();
    RuneLevelGained = nullptr;
    ResetExitHandlers();
  }

  TScratchDir scratch;
};

inline titem* MakeItem(int32_t kind, const char* name, int32_t chance, float value, int32_t floor = 1,
                       float quality = 1.0f, int32_t stat = 0, int32_t timing = 0) {
  return Kept(new titem(kind, name, chance, value, floor, quality, stat, timing));
}

inline titem* MakeSword(float power = 10.0f) { return MakeItem(1, "sword", 50, power); }
inline titem* MakeArmor(float defence = 10.0f) { return MakeItem(2, "body-armor", 20, defence); }
inline titem* MakeRune(int32_t stat, int32_t timing, float value, int32_t floor = 1) {
  return MakeItem(3, "rune", 0, value, floor, 1.0f, stat, timing);
}


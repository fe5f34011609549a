// Helpers for the town tests: a fresh in-process game on a headless display with a stand-in font,
// key scripts, and a recorder that cuts the drawing into the frames seen at each key wait.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/display/display.h"
#include "platform/core/text.h"
#include "tests/support/glyphs.h"

struct titem;

// What the player saw at one key wait: the frame's drawing and the menu it belonged to.
struct TWaitShot {
  std::vector<TDrawRecord> records;
  std::string title;
  int32_t optionCount = 0;
  int32_t cursor = 0;
  int32_t gold = 0;
};

// The text as the font draws it: upper case, spaces dropped.
std::string AsDrawn(const Text& text);
std::string Plain(const Text& text);
// Whether the information line (at FoeX, FoeY - 14) showed text on that wait's frame.
bool ShowsInfo(const TWaitShot& shot, const Text& text);

// Every town test starts from a new game: program ends throw, the virtual clock, a stand-in font
// and title picture, the default items, a recorder on and a snapshot at every key wait.
class TownTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Installs a key script (fails the test on a bad token).
  void Keys(const std::string& script);
  // Puts a newly made item into the first empty inventory slot without equipping it (the inventory
  // owns it: whatever is left there is freed after the test).
  titem* Carry(int32_t floor, int32_t kind);
  // The drawing since the last key wait (after the screen returned: its last frames).
  std::vector<TDrawRecord> records;
  std::vector<TWaitShot> shots;
};


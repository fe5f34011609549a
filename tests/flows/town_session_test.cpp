// A whole town session through the replay tool: Shift+G for 1000 gold, two swords from the market,
// the second put on from the equip screen, the first sold at the pawn shop, then quitting. The save
// file is read back field by field; the prices come from the saved items themselves.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game/screens/market.h"
#include "game/state/item.h"
#include "tests/support/replay_tool.h"
#include "tests/support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// Title, the two intro lines, then the town.
const std::string kToTown = "enter enter enter lshift+g ";
// Market; buy option 2 (stock slot 1, a sword) twice; leave with Escape.
const std::string kShopping = "2 2 2 esc ";
// Equip screen: option 2 (the second sword) replaces the first; done is option 3. Pawn shop: sell
// option 2 (the first sword, slot 1), then leave (now option 3). Escape in town quits and saves.
const std::string kEquipAndSell = "4 2 3 3 2 3 ";

// save.dat read back the way the game writes it: little-endian int32, float32 and counted text.
struct TSavedGame {
  std::string name;
  int32_t stats[10] = {};  // health, health-max, gold, experience, floor, deepest, strength, defence,
                           // accuracy, item-find
  titem items[19];
  bool present[19] = {};
  int32_t weapon = -1, armor = -1, runelevel = 0;
  int32_t runes[10] = {};
  bool exact = false;  // every byte read, none left over
};

TSavedGame ParseSave(const std::string& bytes) {
  size_t at = 0;
  auto word = [&](void* out) {
    if (at + 4 <= bytes.size()) std::memcpy(out, bytes.data() + at, 4);
    at += 4;
  };
  auto integer = [&] {
    int32_t v = 0;
    word(&v);
    return v;
  };
  auto real = [&] {
    float v = 0;
    word(&v);
    return v;
  };
  auto text = [&] {
    const size_t n = static_cast<size_t>(integer());
    const std::string s = at + n <= bytes.size() ? bytes.substr(at, n) : "";
    at += n;
    return s;
  };
  TSavedGame game;
  game.name = text();
  for (int32_t& stat : game.stats) stat = integer();
  for (int32_t slot = 1; slot <= 18; ++slot) {
    game.present[slot] = integer() != 0;
    if (!game.present[slot]) continue;
    titem& item = game.items[slot];
    item.kind = integer();
    item.name = Text(text());
    item.chance = integer();
    item.value = real();
    item.floor = integer();
    item.quality = real();
    item.stat = integer();
    item.timing = integer();
  }
  game.weapon = integer();
  game.armor = integer();
  game.runelevel = integer();
  for (int32_t i = 1; i <= game.runelevel && i <= 9; ++i) game.runes[i] = integer();
  game.exact = at == bytes.size();
  return game;
}

bool SameItem(const titem& a, const titem& b) {
  return a.kind == b.kind && a.name == b.name && a.chance == b.chance && a.value == b.value && a.floor == b.floor &&
         a.quality == b.quality && a.stat == b.stat && a.timing == b.timing;
}

class TownSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kReplay)) << "build the replay tool first: " << kReplay;
  }

  // Plays keys from a fresh directory on a fixed clock; the save file's bytes, or "" with a failure.
  std::string Play(const std::string& dir, const std::string& keys) {
    fs::create_directories(root / dir);
    const std::string command = ReplayCommand() + " --clock 2024 --keys '" + keys + "' --dir '" + (root / dir).string() + "' 2>'" +
                                (root / (dir + ".err")).string() + "'";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << command;
    std::ifstream file(root / dir / "save.dat", std::ios::binary);
    EXPECT_TRUE(file.good()) << "no save.dat after " << keys;
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  // Everything but the gold (stats[2]) as a new game has it; floor 0 means saved in town.
  static void ExpectNewGameStatistics(const TSavedGame& game) {
    EXPECT_EQ(game.name, "hero");
    const int32_t newGame[10] = {100, 100, game.stats[2], 0, 0, 1, 0, 0, 0, 62};
    for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(game.stats[i], newGame[i]) << "statistic " << i;
    EXPECT_EQ(game.armor, 0);
    EXPECT_EQ(game.runelevel, 2);
    EXPECT_EQ(game.runes[1], 0);
    EXPECT_EQ(game.runes[2], 0);
  }

  TScratchDir scratch;
  const fs::path root = scratch.dir;
};

TEST_F(TownSessionTest, BuyEquipSellAndQuitIsSavedFieldByField) {
  // The same clock gives the same market, so the shopping alone shows what the full session bought.
  const TSavedGame shopped = ParseSave(Play("shopped", kToTown + kShopping + "esc"));
  ASSERT_TRUE(shopped.exact) << "the file ends after the last rune slot";
  ExpectNewGameStatistics(shopped);
  ASSERT_TRUE(shopped.present[1] && shopped.present[2]);
  const titem& first = shopped.items[1];
  const titem& second = shopped.items[2];
  for (const titem* sword : {&first, &second}) {
    EXPECT_EQ(sword->kind, 1);
    EXPECT_EQ(sword->name, Text("sword"));
    EXPECT_GE(sword->floor, 1);
    EXPECT_LE(sword->floor, 4) << "the market's floors for deepest 1";
  }
  for (int32_t slot = 3; slot <= 18; ++slot) EXPECT_FALSE(shopped.present[slot]);
  EXPECT_EQ(shopped.stats[2], 180 + 1000 - first.Price(1) - second.Price(1));
  EXPECT_EQ(shopped.weapon, 1) << "the first sword took the fist's place when bought";

  const std::string bytes = Play("session", kToTown + kShopping + kEquipAndSell + "esc");
  const TSavedGame session = ParseSave(bytes);
  ASSERT_TRUE(session.exact);
  EXPECT_EQ(bytes.size(), 140u - 4u + 36u + 5u) << "one sword in place of an empty slot";
  ExpectNewGameStatistics(session);
  EXPECT_EQ(session.stats[2], shopped.stats[2] + first.Price(0));
  ASSERT_TRUE(session.present[1]);
  EXPECT_TRUE(SameItem(session.items[1], second)) << "the second sword, closed up into slot 1";
  for (int32_t slot = 2; slot <= 18; ++slot) EXPECT_FALSE(session.present[slot]);
  EXPECT_EQ(session.weapon, 1) << "worn from slot 1";
}

}  // namespace

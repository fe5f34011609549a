// The dungeon floors played in-process on the shipped art: the stairs and the deepest floor, the
// climb back to town, exploring (nothing, an item taken, left, or with no room for it), and the
// battle that follows every move but the last climb.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/screens/dungeon.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/ui/menu.h"
#include "platform/input/keyboard.h"
#include "platform/replay/script_player.h"
#include "tests/support/battle_world.h"
#include "tests/support/end_status.h"
#include "tests/support/key_script.h"

namespace {

struct TDungeonWait {
  std::string title;
  std::string prompt;
  int32_t floor;
};

class DungeonTest : public testing::Test {
 protected:
  // The display stays open afterwards, drawn, as the other screen tests expect.
  static void SetUpTestSuite() { LoadShippedRoster(nullptr, true); }
  void SetUp() override {
    StartBattleWorld();
    MakeHeroMighty();
    SetKeyWaitHook([this] { waits.push_back({menu.title.ToBytes(), menu.prompt.ToBytes(), hero.floor}); });
  }
  void TearDown() override {
    SetKeyWaitHook(nullptr);
    StartBattleWorld();
  }

  // Plays the dungeon menu until the script runs out (which ends the program) or it returns.
  bool Play(const std::string& keys) {
    UseKeys(keys);
    return EndStatus(DungeonMenu) == CallReturned;
  }
  // How many battles were fought: each opens with the monster's attack and then its menu.
  int Battles() const {
    int battles = 0;
    for (size_t i = 0; i < waits.size(); ++i)
      battles += waits[i].title == "battle" && (i == 0 || waits[i - 1].title != "battle");
    return battles;
  }
  std::vector<TDungeonWait> waits;
};

TEST_F(DungeonTest, TheStairsCostABattleAndRaiseTheDeepestFloorOnlyWhenDeeper) {
  struct TCase {
    int32_t floor, deepest;
    const char* keys;
    int32_t floorAfter, deepestAfter;
  };
  const TCase cases[] = {{3, 3, "2 1", 4, 4}, {3, 7, "2 1", 4, 7}, {5, 7, "1 1", 4, 7}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.keys + std::string(" from ") + std::to_string(c.floor));
    StartBattleWorld();
    MakeHeroMighty();
    waits.clear();
    hero.floor = c.floor;
    hero.deepest = c.deepest;
    EXPECT_FALSE(Play(c.keys));
    EXPECT_EQ(hero.floor, c.floorAfter);
    EXPECT_EQ(hero.deepest, c.deepestAfter);
    EXPECT_EQ(Battles(), 1);
    ASSERT_FALSE(waits.empty());
    EXPECT_EQ(waits.back().title, "dungeon");
    EXPECT_EQ(waits.back().prompt, "this is floor #" + std::to_string(c.floorAfter));
  }
}

TEST_F(DungeonTest, TheClimbFromFloorOneReachesTownWithoutABattle) {
  hero.floor = 1;
  EXPECT_TRUE(Play("1"));
  EXPECT_EQ(hero.floor, 0);
  EXPECT_EQ(Battles(), 0);
  EXPECT_EQ(RemainingKeySteps(), 0);
}

TEST_F(DungeonTest, ExploringFindsNothingOrAnItemToTakeOrLeaveAndAlwaysEndsInABattle) {
  hero.floor = 4;
  hero.itemfind = 0;
  EXPECT_FALSE(Play("3 1 1"));
  ASSERT_GE(waits.size(), 3u);
  EXPECT_EQ(waits[1].title, "");
  EXPECT_EQ(waits[1].prompt, "you found nothing.");
  EXPECT_EQ(Battles(), 1);

  hero.itemfind = 100;
  waits.clear();
  EXPECT_FALSE(Play("3 2 1"));
  EXPECT_EQ(waits[1].title, "take it or leave it");
  EXPECT_EQ(waits[1].prompt.rfind("You found a ", 0), 0u);
  EXPECT_EQ(hero.items[1], nullptr);
  EXPECT_EQ(Battles(), 1);

  waits.clear();
  EXPECT_FALSE(Play("3 1 1"));
  ASSERT_NE(hero.items[1], nullptr);
  EXPECT_EQ(hero.items[1]->floor, 4);
  EXPECT_EQ(waits[1].prompt, "You found a " + hero.items[1]->Describe().ToBytes());
  EXPECT_EQ(Battles(), 1);

  // The game ending over the find frees it (the sanitizer half checks for the leak).
  waits.clear();
  EXPECT_FALSE(Play("3"));
  EXPECT_EQ(waits.back().title, "take it or leave it");
  EXPECT_EQ(hero.items[2], nullptr);
}

// With every slot full, taking a find asks which item to give up; cancelling drops the find.
TEST_F(DungeonTest, AFindWithNoRoomReplacesAnItemOrIsDropped) {
  hero.floor = 2;
  hero.itemfind = 100;
  for (int32_t slot = 1; slot <= InventorySlots; ++slot) hero.items[slot] = new titem(ItemWeapon, "stick", 1, 1.0f);
  EXPECT_FALSE(Play("3 1 f9 1"));
  for (int32_t slot = 1; slot <= InventorySlots; ++slot) EXPECT_EQ(hero.items[slot]->name, Text("stick"));
  // Ending the game at the question which item to give up frees the find too.
  EXPECT_FALSE(Play("3 1"));

  waits.clear();
  EXPECT_FALSE(Play("3 1 1 1"));
  EXPECT_EQ(hero.items[1]->floor, 2);
  EXPECT_EQ(hero.items[2]->name, Text("stick"));
  bool asked = false;
  for (const TDungeonWait& wait : waits) asked |= wait.title == "replace an item";
  EXPECT_TRUE(asked);
}

}  // namespace

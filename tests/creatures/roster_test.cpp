// The roster and the rule that picks the kind met on a floor.
#include <gtest/gtest.h>

#include <set>

#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/state/hero.h"
#include "platform/core/random.h"

namespace {

class RosterTest : public testing::Test {
 protected:
  void SetUp() override {
    CreateRoster();
    SeedRandom(20240611);
  }

  std::multiset<int> Meet(int floor, int times) {
    std::multiset<int> slots;
    for (int n = 0; n < times; ++n) slots.insert(MonsterSlotForFloor(floor));
    return slots;
  }
};

TEST_F(RosterTest, SlotsHoldTheKindsTheHeroAndNothingElse) {
  EXPECT_EQ(MonsterCount, 17);
  EXPECT_EQ(Roster[0], nullptr);
  EXPECT_EQ(Roster[1]->name, Text("spider"));
  EXPECT_EQ(Roster[16]->name, Text("dragon"));
  EXPECT_EQ(Roster[17]->name, Text("dragon lord"));
  EXPECT_EQ(Roster[17]->healthmax, 200000);
  EXPECT_EQ(Roster[17]->health, 0);
  EXPECT_EQ(Roster[18]->name, Text("hero"));
  EXPECT_EQ(hero.mon, Roster[18]);
  for (int slot = 19; slot < 99; ++slot) EXPECT_EQ(Roster[slot], nullptr) << slot;
  for (int slot = 1; slot <= 18; ++slot) EXPECT_EQ(Roster[slot]->anim, nullptr) << slot;
}

TEST_F(RosterTest, RebuildingStartsFromFreshRecords) {
  Roster[17]->strength += 900;
  CreateRoster();
  EXPECT_EQ(Roster[17]->strength, 800);
  EXPECT_EQ(hero.mon, Roster[18]);
}

TEST_F(RosterTest, FloorOneAlwaysMeetsTheSpiderWithoutADraw) {
  const int32_t before = RandomState();
  for (int n = 0; n < 50; ++n) EXPECT_EQ(MonsterSlotForFloor(1), 1);
  EXPECT_EQ(RandomState(), before);
}

TEST_F(RosterTest, FloorTwoMeetsTheThreeKindsAroundIt) {
  const auto slots = Meet(2, 300);
  EXPECT_EQ(std::set<int>(slots.begin(), slots.end()), (std::set<int>{1, 2, 3}));
  for (int slot : {1, 2, 3}) EXPECT_GT(slots.count(slot), 70u) << slot;
}

TEST_F(RosterTest, EachFloorDrawsOnce) {
  const int32_t before = RandomState();
  MonsterSlotForFloor(9);
  EXPECT_EQ(RandomState(), RandomStep(RandomStep(before)));
}

TEST_F(RosterTest, DeepFloorsMeetTheDragonNeverTheLordOrTheHero) {
  const auto sixteen = Meet(16, 300);
  EXPECT_EQ(std::set<int>(sixteen.begin(), sixteen.end()), (std::set<int>{15, 16}));
  EXPECT_GT(sixteen.count(16), sixteen.count(15));
  for (int floor : {17, 18, 19}) {
    const auto slots = Meet(floor, 60);
    EXPECT_EQ(std::set<int>(slots.begin(), slots.end()), (std::set<int>{16})) << floor;
  }
}

TEST_F(RosterTest, OnlyTheLastFloorHasTheDragonLord) {
  const int32_t before = RandomState();
  EXPECT_EQ(MonsterSlotForFloor(20), 17);
  EXPECT_EQ(RandomState(), before);
  for (int floor = 1; floor <= 19; ++floor) {
    const auto slots = Meet(floor, 30);
    EXPECT_EQ(slots.count(17), 0u) << floor;
  }
}

}  // namespace

// The town menu: its options, each place reached from it and left with Escape back into it, and
// Escape there ending the program; closing up the inventory keeps the order.
#include <gtest/gtest.h>

#include "game/screens/menu.h"
#include "game/screens/town.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "tests/town/town_support.h"

namespace {

class TownMenuTest : public TownTest {
 protected:
  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const TWaitShot& shot : shots) titles.push_back(shot.title);
    return titles;
  }
};

TEST_F(TownMenuTest, EscapeInTownEndsTheProgram) {
  Keys("esc");
  int status = -1;
  EXPECT_TRUE(EndsProgram([] { TownMenu(); }, &status));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Plain(menu.title), "the home town");
  EXPECT_EQ(Plain(menu.prompt), "where will you go?");
  ASSERT_EQ(menu.optionCount, 5);
  const char* places[] = {"healer", "the market", "pawn shop", "equip items", "enter the dungeon"};
  for (int32_t i = 1; i <= 5; ++i) {
    EXPECT_EQ(Plain(menu.optionText[i]), places[i - 1]);
    EXPECT_EQ(menu.optionRed[i] + menu.optionGreen[i] + menu.optionBlue[i], 3 * 255);
  }
}

TEST_F(TownMenuTest, EscapeLeavesEachPlaceBackToTheTown) {
  Keys("1 esc 2 esc 3 esc 4 esc esc");
  EXPECT_TRUE(EndsProgram([] { TownMenu(); }));
  const std::vector<std::string> expected = {"the home town", "healer",    "the home town", "market",
                                             "the home town", "pawn shop", "the home town", "equip",
                                             "the home town"};
  EXPECT_EQ(Titles(), expected);
  EXPECT_EQ(hero.gold, 180);
}

TEST_F(TownMenuTest, TheTownStartsAtTheTopAfterEveryPlace) {
  Keys("down down down enter down enter esc");
  EXPECT_TRUE(EndsProgram([] { TownMenu(); }));
  ASSERT_EQ(shots.size(), 7u);
  EXPECT_EQ(shots[3].cursor, 4);
  EXPECT_EQ(shots[4].title, "equip");
  EXPECT_EQ(shots[4].cursor, 1);
  EXPECT_EQ(shots[6].title, "the home town");
  EXPECT_EQ(shots[6].cursor, 1);
}

TEST_F(TownMenuTest, TheDungeonIsNotOpenYetSoTheHeroStaysInTown) {
  Keys("5 esc");
  EXPECT_TRUE(EndsProgram([] { TownMenu(); }));
  EXPECT_EQ(hero.floor, 0);
  const std::vector<std::string> expected = {"the home town", "the home town"};
  EXPECT_EQ(Titles(), expected);
}

TEST_F(TownMenuTest, ARunOutScriptEndsTheProgramInAPlace) {
  Keys("2");
  EXPECT_TRUE(EndsProgram([] { TownMenu(); }));
  EXPECT_EQ(shots.back().title, "market");
}

TEST_F(TownMenuTest, ClosingUpKeepsTheOrderAndFillsFromSlotOne) {
  titem* a = GenerateItem(1, 1);
  titem* b = GenerateItem(1, 2);
  titem* c = GenerateItem(1, 3);
  hero.items[2] = a;
  hero.items[9] = b;
  hero.items[18] = c;
  CloseUpInventory();
  EXPECT_EQ(hero.items[1], a);
  EXPECT_EQ(hero.items[2], b);
  EXPECT_EQ(hero.items[3], c);
  for (int32_t slot = 4; slot <= 18; ++slot) EXPECT_EQ(hero.items[slot], nullptr);
  CloseUpInventory();
  EXPECT_EQ(hero.items[3], c) << "a closed-up inventory stays as it is";
}

}  // namespace

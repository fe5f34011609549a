// The town menu: its options, each place left with Escape back into it, Escape there ending the
// program, and the dungeon choice while the floors are not open.
#include <gtest/gtest.h>

#include "game/screens/town.h"
#include "game/state/hero.h"
#include "game/ui/menu.h"
#include "tests/screens/town_support.h"
#include "tests/support/end_status.h"

namespace {

class TownMenuTest : public TownTest {
 protected:
  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const TWaitShot& shot : shots) titles.push_back(shot.title);
    return titles;
  }
};

TEST_F(TownMenuTest, EscapeLeavesEachPlaceButEndsTheProgramInTown) {
  Keys("1 esc 2 esc 3 esc 4 esc esc");
  EXPECT_EQ(EndStatus(TownMenu), 0);
  const std::vector<std::string> expected = {"the home town", "healer",    "the home town", "market",
                                             "the home town", "pawn shop", "the home town", "equip",
                                             "the home town"};
  EXPECT_EQ(Titles(), expected);
  EXPECT_EQ(Plain(menu.prompt), "where will you go?");
  const char* places[] = {"healer", "the market", "pawn shop", "equip items", "enter the dungeon"};
  ASSERT_EQ(menu.optionCount, 5);
  for (int32_t i = 1; i <= 5; ++i) EXPECT_EQ(Plain(menu.optionText[i]), places[i - 1]);
}

TEST_F(TownMenuTest, TheDungeonOpensOnFloorOneAndItsFirstStairsLeadBackWithoutABattle) {
  Keys("down down down down enter 1 esc");
  EXPECT_NE(EndStatus(TownMenu), CallReturned);
  EXPECT_EQ(hero.floor, 0);
  ASSERT_EQ(shots.size(), 7u);
  EXPECT_EQ(shots[5].title, "dungeon");
  EXPECT_EQ(GlyphRow(shots[5].records, 28.0f), AsDrawn("this is floor #1"));
  EXPECT_EQ(shots[6].title, "the home town");
}

}  // namespace

// The equip screen: putting an item on in place of the worn one, and taking a worn one off.
#include <gtest/gtest.h>

#include "game/screens/equip_screen.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/item_generate.h"
#include "game/ui/menu.h"
#include "tests/screens/town_support.h"

namespace {

class EquipScreenTest : public TownTest {};

TEST_F(EquipScreenTest, EquippingReplacesTheWornItemAndChoosingItAgainTakesItOff) {
  titem* first = Carry(2, 1);
  hero.items[4] = GenerateItem(3, 1);
  titem* second = hero.items[4];
  hero.Equip(first, 1);
  Keys("down 2 2 3");
  EquipScreen();
  ASSERT_EQ(shots.size(), 4u);
  EXPECT_EQ(Plain(menu.title), "equip");
  EXPECT_EQ(Plain(menu.prompt), "which item will you equip?");
  EXPECT_TRUE(ShowsInfo(shots[2], "equipped sword"));
  EXPECT_EQ(shots[2].cursor, 2) << "kept from the first pass";
  EXPECT_TRUE(ShowsInfo(shots[3], "unequipped sword"));
  EXPECT_EQ(hero.weapon, DefaultWeapon);
  EXPECT_EQ(hero.IsEquipped(first), 0);
  EXPECT_EQ(Plain(menu.optionText[1]), Plain(first->Describe()));
  EXPECT_EQ(Plain(menu.optionText[2]), Plain(second->Describe()));
  EXPECT_EQ(Plain(menu.optionText[3]), "done");
}

TEST_F(EquipScreenTest, TheListMarksWhatIsWorn) {
  titem* armour = Carry(2, 2);
  Keys("1 esc");
  EquipScreen();
  EXPECT_EQ(hero.armor, armour);
  EXPECT_EQ(Plain(menu.optionText[1]), "equipped: " + Plain(armour->Describe()));
}

}  // namespace

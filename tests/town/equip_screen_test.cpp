// The equip screen: the listed items with their marks, putting an item on in place of the worn one,
// taking a worn item off, and a full set of rune slots.
#include <gtest/gtest.h>

#include "game/screens/menu.h"
#include "game/screens/town.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "tests/town/town_support.h"

namespace {

class EquipScreenTest : public TownTest {};

TEST_F(EquipScreenTest, EquippingReplacesTheWornItem) {
  titem* first = Carry(2, 1);
  titem* second = Carry(3, 1);
  hero.Equip(first, 1);
  Keys("2 3");
  EquipScreen();
  EXPECT_EQ(hero.weapon, second);
  EXPECT_EQ(hero.IsEquipped(first), 0);
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_EQ(shots[1].cursor, 1) << "kept from the first pass";
  EXPECT_EQ(Plain(menu.optionText[1]), Plain(first->Describe()));
  EXPECT_EQ(Plain(menu.optionText[2]), "equipped: " + Plain(second->Describe()));
  EXPECT_EQ(Plain(menu.optionText[3]), "done");
  EXPECT_NE(GlyphRow(shots[1].records, 361.0f).find(AsDrawn("equipped sword")), std::string::npos);
}

TEST_F(EquipScreenTest, ChoosingAWornItemTakesItOff) {
  titem* armour = Carry(2, 2);
  hero.Equip(armour, 1);
  Keys("1 esc");
  EquipScreen();
  EXPECT_EQ(hero.armor, DefaultArmor);
  EXPECT_NE(GlyphRow(shots[1].records, 361.0f).find(AsDrawn("unequipped body-armor")), std::string::npos);
  EXPECT_EQ(Plain(menu.title), "equip");
  EXPECT_EQ(Plain(menu.prompt), "which item will you equip?");
}

TEST_F(EquipScreenTest, ARuneWithEveryUsableSlotTakenOverwritesOneOfThem) {
  titem* a = Carry(1, 3);
  titem* b = Carry(1, 3);
  titem* c = Carry(1, 3);
  hero.Equip(a, 0);
  hero.Equip(b, 0);
  Keys("3 4");
  EquipScreen();
  EXPECT_EQ(hero.IsEquipped(c), 1);
  EXPECT_EQ(hero.IsEquipped(a) + hero.IsEquipped(b), 1);
}

TEST_F(EquipScreenTest, ItemsAreFoundByTheirPlaceAmongTheFilledSlots) {
  hero.items[3] = GenerateItem(1, 2);
  hero.items[7] = GenerateItem(1, 2);
  Keys("2 3");
  EquipScreen();
  EXPECT_EQ(hero.armor, hero.items[7]);
  EXPECT_EQ(FilledSlot(1), 3);
  EXPECT_EQ(FilledSlot(2), 7);
  EXPECT_EQ(FilledSlot(3), 0);
}

}  // namespace

// The pawn shop: the option lines, single sales, "sell all unequipped items" with its rising lines,
// and closing up the inventory on leaving.
#include <gtest/gtest.h>

#include "game/screens/pawn_shop.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/ui/menu.h"
#include "tests/screens/town_support.h"

namespace {

class PawnShopTest : public TownTest {
 protected:
  // Frames on which a yellow gold line started its first letter over the hero.
  static int32_t GoldLineFrames(const std::vector<TDrawRecord>& drawn) {
    int32_t frames = 0;
    for (const TDrawRecord& rec : GlyphsOf(drawn))
      frames += rec.x == 142.0f && rec.red == 255 && rec.green == 230 && rec.blue == 0;
    return frames;
  }
};

TEST_F(PawnShopTest, OptionLinesMarkWornItemsAndFillSeventySevenCharacters) {
  titem* sword = Carry(3, 1);
  const std::string price = " - " + std::to_string(sword->Price(0)) + " gold";
  const std::string described = Plain(sword->Describe());
  EXPECT_EQ(Plain(PawnOptionText(sword)), described + std::string(77 - described.size(), ' ') + price);
  hero.Equip(sword, 1);
  const std::string marked = "equipped: " + described;
  EXPECT_EQ(Plain(PawnOptionText(sword)), marked + std::string(77 - marked.size(), ' ') + price);

  titem* rune = Carry(19, 3);
  hero.Equip(rune, 1);
  const std::string worn = "equipped: " + Plain(rune->Describe());
  ASSERT_GT(worn.size(), 77u);
  EXPECT_EQ(Plain(PawnOptionText(rune)), worn.substr(0, 77) + " - " + std::to_string(rune->Price(0)) + " gold");
}

TEST_F(PawnShopTest, SellingSlotThreeOfFiveThenLeavingClosesUpTheInventory) {
  titem* items[6] = {};
  for (int32_t slot = 1; slot <= 5; ++slot) items[slot] = Carry(slot, 2);
  const int32_t price = items[3]->Price(0);
  Keys("4 6");
  PawnShop();
  EXPECT_EQ(hero.gold, 180 + price);
  const titem* expected[6] = {nullptr, items[1], items[2], items[4], items[5], nullptr};
  for (int32_t slot = 1; slot <= 5; ++slot) EXPECT_EQ(hero.items[slot], expected[slot]) << "slot " << slot;
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_EQ(shots[1].optionCount, 6) << "the gap stays while the shop is open";
  EXPECT_TRUE(ShowsInfo(shots[1], "You sold your body-armor for " + IntToText(price) + " gold"));
}

TEST_F(PawnShopTest, SellingAWornItemTakesItOffFirst) {
  titem* sword = Carry(2, 1);
  hero.Equip(sword, 1);
  const int32_t price = sword->Price(0);
  Keys("2 esc");
  PawnShop();
  EXPECT_EQ(hero.weapon, DefaultWeapon);
  EXPECT_EQ(hero.items[1], nullptr);
  EXPECT_EQ(hero.gold, 180 + price);
}

TEST_F(PawnShopTest, GoldFromSalesStopsAtTheLimitAndTheCursorFollowsTheShrinkingList) {
  for (int32_t slot = 1; slot <= 5; ++slot) Carry(slot, 2);
  hero.gold = INT32_MAX - 10;
  // The cursor goes to the fifth item, "1" sells everything: the list is down to two options and
  // Enter then takes the cursor's last one, "leave".
  Keys("down down down down down 1 enter");
  PawnShop();
  EXPECT_EQ(hero.gold, INT32_MAX);
  for (int32_t slot = 1; slot <= 5; ++slot) EXPECT_EQ(hero.items[slot], nullptr);
}

TEST_F(PawnShopTest, SellAllKeepsTheWornItemsAndRaisesALinePerSale) {
  titem* sword = Carry(2, 1);
  titem* spare = Carry(2, 1);
  titem* armour = Carry(2, 2);
  titem* rune = Carry(2, 3);
  hero.Equip(sword, 1);
  hero.Equip(rune, 1);
  const int32_t armourPrice = armour->Price(0);
  const int32_t expected = 180 + spare->Price(0) + armourPrice;
  Keys("1 1 esc");
  PawnShop();
  EXPECT_EQ(hero.gold, expected) << "the second sweep finds nothing more to sell";
  EXPECT_EQ(hero.items[1], sword);
  EXPECT_EQ(hero.items[2], rune);
  EXPECT_EQ(hero.items[3], nullptr);
  EXPECT_EQ(hero.weapon, sword);
  ASSERT_EQ(shots.size(), 3u);
  EXPECT_EQ(GoldLineFrames(shots[1].records), 12) << "two sales, six frames each";
  EXPECT_TRUE(ShowsInfo(shots[1], "You sold your body-armor for " + IntToText(armourPrice) + " gold"));
  EXPECT_EQ(GoldLineFrames(shots[2].records), 0);
}

}  // namespace

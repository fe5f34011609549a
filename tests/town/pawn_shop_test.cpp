// The pawn shop: the option lines (the "equipped: " mark, the 77-character column, the price),
// single sales and their shifting numbers, "sell all unequipped items" with its rising lines, and
// closing up the inventory on leaving.
#include <gtest/gtest.h>

#include "game/screens/font.h"
#include "game/screens/menu.h"
#include "game/screens/town.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "tests/town/town_support.h"

namespace {

class PawnShopTest : public TownTest {
 protected:
  // The gold lines risen over the hero (yellow, at HeroX + 22), one per frame that started one.
  int32_t YellowLineFrames(const std::vector<TDrawRecord>& drawn) const {
    int32_t frames = 0;
    for (const TDrawRecord& rec : GlyphsOf(drawn))
      frames += rec.x == 142.0f && rec.red == 255 && rec.green == 230 && rec.blue == 0 && FontCharset[rec.frame] == '+';
    return frames;
  }
};

TEST_F(PawnShopTest, OptionLinesPadTheDescriptionToSeventySevenCharacters) {
  titem* sword = Carry(3, 1);
  const std::string described = Plain(sword->Describe());
  ASSERT_LT(described.size(), 77u);
  const std::string price = std::to_string(sword->Price(0));
  EXPECT_EQ(Plain(PawnOptionText(sword)), described + std::string(77 - described.size(), ' ') + " - " + price + " gold");
  hero.Equip(sword, 1);
  const std::string marked = "equipped: " + described;
  EXPECT_EQ(Plain(PawnOptionText(sword)), marked + std::string(77 - marked.size(), ' ') + " - " + price + " gold");

  // A worn rune's line is longer than the column and is cut to it.
  titem* rune = Carry(19, 3);
  hero.Equip(rune, 1);
  const std::string long_line = "equipped: " + Plain(rune->Describe());
  ASSERT_GT(long_line.size(), 77u);
  EXPECT_EQ(Plain(PawnOptionText(rune)), long_line.substr(0, 77) + " - " + std::to_string(rune->Price(0)) + " gold");
}

TEST_F(PawnShopTest, TheShopListsTheFilledSlotsInOrderInTheirColours) {
  Carry(1, 2);
  hero.items[4] = GenerateItem(1, 3);
  Keys("esc");
  PawnShop();
  ASSERT_EQ(menu.optionCount, 4);
  EXPECT_EQ(Plain(menu.title), "pawn shop");
  EXPECT_EQ(Plain(menu.prompt), "sell something.");
  EXPECT_EQ(Plain(menu.optionText[1]), "sell all unequipped items");
  EXPECT_EQ(menu.optionText[2], PawnOptionText(hero.items[1]));
  EXPECT_EQ(menu.optionText[3], PawnOptionText(hero.items[2])) << "closed up on leaving";
  EXPECT_EQ(Plain(menu.optionText[4]), "leave");
  EXPECT_EQ(menu.optionRed[2], 165) << "armour in the defence colour";
  EXPECT_EQ(menu.optionGreen[3], 145) << "a rune in the rune colour";
  EXPECT_NE(GlyphRow(shots[0].records, 361.0f).find(AsDrawn("what will you sell me?")), std::string::npos);
}

TEST_F(PawnShopTest, SellingSlotThreeOfFiveThenLeavingClosesUpTheInventory) {
  titem* items[6] = {};
  for (int32_t slot = 1; slot <= 5; ++slot) items[slot] = Carry(slot, 2);
  const int32_t price = items[3]->Price(0);
  Keys("4 6");
  PawnShop();
  EXPECT_EQ(hero.gold, 180 + price);
  EXPECT_EQ(hero.items[1], items[1]);
  EXPECT_EQ(hero.items[2], items[2]);
  EXPECT_EQ(hero.items[3], items[4]);
  EXPECT_EQ(hero.items[4], items[5]);
  EXPECT_EQ(hero.items[5], nullptr);
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_EQ(shots[1].optionCount, 6) << "the gap stays while the shop is open";
  EXPECT_EQ(shots[1].cursor, 1);
  EXPECT_NE(GlyphRow(shots[1].records, 361.0f)
                .find(AsDrawn("You sold your body-armor for " + IntToText(price) + " gold")),
            std::string::npos);
}

TEST_F(PawnShopTest, OptionNumbersShiftAfterASale) {
  titem* first = Carry(1, 2);
  titem* second = Carry(2, 2);
  titem* third = Carry(3, 2);
  const int32_t expected = 180 + first->Price(0) + second->Price(0);
  Keys("2 2 esc");
  PawnShop();
  EXPECT_EQ(hero.gold, expected);
  EXPECT_EQ(hero.items[1], third);
  EXPECT_EQ(hero.items[2], nullptr);
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

TEST_F(PawnShopTest, SellAllKeepsTheWornItemsAndRaisesALinePerSale) {
  titem* sword = Carry(2, 1);
  titem* spare = Carry(2, 1);
  titem* armour = Carry(2, 2);
  titem* rune = Carry(2, 3);
  hero.Equip(sword, 1);
  hero.Equip(rune, 1);
  const int32_t armourPrice = armour->Price(0);
  const int32_t expected = 180 + spare->Price(0) + armourPrice;
  Keys("1 esc");
  PawnShop();
  EXPECT_EQ(hero.gold, expected);
  EXPECT_EQ(hero.items[1], sword);
  EXPECT_EQ(hero.items[2], rune);
  EXPECT_EQ(hero.items[3], nullptr);
  EXPECT_EQ(hero.weapon, sword);
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_EQ(YellowLineFrames(shots[1].records), 12) << "two sales, six frames each";
  EXPECT_NE(GlyphRow(shots[1].records, 361.0f)
                .find(AsDrawn("You sold your body-armor for " + IntToText(armourPrice) + " gold")),
            std::string::npos)
      << "the last sale's line";
  EXPECT_EQ(shots[1].cursor, 1);
}

TEST_F(PawnShopTest, SellAllWithOnlyWornItemsSellsNothing) {
  titem* sword = Carry(2, 1);
  hero.Equip(sword, 1);
  Keys("1 esc");
  PawnShop();
  EXPECT_EQ(hero.gold, 180);
  EXPECT_EQ(hero.items[1], sword);
  EXPECT_EQ(YellowLineFrames(shots[1].records), 0);
}

TEST_F(PawnShopTest, AnEmptyInventoryOffersOnlySellAllAndLeave) {
  Keys("1 2");
  PawnShop();
  EXPECT_EQ(menu.optionCount, 2);
  EXPECT_EQ(hero.gold, 180);
  EXPECT_EQ(shots.size(), 2u);
}

}  // namespace

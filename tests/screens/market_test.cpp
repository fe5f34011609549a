// The market: the stock drawn slot by slot from the seed, its floors near the deepest one, the
// option lines, buying (charged only when the item found room), refusing and restocking.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "game/screens/market.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/item_generate.h"
#include "game/ui/menu.h"
#include "game/ui/palette.h"
#include "platform/display/display.h"
#include "platform/core/random.h"
#include "tests/screens/town_support.h"

namespace {

// The line written out by hand: two spaces before one-digit options, one before two-digit ones.
std::string ExpectedLine(int32_t option, const titem& item, int32_t gold) {
  const int32_t price = item.Price(1);
  const std::string amount = (gold < price ? "*" : "") + std::to_string(price);
  char field[16];
  std::snprintf(field, sizeof field, "%7s", amount.c_str());
  return std::string(option < 10 ? "  " : " ") + field + " Gold - " + Plain(item.Describe());
}

class MarketTest : public TownTest {
 protected:
  // The 17 items a seed gives, drawn here the long way: a floor, then the item, slot by slot.
  void ExpectStock(int32_t seed) {
    SeedRandom(seed);
    for (int32_t i = 1; i <= 17; ++i) {
      int32_t floor = hero.deepest + RandomInteger(-2, 3);
      floor = floor < 1 ? 1 : (floor > 19 ? 19 : floor);
      expected[i].reset(GenerateItem(floor, i <= 5 ? 1 : (i <= 10 ? 2 : 3)));
    }
  }
  void ExpectListed(int32_t from, int32_t to) {
    for (int32_t i = from; i <= to; ++i)
      EXPECT_EQ(Plain(menu.optionText[i + 1]), ExpectedLine(i + 1, *expected[i], hero.gold)) << "slot " << i;
  }
  std::unique_ptr<titem> expected[18];
};

TEST_F(MarketTest, TheStockIsWhatTheSeedMakesInSlotOrderInTheItemsColours) {
  hero.deepest = 7;
  ExpectStock(4242);
  SeedRandom(4242);
  Keys("esc");
  Market();
  ASSERT_EQ(menu.optionCount, 19);
  EXPECT_EQ(Plain(menu.title), "market");
  EXPECT_EQ(Plain(menu.prompt), "Lets see what there is today:");
  EXPECT_EQ(Plain(menu.optionText[1]), "more items");
  EXPECT_EQ(Plain(menu.optionText[19]), "leave");
  ExpectListed(1, 17);
  for (int32_t i = 1; i <= 17; ++i) {
    SetItemColor(*expected[i], 1, 0);
    int32_t r = 0, g = 0, b = 0;
    GetDrawColor(r, g, b);
    EXPECT_EQ(menu.optionRed[i + 1] * 65536 + menu.optionGreen[i + 1] * 256 + menu.optionBlue[i + 1],
              r * 65536 + g * 256 + b);
  }
  EXPECT_TRUE(ShowsInfo(shots[0], "New items are always in!"));
}

TEST_F(MarketTest, FloorsStayWithinOneToNineteenNearTheDeepest) {
  for (int32_t deepest : {1, 19}) {
    hero.deepest = deepest;
    bool seen[21] = {};
    SeedRandom(2024);
    for (int32_t pass = 1; pass <= 60; ++pass) {
      titem* stock[20] = {};
      RestockMarket(stock);
      for (int32_t i = 1; i <= 17; ++i) {
        EXPECT_EQ(stock[i]->kind, i <= 5 ? 1 : (i <= 10 ? 2 : 3));
        seen[stock[i]->floor] = true;
        delete stock[i];
      }
    }
    // -2 is drawn only when the generator's unit real is exactly 0, so deepest 19 meets 18 and 19.
    for (int32_t floor = 1; floor <= 20; ++floor) {
      const bool possible = deepest == 1 ? floor <= 4 : (floor >= 17 && floor <= 19);
      EXPECT_TRUE(possible || !seen[floor]) << "deepest " << deepest << ", floor " << floor;
      EXPECT_TRUE(!possible || floor == 17 || seen[floor]) << "deepest " << deepest << ", floor " << floor;
    }
  }
}

TEST_F(MarketTest, PriceFieldAndPadding) {
  EXPECT_EQ(Plain(MarketOptionText(2, 1234, 100, "x")), "    *1234 Gold - x");
  EXPECT_EQ(Plain(MarketOptionText(9, 85, 180, "d")), "       85 Gold - d");
  EXPECT_EQ(Plain(MarketOptionText(10, 85, 180, "d")), "      85 Gold - d");
  EXPECT_EQ(Plain(MarketOptionText(18, 180, 180, "d")), "     180 Gold - d") << "just affordable: no star";
  EXPECT_EQ(Plain(MarketOptionText(3, 12345678, 0, "d")), "  2345678 Gold - d") << "cut from the left";
}

TEST_F(MarketTest, BuyingChargesTakesTheItemAndRestocksOnlyThatSlot) {
  hero.gold = 1000000;
  ExpectStock(77);
  SeedRandom(77);
  Keys("down 3 esc");
  Market();
  titem* bought = hero.items[1];
  ASSERT_NE(bought, nullptr);
  EXPECT_EQ(Plain(bought->Describe()), Plain(expected[2]->Describe())) << "option 3 is stock slot 2";
  EXPECT_EQ(hero.gold, 1000000 - bought->Price(1));
  EXPECT_EQ(hero.weapon, bought) << "the fist's place was free";
  ASSERT_EQ(shots.size(), 3u);
  EXPECT_TRUE(ShowsInfo(shots[2], "You got the sword"));
  EXPECT_EQ(shots[2].cursor, 2) << "the second pass keeps the highlighted row";
  EXPECT_NE(Plain(menu.optionText[3]), ExpectedLine(3, *expected[2], hero.gold));
  ExpectListed(1, 1);
  ExpectListed(3, 17);
}

TEST_F(MarketTest, TooLittleGoldChangesNothing) {
  hero.gold = 0;
  ExpectStock(5);
  SeedRandom(5);
  Keys("2 esc");
  Market();
  EXPECT_EQ(hero.gold, 0);
  EXPECT_EQ(hero.items[1], nullptr);
  ExpectListed(1, 17);
  EXPECT_TRUE(ShowsInfo(shots[1], "You do not have enough gold for that."));
}

TEST_F(MarketTest, AFullInventoryCancelledKeepsTheGoldAndTheStock) {
  for (int32_t slot = 1; slot <= 18; ++slot) Carry(1, 2);
  hero.gold = 1000000;
  ExpectStock(31);
  SeedRandom(31);
  Keys("2 f9 esc");
  Market();
  EXPECT_EQ(hero.gold, 1000000);
  for (int32_t slot = 1; slot <= 18; ++slot) EXPECT_EQ(hero.items[slot]->kind, 2);
  ASSERT_EQ(shots.size(), 3u);
  EXPECT_EQ(shots[1].title, "replace an item");
  EXPECT_EQ(shots[1].optionCount, 19) << "every slot and cancel";
  ExpectListed(1, 17);
}

TEST_F(MarketTest, MoreItemsRenewsTheWholeStock) {
  ExpectStock(12);
  titem* second[20] = {};
  RestockMarket(second);
  SeedRandom(12);
  Keys("1 esc");
  Market();
  for (int32_t i = 1; i <= 17; ++i) {
    EXPECT_EQ(Plain(menu.optionText[i + 1]), ExpectedLine(i + 1, *second[i], hero.gold));
    delete second[i];
  }
}

}  // namespace

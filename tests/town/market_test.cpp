// The market: its stock drawn slot by slot from the seed, the floors it draws near the deepest one,
// the option lines (padding, the price field and its "*"), buying, refusing and restocking.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "game/screens/menu.h"
#include "game/screens/town.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "platform/random.h"
#include "tests/town/town_support.h"

namespace {

// The line written out by hand: two spaces before one-digit options, one before two-digit ones.
std::string ExpectedLine(int32_t option, const titem& item, int32_t gold) {
  const int32_t price = item.Price(1);
  const std::string amount = (gold < price ? "*" : "") + std::to_string(price);
  char field[16];
  std::snprintf(field, sizeof field, "%7s", amount.c_str());
  return std::string(option < 10 ? "  " : " ") + field + " Gold - " + Plain(item.Describe());
}

bool SameItem(const titem& a, const titem& b) {
  return a.kind == b.kind && a.name == b.name && a.chance == b.chance && a.value == b.value && a.floor == b.floor &&
         a.quality == b.quality && a.stat == b.stat && a.timing == b.timing;
}

class MarketTest : public TownTest {
 protected:
  // The 17 items the seed gives, drawn here the long way: a floor, then the item, slot by slot.
  std::vector<std::unique_ptr<titem>> Expected(int32_t seed) {
    SeedRandom(seed);
    std::vector<std::unique_ptr<titem>> items(18);
    for (int32_t i = 1; i <= 17; ++i) {
      int32_t floor = hero.deepest + RandomInteger(-2, 3);
      floor = floor < 1 ? 1 : (floor > 19 ? 19 : floor);
      items[static_cast<size_t>(i)].reset(GenerateItem(floor, i <= 5 ? 1 : (i <= 10 ? 2 : 3)));
    }
    return items;
  }
};

TEST_F(MarketTest, TheStockIsWhatTheSeedMakesInSlotOrder) {
  hero.deepest = 7;
  const auto expected = Expected(4242);
  SeedRandom(4242);
  Keys("esc");
  Market();
  ASSERT_EQ(menu.optionCount, 19);
  EXPECT_EQ(Plain(menu.title), "market");
  EXPECT_EQ(Plain(menu.prompt), "Lets see what there is today:");
  EXPECT_EQ(Plain(menu.optionText[1]), "more items");
  EXPECT_EQ(Plain(menu.optionText[19]), "leave");
  for (int32_t i = 1; i <= 17; ++i) {
    const titem& item = *expected[static_cast<size_t>(i)];
    EXPECT_EQ(Plain(menu.optionText[i + 1]), ExpectedLine(i + 1, item, hero.gold)) << "slot " << i;
    item.SetItemColor(1, 0);
    int32_t r = 0, g = 0, b = 0;
    GetDrawColor(r, g, b);
    EXPECT_EQ(menu.optionRed[i + 1], r);
    EXPECT_EQ(menu.optionGreen[i + 1], g);
    EXPECT_EQ(menu.optionBlue[i + 1], b);
  }
  EXPECT_NE(GlyphRow(shots[0].records, 361.0f).find(AsDrawn("New items are always in!")), std::string::npos);
}

TEST_F(MarketTest, KindsGoBySlotAndFloorsStayNearTheDeepestAndWithinOneToNineteen) {
  for (int32_t deepest : {1, 19}) {
    hero.deepest = deepest;
    bool seen[21] = {};
    SeedRandom(2024);
    for (int32_t pass = 1; pass <= 60; ++pass) {
      titem* stock[20] = {};
      RestockMarket(stock);
      for (int32_t i = 1; i <= 17; ++i) {
        ASSERT_NE(stock[i], nullptr);
        EXPECT_EQ(stock[i]->kind, i <= 5 ? 1 : (i <= 10 ? 2 : 3));
        seen[stock[i]->floor] = true;
        delete stock[i];
      }
      EXPECT_EQ(stock[0], nullptr);
      EXPECT_EQ(stock[18], nullptr);
    }
    // The draw of -2 needs the generator's unit real to be exactly 0, so deepest 19 meets 18 and 19.
    for (int32_t floor = 1; floor <= 20; ++floor) {
      const bool possible = deepest == 1 ? floor <= 4 : (floor >= 17 && floor <= 19);
      const bool certain = possible && floor != 17;
      EXPECT_TRUE(possible || !seen[floor]) << "deepest " << deepest << ", floor " << floor;
      EXPECT_TRUE(!certain || seen[floor]) << "deepest " << deepest << ", floor " << floor;
    }
  }
}

TEST_F(MarketTest, RestockingFillsOnlyTheEmptySlots) {
  SeedRandom(9);
  titem* stock[20] = {};
  RestockMarket(stock);
  titem* kept[20];
  for (int32_t i = 0; i < 20; ++i) kept[i] = stock[i];
  stock[4] = nullptr;
  const int32_t state = RandomState();
  RestockMarket(stock);
  for (int32_t i = 1; i <= 17; ++i) {
    if (i != 4) {
      EXPECT_EQ(stock[i], kept[i]);
    }
  }
  ASSERT_NE(stock[4], nullptr);
  EXPECT_EQ(stock[4]->kind, 1);
  SetRandomState(state);
  int32_t floor = hero.deepest + RandomInteger(-2, 3);
  floor = floor < 1 ? 1 : floor;
  const std::unique_ptr<titem> again(GenerateItem(floor, 1));
  EXPECT_TRUE(SameItem(*stock[4], *again));
  delete kept[4];
  for (titem* item : stock) delete item;
}

TEST_F(MarketTest, PriceFieldAndPadding) {
  EXPECT_EQ(Plain(MarketOptionText(2, 1234, 100, "x")), "    *1234 Gold - x");
  EXPECT_EQ(Plain(MarketOptionText(9, 85, 180, "d")), "       85 Gold - d");
  EXPECT_EQ(Plain(MarketOptionText(10, 85, 180, "d")), "      85 Gold - d");
  EXPECT_EQ(Plain(MarketOptionText(18, 180, 180, "d")), "     180 Gold - d") << "just affordable: no star";
  EXPECT_EQ(Plain(MarketOptionText(3, 12345678, 0, "d")), "  2345678 Gold - d") << "cut from the left";
  EXPECT_EQ(Plain(MarketOptionText(3, 1234567, 1234567, "d")), "  1234567 Gold - d");
}

TEST_F(MarketTest, BuyingTakesTheItemChargesItAndRestocksTheSlot) {
  hero.gold = 1000000;
  SeedRandom(77);
  Keys("3 esc");
  Market();
  ASSERT_EQ(shots.size(), 2u);
  titem* bought = hero.items[1];
  ASSERT_NE(bought, nullptr);
  EXPECT_EQ(hero.items[2], nullptr);
  const auto expected = Expected(77);
  EXPECT_TRUE(SameItem(*bought, *expected[2])) << "option 3 is stock slot 2";
  EXPECT_EQ(hero.gold, 1000000 - bought->Price(1));
  EXPECT_EQ(hero.weapon, bought) << "the fist's place was free, so the sword is worn at once";
  EXPECT_NE(GlyphRow(shots[1].records, 361.0f).find(AsDrawn("You got the sword")), std::string::npos);
  // The second pass lists a new sword in slot 2 and the others unchanged.
  EXPECT_NE(Plain(menu.optionText[3]), ExpectedLine(3, *bought, hero.gold));
  EXPECT_EQ(Plain(menu.optionText[4]), ExpectedLine(4, *expected[3], hero.gold));
  EXPECT_EQ(shots[1].cursor, 1) << "choosing by number leaves the cursor; the second pass keeps it";
}

TEST_F(MarketTest, TooLittleGoldChangesNothing) {
  hero.gold = 0;
  SeedRandom(5);
  Keys("2 esc");
  Market();
  EXPECT_EQ(hero.gold, 0);
  for (int32_t slot = 1; slot <= 18; ++slot) EXPECT_EQ(hero.items[slot], nullptr);
  const auto expected = Expected(5);
  for (int32_t i = 1; i <= 17; ++i) {
    const std::string line = Plain(menu.optionText[i + 1]);
    EXPECT_EQ(line, ExpectedLine(i + 1, *expected[static_cast<size_t>(i)], 0)) << "the same stock, all starred";
    EXPECT_NE(line.substr(0, 10).find('*'), std::string::npos);
  }
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_NE(GlyphRow(shots[1].records, 361.0f).find(AsDrawn("You do not have enough gold for that.")),
            std::string::npos);
}

TEST_F(MarketTest, AFullInventoryCancelledKeepsTheGoldAndTheStock) {
  for (int32_t slot = 1; slot <= 18; ++slot) Carry(1, 2);
  hero.gold = 1000000;
  SeedRandom(31);
  Keys("2 f9 esc");
  Market();
  EXPECT_EQ(hero.gold, 1000000);
  for (int32_t slot = 1; slot <= 18; ++slot) EXPECT_EQ(hero.items[slot]->kind, 2);
  ASSERT_EQ(shots.size(), 3u);
  EXPECT_EQ(shots[1].title, "replace an item");
  const auto expected = Expected(31);
  EXPECT_EQ(Plain(menu.optionText[2]), ExpectedLine(2, *expected[1], hero.gold));
}

TEST_F(MarketTest, AFullInventoryReplacedIsCharged) {
  for (int32_t slot = 1; slot <= 18; ++slot) Carry(1, 2);
  const std::unique_ptr<titem> replaced(hero.items[5]);
  hero.gold = 1000000;
  SeedRandom(31);
  Keys("2 5 esc");
  Market();
  ASSERT_EQ(hero.items[5]->kind, 1);
  EXPECT_EQ(hero.gold, 1000000 - hero.items[5]->Price(1));
}

TEST_F(MarketTest, MoreItemsRenewsTheWholeStockAndKeepsTheCursor) {
  SeedRandom(12);
  Keys("down down 1 esc");
  Market();
  ASSERT_EQ(shots.size(), 4u);
  EXPECT_EQ(shots[3].cursor, 3) << "the second pass keeps the highlighted row";
  SeedRandom(12);
  titem* first[20] = {};
  RestockMarket(first);
  titem* second[20] = {};
  RestockMarket(second);
  for (int32_t i = 1; i <= 17; ++i) {
    EXPECT_EQ(Plain(menu.optionText[i + 1]), ExpectedLine(i + 1, *second[i], hero.gold));
    delete first[i];
    delete second[i];
  }

  // A new visit starts at the top again.
  Keys("esc");
  Market();
  EXPECT_EQ(shots.back().cursor, 1);
}

}  // namespace

// The colour an item is shown in: by kind, statistic and rarity, and the impossible statistic that
// ends the program.
#include "game/ui/palette.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/state/hero.h"
#include "tests/support/end_status.h"
#include "tests/ui/ui_support.h"

namespace {

std::vector<int32_t> ColorAfter(const titem& item, int32_t plain, int32_t ignoreRare) {
  SetDrawColor(1, 2, 3);
  SetItemColor(item, plain, ignoreRare);
  int32_t r = 0, g = 0, b = 0;
  GetDrawColor(r, g, b);
  return {r, g, b};
}

TEST(ItemColorTest, ByKindStatAndRarity) {
  ResetScreenWorld();
  using V = std::vector<int32_t>;
  EXPECT_EQ(ColorAfter(*DefaultWeapon, 1, 0), (V{168, 168, 255}));
  EXPECT_EQ(ColorAfter(*DefaultArmor, 1, 0), (V{165, 125, 35}));
  const titem itemFind(ItemRune, "rune", 0, 1.0f, 1, 1.0f, 6, 2);
  EXPECT_EQ(ColorAfter(itemFind, 1, 0), (V{105, 145, 145}));
  EXPECT_EQ(ColorAfter(itemFind, 0, 0), (V{255, 230, 0}));
  EXPECT_EQ(ColorAfter(titem(ItemRune, "rune", 0, 1.0f, 1, 1.0f, 4, 1), 0, 1), (V{40, 170, 40}));
  const titem rare(ItemRune, "rune", 0, 5.0f, 1, 3.0f, 1, 2);
  EXPECT_EQ(ColorAfter(rare, 1, 0), (V{200, 250, 0}));
  EXPECT_EQ(ColorAfter(rare, 0, 1), (V{0, 255, 0}));
  std::string message;
  EXPECT_EQ(EndStatus([] { SetItemColor(titem(ItemRune, "rune", 0, 1.0f, 1, 1.0f, 0, 2), 0, 0); }, message), -1);
  EXPECT_EQ(message, "86g86fgyiu");
}

}  // namespace

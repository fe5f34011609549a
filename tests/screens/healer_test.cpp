// The healer: the cost worked out on entry, the rising green line, refusing when the gold is short.
#include <gtest/gtest.h>

#include "game/screens/healer.h"
#include "game/state/hero.h"
#include "game/ui/font.h"
#include "game/ui/stage.h"
#include "tests/screens/town_support.h"

namespace {

class HealerTest : public TownTest {
 protected:
  // The green line's letters drawn on row y (at HeroX + 22).
  static std::string GreenLine(const std::vector<TDrawRecord>& drawn, float y) {
    std::string line;
    for (const TDrawRecord& rec : GlyphsOf(drawn))
      if (rec.y == y && rec.red == 0 && rec.green == 255 && rec.blue == 0) line += FontCharset[rec.frame];
    return line;
  }
};

TEST_F(HealerTest, HealingChargesOnceAVisitAndShowsTheGain) {
  hero.health = 40;
  Keys("1 1 2");
  Healer();
  EXPECT_EQ(hero.gold, 120);
  EXPECT_EQ(hero.health, 100);
  ASSERT_EQ(shots.size(), 3u);
  EXPECT_TRUE(ShowsInfo(shots[0], "it will cost you 60 gold to get healed. Will you pay me?"));
  EXPECT_EQ(GreenLine(shots[1].records, 300.0f), "+60HEALTH");
  EXPECT_EQ(GreenLine(shots[1].records, 267.0f), "+60HEALTH") << "the twelfth frame";
  EXPECT_EQ(GreenLine(shots[1].records, 264.0f), "");
  EXPECT_TRUE(ShowsInfo(shots[1], "I call power from the heavens! You are now healed."));
  EXPECT_EQ(GreenLine(shots[2].records, 300.0f), "+0HEALTH") << "the second healing is free";

  // The price asked on entry stands even when health is filled another way meanwhile.
  hero.health = 50;
  Keys("lshift+h 1 2");
  Healer();
  EXPECT_EQ(hero.gold, 70);
}

TEST_F(HealerTest, HealthAboveTheMaximumCostsNothingAndPaysNothing) {
  hero.health = 150;
  Keys("1 2");
  Healer();
  EXPECT_EQ(hero.gold, 180);
  EXPECT_EQ(hero.health, 100);
  ASSERT_FALSE(shots.empty());
  EXPECT_TRUE(ShowsInfo(shots[0], "it will cost you 0 gold to get healed. Will you pay me?"));
}

TEST_F(HealerTest, TooLittleGoldChangesNothingAndEscapeLeaves) {
  hero.health = 40;
  hero.gold = 59;
  Keys("1 esc");
  Healer();
  EXPECT_EQ(hero.gold, 59);
  EXPECT_EQ(hero.health, 40);
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_EQ(GreenLine(shots[1].records, 300.0f), "");
  EXPECT_TRUE(ShowsInfo(shots[1], "you do not have enough gold for that."));
  EXPECT_EQ(shots[1].title, "healer");
}

}  // namespace

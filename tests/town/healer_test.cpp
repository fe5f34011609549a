// The healer: the cost worked out on entry, paying it, the rising green line, refusing when the
// gold is short, and leaving.
#include <gtest/gtest.h>

#include "game/screens/font.h"
#include "game/screens/menu.h"
#include "game/screens/town.h"
#include "game/state/hero.h"
#include "platform/keyboard.h"
#include "tests/town/town_support.h"

namespace {

class HealerTest : public TownTest {
 protected:
  // The green rising line's glyphs (x 142 = HeroX + 22), as one string per distinct row y.
  std::string GreenLineAt(const std::vector<TDrawRecord>& drawn, float y) const {
    std::string line;
    for (const TDrawRecord& rec : GlyphsOf(drawn))
      if (rec.y == y && rec.red == 0 && rec.green == 255 && rec.blue == 0) line += FontCharset[rec.frame];
    return line;
  }
};

TEST_F(HealerTest, HealingChargesAGoldAPointAndShowsTheGain) {
  hero.health = 40;
  Keys("1 2");
  Healer();
  EXPECT_EQ(hero.gold, 120);
  EXPECT_EQ(hero.health, 100);
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_EQ(shots[0].title, "healer");
  EXPECT_NE(GlyphRow(shots[0].records, 361.0f).find(AsDrawn("it will cost you 60 gold to get healed. Will you pay me?")),
            std::string::npos);
  // Twelve frames of the line, starting at HeroY - 75 and rising 3 pixels a frame.
  EXPECT_EQ(GreenLineAt(shots[1].records, 300.0f), "+60HEALTH");
  EXPECT_EQ(GreenLineAt(shots[1].records, 267.0f), "+60HEALTH");
  EXPECT_EQ(GreenLineAt(shots[1].records, 264.0f), "");
  EXPECT_NE(GlyphRow(shots[1].records, 361.0f).find(AsDrawn("I call power from the heavens! You are now healed.")),
            std::string::npos);
  EXPECT_EQ(shots[1].title, "healer") << "back on the healer's menu";
}

TEST_F(HealerTest, TheCostIsFixedOnEntrySoASecondHealingIsFree) {
  hero.health = 70;
  Keys("1 1 2");
  Healer();
  EXPECT_EQ(hero.gold, 150);
  ASSERT_EQ(shots.size(), 3u);
  EXPECT_EQ(GreenLineAt(shots[2].records, 300.0f), "+0HEALTH");

  // Health filled another way after entering does not change the price asked on entry.
  hero.health = 50;
  hero.gold = 180;
  Keys("lshift+h 1 2");
  Healer();
  EXPECT_EQ(hero.health, 100);
  EXPECT_EQ(hero.gold, 130);
}

TEST_F(HealerTest, AtFullHealthItCostsNothing) {
  Keys("1 2");
  Healer();
  EXPECT_EQ(hero.gold, 180);
  EXPECT_EQ(hero.health, 100);
}

TEST_F(HealerTest, TooLittleGoldChangesNothing) {
  hero.health = 40;
  hero.gold = 59;
  Keys("1 esc");
  Healer();
  EXPECT_EQ(hero.gold, 59);
  EXPECT_EQ(hero.health, 40);
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_EQ(GreenLineAt(shots[1].records, 300.0f), "");
  EXPECT_NE(GlyphRow(shots[1].records, 361.0f).find(AsDrawn("you do not have enough gold for that.")),
            std::string::npos);
  EXPECT_EQ(menu.escapeEnds, 1) << "the menu is back to its default after the visit";
}

TEST_F(HealerTest, TheHealerSpeaksAndOffersTwoWhiteOptions) {
  Keys("2");
  Healer();
  EXPECT_EQ(Plain(menu.prompt), "what will you do?");
  ASSERT_EQ(menu.optionCount, 2);
  EXPECT_EQ(Plain(menu.optionText[1]), "Heal");
  EXPECT_EQ(Plain(menu.optionText[2]), "Leave");
  EXPECT_EQ(menu.optionRed[1] + menu.optionGreen[1] + menu.optionBlue[2], 255 * 3);
  EXPECT_NE(GlyphRow(shots[0].records, 361.0f).size(), 0u);
  EXPECT_EQ(Plain(menu.speaker), "") << "emptied when the choice was made";
}

}  // namespace

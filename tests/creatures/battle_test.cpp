// Whole battles on the shipped art, played in-process from fixed seeds and key scripts: victories
// and their rune read-outs, runes after every turn, the Dragon Lord's lasting gains, both ways out
// of a death, and the ending. Checked by the game state, presented frame counts and the drawing.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "game/creatures/anim.h"
#include "game/creatures/battle.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/dungeon.h"
#include "game/screens/font.h"
#include "game/screens/menu.h"
#include "game/screens/stage.h"
#include "game/screens/start.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/save.h"
#include "platform/display.h"
#include "platform/keyboard.h"
#include "platform/keyscript.h"
#include "platform/program.h"
#include "platform/random.h"
#include "tests/support/battle_world.h"
#include "tests/support/end_status.h"
#include "tests/support/glyphs.h"
#include "tests/support/key_script.h"

namespace {

// Up to 24 letters from (x, y).
std::string RowAt(const std::vector<TDrawRecord>& records, float x, float y) {
  return GlyphRun(records, x, y, 8.0f * 24);
}

class BattleTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { LoadShippedRoster(nullptr, false); }
  static void TearDownTestSuite() { CloseDisplay(); }
  void SetUp() override {
    StartBattleWorld();
    AtExit(SaveOnExit);
  }
  void TearDown() override {
    SetKeyWaitHook(nullptr);
    SetDrawRecorder(nullptr);
    ResetExitHandlers();
  }
  TScratchDir dir;
};

TEST(MonsterDamageTest, ProtectionTakesHalfItselfOffOrSquashesASmallerRoll) {
  EXPECT_EQ(MonsterDamage(3, 0), 3);
  EXPECT_EQ(MonsterDamage(14, 0), 14);
  EXPECT_EQ(MonsterDamage(50, 40), 30);
  EXPECT_EQ(MonsterDamage(40, 40), 20);
  EXPECT_EQ(MonsterDamage(41, 3), 40);
  // trunc(100 / 80) and trunc(16 / 80), the latter raised to the minimum of 1.
  EXPECT_EQ(MonsterDamage(10, 40), 1);
  EXPECT_EQ(MonsterDamage(4, 40), 1);
  EXPECT_EQ(MonsterDamage(39, 40), 19);
  // Squared in double precision: no 32-bit overflow for the largest rolls; held at the limit.
  EXPECT_EQ(MonsterDamage(2000000000, 2100000000), 952380952);
  EXPECT_EQ(MonsterDamage(INT32_MAX, -4), INT32_MAX);
}

// The opening's typed line, the spider's attack, one menu frame, the killing blow, the first
// "VICTORY!" of the run and one gold read-out: 25 + 21 + 1 + 20 + 18 + 12 presented frames.
TEST_F(BattleTest, AMightyHeroKillsTheSpiderWithOneBlowAndTheBasicRunesPayTwentyGold) {
  MakeHeroMighty();
  // Armour that blocks every blow: the hero is not recoiling when his turn comes.
  ASSERT_EQ(hero.AddItem(new titem(ItemArmor, "wall", 101, 0.0f)), 1);
  hero.floor = 1;
  std::vector<TDrawRecord> records;
  SetDrawRecorder(&records);
  UseKeys("1");
  int64_t atMenu = 0;
  SetKeyWaitHook([&atMenu] { atMenu = PresentedFrameCount(); });
  EXPECT_EQ(RunBattle(), 0);
  EXPECT_EQ(atMenu, 25 + 21 + 1);
  EXPECT_EQ(PresentedFrameCount(), 97);
  EXPECT_EQ(Roster[1]->health, 0);
  EXPECT_EQ(Roster[1]->anim->kind, DieKind);
  EXPECT_EQ(hero.gold, 200);
  EXPECT_EQ(Opponent, nullptr);
  EXPECT_TRUE(menu.speaker.Empty());
  EXPECT_EQ(menu.infoText, Text("spider defeated!"));
  EXPECT_EQ(hero.mon->anim->kind, AttackKind);
  // The two basic runes' gains as one line, under the flickering title.
  const float x = static_cast<float>(HeroX + 22);
  EXPECT_NE(RowAt(records, x, static_cast<float>(HeroY - 75)).find("+20GOLD"), std::string::npos);
  EXPECT_EQ(RowAt(records, x, static_cast<float>(HeroY - 140)).find("RUNEVICTORYBONUS!"), 0u);
}

// Only the rules' own restarts happen: the hero's figure is put back on its attack after his own
// attack, not after a blow taken, so a hero still recoiling strikes at once (hit frame 0).
TEST_F(BattleTest, AHeroStillRecoilingStrikesOnHisFirstFrame) {
  MakeHeroMighty();
  Roster[1]->accuracy = 100;
  ASSERT_EQ(hero.AddItem(new titem(ItemArmor, "rag", 0, 0.0f)), 1);
  hero.floor = 1;
  UseKeys("1");
  int64_t atMenu = 0;
  SetKeyWaitHook([&atMenu] { atMenu = PresentedFrameCount(); });
  RunBattle();
  EXPECT_LT(hero.health, hero.healthmax);
  EXPECT_EQ(PresentedFrameCount() - atMenu, 16 + 18 + 12);
}

TEST_F(BattleTest, AMidFloorOffersTheKindsOneBelowToOneAboveItsNumber) {
  std::set<int32_t> met;
  for (int32_t seed = 1; seed <= 6; ++seed) {
    StartBattleWorld();
    MakeHeroMighty();
    SeedRandom(seed * 7919 * 7919);
    hero.floor = 8;
    UseKeys("1");
    RunBattle();
    for (int32_t slot = 1; slot <= MonsterCount; ++slot)
      if (Roster[slot]->anim && Roster[slot]->anim->kind == DieKind) met.insert(slot);
  }
  EXPECT_GE(met.size(), 2u);
  for (int32_t slot : met) EXPECT_TRUE(slot >= 7 && slot <= 9) << slot;
}

// A hero who always misses, wearing a strength rune that pays after each turn: every attack and
// every failed escape pays, the successful escape does not.
// Saves crafted to hold what no rule makes, loaded through the loader's repairs and fought through:
// nothing wraps, nothing goes negative, and the arithmetic left at the 32-bit limits holds there.
TEST_F(BattleTest, CraftedSavesAreRepairedAndFoughtWithinTheLimits) {
  auto runes = [](int32_t stat, float value, int32_t timing) {
    for (int32_t i = 1; i <= RuneSlots; ++i) {
      hero.items[i] = new titem(ItemRune, "rune", 0, value, 1, 1.0f, stat, timing);
      hero.runes[i] = hero.items[i];
    }
    hero.runelevel = RuneSlots;
  };
  auto crafted = [](int32_t floor, auto change) {
    StartBattleWorld();
    change();
    hero.floor = floor;
    const std::vector<uint8_t> bytes = SaveGameToBytes();
    return bytes;
  };
  struct tcase {
    std::vector<uint8_t> bytes;
    bool repaired;
  };
  const tcase cases[] = {
      {crafted(5, [] {
         hero.health = INT32_MIN;
         hero.strength = hero.defence = hero.accuracy = hero.itemfind = INT32_MIN;
       }), true},
      // Nine victory runes far beyond anything made, and a sword worth less than nothing.
      {crafted(3, [&] {
         runes(StatGold, 2.1e9f, TimingVictory);
         hero.items[10] = new titem(ItemWeapon, "sword", 100, -100.0f);
         hero.weapon = hero.items[10];
         hero.accuracy = 1000;
       }), true},
      // What saturating rules may reach: every statistic at the top, the largest runes the maker gives.
      {crafted(2, [&] {
         runes(StatStrength, 2950.0f, TimingAttack);
         hero.items[10] = new titem(ItemRune, "rune", 0, 1200.0f, 20, 3.0f, StatGold, TimingVictory);
         hero.health = hero.healthmax = hero.gold = hero.experience = INT32_MAX;
         hero.strength = hero.defence = hero.accuracy = INT32_MAX;
       }), false},
  };
  for (const tcase& c : cases) {
    StartBattleWorld();
    std::string repairs;
    ASSERT_EQ(LoadGameFromBytes(c.bytes, repairs), 1);
    EXPECT_EQ(!repairs.empty(), c.repaired) << repairs;
    for (const titem* item : hero.items) {
      if (item != nullptr) {
        EXPECT_GE(item->value, 0.0f);
      }
    }
    for (int32_t battle = 0; battle < 3 && hero.floor != 0; ++battle) {
      UseKeys("1 1 1 1 1 1 1 1 1 1 1 1");
      EndStatus([] { RunBattle(); });
      EXPECT_GE(hero.health, 0);
      EXPECT_GE(hero.gold, 0);
      EXPECT_GE(hero.strength, 0);
    }
    EXPECT_GT(PresentedFrameCount(), 100) << "battles were fought";
  }
}

TEST_F(BattleTest, AfterEachAttackRunesPayAfterEveryTurnButTheEscape) {
  MakeHeroMighty();
  hero.accuracy = -1000;
  hero.strength = 0;
  titem* rune = new titem(ItemRune, "rune", 0, 4.0f, 1, 1.0f, StatStrength, TimingAttack);
  ASSERT_EQ(hero.AddItem(rune), 1);
  ASSERT_EQ(hero.runes[1], rune);
  hero.floor = 1;
  UseKeys("1 1 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2");
  int turns = 0;
  SetKeyWaitHook([&turns] { turns += menu.title == Text("battle"); });
  RunBattle();
  EXPECT_EQ(Opponent, nullptr);
  ASSERT_GE(turns, 3);
  EXPECT_EQ(hero.strength, 4 * (turns - 1));
  EXPECT_EQ(Roster[1]->health, Roster[1]->healthmax);
}

struct TLairWait {
  Text title;
  int32_t floor;
  int32_t strength;
  int32_t health;
};

// Down from floor 19 into the lair, running until the escape works, then down again: the lord's
// strength keeps every gain, his health is refilled, and the hero stands on floor 19 in between.
TEST_F(BattleTest, TheDragonLordKeepsHisStrengthAfterTheHeroRunsAway) {
  MakeHeroMighty();
  hero.floor = 19;
  hero.deepest = 19;
  tmon& lord = *Roster[MonsterCount];
  std::string keys = "2 enter";
  for (int i = 0; i < 40; ++i) keys += " 2";
  UseKeys(keys);
  std::vector<TLairWait> waits;
  SetKeyWaitHook([&waits, &lord] { waits.push_back({menu.title, hero.floor, lord.strength, lord.health}); });
  EndStatus([] { DungeonMenu(); });

  // The waits: the dungeon menu, the lair's warning (the menu's title still stands), the battle's.
  ASSERT_GT(waits.size(), 2u);
  EXPECT_EQ(waits[1].floor, 20);
  int attacks = 0;
  size_t between = 0;
  for (size_t i = 2; i < waits.size() && between == 0; ++i) {
    if (waits[i].title == Text("battle")) {
      ++attacks;
      EXPECT_EQ(waits[i].strength, 800 + 300 * attacks);
      EXPECT_EQ(waits[i].health, 200000);
      EXPECT_EQ(waits[i].floor, 20);
    } else if (waits[i].title == Text("dungeon")) {
      between = i;
    }
  }
  ASSERT_NE(between, 0u) << "the hero never got away";
  EXPECT_EQ(waits[between].floor, 19);
  EXPECT_EQ(hero.deepest, 19);
  // The lair's warning waits for a key, then the lord attacks once more before the first choice.
  ASSERT_GT(waits.size(), between + 2);
  EXPECT_EQ(waits[between + 2].title, Text("battle"));
  EXPECT_EQ(waits[between + 2].strength, 800 + 300 * (attacks + 1));
  EXPECT_EQ(waits[between + 2].health, 200000);
}

TEST_F(BattleTest, TheDragonLordsStrengthStopsAtTheThirtyTwoBitLimit) {
  MakeHeroMighty();
  ASSERT_EQ(hero.AddItem(new titem(ItemArmor, "wall", 101, 0.0f)), 1);
  tmon& lord = *Roster[MonsterCount];
  lord.strength = INT32_MAX - 100;
  hero.floor = 20;
  std::string keys = "enter";
  for (int i = 0; i < 40; ++i) keys += " 2";
  UseKeys(keys);
  EndStatus([] { RunBattle(); });
  EXPECT_EQ(lord.strength, INT32_MAX);
}

// A hero on 1 health whose armour never blocks, against monsters that never miss.
void Doomed() {
  hero.health = 1;
  for (int32_t slot = 1; slot <= 3; ++slot) Roster[slot]->accuracy = 100;
  ASSERT_EQ(hero.AddItem(new titem(ItemArmor, "rag", 0, 0.0f)), 1);
  ASSERT_EQ(hero.AddItem(new titem(ItemWeapon, "sword", 50, 10.0f)), 1);
  ASSERT_EQ(hero.AddItem(new titem(ItemRune, "rune", 0, 8.0f, 1, 1.0f, StatDefence, TimingEquipped)), 1);
  ASSERT_EQ(hero.defence, 8);
}

TEST_F(BattleTest, ContinuingAfterADeathLeavesTheHeroInTownWithHalfHisGoldAndNoItems) {
  Doomed();
  hero.gold = 7;
  hero.floor = 1;
  std::vector<TDrawRecord> records;
  SetDrawRecorder(&records);
  UseKeys("2 enter 1");
  EXPECT_EQ(EndStatus([] { DungeonMenu(); }), CallReturned);
  EXPECT_EQ(hero.floor, 0);
  EXPECT_EQ(hero.deepest, 2);
  EXPECT_EQ(hero.gold, 3);
  EXPECT_EQ(hero.health, hero.healthmax);
  EXPECT_EQ(hero.defence, 0);
  for (int32_t slot = 1; slot <= InventorySlots; ++slot) EXPECT_EQ(hero.items[slot], nullptr);
  EXPECT_EQ(hero.weapon, DefaultWeapon);
  EXPECT_EQ(hero.armor, DefaultArmor);
  EXPECT_EQ(hero.runes[1], DefaultRunes[1]);
  EXPECT_EQ(Opponent, nullptr);
  EXPECT_EQ(hero.mon->anim->kind, AttackKind);
  EXPECT_EQ(hero.mon->frame, 1.0f);
  EXPECT_EQ(RemainingKeySteps(), 0);
  bool orIsIt = false;
  for (const TDrawRecord& r : records)
    if (r.image == font.glyphs.get() && r.x == 100 && r.y == 340 && r.red == 226 && r.green == 0) orIsIt = true;
  EXPECT_TRUE(orIsIt);
}

TEST_F(BattleTest, EndingAfterADeathDeletesTheSaveAndSavesNothing) {
  Doomed();
  hero.floor = 1;
  std::ofstream("save.dat") << "the game before";
  UseKeys("enter 2");
  EXPECT_EQ(EndStatus([] { RunBattle(); }), 0);
  EXPECT_FALSE(std::filesystem::exists("save.dat"));
  EXPECT_EQ(NoSave, 1);
}

TEST_F(BattleTest, EscapeInTheBattleMenuEndsTheGameAndSavesItOnItsFloor) {
  hero.floor = 1;
  UseKeys("esc");
  EXPECT_EQ(EndStatus([] { RunBattle(); }), 0);
  std::ifstream save("save.dat", std::ios::binary);
  EXPECT_TRUE(save.good());
}

TEST_F(BattleTest, TheDragonLordsFallPlaysTheEndingAndLeavesNoSave) {
  MakeHeroMighty();
  Roster[MonsterCount]->healthmax = 1;
  hero.floor = 20;
  std::ofstream("save.dat") << "the game before";
  UseKeys("enter 1 enter enter");
  EXPECT_EQ(EndStatus([] { RunBattle(); }), 0);
  EXPECT_EQ(RemainingKeySteps(), 0);
  EXPECT_FALSE(std::filesystem::exists("save.dat"));
  EXPECT_EQ(NoSave, 1);
}

}  // namespace

// Whole battles on the shipped art, played in-process from fixed seeds and key scripts: victories
// and their rune read-outs, runes after every turn, the Dragon Lord's lasting gains, both ways out
// of a death, and the ending. Checked by the game state, presented frame counts and the drawing.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/battle.h"
#include "game/screens/dungeon.h"
#include "game/screens/start.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/save.h"
#include "game/ui/font.h"
#include "game/ui/menu.h"
#include "game/ui/message.h"
#include "game/ui/stage.h"
#include "platform/display/display.h"
#include "platform/core/signals.h"
#include "platform/input/keyboard.h"
#include "platform/replay/script_player.h"
#include "platform/core/program.h"
#include "platform/core/random.h"
#include "tests/support/battle_world.h"
#include "tests/support/end_status.h"
#include "tests/support/glyphs.h"
#include "tests/support/key_script.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/stripped_hero.h"

namespace {

std::vector<uint8_t> ReadSave() {
  std::ifstream file("save.dat", std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Up to 24 letters from (x, y).
std::string RowAt(const std::vector<TDrawRecord>& records, float x, float y) {
  return GlyphRun(records, x, y, 8.0f * 24);
}

class BattleTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { LoadShippedRoster(nullptr, false); }
  static void TearDownTestSuite() { CloseDisplay(); }
  void SetUp() override {
    scratch.Enter();
    StartBattleWorld();
    AtExit(SaveOnExit);
  }
  void TearDown() override {
    SetKeyWaitHook(nullptr);
    SetDrawRecorder(nullptr);
    ResetExitHandlers();
  }
  TScratchDir scratch;
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
  RunBattle();
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
  const tspot over = OverHero();
  EXPECT_NE(RowAt(records, over.x, over.y - 5).find("+20GOLD"), std::string::npos);
  EXPECT_EQ(RowAt(records, over.x, over.y - 70).find("RUNEVICTORYBONUS!"), 0u);
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
    hero.deepest = floor;
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
  EXPECT_TRUE(HeroIsStripped());
  EXPECT_EQ(hero.deepest, 2);
  EXPECT_EQ(hero.gold, 3);
  EXPECT_EQ(hero.defence, 0);
  EXPECT_EQ(Opponent, nullptr);
  EXPECT_EQ(hero.mon->anim->kind, AttackKind);
  EXPECT_EQ(hero.mon->frame, 1.0f);
  EXPECT_EQ(RemainingKeySteps(), 0);
  bool orIsIt = false;
  for (const TDrawRecord& r : records)
    if (r.image == font.glyphs.get() && r.x == 100 && r.y == 340 && r.red == 226 && r.green == 0) orIsIt = true;
  EXPECT_TRUE(orIsIt);
}

// Between the lethal blow and a choice on the death menu, every way out of the game saves the hero
// as "continue" leaves him, so leaving never dodges the death.
TEST_F(BattleTest, LeavingBeforeTheDeathMenusChoiceSavesTheHeroAsContinueLeavesHim) {
  // Up from floor 2 to the spider of floor 1, who kills.
  auto doomedOnFloorTwo = [] {
    StartBattleWorld();
    AtExit(SaveOnExit);
    Doomed();
    hero.gold = 7;
    hero.floor = 2;
    hero.deepest = 2;
  };
  doomedOnFloorTwo();
  int64_t orIsItFrame = 0;
  SetKeyWaitHook([&orIsItFrame] {
    if (orIsItFrame == 0 && hero.health == 0) orIsItFrame = PresentedFrameCount();
  });
  UseKeys("1 enter 1");
  ASSERT_EQ(EndStatus([] { DungeonMenu(); }), CallReturned);
  const std::vector<uint8_t> continued = SaveGameToBytes();
  // The death message presents this many frames before "Or is it?" is flipped over its last one.
  StartBattleWorld();
  ShowMessage("The spider killed you! Everything is lost...", 1.3f, 0.6f, 1, 1);
  const int64_t deathSequenceEnd = orIsItFrame - PresentedFrameCount() - 1;

  struct tway {
    std::string name, keys;
    int status;
    bool signalAtMenu;
  };
  const tway ways[] = {
      {"escape during the death sequence", "1 esc@" + std::to_string(deathSequenceEnd - 1), 0, false},
      {"escape in the message", "1 esc@" + std::to_string(orIsItFrame - 2), 0, false},
      {"the window closed at \"Or is it?\"", "1", 0, false},
      {"escape on the menu", "1 enter esc", 0, false},
      {"SIGTERM on the menu", "1 enter", 128 + SIGTERM, true},
  };
  for (const tway& way : ways) {
    SCOPED_TRACE(way.name);
    doomedOnFloorTwo();
    std::filesystem::remove("save.dat");
    CatchEndSignals();
    int waits = 0;
    SetKeyWaitHook([&way, &waits] {
      if (++waits == 3 && way.signalAtMenu) std::raise(SIGTERM);
    });
    UseKeys(way.keys);
    EXPECT_EQ(EndStatus([] { DungeonMenu(); }), way.status);
    ReleaseEndSignals();
    EXPECT_EQ(ReadSave(), continued);
  }
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

// A game left in a battle resumes on its floor; one left in the lair's only battle on floor 19, where
// the hero stands once that battle is over.
TEST_F(BattleTest, EscapeInTheBattleMenuSavesTheGameOnItsFloorOrAboveTheLair) {
  for (const auto& [floor, keys, saved] : {std::tuple{7, "esc", 7}, std::tuple{LairFloor, "enter esc", LairFloor - 1}}) {
    SCOPED_TRACE(floor);
    StartBattleWorld();
    AtExit(SaveOnExit);
    MakeHeroMighty();
    hero.floor = floor;
    hero.deepest = LairFloor - 1;
    UseKeys(keys);
    EXPECT_EQ(EndStatus([] { RunBattle(); }), 0);
    hero.floor = saved;
    EXPECT_EQ(ReadSave(), SaveGameToBytes());
  }
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

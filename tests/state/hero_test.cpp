// The hero's rules: the new game, equipping and unequipping swords, armour and runes, taking items
// into the pack and replacing them, rune effects and levels, and death's reset.
#include "game/state/hero.h"
#include "platform/core/text.h"
#include "tests/state/state_support.h"
#include "tests/support/stripped_hero.h"

using NewGameTest = StateTest;

// What the status panel shows for a new game, from the same sums the battle uses.
TEST_F(NewGameTest, StatisticsLine) {
  EXPECT_EQ(hero.strength + RealToInt(hero.weapon->value), 3);
  EXPECT_EQ(hero.defence + RealToInt(hero.armor->value), 6);
  EXPECT_EQ(hero.accuracy + hero.weapon->chance, 80);
  EXPECT_EQ(hero.itemfind, 62);
  EXPECT_EQ(hero.gold, 180);
  EXPECT_EQ(hero.health, 100);
  EXPECT_EQ(hero.healthmax, 100);
  EXPECT_EQ(hero.experience, 0);
  EXPECT_EQ(ExperienceNeeded(hero.runelevel), 10);
  EXPECT_EQ(ExperienceNeeded(9), 100000000);
  EXPECT_EQ(hero.name, Text("hero"));
  EXPECT_EQ(hero.deepest, 1);
  EXPECT_TRUE(HeroIsStripped());
  EXPECT_NE(DefaultRunes[1], DefaultRunes[2]) << "one basic rune per slot";
}

using EquipTest = StateTest;

TEST_F(EquipTest, FirstSwordIsEquippedSecondIsNot) {
  titem* first = MakeSword();
  titem* second = MakeSword();
  EXPECT_EQ(hero.AddItem(first), 1);
  EXPECT_EQ(hero.weapon, first);
  EXPECT_EQ(hero.AddItem(second), 1);
  EXPECT_EQ(hero.weapon, first);
  EXPECT_EQ(hero.items[1], first);
  EXPECT_EQ(hero.items[2], second);
  EXPECT_EQ(hero.IsEquipped(second), 0);
  // From the equip screen the second replaces the first, which stays in the pack.
  EXPECT_EQ(hero.Equip(second, 1), 1);
  EXPECT_EQ(hero.weapon, second);
  EXPECT_EQ(hero.items[1], first);
}

TEST_F(EquipTest, ArmourWaitsForAFreeSlotUnlessReplacing) {
  titem* a = MakeArmor();
  titem* b = MakeArmor();
  EXPECT_EQ(hero.Equip(a, 0), 1);
  EXPECT_EQ(hero.Equip(b, 0), 0);
  EXPECT_EQ(hero.armor, a);
  EXPECT_EQ(hero.Unequip(a), 1);
  EXPECT_EQ(hero.armor, DefaultArmor);
  EXPECT_EQ(hero.Unequip(a), 0) << "not equipped any more";
  EXPECT_EQ(hero.Unequip(DefaultWeapon), 1);
  EXPECT_EQ(hero.weapon, DefaultWeapon);
}

TEST_F(EquipTest, RunesFillTheLowestFreeSlotThenStayInThePack) {
  titem* runes[3] = {MakeRune(2, 2, 1.0f), MakeRune(3, 2, 1.0f), MakeRune(6, 3, 1.0f)};
  for (titem* rune : runes) EXPECT_EQ(hero.AddItem(rune), 1);
  EXPECT_EQ(hero.runes[1], runes[0]);
  EXPECT_EQ(hero.runes[2], runes[1]);
  EXPECT_EQ(hero.IsEquipped(runes[2]), 0);
  EXPECT_EQ(hero.runes[3], DefaultRunes[3]);
  // Taking the first off frees slot 1, which the next rune takes.
  hero.Unequip(runes[0]);
  EXPECT_EQ(hero.runes[1], DefaultRunes[1]);
  EXPECT_EQ(hero.Equip(runes[2], 0), 1);
  EXPECT_EQ(hero.runes[1], runes[2]);
}

TEST_F(EquipTest, FullRuneRowIsOverwrittenAtRandom) {
  hero.runelevel = 4;
  titem* row[5] = {};
  for (int i = 1; i <= 4; ++i) {
    row[i] = MakeRune(2, 1, 5.0f);
    ASSERT_EQ(hero.Equip(row[i], 0), 1);
  }
  EXPECT_EQ(hero.strength, 20);
  titem* extra = MakeRune(3, 2, 1.0f);
  EXPECT_EQ(hero.Equip(extra, 0), 0);

  SeedRandom(77);
  const int32_t slot = RandomInteger(1, 4);
  SeedRandom(77);
  EXPECT_EQ(hero.Equip(extra, 1), 1);
  EXPECT_EQ(hero.runes[slot], extra);
  EXPECT_EQ(hero.strength, 15) << "the overwritten rune's effect is taken off";
  for (int i = 1; i <= 4; ++i) {
    if (i != slot) {
      EXPECT_EQ(hero.runes[i], row[i]);
    }
  }
  // Over many tries every usable slot gets picked, and no other.
  int hits[10] = {};
  for (int n = 0; n < 200; ++n) {
    titem* next = MakeRune(3, 2, 1.0f);
    hero.Equip(next, 1);
    for (int i = 1; i <= 9; ++i) hits[i] += hero.runes[i] == next;
  }
  for (int i = 1; i <= 4; ++i) EXPECT_GT(hits[i], 20);
  for (int i = 5; i <= 9; ++i) EXPECT_EQ(hits[i], 0);
}

using RuneTest = StateTest;

TEST_F(RuneTest, WhenEquippedEffectsComeOffExactly) {
  titem* strength = MakeRune(2, 1, 7.9f);
  hero.Equip(strength, 0);
  EXPECT_EQ(hero.strength, 7);
  hero.Unequip(strength);
  EXPECT_EQ(hero.strength, 0);

  titem* healthmax = MakeRune(4, 1, 45.0f, 9);  // a deeper floor does not weaken "when equipped"
  hero.Equip(healthmax, 0);
  EXPECT_EQ(hero.healthmax, 145);
  hero.health = 140;
  hero.Unequip(healthmax);
  EXPECT_EQ(hero.healthmax, 100);
  EXPECT_EQ(hero.health, 100) << "health is clipped to the lowered maximum";
}

TEST_F(RuneTest, BattleRunesWeakenAboveTheirFloor) {
  titem* gold = MakeRune(6, 2, 40.0f, 6);
  hero.floor = 4;
  EXPECT_EQ(gold->ApplyRune(1), 10);  // value / (2 x 2)
  hero.floor = 5;
  EXPECT_EQ(gold->ApplyRune(1), 20);
  hero.floor = 6;
  EXPECT_EQ(gold->ApplyRune(1), 40);
  hero.floor = 0;
  EXPECT_EQ(gold->ApplyRune(1), 3);  // trunc(40 / 12)
  EXPECT_EQ(hero.gold, 180 + 10 + 20 + 40 + 3);
}

TEST_F(RuneTest, HealthStopsAtMaximumAndGoldAtZero) {
  titem* health = MakeRune(1, 2, 30.0f);
  EXPECT_EQ(health->ApplyRune(1), 0) << "at full health a health rune adds nothing";
  hero.health = 90;
  EXPECT_EQ(health->ApplyRune(1), 10);
  EXPECT_EQ(hero.health, 100);
  titem* gold = MakeRune(6, 1, 500.0f);
  EXPECT_EQ(gold->ApplyRune(-1), 500);
  EXPECT_EQ(hero.gold, 0);
}

TEST_F(RuneTest, ExperienceRaisesOneLevelPerCallAndStopsAtNine) {
  hero.floor = 1;  // in town a floor-1 rune works at half strength
  hero.runelevel = 3;
  hero.experience = 95;
  EXPECT_EQ(MakeRune(7, 2, 10.0f)->ApplyRune(1), 10);
  EXPECT_EQ(hero.runelevel, 4);
  EXPECT_EQ(RuneLevelsTold(), 1) << "the level gained is told at once";
  // Passing two thresholds at once still gives one level.
  EXPECT_EQ(MakeRune(7, 2, 50000.0f)->ApplyRune(1), 50000);
  EXPECT_EQ(hero.runelevel, 5);
  EXPECT_EQ(hero.runes[5], DefaultRunes[5]) << "the new slot holds its basic rune";

  hero.runelevel = 9;
  hero.experience = 99999999;
  MakeRune(7, 2, 5.0f)->ApplyRune(1);
  EXPECT_EQ(hero.runelevel, 9);
  EXPECT_EQ(hero.experience, 100000004);
  EXPECT_EQ(RuneLevelsTold(), 2) << "nothing told when the level cannot rise";
}

// Every statistic a rune feeds stops at the 32-bit limits in either direction; gold never turns negative.
TEST_F(RuneTest, GainsStopAtTheThirtyTwoBitLimits) {
  hero.runelevel = 9;
  hero.strength = hero.defence = hero.accuracy = hero.gold = hero.experience = INT32_MAX - 5;
  hero.healthmax = INT32_MAX - 5;
  for (int32_t stat : {2, 3, 4, 5, 6, 7}) MakeRune(stat, 2, 1000.0f)->ApplyRune(1);
  for (int32_t value : {hero.strength, hero.defence, hero.healthmax, hero.accuracy, hero.gold, hero.experience}) {
    EXPECT_EQ(value, INT32_MAX);
  }
  hero.health = INT32_MAX - 1;
  MakeRune(1, 2, 1000.0f)->ApplyRune(1);
  EXPECT_EQ(hero.health, INT32_MAX);
  // Taking a strong "when equipped" rune off at the other end.
  hero.strength = INT32_MIN + 3;
  MakeRune(2, 1, 2.0e9f)->ApplyRune(-1);
  EXPECT_EQ(hero.strength, INT32_MIN);
}

TEST_F(RuneTest, SlotsAboveTheRuneLevelDoNotCount) {
  titem* rune = MakeRune(2, 2, 1.0f);
  hero.runes[3] = rune;  // a slot the level does not reach
  EXPECT_EQ(hero.IsEquipped(rune), 0);
  EXPECT_EQ(hero.Unequip(rune), 0);
}

using AddItemTest = StateTest;

// Fills the pack: slot 1 an equipped "when equipped" health-max rune, the rest unequipped armour.
titem* FillPack() {
  // The pack's items are the game's: a replaced one is freed by ReplaceItem.
  titem* healthmax = Given(MakeRune(4, 1, 45.0f));
  hero.AddItem(healthmax);
  for (int i = 2; i <= 18; ++i) hero.AddItem(Given(i == 2 ? MakeArmor() : MakeItem(2, "body-armor", 9, 2.0f)));
  return healthmax;
}

TEST_F(AddItemTest, AFullPackTakesNothingAndLeavesTheItemWithTheCaller) {
  FillPack();
  titem* before[19];
  std::copy(std::begin(hero.items), std::end(hero.items), before);
  EXPECT_EQ(hero.FreeSlot(), 0);
  EXPECT_EQ(hero.AddItem(MakeSword()), 0);
  EXPECT_TRUE(std::equal(std::begin(hero.items), std::end(hero.items), before));
  EXPECT_EQ(hero.weapon, DefaultWeapon);
}

TEST_F(AddItemTest, ReplacingAnEquippedRuneTakesItOffFirst) {
  titem* healthmax = FillPack();
  ASSERT_EQ(hero.runes[1], healthmax);
  ASSERT_EQ(hero.healthmax, 145);
  hero.health = 145;
  titem* sword = MakeSword();
  hero.ReplaceItem(1, sword);
  EXPECT_EQ(hero.items[1], sword);
  EXPECT_EQ(hero.runes[1], DefaultRunes[1]);
  EXPECT_EQ(hero.healthmax, 100);
  EXPECT_EQ(hero.health, 100);
  EXPECT_EQ(hero.weapon, sword) << "the weapon slot was free, so the new sword is worn";
}

TEST_F(AddItemTest, ReplacedArmourIsOnlyWornWhenItsSlotIsFree) {
  FillPack();
  titem* worn = hero.items[2];
  ASSERT_EQ(hero.armor, worn);
  titem* newer = MakeArmor(20.0f);
  hero.ReplaceItem(5, newer);
  EXPECT_EQ(hero.items[5], newer);
  EXPECT_EQ(hero.armor, worn);

  titem* newest = MakeArmor(30.0f);
  hero.ReplaceItem(2, newest);
  EXPECT_EQ(hero.items[2], newest);
  EXPECT_EQ(hero.armor, newest) << "the worn armour was replaced, so the new one is put on";
}

using DeathTest = StateTest;

TEST_F(DeathTest, ContinueLeavesOnlyTheDefaultItems) {
  // Death's "continue" frees what it empties from the inventory.
  hero.AddItem(Given(MakeSword()));
  hero.AddItem(Given(MakeArmor()));
  hero.AddItem(Given(MakeRune(4, 1, 20.0f)));
  hero.AddItem(Given(MakeRune(2, 2, 3.0f)));
  hero.AddItem(Given(MakeSword()));
  hero.strength = 4;
  hero.experience = 42;
  hero.runelevel = 3;
  hero.gold = 7;
  hero.health = 0;
  hero.floor = 12;
  hero.deepest = 12;
  ResetAfterDeath();
  EXPECT_EQ(hero.gold, 3);
  EXPECT_EQ(hero.healthmax, 100) << "the health-max rune came off";
  EXPECT_EQ(hero.health, 100) << "refilled to 120, then clipped as the health-max rune came off";
  EXPECT_TRUE(HeroIsStripped());
  EXPECT_EQ(hero.deepest, 12);
  EXPECT_EQ(hero.strength, 4);
  EXPECT_EQ(hero.experience, 42);
  EXPECT_EQ(hero.runelevel, 3);
}

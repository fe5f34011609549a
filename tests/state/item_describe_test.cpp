// Prices, descriptions and names of items, and the fixed runtime errors that
// impossible codes end the program with.

#include "game/state/hero.h"
#include "game/state/item_describe.h"
#include "platform/core/text.h"
#include "tests/state/state_support.h"
#include "tests/support/end_status.h"

using ItemPriceTest = StateTest;

TEST_F(ItemPriceTest, WorkedExamples) {
  // Floor-1 sword, quality 1.0, accuracy 30, base 2.
  titem* sword = MakeItem(1, "sword", 30, static_cast<float>(1.0 * 2 * (320 - 2 * 30) / 75.0));
  EXPECT_EQ(sword->value, 6.9333334f);
  EXPECT_EQ(sword->Price(1), 85);
  EXPECT_EQ(sword->Price(0), 21);
  EXPECT_EQ(sword->Describe(), Text("weapon: Sword, Power:6, Accuracy:30%"));

  // Floor-1 armour, quality 1.0, c = 10, base 3.
  titem* armor = MakeItem(2, "body-armor", 15, static_cast<float>(1.0 * 3 * (99 - 3 * 10) / 27.0));
  EXPECT_EQ(armor->value, 7.6666665f);
  EXPECT_EQ(armor->Price(1), 75);
  EXPECT_EQ(armor->Price(0), 18);

  EXPECT_EQ(MakeRune(6, 2, 80.0f, 5)->Price(1), 552);
}

TEST_F(ItemPriceTest, RuneRulesAndTimingFactors) {
  // Health runes: b + value x q^3; others b + value x 5 x q^3; x2 after victories, x11 after attacks.
  EXPECT_EQ(MakeRune(1, 2, 30.0f, 2)->Price(1), (40 + 30) * 2);
  EXPECT_EQ(MakeRune(2, 1, 7.9f, 1)->Price(1), 59);  // 20 + 39.5000005, truncated
  EXPECT_EQ(MakeRune(3, 3, 2.0f, 1)->Price(1), (20 + 10) * 11);
  EXPECT_EQ(MakeRune(6, 3, 10.0f, 1)->Price(1), 42 * 11);  // 20 + 22.0000005, truncated
}

TEST_F(ItemPriceTest, RareItemsSellForASixthAndDefaultsAreWorthNothing) {
  titem* rare = MakeItem(1, "sword", 50, 10.0f, 1, 3.0f);
  const int32_t buy = rare->Price(1);
  EXPECT_EQ(buy, 2524);  // 130 x 3^2.7f = 2524.47, truncated
  EXPECT_EQ(rare->Price(0), buy / 6);
  EXPECT_EQ(DefaultWeapon->Price(1), 0);
  EXPECT_EQ(DefaultArmor->Price(0), 0);
}

TEST_F(ItemPriceTest, ImpossibleKindEndsWithItsNumber) {
  titem* odd = MakeItem(7, "odd", 0, 1.0f);
  std::string message;
  EXPECT_EQ(EndStatus([&] { odd->Price(1); }, message), -1);
  EXPECT_EQ(message, "7");
  odd->kind = -12;
  EXPECT_EQ(EndStatus([&] { odd->Describe(); }, message), -1);
  EXPECT_EQ(message, "-12");
}

using ItemDescribeTest = StateTest;

TEST_F(ItemDescribeTest, DefaultsAndRunes) {
  EXPECT_EQ(DefaultArmor->Describe(), Text("armor: Shirt, Defence:6, Full Block:8%"));
  EXPECT_EQ(DefaultRunes[2]->Describe(),
            Text("Rune#2: basic-rune: Adds 10 to gold after victorious battles at floor #1+"));
  EXPECT_EQ(MakeRune(4, 1, 45.7f)->Describe(), Text("rune: Adds 45 to health-max when equipped"));
  EXPECT_EQ(MakeItem(1, "sword", 40, -3.9f)->Describe(), Text("weapon: Sword, Power:-3, Accuracy:40%"));
}

TEST_F(ItemDescribeTest, EquippedRuneNamesItsSlot) {
  titem* rune = MakeRune(7, 2, 3.0f, 4);
  hero.runelevel = 3;
  hero.runes[3] = rune;
  EXPECT_EQ(rune->Describe(), Text("Rune#3: rune: Adds 3 to experience after victorious battles at floor #4+"));
  // Slots above the rune level do not count.
  hero.runelevel = 2;
  EXPECT_EQ(rune->Describe(), Text("rune: Adds 3 to experience after victorious battles at floor #4+"));
}

TEST_F(ItemDescribeTest, CapitalsOnlyForALowerCaseFirstLetter) {
  EXPECT_EQ(Capitalize("body-armor"), Text("Body-armor"));
  EXPECT_EQ(Capitalize("9lives"), Text("9lives"));
  EXPECT_EQ(Capitalize(""), Text(""));
  Text word = "zed";
  CapitalizeInPlace(word);
  EXPECT_EQ(word, Text("Zed"));
}

TEST_F(ItemDescribeTest, ImpossibleCodesEndTheProgramWithTheirMessages) {
  std::string message;
  EXPECT_EQ(EndStatus([] { StatName(8); }, message), -1);
  EXPECT_EQ(message, "aoeirnowe");
  EXPECT_EQ(EndStatus([] { TimingName(0); }, message), -1);
  EXPECT_EQ(message, "giubiubo");
  EXPECT_EQ(EndStatus([] { MakeRune(9, 2, 1.0f)->ApplyRune(1); }, message), -1);
  EXPECT_EQ(message, "76dsdtrfgh");
  // A bad stat in a description surfaces through StatName.
  EXPECT_EQ(EndStatus([] { MakeRune(9, 2, 1.0f)->Describe(); }, message), -1);
  EXPECT_EQ(message, "aoeirnowe");
}

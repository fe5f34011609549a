// The random generator: the exact minimal-standard sequence, seeding, and the shapes of the draws
// the game makes (both bound orders, negative ranges).
#include "platform/core/random.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <random>

namespace {

class RandomTest : public ::testing::Test {
 protected:
  void TearDown() override { SeedRandom(0); }
};

TEST_F(RandomTest, StepsMatchTheMinimalStandardSequence) {
  EXPECT_EQ(RandomStep(1), 48271);
  EXPECT_EQ(RandomStep(4660), 48271 * 4660);
  EXPECT_EQ(RandomStep(2147483646), 2147483647 - 48271);
  // The standard library's minstd_rand is the same generator computed another way.
  std::minstd_rand reference(1);
  int32_t s = 1;
  for (int i = 0; i < 10000; ++i) {
    s = RandomStep(s);
    ASSERT_EQ(static_cast<uint32_t>(s), reference()) << "step " << i;
  }
  EXPECT_EQ(s, 399268537);
}

TEST_F(RandomTest, BadSeedsFallBackToTheDefaultState) {
  SeedRandom(0);
  EXPECT_EQ(RandomState(), 4660);
  SeedRandom(2147483647);
  EXPECT_EQ(RandomState(), 4660);
  SeedRandom(-1);
  EXPECT_EQ(RandomState(), 4660);
  SeedRandom(INT32_MIN + 5);
  EXPECT_EQ(RandomState(), 5);
  SeedRandom(123456);
  EXPECT_EQ(RandomState(), 123456);
}

TEST_F(RandomTest, UnitRealTakesTwoStepsAndStaysBelowOne) {
  SetRandomState(1);
  const double u = RandomUnit();
  EXPECT_EQ(RandomState(), RandomStep(48271));
  // Step one gave 48271 (masked to 48268), step two its successor masked to 29 bits.
  const double expected = (48268 + (RandomStep(48271) & 0x1FFFFFF8) / 134217728.0) / 536870912.0;
  EXPECT_EQ(u, expected);
  SetRandomState(2147483646);
  for (int i = 0; i < 100000; ++i) {
    const double v = RandomUnit();
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
  }
}

TEST_F(RandomTest, SameSeedSameDraws) {
  SeedRandom(777);
  std::vector<int32_t> first;
  for (int i = 0; i < 50; ++i) first.push_back(RandomInteger(1, 100));
  SeedRandom(777);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(RandomInteger(1, 100), first[static_cast<size_t>(i)]);
}

TEST_F(RandomTest, BoundOrderDoesNotMatter) {
  SeedRandom(99);
  std::vector<int32_t> forward;
  for (int i = 0; i < 2000; ++i) forward.push_back(RandomInteger(1, 5));
  SeedRandom(99);
  std::map<int32_t, int> seen;
  for (int i = 0; i < 2000; ++i) {
    const int32_t v = RandomInteger(5, 1);
    ASSERT_EQ(v, forward[static_cast<size_t>(i)]);
    ++seen[v];
  }
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen.begin()->first, 1);
  EXPECT_EQ(seen.rbegin()->first, 5);
  EXPECT_EQ(RandomInteger(3, 3), 3);
  EXPECT_EQ(RandomReal(2.5, 2.5), 2.5);
  for (int i = 0; i < 1000; ++i) {
    const double r = RandomReal(5.0, 1.0);
    ASSERT_GE(r, 1.0);
    ASSERT_LT(r, 5.0);
  }
}

TEST_F(RandomTest, NegativeRangeTruncatesTowardZero) {
  SeedRandom(2024);
  std::map<int32_t, int> counts;
  const int draws = 120000;
  for (int i = 0; i < draws; ++i) ++counts[RandomInteger(-2, 3)];
  EXPECT_EQ(counts[-2], 0);  // only an exact zero unit real lands there
  EXPECT_EQ(counts.count(4), 0u);
  const double unit = draws / 6.0;
  for (int v : {-1, 1, 2, 3}) EXPECT_NEAR(counts[v], unit, unit * 0.05) << v;
  EXPECT_NEAR(counts[0], 2 * unit, unit * 0.1);
}

}  // namespace

// Whole games through the dungeon, played by the replay tool: a game saved on a floor resumes
// there, and long sessions of random keys through the town, the floors and their battles (deaths
// and victories included) end as the script runs out, never with a runtime error.
#include "tests/flows/replay_fixture.h"

namespace {

TEST_F(ReplayFlowTest, AGameSavedOnAFloorResumesInTheDungeonMenuThere) {
  // Into the dungeon, then Escape at its menu.
  const TRun first = Play("enter" + kSkipIntro + " 5 esc", "first");
  ASSERT_EQ(first.status, 0) << first.err;
  const std::string saved = Save();
  const TRun second = Play("enter esc", "second");
  ASSERT_EQ(second.status, 0) << second.err;
  // The resumed game's first frame is the very dungeon menu it was left in.
  ASSERT_EQ(ShotCount("second"), 2);
  ASSERT_EQ(ShotCount("first"), 3);
  EXPECT_TRUE(ReadFile(root / "second" / "0002.png") == ReadFile(root / "first" / "0003.png"));
  EXPECT_EQ(Save(), saved);
}

TEST_F(ReplayFlowTest, LongRandomSessionsThroughTownDungeonAndBattlesEndCleanly) {
  for (uint32_t seed : {11u, 2027u, 90001u}) {
    SCOPED_TRACE(seed);
    // Without --shots nothing is drawn, so sessions this long take a fraction of a second.
    const TRun run = Replay({"--clock", std::to_string(seed), "--keys", RandomKeys(seed, 2000), "--dir",
                             (root / "game").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("runtime error"), std::string::npos) << run.err;
    // "end" on the death screen leaves no save; every other ending keeps one.
    if (SaveExists()) {
      EXPECT_GE(Save().size(), 40u);
    }
  }
}

}  // namespace

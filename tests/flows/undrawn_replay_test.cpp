// The replay tool without screenshots draws nothing; the same clock and keys must still play the
// same game. Each session is played drawn (with --shots) and undrawn, from the same starting save,
// and both must leave the same exit status, save bytes, presented frame count and virtual clock.
#include <string>
#include <vector>

#include "game/state/hero.h"
#include "game/state/save.h"
#include "tests/flows/replay_fixture.h"
#include "tests/support/stripped_hero.h"

namespace {

// What one run left behind: its --stats line read back, and the save file.
struct TOutcome {
  int status = -1;
  long long frames = -1;
  unsigned clock = 0;
  bool saved = false;
  std::string save;
};

// A saved game: a new hero changed by `change`, as the game would have written it.
template <typename Change>
std::string CraftedSave(Change change) {
  ResetGameState();
  hero.NewGame();
  change();
  const std::vector<uint8_t> bytes = SaveGameToBytes();
  return {bytes.begin(), bytes.end()};
}

// The hero the saved bytes hold, read back into the global hero.
void LoadSaved(const std::string& save) {
  std::string repairs;
  ASSERT_EQ(LoadGameFromBytes({save.begin(), save.end()}, repairs), 1);
  EXPECT_EQ(repairs, "");
}

class UndrawnReplayTest : public ReplayFlowTest {
 protected:
  TOutcome PlayOnce(const std::string& keys, const std::string& clock, const std::string& start, bool drawn) {
    fs::remove_all(root / "game");
    fs::remove_all(root / "shots");
    fs::create_directories(root / "game");
    if (!start.empty()) std::ofstream(root / "game" / "save.dat", std::ios::binary) << start;
    std::vector<std::string> args = {"--stats", "--clock", clock, "--keys", keys, "--dir", (root / "game").string()};
    if (drawn) args.insert(args.end(), {"--shots", (root / "shots").string()});
    const TRun run = Replay(args);
    TOutcome outcome;
    outcome.status = run.status;
    EXPECT_EQ(run.err, "") << (drawn ? "drawn" : "undrawn");
    double wall = -1;
    EXPECT_EQ(std::sscanf(run.out.c_str(), "frames=%lld clock=%u wall=%lfs", &outcome.frames, &outcome.clock, &wall), 3)
        << run.out;
    EXPECT_GE(wall, 0.0);
    outcome.saved = SaveExists();
    if (outcome.saved) outcome.save = Save();
    return outcome;
  }

  // Plays the session both ways and returns the undrawn outcome once both agree.
  TOutcome PlayBothWays(const std::string& keys, const std::string& clock, const std::string& start = "") {
    const TOutcome drawn = PlayOnce(keys, clock, start, true);
    const int shots = ShotCount("shots");
    const TOutcome undrawn = PlayOnce(keys, clock, start, false);
    EXPECT_GT(shots, 0) << "drawn, a screenshot is taken at every key wait";
    EXPECT_EQ(ShotCount("shots"), 0);
    EXPECT_EQ(undrawn.status, drawn.status);
    EXPECT_EQ(undrawn.frames, drawn.frames);
    EXPECT_EQ(undrawn.clock, drawn.clock);
    EXPECT_EQ(undrawn.saved, drawn.saved);
    EXPECT_TRUE(undrawn.save == drawn.save) << "the save files differ";
    EXPECT_GT(undrawn.frames, 0);
    return undrawn;
  }
};

TEST_F(UndrawnReplayTest, ATownSessionPlaysAlike) {
  // Gold, the market, the equip screen, the pawn shop and the healer, then the script runs out.
  const TOutcome town = PlayBothWays("enter" + kSkipIntro + " lshift+g 2 1 1 esc 4 1 esc 3 1 esc 1 1 esc", "4242");
  ASSERT_EQ(town.status, 0);
  ASSERT_TRUE(town.saved);
  LoadSaved(town.save);
  EXPECT_EQ(hero.floor, 0);
}

TEST_F(UndrawnReplayTest, TheDungeonAndItsBattlesPlayAlike) {
  // Into the dungeon with gold and full health, then down the stairs and exploring, attacking in
  // every battle met.
  std::string keys = "enter" + kSkipIntro + " lshift+g lshift+h 5";
  for (int i = 0; i < 2; ++i) keys += " 2 1 1 1 1 1 1 enter 3 1 1 1 1 1 1 enter";
  const TOutcome dungeon = PlayBothWays(keys, "555");
  ASSERT_EQ(dungeon.status, 0);
  ASSERT_TRUE(dungeon.saved);
  LoadSaved(dungeon.save);
  EXPECT_GT(hero.deepest, 0);
}

TEST_F(UndrawnReplayTest, ADeathAndItsContinuePlayAlike) {
  const std::string weak = CraftedSave([] {
    hero.floor = hero.deepest = 10;
    hero.health = hero.healthmax = 5;
    hero.strength = 0;
  });
  const TOutcome died = PlayBothWays("enter 2 enter 1 esc", "99", weak);
  ASSERT_EQ(died.status, 0);
  ASSERT_TRUE(died.saved);
  LoadSaved(died.save);
  EXPECT_TRUE(HeroIsStripped()) << "continue puts the hero back in town";
}

TEST_F(UndrawnReplayTest, TheDragonLordsFallAndTheEndingPlayAlike) {
  const std::string mighty = CraftedSave([] {
    hero.floor = hero.deepest = 19;
    hero.health = hero.healthmax = 100000000;
    hero.strength = 100000;
    hero.accuracy = 100;
  });
  std::string keys = "enter 2 enter";
  for (int i = 0; i < 10; ++i) keys += " 1";
  const TOutcome ending = PlayBothWays(keys + " enter enter", "31337", mighty);
  EXPECT_EQ(ending.status, 0);
  EXPECT_FALSE(ending.saved) << "the ending deletes the save";
}

}  // namespace

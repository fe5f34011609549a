// The replay tool without screenshots draws nothing; the same clock and keys must still play the
// same game. Each session is played drawn (with --shots) and undrawn, from the same starting save,
// and both must leave the same exit status, save bytes, presented frame count and virtual clock.
// Each session is recorded too, and the recording must play back to the same end and save.
#include <algorithm>
#include <string>
#include <vector>

#include "game/state/hero.h"
#include "game/state/save.h"
#include "platform/replay/recording.h"
#include "platform/core/sha256.h"
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

  // Records the session with the tool and plays the recording: it must hold what the plain run left
  // (frames, the save's hash) and play back to it.
  void ExpectRecordingReplays(const std::string& keys, const std::string& clock, const std::string& start,
                              const TOutcome& played) {
    fs::remove_all(root / "game");
    fs::create_directories(root / "game");
    if (!start.empty()) std::ofstream(root / "game" / "save.dat", std::ios::binary) << start;
    const std::string file = (root / "recording.txt").string();
    const TRun made = Replay({"--clock", clock, "--keys", keys, "--dir", (root / "game").string(), "--record", file});
    EXPECT_EQ(made.status, played.status) << made.err;
    TRecording recording;
    std::string error;
    ASSERT_TRUE(ParseRecording(ReadFile(file), recording, error)) << error;
    EXPECT_EQ(recording.newGame, start.empty());
    EXPECT_EQ(std::string(recording.startSave.begin(), recording.startSave.end()), start);
    EXPECT_EQ(recording.endFrames, played.frames);
    EXPECT_EQ(recording.saveHash, played.saved ? Sha256Hex(played.save) : "none");
    const TRun replayed = Replay({"--recording", file});
    EXPECT_EQ(replayed.status, 0) << replayed.err;
    EXPECT_EQ(replayed.err, "");
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
    ExpectRecordingReplays(keys, clock, start, undrawn);
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
  // A recording played from another clock, or cut short, is caught; a damaged one is refused and
  // the folder it is played from gains nothing.
  const std::string file = (root / "recording.txt").string();
  const std::string text = ReadFile(file);
  const std::string clockLine = "clock 99\n";
  std::ofstream(file, std::ios::binary) << std::string(text).replace(text.find(clockLine), clockLine.size(), "clock 98\n");
  TRun run = Replay({"--recording", file});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("parted"), std::string::npos) << run.err;
  std::ofstream(file, std::ios::binary) << text.substr(0, text.size() / 2);
  fs::remove_all(root / "game");
  run = Replay({"--recording", file});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("truncated"), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1) << "only the recording";
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

// Whole games played through the replay tool: start-up, the title screen, the intro, the town and
// the save file, checked by exit status, save bytes, the screenshots taken at key waits and a few
// probed pixels (with a tolerance, so art changes do not break them).
#include <sys/stat.h>

#include "tests/flows/replay_fixture.h"

namespace {

TEST_F(ReplayFlowTest, NewGameQuitAtOnceIsSavedAndResumedWithoutTheIntro) {
  // Title, the two intro lines, the town; Escape there ends and saves.
  const TRun first = Play("enter enter enter esc", "new");
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.err, "");
  EXPECT_EQ(ShotCount("new"), 4);
  ASSERT_TRUE(SaveExists());
  const std::string saved = Save();
  EXPECT_EQ(saved.size(), 140u);
  // Each intro line waits once it is typed out, in the steady red it ends on.
  for (int n : {2, 3}) EXPECT_TRUE(Shot("new", n).Has(40, 300, 760, 312, 226, 0, 0, 30)) << n;
  ExpectTown(Shot("new", 4));

  // The saved game: the title, then straight to the town.
  const TRun second = Play("enter esc", "resumed");
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(ShotCount("resumed"), 2);
  ExpectTown(Shot("resumed", 2));
  EXPECT_EQ(Save(), saved) << "nothing happened, so the same game is saved again";
}

TEST_F(ReplayFlowTest, TheTitleWaitsWithItsTexts) {
  const TRun run = Play("", "title");
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(ShotCount("title"), 1);
  const TShot shot = Shot("title", 1);
  ASSERT_TRUE(shot.rgba);
  EXPECT_TRUE(shot.Has(330, 0, 470, 30, 255, 30, 30, 40)) << "the red title";
  EXPECT_TRUE(shot.Has(305, 290, 365, 306, 255, 255, 255, 20))
      << "press enter to continue, wider than loading";
  EXPECT_TRUE(shot.Has(1, 570, 150, 581, 0, 155, 0, 30)) << "the first credit";
  EXPECT_TRUE(shot.Has(1, 585, 260, 596, 0, 155, 0, 30)) << "the second credit";
  // The script ran out before the game began: nothing is saved.
  EXPECT_FALSE(SaveExists());
}

TEST_F(ReplayFlowTest, EscapeWhileLoadingWritesNothing) {
  const TRun run = Play("esc@1", "shots");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ShotCount("shots"), 0) << "it ended before the title waited for a key";
  EXPECT_FALSE(SaveExists());
}

TEST_F(ReplayFlowTest, AnyKeyLeavesTheTitle) {
  const TRun run = Play("q" + kSkipIntro + " esc", "shots");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ShotCount("shots"), 2);
  EXPECT_EQ(Save().size(), 140u);
}

TEST_F(ReplayFlowTest, SkippingTheIntroLinesSkipsTheirWaits) {
  // Space while a line is typed skips it and its wait: the next key wait is the town's.
  const TRun run = Play("enter" + kSkipIntro + " esc", "shots");
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(ShotCount("shots"), 2);
  ExpectTown(Shot("shots", 2));
  EXPECT_EQ(Save().size(), 140u);
}

TEST_F(ReplayFlowTest, ScriptRunningOutInTheTownSavesAsAClosedWindowWould) {
  const TRun run = Play("enter" + kSkipIntro, "shots");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ShotCount("shots"), 2);
  EXPECT_EQ(Save().size(), 140u);
}

// Thirty thousand gold, 19 runes bought from the market's option 15 (F5): the last finds the pack
// full and replaces the rune in slot 5. In sanitizer builds the leak checker fails the run when the
// rune given up is not freed.
TEST_F(ReplayFlowTest, AFullPackReplacingAnItemFreesTheOneItGivesUp) {
  std::string keys = "enter" + kSkipIntro;
  for (int i = 0; i < 30; ++i) keys += " lshift+g";
  keys += " 2";
  for (int i = 0; i < 19; ++i) keys += " f5";
  keys += " 5 esc esc";
  const TRun run = Play(keys, "shots", "4321");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Save().size(), 140u + 18 * 36) << "eighteen runes of 40 bytes where empty slots take 4";
}

TEST_F(ReplayFlowTest, TheClockSeedsTheGame) {
  // The market's stock is drawn at random: the same clock stocks it alike, another clock differently.
  const std::string toMarket = "enter" + kSkipIntro + " 2";
  ASSERT_EQ(Play(toMarket, "a", "777").status, 0);
  ASSERT_EQ(Play(toMarket, "b", "777").status, 0);
  ASSERT_EQ(Play(toMarket, "c", "778").status, 0);
  ASSERT_EQ(ShotCount("a"), 3);
  const TShot a = Shot("a", 3), b = Shot("b", 3), c = Shot("c", 3);
  ASSERT_TRUE(a.rgba && b.rgba && c.rgba);
  EXPECT_TRUE(a.rgba->pixels == b.rgba->pixels);
  EXPECT_FALSE(a.rgba->pixels == c.rgba->pixels);
}

// Bad command lines: one line on standard error, status 2, nothing run and nothing written.
class ReplayCommandLineTest : public ReplayFlowTest {
 protected:
  void ExpectRefused(const std::vector<std::string>& args) {
    std::vector<std::string> withShots = args;
    withShots.insert(withShots.end(), {"--shots", (root / "shots").string()});
    const TRun run = Replay(withShots);
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
    EXPECT_FALSE(fs::exists(root / "shots"));
    EXPECT_FALSE(fs::exists(root / "save.dat"));
  }
};

TEST_F(ReplayCommandLineTest, BadOptionsAndTokensAreRefused) {
  ExpectRefused({"--bogus"});
  ExpectRefused({"game"});
  ExpectRefused({"--clock", "soon"});
  ExpectRefused({"--clock", "-5"});
  ExpectRefused({"--clock", "4294967296"});
  ExpectRefused({"--clock"});
  ExpectRefused({"--keys", "enter jump"});
  ExpectRefused({"--keys", "enter@0"});
  ExpectRefused({"--keys", "enter", "--keys", "esc"});
  ExpectRefused({"--keys-file", (root / "missing.txt").string()});
  // Only a regular file of sane size is a key file: a device would be read for ever, a pipe would
  // block and a folder would pass for an empty script.
  ExpectRefused({"--keys-file", "/dev/zero"});
  ASSERT_EQ(mkfifo((root / "pipe").c_str(), 0600), 0);
  ExpectRefused({"--keys-file", (root / "pipe").string()});
  ExpectRefused({"--keys-file", root.string()});
  std::ofstream(root / "huge.txt") << "enter";
  fs::resize_file(root / "huge.txt", (16 << 20) + 1);
  ExpectRefused({"--keys-file", (root / "huge.txt").string()});
  ExpectRefused({"--dir", (root / "nowhere").string()});
  ExpectRefused({"--stats", "--keys", "enter", "--stats"});
}

TEST_F(ReplayCommandLineTest, KeysFromAFile) {
  std::ofstream(root / "keys.txt") << "enter\nspace@30\tspace@32\n  esc\n";
  const TRun run = Replay({"--keys-file", (root / "keys.txt").string(), "--dir", (root / "game").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Save().size(), 140u);
}

TEST_F(ReplayCommandLineTest, HelpShowsTheUsage) {
  const TRun run = Replay({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("Usage: cairnmark-replay"), std::string::npos);
  EXPECT_NE(run.out.find("--keys-file"), std::string::npos);
}

}  // namespace

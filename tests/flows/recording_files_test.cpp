// Recordings meet the player's files: a recording is never written over the save or its kept
// copies, never waits on a pipe, never leaves a file behind a start that failed, survives a full
// disk as a recording that still plays, and stays small whatever save the game started from. The
// game's own command line takes file names literally.
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/replay/recording.h"
#include "tests/flows/replay_fixture.h"
#include "tests/support/small_disk.h"

namespace {

const std::string kGame = std::string(CAIRNMARK_BINARY_DIR) + "/cairnmark";

class RecordingFilesTest : public ReplayFlowTest {
 protected:
  // A shell command held to a minute, so a hang fails instead of waiting.
  TRun Shell(const std::string& command) { return Run("timeout 60 " + command); }
  static int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }
};

TEST_F(RecordingFilesTest, ARecordingIsNeverWrittenOverTheSaveNorWaitsOnAPipe) {
  const fs::path game = root / "game";
  const std::string save = "not really a save, but the player's bytes";
  std::ofstream(game / "save.dat", std::ios::binary) << save;
  std::ofstream(game / "save.dat.bad", std::ios::binary) << "kept";
  fs::create_symlink("save.dat", game / "rec.txt");
  fs::create_symlink("save.dat.new-ab12cd", game / "dangling.txt");
  ASSERT_EQ(mkfifo((root / "pipe").c_str(), 0600), 0);
  fs::create_directories(root / "folder");
  const std::pair<std::string, std::string> targets[] = {
      {(game / "save.dat").string(), "it is the save"},
      {(game / "rec.txt").string(), "it is the save"},
      {(game / "save.dat.bad").string(), "a kept original"},
      {(game / "dangling.txt").string(), "a new save"},
      {(root / "pipe").string(), "named pipe"},
      {(root / "folder").string(), "a directory"},
  };
  for (const auto& [target, why] : targets) {
    const TRun run = Replay({"--keys", "enter esc", "--dir", game.string(), "--record", target});
    EXPECT_EQ(run.status, 2) << target;
    EXPECT_EQ(Lines(run.err), 1) << run.err;
    EXPECT_NE(run.err.find(why), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(game / "save.dat"), save) << target;
  }
  EXPECT_FALSE(fs::exists(game / "save.dat.new-ab12cd"));

  // A start that fails (no display) leaves the file it was to record to as it was.
  std::ofstream(root / "notes") << "notes\n";
  const TRun start = Shell("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " + Quote(kGame) + " --record notes");
  EXPECT_EQ(start.status, 1) << start.err;
  EXPECT_EQ(ReadFile(root / "notes"), "notes\n");

  // The game's command line takes names as they are written; an empty argument is no argument.
  fs::create_directories(root / "x");
  std::ofstream(root / "x" / "y.txt") << RecordingText(TRecording{});
  const TRun literal = Shell(Quote(kGame) + " --watch 'x\\y.txt'");
  EXPECT_EQ(literal.status, 2);
  EXPECT_NE(literal.err.find("x\\y.txt: cannot be read: No such file"), std::string::npos) << literal.err;
  const TRun piped = Shell(Quote(kGame) + " --watch pipe");
  EXPECT_NE(piped.err.find("cannot be read: it is a named pipe (FIFO)"), std::string::npos) << piped.err;
  const TRun empty = Shell(Quote(kGame) + " ''");
  EXPECT_EQ(empty.status, 2);
  EXPECT_EQ(empty.err, "cairnmark: unknown argument '' (see cairnmark --help)\n");
}

TEST_F(RecordingFilesTest, AFullDiskIsToldAndWhatWasWrittenStillPlays) {
  fs::create_directories(root / "small");
  TSmallDisk disk(root / "small", "size=8k,mode=0777");
  if (!disk.mounted()) GTEST_SKIP() << disk.why();
  std::string keys = "enter" + kSkipIntro;
  for (int i = 0; i < 600; ++i) keys += " 2 esc";
  const std::string file = (root / "small" / "rec.txt").string();
  const TRun run = Replay({"--keys", keys, "--dir", (root / "game").string(), "--record", file});
  EXPECT_EQ(run.status, 1) << "the recording asked for could not be completed";
  EXPECT_EQ(Lines(run.err), 1) << run.err;
  EXPECT_NE(run.err.find("stopped: No space left on device; it holds the keys up to frame "), std::string::npos)
      << run.err;
  EXPECT_TRUE(SaveExists()) << "the game played on and saved";
  const std::string text = ReadFile(file);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n') << "cut back to its last whole line";
  TRecording recording;
  std::string error;
  ASSERT_TRUE(ParseRecording(text, recording, error)) << error;
  EXPECT_FALSE(recording.ended);
  ASSERT_FALSE(recording.keys.empty());
  const std::string last = std::to_string(recording.keys.back().frame);
  EXPECT_NE(run.err.find("up to frame " + last + ","), std::string::npos) << run.err;
  const TRun replayed = Replay({"--recording", file});
  EXPECT_EQ(replayed.status, 1);
  EXPECT_NE(replayed.err.find("has no end (the game that made it was cut off after frame " + last + ")"),
            std::string::npos)
      << replayed.err;
}

TEST_F(RecordingFilesTest, AHugeSaveMakesASmallRecordingThatReplays) {
  std::ofstream(root / "game" / "save.dat", std::ios::binary) << std::string(9 << 20, '\x5a');
  const std::string file = (root / "rec.txt").string();
  const TRun made = Replay({"--keys", "enter esc", "--dir", (root / "game").string(), "--record", file});
  EXPECT_EQ(made.status, 0) << made.err;
  EXPECT_LT(fs::file_size(file), 256u << 10);
  const TRun replayed = Replay({"--recording", file});
  EXPECT_EQ(replayed.status, 0) << replayed.err;

  // With no folder to play it in, the replay fails at run time: status 1, not the bad-file 2.
  const TRun noScratch = Shell("env TMPDIR=/nonexistent/scratch " + ReplayCommand() + " --recording " + Quote(file));
  EXPECT_EQ(noScratch.status, 1) << noScratch.err;
}

}  // namespace

// Every way the program is asked to end saves the game first, as Escape in the town does: the four
// end signals and the window system failing or going away, played in-process through the program
// runner on the headless display. A save that cannot be written fails the exit; a second copy in
// the same folder is refused without touching the save.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "game/screens/start.h"
#include "game/screens/town.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/state/save.h"
#include "game/ui/font.h"
#include "platform/display/display.h"
#include "platform/files/folder_lock.h"
#include "platform/display/x11_watch.h"
#include "platform/input/keyboard.h"
#include "platform/replay/keyscript.h"
#include "platform/core/program.h"
#include "platform/files/resources.h"
#include "platform/run.h"
#include "tests/support/replay_tool.h"

namespace fs = std::filesystem;

namespace {


// Shift+G at the first two key waits gives the hero 1000 gold, so the save differs from a new game;
// the town menu then waits a third time.
const char* const kRicherHero = "lshift+g";
std::function<void()> atThirdWait;

// The game from its town loop on: the real exit handler, loading and saving, without the title.
void PlayInTown() {
  RegisterEmbeddedResources();
  OpenDisplay(800, 600, 16, 27, 0);
  AtExit(SaveOnExit);
  ResetGameState();
  LoadBitmapFont();
  if (!LoadGame()) hero.NewGame();
  NoSave = 0;
  TownMenu();
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class AskedToEndTest : public testing::Test {
 protected:
  void SetUp() override {
    // Named by the test alone, so the process a death test starts plays in the same place.
    root = fs::path(CAIRNMARK_BINARY_DIR) /
           ("flows_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root);
    fs::create_directories(root / "game");
    home = fs::current_path();
  }
  void TearDown() override {
    fs::current_path(home);
    atThirdWait = nullptr;
    if (!HasFailure()) fs::remove_all(root);
  }

  // Plays keys in root/game; what the third key wait does is up to the test. The exit status, with
  // what was said on standard error (left on standard error when capture is false).
  int Play(const std::string& keys, std::string& said, bool capture = true) {
    TRunOptions options;
    options.headless = true;
    options.virtualClock = true;
    options.useKeyScript = true;
    std::string error;
    EXPECT_TRUE(ParseKeyScript(keys, options.keys, error)) << error;
    options.workDir = (root / "game").string();
    static int waits;
    waits = 0;
    SetKeyWaitHook([] {
      if (++waits == 3 && atThirdWait) atThirdWait();
    });
    if (capture) testing::internal::CaptureStderr();
    const int status = RunProgram(options, PlayInTown);
    if (capture) said = testing::internal::GetCapturedStderr();
    fs::current_path(home);
    return status;
  }
  std::string Save() const { return ReadFile(root / "game" / "save.dat"); }

  // The save Escape in the town leaves for the richer hero.
  std::string EscapeSave() {
    std::string said;
    EXPECT_EQ(Play(std::string(kRicherHero) + " esc", said), 0);
    const std::string saved = Save();
    EXPECT_FALSE(saved.empty());
    fs::remove(root / "game" / "save.dat");
    return saved;
  }

  fs::path root, home;
};

TEST_F(AskedToEndTest, EachEndSignalSavesAsEscapeDoes) {
  const std::string expected = EscapeSave();
  for (int number : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
    SCOPED_TRACE(strsignal(number));
    static int pending;
    pending = number;
    atThirdWait = [] { std::raise(pending); };
    std::string said;
    EXPECT_EQ(Play(kRicherHero, said), 128 + number);
    EXPECT_EQ(Save(), expected);
    fs::remove(root / "game" / "save.dat");
  }
  // The handlers are the process's own again once the run is over.
  struct sigaction now {};
  sigaction(SIGHUP, nullptr, &now);
  EXPECT_EQ(now.sa_handler, SIG_DFL);
}

TEST_F(AskedToEndTest, ASecondSignalEndsAtOnceAsTheSignalWould) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  atThirdWait = [] {
    std::raise(SIGTERM);
    std::raise(SIGTERM);
  };
  std::string said;
  EXPECT_EXIT(Play(kRicherHero, said, false), testing::KilledBySignal(SIGTERM), "");
}

TEST_F(AskedToEndTest, TheWindowDestroyedUnderTheGameSavesAndEndsWithOne) {
  const std::string expected = EscapeSave();
  // What Xlib reports once another program has destroyed the window: BadWindow (3) on a request.
  atThirdWait = [] { WindowSystemError(3, 2); };
  std::string said;
  EXPECT_EQ(Play(kRicherHero, said), 1);
  EXPECT_EQ(Save(), expected);
  EXPECT_EQ(said, "Cairnmark: the window was destroyed by another program (X error 3, request 2); "
                  "the game is saved and ends\n");
}

TEST_F(AskedToEndTest, TheWindowSystemGoneSavesAndEndsTheProcessWithOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string expected = EscapeSave();
  // Xlib's connection-lost handler may not return: the save happens inside it, then the process ends.
  atThirdWait = [] { WindowSystemLost(); };
  std::string said;
  EXPECT_EXIT(Play(kRicherHero, said, false), testing::ExitedWithCode(1), "connection to the window system was lost");
  EXPECT_EQ(Save(), expected);
}

TEST_F(AskedToEndTest, ASaveThatCannotBeWrittenEndsWithOne) {
  // A link to a save in a folder that is not there: a new game, whose save has nowhere to go.
  fs::create_symlink("gone/hero.sav", root / "game" / "save.dat");
  std::string said;
  EXPECT_EQ(Play("esc", said), 1);
  EXPECT_NE(said.find("The game could not be saved"), std::string::npos) << said;
}

TEST_F(AskedToEndTest, ASecondCopyInTheSameFolderIsRefusedAndTouchesNothing) {
  ASSERT_TRUE(fs::exists(kReplay)) << "build the replay tool first: " << kReplay;
  std::ofstream(root / "game" / "save.dat") << "the first copy's game";
  fs::create_directories(root / "other");
  // This process plays in root/game, as the first copy would.
  fs::current_path(root / "game");
  std::string error;
  ASSERT_TRUE(LockWorkingFolder(error)) << error;
  fs::current_path(home);
  auto replay = [&](const fs::path& dir) {
    const std::string command = ReplayCommand() + " --keys 'enter space@30 space@32 esc' --dir '" + dir.string() + "' 2>'" +
                                (root / "err.txt").string() + "'";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  };
  EXPECT_EQ(replay(root / "game"), 1);
  const std::string said = ReadFile(root / "err.txt");
  EXPECT_NE(said.find("another copy of the game is already playing in"), std::string::npos) << said;
  EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
  EXPECT_EQ(Save(), "the first copy's game");
  EXPECT_EQ(fs::directory_iterator(root / "game")->path().filename(), "save.dat") << "nothing else made";
  // A copy in a folder of its own plays as ever; once the first copy has ended, so does this folder.
  EXPECT_EQ(replay(root / "other"), 0);
  EXPECT_TRUE(fs::exists(root / "other" / "save.dat"));
  UnlockWorkingFolder();
  EXPECT_EQ(replay(root / "game"), 0);
}

}  // namespace

// The program runner: every way the program ends becomes its exit status, screenshots are written
// at every key wait showing the picture last presented, and the headless run without a script ends
// at its first key wait.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/display/display_internal.h"
#include "platform/input/keyboard.h"
#include "platform/run.h"
#include "tests/platform/display/display_support.h"
#include "tests/support/scratch_dir.h"

namespace {

int handlerRuns = 0;

void DrawRedAndWait() {
  AtExit([] { ++handlerRuns; });
  OpenDisplay(800, 600, 16, 27, 0);
  ImagePtr red = MakeImageFromPixmap(*SolidPixmap(800, 600, {220, 0, 0}), 0);
  ImagePtr green = MakeImageFromPixmap(*SolidPixmap(800, 600, {0, 220, 0}), 0);
  DrawImageFrame(red.get(), 0, 0, 0);
  FlipFrame(-1);
  // The next frame's background goes in straight after the present, before the key wait.
  DrawImageFrame(green.get(), 0, 0, 0);
  WaitForKey();
  FlipFrame(-1);
  WaitForKey();
}

class RunTest : public TempDirTest {
 protected:
  void SetUp() override {
    handlerRuns = 0;
    // Each run locks its working folder: a folder of the test's own, not the one ctest shares.
    Enter();
  }
  void TearDown() override {
    ResetExitHandlers();
    UseRealClock();
  }
};

TEST_F(RunTest, AScriptThatRunsOutEndsTheProgramNormallyWithScreenshots) {
  TRunOptions options;
  options.headless = true;
  options.virtualClock = true;
  options.clockStart = 777;
  options.useKeyScript = true;
  options.keys = {TKeyStep{KeySpace, 0, TStepKind::Press, 0}};
  options.shotsDir = dir.string();
  EXPECT_EQ(RunProgram(options, DrawRedAndWait), 0);
  EXPECT_EQ(handlerRuns, 1);
  EXPECT_FALSE(DisplayHasContext());
  // The first shot shows the red frame that was presented, not the green one drawn after it.
  ImagePtr first = LoadImageResource((dir / "0001.png").string().c_str(), 0);
  ImagePtr second = LoadImageResource((dir / "0002.png").string().c_str(), 0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->width, 800);
  EXPECT_EQ(first->height, 600);
  EXPECT_EQ(PixelOf(*first->pixmaps[0], 10, 590)[0], 220);
  EXPECT_EQ(PixelOf(*second->pixmaps[0], 790, 5)[1], 220);
  EXPECT_EQ(PixelOf(*second->pixmaps[0], 790, 5)[0], 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "0003.png"));
}

TEST_F(RunTest, HeadlessWithoutAScriptEndsAtTheFirstKeyWait) {
  TRunOptions options;
  options.headless = true;
  options.virtualClock = true;
  EXPECT_EQ(RunProgram(options, DrawRedAndWait), 0);
  EXPECT_EQ(handlerRuns, 1);
  EXPECT_TRUE(TerminateRequested());
}

TEST_F(RunTest, ErrorsAndExitsBecomeStatuses) {
  TRunOptions options;
  options.headless = true;
  options.virtualClock = true;
  EXPECT_EQ(RunProgram(options, [] { RaiseError("test error"); }), 255);
  EXPECT_EQ(RunProgram(options, [] { EndProgram(3); }), 3);
  EXPECT_EQ(RunProgram(options, [] { AtExit([] { ++handlerRuns; }); }), 0);
  EXPECT_EQ(handlerRuns, 1);
  options.workDir = (dir / "missing").string();
  EXPECT_NE(RunProgram(options, [] {}), 0);
}

// Watching a recording: the recorded game's own end, a recorded signal among them, is no failure
// of watching it (0); a signal sent to the watcher ends it with 128 + N, as everywhere else.
TEST_F(RunTest, AWatcherEndsWithTheSignalSentToItNotTheOneItShows) {
  TRunOptions options;
  options.headless = true;
  options.drawNothing = true;
  options.virtualClock = true;
  options.watch = true;
  options.keys = {TKeyStep{KeySpace, 0, TStepKind::Press, 0}, TKeyStep{15, 0, TStepKind::Signal, 0}};
  EXPECT_EQ(RunProgram(options, DrawRedAndWait), 0);
  options.keys = {TKeyStep{KeySpace, 0, TStepKind::Press, 0}, TKeyStep{KeySpace, 0, TStepKind::Press, 0}};
  SetKeyWaitHook([] {
    static bool sent = false;
    if (!sent) raise(SIGTERM);
    sent = true;
  });
  EXPECT_EQ(RunProgram(options, DrawRedAndWait), 128 + SIGTERM);
  SetKeyWaitHook(nullptr);
}

TEST_F(RunTest, ARealDisplayOnTheOffscreenDriverEndsTheProgramWithoutSaving) {
  // The tests run with SDL_VIDEODRIVER=offscreen: exactly what a game started without a window
  // system would find.
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  TRunOptions options;
  options.virtualClock = true;
  static bool drewOn = false;
  drewOn = false;
  EXPECT_EQ(RunProgram(options,
                       [] {
                         AtExit([] { ++handlerRuns; });
                         OpenDisplay(800, 600, 16, 27, 0);
                         drewOn = true;
                       }),
            1);
  EXPECT_FALSE(drewOn);
  EXPECT_EQ(handlerRuns, 0);
  EXPECT_FALSE(DisplayHasContext());
}

// The environment a player's shell might give, put back afterwards.
class NoDisplayTest : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved.emplace_back(value != nullptr, value ? value : "");
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (size_t i = 0; i < saved.size(); ++i) {
      if (saved[i].first)
        setenv(kNames[i], saved[i].second.c_str(), 1);
      else
        unsetenv(kNames[i]);
    }
    RunTest::TearDown();
  }
  // Runs the game's opening in the test folder; returns the status, with standard error in *said.
  int Open(std::string* said) {
    TRunOptions options;
    options.workDir = dir.string();
    testing::internal::CaptureStderr();
    int status = RunProgram(options, [] {
      AtExit([] {
        ++handlerRuns;
        std::FILE* f = std::fopen("save.dat", "wb");
        if (f) std::fclose(f);
      });
      OpenDisplay(800, 600, 16, 27, 0);
    });
    *said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(chdir(CAIRNMARK_BINARY_DIR), 0);
    return status;
  }
  static constexpr const char* kNames[] = {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"};
  std::vector<std::pair<bool, std::string>> saved;
};

TEST_F(NoDisplayTest, NoDisplayNamedIsSaidInOneLine) {
  std::string said;
  EXPECT_EQ(Open(&said), 1);
  EXPECT_EQ(said, "Cairnmark: no display to open the window on: DISPLAY is not set\n");
  EXPECT_EQ(handlerRuns, 0);
  EXPECT_TRUE(std::filesystem::is_empty(dir));
}

TEST_F(NoDisplayTest, ADisplayWithNoServerIsNamedInOneLine) {
  // No X server listens on display 4719 (its socket would be /tmp/.X11-unix/X4719).
  ASSERT_FALSE(std::filesystem::exists("/tmp/.X11-unix/X4719"));
  setenv("DISPLAY", ":4719", 1);
  std::string said;
  EXPECT_EQ(Open(&said), 1);
  EXPECT_EQ(said, "Cairnmark: cannot reach the display :4719 named by DISPLAY (no X server answers there)\n");
  EXPECT_EQ(handlerRuns, 0);
  EXPECT_TRUE(std::filesystem::is_empty(dir));
}

TEST_F(RunTest, TheVirtualClockStartsWhereAsked) {
  TRunOptions options;
  options.headless = true;
  options.virtualClock = true;
  options.clockStart = 4242;
  static uint32_t seen = 0;
  EXPECT_EQ(RunProgram(options,
                       [] {
                         OpenDisplay(800, 600, 16, 27, 0);
                         seen = ElapsedMillis();
                       }),
            0);
  EXPECT_EQ(seen, 4242u);
}

}  // namespace

// The whole game run twice in one process from the same clock and keys, through battles and their
// victories: the second run must play exactly like the first (same save, same frame count), which
// only holds when every global, the banner's letter count among them, starts afresh.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/screens/start.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/state/save.h"
#include "platform/input/keyboard.h"
#include "platform/replay/keyscript.h"
#include "platform/run.h"
#include "tests/support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

int64_t framesAtEnd = 0;

void PlayGame() {
  struct TCount {
    ~TCount() { framesAtEnd = PresentedFrameCount(); }
  } count;
  GameMain();
}

struct TRunResult {
  int status = -1;
  std::string save;
  int64_t frames = 0;
};

// A game saved on floor 1 by a hero who kills anything but the Dragon Lord with one blow.
std::vector<uint8_t> MightySave() {
  ResetGameWorld();
  hero.NewGame();
  hero.floor = 1;
  hero.healthmax = 100000;
  hero.health = hero.healthmax;
  hero.strength = 100000;
  hero.accuracy = 100;
  return SaveGameToBytes();
}

TRunResult PlayIn(const fs::path& dir, const std::string& keys) {
  fs::create_directories(dir);
  const std::vector<uint8_t> save = MightySave();
  std::ofstream(dir / "save.dat", std::ios::binary)
      .write(reinterpret_cast<const char*>(save.data()), static_cast<std::streamsize>(save.size()));
  TRunOptions options;
  options.headless = true;
  options.virtualClock = true;
  options.clockStart = 2024;
  options.useKeyScript = true;
  options.workDir = dir.string();
  std::string error;
  EXPECT_TRUE(ParseKeyScript(keys, options.keys, error)) << error;
  const fs::path home = fs::current_path();
  TRunResult result;
  result.status = RunProgram(options, PlayGame);
  fs::current_path(home);
  result.frames = framesAtEnd;
  std::ifstream in(dir / "save.dat", std::ios::binary);
  result.save.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return result;
}

TEST(RerunTest, ASecondRunInTheSameProcessPlaysLikeTheFirst) {
  TScratchDir scratch;
  const fs::path& root = scratch.dir;
  // Resumed on floor 1: down and a killing blow, floor after floor, each victory with its banner.
  std::string keys = "enter";
  for (int i = 0; i < 6; ++i) keys += " 2 1";
  const TRunResult first = PlayIn(root / "first", keys);
  const TRunResult second = PlayIn(root / "second", keys);
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(second.status, 0);
  ASSERT_FALSE(first.save.empty());
  EXPECT_TRUE(first.save == second.save);
  EXPECT_EQ(first.frames, second.frames);
  // Six battles were won: the gold runes paid 20 each.
  EXPECT_GT(first.frames, 6 * 80);
}

}  // namespace

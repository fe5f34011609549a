// Start-up in-process through the program runner, with one animation file broken: the runtime error
// ends the program with status 255 and its message, and the game on disk is left as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game/screens/start.h"
#include "platform/files/resources.h"
#include "platform/run.h"

namespace fs = std::filesystem;

namespace {

// In a process of its own (the store keeps the first registration of a name, so the broken file
// must come before the game's table).
[[noreturn]] void StartWithBrokenSpider(const TRunOptions& options) {
  static const uint8_t zero[] = {'0'};
  RegisterResource("image\\spider\\attack\\hit.txt", zero, 1);
  std::exit(RunProgram(options, [] { GameMain(); }));
}

TEST(StartupErrorDeathTest, ABrokenHitFileEndsLoadingAndKeepsTheSavedGame) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");

  // The same place in the test's own process and in the one the death test starts.
  const fs::path root = fs::path(CAIRNMARK_BINARY_DIR) / "flows_startup_error";
  fs::remove_all(root);
  fs::create_directories(root);
  std::ofstream(root / "save.dat") << "yesterday's game";
  const fs::path home = fs::current_path();

  TRunOptions options;
  options.headless = true;
  options.virtualClock = true;
  options.useKeyScript = true;
  options.workDir = root.string();
  EXPECT_EXIT(StartWithBrokenSpider(options), testing::ExitedWithCode(255), "^hitframe=0$");
  fs::current_path(home);
  std::ifstream saved(root / "save.dat", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), "yesterday's game");
  if (!HasFailure()) fs::remove_all(root);
}

}  // namespace

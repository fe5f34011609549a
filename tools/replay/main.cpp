// cairnmark-replay: runs exactly what cairnmark runs, but headless, on the virtual clock and with
// keys from a script, so a game can be played again frame for frame (tests, bug reports).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "game/screens/start.h"
#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/run.h"
#include "tools/replay/options.h"

int main(int argc, char** argv) {
  const TReplayCommandLine line = ParseReplayCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.command == ReplayCommand::Help) {
    std::fputs(kReplayUsage, stdout);
    return 0;
  }
  if (line.command == ReplayCommand::Error) {
    std::fprintf(stderr, "cairnmark-replay: %s (see --help)\n", line.error.c_str());
    return 2;
  }
  if (!line.options.shotsDir.empty()) {
    std::error_code failed;
    std::filesystem::create_directories(line.options.shotsDir, failed);
    if (failed) {
      std::fprintf(stderr, "cairnmark-replay: cannot make the screenshot directory %s: %s\n",
                   line.options.shotsDir.c_str(), failed.message().c_str());
      return 2;
    }
  }
  // Wall time only describes the run for people reading the line; the game never sees it.
  const auto start = std::chrono::steady_clock::now();
  const int status = RunProgram(line.options, [] { GameMain(); });
  if (line.stats) {
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    std::printf("frames=%lld clock=%u wall=%.3fs\n", static_cast<long long>(PresentedFrameCount()),
                static_cast<unsigned>(ElapsedMillis()), wall.count());
  }
  return status;
}

// cairnmark-replay: runs exactly what cairnmark runs, but headless, on the virtual clock and with
// keys from a script, so a game can be played again frame for frame (tests, bug reports).
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "game/screens/start.h"
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
  return RunProgram(line.options, [] { GameMain(); });
}

// cairnmark-replay: runs exactly what cairnmark runs, but headless, on the virtual clock and with
// keys from a script, so a game can be played again frame for frame (tests, bug reports); or plays
// a recording and says whether it ends as recorded.
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "game/screens/start.h"
#include "game/state/save.h"
#include "platform/core/clock.h"
#include "platform/input/keyboard.h"
#include "platform/replay/recorder.h"
#include "platform/run.h"
#include "platform/files/save_files.h"
#include "tools/replay/compare.h"
#include "tools/replay/options.h"

namespace {

// A fresh folder holding the recording's starting save (none for a new game), or "" with why.
std::string MakeScratchFolder(const TRecording& recording, const std::string& saveName, std::string& why) {
  std::error_code failed;
  std::string pattern = (std::filesystem::temp_directory_path(failed) / "cairnmark-replay-XXXXXX").string();
  if (failed || mkdtemp(pattern.data()) == nullptr) {
    why = "cannot make a scratch folder";
    return "";
  }
  if (!recording.newGame && !WriteFileAtomically(Text(pattern + "/" + saveName), recording.startSave, why)) {
    std::filesystem::remove_all(pattern, failed);
    return "";
  }
  return pattern;
}

}  // namespace

int main(int argc, char** argv) {
  TReplayCommandLine line = ParseReplayCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.command == ReplayCommand::Help) {
    std::fputs(kReplayUsage, stdout);
    return 0;
  }
  if (line.command == ReplayCommand::Error) {
    std::fprintf(stderr, line.badRecording ? "cairnmark-replay: %s\n" : "cairnmark-replay: %s (see --help)\n",
                 line.error.c_str());
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
  line.options.gameVersion = CAIRNMARK_VERSION;
  line.options.saveLimit = kSaveReadLimit;
  if (line.playsRecording) {
    std::string why;
    line.options.workDir = MakeScratchFolder(line.recording, line.options.saveName, why);
    // A runtime failure, not a bad file.
    if (line.options.workDir.empty()) {
      std::fprintf(stderr, "cairnmark-replay: %s\n", why.c_str());
      return 1;
    }
  }
  const std::string workDir = line.options.workDir;
  // Wall time only describes the run for people reading the line; the game never sees it.
  const auto start = std::chrono::steady_clock::now();
  int status = RunProgram(std::move(line.options), [] { GameMain(); });
  if (line.stats) {
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    std::printf("frames=%lld clock=%u wall=%.3fs\n", static_cast<long long>(PresentedFrameCount()),
                static_cast<unsigned>(ElapsedMillis()), wall.count());
  }
  if (line.playsRecording) {
    std::error_code failed;
    std::filesystem::current_path("/", failed);
    std::filesystem::remove_all(workDir, failed);
    const std::string parted = WhereReplayParted(line.recording, LastRecording(), CAIRNMARK_VERSION);
    if (!parted.empty()) std::fprintf(stderr, "cairnmark-replay: %s\n", parted.c_str());
    status = parted.empty() ? 0 : 1;
  }
  return status;
}

// The game. Without arguments it plays; --help and --version answer and exit; anything else is
// refused with status 2 before a window is opened or a save touched. The installed build first
// makes and enters the player's save folder under the data home, so every start finds one save.
#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "app/watch.h"
#include "game/screens/start.h"
#include "game/state/save.h"
#include "platform/core/text.h"
#include "platform/files/data_home.h"
#include "platform/run.h"

namespace {

// Where the save lives, for the usage; the installed build names its folder without making it.
std::string SaveLocation() {
#ifdef CAIRNMARK_SAVE_IN_DATA_HOME
  std::string error;
  const std::string folder = DataHomeSaveFolder(error);
  if (!folder.empty()) return folder + "/save.dat";
  return "save.dat under $XDG_DATA_HOME/cairnmark (" + error + ")";
#else
  return "save.dat in the folder the game is started from";
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const TCommandLine line = ParseCommandLine(argc, argv);
  if (line.refused) {
    if (line.unknown == "--record" || line.unknown == "--watch")
      std::fprintf(stderr, "cairnmark: %s wants one FILE, and not with the other (see cairnmark --help)\n",
                   line.unknown.c_str());
    else
      std::fprintf(stderr, "cairnmark: unknown argument '%s' (see cairnmark --help)\n",
                   EscapedForTerminal(line.unknown, 80).c_str());
    return 2;
  }
  if (line.help) {
    PrintUsage(stdout, SaveLocation());
    return 0;
  }
  if (line.version) {
    std::printf("cairnmark %s\n", CAIRNMARK_VERSION);
    return 0;
  }
  TRunOptions options;
  if (!line.watch.empty()) return Watch(line.watch, options);
  options.record = !line.record.empty();
  options.recordPath = line.record;
  options.gameVersion = CAIRNMARK_VERSION;
  options.saveLimit = kSaveReadLimit;
#ifdef CAIRNMARK_SAVE_IN_DATA_HOME
  std::string error;
  options.workDir = DataHomeSaveFolder(error);
  if (options.workDir.empty() || !MakeFolders(options.workDir, error)) {
    std::fprintf(stderr, "cairnmark: %s\n", error.c_str());
    return 1;
  }
#endif
  return RunProgram(std::move(options), [] { GameMain(); });
}

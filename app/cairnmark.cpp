// The game. Without arguments it plays; --help and --version answer and exit; anything else is
// refused with status 2 before a window is opened or a save touched. The installed build first
// makes and enters the player's save folder under the data home, so every start finds one save.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/command_line.h"
#include "game/screens/start.h"
#include "game/state/save.h"
#include "platform/core/program.h"
#include "platform/core/text.h"
#include "platform/files/data_home.h"
#include "platform/files/save_files.h"
#include "platform/replay/keyscript.h"
#include "platform/replay/recording.h"
#include "platform/run.h"

namespace {

// The largest recording read: some three million keys, far past any game anyone plays.
constexpr size_t kLargestRecording = 16 << 20;

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

// Watching a recording: its keys and clock, in a scratch folder holding its starting save, so no
// save of the player's is read or written; the folder goes however the watching ends. 2 with one
// line for a file that is not a recording.
int Watch(const std::string& path, TRunOptions options) {
  std::string text, error;
  TRecording recording;
  if (!ReadRegularFile(path, kLargestRecording, text, error)) {
    error = "cannot be read: " + error;
  } else if (ParseRecording(text, recording, error)) {
    options.keys = KeyStepsOf(recording.keys);
    std::vector<TRecordedKey>().swap(recording.keys);
  }
  std::string().swap(text);
  if (!error.empty()) {
    std::fprintf(stderr, "cairnmark: %s: %s\n", EscapedForTerminal(path).c_str(), error.c_str());
    return 2;
  }
  std::error_code failed;
  std::string folder = (std::filesystem::temp_directory_path(failed) / "cairnmark-watch-XXXXXX").string();
  if (failed || mkdtemp(folder.data()) == nullptr) {
    std::fprintf(stderr, "cairnmark: cannot make a scratch folder to watch in\n");
    return 1;
  }
  auto removeFolder = [folder] {
    std::error_code ignored;
    std::filesystem::current_path("/", ignored);
    std::filesystem::remove_all(folder, ignored);
  };
  if (!recording.newGame && !WriteFileAtomically(Text(folder + "/save.dat"), recording.startSave, error)) {
    removeFolder();
    std::fprintf(stderr, "cairnmark: cannot make a scratch folder to watch in: %s\n", error.c_str());
    return 1;
  }
  // The last of the exit handlers: it runs after the game's own, even when the window system is
  // lost and the process ends inside its handler.
  AtExit(removeFolder);
  options.workDir = folder;
  options.virtualClock = true;
  options.clockStart = recording.clock;
  options.watch = true;
  const int status = RunProgram(std::move(options), [] { GameMain(); });
  removeFolder();
  return status;
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

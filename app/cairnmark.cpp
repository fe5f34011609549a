// The game. Without arguments it plays; --help and --version answer and exit; anything else is
// refused with status 2 before a window is opened or a save touched. The installed build first
// makes and enters the player's save folder under the data home, so every start finds one save.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/command_line.h"
#include "game/screens/start.h"
#include "platform/files/data_home.h"
#include "platform/replay/keyscript.h"
#include "platform/replay/recording.h"
#include "platform/run.h"
#include "platform/files/save_files.h"

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

// Watching a recording: its keys and clock, in a scratch folder holding its starting save, so no
// save of the player's is read or written. 2 with one line for a file that is not a recording.
int Watch(const std::string& path, TRunOptions options) {
  std::vector<uint8_t> bytes;
  bool tooLarge = false;
  TRecording recording;
  std::string error;
  if (!ReadWholeFile(Text(path), bytes, 16 << 20, tooLarge)) {
    error = tooLarge ? "too large for a recording" : "cannot be read";
  } else if (ParseRecording(std::string(bytes.begin(), bytes.end()), recording, error)) {
    std::string script;
    for (const TRecordedKey& key : recording.keys) script += key.token + " ";
    ParseKeyScript(script, options.keys, error);
  }
  if (!error.empty()) {
    std::fprintf(stderr, "cairnmark: %s: %s\n", path.c_str(), error.c_str());
    return 2;
  }
  std::error_code failed;
  std::string folder = (std::filesystem::temp_directory_path(failed) / "cairnmark-watch-XXXXXX").string();
  if (failed || mkdtemp(folder.data()) == nullptr ||
      (!recording.newGame && !WriteFileAtomically(Text(folder + "/save.dat"), recording.startSave, error))) {
    std::fprintf(stderr, "cairnmark: cannot make a scratch folder to watch in\n");
    return 1;
  }
  options.workDir = folder;
  options.virtualClock = true;
  options.clockStart = recording.clock;
  options.watch = true;
  const int status = RunProgram(options, [] { GameMain(); });
  std::filesystem::current_path("/", failed);
  std::filesystem::remove_all(folder, failed);
  // The recorded game's own end (a signal it recorded among them) is no failure of watching it.
  return status == 1 || status == 255 ? status : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const TCommandLine line = ParseCommandLine(argc, argv);
  if (!line.unknown.empty()) {
    if (line.unknown == "--record" || line.unknown == "--watch")
      std::fprintf(stderr, "cairnmark: %s wants one FILE, and not with the other (see cairnmark --help)\n",
                   line.unknown.c_str());
    else
      std::fprintf(stderr, "cairnmark: unknown argument '%s' (see cairnmark --help)\n", line.unknown.c_str());
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
#ifdef CAIRNMARK_SAVE_IN_DATA_HOME
  std::string error;
  options.workDir = DataHomeSaveFolder(error);
  if (options.workDir.empty() || !MakeFolders(options.workDir, error)) {
    std::fprintf(stderr, "cairnmark: %s\n", error.c_str());
    return 1;
  }
#endif
  return RunProgram(options, [] { GameMain(); });
}

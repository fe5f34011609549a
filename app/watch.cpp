// Watching a recording, for the desktop's cairnmark --watch and the web page alike.
#include "app/watch.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "game/screens/start.h"
#include "platform/core/program.h"
#include "platform/core/text.h"
#include "platform/files/save_files.h"
#include "platform/replay/keyscript.h"
#include "platform/replay/recording.h"

namespace {

// The largest recording read: some three million keys, far past any game anyone plays.
constexpr size_t kLargestRecording = 16 << 20;

}  // namespace

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

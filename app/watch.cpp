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
#include "platform/replay/recorder.h"
#include "platform/replay/recording.h"

namespace {

// The largest recording read: some three million keys, far past any game anyone plays.
constexpr size_t kLargestRecording = 16 << 20;

std::string End(const TRecording& r) { return r.how + " at frame " + std::to_string(r.endFrames); }

// The game watched against its recording (whose keys are let go once they are the key source's):
// "" when it took as many keys and ended the same way, at the same frame, with the same save.
std::string WhereWatchParted(const TRecording& recorded, size_t recordedKeys, const TRecording& watched) {
  if (!recorded.ended) return "the recording has no end (the game that made it was cut off)";
  if (watched.keys.size() != recordedKeys)
    return "the recording holds " + std::to_string(recordedKeys) + " keys, the game watched took " +
           std::to_string(watched.keys.size()) + " (" + End(watched) + ")";
  if (recorded.how != watched.how || recorded.endFrames != watched.endFrames)
    return "recorded " + End(recorded) + ", watched " + End(watched);
  if (recorded.saveHash != watched.saveHash) return "the save it left differs from the recorded one";
  return "";
}

}  // namespace

int Watch(const std::string& path, TRunOptions options) {
  std::string text, error;
  TRecording recording;
  size_t recordedKeys = 0;
  if (!ReadRegularFile(path, kLargestRecording, text, error)) {
    error = "cannot be read: " + error;
  } else if (ParseRecording(text, recording, error)) {
    options.keys = KeyStepsOf(recording.keys);
    recordedKeys = recording.keys.size();
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
  // Removed below once the game has ended and its save been hashed; ended on the spot (the window
  // system lost, the process ending inside its handler) by the last of the exit handlers instead.
  AtExit([removeFolder] {
    if (EndingOnTheSpot()) removeFolder();
  });
  options.workDir = folder;
  options.virtualClock = true;
  options.clockStart = recording.clock;
  options.watch = true;
  // Recorded as it plays, in memory: at its end the watcher says whether the game went as recorded.
  options.record = true;
  options.recordPath.clear();
  const int status = RunProgram(std::move(options), [] { GameMain(); });
  removeFolder();
  if (status == 0) {
    const std::string parted = WhereWatchParted(recording, recordedKeys, LastRecording());
    if (parted.empty())
      std::fprintf(stderr, "cairnmark: the recording played to its end as recorded: the same keys, end and save\n");
    else
      std::fprintf(stderr, "cairnmark: the game watched parted from its recording: %s\n", parted.c_str());
  }
  return status;
}

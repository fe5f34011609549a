// Comparing a replay with its recording key by key, then the end, then the save.
#include "tools/replay/compare.h"

#include <algorithm>

#include "platform/core/text.h"

namespace {

std::string Key(const TRecordedKey& key) { return "'" + key.Token() + "' at frame " + std::to_string(key.frame); }

std::string End(const TRecording& r) { return r.how + " at frame " + std::to_string(r.endFrames); }

}  // namespace

std::string WhereReplayParted(const TRecording& recorded, const TRecording& replayed, const std::string& version) {
  std::string parted;
  const size_t common = std::min(recorded.keys.size(), replayed.keys.size());
  size_t i = 0;
  while (i < common && recorded.keys[i] == replayed.keys[i]) ++i;
  if (i < common) {
    parted = "parted at key " + std::to_string(i + 1) + ": recorded " + Key(recorded.keys[i]) + ", replayed " +
             Key(replayed.keys[i]);
  } else if (i < recorded.keys.size()) {
    parted = "parted at key " + std::to_string(i + 1) + ": recorded " + Key(recorded.keys[i]) +
             ", but the replay ended first (" + End(replayed) + ")";
  } else if (i < replayed.keys.size() && recorded.ended) {
    parted = "parted after the last key: the replay went on to " + Key(replayed.keys[i]);
  } else if (!recorded.ended) {
    parted = "the recording has no end (the game that made it was cut off after frame " +
             std::to_string(recorded.keys.empty() ? 0 : recorded.keys.back().frame) + "); the replay ended " +
             End(replayed);
  } else if (recorded.how != replayed.how || recorded.endFrames != replayed.endFrames) {
    parted = "parted at the end: recorded " + End(recorded) + ", replayed " + End(replayed);
  } else if (recorded.saveHash != replayed.saveHash) {
    parted = "parted at the save: recorded " + recorded.saveHash + ", replayed " + replayed.saveHash;
  }
  if (!parted.empty() && recorded.game != version)
    parted += " (recorded by cairnmark " + EscapedForTerminal(recorded.game, 80) + ", this is " + version + ")";
  return parted;
}

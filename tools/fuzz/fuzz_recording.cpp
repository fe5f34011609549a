// Fuzzes the recording reader, which takes files from strangers: read any bytes; a text it accepts
// is exactly what a recorder writes, so writing what was read gives the same text back, reading that
// gives the same recording, and its keys make key steps. Any sanitizer report is a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/replay/keyscript.h"
#include "platform/replay/recording.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

bool SameRecording(const TRecording& a, const TRecording& b) {
  return a.game == b.game && a.newGame == b.newGame && a.startSave == b.startSave && a.clock == b.clock &&
         a.keys == b.keys && a.ended == b.ended && a.endFrames == b.endFrames && a.how == b.how &&
         a.saveHash == b.saveHash;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TRecording read;
  std::string error;
  if (!ParseRecording(text, read, error)) {
    Check(!error.empty(), "a refused text says why");
    Check(read.keys.empty() && read.game.empty() && read.startSave.empty(), "nothing is kept from a refused text");
    return 0;
  }
  Check(read.newGame == read.startSave.empty(), "a start save holds bytes, a new game none");
  const std::string written = RecordingText(read);
  Check(written == text, "what was read is written back as the same text");
  TRecording again;
  Check(ParseRecording(written, again, error), "what was written reads again");
  Check(SameRecording(again, read), "reading it again gives the same recording");
  // Each key plays as its own step, an lshift+KEY's Shift going down just before it.
  const std::vector<TKeyStep> steps = KeyStepsOf(read.keys);
  size_t at = 0;
  for (const TRecordedKey& key : read.keys) {
    if (key.step.releaseAfter != 0) {
      Check(at < steps.size() && steps[at].kind == TStepKind::ComboShift && steps[at].key == key.step.releaseAfter,
            "an lshift+KEY's Shift goes down first");
      ++at;
    }
    Check(at < steps.size() && steps[at] == key.step, "a key plays as its step");
    ++at;
  }
  Check(at == steps.size(), "no step beyond the keys");
  return 0;
}

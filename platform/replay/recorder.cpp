// The recording of the running game. Keys are written (and flushed, one small write each) as they
// come, so a game cut off by a crash leaves every key up to its last; nothing is written between
// keys, so a frame is never kept waiting. Keys delivered before the random numbers are seeded (the
// first frames) wait in memory until the clock line can go first.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/replay/recorder.h"
#include "platform/input/keyboard.h"
#include "platform/files/save_files.h"
#include "platform/core/sha256.h"

namespace {

struct TLiveRecording {
  bool on = false;
  std::FILE* file = nullptr;
  bool clockWritten = false;
  std::string waiting;  // lines held until the clock line is written
  int64_t point = 0;
  bool endWritten = false;
  std::string saveName;
  std::string endName;
  TRecording memory;
};

TLiveRecording live;
constexpr int64_t kLargestSave = 16 << 20;

void Write(const std::string& text) {
  if (!live.file) return;
  if (!live.clockWritten) {
    live.waiting += text;
    return;
  }
  std::fwrite(text.data(), 1, text.size(), live.file);
  std::fflush(live.file);
}

void WriteClock(uint32_t clock) {
  if (live.clockWritten) return;
  live.memory.clock = clock;
  live.clockWritten = true;
  Write(RecordingClockLine(clock) + live.waiting);
  live.waiting.clear();
}

std::string SaveHash() {
  std::vector<uint8_t> bytes;
  bool tooLarge = false;
  if (!ReadWholeFile(Text(live.saveName), bytes, kLargestSave, tooLarge)) return "none";
  return Sha256Hex(bytes);
}

}  // namespace

bool StartRecorder(const std::string& path, const std::string& game, const std::string& saveName,
                   std::string& error) {
  live = TLiveRecording{};
  live.saveName = saveName;
  live.memory.game = game;
  bool tooLarge = false;
  live.memory.newGame = !ReadWholeFile(Text(saveName), live.memory.startSave, kLargestSave, tooLarge);
  if (live.memory.newGame) live.memory.startSave.clear();
  if (!path.empty()) {
    live.file = std::fopen(path.c_str(), "wb");
    if (!live.file) {
      error = "cannot write the recording " + path + ": " + std::strerror(errno);
      return false;
    }
    live.clockWritten = true;  // the header goes out at once
    Write(RecordingHeaderText(game, live.memory.newGame, live.memory.startSave));
    live.clockWritten = false;
    if (std::ferror(live.file)) {
      error = "cannot write the recording " + path;
      std::fclose(live.file);
      live.file = nullptr;
      return false;
    }
  }
  live.on = true;
  return true;
}

void RecordKeyToken(const std::string& token) {
  if (!live.on) return;
  if (token.compare(0, 7, "signal:") == 0 || token.compare(0, 5, "close") == 0) live.endWritten = true;
  const TRecordedKey key{PresentedFrameCount(), token};
  live.memory.keys.push_back(key);
  Write(RecordingKeyLine(key));
}

void NoteDeliveryPoint(int64_t frame) { live.point = frame; }

void RecordSeedClock(uint32_t clock) {
  if (live.on) WriteClock(clock);
}

void NameRecordedEnd(const char* how) { live.endName = how; }

void FinishRecorder(int status) {
  if (!live.on) return;
  // A signal ends the game where keys are delivered, so it is written as a key at that point.
  if (status > 128 && status < 192 && !live.endWritten)
    RecordKeyToken("signal:" + std::to_string(status - 128) + (live.point > 0 ? "@" + std::to_string(PresentedFrameCount()) : ""));
  std::string how;
  if (status == 0) how = TerminateRequested() ? "closed" : live.endName.empty() ? "escape" : live.endName;
  else if (status > 128 && status < 192) how = "signal " + std::to_string(status - 128);
  else if (status == 255) how = "error";
  else how = "status " + std::to_string(status);
  WriteClock(0);  // a game that ended before it seeded anything
  live.memory.ended = true;
  live.memory.endFrames = PresentedFrameCount();
  live.memory.how = how;
  live.memory.saveHash = SaveHash();
  Write(RecordingEndText(live.memory.endFrames, how, live.memory.saveHash));
  if (live.file) std::fclose(live.file);
  live.file = nullptr;
  live.on = false;
  live.endName.clear();
}

const TRecording& LastRecording() { return live.memory; }

// The recording of the running game. The file is checked when the game starts but opened only at
// the first point keys are delivered (a frame shown or a key wait), so a start that fails leaves it
// as it was. Keys are then written (one small write each) as they come, so a game cut off by a
// crash leaves every key up to its last; nothing is written between keys, so a frame is never kept
// waiting. Keys delivered before the random numbers are seeded (the first frames) wait in memory
// until the clock line can go first. A write that fails (a full disk) is told once, the file is cut
// back to its last whole line, and the game plays on unrecorded.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/core/sha256.h"
#include "platform/core/text.h"
#include "platform/files/save_files.h"
#include "platform/input/keyboard.h"
#include "platform/replay/recorder.h"

namespace {

struct TLiveRecording {
  bool on = false;
  std::string path;       // "" records in memory only
  int fd = -1;
  bool opened = false;    // the file was opened (at the first delivery point)
  bool failed = false;    // a write failed: the file holds what it held then, and no more
  bool clockWritten = false;
  std::string unwritten;  // whole lines not yet in the file
  std::string beforeClock;  // key lines held until the clock line is written
  int64_t unwrittenFrame = -1;  // the frame of the last key among the unwritten lines
  int64_t writtenFrame = -1;    // the frame of the last key in the file
  off_t written = 0;      // bytes in the file, all of them whole lines
  int64_t point = 0;
  bool endWritten = false;
  std::string saveName;
  int64_t saveLimit = 0;
  std::string endName;
  TRecording memory;
};

TLiveRecording live;
constexpr int64_t kLargestSave = 16 << 20;

std::string Shown(const std::string& path) { return EscapedForTerminal(path); }

void Fail(int error) {
  live.failed = true;
  if (live.fd >= 0) {
    // Cut back to the last whole line, so what was written still plays.
    if (ftruncate(live.fd, live.written) != 0) error = errno;
    close(live.fd);
  }
  live.fd = -1;
  live.unwritten.clear();
  const std::string holds = live.writtenFrame >= 0 ? "it holds the keys up to frame " + std::to_string(live.writtenFrame)
                            : live.written > 0   ? "it holds no key"
                                                 : "it holds nothing";
  std::fprintf(stderr, "Cairnmark: the recording %s stopped: %s; %s, and the game plays on unrecorded\n",
               Shown(live.path).c_str(), std::strerror(error), holds.c_str());
}

// Writes the unwritten lines, when the file is open and the clock line has gone first.
void Flush() {
  if (live.fd < 0 || !live.clockWritten || live.unwritten.empty()) return;
  size_t done = 0;
  while (done < live.unwritten.size()) {
    const ssize_t wrote = write(live.fd, live.unwritten.data() + done, live.unwritten.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      // A write that takes nothing sets no errno of its own: the disk simply took no more.
      Fail(wrote == 0 ? ENOSPC : errno);
      return;
    }
    done += static_cast<size_t>(wrote);
  }
  live.written += static_cast<off_t>(done);
  if (live.unwrittenFrame >= 0) live.writtenFrame = live.unwrittenFrame;
  live.unwritten.clear();
}

void Emit(const std::string& lines, int64_t frame) {
  if (live.path.empty() || live.failed) return;
  if (!live.clockWritten) {
    live.beforeClock += lines;
  } else {
    live.unwritten += lines;
  }
  if (frame >= 0) live.unwrittenFrame = frame;
  Flush();
}

void WriteClock(uint32_t clock) {
  if (live.clockWritten) return;
  live.memory.clock = clock;
  live.clockWritten = true;
  if (live.path.empty() || live.failed) return;
  live.unwritten += RecordingClockLine(clock) + live.beforeClock;
  std::string().swap(live.beforeClock);
  Flush();
}

// Opens the file checked at the start, now that the game runs: never blocking, and only a regular
// file (or a new one) is taken, emptied once it is known to be one.
void Open() {
  live.opened = true;
  if (live.path.empty()) return;
  const int fd = open(live.path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
  struct stat info {};
  int error = fd < 0 ? errno : fstat(fd, &info) != 0 ? errno : S_ISREG(info.st_mode) ? 0 : EINVAL;
  if (error == 0 && ftruncate(fd, 0) != 0) error = errno;
  if (error != 0) {
    if (fd >= 0) close(fd);
    Fail(error);
    return;
  }
  live.fd = fd;
  Flush();
}

// As much of the save as a recording keeps: one byte more than the game reads.
size_t KeptOfSave() { return static_cast<size_t>(live.saveLimit > 0 ? live.saveLimit + 1 : kLargestSave); }

// The hash of the save left, of what a recording would keep of it: a save too large for the game,
// left as it was, hashes the same in the game and in its replay.
std::string SaveHash() {
  std::vector<uint8_t> bytes;
  if (!ReadFileHead(Text(live.saveName), KeptOfSave(), bytes)) return "none";
  return Sha256Hex(bytes);
}

}  // namespace

bool StartRecorder(const std::string& path, const std::string& game, const std::string& saveName, int64_t saveLimit,
                   std::string& error) {
  live = TLiveRecording{};
  live.saveName = saveName;
  live.saveLimit = saveLimit;
  live.path = path;
  live.memory.game = game;
  if (!path.empty()) {
    const std::string saveFile = SaveFileAt(path, Text(saveName));
    if (!saveFile.empty()) {
      error = "will not record to " + Shown(path) + ": it is " + saveFile;
      return false;
    }
    const std::string kind = NotARegularFileAt(path);
    if (!kind.empty()) {
      error = "will not record to " + Shown(path) + ": it is " + kind + ", not a regular file";
      return false;
    }
    // Writable now, so a start that is going to fail says so before the game opens anything.
    struct stat info {};
    const bool exists = stat(path.c_str(), &info) == 0;
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    if (exists ? access(path.c_str(), W_OK) != 0 : access(folder.c_str(), W_OK | X_OK) != 0) {
      error = "cannot write the recording " + Shown(path) + ": " + std::strerror(errno);
      return false;
    }
  }
  // A save larger than the game reads is refused unread: one byte past the limit refuses it the
  // same way when the recording is played, and keeps the recording small.
  live.memory.newGame = !ReadFileHead(Text(saveName), KeptOfSave(), live.memory.startSave);
  if (live.memory.newGame) live.memory.startSave.clear();
  if (!path.empty()) live.unwritten = RecordingHeaderText(game, live.memory.newGame, live.memory.startSave);
  live.on = true;
  return true;
}

void RecordKeyStep(const TKeyStep& step) {
  if (!live.on) return;
  if (step.kind == TStepKind::Signal || step.kind == TStepKind::Close) live.endWritten = true;
  const TRecordedKey key{static_cast<uint32_t>(PresentedFrameCount()), step};
  live.memory.keys.push_back(key);
  Emit(RecordingKeyLine(key), key.frame);
}

void RecordKeyToken(const std::string& token) {
  TRecordedKey key;
  if (live.on && RecordedKeyFromToken(static_cast<uint32_t>(PresentedFrameCount()), token, key)) RecordKeyStep(key.step);
}

void NoteDeliveryPoint(int64_t frame) {
  live.point = frame;
  if (live.on && !live.opened) Open();
}

void RecordSeedClock(uint32_t clock) {
  if (live.on) WriteClock(clock);
}

void NameRecordedEnd(const char* how) { live.endName = how; }

bool FinishRecorder(int status) {
  if (!live.on) return true;
  // A signal ends the game where keys are delivered, so it is written as a key at that point.
  if (status > 128 && status < 192 && !live.endWritten)
    RecordKeyStep(TKeyStep{static_cast<uint8_t>(status - 128), 0, TStepKind::Signal,
                           live.point > 0 ? static_cast<uint32_t>(PresentedFrameCount()) : 0u});
  std::string how;
  if (status == 0) how = TerminateRequested() ? "closed" : live.endName.empty() ? "escape" : live.endName;
  else if (status > 128 && status < 192) how = "signal " + std::to_string(status - 128);
  else if (status == 255) how = "error";
  else how = "status " + std::to_string(status);
  WriteClock(0);  // a game that ended before it seeded anything
  live.memory.ended = true;
  live.memory.endFrames = static_cast<uint32_t>(PresentedFrameCount());
  live.memory.how = how;
  live.memory.saveHash = SaveHash();
  // A game that never showed a frame nor waited for a key did not start: its file is left alone.
  if (live.opened) Emit(RecordingEndText(live.memory.endFrames, how, live.memory.saveHash), -1);
  if (live.fd >= 0) close(live.fd);
  live.fd = -1;
  live.on = false;
  live.endName.clear();
  return !live.failed;
}

const TRecording& LastRecording() { return live.memory; }

// The recording format: writing its lines and reading a whole recording back, refusing anything
// that is not exactly what a recorder writes (docs/RECORDINGS.md).
#include "platform/replay/recording.h"

#include <charconv>
#include <sstream>

#include "platform/replay/keyscript.h"

namespace {

constexpr const char* kMagic = "cairnmark-recording";

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

bool ParseWhole(const std::string& text, uint64_t& value) {
  if (text.empty() || text.size() > 19 || text[0] < '0' || text[0] > '9') return false;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

bool ParseHex(const std::string& hex, std::vector<uint8_t>& bytes) {
  if (hex.empty() || hex.size() % 2 != 0) return false;
  bytes.clear();
  for (size_t i = 0; i < hex.size(); i += 2) {
    if (!IsHexDigit(hex[i]) || !IsHexDigit(hex[i + 1])) return false;
    auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
    bytes.push_back(static_cast<uint8_t>(nibble(hex[i]) * 16 + nibble(hex[i + 1])));
  }
  return true;
}

bool ValidHow(const std::string& how) {
  if (how == "escape" || how == "closed" || how == "ending" || how == "death" || how == "error") return true;
  uint64_t n = 0;
  if (how.compare(0, 7, "signal ") == 0) return ParseWhole(how.substr(7), n) && n < 64;
  if (how.compare(0, 7, "status ") == 0) return ParseWhole(how.substr(7), n) && n < 256;
  return false;
}

// One token the key-script reader takes, fired at frame (its @N, when it has one, is that frame).
bool ValidToken(const std::string& token, uint64_t frame) {
  std::vector<TKeyStep> steps;
  std::string ignored;
  if (token.find_first_of(" \t") != std::string::npos || !ParseKeyScript(token, steps, ignored) || steps.empty())
    return false;
  const size_t at = token.find('@');
  return at == std::string::npos || token.substr(at + 1) == std::to_string(frame);
}

}  // namespace

std::string RecordingHeaderText(const std::string& game, bool newGame, const std::vector<uint8_t>& startSave) {
  std::string text = std::string(kMagic) + " " + std::to_string(kRecordingVersion) + "\ngame " + game + "\n";
  if (newGame) return text + "start new\n";
  static const char kDigits[] = "0123456789abcdef";
  text += "start save ";
  for (uint8_t byte : startSave) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text + "\n";
}

std::string RecordingClockLine(uint32_t clock) { return "clock " + std::to_string(clock) + "\n"; }

std::string RecordingKeyLine(const TRecordedKey& key) { return std::to_string(key.frame) + " " + key.token + "\n"; }

std::string RecordingEndText(int64_t frames, const std::string& how, const std::string& saveHash) {
  return "end " + std::to_string(frames) + " " + how + "\nsave " + saveHash + "\n";
}

std::string RecordingText(const TRecording& recording) {
  std::string text = RecordingHeaderText(recording.game, recording.newGame, recording.startSave) +
                     RecordingClockLine(recording.clock);
  for (const TRecordedKey& key : recording.keys) text += RecordingKeyLine(key);
  if (recording.ended) text += RecordingEndText(recording.endFrames, recording.how, recording.saveHash);
  return text;
}

bool ParseRecording(const std::string& text, TRecording& recording, std::string& error) {
  recording = TRecording{};
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      error = "truncated: line " + std::to_string(lines.size() + 1) + " is cut off";
      return false;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  auto fail = [&error](size_t index, const std::string& what) {
    error = "line " + std::to_string(index + 1) + ": " + what;
    return false;
  };
  if (lines.empty() || lines[0].compare(0, std::string(kMagic).size() + 1, std::string(kMagic) + " ") != 0) {
    error = "not a Cairnmark recording";
    return false;
  }
  uint64_t version = 0;
  if (!ParseWhole(lines[0].substr(std::string(kMagic).size() + 1), version)) return fail(0, "damaged: no format version");
  if (version != static_cast<uint64_t>(kRecordingVersion)) {
    error = "recording format version " + lines[0].substr(std::string(kMagic).size() + 1) +
            ", which this cairnmark cannot play (it plays version " + std::to_string(kRecordingVersion) + ")";
    return false;
  }
  if (lines.size() < 4) {
    error = "truncated: the header stops after line " + std::to_string(lines.size());
    return false;
  }
  if (lines[1].compare(0, 5, "game ") != 0 || lines[1].size() == 5) return fail(1, "damaged: no game version");
  recording.game = lines[1].substr(5);
  if (lines[2] == "start new") {
    recording.newGame = true;
  } else if (lines[2].compare(0, 11, "start save ") == 0 && ParseHex(lines[2].substr(11), recording.startSave)) {
    recording.newGame = false;
  } else {
    return fail(2, "damaged: the starting save is neither \"new\" nor hexadecimal bytes");
  }
  uint64_t clock = 0;
  if (lines[3].compare(0, 6, "clock ") != 0 || !ParseWhole(lines[3].substr(6), clock) || clock > 0xFFFFFFFFu)
    return fail(3, "damaged: no clock value");
  recording.clock = static_cast<uint32_t>(clock);
  size_t i = 4;
  for (; i < lines.size() && lines[i].compare(0, 4, "end ") != 0; ++i) {
    const size_t space = lines[i].find(' ');
    uint64_t frame = 0;
    if (space == std::string::npos || !ParseWhole(lines[i].substr(0, space), frame))
      return fail(i, "damaged: not a frame number and a key");
    const std::string token = lines[i].substr(space + 1);
    if (!recording.keys.empty() && static_cast<int64_t>(frame) < recording.keys.back().frame)
      return fail(i, "damaged: frame " + std::to_string(frame) + " comes after a later one");
    if (!ValidToken(token, frame)) return fail(i, "damaged: '" + token + "' is not a key");
    recording.keys.push_back(TRecordedKey{static_cast<int64_t>(frame), token});
  }
  if (i == lines.size()) return true;
  const std::string endLine = lines[i].substr(4);
  const size_t space = endLine.find(' ');
  uint64_t frames = 0;
  if (space == std::string::npos || !ParseWhole(endLine.substr(0, space), frames) || !ValidHow(endLine.substr(space + 1)))
    return fail(i, "damaged: not an end");
  if (i + 1 == lines.size()) {
    error = "truncated: the save's hash is missing after line " + std::to_string(i + 1);
    return false;
  }
  const std::string& saveLine = lines[i + 1];
  const std::string hash = saveLine.compare(0, 5, "save ") == 0 ? saveLine.substr(5) : "";
  bool hexHash = hash.size() == 64;
  for (char c : hash) hexHash = hexHash && IsHexDigit(c);
  if (hash != "none" && !hexHash) return fail(i + 1, "damaged: not a save hash");
  if (i + 2 != lines.size()) return fail(i + 2, "damaged: text after the end");
  recording.ended = true;
  recording.endFrames = static_cast<int64_t>(frames);
  recording.how = endLine.substr(space + 1);
  recording.saveHash = hash;
  return true;
}

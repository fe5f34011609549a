// The recording format: writing its lines and reading a whole recording back, refusing anything
// that is not exactly what a recorder writes (docs/RECORDINGS.md).
#include "platform/replay/recording.h"

#include <algorithm>
#include <cctype>

#include "platform/core/text.h"
#include "platform/replay/keyscript.h"

namespace {

constexpr std::string_view kMagic = "cairnmark-recording ";
constexpr size_t kLongestQuote = 80;

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

bool StartsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

// A number as a recorder writes it: decimal digits, no sign, no leading zero, at most 2^32 - 1.
bool ParseNumber(std::string_view text, uint32_t& value) {
  if (text.empty() || text.size() > 10 || (text[0] == '0' && text.size() > 1)) return false;
  uint64_t whole = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    whole = whole * 10 + static_cast<uint64_t>(c - '0');
  }
  if (whole > 0xFFFFFFFFu) return false;
  value = static_cast<uint32_t>(whole);
  return true;
}

bool ParseHex(std::string_view hex, std::vector<uint8_t>* bytes) {
  if (hex.empty() || hex.size() % 2 != 0) return false;
  if (bytes) bytes->reserve(hex.size() / 2);
  for (size_t i = 0; i < hex.size(); i += 2) {
    if (!IsHexDigit(hex[i]) || !IsHexDigit(hex[i + 1])) return false;
    auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
    if (bytes) bytes->push_back(static_cast<uint8_t>(nibble(hex[i]) * 16 + nibble(hex[i + 1])));
  }
  return true;
}

bool ValidHow(std::string_view how) {
  if (how == "escape" || how == "closed" || how == "ending" || how == "death" || how == "error") return true;
  uint32_t n = 0;
  if (StartsWith(how, "signal ")) return ParseNumber(how.substr(7), n) && n < 64;
  if (StartsWith(how, "status ")) return ParseNumber(how.substr(7), n) && n < 256;
  return false;
}

std::string Quoted(std::string_view text) { return "'" + EscapedForTerminal(text, kLongestQuote) + "'"; }

// The lines of a text, each without its line end; the text is known to end with one.
struct TLines {
  std::string_view text;
  size_t at = 0;
  size_t number = 0;  // of the line last taken, from 1
  bool Done() const { return at == text.size(); }
  std::string_view Peek() const { return text.substr(at, text.find('\n', at) - at); }
  std::string_view Take() {
    const std::string_view line = Peek();
    at += line.size() + 1;
    ++number;
    return line;
  }
};

// Reads text into recording; its keys only when keepKeys (a first pass checks the whole text and
// counts them, so the second can keep them in one allocation).
bool ReadRecording(std::string_view text, TRecording& recording, bool keepKeys, size_t& keyCount, std::string& error) {
  if (!StartsWith(text, kMagic)) {
    error = "not a Cairnmark recording";
    return false;
  }
  const size_t lineCount = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
  if (text.back() != '\n') {
    error = "truncated: line " + std::to_string(lineCount + 1) + " is cut off";
    return false;
  }
  TLines lines{text};
  auto fail = [&error, &lines](const std::string& what) {
    error = "line " + std::to_string(lines.number) + ": " + what;
    return false;
  };
  // A line is exactly what the recorder wrote: no carriage return before its line end.
  auto take = [&lines, &fail](std::string_view& line) {
    line = lines.Take();
    if (!line.empty() && line.back() == '\r')
      return fail("damaged: Windows line ends (\\r\\n); a recording's lines end with \\n alone");
    return true;
  };
  std::string_view line;
  if (!take(line)) return false;
  uint32_t version = 0;
  if (!ParseNumber(line.substr(kMagic.size()), version)) return fail("damaged: no format version");
  if (version != static_cast<uint32_t>(kRecordingVersion)) {
    error = "recording format version " + std::to_string(version) + ", which this cairnmark cannot play (it plays version " +
            std::to_string(kRecordingVersion) + ")";
    return false;
  }
  if (lineCount < 4) {
    error = "truncated: the header stops after line " + std::to_string(lineCount);
    return false;
  }
  if (!take(line)) return false;
  if (!StartsWith(line, "game ") || line.size() == 5) return fail("damaged: no game version");
  for (char c : line)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
      return fail("damaged: the game version " + Quoted(line.substr(5)) + " holds control characters");
  recording.game = std::string(line.substr(5));
  if (!take(line)) return false;
  recording.newGame = line == "start new";
  if (!recording.newGame && line != "start save" &&
      !(StartsWith(line, "start save ") && ParseHex(line.substr(11), keepKeys ? &recording.startSave : nullptr)))
    return fail("damaged: the starting save is neither \"new\" nor hexadecimal bytes");
  if (!take(line)) return false;
  if (!StartsWith(line, "clock ") || !ParseNumber(line.substr(6), recording.clock)) return fail("damaged: no clock value");

  keyCount = 0;
  uint32_t lastFrame = 0;
  while (!lines.Done() && !StartsWith(lines.Peek(), "end ")) {
    if (!take(line)) return false;
    const size_t space = line.find(' ');
    TRecordedKey key;
    if (space == std::string_view::npos || !ParseNumber(line.substr(0, space), key.frame))
      return fail("damaged: not a frame number (0 to 4294967295) and a key");
    const std::string_view token = line.substr(space + 1);
    if (key.frame < lastFrame)
      return fail("damaged: frame " + std::to_string(key.frame) + " comes after a later one");
    if (!RecordedKeyFromToken(key.frame, token, key)) {
      std::string lower(token);
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      TRecordedKey same;
      if (lower != token && RecordedKeyFromToken(key.frame, lower, same))
        return fail("damaged: " + Quoted(token) + " is not written as a recorder writes it ('" + lower + "')");
      return fail("damaged: " + Quoted(token) + " is not a key (as '" + std::to_string(key.frame) + " KEY')");
    }
    lastFrame = key.frame;
    ++keyCount;
    if (keepKeys) recording.keys.push_back(key);
  }
  if (lines.Done()) return true;
  if (!take(line)) return false;
  const std::string_view end = line.substr(4);
  const size_t space = end.find(' ');
  uint32_t frames = 0;
  if (space == std::string_view::npos || !ParseNumber(end.substr(0, space), frames) || !ValidHow(end.substr(space + 1)))
    return fail("damaged: not an end");
  if (frames < lastFrame) return fail("damaged: the end comes before frame " + std::to_string(lastFrame));
  if (lines.Done()) {
    error = "truncated: the save's hash is missing after line " + std::to_string(lines.number);
    return false;
  }
  if (!take(line)) return false;
  const std::string_view hash = StartsWith(line, "save ") ? line.substr(5) : "";
  bool hexHash = hash.size() == 64;
  for (char c : hash) hexHash = hexHash && IsHexDigit(c);
  if (hash != "none" && !hexHash) return fail("damaged: not a save hash");
  if (!lines.Done()) {
    lines.Take();
    return fail("damaged: text after the end");
  }
  recording.ended = true;
  recording.endFrames = frames;
  recording.how = std::string(end.substr(space + 1));
  recording.saveHash = std::string(hash);
  return true;
}

}  // namespace

bool RecordedKeyFromToken(uint32_t frame, std::string_view token, TRecordedKey& key) {
  TKeyStep steps[2];
  const int count = ParseKeyToken(token, steps);
  if (count == 0) return false;
  key.frame = frame;
  key.step = steps[count - 1];
  return (key.step.frame == 0 || key.step.frame == frame) && KeyStepToken(key.step) == token;
}

std::vector<TKeyStep> KeyStepsOf(const std::vector<TRecordedKey>& keys) {
  size_t combos = 0;
  for (const TRecordedKey& key : keys) combos += key.step.releaseAfter != 0;
  std::vector<TKeyStep> steps;
  steps.reserve(keys.size() + combos);
  for (const TRecordedKey& key : keys) {
    if (key.step.releaseAfter != 0) steps.push_back(TKeyStep{key.step.releaseAfter, 0, TStepKind::ComboShift, 0});
    steps.push_back(key.step);
  }
  return steps;
}

std::string RecordingHeaderText(const std::string& game, bool newGame, const std::vector<uint8_t>& startSave) {
  std::string text = std::string(kMagic) + std::to_string(kRecordingVersion) + "\ngame " + game + "\n";
  if (newGame) return text + "start new\n";
  // An empty save (a file of no bytes) has no digits, and a line ends without a space.
  if (startSave.empty()) return text + "start save\n";
  static const char kDigits[] = "0123456789abcdef";
  text += "start save ";
  for (uint8_t byte : startSave) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text + "\n";
}

std::string RecordingClockLine(uint32_t clock) { return "clock " + std::to_string(clock) + "\n"; }

std::string RecordingKeyLine(const TRecordedKey& key) { return std::to_string(key.frame) + " " + key.Token() + "\n"; }

std::string RecordingEndText(uint32_t frames, const std::string& how, const std::string& saveHash) {
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
  size_t keys = 0;
  if (!ReadRecording(text, recording, false, keys, error)) {
    recording = TRecording{};
    return false;
  }
  recording = TRecording{};
  recording.keys.reserve(keys);
  return ReadRecording(text, recording, true, keys, error);
}

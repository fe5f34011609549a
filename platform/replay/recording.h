// Recordings: a game as a small text file (its header, every key with the presented frame it came
// at, how the game ended and the save it left), read back to be played again. docs/RECORDINGS.md
// describes the format.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int kRecordingVersion = 1;

struct TRecordedKey {
  int64_t frame = 0;  // frames presented when the key came
  std::string token;  // a key-script token (KEY, KEY@N, hold:KEY, close, signal:N, ...)
  bool operator==(const TRecordedKey& other) const { return frame == other.frame && token == other.token; }
};

struct TRecording {
  std::string game;                // the version of the game that made it
  bool newGame = true;             // no save at the start
  std::vector<uint8_t> startSave;  // the save it started from, when there was one
  uint32_t clock = 0;              // the clock value the game seeded its random numbers with
  std::vector<TRecordedKey> keys;
  bool ended = false;              // false: the game was cut off before it could write the end
  int64_t endFrames = 0;           // frames presented in all
  std::string how;                 // escape, closed, signal N, ending, death, error, status N
  std::string saveHash;            // the SHA-256 of the save left, or "none"
};

// The lines, each with its line end, as a recording holds them.
std::string RecordingHeaderText(const std::string& game, bool newGame, const std::vector<uint8_t>& startSave);
std::string RecordingClockLine(uint32_t clock);
std::string RecordingKeyLine(const TRecordedKey& key);
std::string RecordingEndText(int64_t frames, const std::string& how, const std::string& saveHash);
// A whole recording (the header, the clock, the keys and, when ended, the end).
std::string RecordingText(const TRecording& recording);

// Reads a recording; a foreign, damaged or truncated text is refused with one line in error (its
// line number and what is wrong there). A text that stops cleanly before its end is read with
// ended false.
bool ParseRecording(const std::string& text, TRecording& recording, std::string& error);

// Names how the game ends, for a recording being made ("ending", "death"); otherwise an end with
// status 0 is "escape", or "closed" when the window was closed.
void NameRecordedEnd(const char* how);

// Recordings: a game as a small text file (its header, every key with the presented frame it came
// at, how the game ended and the save it left), read back to be played again. docs/RECORDINGS.md
// describes the format.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/replay/keyscript.h"

constexpr int kRecordingVersion = 1;

// One key the game saw, in twelve bytes: the step a key-script token makes (for lshift+KEY, the
// KEY's step, whose Shift goes with it).
struct TRecordedKey {
  uint32_t frame = 0;  // frames presented when the key came
  TKeyStep step;
  // The token, as the recording's line holds it (KEY, KEY@N, hold:KEY, close, signal:N, ...).
  std::string Token() const { return KeyStepToken(step); }
  bool operator==(const TRecordedKey& other) const = default;
};

// The key a recorder writes for token at frame, or false when token is no key-script token or not
// written as a recorder writes it (lower case, its @N equal to frame).
bool RecordedKeyFromToken(uint32_t frame, std::string_view token, TRecordedKey& key);
// The key steps that play the keys again (lshift+KEY is two steps, its Shift's and its KEY's).
std::vector<TKeyStep> KeyStepsOf(const std::vector<TRecordedKey>& keys);

struct TRecording {
  std::string game;                // the version of the game that made it
  bool newGame = true;             // no save at the start
  std::vector<uint8_t> startSave;  // the save it started from, when there was one
  uint32_t clock = 0;              // the clock value the game seeded its random numbers with
  std::vector<TRecordedKey> keys;
  bool ended = false;              // false: the game was cut off before it could write the end
  uint32_t endFrames = 0;          // frames presented in all
  std::string how;                 // escape, closed, signal N, ending, death, error, status N
  std::string saveHash;            // the SHA-256 of the save left, or "none"
};

// The lines, each with its line end, as a recording holds them.
std::string RecordingHeaderText(const std::string& game, bool newGame, const std::vector<uint8_t>& startSave);
std::string RecordingClockLine(uint32_t clock);
std::string RecordingKeyLine(const TRecordedKey& key);
std::string RecordingEndText(uint32_t frames, const std::string& how, const std::string& saveHash);
// A whole recording (the header, the clock, the keys and, when ended, the end).
std::string RecordingText(const TRecording& recording);

// Reads a recording; a foreign, damaged or truncated text is refused with one line in error (its
// line number and what is wrong there, anything quoted from the text escaped and cut short). Only
// what a recorder writes is taken. A text that stops cleanly before its end is read with ended false.
// The whole text is checked before anything is kept, so a damaged file costs no memory.
bool ParseRecording(const std::string& text, TRecording& recording, std::string& error);

// Names how the game ends, for a recording being made ("ending", "death"); otherwise an end with
// status 0 is "escape", or "closed" when the window was closed.
void NameRecordedEnd(const char* how);

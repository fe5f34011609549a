// Key scripts, which the headless key source plays (script_player.h). Tokens are white-space
// separated and case-insensitive:
//   a key name (enter esc space up down 0-9 a-z f1-f12 lshift rshift): pressed and released at the
//     next WaitForKey, after that wait has cleared the key table;
//   KEY@N: pressed and released right after presented frame N (frames counted from 1);
//   lshift+KEY / rshift+KEY: Shift goes down at the next key wait and stays held, KEY is pressed and
//     released at the wait after, then Shift is released.
// Recordings write what a player did with a few more tokens, each at the next key wait or, with @N,
// right after presented frame N:
//   hold:KEY (goes down and stays held), release:KEY, vkN (any key by its virtual-key code 1-255),
//   focus / unfocus (the window gains or loses the keyboard), close (the window is closed) and
//   signal:N (end signal N arrives: 1 SIGHUP, 2 SIGINT, 3 SIGQUIT, 15 SIGTERM).
// When a wait finds no key step left, the script ends the program as closing the window would.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Hold: the key goes down and stays held. ComboShift: the Shift of lshift+KEY, held from its wait;
// it is written with the KEY that follows, never on its own.
enum class TStepKind : uint8_t { Press, Hold, Release, Focus, Unfocus, Close, Signal, ComboShift };

// One step, eight bytes: a recording of millions of keys stays small.
struct TKeyStep {
  uint8_t key = 0;           // the key, or a Signal step's signal number
  uint8_t releaseAfter = 0;  // a key released after this one's press (the Shift of lshift+KEY)
  TStepKind kind = TStepKind::Press;
  uint32_t frame = 0;        // > 0: fires right after this presented frame; 0: at a key wait
  bool operator==(const TKeyStep& other) const = default;
};

// Parses script into steps; on a bad token returns false with a message naming it in error.
bool ParseKeyScript(const std::string& script, std::vector<TKeyStep>& steps, std::string& error);
// One token (a lower-case word of the script): one step, or two for lshift+KEY. 0 when it is none.
int ParseKeyToken(std::string_view word, TKeyStep (&steps)[2]);
// The token a step is written as, the way a recorder writes it ("" for a ComboShift).
std::string KeyStepToken(const TKeyStep& step);


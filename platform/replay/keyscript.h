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
#include <string>
#include <vector>

enum class TStepKind { Press, Release, Focus, Unfocus, Close, Signal };

struct TKeyStep {
  int key = 0;            // the key, or a Signal step's signal number
  int frame = 0;          // > 0: fires after this presented frame; 0: fires at a key wait
  bool holdOnly = false;  // the key going down and staying held
  int releaseAfter = 0;   // a key to release after this one (the Shift of lshift+KEY)
  TStepKind kind = TStepKind::Press;
  std::string token;      // the token this step completes, as a recording writes it back
};

// Parses script into steps; on a bad token returns false with a message naming it in error.
bool ParseKeyScript(const std::string& script, std::vector<TKeyStep>& steps, std::string& error);

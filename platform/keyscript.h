// Key scripts: the headless key source. Tokens are white-space separated and case-insensitive:
//   a key name (enter esc space up down 0-9 a-z f1-f12 lshift rshift): pressed and released at the
//     next WaitForKey, after that wait has cleared the key table;
//   KEY@N: pressed and released right after presented frame N (frames counted from 1);
//   lshift+KEY / rshift+KEY: Shift goes down at the next key wait and stays held, KEY is pressed and
//     released at the wait after, then Shift is released.
// When a wait finds no key step left, the script ends the program as closing the window would.
#pragma once
#include <string>
#include <vector>

struct TKeyStep {
  int key = 0;
  int frame = 0;          // > 0: fires after this presented frame; 0: fires at a key wait
  bool holdOnly = false;  // Shift going down and staying held
  int releaseAfter = 0;   // a key to release after this one (the Shift of lshift+KEY)
};

// Parses script into steps; on a bad token returns false with a message naming it in error.
bool ParseKeyScript(const std::string& script, std::vector<TKeyStep>& steps, std::string& error);

// The virtual-key code of a key name ("enter", "f3", "q"), or 0.
int KeyCodeFromName(const std::string& name);

// Installs the steps as the key source.
void UseKeyScript(std::vector<TKeyStep> steps);

// Key steps not yet fired (tests).
int RemainingKeySteps();

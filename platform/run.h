// The platform's own start-up around the game: chooses the real or headless display, the real or
// virtual clock and the key source, runs the game's body and turns every way the program ends
// (ExitProgram, RaiseError, a closed window, an end signal, the end of a key script) into an exit
// status. The working folder is locked for the run, so a second copy there is refused.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/replay/keyscript.h"

struct TRunOptions {
  bool headless = false;        // SDL's offscreen driver, no window and no events
  bool virtualClock = false;
  uint32_t clockStart = 0;      // the virtual clock's start value
  bool useKeyScript = false;
  bool watch = false;           // with a window, a virtual clock and a key script: watching a recording
  std::vector<TKeyStep> keys;
  bool drawNothing = false;     // headless without drawing: paced and counted, nothing rasterised
  std::string shotsDir;         // when set: DIR/0001.png ... at every key wait
  std::string workDir;          // when set: the working directory
  bool record = false;          // records the game (LastRecording), and to recordPath when set
  std::string recordPath;       // relative to the folder the program started in
  std::string gameVersion;      // written in the recording
  std::string saveName = "save.dat";  // the save a recording starts from and hashes at the end
  int64_t saveLimit = 0;        // the largest save the game reads: a recording keeps one byte more
};

// Runs body and returns the program's exit status: 0; 255 after a runtime error; 1 when the save
// could not be written, the window system failed or another copy holds the working folder;
// 128 + the number of an end signal (SIGTERM, SIGINT, SIGHUP, SIGQUIT), after saving; 2 when the
// recording asked for cannot be written (the game does not start); 1 when the recording stopped
// short (a full disk), with a game that would otherwise end with 0. Watching a recording, the
// recorded game's own end is 0; a signal sent to the watcher is still 128 + N.
// options is taken by value: the key steps move into the key source rather than being copied.
int RunProgram(TRunOptions options, void (*body)());

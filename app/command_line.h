// The game's command line: it plays when given nothing; the options only ask about the program.
// A new option is one more branch in ParseCommandLine and one more field here.
#pragma once
#include <cstdio>
#include <string>

struct TCommandLine {
  bool help = false;
  bool version = false;
  std::string record;   // --record FILE: the game played is recorded to FILE
  std::string watch;    // --watch FILE: the recording FILE is played in the window
  bool refused = false;  // an argument was not understood: the program then does nothing else
  std::string unknown;   // the first such argument (it may be empty)
};

TCommandLine ParseCommandLine(int argc, char** argv);

// The usage: what the game is, how it is started, the keys and where its save lives.
void PrintUsage(std::FILE* out, const std::string& saveLocation);

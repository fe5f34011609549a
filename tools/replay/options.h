// The replay tool's command line: turned into the platform's run options, or one line saying what
// is wrong with it. Reading the key file and checking the directories happen here, before anything runs.
#pragma once
#include <string>
#include <vector>

#include "platform/run.h"

enum class ReplayCommand { Run, Help, Error };

struct TReplayCommandLine {
  ReplayCommand command = ReplayCommand::Error;
  TRunOptions options;
  std::string error;  // one line, when command is Error
  bool stats = false;  // --stats: frames, virtual clock and wall time printed at exit
};

TReplayCommandLine ParseReplayCommandLine(const std::vector<std::string>& args);

extern const char* const kReplayUsage;

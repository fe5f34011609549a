// The replay tool's command line: turned into the platform's run options, or one line saying what
// is wrong with it. Reading the key file and checking the directories happen here, before anything runs.
#pragma once
#include <string>
#include <vector>

#include "platform/replay/recording.h"
#include "platform/run.h"

enum class ReplayCommand { Run, Help, Error };

struct TReplayCommandLine {
  ReplayCommand command = ReplayCommand::Error;
  TRunOptions options;
  std::string error;  // one line, when command is Error
  bool stats = false;  // --stats: frames, virtual clock and wall time printed at exit
  bool playsRecording = false;  // --recording: the recording below, played in a scratch folder
  TRecording recording;
  bool badRecording = false;    // the error is the recording's, not the command line's
};

TReplayCommandLine ParseReplayCommandLine(const std::vector<std::string>& args);

extern const char* const kReplayUsage;

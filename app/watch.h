// Watching a recording: its keys and clock, in a scratch folder holding its starting save, so no
// save of the player's is read or written; the folder goes however the watching ends.
#pragma once
#include <string>

#include "platform/run.h"

// Plays the recording at path in the window and returns the exit status: 2 with one line for a file
// that is not a recording, 1 when no scratch folder can be made, else as RunProgram says.
int Watch(const std::string& path, TRunOptions options);

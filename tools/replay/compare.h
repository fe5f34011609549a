// A replayed recording against the recording it played: where the two parted, if they did.
#pragma once
#include <string>

#include "platform/replay/recording.h"

// "" when the replay delivered the same keys at the same frames and ended the same way, at the same
// frame, with the same save; otherwise one line saying where it parted first.
std::string WhereReplayParted(const TRecording& recorded, const TRecording& replayed, const std::string& version);

// Installs a key script as the key source; a bad token fails the test.
#pragma once
#include <string>
#include <vector>

#include "platform/replay/recording.h"

void UseKeys(const std::string& script);

// Recorded keys as the lines of a recording hold them ("17 enter@17"), to compare in a test.
std::vector<std::string> RecordedLines(const std::vector<TRecordedKey>& keys);

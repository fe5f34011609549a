// Key scripts played: the steps of a parsed script (keyscript.h) as the key source, in place of the
// window, at the key waits and presented frames they name.
#pragma once
#include <vector>

#include "platform/replay/keyscript.h"

struct TKeySource;

// Installs the steps as the key source (kept as they are: the source reads them in place).
void UseKeyScript(std::vector<TKeyStep> steps);
// The key source UseKeyScript installs, to be wrapped (watching a recording in the window).
TKeySource KeyScriptSource(std::vector<TKeyStep> steps);

// Key steps not yet fired (tests).
int RemainingKeySteps();

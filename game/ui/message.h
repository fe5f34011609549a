// The typed message: text drawn letter by letter over the status panel and the stage.
#pragma once
#include <cstdint>

#include "platform/core/text.h"

// Types text letter by letter; 0 when it ran to its end, 1 when skipped with Space or Enter.
int32_t ShowMessage(const Text& text, float scale, float speed, int32_t pulse, int32_t noSkip);

// Battle effects that other screens reuse: the floating number, the typed banner and the blocking
// rising line. FloatTextStep and BannerStep keep their state between calls; RisingText keeps none.
#pragma once
#include <cstdint>

#include "platform/core/text.h"

// One frame of a text floating up from just above (x, y) in the current colour; 1 on the call that
// finishes it (or on which Space or Enter cut it short), else 0. One text at a time.
int32_t FloatTextStep(const Text& text, float x, float y, float speed, int32_t frames);
// One frame of a centred banner typed letter by letter in flickering warm tints; 1 on the call that
// finishes it (or on which Space or Enter skips it, unless noSkip is 1). Escape ends the program.
int32_t BannerStep(const Text& text, float speed, int32_t noSkip);
// Blocking: a line rising from (x, y) by speed pixels a frame until it has risen distance pixels or
// Space or Enter is pressed, in the current colour; with bonusTitle, "RUNE VICTORY BONUS!" above it.
void RisingText(const Text& text, float x, float y, float speed, int32_t distance, int32_t bonusTitle);

// The banner's letter count: 0 when the program starts, 1.0 after each banner finished or skipped.
float BannerLetters();
// Puts both step effects back to their start-of-program state (tests running games in-process).
void ResetEffects();

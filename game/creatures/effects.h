// Battle effects that other screens reuse: the typed banner and the blocking rising line.
#pragma once
#include <cstdint>

#include "platform/text.h"

int32_t FloatTextStep(const Text& text, float x, float y, float speed, int32_t frames);
int32_t BannerStep(const Text& text, float speed, int32_t noSkip);
// Blocking: a line rising from (x, y) by speed pixels a frame until it has risen distance pixels or
// Space or Enter is pressed, in the current colour; with bonusTitle, "RUNE VICTORY BONUS!" above it.
void RisingText(const Text& text, float x, float y, float speed, int32_t distance, int32_t bonusTitle);

// The status panel along the bottom of every frame, the stage with the hero and the opponent, and
// the bar of ball glyphs both use.
#pragma once
#include <cstdint>

void DrawScene();
void DrawBar(float value, int32_t maximum, int32_t x, int32_t y, int32_t length, int32_t experienceStyle);

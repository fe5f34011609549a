// The title screen, the intro's lines and the ending, each drawn over the dimmed title picture.
#pragma once
#include <cstdint>

void ShowTitleScreen(int32_t i);
void ShowIntro();
[[noreturn]] void ShowEnding();

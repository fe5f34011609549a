// The title screen, the intro's lines and the ending, each drawn over the dimmed title picture.
#pragma once
#include <cstdint>

void ShowTitleScreen(int32_t i);
// Loads every creature's animations while the title screen shows them appearing; returns after a
// key. Escape while loading ends the program.
void LoadCreatureAnimations();
void ShowIntro();
[[noreturn]] void ShowEnding();

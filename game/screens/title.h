// The title screen, the intro's lines and the ending, each drawn over the dimmed title picture.
#pragma once
#include <cstdint>
#include <string>

void ShowTitleScreen(int32_t i);
// Loads every creature's animations while the title screen shows them appearing, puts the hero's
// figure on its first attack frame, and returns after a key. Before the key wait, saveReport (the
// loader's line about a save it repaired or could not use) is typed and then kept up whole with
// the prompt. Escape while loading ends the program.
void LoadCreatureAnimations(const std::string& saveReport = "");
void ShowIntro();
[[noreturn]] void ShowEnding();

// The title screen, the intro's lines and the ending, each drawn over the dimmed title picture.
#pragma once
#include <cstdint>
#include <string>

void ShowTitleScreen(int32_t i);
// Loads every creature's animations while the title screen shows them appearing; Escape while
// loading ends the program.
void LoadCreatureAnimations();
// The title's wait for a key once everything is loaded. saveReport, the loader's line about a save
// it repaired or could not use, is typed first and then kept up whole with the prompt under it;
// with none ("") the title's last loading frame simply stays up.
void WaitAtTitle(const std::string& saveReport);
void ShowIntro();
[[noreturn]] void ShowEnding();

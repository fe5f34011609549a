// Program start: the flow into the first screen and the exit handler that saves the game.
#pragma once

// The whole program after the platform's own start-up; ends only through ExitProgram.
[[noreturn]] void GameMain();
void SaveOnExit();

// The start of every in-process test of the game: the platform's state as a fresh program has it,
// and stand-in art for tests that only record what is drawn.
#pragma once

// Program ends that throw, no exit handlers, the keyboard and frame count forgotten, the virtual
// clock at 0, seed 1, no draw recorder, and colour, alpha, blend mode and scale at their defaults.
void ResetPlatformState();
// A stand-in font strip and title picture (nothing decoded), the resource prefix, and the stage
// heights of an 800 x 600 display.
void UseStandInArt();
// Both, then a fresh game world and a new-game hero with the default items.
void StartNewGame();

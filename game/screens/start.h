// Program start and the flow between screens: the game's globals, the title screen, the intro and
// the ending, and the exit handler that saves the game.
#pragma once
#include <cstdint>

#include "platform/image.h"
#include "platform/text.h"

extern ImagePtr TitlePicture;
extern int32_t NoSave;
// "incbin::", set at start-up and put in front of every resource name.
extern Text ResourcePrefix;

// The whole program after the platform's own start-up; ends only through ExitProgram.
[[noreturn]] void GameMain();
void SaveOnExit();
void ShowTitleScreen(int32_t i);
void ShowIntro();
[[noreturn]] void ShowEnding();
void DrawTitlePicture(int32_t dim);

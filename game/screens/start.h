// Program start: the game's globals, the flow into the first screen, the exit handler that saves
// the game and the dimmed title picture every screen is drawn over.
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
void DrawTitlePicture(int32_t dim);

// How every paced frame of the game ends, the dimmed title picture each one is drawn over, and the
// key test that cuts an effect short.
#pragma once
#include <cstdint>

#include "platform/images/image.h"

// The title picture, loaded at start-up: the background of every screen.
extern ImagePtr TitlePicture;
// The title picture over the whole back buffer, dimmed to grey when dim is 1, else in the current
// colour and alpha.
void DrawTitlePicture(int32_t dim);

// Presents the frame, paced to the display's rate, then draws the dimmed title picture into the
// fresh back buffer as the next frame's background (nothing ever clears it).
void PresentFrame();
// The status panel on top of whatever the frame holds, then PresentFrame.
void EndFrame();
// The status panel and the present, with the next frame's background drawn in the colour (red,
// green, blue) at alpha instead of dimmed: the hero's death pulses the screen red this way.
void EndFrameOnTintedTitle(int32_t red, int32_t green, int32_t blue, float alpha);
// Whether Space or Enter has been pressed since last asked. Space is asked first, so a Space
// press leaves a pending Enter for whoever asks next.
bool SkipPressed();

// How every paced frame of the game ends, and the key test that cuts an effect short.
#pragma once

// Presents the frame, paced to the display's rate, then draws the dimmed title picture into the
// fresh back buffer as the next frame's background (nothing ever clears it).
void PresentFrame();
// The status panel on top of whatever the frame holds, then PresentFrame.
void EndFrame();
// Whether Space or Enter has been pressed since last asked. Space is asked first, so a Space
// press leaves a pending Enter for whoever asks next.
bool SkipPressed();

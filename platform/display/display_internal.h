// The display's workings that only the platform (the textures, the SDL event pump) and its tests
// use: whether it has an OpenGL context, the window's layout and the pacing record.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/display/letterbox.h"

// True while an OpenGL context is open (a display that draws nothing has none).
bool DisplayHasContext();
// Shows the last presented picture again (window exposed or resized), laid out for the drawable's
// size read again; no frame is counted.
void RefreshDisplayWindow();
// Alt+Enter and F11: between full screen on the desktop and an 800 x 600 window.
void ToggleDisplayFullScreen();
// The window's drawable as last read, and where the picture is shown in it (0 with no display).
void DisplayDrawableSize(int32_t& width, int32_t& height);
TLetterbox DisplayPictureArea();
// Asks for another window size (the headless window too, for tests) and lays the picture out again.
void ResizeDisplayWindow(int32_t width, int32_t height);
// The RGB of one pixel of the drawable, top row first, as showing the last presented picture in it
// leaves it (headless too: drawn for the asking).
bool ReadShownPixel(int32_t x, int32_t y, uint8_t rgb[3]);
// The whole drawable the same way, as RGB rows, top row first (its size from DisplayDrawableSize).
bool ReadShownPicture(std::vector<uint8_t>& rgb);
// The pacing record, for tests: paced-by-timer and the next frame's target time.
bool DisplayPacedByTimer();
uint32_t DisplayFrameTarget();

// The typed message: text drawn letter by letter over the status panel and the stage.
#pragma once
#include <cstdint>

#include "platform/core/text.h"

// Types text letter by letter; 0 when it ran to its end, 1 when skipped with Space or Enter. Line
// breaks ('\n') stack the lines, each centred, around the middle of the picture.
int32_t ShowMessage(const Text& text, float scale, float speed, int32_t pulse, int32_t noSkip);
// A pulsing message whole, in the steady red its last frame shows, unpresented: for a screen that
// keeps the message up once typed, even when the typing was cut short.
void DrawWholeMessage(const Text& text, float scale);
// text with line breaks in place of the spaces where a line would run wider than the picture less
// a margin at each side, at scale; a word too long for any line is cut where a line ends.
Text WrapMessage(const Text& text, float scale);

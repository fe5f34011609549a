// tfont: the bitmap font cut from "image\font2.png", and the text drawers.
#pragma once
#include <cstdint>

#include "platform/image.h"
#include "platform/text.h"

struct tfont {
  Text charset;
  ImagePtr glyphs;
  int32_t advance = 8;
  int32_t cellHeight = 14;
};

extern tfont font;

void LoadBitmapFont();
void DrawFontText(const Text& text, int32_t x, int32_t y, uint8_t centreX, uint8_t centreY,
                  uint8_t alignRight);
void DrawKeywordText(const Text& text, int32_t y, int32_t highlight);
void SetClampedColor(int32_t red, int32_t green, int32_t blue);

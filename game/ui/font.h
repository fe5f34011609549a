// tfont: the bitmap font cut from "image\font2.png", and the text drawers.
#pragma once
#include <cstdint>

#include "platform/images/image.h"
#include "platform/core/text.h"

struct tfont {
  Text charset;
  ImagePtr glyphs;
  int32_t advance = 8;
  int32_t cellHeight = 14;
};

extern tfont font;

// Makes the global font; a missing or undecodable strip ends the program with a runtime error.
void LoadBitmapFont();
void DrawFontText(const Text& text, int32_t x, int32_t y, uint8_t centreX, uint8_t centreY,
                  uint8_t alignRight);
// One line from x = 44 with the statistic words in their colours.
void DrawKeywordText(const Text& text, int32_t y, int32_t highlight);
void SetClampedColor(int32_t red, int32_t green, int32_t blue);

// The characters that have glyphs, in strip order.
inline constexpr const char* FontCharset = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,'?!%#+-=$&*:/\\><()";
// The glyph frame of a character of the charset, or -1 for one without a glyph.
int32_t GlyphFrame(char16_t ch);

// Helpers for the screen tests: a stand-in glyph strip for drawing without a display, reading the
// draw recorder back as text by row, a fresh new-game hero, and key scripts.
#pragma once
#include "tests/support/stand_in_image.h"
#include <cstdint>
#include <string>
#include <vector>

#include "platform/display.h"
#include "platform/image.h"

// A 56-frame image of 14 x 12 cells, the shape of the real strip, for recorder-only tests.

// The characters drawn with the font's glyphs on row y, ordered by x (spaces are not drawn).
std::string GlyphTextAt(const std::vector<TDrawRecord>& records, float y);
// Only the records drawn with the font's glyphs.
std::vector<TDrawRecord> GlyphRecords(const std::vector<TDrawRecord>& records);
// The first glyph record at (x, y), or nullptr.
const TDrawRecord* GlyphAt(const std::vector<TDrawRecord>& records, float x, float y);
char GlyphChar(const TDrawRecord& record);

// Everything a screen test needs in process: program ends throw, no display, a virtual clock, the
// stand-in font and title picture, a new-game hero with the default items, no opponent.
void ResetScreenWorld();
#include "tests/support/key_script.h"

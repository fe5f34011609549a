// Reading the draw recorder back as text: the records drawn with the font's glyphs, by row.
#pragma once
#include <string>
#include <vector>

#include "platform/display/display.h"

// Only the records drawn with the font's glyphs.
std::vector<TDrawRecord> GlyphsOf(const std::vector<TDrawRecord>& records);
char GlyphChar(const TDrawRecord& record);
// The characters drawn with the font's glyphs on row y, in drawing order (spaces are not drawn).
std::string GlyphRow(const std::vector<TDrawRecord>& records, float y);
// The same ordered by x, counting only glyphs drawn at the font's own size.
std::string GlyphTextAt(const std::vector<TDrawRecord>& records, float y);
// The characters drawn on row y from x up to width pixels to its right, in drawing order (over
// every frame the records hold).
std::string GlyphRun(const std::vector<TDrawRecord>& records, float x, float y, float width);
// The first glyph record at (x, y), or nullptr.
const TDrawRecord* GlyphAt(const std::vector<TDrawRecord>& records, float x, float y);

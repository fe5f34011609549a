// Glyph readers (see glyphs.h).
#include "tests/support/glyphs.h"

#include <algorithm>

#include "game/ui/font.h"

std::vector<TDrawRecord> GlyphsOf(const std::vector<TDrawRecord>& records) {
  std::vector<TDrawRecord> glyphs;
  for (const TDrawRecord& r : records)
    if (r.image == font.glyphs.get()) glyphs.push_back(r);
  return glyphs;
}

char GlyphChar(const TDrawRecord& record) { return FontCharset[record.frame]; }

std::string GlyphRow(const std::vector<TDrawRecord>& records, float y) {
  std::string text;
  for (const TDrawRecord& r : GlyphsOf(records))
    if (r.y == y) text += GlyphChar(r);
  return text;
}

std::string GlyphRun(const std::vector<TDrawRecord>& records, float x, float y, float width) {
  std::string text;
  for (const TDrawRecord& r : GlyphsOf(records))
    if (r.y == y && r.x >= x && r.x < x + width) text += GlyphChar(r);
  return text;
}

std::string GlyphTextAt(const std::vector<TDrawRecord>& records, float y) {
  std::vector<TDrawRecord> row;
  for (const TDrawRecord& r : GlyphsOf(records))
    if (r.y == y && r.width == 14.0f) row.push_back(r);
  std::stable_sort(row.begin(), row.end(), [](const TDrawRecord& a, const TDrawRecord& b) { return a.x < b.x; });
  std::string text;
  for (const TDrawRecord& r : row) text += GlyphChar(r);
  return text;
}

const TDrawRecord* GlyphAt(const std::vector<TDrawRecord>& records, float x, float y) {
  for (const TDrawRecord& r : records)
    if (r.image == font.glyphs.get() && r.x == x && r.y == y) return &r;
  return nullptr;
}

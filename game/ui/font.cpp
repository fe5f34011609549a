// The bitmap font: the glyph strip, the plain text drawer with its centring and right alignment,
// and the keyword line drawer that paints the statistic words in their colours. Draws only; keeps
// no state between calls and never changes the scale, alpha or blend mode.
#include "game/ui/font.h"

#include <string_view>

#include "game/creatures/anim.h"
#include "game/ui/palette.h"
#include "platform/display/display.h"
#include "platform/core/program.h"

tfont font;

namespace {

struct tkeyword {
  std::string_view word;
  TColor color;
  bool needsColon;  // "equipped" is a keyword only as the label "equipped:"
};

constexpr tkeyword KeywordColors[] = {
    {"health", kStatColors[StatHealth], false},
    {"gold", kStatColors[StatGold], false},
    {"rune", kRuneColor, false},
    {"health-max", kStatColors[StatHealthMax], false},
    {"strength", kStatColors[StatStrength], false},
    {"defence", kStatColors[StatDefence], false},
    {"accuracy", kStatColors[StatAccuracy], false},
    {"experience", kStatColors[StatExperience], false},
    {"equipped", kEquippedColor, true},
};

constexpr std::string_view KeywordSeparators = " :=#,";

bool IsSeparator(char16_t ch) {
  return ch < 128 && KeywordSeparators.find(static_cast<char>(ch)) != std::string_view::npos;
}

// The keyword a lower-cased word names, given the separator that ended it; nullptr for none.
const tkeyword* FindKeyword(const Text& lowerWord, char16_t separator) {
  for (const tkeyword& keyword : KeywordColors) {
    if (keyword.needsColon && separator != u':') continue;
    if (static_cast<size_t>(lowerWord.Length()) != keyword.word.size()) continue;
    bool same = true;
    for (int32_t i = 0; i < lowerWord.Length() && same; ++i)
      same = lowerWord[i] == static_cast<char16_t>(keyword.word[static_cast<size_t>(i)]);
    if (same) return &keyword;
  }
  return nullptr;
}

}  // namespace

int32_t GlyphFrame(char16_t ch) {
  const std::string_view charset = FontCharset;
  if (ch == 0 || ch >= 128) return -1;
  const size_t at = charset.find(static_cast<char>(ch));
  return at == std::string_view::npos ? -1 : static_cast<int32_t>(at);
}

void LoadBitmapFont() {
  font.charset = Text(FontCharset);
  font.advance = 8;
  font.cellHeight = 14;
  font.glyphs = LoadImageStrip(ResourcePrefix + "image\\font2.png", 14, 12, 0, font.charset.Length(), -1);
  if (!font.glyphs) RaiseError("Bitmap font could not be loaded");
}

void DrawFontText(const Text& text, int32_t x, int32_t y, uint8_t centreX, uint8_t centreY,
                  uint8_t alignRight) {
  float sx = 1.0f, sy = 1.0f;
  GetDrawScale(sx, sy);
  const Text upper = TextUpper(text);
  const int32_t length = upper.Length();
  if (centreX) x = static_cast<int32_t>(static_cast<float>(x) - static_cast<float>(length * font.advance / 2) * sx);
  if (centreY) y = static_cast<int32_t>(static_cast<float>(y) - static_cast<float>(font.cellHeight / 2) * sy);
  if (alignRight) x = static_cast<int32_t>(static_cast<float>(x) - static_cast<float>(length * font.advance) * sx);
  for (int32_t i = 0; i < length; ++i) {
    const char16_t ch = upper[i];
    if (ch != u' ') {
      // A character without a glyph draws nothing but still takes its cell.
      const int32_t frame = GlyphFrame(ch);
      if (frame >= 0 && font.glyphs)
        DrawImageFrame(font.glyphs.get(), static_cast<float>(x), static_cast<float>(y), frame);
    }
    x = static_cast<int32_t>(static_cast<float>(x) + static_cast<float>(font.advance) * sx);
  }
}

void DrawKeywordText(const Text& text, int32_t y, int32_t highlight) {
  int32_t r0 = 0, g0 = 0, b0 = 0;
  GetDrawColor(r0, g0, b0);
  const Text line = text + " ";
  int32_t x = 44;
  int32_t wordStart = 0;
  for (int32_t i = 0; i < line.Length(); ++i) {
    const char16_t separator = line[i];
    if (!IsSeparator(separator)) continue;
    const Text word(line.chars.substr(static_cast<size_t>(wordStart), static_cast<size_t>(i - wordStart)));
    if (word.Length() >= 4) {
      if (const tkeyword* keyword = FindKeyword(TextLower(word), separator)) {
        UseColor(keyword->color);
        if (highlight) {
          int32_t r = 0, g = 0, b = 0;
          GetDrawColor(r, g, b);
          SetClampedColor(r - 60, g - 60, b);
        }
      }
    }
    DrawFontText(word + Text(std::u16string(1, separator)), x, y, 0, 0, 0);
    // The highlight darkens every word after the first: the option number keeps its colour.
    SetDrawColor(r0, g0, b0);
    if (highlight) SetClampedColor(r0 - 60, g0 - 60, b0);
    x += (word.Length() + 1) * font.advance;
    wordStart = i + 1;
  }
}

void SetClampedColor(int32_t red, int32_t green, int32_t blue) {
  auto clamp = [](int32_t v) { return MaxInt(MinInt(v, 255), 0); };
  SetDrawColor(clamp(red), clamp(green), clamp(blue));
}

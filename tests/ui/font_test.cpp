// The font: loading the strip, DrawFontText's placement (centring, right alignment, scale), and
// the keyword line drawer's words, separators, colours and highlight.
#include <gtest/gtest.h>

#include <vector>

#include "game/creatures/anim.h"
#include "game/ui/font.h"
#include "platform/display/display.h"
#include "platform/core/program.h"
#include "platform/files/resources.h"
#include "tests/support/end_status.h"
#include "tests/ui/ui_support.h"

namespace {

class FontText : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetScreenWorld();
    SetDrawRecorder(&records);
  }
  void TearDown() override {
    SetDrawRecorder(nullptr);
    SetDrawScale(1.0f, 1.0f);
  }
  std::vector<TDrawRecord> records;
};

TEST_F(FontText, ScaledTextIsCentredWithIntegerHalvingAndAdvancesWithTheScale) {
  SetDrawScale(3.0f, 2.0f);
  DrawFontText("AB", 400, 15, 1, 1, 0);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].x, 376.0f);
  EXPECT_EQ(records[0].y, 1.0f);
  EXPECT_EQ(GlyphChar(records[0]), 'A');
  EXPECT_EQ(records[1].x, 400.0f);
  EXPECT_EQ(records[1].y, 1.0f);
  EXPECT_EQ(GlyphChar(records[1]), 'B');
  EXPECT_EQ(records[0].scaleX, 3.0f);
  EXPECT_EQ(records[0].scaleY, 2.0f);
}

TEST_F(FontText, OddLengthCentringHalvesThePixelWidthNotTheLetterCount) {
  // 3 letters are 24 pixels; half is 12, so "ABC" centred on 100 starts at 88, not at 96.
  DrawFontText("ABC", 100, 50, 1, 0, 0);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].x, 88.0f);
  EXPECT_EQ(records[0].y, 50.0f);
}

TEST_F(FontText, FractionalScaleTruncatesEveryStep) {
  SetDrawScale(1.3f, 1.0f);
  DrawFontText("AAA", 10, 0, 0, 0, 0);
  ASSERT_EQ(records.size(), 3u);
  // 8 x 1.3 = 10.4 each step, truncated after each addition: 10, 20, 30.
  EXPECT_EQ(records[0].x, 10.0f);
  EXPECT_EQ(records[1].x, 20.0f);
  EXPECT_EQ(records[2].x, 30.0f);
}

TEST_F(FontText, RightAlignedArrowEndsAtTheGivenX) {
  DrawFontText("->", 44, 28, 0, 0, 1);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].x, 28.0f);
  EXPECT_EQ(GlyphChar(records[0]), '-');
  EXPECT_EQ(records[1].x, 36.0f);
  EXPECT_EQ(GlyphChar(records[1]), '>');
}

TEST_F(FontText, LowerCaseDrawsTheCapitalGlyphs) {
  DrawFontText("hero", 0, 0, 0, 0, 0);
  std::vector<TDrawRecord> lower = records;
  records.clear();
  DrawFontText("HERO", 0, 0, 0, 0, 0);
  ASSERT_EQ(lower.size(), records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(lower[i].frame, records[i].frame);
    EXPECT_EQ(lower[i].x, records[i].x);
  }
  EXPECT_EQ(GlyphTextAt(records, 0.0f), "HERO");
}

TEST_F(FontText, SpacesAndUnknownCharactersAdvanceWithoutDrawing) {
  DrawFontText("A B~C", 0, 0, 0, 0, 0);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].x, 0.0f);
  EXPECT_EQ(records[1].x, 16.0f);
  EXPECT_EQ(records[2].x, 32.0f);
  EXPECT_EQ(GlyphChar(records[2]), 'C');
}

TEST_F(FontText, EmptyTextDrawsNothing) {
  DrawFontText("", 100, 100, 1, 1, 1);
  EXPECT_TRUE(records.empty());
}

TEST(FontLoading, LoadsFiftySixCellsFromTheEmbeddedStrip) {
  ResetScreenWorld();
  RegisterEmbeddedResources();
  LoadBitmapFont();
  ASSERT_TRUE(font.glyphs);
  EXPECT_EQ(font.glyphs->FrameCount(), 56);
  EXPECT_EQ(font.glyphs->width, 14);
  EXPECT_EQ(font.glyphs->height, 12);
  EXPECT_EQ(font.charset.Length(), 56);
  EXPECT_EQ(font.advance, 8);
  EXPECT_EQ(font.cellHeight, 14);
}

TEST(FontLoading, AMissingStripEndsTheProgramWithTheFontError) {
  ResetScreenWorld();
  bool handlerRan = false;
  AtExit([&] { handlerRan = true; });
  ResourcePrefix = "incbin::no such folder\\";
  std::string said;
  EXPECT_EQ(EndStatus(LoadBitmapFont, said), -1);
  EXPECT_EQ(said, "Bitmap font could not be loaded");
  EXPECT_TRUE(handlerRan);
  ResourcePrefix = "incbin::";
}

class KeywordText : public FontText {
 protected:
  // The colour of the glyph drawn at (x, y).
  void ExpectColorAt(float x, float y, int32_t r, int32_t g, int32_t b) {
    const TDrawRecord* glyph = GlyphAt(records, x, y);
    ASSERT_NE(glyph, nullptr) << "no glyph at x " << x;
    EXPECT_EQ(glyph->red, r) << "at x " << x;
    EXPECT_EQ(glyph->green, g) << "at x " << x;
    EXPECT_EQ(glyph->blue, b) << "at x " << x;
  }
};

TEST_F(KeywordText, HealthLineColoursTheWordAndColonThenSpacesThenDigitsInTheCallersColour) {
  SetDrawColor(1, 2, 3);
  DrawKeywordText("Health: 10/20", 516, 0);
  EXPECT_EQ(GlyphTextAt(records, 516.0f), "HEALTH:10/20");
  for (float x = 44; x <= 84; x += 8) ExpectColorAt(x, 516, 0, 255, 0);
  ExpectColorAt(92, 516, 0, 255, 0);  // the colon
  EXPECT_EQ(GlyphChar(*GlyphAt(records, 92, 516)), ':');
  // x = 100 is the empty word and its space: nothing drawn; the digits start at 108.
  EXPECT_EQ(GlyphAt(records, 100, 516), nullptr);
  ExpectColorAt(108, 516, 1, 2, 3);
  EXPECT_EQ(GlyphChar(*GlyphAt(records, 108, 516)), '1');
  ExpectColorAt(140, 516, 1, 2, 3);
  int32_t r = 0, g = 0, b = 0;
  GetDrawColor(r, g, b);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(g, 2);
  EXPECT_EQ(b, 3);
}

TEST_F(KeywordText, AFullStopBelongsToTheWordButACommaSeparatesIt) {
  SetDrawColor(9, 9, 9);
  DrawKeywordText("gold. gold, gold=", 0, 0);
  ExpectColorAt(44, 0, 9, 9, 9);             // "gold." is a five-letter word
  ExpectColorAt(44 + 6 * 8, 0, 255, 230, 0);  // "gold," is the keyword and its comma
  ExpectColorAt(44 + 10 * 8, 0, 255, 230, 0);
  ExpectColorAt(44 + 12 * 8, 0, 255, 230, 0);  // '=' separates too
}

TEST_F(KeywordText, EquippedIsRedOnlyAsALabelWithAColon) {
  SetDrawColor(50, 60, 70);
  DrawKeywordText("equipped: rune", 0, 0);
  ExpectColorAt(44, 0, 200, 0, 0);
  ExpectColorAt(44 + 8 * 8, 0, 200, 0, 0);
  ExpectColorAt(44 + 10 * 8, 0, 105, 145, 145);
  records.clear();
  DrawKeywordText("equipped rune", 20, 0);
  ExpectColorAt(44, 20, 50, 60, 70);
}

TEST_F(KeywordText, HyphenatedAndCaseFoldedWordsMatchWholeWordsOnly) {
  SetDrawColor(0, 0, 0);
  DrawKeywordText("HEALTH-MAX#Strength Defences Rune#2: Experience", 0, 0);
  ExpectColorAt(44, 0, 40, 170, 40);
  ExpectColorAt(44 + 11 * 8, 0, 168, 168, 255);
  ExpectColorAt(44 + 20 * 8, 0, 0, 0, 0);  // "Defences" is not "defence"
  ExpectColorAt(44 + 29 * 8, 0, 105, 145, 145);
  ExpectColorAt(44 + 37 * 8, 0, 190, 190, 200);
}

TEST_F(KeywordText, HighlightLeavesTheFirstWordAndDarkensTheRest) {
  SetDrawColor(255, 255, 255);
  DrawKeywordText("3: buy a rune", 70, 1);
  ExpectColorAt(44, 70, 255, 255, 255);  // "3:" keeps the option's colour
  ExpectColorAt(52, 70, 255, 255, 255);
  EXPECT_EQ(GlyphAt(records, 60, 70), nullptr);  // the empty word after the colon
  ExpectColorAt(44 + 3 * 8, 70, 195, 195, 255);  // "buy" after the first word
  ExpectColorAt(44 + 9 * 8, 70, 45, 85, 145);    // "rune" shifted from its own colour
  int32_t r = 0, g = 0, b = 0;
  GetDrawColor(r, g, b);
  EXPECT_EQ(r, 195);
  EXPECT_EQ(g, 195);
  EXPECT_EQ(b, 255);
}

TEST_F(KeywordText, HighlightShiftIsClampedAtZero) {
  SetDrawColor(200, 0, 0);
  DrawKeywordText("1: equipped: health", 0, 1);
  ExpectColorAt(44 + 3 * 8, 0, 140, 0, 0);     // (200, 0, 0) - 60, clamped
  ExpectColorAt(44 + 13 * 8, 0, 0, 195, 0);    // (0, 255, 0) - 60, clamped
}

TEST_F(KeywordText, WordsAdvanceEightPixelsACharacterWhateverTheScale) {
  SetDrawScale(2.0f, 2.0f);
  DrawKeywordText("AB CD", 0, 0);
  SetDrawScale(1.0f, 1.0f);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].x, 44.0f);
  EXPECT_EQ(records[1].x, 60.0f);  // within a word the scaled advance
  EXPECT_EQ(records[2].x, 68.0f);  // the next word 3 characters x 8 further
}

}  // namespace

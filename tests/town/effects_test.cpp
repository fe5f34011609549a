// The battle effects the town reuses: the rising line (frames, distances, colours, the bonus
// title, Space), the floating number's rise and stand, and the banner's letter count.
#include <gtest/gtest.h>

#include <set>

#include "game/creatures/effects.h"
#include "game/screens/font.h"
#include "game/screens/start.h"
#include "platform/display.h"
#include "platform/keyboard.h"
#include "tests/town/town_support.h"

namespace {

class RisingTextTest : public TownTest {
 protected:
  // The y of every glyph drawn at x in colour (r, g, b), one per frame.
  std::vector<float> RowsAt(float x, int32_t r, int32_t g, int32_t b) const {
    std::vector<float> rows;
    for (const TDrawRecord& rec : GlyphsOf(records))
      if (rec.x == x && rec.red == r && rec.green == g && rec.blue == b) rows.push_back(rec.y);
    return rows;
  }
};

TEST_F(RisingTextTest, RisesFortyPixelsInTwelveFramesInTheCurrentColour) {
  SetDrawColor(0, 255, 0);
  const int64_t before = PresentedFrameCount();
  RisingText("+60 health", 142.0f, 305.0f, 3.0f, 40, 0);
  EXPECT_EQ(PresentedFrameCount() - before, 12);
  const std::vector<float> rows = RowsAt(142.0f, 0, 255, 0);
  ASSERT_EQ(rows.size(), 12u) << "the first glyph, once a frame";
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], 300.0f - 3.0f * static_cast<float>(i));
  EXPECT_EQ(GlyphRow(records, 300.0f), "+60HEALTH");
}

TEST_F(RisingTextTest, TheDistancesTheGameUses) {
  const int64_t start = PresentedFrameCount();
  RisingText("+5 gold", 142.0f, 305.0f, 3.0f, 20, 0);
  EXPECT_EQ(PresentedFrameCount() - start, 6) << "the pawn shop's line";
  const int64_t next = PresentedFrameCount();
  RisingText("+3 strength", 240.0f, 305.0f, 2.0f, 52, 0);
  EXPECT_EQ(PresentedFrameCount() - next, 24) << "the Dragon Lord's gains";
}

TEST_F(RisingTextTest, SpaceStopsItButAPressFromBeforeIsForgotten) {
  KeyDownEvent(KeySpace);
  KeyUpEvent(KeySpace);
  Keys("space@3");
  const int64_t start = PresentedFrameCount();
  RisingText("+5 gold", 142.0f, 305.0f, 3.0f, 40, 0);
  EXPECT_EQ(PresentedFrameCount() - start, 3);
}

TEST_F(RisingTextTest, TheBonusTitleFlickersInColdTintsAboveTheLine) {
  SetDrawColor(255, 230, 0);
  RisingText("+10 gold", 142.0f, 305.0f, 3.0f, 40, 1);
  std::set<int32_t> greens;
  int32_t titles = 0;
  for (const TDrawRecord& rec : GlyphsOf(records)) {
    if (rec.y != 235.0f || rec.x != 142.0f) continue;
    ++titles;
    EXPECT_EQ(rec.red, 0);
    EXPECT_GE(rec.green, 100);
    EXPECT_LT(rec.green, 255);
    EXPECT_GE(rec.blue, 100);
    EXPECT_LT(rec.blue, 255);
    greens.insert(rec.green);
  }
  EXPECT_EQ(titles, 12);
  EXPECT_GT(greens.size(), 1u) << "a new tint every frame";
  // The first frame's title, in drawing order.
  std::string title;
  for (const TDrawRecord& rec : GlyphsOf(records))
    if (rec.y == 235.0f && rec.red == 0 && title.size() < 17) title += FontCharset[rec.frame];
  EXPECT_EQ(title, "RUNEVICTORYBONUS!");
  EXPECT_EQ(RowsAt(142.0f, 255, 230, 0).size(), 12u) << "the line keeps the colour it was given";
}

class FloatTextTest : public TownTest {};

TEST_F(FloatTextTest, RisesForTwelveCallsThenStandsAndEndsOnTheSeventeenth) {
  SetDrawColor(180, 0, 0);
  std::vector<float> rows;
  int32_t calls = 0;
  for (int32_t result = 0; result == 0 && calls < 100;) {
    records.clear();
    result = FloatTextStep("-12", 142.0f, 305.0f, 2.0f, 34);
    ++calls;
    const std::vector<TDrawRecord> glyphs = GlyphsOf(records);
    ASSERT_FALSE(glyphs.empty());
    EXPECT_EQ(glyphs[0].red, 180);
    EXPECT_EQ(glyphs[0].x, 142.0f);
    rows.push_back(glyphs[0].y);
  }
  EXPECT_EQ(calls, 17);
  EXPECT_EQ(rows.front(), 300.0f);
  EXPECT_EQ(rows[12], 276.0f) << "24 pixels up after the first 12 calls";
  EXPECT_EQ(rows.back(), 276.0f);
}

TEST_F(FloatTextTest, SpaceEndsItAndTheNextTextStartsAfresh) {
  EXPECT_EQ(FloatTextStep("missed", 240.0f, 305.0f, 2.0f, 34), 0);
  EXPECT_EQ(FloatTextStep("missed", 240.0f, 305.0f, 2.0f, 34), 0);
  KeyDownEvent(KeySpace);
  EXPECT_EQ(FloatTextStep("missed", 240.0f, 305.0f, 2.0f, 34), 1);
  records.clear();
  EXPECT_EQ(FloatTextStep("-3", 142.0f, 305.0f, 2.0f, 34), 0);
  ASSERT_FALSE(GlyphsOf(records).empty());
  EXPECT_EQ(GlyphsOf(records)[0].y, 300.0f) << "starts from its own place, not where the last one stopped";
}

class BannerTest : public TownTest {
 protected:
  int32_t CallsToFinish(float speed, int32_t noSkip) {
    int32_t calls = 1;
    while (BannerStep("VICTORY!", speed, noSkip) == 0 && calls < 200) ++calls;
    return calls;
  }
};

TEST_F(BannerTest, TheFirstBannerOfARunTakesTwoCallsMore) {
  EXPECT_EQ(BannerLetters(), 0.0f);
  EXPECT_EQ(CallsToFinish(0.65f, 0), 19);
  EXPECT_EQ(BannerLetters(), 1.0f);
  EXPECT_EQ(CallsToFinish(0.65f, 0), 17);
}

TEST_F(BannerTest, EnterSkipsUnlessNoSkipAndTheNextStartsFromOne) {
  BannerStep("VICTORY!", 0.65f, 0);
  KeyDownEvent(KeyEnter);
  EXPECT_EQ(BannerStep("VICTORY!", 0.65f, 1), 0) << "noSkip ignores Enter";
  EXPECT_EQ(BannerStep("VICTORY!", 0.65f, 0), 1);
  EXPECT_EQ(BannerLetters(), 1.0f);
  EXPECT_EQ(CallsToFinish(0.65f, 0), 17);
}

TEST_F(BannerTest, StaysCentredOnTheVisiblePartInWarmTints) {
  for (int32_t call = 1; call <= 6; ++call) {
    records.clear();
    BannerStep("VICTORY!", 0.65f, 0);
    std::vector<TDrawRecord> glyphs;
    for (const TDrawRecord& rec : GlyphsOf(records))
      if (rec.y == 300.0f) glyphs.push_back(rec);
    const int32_t shown = static_cast<int32_t>(BannerLetters());
    ASSERT_EQ(static_cast<int32_t>(glyphs.size()), shown);
    if (shown == 0) continue;
    EXPECT_EQ(glyphs[0].x, static_cast<float>(400 - (8 * shown) / 2));
    EXPECT_EQ(glyphs[0].y, 300.0f);
    EXPECT_EQ(glyphs[0].red, 255);
    EXPECT_LT(glyphs[0].green, 190);
  }
}

TEST_F(BannerTest, EscapeEndsTheProgram) {
  KeyDownEvent(KeyEscape);
  int status = -1;
  EXPECT_TRUE(EndsProgram([] { BannerStep("VICTORY!", 0.65f, 0); }, &status));
  EXPECT_EQ(status, 0);
}

}  // namespace

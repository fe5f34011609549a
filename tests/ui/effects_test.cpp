// The effects the town and the battle share: the rising line's frames, distances and colours, the
// floating number's rise, and the banner's letter count.
#include <gtest/gtest.h>

#include <memory>

#include "game/screens/world.h"
#include "game/ui/effects.h"
#include "game/ui/font.h"
#include "platform/display/display.h"
#include "platform/input/key_events.h"
#include "platform/input/keyboard.h"
#include "tests/support/end_status.h"
#include "tests/support/glyphs.h"
#include "tests/support/headless_display.h"
#include "tests/support/key_script.h"
#include "tests/support/test_world.h"

namespace {

// A new game on a headless display (banners centre on its size), everything drawn recorded.
class EffectsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    display_.reset(NewHeadlessDisplay());
    display_->SetUp();
  }
  static void TearDownTestSuite() {
    display_->TearDown();
    display_.reset();
  }
  void SetUp() override {
    StartNewGame();
    SetDrawRecorder(&records);
  }
  void TearDown() override {
    SetDrawRecorder(nullptr);
    ResetGameWorld();
  }
  static void Keys(const std::string& script) { UseKeys(script); }

  // The y of every glyph drawn at x in colour (r, g, b): one per frame for a line's first letter.
  std::vector<float> RowsAt(float x, int32_t r, int32_t g, int32_t b) const {
    std::vector<float> rows;
    for (const TDrawRecord& rec : GlyphsOf(records))
      if (rec.x == x && rec.red == r && rec.green == g && rec.blue == b) rows.push_back(rec.y);
    return rows;
  }
  int64_t FramesOf(const Text& text, float speed, int32_t distance, int32_t bonus) {
    const int64_t before = PresentedFrameCount();
    RisingText(text, 142.0f, 305.0f, speed, distance, bonus);
    return PresentedFrameCount() - before;
  }

  std::vector<TDrawRecord> records;
  static std::unique_ptr<::testing::Environment> display_;
};

std::unique_ptr<::testing::Environment> EffectsTest::display_;

TEST_F(EffectsTest, RisingTextRisesInTheCurrentColourForTheGivenDistance) {
  SetDrawColor(0, 255, 0);
  EXPECT_EQ(FramesOf("+60 health", 3.0f, 40, 0), 12);
  const std::vector<float> rows = RowsAt(142.0f, 0, 255, 0);
  ASSERT_EQ(rows.size(), 12u);
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], 300.0f - 3.0f * static_cast<float>(i));
  EXPECT_EQ(GlyphRow(records, 300.0f), "+60HEALTH");
  EXPECT_EQ(FramesOf("+5 gold", 3.0f, 20, 0), 6) << "the pawn shop's line";
  EXPECT_EQ(FramesOf("+3 strength", 2.0f, 52, 0), 24) << "the Dragon Lord's gains";
}

TEST_F(EffectsTest, RisingTextStopsOnSpaceButForgetsAPressFromBefore) {
  KeyDownEvent(KeySpace);
  KeyUpEvent(KeySpace);
  Keys("space@3");
  EXPECT_EQ(FramesOf("+5 gold", 3.0f, 40, 0), 3);
}

TEST_F(EffectsTest, TheBonusTitleFlickersInColdTintsAboveTheLine) {
  SetDrawColor(255, 230, 0);
  FramesOf("+10 gold", 3.0f, 40, 1);
  std::string title;
  int32_t titleFrames = 0;
  for (const TDrawRecord& rec : GlyphsOf(records)) {
    if (rec.y != 235.0f) continue;
    EXPECT_EQ(rec.red, 0);
    EXPECT_GE(rec.green, 100);
    EXPECT_LT(rec.blue, 255);
    if (title.size() < 17) title += FontCharset[rec.frame];
    titleFrames += rec.x == 142.0f;
  }
  EXPECT_EQ(title, "RUNEVICTORYBONUS!");
  EXPECT_EQ(titleFrames, 12);
  EXPECT_EQ(RowsAt(142.0f, 255, 230, 0).size(), 12u) << "the line keeps the colour it was given";
}

TEST_F(EffectsTest, FloatTextRisesTwelveCallsStandsAndEndsOnTheSeventeenth) {
  SetDrawColor(180, 0, 0);
  int32_t calls = 0;
  while (FloatTextStep("-12", 142.0f, 305.0f, 2.0f, 34) == 0 && calls < 100) ++calls;
  EXPECT_EQ(calls + 1, 17);
  const std::vector<float> rows = RowsAt(142.0f, 180, 0, 0);
  ASSERT_EQ(rows.size(), 17u);
  EXPECT_EQ(rows[0], 300.0f);
  EXPECT_EQ(rows[12], 276.0f);
  EXPECT_EQ(rows[16], 276.0f);

  // Space ends the next text at once; the one after starts from its own place.
  FloatTextStep("missed", 240.0f, 305.0f, 2.0f, 34);
  KeyDownEvent(KeySpace);
  EXPECT_EQ(FloatTextStep("missed", 240.0f, 305.0f, 2.0f, 34), 1);
  records.clear();
  FloatTextStep("-3", 142.0f, 305.0f, 2.0f, 34);
  EXPECT_EQ(RowsAt(142.0f, 180, 0, 0).size(), 1u);
  EXPECT_EQ(RowsAt(142.0f, 180, 0, 0)[0], 300.0f);
}

TEST_F(EffectsTest, TheFirstBannerOfARunTakesTwoCallsMoreAndASkipResetsTheCount) {
  auto callsToFinish = [] {
    int32_t calls = 1;
    while (BannerStep("VICTORY!", 0.65f, 0) == 0 && calls < 200) ++calls;
    return calls;
  };
  EXPECT_EQ(BannerLetters(), 0.0f);
  EXPECT_EQ(callsToFinish(), 19);
  EXPECT_EQ(BannerLetters(), 1.0f);
  EXPECT_EQ(callsToFinish(), 17);

  BannerStep("VICTORY!", 0.65f, 0);
  KeyDownEvent(KeyEnter);
  EXPECT_EQ(BannerStep("VICTORY!", 0.65f, 1), 0) << "noSkip ignores Enter";
  EXPECT_EQ(BannerStep("VICTORY!", 0.65f, 0), 1);
  EXPECT_EQ(BannerLetters(), 1.0f);
  EXPECT_EQ(callsToFinish(), 17);
  KeyDownEvent(KeyEscape);
  EXPECT_EQ(EndStatus([] { BannerStep("VICTORY!", 0.65f, 0); }), 0);
}

TEST_F(EffectsTest, TheBannerStaysCentredOnItsVisiblePart) {
  for (int32_t call = 1; call <= 6; ++call) {
    records.clear();
    BannerStep("VICTORY!", 0.65f, 0);
    const int32_t shown = static_cast<int32_t>(BannerLetters());
    std::vector<TDrawRecord> row;
    for (const TDrawRecord& rec : GlyphsOf(records))
      if (rec.y == 300.0f) row.push_back(rec);
    ASSERT_EQ(static_cast<int32_t>(row.size()), shown);
    if (shown > 0) {
      EXPECT_EQ(row[0].x, static_cast<float>(400 - (8 * shown) / 2));
    }
  }
}

}  // namespace

// The shared menu: the frame it draws, every key of ChooseOption, and what it leaves behind
// (choice, cursor, speaker, escapeEnds, the option list).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/screens/healer.h"
#include "game/state/hero.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/menu.h"
#include "platform/display/display.h"
#include "platform/core/program.h"
#include "tests/support/end_status.h"
#include "tests/ui/ui_support.h"

namespace {

class MenuKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetScreenWorld();
    SetDrawRecorder(&records);
  }
  void TearDown() override { SetDrawRecorder(nullptr); }

  void Fill(int32_t count) {
    menu.SetTitle("the test");
    menu.SetPrompt("What now?");
    for (int32_t i = 1; i <= count; ++i) menu.AddOption("option " + IntToText(i), 255, 255, 255);
  }
  int32_t Choose(const std::string& keys) {
    UseKeys(keys);
    menu.ChooseOption();
    return menu.choice;
  }
  // Each menu frame ends with the title picture drawn as the next frame's background.
  int32_t FramesDrawn() const {
    return static_cast<int32_t>(std::count_if(records.begin(), records.end(),
                                              [](const TDrawRecord& r) { return r.image == TitlePicture.get(); }));
  }
  bool ShowedChooseLine(const std::string& count) const {
    return GlyphTextAt(records, 0.0f) == "CHOOSEANUMBERBETWEEN1AND" + count;
  }
  std::vector<TDrawRecord> records;
};

TEST_F(MenuKeys, ArrowsWrapAroundTheList) {
  Fill(5);
  EXPECT_EQ(Choose("up enter"), 5);
  EXPECT_EQ(Choose("up up down down down down enter"), 3);
  EXPECT_EQ(menu.cursor, 3);
}

TEST_F(MenuKeys, DigitsChooseWithoutMovingTheCursor) {
  Fill(5);
  EXPECT_EQ(Choose("down 4"), 4);
  EXPECT_EQ(menu.cursor, 2);
}

TEST_F(MenuKeys, ZeroIsOptionTenAndFunctionKeysGoOnFromEleven) {
  Fill(12);
  EXPECT_EQ(Choose("0"), 10);
  Fill(12);
  EXPECT_EQ(Choose("f2"), 12);
  Fill(12);
  EXPECT_EQ(Choose("f1"), 11);
  Fill(12);
  EXPECT_EQ(Choose("9"), 9);
}

TEST_F(MenuKeys, AKeyNamingNoOptionShowsTheChooseLineOnTheNextFrame) {
  Fill(9);
  EXPECT_EQ(Choose("0 3"), 3);
  EXPECT_TRUE(ShowedChooseLine("9"));
  EXPECT_EQ(FramesDrawn(), 2);
  // Drawn in the grey the dimmed title picture leaves.
  const TDrawRecord* first = GlyphAt(records, 44.0f, 0.0f);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->red, 111);
  EXPECT_EQ(first->green, 111);
  EXPECT_EQ(first->blue, 111);
}

TEST_F(MenuKeys, FunctionKeyPastTheLastOptionIsNotAChoice) {
  Fill(11);
  EXPECT_EQ(Choose("f2 enter"), 1);
  EXPECT_TRUE(ShowedChooseLine("11"));
  EXPECT_EQ(FramesDrawn(), 2);
}

TEST_F(MenuKeys, ShiftGAddsGoldAndRedrawsWithoutChoosing) {
  Fill(3);
  const int32_t gold = hero.gold;
  EXPECT_EQ(Choose("lshift+g down enter"), 2);
  EXPECT_EQ(hero.gold, gold + 1000);
}

TEST_F(MenuKeys, ShiftGStopsAtTheGoldLimit) {
  Fill(3);
  hero.gold = INT32_MAX - 10;
  Choose("lshift+g enter");
  EXPECT_EQ(hero.gold, INT32_MAX);
}

TEST_F(MenuKeys, GAloneOnlyRedraws) {
  Fill(3);
  const int32_t gold = hero.gold;
  EXPECT_EQ(Choose("g h enter"), 1);
  EXPECT_EQ(hero.gold, gold);
  EXPECT_EQ(FramesDrawn(), 3);
  EXPECT_EQ(GlyphTextAt(records, 0.0f), "");
}

TEST_F(MenuKeys, ShiftHRestoresHealth) {
  Fill(3);
  hero.health = 7;
  Choose("rshift+h enter");
  EXPECT_EQ(hero.health, hero.healthmax);
}

TEST_F(MenuKeys, KeepCursorHoldsTheHighlightForOneCallOnly) {
  Fill(4);
  EXPECT_EQ(Choose("down down space"), 3);
  Fill(4);
  menu.keepCursor = 1;
  EXPECT_EQ(Choose("enter"), 3);
  EXPECT_EQ(menu.keepCursor, 0);
  Fill(4);
  EXPECT_EQ(Choose("enter"), 1);
}

// A kept cursor past a list that has grown shorter stands on the last option, so Enter chooses it.
TEST_F(MenuKeys, AKeptCursorComesBackToTheLastOption) {
  Fill(6);
  EXPECT_EQ(Choose("up enter"), 6);
  Fill(2);
  menu.keepCursor = 1;
  EXPECT_EQ(Choose("enter"), 2);
  EXPECT_EQ(menu.cursor, 2);
}

TEST_F(MenuKeys, AddOptionAfterAChoiceStartsANewList) {
  Fill(5);
  Choose("enter");
  menu.AddOption("first", 1, 2, 3);
  menu.AddOption("second", 4, 5, 6);
  EXPECT_EQ(menu.optionCount, 2);
  EXPECT_EQ(menu.optionText[2], Text("second"));
  EXPECT_EQ(menu.optionBlue[2], 6);
  EXPECT_EQ(Choose("3 2"), 2);
  EXPECT_TRUE(ShowedChooseLine("2"));
}

TEST_F(MenuKeys, EscapeCancelsWhenItDoesNotEnd) {
  Fill(3);
  menu.escapeEnds = 0;
  menu.speaker = "Healer";
  EXPECT_EQ(Choose("down esc"), 0);
  EXPECT_EQ(menu.escapeEnds, 1);
  EXPECT_TRUE(menu.speaker.Empty());
}

TEST_F(MenuKeys, EscapeEndsTheProgramWhenEscapeEnds) {
  Fill(3);
  bool saved = false;
  AtExit([&] { saved = true; });
  EXPECT_EQ(EndStatus([this] { Choose("esc"); }), 0);
  EXPECT_TRUE(saved);
}

TEST_F(MenuKeys, MoreThanNinetyEightOptionsAreDropped) {
  for (int32_t i = 1; i <= 100; ++i) menu.AddOption(IntToText(i), 0, 0, 0);
  EXPECT_EQ(menu.optionCount, 98);
  EXPECT_EQ(menu.optionText[98], Text("98"));
}

class MenuFrame : public MenuKeys {};

TEST_F(MenuFrame, TitlePromptAndOptionsSitOnTheirRows) {
  menu.SetTitle("the market");
  menu.SetPrompt("buy?");
  menu.AddOption("leave", 10, 200, 30);
  menu.AddOption("sword", 40, 50, 60);
  Choose("enter");
  EXPECT_EQ(GlyphTextAt(records, 14.0f), "THEMARKET");
  EXPECT_EQ(GlyphAt(records, 44.0f, 14.0f)->red, 155);
  EXPECT_EQ(GlyphTextAt(records, 28.0f), "BUY?");
  EXPECT_EQ(GlyphAt(records, 44.0f, 28.0f)->green, 255);
  EXPECT_EQ(GlyphAt(records, 44.0f, 28.0f)->red, 205);
  EXPECT_EQ(GlyphTextAt(records, 42.0f), "->1:LEAVE");
  EXPECT_EQ(GlyphTextAt(records, 56.0f), "2:SWORD");
  // Option 1 has the cursor: its number keeps the colour, its words are 60 darker.
  EXPECT_EQ(GlyphAt(records, 44.0f, 42.0f)->green, 200);
  EXPECT_EQ(GlyphAt(records, 68.0f, 42.0f)->green, 140);
  EXPECT_EQ(GlyphAt(records, 68.0f, 56.0f)->red, 40);
  // The arrow takes the colour of the last option line.
  const TDrawRecord* arrow = GlyphAt(records, 28.0f, 42.0f);
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->red, 40);
  EXPECT_EQ(arrow->blue, 60);
  EXPECT_EQ(GlyphAt(records, 36.0f, 42.0f)->frame, GlyphFrame(u'>'));
}

TEST_F(MenuFrame, ArrowFollowsTheCursorRow) {
  Fill(3);
  Choose("down down enter");
  const float lastFrame = 5 * 14.0f;
  EXPECT_NE(GlyphAt(records, 28.0f, lastFrame), nullptr);
}

TEST_F(MenuFrame, StatusPanelAndStageAreDrawnUnderTheMenu) {
  Fill(2);
  Choose("enter");
  EXPECT_EQ(GlyphTextAt(records, 375.0f), "HERO");
  ASSERT_NE(GlyphAt(records, 0.0f, 502.0f), nullptr);
  EXPECT_EQ(GlyphChar(*GlyphAt(records, 0.0f, 502.0f)), '&');
}

TEST_F(MenuFrame, InfoTextShowsOnOneFrameOnly) {
  Fill(2);
  menu.infoText = "It costs 5 gold";
  UseKeys("x enter");
  size_t firstFrameEnd = 0;
  menu.ChooseOption();
  for (size_t i = 0; i < records.size(); ++i)
    if (records[i].image == TitlePicture.get()) {
      firstFrameEnd = i;
      break;
    }
  std::vector<TDrawRecord> first(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(firstFrameEnd));
  std::vector<TDrawRecord> later(records.begin() + static_cast<std::ptrdiff_t>(firstFrameEnd), records.end());
  EXPECT_EQ(GlyphTextAt(first, 361.0f), "ITCOSTS5GOLD");
  EXPECT_EQ(GlyphAt(first, 240.0f, 361.0f)->red, 255);
  EXPECT_EQ(GlyphTextAt(later, 361.0f), "");
  EXPECT_TRUE(menu.infoText.Empty());
}

}  // namespace

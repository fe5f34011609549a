// A few presented pixels of a real menu frame drawn with the embedded font on the headless display:
// the panel's border ball, a keyword glyph's tint, the grey title line. Probes look for the tint
// inside a glyph's cell with a small tolerance, so redrawn art does not break them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/menu.h"
#include "platform/display/display.h"
#include "platform/files/resources.h"
#include "tests/ui/ui_support.h"

namespace {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

class MenuPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetScreenWorld();
    RegisterEmbeddedResources();
    LoadBitmapFont();
    menu.SetTitle("the town");
    menu.SetPrompt("Where to?");
    menu.AddOption("visit the healer", 255, 255, 255);
    menu.AddOption("leave", 255, 255, 255);
    UseKeys("enter");
    // The background the previous frame leaves, as after every presented frame in the game.
    DrawTitlePicture(1);
    menu.ChooseOption();
    SaveScreenshot(std::string(CAIRNMARK_BINARY_DIR) + "/screens_menu_frame.png");
  }
  Rgb Pixel(int x, int y) {
    uint8_t rgb[3] = {};
    EXPECT_TRUE(ReadPresentedPixel(x, y, rgb));
    return {rgb[0], rgb[1], rgb[2]};
  }
  // The brightest pixel (by its strongest channel) of the 14 x 12 cell at (x, y): the glyph's
  // lightest tone, which shows its tint best and outshines the grey background.
  Rgb MostColoured(int x, int y) {
    Rgb best;
    int bestScore = -1;
    for (int dy = 0; dy < 12; ++dy)
      for (int dx = 0; dx < 14; ++dx) {
        Rgb p = Pixel(x + dx, y + dy);
        const int score = std::max(p.r, std::max(p.g, p.b));
        if (score > bestScore) {
          bestScore = score;
          best = p;
        }
      }
    return best;
  }
};

TEST_F(MenuPixels, BackgroundIsTheDimmedPicture) {
  Rgb p = Pixel(700, 100);
  EXPECT_NEAR(p.r, 111, 3);
  EXPECT_NEAR(p.g, 111, 3);
  EXPECT_NEAR(p.b, 111, 3);
}

TEST_F(MenuPixels, BorderBallAtTheTopOfThePanelIsBlue) {
  Rgb ball = MostColoured(0, 502);
  EXPECT_GT(ball.b, ball.r + 60);
  EXPECT_NEAR(ball.r, ball.g, 8);
  // Nothing above the panel's top row at the left edge.
  Rgb above = Pixel(5, 495);
  EXPECT_NEAR(above.b, 111, 3);
}

TEST_F(MenuPixels, HealthWordIsTintedGreen) {
  Rgb h = MostColoured(44, 516);
  EXPECT_GT(h.g, 100);
  EXPECT_LT(h.r, 20);
  EXPECT_LT(h.b, 20);
}

TEST_F(MenuPixels, TitleIsLightGreyAndThePromptCyan) {
  Rgb title = MostColoured(44, 14);
  EXPECT_NEAR(title.r, title.g, 6);
  EXPECT_NEAR(title.g, title.b, 6);
  EXPECT_GT(title.r, 120);
  Rgb prompt = MostColoured(44, 28);
  EXPECT_GT(prompt.g, prompt.r + 10);
  EXPECT_NEAR(prompt.g, prompt.b, 6);
}

}  // namespace

// The picture laid out for the window's drawable: the letterbox arithmetic for drawables of every
// shape, and the headless window resized so the shown picture, bars and orientation can be probed.
#include "platform/internal/display_internal.h"
#include "platform/letterbox.h"
#include "tests/display/display_support.h"

namespace {

TLetterbox Box(int32_t x, int32_t y, int32_t w, int32_t h) {
  TLetterbox b;
  b.x = x;
  b.y = y;
  b.width = w;
  b.height = h;
  return b;
}

std::string Show(const TLetterbox& b) {
  return std::to_string(b.x) + "," + std::to_string(b.y) + " " + std::to_string(b.width) + "x" +
         std::to_string(b.height);
}

TEST(LetterboxTest, ThePictureFillsOneSideAndIsCentredOnTheOther) {
  struct Case {
    int32_t w, h;
    TLetterbox expected;
  };
  const Case cases[] = {
      {800, 600, Box(0, 0, 800, 600)},       // its own size
      {1024, 768, Box(0, 0, 1024, 768)},     // the same shape, larger
      {400, 300, Box(0, 0, 400, 300)},       // the smallest window
      {1920, 1080, Box(240, 0, 1440, 1080)}, // wide: bars left and right
      {1366, 768, Box(171, 0, 1024, 768)},   // odd bar widths differ by one pixel at most
      {800, 1000, Box(0, 200, 800, 600)},    // tall: bars above and below
      {1280, 1024, Box(0, 32, 1280, 960)},
      {801, 600, Box(0, 0, 800, 600)},       // one spare column: no scaling up for it
      {1023, 767, Box(0, 0, 1023, 767)},     // rounded, never larger than the drawable
      {3, 1000, Box(0, 499, 3, 2)},
  };
  for (const Case& c : cases) {
    TLetterbox got = FitPicture(800, 600, c.w, c.h);
    EXPECT_EQ(got, c.expected) << c.w << "x" << c.h << ": got " << Show(got);
    EXPECT_LE(got.x + got.width, c.w);
    EXPECT_LE(got.y + got.height, c.h);
    EXPECT_LE(std::abs((c.w - got.x - got.width) - got.x), 1);
    EXPECT_LE(std::abs((c.h - got.y - got.height) - got.y), 1);
  }
  // Past the largest drawable the game renders for, the picture stops growing and bars fill the rest.
  EXPECT_EQ(FitPicture(800, 600, 32767, 32767), Box(12287, 13311, 8192, 6144));
  EXPECT_EQ(FitPicture(800, 600, 16384, 8192), Box(4096, 1024, 8192, 6144));
  EXPECT_EQ(FitPicture(800, 600, 8192, 6144), Box(0, 0, 8192, 6144));
  EXPECT_FALSE(DrawableTooLarge(8192, 8192));
  EXPECT_TRUE(DrawableTooLarge(8193, 600));
  EXPECT_TRUE(DrawableTooLarge(800, 32767));
  EXPECT_EQ(FitPicture(800, 600, 0, 600), TLetterbox{});
  EXPECT_EQ(FitPicture(800, 600, 1024, -1), TLetterbox{});
  EXPECT_EQ(FitPicture(0, 600, 1024, 768), TLetterbox{});
}

class ShownLayoutTest : public HeadlessDisplayTest {
 protected:
  // Red above the middle row, green below: a picture shown upside down or cut off is seen at once.
  void PresentHalves() {
    auto halves = SolidPixmap(800, 600, {220, 0, 0});
    for (int32_t y = 300; y < 600; ++y)
      for (int32_t x = 0; x < 800; ++x) SetPixel(*halves, x, y, {0, 220, 0});
    ImagePtr image = MakeImageFromPixmap(*halves, 0);
    SetBlendMode(2);
    DrawImageFrame(image.get(), 0, 0, 0);
    FlipFrame(0);
  }
  static TRgb Shown(int32_t x, int32_t y) {
    uint8_t rgb[3] = {1, 2, 3};
    EXPECT_TRUE(ReadShownPixel(x, y, rgb)) << x << "," << y;
    return TRgb{rgb[0], rgb[1], rgb[2]};
  }
  static constexpr TRgb kRed{220, 0, 0}, kGreen{0, 220, 0}, kBlack{0, 0, 0};
};

TEST_F(ShownLayoutTest, TheDrawableIsReadAgainWhenTheWindowChangesSize) {
  PresentHalves();
  int32_t w = 0, h = 0;
  DisplayDrawableSize(w, h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_EQ(DisplayPictureArea(), Box(0, 0, 800, 600));
  EXPECT_RGB_NEAR(Shown(0, 0), kRed);
  EXPECT_RGB_NEAR(Shown(799, 599), kGreen);

  // The size the bug report saw: laid out for 1024 x 768, the top rows are there too.
  ResizeDisplayWindow(1024, 768);
  DisplayDrawableSize(w, h);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  EXPECT_EQ(DisplayPictureArea(), Box(0, 0, 1024, 768));
  EXPECT_RGB_NEAR(Shown(512, 2), kRed);
  EXPECT_RGB_NEAR(Shown(512, 370), kRed);
  EXPECT_RGB_NEAR(Shown(512, 398), kGreen);
  EXPECT_RGB_NEAR(Shown(1023, 767), kGreen);
  // The picture itself stays 800 x 600.
  EXPECT_EQ(DisplayWidth(), 800);
  EXPECT_EQ(DisplayHeight(), 600);
}

TEST_F(ShownLayoutTest, OtherShapesGetBlackBarsAndTheWholePicture) {
  PresentHalves();
  ResizeDisplayWindow(1600, 600);
  EXPECT_EQ(DisplayPictureArea(), Box(400, 0, 800, 600));
  EXPECT_RGB_NEAR(Shown(390, 100), kBlack);
  EXPECT_RGB_NEAR(Shown(410, 100), kRed);
  EXPECT_RGB_NEAR(Shown(1190, 500), kGreen);
  EXPECT_RGB_NEAR(Shown(1210, 500), kBlack);

  ResizeDisplayWindow(800, 1000);
  EXPECT_EQ(DisplayPictureArea(), Box(0, 200, 800, 600));
  EXPECT_RGB_NEAR(Shown(400, 190), kBlack);
  EXPECT_RGB_NEAR(Shown(400, 210), kRed);
  EXPECT_RGB_NEAR(Shown(400, 790), kGreen);
  EXPECT_RGB_NEAR(Shown(400, 810), kBlack);
}

TEST_F(ShownLayoutTest, TheWindowStaysBetweenHalfThePictureAndTheLargestDrawable) {
  PresentHalves();
  ResizeDisplayWindow(160, 120);
  int32_t w = 0, h = 0;
  DisplayDrawableSize(w, h);
  EXPECT_EQ(w, 400);
  EXPECT_EQ(h, 300);
  EXPECT_EQ(DisplayPictureArea(), Box(0, 0, 400, 300));
  EXPECT_RGB_NEAR(Shown(200, 10), kRed);
  EXPECT_RGB_NEAR(Shown(200, 290), kGreen);
  // The largest a window system allows (which once crashed the game under a window manager).
  ResizeDisplayWindow(32767, 32767);
  DisplayDrawableSize(w, h);
  EXPECT_EQ(w, kLargestDrawableSide);
  EXPECT_EQ(h, kLargestDrawableSide);
  EXPECT_EQ(DisplayPictureArea(), Box(0, 1024, 8192, 6144));
  FlipFrame(0);
  EXPECT_EQ(DisplayWidth(), 800);
}

}  // namespace

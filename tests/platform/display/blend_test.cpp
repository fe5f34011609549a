// Blend modes and the draw alpha on the headless display, read back from the presented picture.
#include "tests/platform/display/display_support.h"

namespace {

class BlendTest : public HeadlessDisplayTest {};

TEST_F(BlendTest, MaskModeLeavesThePixelsBehindMaskedMagenta) {
  Fill({0, 0, 200});
  SetMaskColor(255, 0, 255);
  auto pixmap = SolidPixmap(10, 10, {255, 0, 255});
  for (int y = 0; y < 10; ++y) SetPixel(*pixmap, 5, y, {250, 250, 0});
  ImagePtr image = MakeImageFromPixmap(*pixmap, ImageMasked);
  SetBlendMode(1);
  DrawImageFrame(image.get(), 100, 100, 0);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(102, 104), (TRgb{0, 0, 200}));
  EXPECT_RGB_NEAR(Probe(108, 104), (TRgb{0, 0, 200}));
  EXPECT_RGB_NEAR(Probe(105, 104), (TRgb{250, 250, 0}));
}

TEST_F(BlendTest, AlphaModeAtHalfMixesHalfAndHalf) {
  Fill({0, 0, 200});
  ImagePtr image = MakeImageFromPixmap(*SolidPixmap(20, 20, {200, 100, 0}), 0);
  SetBlendMode(3);
  SetDrawAlpha(0.5f);
  DrawImageFrame(image.get(), 10, 10, 0);
  FlipFrame(0);
  // alpha byte 127: 200 * 127/255 + 200 * 128/255 and so on.
  EXPECT_RGB_NEAR(Probe(15, 15), (TRgb{100, 50, 100}));
  EXPECT_RGB_NEAR(Probe(5, 5), (TRgb{0, 0, 200}));
}

TEST_F(BlendTest, DrawAlphaClampsAndTruncates) {
  SetDrawAlpha(1.5f);
  EXPECT_EQ(GetDrawAlpha(), 1.0f);
  SetDrawAlpha(-1.0f);
  EXPECT_EQ(GetDrawAlpha(), 0.0f);
  SetDrawAlpha(std::nanf(""));
  EXPECT_EQ(GetDrawAlpha(), 0.0f);

  Fill({0, 0, 200});
  ImagePtr image = MakeImageFromPixmap(*SolidPixmap(20, 20, {200, 100, 0}), 0);
  SetBlendMode(3);
  SetDrawAlpha(1.5f);
  DrawImageFrame(image.get(), 10, 10, 0);
  SetDrawAlpha(-1.0f);
  DrawImageFrame(image.get(), 40, 10, 0);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(15, 15), (TRgb{200, 100, 0}));
  EXPECT_RGB_NEAR(Probe(45, 15), (TRgb{0, 0, 200}));
}

TEST_F(BlendTest, LightAddsAndShadeMultiplies) {
  Fill({100, 100, 100});
  ImagePtr image = MakeImageFromPixmap(*SolidPixmap(20, 20, {100, 50, 0}), 0);
  SetBlendMode(4);
  DrawImageFrame(image.get(), 10, 10, 0);
  SetBlendMode(5);
  ImagePtr half = MakeImageFromPixmap(*SolidPixmap(20, 20, {128, 255, 0}), 0);
  DrawImageFrame(half.get(), 40, 10, 0);
  SetBlendMode(99);
  DrawImageFrame(image.get(), 70, 10, 0);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(15, 15), (TRgb{200, 150, 100}));
  EXPECT_RGB_NEAR(Probe(45, 15), (TRgb{50, 100, 0}));
  EXPECT_RGB_NEAR(Probe(75, 15), (TRgb{100, 50, 0}));
  EXPECT_EQ(GetBlendMode(), 99);
}

TEST_F(BlendTest, ColourMultipliesTheTexels) {
  Fill({0, 0, 0});
  ImagePtr image = MakeImageFromPixmap(*SolidPixmap(20, 20, {255, 255, 255}), 0);
  SetDrawColor(255, 128, 0);
  DrawImageFrame(image.get(), 10, 10, 0);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(15, 15), (TRgb{255, 128, 0}));
}

TEST_F(BlendTest, TheBackBufferPersistsAndScreenshotsShowThePresentedFrame) {
  Fill({10, 20, 30});
  FlipFrame(0);
  // Drawn after the present: not in the presented picture until the next one.
  Fill({200, 0, 0});
  EXPECT_RGB_NEAR(Probe(400, 300), (TRgb{10, 20, 30}));
  ImagePtr dot = MakeImageFromPixmap(*SolidPixmap(4, 4, {0, 255, 0}), 0);
  DrawImageFrame(dot.get(), 0, 0, 0);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(400, 300), (TRgb{200, 0, 0}));
  EXPECT_RGB_NEAR(Probe(0, 0), (TRgb{0, 255, 0}));
  EXPECT_RGB_NEAR(Probe(3, 3), (TRgb{0, 255, 0}));
  EXPECT_RGB_NEAR(Probe(4, 4), (TRgb{200, 0, 0}));
}

}  // namespace

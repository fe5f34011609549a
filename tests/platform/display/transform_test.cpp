// Where a frame lands: the handle, the scale (mirroring), the origin and DrawImageRect, on the
// headless display and in the draw recorder.
#include "tests/platform/display/display_support.h"

namespace {

class TransformTest : public HeadlessDisplayTest {
 protected:
  // A 20 x 10 picture whose left half is red and right half is green; pixel (0, 0) is white.
  ImagePtr TwoHalves() {
    auto p = SolidPixmap(20, 10, {255, 0, 0});
    for (int y = 0; y < 10; ++y)
      for (int x = 10; x < 20; ++x) SetPixel(*p, x, y, {0, 255, 0});
    SetPixel(*p, 0, 0, {255, 255, 255});
    return MakeImageFromPixmap(*p, 0);
  }
};

TEST_F(TransformTest, MirroredWithHandleZeroCoversXMinusWidthToX) {
  Fill({0, 0, 0});
  ImagePtr image = TwoHalves();
  SetDrawScale(-1, 1);
  DrawImageFrame(image.get(), 300, 100, 0);
  SetDrawScale(1, 1);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(300, 105), (TRgb{0, 0, 0}));
  EXPECT_RGB_NEAR(Probe(299, 105), (TRgb{255, 0, 0}));   // the image's left half now on the right
  EXPECT_RGB_NEAR(Probe(299, 100), (TRgb{255, 255, 255}));
  EXPECT_RGB_NEAR(Probe(281, 105), (TRgb{0, 255, 0}));
  EXPECT_RGB_NEAR(Probe(280, 105), (TRgb{0, 255, 0}));
  EXPECT_RGB_NEAR(Probe(279, 105), (TRgb{0, 0, 0}));
}

TEST_F(TransformTest, HandleOffsetPutsPixelZeroWhereTheFrameOffsetSays) {
  Fill({0, 0, 0});
  ImagePtr image = TwoHalves();
  const int ox = 7, oy = 4;
  SetImageHandle(image.get(), 30.0f - ox, 30.0f - oy);
  DrawImageFrame(image.get(), 200, 300, 0);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(200 - 30 + ox, 300 - 30 + oy), (TRgb{255, 255, 255}));
  EXPECT_RGB_NEAR(Probe(200 - 30 + ox - 1, 300 - 30 + oy), (TRgb{0, 0, 0}));
  EXPECT_RGB_NEAR(Probe(200 - 30 + ox, 300 - 30 + oy - 1), (TRgb{0, 0, 0}));
}

TEST_F(TransformTest, ScaleEnlargesAboutTheDrawingPositionAndOriginShifts) {
  Fill({0, 0, 0});
  ImagePtr image = TwoHalves();
  SetDrawScale(3, 2);
  SetDrawOrigin(10, 20);
  DrawImageFrame(image.get(), 100, 100, 0);
  SetDrawOrigin(0, 0);
  SetDrawScale(1, 1);
  FlipFrame(0);
  // Covers x 110..170, y 120..140; red up to x 140, green after.
  EXPECT_RGB_NEAR(Probe(112, 130), (TRgb{255, 0, 0}));
  EXPECT_RGB_NEAR(Probe(168, 138), (TRgb{0, 255, 0}));
  EXPECT_RGB_NEAR(Probe(171, 130), (TRgb{0, 0, 0}));
  EXPECT_RGB_NEAR(Probe(150, 141), (TRgb{0, 0, 0}));
  EXPECT_RGB_NEAR(Probe(109, 130), (TRgb{0, 0, 0}));
}

TEST_F(TransformTest, DrawImageRectStretchesTheFrameToTheGivenSize) {
  Fill({0, 0, 0});
  ImagePtr bar = MakeImageFromPixmap(*SolidPixmap(4, 4, {0, 0, 255}), 0);
  DrawImageRect(bar.get(), 50, 60, 100, 8, 0);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(50, 60), (TRgb{0, 0, 255}));
  EXPECT_RGB_NEAR(Probe(149, 67), (TRgb{0, 0, 255}));
  EXPECT_RGB_NEAR(Probe(150, 64), (TRgb{0, 0, 0}));
  EXPECT_RGB_NEAR(Probe(100, 68), (TRgb{0, 0, 0}));
}

TEST(DrawRecorderTest, RecordsWithoutADisplayAndKeepsTheState) {
  CloseDisplay();
  std::vector<TDrawRecord> records;
  SetDrawRecorder(&records);
  ImagePtr image = MakeImageFromPixmap(*SolidPixmap(14, 12, {1, 2, 3}), 0);
  SetDrawColor(10, 20, 30);
  SetDrawAlpha(0.25f);
  SetBlendMode(3);
  SetDrawScale(-1.3f, 1.3f);
  DrawImageFrame(image.get(), 5, 6, 0);
  DrawImageRect(image.get(), 7, 8, 40, 2, 0);
  SetDrawRecorder(nullptr);
  DrawImageFrame(image.get(), 0, 0, 0);
  ASSERT_EQ(records.size(), 2u);
  const TDrawRecord& r = records[0];
  EXPECT_EQ(r.image, image.get());
  EXPECT_EQ(r.x, 5);
  EXPECT_EQ(r.width, 14);
  EXPECT_EQ(r.height, 12);
  EXPECT_EQ(r.scaleX, -1.3f);
  EXPECT_EQ(r.green, 20);
  EXPECT_EQ(r.alpha, 0.25f);
  EXPECT_EQ(r.blend, 3);
  EXPECT_EQ(records[1].width, 40);
  EXPECT_EQ(records[1].height, 2);
  SetDrawScale(1, 1);
  SetBlendMode(1);
  SetDrawAlpha(1);
  SetDrawColor(255, 255, 255);
}

}  // namespace

// Masking, strips and the textures made from frames: the neighbour-averaged colour under a masked
// pixel, images with their own alpha, the first-time reset of the mask colour, strip cutting, the
// power-of-two texture with its duplicated edge, and the strip's shared texture drawing as its own.
#include "platform/display/texture.h"
#include "platform/files/resources.h"
#include "platform/files/stream.h"
#include "platform/images/codecs.h"
#include "tests/platform/display/display_support.h"

namespace {

const TRgb kMagenta{255, 0, 255};

TEST(MaskTest, MaskedPixelsTakeTheAverageOfTheirUnmaskedNeighbours) {
  auto p = SolidPixmap(3, 3, kMagenta);
  SetPixel(*p, 0, 0, {10, 20, 30});
  SetPixel(*p, 2, 0, {20, 41, 0});
  SetPixel(*p, 1, 2, {0, 0, 101});
  auto masked = MaskPixmap(*p, 255, 0, 255);
  ASSERT_EQ(masked->format, 6);
  const uint8_t* centre = PixelOf(*masked, 1, 1);
  // (10 + 20 + 0) / 3, (20 + 41 + 0) / 3, (30 + 0 + 101) / 3, truncated.
  EXPECT_EQ(centre[0], 10);
  EXPECT_EQ(centre[1], 20);
  EXPECT_EQ(centre[2], 43);
  EXPECT_EQ(centre[3], 0);
  const uint8_t* kept = PixelOf(*masked, 2, 0);
  EXPECT_EQ(kept[1], 41);
  EXPECT_EQ(kept[3], 255);
  // (2, 2) sees only (1, 2) among its three neighbours.
  const uint8_t* corner = PixelOf(*masked, 2, 2);
  EXPECT_EQ(corner[2], 101);
  EXPECT_EQ(corner[3], 0);
}

TEST(MaskTest, AMaskedPixelWithNoUnmaskedNeighbourBecomesTransparentBlack) {
  auto p = SolidPixmap(5, 5, kMagenta);
  SetPixel(*p, 0, 0, {200, 200, 200});
  auto masked = MaskPixmap(*p, 255, 0, 255);
  const uint8_t* far = PixelOf(*masked, 3, 3);
  EXPECT_EQ(far[0] + far[1] + far[2] + far[3], 0);
  // Only exact matches are masked.
  auto near = SolidPixmap(1, 1, {255, 1, 255});
  EXPECT_EQ(PixelOf(*MaskPixmap(*near, 255, 0, 255), 0, 0)[3], 255);
}

TEST(MaskTest, ImagesWithTheirOwnAlphaAreNeverMasked) {
  SetMaskColor(255, 0, 255);
  ImagePtr own = MakeImageFromPixmap(*SolidPixmap(2, 2, kMagenta, 200), ImageMasked);
  const uint8_t* p = PixelOf(*own->pixmaps[0], 1, 1);
  EXPECT_EQ(p[0], 255);
  EXPECT_EQ(p[3], 200);
  ImagePtr rgb = MakeImageFromPixmap(*SolidPixmap(2, 2, kMagenta), ImageMasked);
  EXPECT_EQ(PixelOf(*rgb->pixmaps[0], 1, 1)[3], 0);
  ImagePtr unmasked = MakeImageFromPixmap(*SolidPixmap(2, 2, kMagenta), ImageFiltered);
  EXPECT_EQ(unmasked->pixmaps[0]->format, 4);
  SetMaskColor(0, 0, 0);
}

TEST(MaskTest, OpeningTheDisplayResetsTheMaskColourAndTheDefaultFlags) {
  SetEndMode(EndMode::Throw);
  UseVirtualClock(50);
  SetDisplayHeadless(true);
  SetDefaultImageFlags(0);
  SetMaskColor(255, 0, 255);
  ASSERT_NE(OpenDisplay(800, 600, 16, 27, 0), nullptr);
  int32_t r, g, b;
  GetMaskColor(r, g, b);
  EXPECT_EQ(r + g + b, 0);
  EXPECT_EQ(DefaultImageFlags(), 3);
  ImagePtr image = MakeImageFromPixmap(*SolidPixmap(2, 2, kMagenta), -1);
  EXPECT_EQ(image->flags, 3);
  EXPECT_EQ(image->maskRed, 0);
  EXPECT_EQ(PixelOf(*image->pixmaps[0], 0, 0)[3], 255);  // magenta is not black: kept
  CloseDisplay();
  ResetExitHandlers();
  UseRealClock();
}

// A strip of 3 x 2 cells of 14 x 12 with two spare columns and five spare rows; cell c is filled
// with the colour (c * 40, 255 - c * 40, c) and the corner pixel (13, 11) of each is white.
std::vector<uint8_t> StripPng() {
  auto p = SolidPixmap(3 * 14 + 2, 2 * 12 + 5, {9, 9, 9});
  for (int c = 0; c < 6; ++c)
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 14; ++x)
        SetPixel(*p, (c % 3) * 14 + x, (c / 3) * 12 + y,
                 (x == 13 && y == 11) ? TRgb{255, 255, 255} : TRgb{c * 40, 255 - c * 40, c});
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(EncodePng(*p, bytes));
  return bytes;
}

class StripTest : public HeadlessDisplayTest {
 protected:
  void SetUp() override {
    HeadlessDisplayTest::SetUp();
    // The store keeps the first registration of a name and reads the bytes in place: made once.
    static const std::vector<uint8_t> png = StripPng();
    RegisterResource("test\\strip.png", png.data(), static_cast<int32_t>(png.size()));
  }
};

TEST_F(StripTest, CellsAreCutLeftToRightThenDownAndPartialCellsIgnored) {
  ImagePtr strip = LoadImageStrip("incbin::test\\strip.png", 14, 12, 1, 5, 0);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->FrameCount(), 5);
  EXPECT_EQ(strip->width, 14);
  EXPECT_EQ(strip->height, 12);
  // Frame 3 is cell 4: the second row, middle column.
  EXPECT_EQ(PixelOf(*strip->pixmaps[3], 0, 0)[0], 160);
  EXPECT_EQ(LoadImageStrip("incbin::test\\strip.png", 14, 12, 0, 7, 0), nullptr);
  EXPECT_EQ(LoadImageStrip("incbin::test\\strip.png", 14, 12, 1, 6, 0), nullptr);
  EXPECT_NE(LoadImageStrip("incbin::test\\strip.png", 14, 12, 0, 6, 0), nullptr);
  EXPECT_EQ(LoadImageStrip("incbin::test\\no-such.png", 14, 12, 0, 1, 0), nullptr);
}

TEST_F(StripTest, AFourteenByTwelveFrameLivesInASixteenSquareTextureWithItsEdgeRepeated) {
  ImagePtr strip = LoadImageStrip("incbin::test\\strip.png", 14, 12, 0, 6, 0);
  ASSERT_NE(strip, nullptr);
  float u1 = 0, v1 = 0;
  auto tex = BuildTexturePixmap(*strip->pixmaps[2], 16, 16, u1, v1);
  EXPECT_EQ(u1, 0.875f);
  EXPECT_EQ(v1, 0.75f);
  ASSERT_EQ(tex->width, 16);
  ASSERT_EQ(tex->height, 16);
  EXPECT_EQ(PixelOf(*tex, 14, 5)[0], PixelOf(*tex, 13, 5)[0]);  // last column repeated
  EXPECT_EQ(PixelOf(*tex, 5, 12)[1], PixelOf(*tex, 5, 11)[1]);  // last row repeated
  EXPECT_EQ(PixelOf(*tex, 14, 12)[0], 255);                     // the corner
  EXPECT_EQ(PixelOf(*tex, 15, 5)[3], 0);
  EXPECT_EQ(PixelOf(*tex, 5, 13)[3], 0);
  TImageFrame* frame = ImageFrameTexture(strip.get(), 2);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->u1, 0.875f);
  EXPECT_EQ(frame->v1, 0.75f);
  EXPECT_EQ(strip->sequences[2], DisplaySequence());
}

TEST_F(StripTest, StripFramesDrawExactlyAsFramesOfTheirOwn) {
  // Filtered, scaled and at half-pixel positions: where sampling reaches the frame's edges.
  ImagePtr strip = LoadImageStrip("incbin::test\\strip.png", 14, 12, 0, 6, ImageFiltered);
  ASSERT_NE(strip, nullptr);
  std::vector<ImagePtr> singles;
  for (int c = 0; c < 6; ++c) singles.push_back(MakeImageFromPixmap(*strip->pixmaps[c], ImageFiltered));
  Fill({0, 0, 80});
  SetDrawScale(3.3f, 2.7f);
  for (int c = 0; c < 6; ++c) {
    DrawImageFrame(strip.get(), 10.5f + c * 60, 100.25f, c);
    DrawImageFrame(singles[c].get(), 10.5f + c * 60, 200.25f, 0);
  }
  SetDrawScale(1, 1);
  FlipFrame(0);
  int worst = 0;
  for (int c = 0; c < 6; ++c)
    for (int y = 98; y < 136; ++y)
      for (int x = 8 + c * 60; x < 60 + c * 60; ++x) {
        TRgb a = Probe(x, y), b = Probe(x, y + 100);
        worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
      }
  EXPECT_LE(worst, 2);
}

TEST_F(StripTest, TexturesAreMadeAgainForANewDisplay) {
  ImagePtr image = MakeImageFromPixmap(*SolidPixmap(30, 20, {0, 200, 0}), 0);
  ASSERT_NE(ImageFrameTexture(image.get(), 0), nullptr);
  uint32_t first = DisplaySequence();
  EXPECT_EQ(image->sequences[0], first);
  ASSERT_NE(OpenDisplay(800, 600, 16, 27, 0), nullptr);
  EXPECT_NE(DisplaySequence(), first);
  DrawImageFrame(image.get(), 0, 0, 0);
  FlipFrame(0);
  EXPECT_EQ(image->sequences[0], DisplaySequence());
  EXPECT_RGB_NEAR(Probe(29, 19), (TRgb{0, 200, 0}));
  EXPECT_RGB_NEAR(Probe(30, 19), (TRgb{0, 0, 0}));
  EXPECT_EQ(ImageFrameTexture(image.get(), 1), nullptr);
}

TEST_F(StripTest, AFrameStoredAgainIsDrawnWithItsNewPixels) {
  ImagePtr strip = LoadImageStrip("incbin::test\\strip.png", 14, 12, 0, 6, 0);
  ASSERT_NE(strip, nullptr);
  DrawImageFrame(strip.get(), 0, 0, 1);
  StoreImageFrame(strip.get(), 1, SolidPixmap(14, 12, {250, 0, 0}));
  EXPECT_EQ(strip->sequences[1], 0u);
  DrawImageFrame(strip.get(), 0, 0, 1);
  DrawImageFrame(strip.get(), 20, 0, 2);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(5, 5), (TRgb{250, 0, 0}));
  EXPECT_RGB_NEAR(Probe(25, 5), (TRgb{80, 175, 2}));
}

TEST_F(StripTest, MipmappedAndLargeImagesGetTexturesOfTheirOwn) {
  ImagePtr mip = MakeImageFromPixmap(*SolidPixmap(40, 40, {0, 0, 250}), ImageMipmapped | ImageFiltered);
  SetDrawScale(0.25f, 0.25f);
  DrawImageFrame(mip.get(), 100, 100, 0);
  SetDrawScale(1, 1);
  ImagePtr big = MakeImageFromPixmap(*SolidPixmap(800, 600, {90, 90, 90}), 0);
  TImageFrame* f = ImageFrameTexture(big.get(), 0);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->u1, 800.0f / 1024.0f);
  EXPECT_EQ(f->v1, 600.0f / 1024.0f);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(104, 104), (TRgb{0, 0, 250}));

  // A large picture, however its texture is stored, shows all of itself and nothing beyond when
  // filtered and enlarged at a fractional position: its last column and row reach the edge.
  auto framed = SolidPixmap(200, 150, {0, 160, 0});
  for (int32_t y = 0; y < 150; ++y) SetPixel(*framed, 199, y, {250, 0, 0});
  for (int32_t x = 0; x < 200; ++x) SetPixel(*framed, x, 149, {0, 0, 250});
  ImagePtr large = MakeImageFromPixmap(*framed, ImageFiltered);
  Fill({0, 0, 0});
  SetBlendMode(2);
  SetDrawScale(2, 2);
  DrawImageFrame(large.get(), 100.5f, 200.25f, 0);
  SetDrawScale(1, 1);
  SetBlendMode(1);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(300, 300), (TRgb{0, 160, 0}));
  EXPECT_RGB_NEAR(Probe(499, 300), (TRgb{250, 0, 0}));
  EXPECT_RGB_NEAR(Probe(501, 300), (TRgb{0, 0, 0}));
  EXPECT_RGB_NEAR(Probe(300, 499), (TRgb{0, 0, 250}));
  EXPECT_RGB_NEAR(Probe(300, 501), (TRgb{0, 0, 0}));
}

TEST_F(StripTest, SharedTexturesNeverBleedIntoTheirNeighbours) {
  // Small pictures share pages of cells: neighbours of every colour, each filtered and enlarged at
  // a fractional position, must show only their own colour right up to their edges.
  Fill({0, 0, 0});
  std::vector<ImagePtr> images;
  const TRgb colours[4] = {{250, 0, 0}, {0, 250, 0}, {0, 0, 250}, {250, 250, 250}};
  for (const TRgb& c : colours) images.push_back(MakeImageFromPixmap(*SolidPixmap(14, 12, c), ImageFiltered));
  SetBlendMode(2);
  SetDrawScale(3.3f, 2.7f);
  for (int k = 0; k < 4; ++k) DrawImageFrame(images[k].get(), 20.5f + k * 60, 40.25f, 0);
  SetDrawScale(1, 1);
  SetBlendMode(1);
  FlipFrame(0);
  for (int k = 0; k < 4; ++k)
    for (int y = 41; y < 40 + 32; ++y)
      for (int x = 21 + k * 60; x < 20 + k * 60 + 46; ++x) EXPECT_RGB_NEAR(Probe(x, y), colours[k]);
}

TEST_F(StripTest, APictureFreedWhileQueuedStillDrawsAndItsCellIsReused) {
  Fill({0, 0, 0});
  ImagePtr first = MakeImageFromPixmap(*SolidPixmap(20, 20, {200, 0, 0}), 0);
  DrawImageFrame(first.get(), 10, 10, 0);
  first.reset();
  ImagePtr second = MakeImageFromPixmap(*SolidPixmap(20, 20, {0, 0, 200}), 0);
  DrawImageFrame(second.get(), 40, 10, 0);
  ASSERT_EQ(second->frames[0].pageCell >= 0, true);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(15, 15), (TRgb{200, 0, 0}));
  EXPECT_RGB_NEAR(Probe(45, 15), (TRgb{0, 0, 200}));
}

}  // namespace

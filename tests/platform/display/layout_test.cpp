// The picture laid out for the window's drawable: the letterbox arithmetic for drawables of every
// shape, the headless window resized so the shown picture, bars and orientation can be probed, and
// the picture's pixels kept sharp when it is enlarged.
#include <algorithm>
#include <cmath>
#include <tuple>

#include "platform/display/display_internal.h"
#include "platform/display/letterbox.h"
#include "tests/platform/display/display_support.h"

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
  // A picture of the given pixels, presented.
  template <typename PixelAt>
  void Present(PixelAt at) {
    auto picture = MakePixmap(800, 600, 4);
    for (int32_t y = 0; y < 600; ++y)
      for (int32_t x = 0; x < 800; ++x) SetPixel(*picture, x, y, at(x, y));
    ImagePtr image = MakeImageFromPixmap(*picture, 0);
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

// Each picture pixel of a colour of its own (neighbours always differ), so a block shown one
// screen pixel off or blurred into its neighbour is seen.
TRgb Speckle(int32_t x, int32_t y) {
  uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return TRgb{static_cast<int>(h & 255), static_cast<int>((h >> 8) & 255), 40 + 100 * ((x + y) & 1)};
}

// What sharp scaling must show at a letterbox pixel: the picture enlarged texel for pixel `scale`
// times, then filtered linearly down to the letterbox as OpenGL filters (rows counted from the
// bottom, edges clamped).
TRgb EnlargedThenFiltered(TRgb (*picture)(int32_t, int32_t), const TLetterbox& box, int32_t scale, int32_t x,
                          int32_t y) {
  auto axis = [scale](int32_t at, int32_t shown, int32_t size, int32_t& first, int32_t& second, double& share) {
    const double sample = (at + 0.5) * scale * size / shown - 0.5, below = std::floor(sample);
    const auto clamp = [&](double e) { return static_cast<int32_t>(std::clamp(e, 0.0, scale * size - 1.0)) / scale; };
    first = clamp(below);
    second = clamp(below + 1);
    share = sample - below;
  };
  int32_t x0, x1, r0, r1;
  double sx, sy;
  axis(x, box.width, 800, x0, x1, sx);
  axis(box.height - 1 - y, box.height, 600, r0, r1, sy);
  const TRgb a = picture(x0, 599 - r0), b = picture(x1, 599 - r0), c = picture(x0, 599 - r1),
             d = picture(x1, 599 - r1);
  auto mix = [&](int TRgb::*channel) {
    const double top = a.*channel * (1 - sx) + b.*channel * sx, bottom = c.*channel * (1 - sx) + d.*channel * sx;
    return static_cast<int>(std::lround(top * (1 - sy) + bottom * sy));
  };
  return TRgb{mix(&TRgb::r), mix(&TRgb::g), mix(&TRgb::b)};
}

TEST_F(ShownLayoutTest, EnlargedPictureStaysSharp) {
  std::vector<uint8_t> shown;
  auto at = [&](int32_t w, int32_t x, int32_t y) {
    const uint8_t* p = &shown[(static_cast<size_t>(y) * w + x) * 3];
    return TRgb{p[0], p[1], p[2]};
  };
  auto same = [](TRgb a, TRgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; };

  Present(Speckle);
  // At its own size, and at two and three times it, every picture pixel is an exact square block.
  for (int32_t scale : {1, 2, 3}) {
    ResizeDisplayWindow(800 * scale, 600 * scale);
    ASSERT_TRUE(ReadShownPicture(shown));
    int32_t wrong = 0;
    for (int32_t y = 0; y < 600 * scale; ++y)
      for (int32_t x = 0; x < 800 * scale; ++x)
        if (!same(at(800 * scale, x, y), Speckle(x / scale, y / scale))) ++wrong;
    EXPECT_EQ(wrong, 0) << "screen pixels unlike their picture pixel at " << scale << "x";
  }

  // At 1.8 times (a 1920 x 1080 screen) an edge between two picture pixels blends into one screen
  // pixel at most: across black and white stripes a pixel wide, no two neighbours are both grey.
  auto grey = [](TRgb c) { return c.r > 2 && c.r < 253; };
  ResizeDisplayWindow(1920, 1080);
  ASSERT_EQ(DisplayPictureArea(), Box(240, 0, 1440, 1080));
  for (bool across : {true, false}) {
    Present([across](int32_t x, int32_t y) {
      int v = ((across ? x : y) & 1) * 255;
      return TRgb{v, v, v};
    });
    ASSERT_TRUE(ReadShownPicture(shown));
    int32_t smeared = 0, greys = 0;
    for (int32_t y = 0; y < 1080; ++y)
      for (int32_t x = 240; x < 1680; ++x) {
        greys += grey(at(1920, x, y));
        if (grey(at(1920, x, y)) && (across ? x > 240 && grey(at(1920, x - 1, y)) : y > 0 && grey(at(1920, x, y - 1))))
          ++smeared;
      }
    EXPECT_EQ(smeared, 0) << (across ? "columns" : "rows");
    EXPECT_GT(greys, 0) << "between whole multiples edges are softened, not dropped";
    EXPECT_RGB_NEAR(at(1920, 239, 500), kBlack);
    EXPECT_RGB_NEAR(at(1920, 1680, 500), kBlack);
  }

  // Between whole multiples every letterbox pixel is what enlarging then filtering down gives, to
  // the rasteriser's rounding: at 1.8 times, at 2.33 times (from three times), and at 1.52 times,
  // where some samples fall exactly on an edge between two enlarged pixels.
  Present(Speckle);
  for (auto [w, h, scale] : {std::tuple{1920, 1080, 2}, std::tuple{2000, 1400, 3}, std::tuple{1216, 912, 2}}) {
    ResizeDisplayWindow(w, h);
    const TLetterbox box = DisplayPictureArea();
    ASSERT_TRUE(ReadShownPicture(shown));
    int32_t wrong = 0;
    for (int32_t y = 0; y < box.height; ++y)
      for (int32_t x = 0; x < box.width; ++x) {
        const TRgb want = EnlargedThenFiltered(Speckle, box, scale, x, y), got = at(w, box.x + x, box.y + y);
        wrong += std::abs(want.r - got.r) > 2 || std::abs(want.g - got.g) > 2 || std::abs(want.b - got.b) > 2;
      }
    EXPECT_EQ(wrong, 0) << w << "x" << h;
  }
}

}  // namespace

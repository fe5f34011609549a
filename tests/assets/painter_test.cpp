// The generator's own drawing tools: its plain-arithmetic sine, the painter's lighting, seams and
// outline, and a PNG encoder whose files the platform decodes back to the same pixels.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/images/codecs.h"
#include "platform/images/image.h"
#include "tools/artgen/paint.h"

using namespace artgen;

namespace {

TEST(ArtMaths, SineAndCosineMatchTheLibraryOverManyTurns) {
  for (int i = -2000; i <= 2000; ++i) {
    double a = i * 0.0137;
    EXPECT_NEAR(Sin(a), std::sin(a), 1e-12) << a;
    EXPECT_NEAR(Cos(a), std::cos(a), 1e-12) << a;
  }
}

class PaintedBall : public ::testing::Test {
 protected:
  void SetUp() override {
    ball = MakeMaterial(Rgb{120, 160, 90});
    Painter p(40, 40);
    p.Ellipse({20, 20}, 10, 10, 0, ball);
    picture = p.Render(0);
  }
  static int Brightness(Rgb c) { return c.r + c.g + c.b; }
  Material ball;
  Picture picture;
};

TEST_F(PaintedBall, IsLitFromTheTopLeft) {
  EXPECT_GT(Brightness(picture.at(15, 15)), Brightness(picture.at(25, 25)) + 60);
  // Only the material's four shades and its outline colour appear.
  for (const Rgb& c : picture.pixels) {
    if (c == kMagenta) continue;
    bool known = c == ball.line;
    for (const Rgb& s : ball.shade) known = known || c == s;
    EXPECT_TRUE(known);
  }
}

TEST_F(PaintedBall, HasAOnePixelOutlineAndNothingBeyond) {
  int outline = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      double dx = x + 0.5 - 20, dy = y + 0.5 - 20, d = std::sqrt(dx * dx + dy * dy);
      if (d > 12) {
        EXPECT_EQ(picture.at(x, y), kMagenta) << x << "," << y;
      }
      if (picture.at(x, y) == ball.line) {
        ++outline;
        EXPECT_GT(d, 9.0);
      }
    }
  EXPECT_GT(outline, 50);
  EXPECT_EQ(picture.at(20, 9), ball.line);  // just above the top
}

TEST(Painter, APartInFrontDarkensTheEdgeOfThePartBehind) {
  Material back = MakeMaterial(Rgb{200, 60, 60}), front = MakeMaterial(Rgb{60, 60, 200});
  Painter p(40, 20);
  p.Capsule({4, 10}, {36, 10}, 4, 4, back);
  p.NewPart();
  p.Ellipse({20, 10}, 3, 6, 0, front);
  Picture pic = p.Render(0);
  // The back part's pixel touching the front part is its darkest shade, the front part's is not.
  Rgb seam = pic.at(16, 10);
  EXPECT_EQ(seam, back.shade[3]);
  EXPECT_NE(pic.at(17, 10), front.shade[3]);
  Picture flashed = p.Render(0.5);
  EXPECT_GT(flashed.at(20, 10).r, pic.at(20, 10).r);
}

TEST(ArtPng, EncodingIsRepeatableAndDecodesToTheSamePixels) {
  Picture pic(7, 5, kMagenta);
  for (int i = 0; i < 35; ++i) pic.pixels[size_t(i)] = Rgb{uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 3)};
  std::vector<uint8_t> a = EncodePng(pic), b = EncodePng(pic);
  EXPECT_TRUE(a == b);
  auto decoded = DecodePixmap(a.data(), int64_t(a.size()));
  ASSERT_NE(decoded, nullptr);
  auto rgba = ConvertPixmap(*decoded, 6);
  ASSERT_EQ(rgba->width, 7);
  ASSERT_EQ(rgba->height, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      const uint8_t* px = &rgba->pixels[size_t(y) * size_t(rgba->pitch) + size_t(x) * 4];
      EXPECT_EQ(px[0], pic.at(x, y).r);
      EXPECT_EQ(px[1], pic.at(x, y).g);
      EXPECT_EQ(px[2], pic.at(x, y).b);
    }
}

}  // namespace

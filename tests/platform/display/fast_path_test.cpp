// The drawing's shortcuts must give the same pixels as the plain quads: opaque pictures drawn
// unscaled at whole pixels come from a copy made with the same quad, and texel-exact draws sample the
// nearest texel. Each case compares against the same frame drawn the plain way. The copies are
// taken both ways: the driver's image copies, and through a framebuffer as a browser's OpenGL must.
#include "tests/platform/display/display_support.h"

#include <vector>

// SDL's, linked in with the display; declared here as the tests see no SDL headers.
extern "C" int SDL_GL_ExtensionSupported(const char* extension);

namespace {

class FastPathTest : public HeadlessDisplayTest {
 protected:
  // An opaque 90 x 70 picture with something different in every pixel.
  static std::unique_ptr<TPixmap> Busy(int shift = 0, int width = 90, int height = 70) {
    auto p = MakePixmap(width, height, 4);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        SetPixel(*p, x, y, {(x * 37 + y * 11 + shift) % 256, (x * 5 + y * 53) % 255 + 1, ((x ^ y) * 29 + shift) % 256});
    return p;
  }
  static TRgb Texel(const TPixmap& p, int x, int y, int scale = 255) {
    const uint8_t* q = PixelOf(p, x, y);
    return TRgb{q[0] * scale / 255, q[1] * scale / 255, q[2] * scale / 255};
  }
  // Worst channel difference between two areas of the presented picture.
  static int Worst(int ax, int ay, int bx, int by, int w, int h) {
    int worst = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        TRgb a = Probe(ax + x, ay + y), b = Probe(bx + x, by + y);
        worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
      }
    return worst;
  }
};

// Without image copies: Mesa hides the extension when told before its first context, which holds
// for ctest's one process a case.
class CopyTest : public FastPathTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) setenv("MESA_EXTENSION_OVERRIDE", "-GL_ARB_copy_image", 1);
    FastPathTest::SetUp();
    if (GetParam() && SDL_GL_ExtensionSupported("GL_ARB_copy_image"))
      GTEST_SKIP() << "the driver still offers image copies (a context was made earlier in this process)";
  }
  void TearDown() override {
    FastPathTest::TearDown();
    unsetenv("MESA_EXTENSION_OVERRIDE");
  }
};
INSTANTIATE_TEST_SUITE_P(Copies, CopyTest, ::testing::Bool(), [](const ::testing::TestParamInfo<bool>& param) {
  return param.param ? std::string("ThroughAFramebuffer") : std::string("ByTheDriver");
});

TEST_P(CopyTest, AnOpaquePictureCopiedMatchesItsQuad) {
  Fill({5, 5, 5});
  auto pixels = Busy();
  ImagePtr image = MakeImageFromPixmap(*pixels, ImageMasked | ImageFiltered);
  SetDrawColor(111, 111, 111);
  SetBlendMode(1);
  DrawImageFrame(image.get(), 100, 50, 0);  // copied (twice: the second uses the copy made by the first)
  DrawImageFrame(image.get(), 300, 50, 0);
  SetBlendMode(3);                          // alpha 1: the plain quad, the same pixels
  DrawImageFrame(image.get(), 100, 300, 0);
  SetBlendMode(1);
  FlipFrame(0);
  EXPECT_LE(Worst(100, 50, 100, 300, 90, 70), 1);
  EXPECT_LE(Worst(300, 50, 100, 300, 90, 70), 1);
  EXPECT_RGB_NEAR(Probe(100 + 17, 50 + 33), Texel(*pixels, 17, 33, 111));
  EXPECT_RGB_NEAR(Probe(99, 50), (TRgb{5, 5, 5}));
  EXPECT_RGB_NEAR(Probe(190, 120), (TRgb{5, 5, 5}));
}

// A picture too large for the shared pages, as the title picture is, dimmed, copied whole and cut
// by each edge, against the same draws as plain quads (alpha 1 in mode 3).
TEST_P(CopyTest, ALargePictureCopiedMatchesItsQuadsWholeAndCut) {
  ImagePtr image = MakeImageFromPixmap(*Busy(7, 300, 200), 3);
  const int places[5][2] = {{250, 200}, {250, 200}, {-40, 450}, {550, -60}, {-30, -20}};
  std::vector<TRgb> shown[2];
  for (int mode : {1, 3}) {
    Fill({0, 0, 0});
    SetBlendMode(mode);
    SetDrawColor(111, 111, 111);
    for (const auto& at : places) DrawImageFrame(image.get(), static_cast<float>(at[0]), static_cast<float>(at[1]), 0);
    SetBlendMode(1);
    FlipFrame(0);
    for (int y = 0; y < 600; y += 3)
      for (int x = 0; x < 800; x += 3) shown[mode == 3].push_back(Probe(x, y));
  }
  int worst = 0;
  for (size_t i = 0; i < shown[0].size(); ++i)
    worst = std::max({worst, std::abs(shown[0][i].r - shown[1][i].r), std::abs(shown[0][i].g - shown[1][i].g),
                      std::abs(shown[0][i].b - shown[1][i].b)});
  EXPECT_LE(worst, 1);
  EXPECT_RGB_NEAR(Probe(799, 599), (TRgb{0, 0, 0}));
}

TEST_P(CopyTest, CopiesFollowTheColourAndClipAtTheEdges) {
  Fill({0, 0, 0});
  auto pixels = Busy();
  ImagePtr image = MakeImageFromPixmap(*pixels, 3);
  SetDrawColor(111, 111, 111);
  DrawImageFrame(image.get(), 0, 0, 0);
  SetDrawColor(255, 255, 255);
  DrawImageFrame(image.get(), 200, 0, 0);
  DrawImageFrame(image.get(), -10, 590, 0);
  DrawImageFrame(image.get(), 750, -20, 0);
  FlipFrame(0);
  EXPECT_RGB_NEAR(Probe(40, 20), Texel(*pixels, 40, 20, 111));
  EXPECT_RGB_NEAR(Probe(240, 20), Texel(*pixels, 40, 20));
  EXPECT_RGB_NEAR(Probe(0, 590), Texel(*pixels, 10, 0));
  EXPECT_RGB_NEAR(Probe(79, 599), Texel(*pixels, 89, 9));
  EXPECT_RGB_NEAR(Probe(80, 595), (TRgb{0, 0, 0}));
  EXPECT_RGB_NEAR(Probe(799, 0), Texel(*pixels, 49, 20));
  EXPECT_RGB_NEAR(Probe(750, 49), Texel(*pixels, 0, 69));
  EXPECT_RGB_NEAR(Probe(750, 50), (TRgb{0, 0, 0}));
}

TEST_P(CopyTest, ANewPictureNeverShowsTheCopyOfAnOldOne) {
  Fill({0, 0, 0});
  for (int round = 0; round < 6; ++round) {
    auto pixels = Busy(round * 40);
    ImagePtr image = MakeImageFromPixmap(*pixels, 3);
    DrawImageFrame(image.get(), 10, 10, 0);
    FlipFrame(0);
    SCOPED_TRACE(round);
    EXPECT_RGB_NEAR(Probe(10 + 3, 10 + 4), Texel(*pixels, 3, 4));
  }
}

TEST_F(FastPathTest, TexelExactDrawsShowTheTexelsAndOthersFilter) {
  Fill({0, 0, 0});
  // A filtered checkerboard with a transparent pixel: not opaque, so a quad even when texel-exact.
  auto p = MakePixmap(8, 8, 6);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixel(*p, x, y, ((x + y) % 2) ? TRgb{255, 255, 255} : TRgb{0, 0, 120});
  SetPixel(*p, 7, 7, {0, 0, 0}, 0);
  ImagePtr board = MakeImageFromPixmap(*p, ImageFiltered);
  DrawImageFrame(board.get(), 10, 10, 0);
  SetDrawScale(-1, 1);
  DrawImageFrame(board.get(), 38, 10, 0);  // covers 30..37, mirrored
  SetDrawScale(2.5f, 2.5f);
  DrawImageFrame(board.get(), 50, 10, 0);
  SetDrawScale(1, 1);
  FlipFrame(0);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) {
      TRgb want = ((x + y) % 2) ? TRgb{255, 255, 255} : TRgb{0, 0, 120};
      EXPECT_RGB_NEAR(Probe(10 + x, 10 + y), want);
      EXPECT_RGB_NEAR(Probe(37 - x, 10 + y), want);
    }
  // Enlarged, linear filtering blends neighbouring squares.
  TRgb blended = Probe(50 + 5, 10 + 3);
  EXPECT_GT(blended.r, 20);
  EXPECT_LT(blended.r, 235);
}

}  // namespace

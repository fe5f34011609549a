// The font strip: its size, its cells, and glyphs that sit where an 8-pixel advance expects them.
#include <gtest/gtest.h>

#include "art_layout.h"
#include "platform/files/resources.h"

namespace {

constexpr const char* kCharset = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,'?!%#+-=$&*:/\\><()";

class FontStrip : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterEmbeddedResources();
    strip = DecodeEmbedded("image\\font2.png").release();
  }
  static void TearDownTestSuite() { delete strip; }
  static Decoded* strip;

  // The ink of one 14 x 12 cell, in the cell's own coordinates.
  static InkBox Cell(int index) {
    InkBox box;
    int cx = (index % 28) * 14, cy = (index / 28) * 12;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 14; ++x)
        if (strip->Ink(cx + x, cy + y)) {
          box.x0 = std::min(box.x0, x);
          box.y0 = std::min(box.y0, y);
          box.x1 = std::max(box.x1, x);
          box.y1 = std::max(box.y1, y);
        }
    return box;
  }
};
Decoded* FontStrip::strip = nullptr;

TEST_F(FontStrip, IsTwoRowsOfTwentyEightCellsOnMagenta) {
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->width, 392);
  EXPECT_EQ(strip->height, 24);
  EXPECT_EQ(strip->bytes[25], 2);  // RGB, no alpha
  EXPECT_FALSE(strip->Ink(0, 0));
  EXPECT_FALSE(strip->Ink(391, 23));
}

TEST_F(FontStrip, EveryGlyphStartsNearItsCellsLeftAndStaysNarrow) {
  ASSERT_NE(strip, nullptr);
  int total = 0;
  for (int i = 0; i < 56; ++i) {
    SCOPED_TRACE(std::string("glyph ") + kCharset[i]);
    InkBox box = Cell(i);
    ASSERT_FALSE(box.Empty());
    EXPECT_GE(box.x0, 1);
    EXPECT_LE(box.x0, 4);
    int width = box.x1 - box.x0 + 1;
    EXPECT_LE(width, 11);
    total += width;
    // Glyphs keep inside their cell's rows, so strips cut at 12 never show a neighbour.
    EXPECT_GE(box.y0, 0);
    EXPECT_LE(box.y1, 11);
  }
  // Most letters are 7 to 8 wide, so the 8-pixel advance sets them close but apart.
  EXPECT_LE(total / 56, 8);
  EXPECT_GE(total / 56, 5);
}

TEST_F(FontStrip, InkIsGreyFromDarkToNearlyWhite) {
  ASSERT_NE(strip, nullptr);
  int darkest = 255, lightest = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 392; ++x) {
      if (!strip->Ink(x, y)) continue;
      const uint8_t* p = strip->At(x, y);
      EXPECT_EQ(p[0], p[1]);
      EXPECT_EQ(p[1], p[2]);
      darkest = std::min<int>(darkest, p[0]);
      lightest = std::max<int>(lightest, p[0]);
    }
  EXPECT_LT(darkest, 90);
  EXPECT_GT(lightest, 235);
}

TEST_F(FontStrip, AmpersandIsAFilledBall) {
  ASSERT_NE(strip, nullptr);
  int index = int(std::string(kCharset).find('&'));
  InkBox box = Cell(index);
  int w = box.x1 - box.x0 + 1, h = box.y1 - box.y0 + 1;
  EXPECT_GE(w, 7);
  EXPECT_LE(std::abs(w - h), 1);
  // Filled: every pixel of the ball's middle row and column is ink.
  int cx = (index % 28) * 14, cy = (index / 28) * 12;
  int midX = (box.x0 + box.x1) / 2, midY = (box.y0 + box.y1) / 2;
  for (int x = box.x0; x <= box.x1; ++x) EXPECT_TRUE(strip->Ink(cx + x, cy + midY));
  for (int y = box.y0; y <= box.y1; ++y) EXPECT_TRUE(strip->Ink(cx + midX, cy + y));
}

TEST_F(FontStrip, DistinctCharactersHaveDistinctGlyphs) {
  ASSERT_NE(strip, nullptr);
  std::vector<std::vector<bool>> shapes;
  for (int i = 0; i < 56; ++i) {
    std::vector<bool> shape;
    int cx = (i % 28) * 14, cy = (i / 28) * 12;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 14; ++x) shape.push_back(strip->Ink(cx + x, cy + y));
    for (size_t j = 0; j < shapes.size(); ++j) EXPECT_NE(shapes[j], shape) << kCharset[j] << " and " << kCharset[i];
    shapes.push_back(shape);
  }
}

}  // namespace

// The embedded art as the game loads it: every resource name, frame count, hit frame and offset
// row, each picture decodable by the platform's decoder and in the form the mask expects.
#include <gtest/gtest.h>

#include "art_layout.h"
#include "platform/files/resources.h"
#include "platform/display/window_icon.h"

namespace {

class EmbeddedArt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterEmbeddedResources(); }
};

TEST_F(EmbeddedArt, HoldsExactlyTheGamesFiveHundredEightyFilesAndTheIcon) {
  // The game's 580 files and the window icon's two sizes.
  EXPECT_EQ(EmbeddedResourceCount(), 580 + 2);
  int expected = 2;
  for (const ArtSet& set : ArtSets()) expected += set.frames[0] + set.frames[1] + set.frames[2] + 3 + 1;
  EXPECT_EQ(expected, 580);
  EXPECT_NE(FindResource(Text("image\\font2.png")), nullptr);
  EXPECT_NE(FindResource(Text("image\\dragon.jpg")), nullptr);
  EXPECT_NE(FindResource(Text("image\\spider\\attack\\attack 1.png")), nullptr);
  // Names are exact: no forward slashes, no leading zeros.
  EXPECT_EQ(FindResource(Text("image/spider/attack/attack 1.png")), nullptr);
  EXPECT_EQ(FindResource(Text("image\\spider\\attack\\attack 01.png")), nullptr);
}

TEST_F(EmbeddedArt, EveryFrameSeriesHasItsCountAndStopsThere) {
  for (const ArtSet& set : ArtSets())
    for (int kind = 0; kind < 3; ++kind) {
      SCOPED_TRACE(KindFolder(set, kind));
      for (int f = 1; f <= set.frames[kind]; ++f) {
        auto picture = DecodeEmbedded(FramePath(set, kind, f));
        ASSERT_NE(picture, nullptr) << "frame " << f;
        EXPECT_GT(picture->width, 2);
        EXPECT_GT(picture->height, 2);
        // RGB without alpha (colour type 2), so the magenta mask decides what shows.
        ASSERT_GT(picture->bytes.size(), 26u);
        EXPECT_EQ(picture->bytes[25], 2) << "frame " << f;
        // The crop leaves a magenta margin: the corners are background.
        EXPECT_FALSE(picture->Ink(0, 0));
        EXPECT_FALSE(picture->Ink(picture->width - 1, picture->height - 1));
        EXPECT_FALSE(FindInk(*picture).Empty());
      }
      std::vector<uint8_t> none;
      EXPECT_FALSE(ReadEmbedded(FramePath(set, kind, set.frames[kind] + 1), none));
      EXPECT_EQ(ReadOffsets(set, kind).size(), size_t(set.frames[kind]));
      std::vector<uint8_t> offsets;
      ASSERT_TRUE(ReadEmbedded(KindFolder(set, kind) + "offset.dat", offsets));
      EXPECT_EQ(offsets.size(), size_t(8 * set.frames[kind]));
    }
}

TEST_F(EmbeddedArt, OnlyAttacksHaveHitFilesHoldingBareDigits) {
  for (const ArtSet& set : ArtSets()) {
    SCOPED_TRACE(set.name);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadEmbedded(KindFolder(set, 0) + "hit.txt", bytes));
    std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text, std::to_string(set.hit));
    EXPECT_LE(set.hit, set.frames[0]);
    EXPECT_FALSE(ReadEmbedded(KindFolder(set, 1) + "hit.txt", bytes));
    EXPECT_FALSE(ReadEmbedded(KindFolder(set, 2) + "hit.txt", bytes));
  }
}

TEST_F(EmbeddedArt, TheTwoShippedOffsetRowsAreExact) {
  using Row = std::vector<std::array<int32_t, 2>>;
  const ArtSet& spider = ArtSets()[0];
  const ArtSet& hero = ArtSets()[16];
  ASSERT_STREQ(spider.name, "spider");
  ASSERT_STREQ(hero.name, "hero");
  EXPECT_EQ(ReadOffsets(spider, 1), (Row{{17, 22}, {17, 22}, {13, 12}, {17, 16}, {17, 22}}));
  EXPECT_EQ(ReadOffsets(hero, 0),
            (Row{{31, 22}, {32, 22}, {34, 23}, {21, 24}, {29, 23}, {25, 20}, {26, 17}, {28, 19}, {32, 23}}));
  // The spider's first recoil frame puts its handle at (30 - 17, 30 - 22).
  EXPECT_EQ(30 - ReadOffsets(spider, 1)[0][0], 13);
  EXPECT_EQ(30 - ReadOffsets(spider, 1)[0][1], 8);
}

TEST_F(EmbeddedArt, TheWindowIconIsTheHerosHeadInTwoSizesOnATransparentGround) {
  const int sizes[] = {64, 32};
  int i = 0;
  for (const char* name : kWindowIconNames) {
    SCOPED_TRACE(name);
    auto icon = DecodeEmbedded(name);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->width, sizes[i]);
    EXPECT_EQ(icon->height, sizes[i]);
    ++i;
    // Round: the corners are the mask colour, the middle is drawn.
    EXPECT_FALSE(icon->Ink(0, 0));
    EXPECT_FALSE(icon->Ink(icon->width - 1, icon->height - 1));
    EXPECT_TRUE(icon->Ink(icon->width / 2, icon->height / 2));
    // The hero's tunic blue and his skin both show.
    bool blue = false, skin = false;
    for (int y = 0; y < icon->height; ++y)
      for (int x = 0; x < icon->width; ++x) {
        const uint8_t* p = icon->At(x, y);
        blue |= p[2] > 150 && p[2] > p[0] + 60;
        skin |= p[0] > 200 && p[1] > 140 && p[1] < 200 && p[2] < 160;
      }
    EXPECT_TRUE(blue);
    EXPECT_TRUE(skin);
  }
  EXPECT_EQ(i, 2);
}

TEST_F(EmbeddedArt, TitlePictureIsAFullScreenJpeg) {
  auto title = DecodeEmbedded("image\\dragon.jpg");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->width, 800);
  EXPECT_EQ(title->height, 600);
  ASSERT_GT(title->bytes.size(), 2u);
  EXPECT_EQ(title->bytes[0], 0xFF);
  EXPECT_EQ(title->bytes[1], 0xD8);
  // Dimmed to 111/255 behind white text it must stay dark: the mean stays well below half.
  double sum = 0;
  for (size_t i = 0; i < title->rgba.size(); i += 4)
    sum += (title->rgba[i] + title->rgba[i + 1] + title->rgba[i + 2]) / 3.0;
  double mean = sum / (title->rgba.size() / 4) * 111 / 255;
  EXPECT_LT(mean, 60);
  EXPECT_GT(mean, 8);
}

}  // namespace

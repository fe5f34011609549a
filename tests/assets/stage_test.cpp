// The figures on the stage as the battle draws them: the hero at (125, 305), the foe mirrored at
// (280, 305), the Dragon Lord 1.3 times larger about that point; standing figures keep clear of
// each other and of the name and health lines from y = 375; animations keep their feet, strike on
// their hit frame, flash when hurt and end lying still.
#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

#include "art_layout.h"
#include "platform/files/resources.h"

namespace {

constexpr int kNameLine = 375;

struct ScreenBox {
  double x0, y0, x1, y1;  // pixel edges
};

class Stage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterEmbeddedResources(); }

  struct Placed {
    std::unique_ptr<Decoded> picture;
    std::array<int32_t, 2> offset{};
    InkBox ink;
  };
  static Placed Load(const ArtSet& set, int kind, int frame) {
    Placed p;
    p.picture = DecodeEmbedded(FramePath(set, kind, frame));
    auto offsets = ReadOffsets(set, kind);
    if (p.picture && int(offsets.size()) >= frame) {
      p.offset = offsets[size_t(frame - 1)];
      p.ink = FindInk(*p.picture);
    }
    return p;
  }
  // The figure's edges on the canvas (origin 30 px left of and above the drawing position).
  static ScreenBox Canvas(const Placed& p) {
    return {double(p.offset[0] + p.ink.x0), double(p.offset[1] + p.ink.y0), double(p.offset[0] + p.ink.x1 + 1),
            double(p.offset[1] + p.ink.y1 + 1)};
  }
  static ScreenBox HeroOnScreen(const Placed& p) {
    ScreenBox c = Canvas(p);
    return {95 + c.x0, 275 + c.y0, 95 + c.x1, 275 + c.y1};
  }
  // Mirrored about the drawing point, and scaled for the Dragon Lord.
  static ScreenBox FoeOnScreen(const Placed& p, double scale) {
    ScreenBox c = Canvas(p);
    return {280 - scale * (c.x1 - 30), 305 + scale * (c.y0 - 30), 280 - scale * (c.x0 - 30), 305 + scale * (c.y1 - 30)};
  }
  static bool Flies(const ArtSet& set) {
    return std::string_view(set.name) == "wasp" || std::string_view(set.name) == "dragon";
  }
};

TEST_F(Stage, StandingFiguresKeepClearOfEachOtherAndOfTheNames) {
  const ArtSet& heroSet = ArtSets()[16];
  Placed hero = Load(heroSet, 0, 1);
  ASSERT_NE(hero.picture, nullptr);
  ScreenBox h = HeroOnScreen(hero);
  EXPECT_LE(h.y1, kNameLine);
  double height = h.y1 - h.y0;
  EXPECT_GE(height, 58);
  EXPECT_LE(height, 76);
  for (const ArtSet& set : ArtSets()) {
    if (&set == &heroSet) continue;
    bool lordToo = std::string_view(set.name) == "dragon";
    Placed foe = Load(set, 0, 1);
    ASSERT_NE(foe.picture, nullptr) << set.name;
    for (double scale : {1.0, 1.3}) {
      if (scale != 1.0 && !lordToo) continue;
      SCOPED_TRACE(std::string(set.name) + (scale != 1.0 ? " as the Dragon Lord" : ""));
      ScreenBox f = FoeOnScreen(foe, scale);
      EXPECT_LT(h.x1, f.x0) << "hero's front at " << h.x1 << ", foe's at " << f.x0;
      EXPECT_LE(f.y1, kNameLine);
      EXPECT_GE(f.x0, 100);
      EXPECT_LE(f.x1, 420);
      EXPECT_GE(f.y0, 200);
    }
  }
}

TEST_F(Stage, MonstersRangeFromTheSmallSpiderToTheGreatDragon) {
  Placed spider = Load(ArtSets()[0], 0, 1), dragon = Load(ArtSets()[15], 0, 1);
  ASSERT_NE(spider.picture, nullptr);
  ASSERT_NE(dragon.picture, nullptr);
  ScreenBox s = Canvas(spider), d = Canvas(dragon);
  EXPECT_NEAR(s.x1 - s.x0, 40, 10);
  EXPECT_NEAR(d.x1 - d.x0, 110, 15);
  EXPECT_NEAR(d.y1 - d.y0, 90, 15);
  for (const ArtSet& set : ArtSets()) {
    if (&set == &ArtSets()[0] || &set == &ArtSets()[15]) continue;
    ScreenBox c = Canvas(Load(set, 0, 1));
    EXPECT_LT(c.x1 - c.x0, d.x1 - d.x0) << set.name;
    EXPECT_GT((c.x1 - c.x0) * (c.y1 - c.y0), (s.x1 - s.x0) * (s.y1 - s.y0) * 0.8) << set.name;
  }
}

TEST_F(Stage, WalkersKeepTheirFeetOnOneGroundLine) {
  for (const ArtSet& set : ArtSets()) {
    if (Flies(set)) continue;
    double ground = Canvas(Load(set, 0, 1)).y1;
    for (int kind = 0; kind < 2; ++kind) {
      // The spider's recoil is a hop, fixed by its shipped offsets.
      if (kind == 1 && std::string_view(set.name) == "spider") continue;
      for (int f = 1; f <= set.frames[kind]; ++f)
        EXPECT_NEAR(Canvas(Load(set, kind, f)).y1, ground, 2) << set.name << " " << kKinds[kind] << " " << f;
    }
  }
}

TEST_F(Stage, TheBlowIsAtItsFurthestOnTheHitFrame) {
  for (const ArtSet& set : ArtSets()) {
    double atHit = Canvas(Load(set, 0, set.hit)).x1;
    for (int f = 1; f <= set.frames[0]; ++f)
      EXPECT_LE(Canvas(Load(set, 0, f)).x1, atHit) << set.name << " frame " << f << " reaches past the hit frame";
    EXPECT_GT(atHit, Canvas(Load(set, 0, 1)).x1 + 2) << set.name << " does not reach forward";
  }
}

TEST_F(Stage, HurtFiguresFlashLighter) {
  auto brightness = [](const Placed& p) {
    double sum = 0;
    int n = 0;
    for (int y = 0; y < p.picture->height; ++y)
      for (int x = 0; x < p.picture->width; ++x)
        if (p.picture->Ink(x, y)) {
          const uint8_t* c = p.picture->At(x, y);
          sum += c[0] + c[1] + c[2];
          ++n;
        }
    return n ? sum / n : 0.0;
  };
  for (const ArtSet& set : ArtSets()) {
    double rest = brightness(Load(set, 1, 1)), brightest = 0;
    for (int f = 2; f <= set.frames[1]; ++f) brightest = std::max(brightest, brightness(Load(set, 1, f)));
    EXPECT_GT(brightest, rest + 30) << set.name;
  }
}

TEST_F(Stage, DeathEndsLyingStillOnTheGround) {
  for (const ArtSet& set : ArtSets()) {
    SCOPED_TRACE(set.name);
    int n = set.frames[2];
    Placed last = Load(set, 2, n), before = Load(set, 2, n - 1), standing = Load(set, 0, 1);
    ASSERT_NE(last.picture, nullptr);
    EXPECT_TRUE(last.picture->bytes == before.picture->bytes) << "the last pose is not held";
    EXPECT_EQ(last.offset, before.offset);
    ScreenBox fallen = Canvas(last), up = Canvas(standing);
    EXPECT_GT(fallen.y0, up.y0 + 0.15 * (up.y1 - up.y0)) << "the fallen body should lie lower than the standing one";
    if (Flies(set)) {
      EXPECT_GE(fallen.y1, up.y1);
    } else {
      EXPECT_NEAR(fallen.y1, up.y1, 1.5);
    }
  }
}

}  // namespace

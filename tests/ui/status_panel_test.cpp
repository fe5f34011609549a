// The status panel's rows for rune levels 2 and 3, the ball bar's two passes, and the stage with
// the hero, an opponent (mirrored, or the Dragon Lord enlarged and reddened) and a speaker.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/healer.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/ui/font.h"
#include "game/ui/menu.h"
#include "game/ui/stage.h"
#include "game/ui/status_panel.h"
#include "platform/display/display.h"
#include "tests/support/stand_in_image.h"
#include "tests/ui/ui_support.h"

namespace {

// The description as the font draws it: capitals, no spaces.
std::string Drawn(const Text& text) {
  std::string out;
  for (char c : TextUpper(text).ToBytes())
    if (c != ' ') out += c;
  return out;
}

class StatusPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetScreenWorld();
    SetDrawRecorder(&records);
  }
  void TearDown() override { SetDrawRecorder(nullptr); }

  void ExpectGlyph(float x, float y, char ch, int32_t r, int32_t g, int32_t b) {
    const TDrawRecord* glyph = GlyphAt(records, x, y);
    ASSERT_NE(glyph, nullptr) << "nothing at " << x << ", " << y;
    EXPECT_EQ(GlyphChar(*glyph), ch) << "at " << x << ", " << y;
    EXPECT_EQ(glyph->red, r) << "at " << x << ", " << y;
    EXPECT_EQ(glyph->green, g) << "at " << x << ", " << y;
    EXPECT_EQ(glyph->blue, b) << "at " << x << ", " << y;
  }
  std::vector<TDrawRecord> records;
};

TEST_F(StatusPanel, NewHeroRowsSitAtTheirPlaces) {
  ASSERT_EQ(hero.runelevel, 2);
  DrawStatusPanel();
  EXPECT_EQ(GlyphTextAt(records, 502.0f), "&FLOOR#0" + std::string(91, '&'));
  ExpectGlyph(0, 502, '&', 99, 99, 255);
  ExpectGlyph(792, 502, '&', 99, 99, 255);
  for (float y : {516.0f, 530.0f, 544.0f, 558.0f, 572.0f, 586.0f}) {
    ExpectGlyph(0, y, '&', 99, 99, 255);
    ExpectGlyph(791, y, '&', 99, 99, 255);
  }
  EXPECT_EQ(GlyphAt(records, 0, 488), nullptr);
  ExpectGlyph(44, 516, 'H', 0, 255, 0);
  ExpectGlyph(300, 516, 'G', 255, 230, 0);
  ExpectGlyph(509, 516, 'E', 190, 190, 200);
  ExpectGlyph(44, 530, 'S', 168, 168, 255);
  ExpectGlyph(194, 530, 'D', 165, 125, 35);
  ExpectGlyph(344, 530, 'A', 255, 255, 255);
  ExpectGlyph(544, 530, 'I', 255, 255, 255);
  ExpectGlyph(44, 544, 'W', 168, 168, 255);
  ExpectGlyph(44, 558, 'A', 165, 125, 35);
  EXPECT_EQ(GlyphTextAt(records, 544.0f), "&" + Drawn(hero.weapon->Describe()) + "&");
  EXPECT_EQ(GlyphTextAt(records, 558.0f), "&" + Drawn(hero.armor->Describe()) + "&");
  EXPECT_EQ(GlyphTextAt(records, 572.0f), "&" + Drawn(hero.runes[1]->Describe()) + "&");
  EXPECT_EQ(GlyphTextAt(records, 586.0f), "&" + Drawn(hero.runes[2]->Describe()) + "&");
  EXPECT_EQ(GlyphTextAt(records, 572.0f).substr(0, 8), "&RUNE#1:");
  // "Rune" is a keyword: the rune lines open in the rune colour.
  ExpectGlyph(44, 572, 'R', 105, 145, 145);
}

TEST_F(StatusPanel, NumbersAddTheEquipmentToTheBaseStatistics) {
  titem sword;
  sword.kind = 1;
  sword.name = "sword";
  sword.value = 6.9333334f;
  sword.chance = 30;
  titem armour;
  armour.kind = 2;
  armour.name = "body-armor";
  armour.value = 7.6666665f;
  armour.chance = 15;
  hero.weapon = &sword;
  hero.armor = &armour;
  hero.strength = 5;
  hero.defence = 2;
  hero.accuracy = 7;
  hero.itemfind = 62;
  hero.health = 40;
  hero.gold = 1234;
  hero.experience = 3;
  hero.floor = 12;
  DrawStatusPanel();
  EXPECT_EQ(GlyphTextAt(records, 530.0f), "&STRENGTH:11DEFENCE:9ACCURACY:37%ITEM-FIND:62%&");
  EXPECT_EQ(GlyphTextAt(records, 516.0f), "&HEALTH:40/100GOLD:1234EXPERIENCE:3/10" + std::string(9, '&'));
  EXPECT_EQ(GlyphTextAt(records, 502.0f), "&FLOOR#12" + std::string(90, '&'));
  EXPECT_EQ(GlyphTextAt(records, 544.0f), "&WEAPON:SWORD,POWER:6,ACCURACY:30%&");
  hero.weapon = DefaultWeapon;
  hero.armor = DefaultArmor;
}

TEST_F(StatusPanel, NumbersAtTheLimitsShowTheLimitNotAWrappedSum) {
  titem sword;
  sword.kind = 1;
  sword.name = "sword";
  sword.value = 6.0f;
  sword.chance = 30;
  hero.weapon = &sword;
  hero.strength = hero.accuracy = hero.experience = INT32_MAX;
  DrawStatusPanel();
  // The long numbers run into the next column; what matters is that they are the limit.
  const std::string row = GlyphTextAt(records, 530.0f);
  EXPECT_EQ(row.find("&STRENGTH:214748364"), 0u) << row;
  EXPECT_NE(row.find("ACCURACY:2147483647%"), std::string::npos) << row;
  hero.weapon = DefaultWeapon;
}

TEST_F(StatusPanel, RuneLevelThreeMovesThePanelUpAndAddsARuneLine) {
  hero.runelevel = 3;
  DrawStatusPanel();
  EXPECT_EQ(GlyphTextAt(records, 488.0f).substr(0, 8), "&FLOOR#0");
  ExpectGlyph(0, 502, '&', 99, 99, 255);
  ExpectGlyph(44, 502, 'H', 0, 255, 0);
  ExpectGlyph(44, 516, 'S', 168, 168, 255);
  ExpectGlyph(44, 530, 'W', 168, 168, 255);
  ExpectGlyph(44, 544, 'A', 165, 125, 35);
  EXPECT_EQ(GlyphTextAt(records, 558.0f).substr(0, 8), "&RUNE#1:");
  EXPECT_EQ(GlyphTextAt(records, 572.0f).substr(0, 8), "&RUNE#2:");
  EXPECT_EQ(GlyphTextAt(records, 586.0f).substr(0, 8), "&RUNE#3:");
  // The experience read-out follows the level: 10 ^ 2 needed.
  EXPECT_NE(GlyphTextAt(records, 502.0f).find("EXPERIENCE:0/100"), std::string::npos);
}

TEST_F(StatusPanel, EquippedRunesTakeTheirStatColour) {
  titem rune;
  rune.kind = 3;
  rune.name = "rune";
  rune.stat = 2;
  rune.timing = 1;
  rune.value = 9.0f;
  rune.quality = 1.0f;
  hero.runes[2] = &rune;
  DrawStatusPanel();
  // "Rune#2: rune: Adds 9 to strength when equipped": the plain words in the strength colour.
  ExpectGlyph(44 + 8 * 8, 586, 'R', 105, 145, 145);
  ExpectGlyph(44 + 14 * 8, 586, 'A', 168, 168, 255);
  hero.runes[2] = DefaultRunes[2];
}

class Bar : public StatusPanel {
 protected:
  std::vector<TDrawRecord> Pass(int pass) const {
    // Each pass ends with its squeezed rectangle.
    std::vector<TDrawRecord> out;
    int seen = 1;
    for (const TDrawRecord& r : records) {
      if (seen == pass) out.push_back(r);
      if (r.width != 14.0f) ++seen;
    }
    return out;
  }
};

TEST_F(Bar, FullBarIsSevenBallsAndASliverOverTheGreyBackground) {
  DrawBar(100.0f, 100, 10, 50, 58, 0);
  ASSERT_EQ(records.size(), 16u);
  std::vector<TDrawRecord> background = Pass(1);
  ASSERT_EQ(background.size(), 8u);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(background[static_cast<size_t>(i)].x, 10.0f + 8 * i);
    EXPECT_EQ(background[static_cast<size_t>(i)].frame, GlyphFrame(u'&'));
    EXPECT_EQ(background[static_cast<size_t>(i)].red, 111);
    EXPECT_FLOAT_EQ(background[static_cast<size_t>(i)].alpha, 0.5f);
    EXPECT_EQ(background[static_cast<size_t>(i)].blend, 3);
  }
  const TDrawRecord& end = background[7];
  EXPECT_EQ(end.x, 67.0f);
  EXPECT_EQ(end.y, 50.0f);
  EXPECT_EQ(end.width, 2.0f);
  EXPECT_EQ(end.height, 12.0f);
  EXPECT_EQ(end.frame, GlyphFrame(u'&'));
  EXPECT_FLOAT_EQ(end.alpha, 1.0f);  // the background's end piece is opaque
  EXPECT_EQ(end.blend, 1);
  std::vector<TDrawRecord> fill = Pass(2);
  ASSERT_EQ(fill.size(), 8u);
  EXPECT_EQ(fill[0].red, 0);
  EXPECT_EQ(fill[0].green, 240);
  EXPECT_EQ(fill[0].blue, 40);
  EXPECT_EQ(fill[7].x, 67.0f);
  EXPECT_EQ(fill[7].width, 2.0f);
  EXPECT_FLOAT_EQ(GetDrawAlpha(), 1.0f);
  EXPECT_EQ(GetBlendMode(), 1);
}

TEST_F(Bar, HalfBarIsThreeBallsAndAFivePixelEnd) {
  DrawBar(50.0f, 100, 0, 0, 58, 0);
  std::vector<TDrawRecord> fill = Pass(2);
  ASSERT_EQ(fill.size(), 4u);
  EXPECT_EQ(fill[3].x, 25.0f);
  EXPECT_EQ(fill[3].width, 5.0f);
  EXPECT_EQ(fill[0].red, 120);
  EXPECT_EQ(fill[0].green, 155);
}

TEST_F(Bar, EmptyBarShowsOnlyTheBackground) {
  DrawBar(0.0f, 100, 0, 0, 58, 0);
  std::vector<TDrawRecord> fill = Pass(2);
  ASSERT_EQ(fill.size(), 1u);
  EXPECT_EQ(fill[0].width, 0.0f);
  EXPECT_EQ(fill[0].x, 1.0f);
  EXPECT_EQ(fill[0].red, 255);
  EXPECT_EQ(fill[0].green, 70);
}

TEST_F(Bar, ExperienceStyleIsAlwaysGreyBlue) {
  DrawBar(1.0f, 2, 724, 516, 50, 1);
  std::vector<TDrawRecord> fill = Pass(2);
  ASSERT_EQ(fill.size(), 4u);  // span 25: three balls and a one-pixel end
  EXPECT_EQ(fill[3].width, 1.0f);
  EXPECT_EQ(fill[0].red, 190);
  EXPECT_EQ(fill[0].green, 190);
  EXPECT_EQ(fill[0].blue, 200);
}

TEST_F(Bar, ValuesOutsideTheRangeStayInsideTheBar) {
  DrawBar(250.0f, 100, 0, 0, 58, 0);
  std::vector<TDrawRecord> over = Pass(2);
  ASSERT_EQ(over.size(), 8u);
  EXPECT_EQ(over[0].green, 240);
  records.clear();
  DrawBar(-20.0f, 100, 0, 0, 58, 0);
  std::vector<TDrawRecord> under = Pass(2);
  ASSERT_EQ(under.size(), 1u);
  EXPECT_EQ(under[0].width, 0.0f);
  EXPECT_EQ(under[0].red, 255);
  records.clear();
  DrawBar(5.0f, 0, 0, 0, 58, 0);
  EXPECT_EQ(Pass(2).size(), 1u);
}

// A creature standing on one picture, as the animations leave it.
struct StandInCreature {
  StandInCreature(const char* name, int32_t health, int32_t healthmax) {
    anim.images[1] = MakeStandInImage(60, 60, 1);
    anim.framecount = 1;
    mon.name = name;
    mon.health = health;
    mon.healthmax = healthmax;
    mon.anim = &anim;
    mon.frame = 1.0f;
  }
  tanim anim;
  tmon mon;
};

class Stage : public StatusPanel {
 protected:
  const TDrawRecord* Picture(const TImage* image) const {
    for (const TDrawRecord& r : records)
      if (r.image == image) return &r;
    return nullptr;
  }
};

TEST_F(Stage, WithoutOpponentOrSpeakerOnlyTheHerosSideIsDrawn) {
  StandInCreature figure("hero", 0, 0);
  hero.mon = &figure.mon;
  hero.health = 50;
  DrawScene();
  EXPECT_EQ(GlyphTextAt(records, 375.0f), "HERO");
  ExpectGlyph(120, 375, 'H', 255, 255, 255);
  EXPECT_EQ(GlyphTextAt(records, 403.0f), "50/100");
  ExpectGlyph(120, 403, '5', 90, 155, 90);
  const TDrawRecord* picture = Picture(figure.anim.images[1].get());
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->x, 125.0f);
  EXPECT_EQ(picture->y, 305.0f);
  EXPECT_EQ(picture->scaleX, 1.0f);
  EXPECT_EQ(picture->red, 255);
  for (const TDrawRecord& r : records) EXPECT_LT(r.x, 240.0f);
  hero.mon = nullptr;
}

TEST_F(Stage, OpponentIsMirroredToFaceTheHero) {
  StandInCreature spider("spider", 30, 60);
  Opponent = &spider.mon;
  DrawScene();
  EXPECT_EQ(GlyphTextAt(records, 403.0f), "100/10030/60");
  ExpectGlyph(240, 403, '3', 255, 255, 255);
  ASSERT_NE(GlyphAt(records, 240, 389), nullptr);
  const TDrawRecord* picture = Picture(spider.anim.images[1].get());
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->x, 280.0f);
  EXPECT_EQ(picture->y, 305.0f);
  EXPECT_EQ(picture->scaleX, -1.0f);
  EXPECT_EQ(picture->scaleY, 1.0f);
  EXPECT_EQ(picture->green, 255);
  float sx = 0, sy = 0;
  GetDrawScale(sx, sy);
  EXPECT_EQ(sx, 1.0f);
  EXPECT_EQ(sy, 1.0f);
  Opponent = nullptr;
}

TEST_F(Stage, DragonLordIsLargerAndReddened) {
  StandInCreature lord("Dragon Lord", 900, 1000);
  const int32_t savedCount = MonsterCount;
  MonsterCount = 17;
  Roster[17] = &lord.mon;
  Opponent = &lord.mon;
  DrawScene();
  const TDrawRecord* picture = Picture(lord.anim.images[1].get());
  ASSERT_NE(picture, nullptr);
  EXPECT_FLOAT_EQ(picture->scaleX, -1.3f);
  EXPECT_FLOAT_EQ(picture->scaleY, 1.3f);
  EXPECT_EQ(picture->red, 255);
  EXPECT_EQ(picture->green, 100);
  EXPECT_EQ(picture->blue, 100);
  Opponent = nullptr;
  Roster[17] = nullptr;
  MonsterCount = savedCount;
}

TEST_F(Stage, OpponentWithoutAPictureShowsOnlyItsNumbers) {
  StandInCreature spider("spider", 30, 60);
  spider.mon.anim = nullptr;
  Opponent = &spider.mon;
  DrawScene();
  EXPECT_EQ(Picture(spider.anim.images[1].get()), nullptr);
  ExpectGlyph(240, 403, '3', 255, 255, 255);
  Opponent = nullptr;
}

TEST_F(Stage, SpeakerAndInfoTextStandAtTheOpponentsPlace) {
  menu.speaker = "Healer";
  menu.infoText = "It costs 5 gold";
  DrawScene();
  EXPECT_EQ(GlyphTextAt(records, 375.0f), "HEROHEALER");
  ExpectGlyph(240, 375, 'H', 255, 255, 255);
  EXPECT_EQ(GlyphTextAt(records, 361.0f), "ITCOSTS5GOLD");
  EXPECT_FALSE(menu.infoText.Empty());
}

}  // namespace

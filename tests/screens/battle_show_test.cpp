// The battle's sequences frame by frame on the shipped art: when each blow lands, how many frames
// each sequence presents, where the rune gains stand, and how the death sequence leaves the drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/battle_show.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/stage.h"
#include "platform/display/display.h"
#include "platform/input/keyboard.h"
#include "tests/support/battle_world.h"
#include "tests/support/glyphs.h"
#include "tests/support/key_script.h"

namespace {

int64_t landedAfter = -1;

int32_t LandAndSurvive(tmon&, const tblow&) {
  landedAfter = PresentedFrameCount();
  return 1;
}
int32_t LandAndKill(tmon&, const tblow&) {
  landedAfter = PresentedFrameCount();
  return 0;
}
int32_t LandOnFoe(tmon&, const tblow&) {
  landedAfter = PresentedFrameCount();
  return 1;
}

// Up to 12 letters from (x, y).
std::string GlyphsAt(const std::vector<TDrawRecord>& records, float x, float y) {
  return GlyphRun(records, x, y, 8.0f * 12);
}

class BattleShowTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { LoadShippedRoster(nullptr, false); }
  static void TearDownTestSuite() { CloseDisplay(); }
  void SetUp() override {
    StartBattleWorld();
    landedAfter = -1;
  }
  void TearDown() override { SetDrawRecorder(nullptr); }
};

// Stepped before it is drawn, the monster lands its blow on the frame showing its hit frame: the
// hit frame minus two frames come before it, then 16 with the number, for every kind.
TEST_F(BattleShowTest, EveryMonsterLandsOnTheFrameThatShowsItsHitFrame) {
  for (int32_t slot = 1; slot <= MonsterCount; ++slot) {
    tmon& m = *Roster[slot];
    SCOPED_TRACE(m.name.ToBytes());
    ResetKeyboard();
    m.SetAnim(AttackKind);
    const int32_t hitframe = m.anim->hitframe;
    EXPECT_EQ(PlayMonsterAttack(m, tblow{0, 5}, LandAndSurvive), 1);
    EXPECT_EQ(landedAfter, hitframe - 2);
    EXPECT_EQ(PresentedFrameCount(), hitframe - 2 + 16);
  }
  // The spider: the hit shows on the 6th presented frame, 21 in all.
  EXPECT_EQ(Roster[1]->anim->hitframe, 7);
}

TEST_F(BattleShowTest, TheHerosBlowLandsAFrameBeforeItsHitFrameShows) {
  tmon& spider = *Roster[1];
  spider.SetAnim(AttackKind);
  PlayHeroAttack(spider, tblow{0, 3}, LandOnFoe);
  EXPECT_EQ(landedAfter, 4);
  EXPECT_EQ(PresentedFrameCount(), 20);
}

// Every attack starts from the attacker's swing, even straight after a blow it took: the hero just
// hit still takes 20 frames, the spider just hit 21, and a lethal blow from a recoiling spider
// still waits for its hit frame.
TEST_F(BattleShowTest, AnAttackerJustHitStillSwingsToItsHitFrame) {
  tmon& spider = *Roster[1];
  hero.mon->SetAnim(GotHitKind);
  hero.mon->Advance(0);
  PlayHeroAttack(spider, tblow{0, 3}, LandOnFoe);
  EXPECT_EQ(landedAfter, 4);
  EXPECT_EQ(PresentedFrameCount(), 20);

  for (bool lethal : {false, true}) {
    SCOPED_TRACE(lethal ? "lethal" : "survived");
    spider.SetAnim(GotHitKind);
    spider.Advance(0);
    const int64_t start = PresentedFrameCount();
    EXPECT_EQ(PlayMonsterAttack(spider, tblow{0, 5}, lethal ? LandAndKill : LandAndSurvive), lethal ? 0 : 1);
    EXPECT_EQ(landedAfter - start, 5);
    EXPECT_EQ(PresentedFrameCount() - start, lethal ? 5 : 21);
  }
}

TEST_F(BattleShowTest, ALethalBlowEndsTheSequenceAtOnceWithoutANumber) {
  std::vector<TDrawRecord> records;
  SetDrawRecorder(&records);
  tmon& spider = *Roster[1];
  spider.SetAnim(AttackKind);
  EXPECT_EQ(PlayMonsterAttack(spider, tblow{0, 500}, LandAndKill), 0);
  EXPECT_EQ(PresentedFrameCount(), 5);
  EXPECT_EQ(GlyphsAt(records, OverHero().x, OverHero().y - 5), "");
}

TEST_F(BattleShowTest, SpaceCutsTheNumberShortAndTheBattleGoesOn) {
  std::vector<TDrawRecord> records;
  SetDrawRecorder(&records);
  UseKeys("space@8");
  tmon& spider = *Roster[1];
  spider.SetAnim(AttackKind);
  EXPECT_EQ(PlayMonsterAttack(spider, tblow{1, 0}, LandAndSurvive), 1);
  EXPECT_EQ(PresentedFrameCount(), 8);
  // A miss floats up as MISSED from 5 pixels above the hero's head, then 2 a frame.
  EXPECT_EQ(GlyphsAt(records, OverHero().x, OverHero().y - 5), "MISSED");
  EXPECT_EQ(GlyphsAt(records, OverHero().x, OverHero().y - 7), "MISSED");
  // The next number starts afresh: the cut one left nothing behind.
  ResetKeyboard();
  spider.SetAnim(AttackKind);
  PlayMonsterAttack(spider, tblow{0, 12}, LandAndSurvive);
  EXPECT_EQ(PresentedFrameCount(), 21);
}

TEST_F(BattleShowTest, DamageFloatsInDarkRedOverTheVictim) {
  std::vector<TDrawRecord> records;
  SetDrawRecorder(&records);
  tmon& spider = *Roster[1];
  spider.SetAnim(AttackKind);
  PlayHeroAttack(spider, tblow{0, 12}, LandOnFoe);
  bool found = false;
  for (const TDrawRecord& r : records)
    if (r.image == font.glyphs.get() && r.x == FoeX && r.y == FoeY - 75) {
      EXPECT_EQ(r.red, 180);
      EXPECT_EQ(r.green, 0);
      EXPECT_EQ(r.blue, 0);
      found = true;
    }
  EXPECT_TRUE(found);
  EXPECT_EQ(GlyphsAt(records, static_cast<float>(FoeX), static_cast<float>(FoeY - 75)), "-12");
}

// Side by side 22 pixels apart from HeroX - (runelevel / 2 - 1) * 22, each slot 2 pixels lower.
TEST_F(BattleShowTest, RuneGainsStandSideBySideAndRiseForSixFrames) {
  titem strength(ItemRune, "rune", 0, 4.0f, 1, 1.0f, StatStrength, TimingAttack);
  titem health(ItemRune, "rune", 0, 4.0f, 1, 1.0f, StatHealth, TimingAttack);
  hero.runes[1] = &strength;
  hero.runes[2] = &health;
  hero.runes[3] = &strength;
  const int32_t gains[RuneSlots + 1] = {0, 4, 7, 9};
  for (int32_t level : {2, 3}) {
    SCOPED_TRACE(level);
    hero.runelevel = level;
    ResetKeyboard();
    std::vector<TDrawRecord> records;
    SetDrawRecorder(&records);
    PlayRuneGains(gains);
    SetDrawRecorder(nullptr);
    EXPECT_EQ(PresentedFrameCount(), 6);
    const int32_t left = HeroX + (1 - level / 2) * 22;
    // The first frame: p = HeroY - 73, slot s at p - 5 + 2s.
    EXPECT_EQ(GlyphsAt(records, static_cast<float>(left), static_cast<float>(HeroY - 76)), "+4");
    EXPECT_EQ(GlyphsAt(records, static_cast<float>(left + 22), static_cast<float>(HeroY - 74)), "+7");
    EXPECT_EQ(GlyphsAt(records, static_cast<float>(left + 44), static_cast<float>(HeroY - 72)), level == 3 ? "+9" : "");
    // The last frame, 15 pixels higher.
    EXPECT_EQ(GlyphsAt(records, static_cast<float>(left), static_cast<float>(HeroY - 91)), "+4");
  }
  hero.NewGame();
}

TEST_F(BattleShowTest, TheVictoryBannerTakesTwoFramesMoreOnTheFirstVictoryOfARun) {
  tmon& spider = *Roster[1];
  spider.SetAnim(DieKind);
  PlayVictoryBanner(spider);
  EXPECT_EQ(PresentedFrameCount(), 18);
  // The die animation went on meanwhile and holds its last frame.
  EXPECT_EQ(spider.frame, static_cast<float>(spider.anim->framecount));
  ResetKeyboard();
  PlayVictoryBanner(spider);
  EXPECT_EQ(PresentedFrameCount(), 16);
}

TEST_F(BattleShowTest, TheHeroDiesToHisLastFrameAndTheDrawingStateIsPutBack) {
  hero.mon->SetAnim(DieKind);
  PlayDeath();
  EXPECT_EQ(hero.mon->frame, static_cast<float>(hero.mon->anim->framecount));
  // Nine successful 15 % steps: the loop presents one frame fewer than it has steps.
  EXPECT_GE(PresentedFrameCount(), 8);
  EXPECT_EQ(GetBlendMode(), 1);
  EXPECT_EQ(GetDrawAlpha(), 1.0f);
  int32_t r = 0, g = 0, b = 0;
  GetDrawColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 255);
  EXPECT_EQ(b, 255);
}

// The next frame's background is the title in red at alpha |cos k|, k growing 8 degrees a frame.
// The stage's bars leave blend mode 1 behind them, so the alpha acts as the mask's threshold: a
// faint pulse leaves the old frame standing.
TEST_F(BattleShowTest, TheDeathPulsesRedBehindTheNextFrame) {
  std::vector<TDrawRecord> records;
  SetDrawRecorder(&records);
  hero.mon->SetAnim(DieKind);
  PlayDeath();
  int pulses = 0;
  for (const TDrawRecord& r : records) {
    if (r.image != TitlePicture.get()) continue;
    ++pulses;
    EXPECT_EQ(r.red, 255);
    EXPECT_EQ(r.green, 0);
    EXPECT_NEAR(r.alpha, std::fabs(std::cos(8.0 * pulses * 3.14159265358979 / 180.0)), 1e-5) << pulses;
  }
  EXPECT_EQ(pulses, PresentedFrameCount());
}

}  // namespace

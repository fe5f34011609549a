// The battle's sequences: each is a frame loop that draws the stage, steps the animations and ends
// the frame itself. Frame counts are part of the rules: a key pressed after a given presented frame
// must meet the battle in the same state on every machine, so nothing here may add or drop a frame
// or a random draw.
#include "game/creatures/battle_show.h"

#include <cmath>

#include "game/creatures/anim.h"
#include "game/creatures/effects.h"
#include "game/creatures/mon.h"
#include "game/screens/font.h"
#include "game/screens/frame.h"
#include "game/screens/stage.h"
#include "game/screens/start.h"
#include "game/state/item.h"
#include "platform/display.h"
#include "platform/random.h"

namespace {

// Damage numbers: the battle's float speed and life (16 presented frames, 24 pixels of rise).
constexpr float kFloatSpeed = 2.0f;
constexpr int32_t kFloatFrames = 34;

// The floating number in its colour: grey for a miss, dark red for damage.
int32_t FloatBlowStep(const tblow& blow, float x, float y) {
  if (blow.missed) {
    SetDrawColor(111, 111, 111);
    return FloatTextStep("missed", x, y, kFloatSpeed, kFloatFrames);
  }
  SetDrawColor(180, 0, 0);
  return FloatTextStep("-" + IntToText(blow.damage), x, y, kFloatSpeed, kFloatFrames);
}

// Before the attacker's hit frame, still winding up.
bool BeforeHitFrame(const tmon& attacker) {
  return std::floor(attacker.frame) < static_cast<float>(attacker.anim->hitframe);
}

}  // namespace

bool IsRecoiling(const tmon& creature) {
  return creature.anim && (creature.anim->kind == DieKind || creature.anim->kind == GotHitKind);
}

int32_t PlayMonsterAttack(tmon& m, const tblow& blow, int32_t (*land)(tmon&, const tblow&)) {
  bool landed = false;
  for (;;) {
    // Stepped before drawing, so the blow lands on the frame that shows the hit frame.
    m.Advance(0);
    if (IsRecoiling(*hero.mon)) hero.mon->Advance(0);
    DrawScene();
    if (BeforeHitFrame(m)) {
      EndFrame();
      continue;
    }
    if (!landed) {
      landed = true;
      if (land(m, blow) == 0) return 0;
    }
    if (FloatBlowStep(blow, static_cast<float>(HeroX + 22), static_cast<float>(HeroY - 70)) == 1) break;
    EndFrame();
  }
  DrawTitlePicture(1);
  hero.DrawStatusPanel();
  return 1;
}

void PlayHeroAttack(tmon& m, const tblow& blow, void (*land)(tmon&, const tblow&)) {
  bool landed = false;
  for (;;) {
    // Drawn before stepping, so the blow lands on the frame that still shows the frame before.
    DrawScene();
    hero.mon->Advance(0);
    if (IsRecoiling(m)) m.Advance(0);
    if (BeforeHitFrame(*hero.mon)) {
      EndFrame();
      continue;
    }
    if (!landed) {
      landed = true;
      land(m, blow);
    }
    if (FloatBlowStep(blow, static_cast<float>(FoeX), static_cast<float>(FoeY - 70)) == 1) break;
    EndFrame();
  }
  DrawTitlePicture(1);
}

void PlayRuneGains(const int32_t gains[RuneSlots + 1]) {
  const int32_t level = MinInt(hero.runelevel, RuneSlots);
  int32_t p = HeroY - 70;
  for (;;) {
    p -= 3;
    if (p < HeroY - 90) return;
    DrawScene();
    // Side by side 22 pixels apart, each slot 2 pixels lower than the one before.
    for (int32_t s = 1; s <= level; ++s) {
      const titem* rune = hero.runes[s];
      if (rune->timing != TimingAttack || gains[s] == 0) continue;
      rune->SetItemColor(0, 1);
      DrawFontText("+" + IntToText(gains[s]), HeroX + (s - hero.runelevel / 2) * 22, p - 5 + 2 * s, 0, 0, 0);
    }
    EndFrame();
    if (SkipPressed()) return;
  }
}

void PlayVictoryBanner(tmon& m) {
  for (;;) {
    m.Advance(0);
    if (BannerStep("VICTORY!", 0.65f, 0) == 1) return;
    DrawScene();
    PresentFrame();
  }
}

void PlayDeath() {
  SetBlendMode(3);
  int32_t k = 0;
  for (;;) {
    DrawScene();
    if (RandomReal(0, 100) < 15 && hero.mon->Advance(0) == 1) break;
    hero.DrawStatusPanel();
    // One red pulse every 22.5 frames: the next background is drawn in red at this alpha.
    k += 8;
    SetDrawAlpha(static_cast<float>(std::fabs(CosDeg(k))));
    SetDrawColor(255, 0, 0);
    FlipFrame(-1);
    DrawTitlePicture(0);
  }
  SetDrawColor(255, 255, 255);
  SetDrawAlpha(1.0f);
  SetBlendMode(1);
}

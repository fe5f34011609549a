// The battle's sequences: each is a frame loop that draws the stage, steps the animations and ends
// the frame itself. Frame counts are part of the rules: a key pressed after a given presented frame
// must meet the battle in the same state on every machine, so nothing here may add or drop a frame
// or a random draw.
#include "game/screens/battle_show.h"

#include <cmath>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/state/item.h"
#include "game/ui/effects.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/palette.h"
#include "game/ui/stage.h"
#include "game/ui/status_panel.h"
#include "platform/display/display.h"
#include "platform/core/random.h"

namespace {

// Damage numbers: the battle's float speed and life (16 presented frames, 24 pixels of rise).
constexpr float kFloatSpeed = 2.0f;
constexpr int32_t kFloatFrames = 34;

// The "after each attack" gains: side by side from HeroX, 22 pixels apart, each slot 2 pixels lower
// than the one before, rising 3 pixels a frame from the hero's head until 20 pixels above it.
constexpr int32_t kGainSpacing = 22;
constexpr int32_t kGainSlotDrop = 2;
constexpr int32_t kGainRise = 3;
constexpr int32_t kGainHeight = 20;

// The dying hero's figure steps on in this many frames of a hundred, so the death lasts a while.
constexpr float kDeathStepChance = 15.0f;
// The red pulse: the angle whose |cos| is the next background's alpha grows this much a frame.
constexpr int32_t kPulseDegrees = 8;

// What sets one attacker's sequence apart from the other's.
struct tattack {
  tmon* attacker;
  tmon* victim;
  // The monster is stepped before the scene is drawn, so its blow lands on the frame that shows its
  // hit frame; the hero after, so his lands on the frame that still shows the frame before.
  bool stepBeforeDrawing;
  // Where "missed" or the damage floats up: over the victim's head.
  tspot number;
  // After the monster's attack the status panel goes into the next background at once, for the
  // menu that follows; the hero's attack leaves the bare background.
  bool panelAfter;
};

// The floating number in its colour: grey for a miss, dark red for damage.
int32_t FloatBlowStep(const tblow& blow, tspot at) {
  if (blow.missed) {
    SetDrawColor(111, 111, 111);
    return FloatTextStep("missed", at.x, at.y, kFloatSpeed, kFloatFrames);
  }
  SetDrawColor(180, 0, 0);
  return FloatTextStep("-" + IntToText(blow.damage), at.x, at.y, kFloatSpeed, kFloatFrames);
}

// Before the attacker's hit frame, still winding up.
bool BeforeHitFrame(const tmon& attacker) {
  return std::floor(attacker.frame) < static_cast<float>(attacker.anim->hitframe);
}

// The attacker swings; a victim still recoiling (or dying) plays on meanwhile.
void StepFigures(const tattack& a) {
  a.attacker->Advance(0);
  if (IsRecoiling(*a.victim)) a.victim->Advance(0);
}

// One attack from the start of the swing to the end of the floating number; 0 when the blow ended
// it on the hit frame.
int32_t PlayAttack(const tattack& a, tmon& m, const tblow& blow, tland land) {
  // Every attack is seen whole, from the start of the swing, even when the attacker was still
  // recoiling from a blow it had just taken.
  a.attacker->SetAnim(AttackKind);
  bool landed = false;
  for (;;) {
    if (a.stepBeforeDrawing) StepFigures(a);
    DrawScene();
    if (!a.stepBeforeDrawing) StepFigures(a);
    if (BeforeHitFrame(*a.attacker)) {
      EndFrame();
      continue;
    }
    if (!landed) {
      landed = true;
      if (land(m, blow) == 0) return 0;
    }
    // The call that finishes the number is never presented: the background drawn below covers it.
    if (FloatBlowStep(blow, a.number) == 1) break;
    EndFrame();
  }
  DrawTitlePicture(1);
  if (a.panelAfter) DrawStatusPanel();
  return 1;
}

}  // namespace

bool IsRecoiling(const tmon& creature) {
  return creature.anim && (creature.anim->kind == DieKind || creature.anim->kind == GotHitKind);
}

int32_t PlayMonsterAttack(tmon& m, const tblow& blow, tland land) {
  return PlayAttack(tattack{&m, hero.mon, true, OverHero(), true}, m, blow, land);
}

int32_t PlayHeroAttack(tmon& m, const tblow& blow, tland land) {
  return PlayAttack(tattack{hero.mon, &m, false, OverFoe(), false}, m, blow, land);
}

void PlayRuneGains(const int32_t gains[RuneSlots + 1]) {
  const int32_t level = MinInt(hero.runelevel, RuneSlots);
  const int32_t head = HeroY - HeadHeight;
  int32_t p = head;
  for (;;) {
    p -= kGainRise;
    if (p < head - kGainHeight) return;
    DrawScene();
    for (int32_t s = 1; s <= level; ++s) {
      const titem* rune = hero.runes[s];
      if (rune->timing != TimingAttack || gains[s] == 0) continue;
      SetItemColor(*rune, 0, 1);
      DrawFontText("+" + IntToText(gains[s]), HeroX + (s - hero.runelevel / 2) * kGainSpacing,
                   p - 5 + kGainSlotDrop * s, 0, 0, 0);
    }
    EndFrame();
    if (SkipPressed()) return;
  }
}

void PlayVictoryBanner(tmon& m) {
  for (;;) {
    m.Advance(0);
    // The banner draws the status panel itself, under the scene.
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
    if (RandomReal(0, 100) < kDeathStepChance && hero.mon->Advance(0) == 1) break;
    // One red pulse every 22.5 frames.
    k += kPulseDegrees;
    EndFrameOnTintedTitle(255, 0, 0, static_cast<float>(std::fabs(CosDeg(k))));
  }
  SetDrawColor(255, 255, 255);
  SetDrawAlpha(1.0f);
  SetBlendMode(1);
}

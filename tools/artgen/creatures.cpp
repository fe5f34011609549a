// The roster of creature sets as the game names them, their frame counts and hit frames, and the
// motion curves that turn a frame number into wind-up, blow, recoil, flash and fall.
#include <algorithm>
#include <cmath>

#include "creature.h"

namespace artgen {

namespace {

// The spider's recoil and the hero's attack keep the motion and the crop corners their shipped
// offset rows were made with.
constexpr double kHeroStrike[9] = {0, -0.35, -0.7, -1, -0.55, 1, 0.7, 0.4, 0.15};
constexpr int32_t kHeroAttackCorners[9][2] = {{31, 22}, {32, 22}, {34, 23}, {21, 24}, {29, 23},
                                              {25, 20}, {26, 17}, {28, 19}, {32, 23}};
constexpr double kSpiderRecoil[5] = {0, 0, 1, 0.45, 0};
constexpr double kSpiderFlash[5] = {0, 0.15, 0.4, 0.2, 0};
constexpr int32_t kSpiderGotHitCorners[5][2] = {{17, 22}, {17, 22}, {13, 12}, {17, 16}, {17, 22}};

}  // namespace

const std::vector<CreatureArt>& Creatures() {
  static const std::vector<CreatureArt> kArt = {
      {.name = "spider", .frames = {9, 5, 10}, .hit = 7, .ground = kGround, .draw = DrawSpider,
        .gotHitRecoil = kSpiderRecoil, .gotHitFlash = kSpiderFlash, .gotHitCorners = kSpiderGotHitCorners},
      {.name = "wasp", .frames = {8, 9, 11}, .hit = 7, .ground = kGround, .draw = DrawWasp,
        .scale = 1.4, .pivotX = 30, .hovers = true},
      {.name = "mummy", .frames = {10, 7, 11}, .hit = 7, .ground = kGround, .draw = DrawMummy},
      {.name = "poisoner", .frames = {9, 9, 11}, .hit = 7, .ground = kGround, .draw = DrawPoisoner},
      {.name = "skeleton", .frames = {10, 7, 9}, .hit = 8, .ground = kGround, .draw = DrawSkeleton},
      {.name = "dwarf", .frames = {13, 9, 11}, .hit = 8, .ground = kGround, .draw = DrawDwarf},
      {.name = "monster", .frames = {13, 9, 11}, .hit = 9, .ground = kGround, .draw = DrawMonster,
        .scale = 1.2, .pivotX = 50},
      {.name = "rocktroll", .frames = {13, 9, 17}, .hit = 9, .ground = kGround, .draw = DrawRocktroll,
        .scale = 1.2, .pivotX = 50},
      {.name = "orc", .frames = {13, 9, 13}, .hit = 9, .ground = kGround, .draw = DrawOrc},
      {.name = "crockman", .frames = {11, 9, 11}, .hit = 9, .ground = kGround, .draw = DrawCrockman},
      {.name = "raptor", .frames = {13, 9, 11}, .hit = 8, .ground = kGround, .draw = DrawRaptor,
        .scale = 1.1, .pivotX = 40},
      {.name = "knight", .frames = {13, 9, 9}, .hit = 10, .ground = kGround, .draw = DrawKnight},
      {.name = "zombie", .frames = {11, 9, 9}, .hit = 8, .ground = kGround, .draw = DrawZombie},
      {.name = "devil", .frames = {9, 9, 13}, .hit = 7, .ground = kGround, .draw = DrawDevil},
      {.name = "wizard", .frames = {9, 9, 10}, .hit = 5, .ground = kGround, .draw = DrawWizard},
      // The dragon hovers: drawn 1.3 times larger as the Dragon Lord it must stay clear of the names.
      {.name = "dragon", .frames = {9, 7, 11}, .hit = 6, .ground = 76, .draw = DrawDragon,
        .scale = 1.12, .pivotX = 30},
      {.name = "hero", .frames = {9, 7, 9}, .hit = 6, .ground = 97, .draw = DrawHero,
        .attackStrike = kHeroStrike, .attackCorners = kHeroAttackCorners},
  };
  return kArt;
}

namespace {

double AttackStrike(int f, int n, int h) {
  if (f == 1) return 0;
  int wound = h - 1;
  if (f <= wound) return -Smooth(double(f - 1) / double(std::max(1, wound - 1)));
  if (f == h) return 1;
  return 1 - Smooth(double(f - h) / double(n + 1 - h));
}

}  // namespace

Motion MotionFor(const CreatureArt& art, AnimKind kind, int frame) {
  Motion m;
  m.kind = kind;
  m.frame = frame;
  m.frames = art.frames[int(kind)];
  m.hit = kind == AnimKind::Attack ? art.hit : 0;
  m.cycle = double(frame - 1) / double(m.frames);
  int n = m.frames, f = frame;
  switch (kind) {
    case AnimKind::Attack:
      m.strike = art.attackStrike ? art.attackStrike[f - 1] : AttackStrike(f, n, art.hit);
      break;
    case AnimKind::GotHit: {
      if (art.gotHitRecoil) {
        m.recoil = art.gotHitRecoil[f - 1];
        m.flash = art.gotHitFlash[f - 1];
        break;
      }
      int peak = std::max(2, n / 3 + 1);
      m.recoil = f <= peak ? Smooth(double(f - 1) / double(peak - 1)) : 1 - Smooth(double(f - peak) / double(n - peak));
      m.flash = f >= 2 ? std::max(0.0, 0.4 - 0.15 * std::abs(f - peak)) : 0;
      break;
    }
    case AnimKind::Die:
      m.fall = Smooth(std::min(1.0, double(f - 1) / (double(n) * 0.7)));
      m.flash = f == 1 ? 0.3 : f == 2 ? 0.12 : 0;
      break;
  }
  return m;
}

}  // namespace artgen

// The roster of creature sets as the game names them, their frame counts and hit frames, and the
// motion curves that turn a frame number into wind-up, blow, recoil, flash and fall.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "creature.h"

namespace artgen {

const std::vector<CreatureArt>& Creatures() {
  static const std::vector<CreatureArt> kArt = {
      {"spider", {9, 5, 10}, 7, kGround, DrawSpider},
      {"wasp", {8, 9, 11}, 7, kGround, DrawWasp, 1.4, 30, true},
      {"mummy", {10, 7, 11}, 7, kGround, DrawMummy},
      {"poisoner", {9, 9, 11}, 7, kGround, DrawPoisoner},
      {"skeleton", {10, 7, 9}, 8, kGround, DrawSkeleton},
      {"dwarf", {13, 9, 11}, 8, kGround, DrawDwarf},
      {"monster", {13, 9, 11}, 9, kGround, DrawMonster, 1.2, 50},
      {"rocktroll", {13, 9, 17}, 9, kGround, DrawRocktroll, 1.2, 50},
      {"orc", {13, 9, 13}, 9, kGround, DrawOrc},
      {"crockman", {11, 9, 11}, 9, kGround, DrawCrockman},
      {"raptor", {13, 9, 11}, 8, kGround, DrawRaptor, 1.1, 40},
      {"knight", {13, 9, 9}, 10, kGround, DrawKnight},
      {"zombie", {11, 9, 9}, 8, kGround, DrawZombie},
      {"devil", {9, 9, 13}, 7, kGround, DrawDevil},
      {"wizard", {9, 9, 10}, 5, kGround, DrawWizard},
      // The dragon hovers: drawn 1.3 times larger as the Dragon Lord it must stay clear of the names.
      {"dragon", {9, 7, 11}, 6, 76, DrawDragon, 1.12, 30},
      {"hero", {9, 7, 9}, 6, 97, DrawHero},
  };
  return kArt;
}

namespace {

// Per-frame strike values where a set's frames are fixed by its shipped offsets.
constexpr double kHeroStrike[9] = {0, -0.35, -0.7, -1, -0.55, 1, 0.7, 0.4, 0.15};
constexpr double kSpiderRecoil[5] = {0, 0, 1, 0.45, 0};
constexpr double kSpiderFlash[5] = {0, 0.15, 0.4, 0.2, 0};

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
  bool hero = std::string_view(art.name) == "hero";
  bool spider = std::string_view(art.name) == "spider";
  switch (kind) {
    case AnimKind::Attack:
      m.strike = hero ? kHeroStrike[f - 1] : AttackStrike(f, n, art.hit);
      break;
    case AnimKind::GotHit: {
      if (spider) {
        m.recoil = kSpiderRecoil[f - 1];
        m.flash = kSpiderFlash[f - 1];
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

// The creature sets the generator draws: their names, frame counts and hit frames, the motion of
// each frame (wind-up and blow, recoil and flash, collapse), and the drawing function of each kind.
#pragma once
#include <cstdint>
#include <vector>

#include "paint.h"

namespace artgen {

enum class AnimKind { Attack = 0, GotHit = 1, Die = 2 };

// Where one frame is in its animation, as amounts every drawing function understands.
struct Motion {
  AnimKind kind = AnimKind::Attack;
  int frame = 1;
  int frames = 1;
  int hit = 0;
  double strike = 0;  // -1 fully wound up, 0 at rest, +1 the blow at its extreme
  double recoil = 0;  // 0 at rest, 1 thrown back by the blow
  double flash = 0;   // lighter tint while hurt
  double fall = 0;    // 0 standing, 1 lying fallen
  double cycle = 0;   // 0..1 across the animation, for flapping and breathing
};

using DrawCreature = void (*)(Painter& p, const Motion& m, double ground);

struct CreatureArt {
  const char* name;
  int frames[3];  // attack, gothit, die
  int hit;
  double ground;  // the canvas row the feet stand on
  DrawCreature draw;
  double scale = 1;  // drawn larger about (pivotX, ground)
  double pivotX = 40;
  bool hovers = false;  // flies above the ground while alive, drops onto it when it dies
  // Frames fixed by a set's shipped offset rows, one entry per frame of the animation (nullptr: the
  // motion curves and the figure's own crop decide).
  const double* attackStrike = nullptr;
  const double* gotHitRecoil = nullptr;
  const double* gotHitFlash = nullptr;
  const int32_t (*attackCorners)[2] = nullptr;  // crop corners on the canvas
  const int32_t (*gotHitCorners)[2] = nullptr;
};

// Canvas: drawing coordinates are the game's canvas (origin 30 px left of and above the drawing
// position); the buffer keeps a margin around it for fallen bodies and flung limbs.
constexpr int kBufferWidth = 320;
constexpr int kBufferHeight = 170;
constexpr int kMarginX = 100;
constexpr int kMarginY = 50;
constexpr double kGround = 94;

const std::vector<CreatureArt>& Creatures();
Motion MotionFor(const CreatureArt& art, AnimKind kind, int frame);

// Drawing functions, one per kind (fighters.cpp, brutes.cpp, undead.cpp, beasts.cpp).
void DrawHero(Painter& p, const Motion& m, double ground);
void DrawMummy(Painter& p, const Motion& m, double ground);
void DrawPoisoner(Painter& p, const Motion& m, double ground);
void DrawSkeleton(Painter& p, const Motion& m, double ground);
void DrawDwarf(Painter& p, const Motion& m, double ground);
void DrawMonster(Painter& p, const Motion& m, double ground);
void DrawRocktroll(Painter& p, const Motion& m, double ground);
void DrawOrc(Painter& p, const Motion& m, double ground);
void DrawCrockman(Painter& p, const Motion& m, double ground);
void DrawKnight(Painter& p, const Motion& m, double ground);
void DrawZombie(Painter& p, const Motion& m, double ground);
void DrawDevil(Painter& p, const Motion& m, double ground);
void DrawWizard(Painter& p, const Motion& m, double ground);
void DrawSpider(Painter& p, const Motion& m, double ground);
void DrawWasp(Painter& p, const Motion& m, double ground);
void DrawRaptor(Painter& p, const Motion& m, double ground);
void DrawDragon(Painter& p, const Motion& m, double ground);

}  // namespace artgen

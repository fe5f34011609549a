// The stage: the hero on the left and the opponent (or the speaker) on the right, with their names,
// health bars and figures, and the bar of ball glyphs the stage and the status panel share.
#pragma once
#include <cstdint>

struct tmon;

// Stage positions: the hero's name line at (HeroX, HeroY), the opponent's at (FoeX, FoeY). The two
// heights hang from the display's height and are set once it is open.
extern const int32_t HeroX;
extern int32_t HeroY;
extern const int32_t FoeX;
extern int32_t FoeY;
// The figures' heads stand this far above their name lines.
constexpr int32_t HeadHeight = 70;
// A point on the stage.
struct tspot {
  float x;
  float y;
};
// Where numbers float up and lines rise: over the hero's head, over the opponent's.
tspot OverHero();
tspot OverFoe();
// The monster being fought: set by the battle from the end of its opening to its end, else null.
extern tmon* Opponent;

void DrawScene();
void DrawBar(float value, int32_t maximum, int32_t x, int32_t y, int32_t length, int32_t experienceStyle);

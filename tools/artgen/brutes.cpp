// The big bare-handed kinds on the shared rig: the horned monster, the stone-bodied rock troll and
// the crockman with a crocodile's head and tail on a man's body.
#include <vector>

#include "gear.h"
#include "humanoid.h"

namespace artgen {

void DrawMonster(Painter& p, const Motion& m, double ground) {
  static const Material hide = Tone(118, 82, 156), horn = Tone(236, 222, 180), fur = Tone(120, 80, 50);
  static const Material claw = Tone(240, 236, 220), mouth = Tone(120, 20, 30);
  HumanLook look;
  look.body.x = 52;
  look.body.thigh = 12;
  look.body.shin = 11;
  look.body.torso = 21;
  look.body.neck = 0;
  look.body.headR = 5.5;
  look.body.thighR = 4.5;
  look.body.shinR = 3.8;
  look.body.upperArm = 12;
  look.body.foreArm = 12;
  look.body.upperArmR = 4.5;
  look.body.foreArmR = 3.8;
  look.body.footLen = 6;
  look.skin = &hide;
  look.hands = &hide;
  look.torso = [&](Painter& pp, const Joints& j) {
    Vec spine = j.chest - j.pelvis;
    pp.Ellipse(j.pelvis + spine * 0.62 + Vec{1, 0}, 10, 13, j.lean, hide);
    pp.NewPart();
    pp.SetTexture(Texture{Texture::Grain, 0.55, 0.5, 0, nullptr, 11});
    pp.Polygon({j.pelvis + Vec{-8, -3}, j.pelvis + Vec{8, -3}, j.pelvis + Vec{7, 6}, j.pelvis + Vec{3, 4},
                j.pelvis + Vec{0, 7}, j.pelvis + Vec{-4, 4}, j.pelvis + Vec{-8, 5}},
               fur);
    pp.ClearTexture();
  };
  look.head = [&](Painter& pp, const Joints& j) {
    double a = j.lean + j.headTilt;
    Vec up = Rotate({0, -1}, a), fwd = Rotate({1, 0}, a);
    Vec h = j.head + fwd * 4 + up * -1;
    pp.Ellipse(h, 6, 5.5, a, hide);
    pp.Ellipse(h + fwd * 3.5 + up * -2.5, 3.5, 2.8, a, hide);
    pp.Capsule(h + fwd * 3 + up * -3.8, h + fwd * 6.2 + up * -3.8, 0.8, 0.8, mouth);
    pp.Dot(h + fwd * 2.5 + up * 1.3, Rgb{255, 220, 60});
    pp.NewPart();
    Horn(pp, h + up * 3.5 + fwd * -1, a + kPi - 0.9, 11, -1.9, 2.4, horn);
    Horn(pp, h + up * 3 + fwd * 2, a + kPi - 0.3, 8, -1.6, 1.9, horn);
  };
  look.frontItem = [&](Painter& pp, const Joints& j) {
    Vec d = Dir(j.foreF);
    for (int i = -1; i <= 1; ++i) pp.Capsule(j.handF + d * 2.5 + Vec{d.y, -d.x} * (i * 1.6), j.handF + d * 5 + Vec{d.y, -d.x} * (i * 1.8), 0.8, 0.3, claw);
  };
  PoseSet poses = ClawPoses();
  poses.stance.lean = 0.3;
  DrawWith(p, look, poses, m, ground);
}

void DrawRocktroll(Painter& p, const Motion& m, double ground) {
  static const Material stone = Tone(136, 128, 116), face = Tone(112, 104, 96), moss = Tone(96, 140, 60);
  static const Material tooth = Tone(236, 230, 210);
  const Texture rock{Texture::Cracks, 0.45, 0.5, 0, nullptr, 21};
  HumanLook look;
  look.body.x = 52;
  look.body.thigh = 11;
  look.body.shin = 10;
  look.body.torso = 20;
  look.body.neck = 0;
  look.body.headR = 5;
  look.body.thighR = 5;
  look.body.shinR = 4.5;
  look.body.upperArm = 12;
  look.body.foreArm = 12;
  look.body.upperArmR = 5;
  look.body.foreArmR = 4.5;
  look.body.footLen = 6;
  look.skin = &stone;
  look.hands = &stone;
  look.behind = [&](Painter& pp, const Joints&) { pp.SetTexture(rock); };
  look.torso = [&](Painter& pp, const Joints& j) {
    Vec spine = j.chest - j.pelvis;
    pp.Ellipse(j.pelvis + spine * 0.5, 11, 12, j.lean, stone);
    pp.NewPart();
    // The hunched boulder of the shoulders, moss on its crown.
    pp.Ellipse(j.pelvis + spine * 0.95 + Vec{-2, 0}, 10, 7.5, j.lean, stone);
    pp.NewPart();
    pp.SetTexture(Texture{Texture::Grain, 0.6, 0.5, 0, nullptr, 8});
    pp.Ellipse(j.pelvis + spine * 1.2 + Vec{-4, -1}, 6, 2.4, j.lean - 0.2, moss);
    pp.SetTexture(rock);
  };
  look.head = [&](Painter& pp, const Joints& j) {
    double a = j.lean + j.headTilt;
    Vec up = Rotate({0, -1}, a), fwd = Rotate({1, 0}, a);
    Vec h = j.chest + fwd * 8 + up * -1;
    pp.ClearTexture();
    pp.Ellipse(h, 5.5, 5, a, face);
    pp.Ellipse(h + fwd * 2.5 + up * -3, 4.2, 2.8, a, face);
    pp.NewPart();
    pp.Capsule(h + fwd * -2 + up * 2.6, h + fwd * 5.5 + up * 1.8, 1.8, 1.5, stone);
    pp.Dot(h + fwd * 3 + up * 0.3, Rgb{255, 190, 60});
    pp.Dot(h + fwd * 4 + up * 0.3, Rgb{255, 120, 30});
    pp.Dot(h + fwd * 5 + up * -2.4, Rgb{50, 36, 36});
    pp.Dot(h + fwd * 4 + up * -2.4, Rgb{50, 36, 36});
    pp.NewPart();
    pp.Capsule(h + fwd * 5 + up * -3.5, h + fwd * 5.5 + up * -1.8, 0.8, 0.5, tooth);
    pp.SetTexture(rock);
  };
  look.front = [&](Painter& pp, const Joints&) { pp.ClearTexture(); };
  PoseSet poses = ClawPoses();
  poses.stance.lean = 0.35;
  poses.stance.shF = 0.3;
  poses.stance.elF = 0.4;
  DrawWith(p, look, poses, m, ground);
  p.ClearTexture();
}

void DrawCrockman(Painter& p, const Motion& m, double ground) {
  static const Material scales = Tone(80, 140, 70), belly = Tone(210, 200, 130), vest = Tone(140, 96, 56);
  static const Material teeth = Tone(246, 244, 230), mouth = Tone(150, 40, 50);
  HumanLook look;
  look.body.x = 46;
  look.body.chestW = 7;
  look.skin = &scales;
  look.legs = &scales;
  look.behind = [&](Painter& pp, const Joints& j) {
    pp.SetTexture(Texture{Texture::Scales});
    Tail(pp, j.pelvis + Vec{-3, 1}, -1.2, 18, 0.35, 3.5, 0.9, scales);
    pp.ClearTexture();
  };
  look.torso = [&](Painter& pp, const Joints& j) {
    pp.Capsule(j.pelvis, j.chest, 5.5, 7, scales);
    pp.NewPart();
    pp.Capsule(j.pelvis + Vec{3, -2}, j.chest + Vec{4, 2}, 2.2, 3, belly);
    pp.NewPart();
    pp.Polygon({j.chest + Vec{-6.5, -1}, j.chest + Vec{-1, -1}, j.pelvis + Vec{-1, -2}, j.pelvis + Vec{-6, -1}}, vest);
    pp.Capsule(j.pelvis + Vec{-5.5, -1}, j.pelvis + Vec{5.5, -1}, 1.4, 1.4, vest);
  };
  look.head = [&](Painter& pp, const Joints& j) {
    double open = m.kind == AnimKind::Attack ? Clamp(m.strike * 1.5 - 0.3, 0, 1) : m.recoil * 0.5;
    double a = j.lean + j.headTilt - 0.35;
    Vec up = Rotate({0, -1}, a), fwd = Rotate({1, 0}, a);
    Vec h = j.head + fwd * -1;
    pp.SetTexture(Texture{Texture::Scales});
    pp.Ellipse(h, 5, 4.8, a, scales);
    pp.ClearTexture();
    Vec jaw = Rotate(fwd, 0.45 * open);
    pp.NewPart();
    pp.Capsule(h + up * -2.5, h + up * -2.5 + jaw * 12, 2.4, 1.6, scales);
    pp.Capsule(h + up * -3.5, h + up * -3.5 + jaw * 11, 1.3, 0.8, belly);
    pp.NewPart();
    if (open > 0.2) pp.Capsule(h + up * -0.3 + fwd * 3, h + up * 1.0 + fwd * 10, 1.2, 0.6, mouth);
    pp.Capsule(h + up * 0.5, h + up * 0.8 + fwd * 13, 2.4, 1.8, scales);
    pp.Ellipse(h + up * 3.2 + fwd * 0.5, 2.2, 1.8, 0, scales);
    pp.Dot(h + up * 3.2 + fwd * 1.0, Rgb{250, 220, 40});
    pp.Dot(h + up * 3.2 + fwd * 1.8, kEyeDark);
    for (int i = 0; i < 4; ++i) pp.Dot(h + up * -1.3 + fwd * (4 + i * 2.5), teeth.shade[0]);
  };
  PoseSet poses = ClawPoses();
  DrawWith(p, look, poses, m, ground);
}

}  // namespace artgen

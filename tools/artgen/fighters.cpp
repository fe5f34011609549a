// The armed fighters on the shared rig: the hero with sword and shield, the knight in plate, the
// orc with his curved blade, the skeleton with a rusty sword and the dwarf with beard and axe.
#include <vector>

#include "gear.h"
#include "humanoid.h"

namespace artgen {

void DrawHero(Painter& p, const Motion& m, double ground) {
  static const Material skin = Tone(236, 182, 138), tunic = Tone(52, 98, 196), trousers = Tone(120, 86, 56);
  static const Material boots = Tone(88, 56, 36), hair = Tone(150, 88, 36), steel = Tone(196, 204, 218, 1.2);
  static const Material gold = Tone(222, 176, 52), shieldFace = Tone(186, 40, 40), belt = Tone(80, 50, 30);
  HumanLook look;
  look.body.x = 49;
  look.skin = &skin;
  look.arms = &tunic;
  look.legs = &trousers;
  look.feet = &boots;
  look.hands = &skin;
  look.torso = [&](Painter& pp, const Joints& j) {
    // A tunic flaring to a short skirt over the hips.
    Vec side = Rotate({1, 0}, j.lean);
    pp.Capsule(j.pelvis + Vec{0, -2}, j.chest, 5, 6.3, tunic);
    pp.Polygon({j.pelvis + side * -5.2 + Vec{0, -3}, j.pelvis + side * 5.2 + Vec{0, -3}, j.pelvis + side * 6.2 + Vec{0, 4},
                j.pelvis + side * -6.4 + Vec{0, 4}},
               tunic, 0.5);
    pp.NewPart();
    pp.Capsule(j.pelvis + Vec{-4.5, -1}, j.pelvis + Vec{4.5, -1}, 1.3, 1.3, belt);
    pp.Dot(j.pelvis + Vec{3.5, -1.5}, Rgb{240, 200, 80});
  };
  look.head = [&](Painter& pp, const Joints& j) {
    Face(pp, j, 6, skin);
    Vec up = Rotate({0, -1}, j.lean + j.headTilt), fwd = Rotate({1, 0}, j.lean + j.headTilt);
    pp.NewPart();
    pp.Ellipse(j.head + up * 3.4 + fwd * -1.2, 5.2, 3.0, j.lean + j.headTilt, hair);
    pp.Ellipse(j.head + fwd * -4.0 + up * 0.8, 2.2, 3.8, j.lean + j.headTilt, hair);
  };
  look.middle = [&](Painter& pp, const Joints& j) { Shield(pp, j.handB + Vec{1.5, 1}, 7.5, gold, shieldFace, gold); };
  look.frontItem = [&](Painter& pp, const Joints& j) { Sword(pp, j.handF, j.itemF, 20, steel, gold); };
  PoseSet poses = SwordPoses();
  poses.stance.shB = 0.55;
  poses.stance.elB = 0.9;
  poses.stance.shF = 0.5;
  poses.stance.elF = 1.35;
  poses.stance.gripF = 1.05;
  poses.windup.x = 2;
  poses.windup.shF = 3.0;
  poses.windup.elF = 0.5;
  poses.windup.shB = 0.5;
  poses.windup.elB = 0.9;
  poses.strike.shB = 0.3;
  poses.strike.elB = 0.9;
  DrawWith(p, look, poses, m, ground);
}

void DrawKnight(Painter& p, const Motion& m, double ground) {
  static const Material plate = Tone(168, 178, 196, 1.25), dark = Tone(92, 98, 116), plume = Tone(200, 30, 40);
  static const Material blade = Tone(214, 220, 232, 1.2), gold = Tone(214, 170, 60), face = Tone(40, 70, 160);
  HumanLook look;
  look.body.x = 52;
  look.body.thighR = 3.6;
  look.body.shinR = 3.0;
  look.body.upperArmR = 3.0;
  look.body.foreArmR = 2.6;
  look.body.chestW = 7.5;
  look.body.torso = 19;
  look.body.footLen = 6;
  look.skin = &plate;
  look.feet = &dark;
  look.hands = &dark;
  look.torso = [&](Painter& pp, const Joints& j) {
    pp.Capsule(j.pelvis, j.chest, 6, 7.5, plate);
    pp.NewPart();
    pp.Polygon({j.pelvis + Vec{-6, -2}, j.pelvis + Vec{6, -2}, j.pelvis + Vec{7, 4}, j.pelvis + Vec{-7, 4}}, dark);
  };
  look.head = [&](Painter& pp, const Joints& j) {
    double a = j.lean + j.headTilt;
    Vec up = Rotate({0, -1}, a), fwd = Rotate({1, 0}, a);
    pp.Ellipse(j.head + up * 0.5, 6.2, 7, a, plate);
    pp.Dot(j.head + fwd * 3 + up * 0.8, kEyeDark);
    pp.Dot(j.head + fwd * 4 + up * 0.8, kEyeDark);
    pp.Dot(j.head + fwd * 5 + up * 0.8, kEyeDark);
    pp.Dot(j.head + fwd * 4 + up * -1.5, kEyeDark);
    pp.NewPart();
    Tail(pp, j.head + up * 6, a - kPi * 0.85, 12, 0.4, 2.6, 1.2, plume, 4);
  };
  look.middle = [&](Painter& pp, const Joints& j) {
    Vec c = j.handB + Vec{2, 1};
    pp.Polygon({c + Vec{-6, -8}, c + Vec{6, -8}, c + Vec{6, 1}, c + Vec{0, 9}, c + Vec{-6, 1}}, gold, 0.7);
    pp.NewPart();
    pp.Polygon({c + Vec{-4.6, -6.6}, c + Vec{4.6, -6.6}, c + Vec{4.6, 0.6}, c + Vec{0, 7}, c + Vec{-4.6, 0.6}}, face, 0.7);
    pp.NewPart();
    pp.Capsule(c + Vec{0, -5}, c + Vec{0, 4}, 0.8, 0.8, gold);
    pp.Capsule(c + Vec{-3, -2}, c + Vec{3, -2}, 0.8, 0.8, gold);
  };
  look.frontItem = [&](Painter& pp, const Joints& j) { Sword(pp, j.handF, j.itemF, 24, blade, gold); };
  PoseSet poses = SwordPoses();
  poses.stance.shB = 0.9;
  poses.stance.elB = 0.7;
  poses.strike.shB = 0.3;
  DrawWith(p, look, poses, m, ground);
}

void DrawOrc(Painter& p, const Motion& m, double ground) {
  static const Material skin = Tone(104, 156, 64), leather = Tone(128, 84, 48), dark = Tone(70, 50, 36);
  static const Material blade = Tone(190, 196, 200, 1.2), tusk = Tone(240, 232, 200), hilt = Tone(90, 60, 40);
  HumanLook look;
  look.body.x = 50;
  look.body.chestW = 8;
  look.body.waistW = 6;
  look.body.upperArmR = 3.0;
  look.body.foreArmR = 2.6;
  look.body.thighR = 3.5;
  look.body.shin = 12;
  look.body.headR = 6;
  look.skin = &skin;
  look.legs = &leather;
  look.feet = &dark;
  look.torso = [&](Painter& pp, const Joints& j) {
    pp.Capsule(j.pelvis, j.chest, 6.5, 8, skin);
    pp.NewPart();
    pp.SetTexture(Texture{Texture::Grain, 0.4});
    pp.Polygon({j.chest + Vec{-6, 1}, j.chest + Vec{4, 0}, j.pelvis + Vec{7, 0}, j.pelvis + Vec{-6, 0}}, leather);
    pp.ClearTexture();
    pp.Capsule(j.chest + Vec{-5, 1}, j.pelvis + Vec{5, -2}, 1, 1, dark);
  };
  look.head = [&](Painter& pp, const Joints& j) {
    double a = j.lean + j.headTilt;
    Vec up = Rotate({0, -1}, a), fwd = Rotate({1, 0}, a);
    pp.Capsule(j.head + fwd * -5 + up * 2, j.head + fwd * -9 + up * 5, 1.6, 0.5, skin);
    pp.Ellipse(j.head, 6.2, 6, a, skin);
    pp.Ellipse(j.head + fwd * 4.5 + up * -2.5, 3.2, 2.6, a, skin);
    pp.Dot(j.head + fwd * 3 + up * 1.8, Rgb{250, 60, 30});
    pp.Dot(j.head + fwd * 2 + up * 2.6, kEyeDark);
    pp.Dot(j.head + fwd * 3 + up * 2.6, kEyeDark);
    pp.NewPart();
    pp.Capsule(j.head + fwd * 5 + up * -3, j.head + fwd * 6.2 + up * -0.2, 0.9, 0.5, tusk);
  };
  look.frontItem = [&](Painter& pp, const Joints& j) { CurvedBlade(pp, j.handF, j.itemF, 17, blade, hilt); };
  PoseSet poses = SwordPoses();
  poses.stance.lean = 0.15;
  poses.stance.shB = 0.4;
  DrawWith(p, look, poses, m, ground);
}

void DrawSkeleton(Painter& p, const Motion& m, double ground) {
  static const Material bone = Tone(226, 218, 190), hollow = Tone(70, 56, 60), rust = Tone(150, 110, 80);
  static const Material hilt = Tone(96, 70, 50);
  HumanLook look;
  look.body.x = 48;
  look.body.thighR = 1.5;
  look.body.shinR = 1.3;
  look.body.upperArmR = 1.3;
  look.body.foreArmR = 1.2;
  look.skin = &bone;
  look.torso = [&](Painter& pp, const Joints& j) {
    Vec spine = j.chest - j.pelvis;
    pp.Capsule(j.pelvis, j.chest, 1.4, 1.4, bone);
    pp.NewPart();
    pp.Ellipse(j.pelvis + Vec{0, -0.5}, 4.5, 2.6, 0, bone);
    pp.NewPart();
    Texture ribs{Texture::Bands, 2.4, 0.45};
    ribs.alt = &hollow;
    pp.SetTexture(ribs);
    pp.Capsule(j.pelvis + spine * 0.45, j.chest + spine * -0.05, 4.8, 5.8, bone);
    pp.ClearTexture();
  };
  look.head = [&](Painter& pp, const Joints& j) {
    double a = j.lean + j.headTilt;
    Vec up = Rotate({0, -1}, a), fwd = Rotate({1, 0}, a);
    pp.Ellipse(j.head + up * 0.8, 5.6, 5.2, a, bone);
    pp.Ellipse(j.head + fwd * 2.5 + up * -2.8, 3, 2.4, a, bone);
    pp.Dot(j.head + fwd * 2.5 + up * 1.2, hollow.shade[3]);
    pp.Dot(j.head + fwd * 3.5 + up * 1.2, hollow.shade[3]);
    pp.Dot(j.head + fwd * 2.5 + up * 0.2, hollow.shade[3]);
    pp.Dot(j.head + fwd * 3.5 + up * 0.2, hollow.shade[3]);
    pp.Dot(j.head + fwd * 5 + up * -1, hollow.shade[2]);
    pp.Dot(j.head + fwd * 2.5 + up * -3.5, hollow.shade[3]);
    pp.Dot(j.head + fwd * 4.0 + up * -3.5, hollow.shade[3]);
  };
  look.frontItem = [&](Painter& pp, const Joints& j) { Sword(pp, j.handF, j.itemF, 17, rust, hilt); };
  PoseSet poses = SwordPoses();
  poses.stance.lean = 0.1;
  DrawWith(p, look, poses, m, ground);
}

void DrawDwarf(Painter& p, const Motion& m, double ground) {
  static const Material skin = Tone(230, 170, 130), beard = Tone(214, 110, 40), tunic = Tone(60, 120, 70);
  static const Material iron = Tone(150, 156, 170, 1.2), haft = Tone(130, 86, 50), boots = Tone(90, 60, 40);
  static const Material horn = Tone(236, 226, 196), belt = Tone(80, 50, 30), gold = Tone(220, 176, 60);
  HumanLook look;
  look.body.x = 50;
  look.body.thigh = 8;
  look.body.shin = 8;
  look.body.torso = 15;
  look.body.thighR = 3.6;
  look.body.shinR = 3.0;
  look.body.upperArmR = 3;
  look.body.foreArmR = 2.6;
  look.body.upperArm = 8;
  look.body.foreArm = 8;
  look.body.chestW = 9;
  look.body.waistW = 8;
  look.body.footLen = 6;
  look.skin = &skin;
  look.arms = &tunic;
  look.legs = &tunic;
  look.feet = &boots;
  look.torso = [&](Painter& pp, const Joints& j) {
    pp.Capsule(j.pelvis, j.chest, 8, 9, tunic);
    pp.NewPart();
    pp.Capsule(j.pelvis + Vec{-7.5, -1}, j.pelvis + Vec{7.5, -1}, 1.6, 1.6, belt);
    pp.Ellipse(j.pelvis + Vec{5, -1}, 1.6, 1.6, 0, gold);
  };
  look.head = [&](Painter& pp, const Joints& j) {
    double a = j.lean + j.headTilt;
    Vec up = Rotate({0, -1}, a), fwd = Rotate({1, 0}, a);
    Face(pp, j, 6, skin);
    pp.NewPart();
    pp.SetTexture(Texture{Texture::Grain, 0.5, 0.5, 0, nullptr, 7});
    pp.Polygon({j.head + fwd * 1 + up * -1, j.head + fwd * 7 + up * -1, j.head + fwd * 6 + up * -9,
                j.head + fwd * 2 + up * -13, j.head + fwd * -2 + up * -7},
               beard);
    pp.ClearTexture();
    pp.NewPart();
    pp.Ellipse(j.head + up * 3.5, 6.6, 3.8, a, iron);
    pp.Capsule(j.head + up * 2 + fwd * -6.5, j.head + up * 2 + fwd * 6.5, 1.1, 1.1, iron);
    pp.NewPart();
    Horn(pp, j.head + up * 4 + fwd * -4, a + kPi * 0.6 + 0.6, 7, 1.1, 1.8, horn);
  };
  look.frontItem = [&](Painter& pp, const Joints& j) { Axe(pp, j.handF, j.itemF, 16, haft, iron); };
  PoseSet poses = SwordPoses();
  poses.stance.elF = 1.0;
  DrawWith(p, look, poses, m, ground);
}

}  // namespace artgen

// The upright figures: the hero, the knight, the orc and every other kind that walks on two legs,
// each a look (materials, head, weapon, extras) and a set of key poses for the shared rig.
#include <vector>

#include "gear.h"
#include "humanoid.h"

namespace artgen {

namespace {

Material M(int r, int g, int b, double contrast = 1.0) {
  return MakeMaterial(Rgb{uint8_t(r), uint8_t(g), uint8_t(b)}, contrast);
}

const Rgb kEyeDark{24, 14, 20};

// A sword fighter: guard up, raised behind the head, then a full-length cut forward.
PoseSet SwordPoses() {
  PoseSet s;
  s.stance = HumanPose{};
  s.stance.shF = 0.25;
  s.stance.elF = 1.15;
  s.stance.gripF = 1.3;
  s.windup = s.stance;
  s.windup.x = -2;
  s.windup.lean = -0.18;
  s.windup.hipF = 0.5;
  s.windup.kneeF = 0.2;
  s.windup.hipB = -0.22;
  s.windup.shF = 3.35;
  s.windup.elF = 0.6;
  s.windup.gripF = 0.9;
  s.strike = s.stance;
  s.strike.x = 5;
  s.strike.lean = 0.38;
  s.strike.hipF = 0.8;
  s.strike.kneeF = 0.55;
  s.strike.hipB = -0.5;
  s.strike.kneeB = 0.15;
  s.strike.shF = 1.7;
  s.strike.elF = 0.0;
  s.strike.gripF = 0.05;
  s.strike.shB = -0.2;
  s.recoil = s.stance;
  s.recoil.x = -5;
  s.recoil.lean = -0.35;
  s.recoil.headTilt = -0.3;
  s.recoil.hipF = 0.5;
  s.recoil.hipB = -0.1;
  s.recoil.shF = -0.35;
  s.recoil.elF = 1.3;
  s.recoil.shB = -0.6;
  s.recoil.elB = 0.5;
  s.dead = s.stance;
  s.dead.fall = 1.5;
  s.dead.lean = 0;
  s.dead.headTilt = 0.25;
  s.dead.hipF = 0.12;
  s.dead.kneeF = 0.08;
  s.dead.hipB = -0.04;
  s.dead.kneeB = 0.04;
  s.dead.shF = 0.25;
  s.dead.elF = 0.2;
  s.dead.shB = 0.1;
  s.dead.elB = 0.1;
  s.dead.gripF = 2.6;
  return s;
}

// Bare-handed brutes: both arms go up behind the head and come down together.
PoseSet ClawPoses() {
  PoseSet s = SwordPoses();
  s.stance.lean = 0.14;
  s.stance.shB = 0.5;
  s.stance.elB = 0.8;
  s.stance.shF = 0.6;
  s.stance.elF = 0.8;
  s.windup.shB = 3.0;
  s.windup.elB = 0.5;
  s.windup.shF = 3.2;
  s.windup.elF = 0.6;
  s.windup.lean = -0.15;
  s.strike.shB = 1.45;
  s.strike.elB = -0.1;
  s.strike.shF = 1.65;
  s.strike.elF = -0.1;
  s.strike.lean = 0.45;
  s.recoil.shB = -0.5;
  s.recoil.shF = 0.1;
  s.recoil.elF = 0.9;
  return s;
}

void DrawWith(Painter& p, const HumanLook& look, const PoseSet& poses, const Motion& m, double ground) {
  DrawHumanoid(p, look, PoseFor(poses, m), ground);
}

// A face in profile: skin, an eye and a nose, with the head's own angle.
void Face(Painter& p, const Joints& j, double r, const Material& skin) {
  p.Ellipse(j.head, r * 0.92, r, j.lean + j.headTilt, skin);
  Vec fwd = Rotate({1, 0}, j.lean + j.headTilt);
  Vec up = Rotate({0, -1}, j.lean + j.headTilt);
  p.Ellipse(j.head + fwd * (r * 0.85) + up * (-0.3), 1.4, 1.2, 0, skin);
  p.Dot(j.head + fwd * (r * 0.5) + up * (r * 0.15), kEyeDark);
}

}  // namespace

void DrawHero(Painter& p, const Motion& m, double ground) {
  static const Material skin = M(236, 182, 138), tunic = M(52, 98, 196), trousers = M(120, 86, 56);
  static const Material boots = M(88, 56, 36), hair = M(150, 88, 36), steel = M(196, 204, 218, 1.2);
  static const Material gold = M(222, 176, 52), shieldFace = M(186, 40, 40), belt = M(80, 50, 30);
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
  static const Material plate = M(168, 178, 196, 1.25), dark = M(92, 98, 116), plume = M(200, 30, 40);
  static const Material blade = M(214, 220, 232, 1.2), gold = M(214, 170, 60), face = M(40, 70, 160);
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
  static const Material skin = M(104, 156, 64), leather = M(128, 84, 48), dark = M(70, 50, 36);
  static const Material blade = M(190, 196, 200, 1.2), tusk = M(240, 232, 200), hilt = M(90, 60, 40);
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
  static const Material bone = M(226, 218, 190), hollow = M(70, 56, 60), rust = M(150, 110, 80);
  static const Material hilt = M(96, 70, 50);
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
  static const Material skin = M(230, 170, 130), beard = M(214, 110, 40), tunic = M(60, 120, 70);
  static const Material iron = M(150, 156, 170, 1.2), haft = M(130, 86, 50), boots = M(90, 60, 40);
  static const Material horn = M(236, 226, 196), belt = M(80, 50, 30), gold = M(220, 176, 60);
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

void DrawMummy(Painter& p, const Motion& m, double ground) {
  static const Material wrap = M(212, 198, 156), gap = M(96, 80, 60), glow = M(250, 226, 90);
  Texture bands{Texture::Bands, 3.0, 0.3, 0.7};
  HumanLook look;
  look.body.x = 48;
  look.skin = &wrap;
  look.behind = [&](Painter& pp, const Joints&) { pp.SetTexture(bands); };
  look.torso = [&](Painter& pp, const Joints& j) { pp.Capsule(j.pelvis, j.chest, 5.5, 6.5, wrap); };
  look.head = [&](Painter& pp, const Joints& j) {
    double a = j.lean + j.headTilt;
    Vec up = Rotate({0, -1}, a), fwd = Rotate({1, 0}, a);
    pp.Ellipse(j.head, 5.6, 6, a, wrap);
    pp.Capsule(j.head + fwd * 1 + up * 1.5, j.head + fwd * 5.5 + up * 1.5, 0.9, 0.9, gap);
    pp.Dot(j.head + fwd * 3.5 + up * 1.5, glow.shade[0]);
  };
  look.front = [&](Painter& pp, const Joints& j) {
    pp.ClearTexture();
    // A loose strip of linen trailing from the near arm.
    pp.Capsule(j.elbowF, j.elbowF + Vec{-3, 8}, 1.0, 0.7, wrap);
  };
  PoseSet poses = ClawPoses();
  poses.stance.shF = 1.3;
  poses.stance.elF = 0.25;
  poses.stance.shB = 1.1;
  poses.stance.elB = 0.3;
  poses.stance.lean = 0.1;
  DrawWith(p, look, poses, m, ground);
  p.ClearTexture();
}

void DrawZombie(Painter& p, const Motion& m, double ground) {
  static const Material skin = M(140, 166, 110), shirt = M(120, 90, 130), pants = M(70, 84, 110);
  static const Material wound = M(140, 30, 40), hair = M(60, 56, 40);
  HumanLook look;
  look.body.x = 46;
  look.skin = &skin;
  look.legs = &pants;
  look.feet = &skin;
  look.torso = [&](Painter& pp, const Joints& j) {
    pp.SetTexture(Texture{Texture::Grain, 0.45, 0.5, 0, nullptr, 5});
    pp.Polygon({j.chest + Vec{-6, -1}, j.chest + Vec{6, 0}, j.pelvis + Vec{6, 2}, j.pelvis + Vec{3, 5},
                j.pelvis + Vec{0, 2}, j.pelvis + Vec{-3, 5}, j.pelvis + Vec{-6, 2}},
               shirt);
    pp.ClearTexture();
    pp.Dot(j.chest + Vec{2, 5}, wound.shade[1]);
    pp.Dot(j.chest + Vec{3, 5}, wound.shade[2]);
    pp.Dot(j.chest + Vec{2, 6}, wound.shade[3]);
  };
  look.head = [&](Painter& pp, const Joints& j) {
    double a = j.lean + j.headTilt;
    Vec up = Rotate({0, -1}, a), fwd = Rotate({1, 0}, a);
    pp.Ellipse(j.head, 5.4, 6, a, skin);
    pp.Ellipse(j.head + fwd * 4.5 + up * -1.5, 1.6, 2.8, a, skin);
    pp.Dot(j.head + fwd * 2.5 + up * 1, Rgb{250, 240, 120});
    pp.Dot(j.head + fwd * 4 + up * -3, kEyeDark);
    pp.Dot(j.head + fwd * 5 + up * -3, kEyeDark);
    pp.NewPart();
    pp.Ellipse(j.head + up * 4 + fwd * -2, 4, 2.2, a, hair);
  };
  PoseSet poses = ClawPoses();
  poses.stance.lean = 0.3;
  poses.stance.headTilt = 0.35;
  poses.stance.shF = 1.45;
  poses.stance.elF = 0.15;
  poses.stance.shB = 1.25;
  poses.stance.elB = 0.2;
  poses.stance.hipF = 0.4;
  poses.stance.kneeF = 0.35;
  poses.stance.hipB = -0.15;
  poses.windup.headTilt = 0.2;
  DrawWith(p, look, poses, m, ground);
}

void DrawPoisoner(Painter& p, const Motion& m, double ground) {
  static const Material robe = M(96, 62, 120), trim = M(60, 120, 70), shadow = M(34, 22, 40);
  static const Material glass = M(110, 240, 90, 1.2), cork = M(150, 110, 70), skin = M(200, 190, 150);
  HumanLook look;
  look.body.x = 48;
  look.skin = &skin;
  look.arms = &robe;
  look.legs = &robe;
  look.feet = &shadow;
  look.hands = &skin;
  look.torso = [&](Painter& pp, const Joints& j) {
    double hem = j.ankleF.y + 1;
    pp.Polygon({j.chest + Vec{-5.5, -1}, j.chest + Vec{5, -1}, Vec{j.pelvis.x + 9, hem}, Vec{j.pelvis.x - 10, hem}}, robe);
    pp.NewPart();
    pp.Capsule(Vec{j.pelvis.x - 9.5, hem - 1}, Vec{j.pelvis.x + 8.5, hem - 1}, 1.2, 1.2, trim);
    pp.Capsule(j.pelvis + Vec{-6, -1}, j.pelvis + Vec{6, -1}, 1, 1, trim);
  };
  look.head = [&](Painter& pp, const Joints& j) {
    double a = j.lean + j.headTilt;
    Vec up = Rotate({0, -1}, a), fwd = Rotate({1, 0}, a);
    pp.Polygon({j.head + fwd * -7 + up * -4, j.head + fwd * -6 + up * 5, j.head + fwd * -1 + up * 9,
                j.head + fwd * 6 + up * 4, j.head + fwd * 7 + up * -3, j.head + fwd * 3 + up * -6},
               robe);
    pp.NewPart();
    pp.Ellipse(j.head + fwd * 2.8 + up * -0.3, 3.4, 4.2, a, shadow);
    pp.Dot(j.head + fwd * 3 + up * 0.6, Rgb{140, 255, 120});
    pp.Dot(j.head + fwd * 5 + up * 0.6, Rgb{140, 255, 120});
  };
  look.frontItem = [&](Painter& pp, const Joints& j) {
    Vec d = Dir(j.itemF);
    pp.Ellipse(j.handF + d * 4.5, 3.6, 3.8, 0, glass);
    pp.Capsule(j.handF + d * 0.8, j.handF + d * 2, 1.3, 1.3, glass);
    pp.Dot(j.handF + d * 4.5 + Vec{-1.5, -1.5}, Rgb{240, 255, 240});
    pp.Dot(j.handF + d * 4.5 + Vec{-0.5, -1.5}, Rgb{200, 255, 200});
    pp.NewPart();
    pp.Capsule(j.handF + d * -0.2, j.handF + d * 0.6, 1.3, 1.3, cork);
  };
  look.front = [&](Painter& pp, const Joints& j) {
    // At the blow the vial's poison sprays ahead of the hand.
    if (m.kind == AnimKind::Attack && m.strike > 0.6) {
      for (int i = 0; i < 7; ++i) {
        Vec c = j.handF + Vec{5.0 + i * 2.3, -2.0 + Sin(i * 1.7) * 3};
        pp.NewPart();
        pp.Ellipse(c, 2.2 - i * 0.2, 2.0 - i * 0.2, 0, glass);
      }
    }
  };
  PoseSet poses = SwordPoses();
  poses.stance.shF = 0.7;
  poses.stance.elF = 1.1;
  poses.stance.gripF = 3.0;
  poses.windup.gripF = 3.1;
  poses.strike.gripF = 2.8;
  poses.strike.shF = 1.75;
  poses.dead.gripF = 3.6;
  DrawWith(p, look, poses, m, ground);
}

void DrawWizard(Painter& p, const Motion& m, double ground) {
  static const Material robe = M(50, 70, 170), star = M(240, 220, 100), beard = M(226, 226, 232);
  static const Material skin = M(232, 186, 150), wood = M(130, 90, 50), orb = M(120, 230, 255, 1.3);
  static const Material bolt = M(255, 250, 170, 1.1);
  HumanLook look;
  look.body.x = 46;
  look.skin = &skin;
  look.arms = &robe;
  look.legs = &robe;
  look.feet = &robe;
  look.torso = [&](Painter& pp, const Joints& j) {
    double hem = j.ankleF.y + 2;
    pp.Polygon({j.chest + Vec{-5.5, -1}, j.chest + Vec{5, -1}, Vec{j.pelvis.x + 10, hem}, Vec{j.pelvis.x - 11, hem}}, robe);
    pp.Dot(j.pelvis + Vec{-3, 4}, star.shade[0]);
    pp.Dot(j.pelvis + Vec{4, 9}, star.shade[0]);
    pp.Dot(j.chest + Vec{-1, 6}, star.shade[0]);
    pp.NewPart();
    pp.Capsule(Vec{j.pelvis.x - 10.5, hem - 1}, Vec{j.pelvis.x + 9.5, hem - 1}, 1.1, 1.1, star);
  };
  look.head = [&](Painter& pp, const Joints& j) {
    double a = j.lean + j.headTilt;
    Vec up = Rotate({0, -1}, a), fwd = Rotate({1, 0}, a);
    Face(pp, j, 5.5, skin);
    pp.NewPart();
    pp.Polygon({j.head + fwd * 1.5 + up * -1.5, j.head + fwd * 6.5 + up * -2, j.head + fwd * 3 + up * -14,
                j.head + fwd * -1.5 + up * -6},
               beard);
    pp.NewPart();
    pp.Ellipse(j.head + up * 3.5, 9, 2, a, robe);
    pp.Polygon({j.head + fwd * -5.5 + up * 4, j.head + fwd * 5 + up * 4, j.head + fwd * -4 + up * 12,
                j.head + fwd * -9 + up * 16},
               robe);
    pp.Dot(j.head + fwd * -2 + up * 7, star.shade[0]);
  };
  look.backItem = [&](Painter& pp, const Joints& j) {
    Vec d = Dir(j.itemB);
    Staff(pp, j.handB, j.itemB, 12, 14, wood);
    pp.NewPart();
    pp.Ellipse(j.handB + d * 16, 2.8, 2.8, 0, orb);
  };
  look.front = [&](Painter& pp, const Joints& j) {
    if (m.kind == AnimKind::Attack && m.strike > 0.6) {
      pp.Ellipse(j.handF + Vec{5, 0}, 3.6, 3.0, 0, bolt);
      pp.NewPart();
      for (int i = 0; i < 4; ++i) pp.Capsule(j.handF + Vec{5, 0}, j.handF + Vec{5, 0} + Dir(0.8 + i * 0.9) * 6, 0.8, 0.3, bolt);
    }
  };
  PoseSet poses = SwordPoses();
  poses.stance.shB = 0.5;
  poses.stance.elB = 0.6;
  poses.stance.gripB = 2.0;
  poses.stance.shF = 0.4;
  poses.stance.elF = 0.6;
  poses.windup.shB = 0.8;
  poses.windup.elB = 0.9;
  poses.windup.gripB = 1.8;
  poses.windup.shF = 2.8;
  poses.windup.elF = 0.4;
  poses.strike.shB = 0.6;
  poses.strike.elB = 0.8;
  poses.strike.gripB = 1.8;
  poses.strike.shF = 1.65;
  poses.strike.elF = 0.0;
  poses.recoil.gripB = 1.9;
  poses.dead.gripB = 1.5;
  DrawWith(p, look, poses, m, ground);
}

void DrawDevil(Painter& p, const Motion& m, double ground) {
  static const Material skin = M(200, 44, 36), wing = M(120, 30, 40), horn = M(50, 40, 44);
  static const Material shaft = M(70, 60, 60), steel = M(200, 190, 160, 1.2), hoof = M(40, 30, 34);
  HumanLook look;
  look.body.x = 48;
  look.body.chestW = 7;
  look.skin = &skin;
  look.feet = &hoof;
  look.behind = [&](Painter& pp, const Joints& j) {
    Wing(pp, j.chest + Vec{-2, 1}, 0.3 + 0.2 * Sin(j.lean * 4) - 0.3 * m.fall, 26 * (1 - 0.45 * m.fall), horn, wing);
    pp.NewPart();
    Tail(pp, j.pelvis + Vec{-4, 0}, -1.0, 16, 0.9, 1.6, 0.8, skin);
    Vec tip = j.pelvis + Vec{-4, 0};
    double a = -1.0;
    for (int i = 0; i < 6; ++i) tip = tip + Dir(a + 0.9 * Sin((i + 1) / 6.0 * kPi * 1.5)) * (16.0 / 6);
    pp.Polygon({tip + Vec{-3, 0}, tip + Vec{0, -3.5}, tip + Vec{3, 0}, tip + Vec{0, 2}}, skin);
  };
  look.torso = [&](Painter& pp, const Joints& j) { pp.Capsule(j.pelvis, j.chest, 5, 7, skin); };
  look.head = [&](Painter& pp, const Joints& j) {
    double a = j.lean + j.headTilt;
    Vec up = Rotate({0, -1}, a), fwd = Rotate({1, 0}, a);
    Face(pp, j, 5.6, skin);
    pp.Polygon({j.head + fwd * 3 + up * -4, j.head + fwd * 5.5 + up * -5, j.head + fwd * 3 + up * -8}, skin);
    pp.Dot(j.head + fwd * 3 + up * 1.2, Rgb{255, 240, 80});
    pp.NewPart();
    Horn(pp, j.head + up * 4 + fwd * 1, a + kPi - 0.3, 7, -1.2, 1.5, horn);
    Horn(pp, j.head + up * 4 + fwd * -2.5, a + kPi + 0.4, 6, -1.0, 1.3, horn);
  };
  look.frontItem = [&](Painter& pp, const Joints& j) { Trident(pp, j.handF, j.itemF, 16, shaft, steel); };
  PoseSet poses = SwordPoses();
  poses.stance.gripF = 1.6;
  poses.windup.shF = 2.5;
  poses.windup.elF = -0.5;
  poses.windup.gripF = 0.6;
  poses.strike.shF = 1.6;
  poses.strike.elF = 0;
  poses.strike.gripF = 0;
  DrawWith(p, look, poses, m, ground);
}

void DrawMonster(Painter& p, const Motion& m, double ground) {
  static const Material hide = M(118, 82, 156), horn = M(236, 222, 180), fur = M(120, 80, 50);
  static const Material claw = M(240, 236, 220), mouth = M(120, 20, 30);
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
  static const Material stone = M(136, 128, 116), face = M(112, 104, 96), moss = M(96, 140, 60);
  static const Material tooth = M(236, 230, 210);
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
  static const Material scales = M(80, 140, 70), belly = M(210, 200, 130), vest = M(140, 96, 56);
  static const Material teeth = M(246, 244, 230), mouth = M(150, 40, 50);
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

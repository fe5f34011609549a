// The robed and the dead on the shared rig: the mummy in bandages, the shambling zombie, the hooded
// poisoner with her vial, the wizard with robe, hat and staff, and the winged, horned devil.
#include <vector>

#include "gear.h"
#include "humanoid.h"

namespace artgen {

void DrawMummy(Painter& p, const Motion& m, double ground) {
  static const Material wrap = Tone(212, 198, 156), gap = Tone(96, 80, 60), glow = Tone(250, 226, 90);
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
  static const Material skin = Tone(140, 166, 110), shirt = Tone(120, 90, 130), pants = Tone(70, 84, 110);
  static const Material wound = Tone(140, 30, 40), hair = Tone(60, 56, 40);
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
  static const Material robe = Tone(96, 62, 120), trim = Tone(60, 120, 70), shadow = Tone(34, 22, 40);
  static const Material glass = Tone(110, 240, 90, 1.2), cork = Tone(150, 110, 70), skin = Tone(200, 190, 150);
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
  static const Material robe = Tone(50, 70, 170), star = Tone(240, 220, 100), beard = Tone(226, 226, 232);
  static const Material skin = Tone(232, 186, 150), wood = Tone(130, 90, 50), orb = Tone(120, 230, 255, 1.3);
  static const Material bolt = Tone(255, 250, 170, 1.1);
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
  static const Material skin = Tone(200, 44, 36), wing = Tone(120, 30, 40), horn = Tone(50, 40, 44);
  static const Material shaft = Tone(70, 60, 60), steel = Tone(200, 190, 160, 1.2), hoof = Tone(40, 30, 34);
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

}  // namespace artgen

// Solving and drawing the two-legged rig, blending its key poses from a frame's motion, and the key
// poses and face the upright kinds share.
#include "humanoid.h"

#include <algorithm>

namespace artgen {

HumanPose BlendPose(const HumanPose& a, const HumanPose& b, double t) {
  HumanPose r;
  r.x = Lerp(a.x, b.x, t);
  r.drop = Lerp(a.drop, b.drop, t);
  r.lean = Lerp(a.lean, b.lean, t);
  r.headTilt = Lerp(a.headTilt, b.headTilt, t);
  r.hipB = Lerp(a.hipB, b.hipB, t);
  r.kneeB = Lerp(a.kneeB, b.kneeB, t);
  r.hipF = Lerp(a.hipF, b.hipF, t);
  r.kneeF = Lerp(a.kneeF, b.kneeF, t);
  r.shB = Lerp(a.shB, b.shB, t);
  r.elB = Lerp(a.elB, b.elB, t);
  r.shF = Lerp(a.shF, b.shF, t);
  r.elF = Lerp(a.elF, b.elF, t);
  r.gripB = Lerp(a.gripB, b.gripB, t);
  r.gripF = Lerp(a.gripF, b.gripF, t);
  r.fall = Lerp(a.fall, b.fall, t);
  return r;
}

HumanPose PoseFor(const PoseSet& poses, const Motion& m) {
  switch (m.kind) {
    case AnimKind::Attack:
      return m.strike < 0 ? BlendPose(poses.stance, poses.windup, -m.strike)
                          : BlendPose(poses.stance, poses.strike, m.strike);
    case AnimKind::GotHit:
      return BlendPose(poses.stance, poses.recoil, m.recoil);
    case AnimKind::Die: {
      // Staggers back first, then folds to the ground.
      double f = m.fall;
      if (f < 0.3) return BlendPose(poses.stance, poses.recoil, f / 0.3);
      return BlendPose(poses.recoil, poses.dead, Smooth((f - 0.3) / 0.7));
    }
  }
  return poses.stance;
}

Joints SolveJoints(const HumanBody& b, const HumanPose& pose, double ground) {
  Joints j;
  j.lean = pose.lean;
  j.headTilt = pose.headTilt;
  Vec pelvis{b.x + pose.x, 0};
  Vec hipB = pelvis + Vec{-b.hipGap * 0.5, 0}, hipF = pelvis + Vec{b.hipGap * 0.5, 0};
  Vec kneeB = hipB + Dir(pose.hipB) * b.thigh, kneeF = hipF + Dir(pose.hipF) * b.thigh;
  Vec ankleB = kneeB + Dir(pose.hipB - pose.kneeB) * b.shin, ankleF = kneeF + Dir(pose.hipF - pose.kneeF) * b.shin;
  double low = std::max(ankleB.y, ankleF.y);
  double lift = ground - 2.5 - low + pose.drop;
  Vec up{0, lift};
  j.pelvis = pelvis + up;
  j.hipB = hipB + up;
  j.hipF = hipF + up;
  j.kneeB = kneeB + up;
  j.kneeF = kneeF + up;
  j.ankleB = ankleB + up;
  j.ankleF = ankleF + up;
  Vec spine{Sin(pose.lean), -Cos(pose.lean)};
  j.chest = j.pelvis + spine * b.torso;
  Vec headDir{Sin(pose.lean + pose.headTilt), -Cos(pose.lean + pose.headTilt)};
  j.neck = j.chest + spine * b.neck;
  j.head = j.neck + headDir * (b.headR * 0.85);
  j.shoulderF = j.chest + spine * -2.0 + Vec{0.5, 0};
  j.shoulderB = j.chest + spine * -1.5 + Vec{-1.5, 0};
  j.elbowF = j.shoulderF + Dir(pose.shF) * b.upperArm;
  j.elbowB = j.shoulderB + Dir(pose.shB) * b.upperArm;
  j.foreF = pose.shF + pose.elF;
  j.foreB = pose.shB + pose.elB;
  j.handF = j.elbowF + Dir(j.foreF) * b.foreArm;
  j.handB = j.elbowB + Dir(j.foreB) * b.foreArm;
  j.itemF = j.foreF + pose.gripF;
  j.itemB = j.foreB + pose.gripB;
  return j;
}

void Limb(Painter& p, Vec a, Vec b, double ra, double rb, const Material& m) { p.Capsule(a, b, ra, rb, m); }

void Boot(Painter& p, Vec ankle, double len, const Material& m) {
  p.Capsule(ankle + Vec{-0.5, 0.3}, ankle + Vec{len, 1.2}, 2.2, 1.6, m);
}

void Hand(Painter& p, Vec at, double r, const Material& m) { p.Ellipse(at, r, r, 0, m); }

void DrawHumanoid(Painter& p, const HumanLook& look, const HumanPose& pose, double ground, double) {
  const HumanBody& b = look.body;
  Joints j = SolveJoints(b, pose, ground);
  const Material& skin = *look.skin;
  const Material& arms = look.arms ? *look.arms : skin;
  const Material& legs = look.legs ? *look.legs : skin;
  const Material& feet = look.feet ? *look.feet : legs;
  const Material& hands = look.hands ? *look.hands : skin;
  p.Push();
  if (pose.fall != 0) p.RotateAbout({std::min(j.ankleB.x, j.ankleF.x) - 4, ground}, -pose.fall);

  p.NewPart();
  if (look.behind) look.behind(p, j);

  // The far arm and leg sit a shade darker.
  p.NewPart();
  p.SetBias(1);
  Limb(p, j.shoulderB, j.elbowB, b.upperArmR, b.foreArmR + 0.2, arms);
  Limb(p, j.elbowB, j.handB, b.foreArmR, b.foreArmR * 0.85, arms);
  if (look.backItem) {
    p.NewPart();
    look.backItem(p, j);
  }
  p.NewPart();
  p.SetBias(1);
  Hand(p, j.handB, b.foreArmR * 0.95, hands);
  p.NewPart();
  Limb(p, j.hipB, j.kneeB, b.thighR, b.shinR + 0.3, legs);
  Limb(p, j.kneeB, j.ankleB, b.shinR, b.shinR * 0.8, legs);
  Boot(p, j.ankleB, b.footLen, feet);
  p.SetBias(0);

  p.NewPart();
  Limb(p, j.hipF, j.kneeF, b.thighR, b.shinR + 0.3, legs);
  Limb(p, j.kneeF, j.ankleF, b.shinR, b.shinR * 0.8, legs);
  Boot(p, j.ankleF, b.footLen, feet);

  p.NewPart();
  if (look.torso) {
    look.torso(p, j);
  } else {
    p.Capsule(j.pelvis, j.chest, b.waistW, b.chestW, arms);
  }
  p.NewPart();
  if (look.head) {
    look.head(p, j);
  } else {
    p.Ellipse(j.head, b.headR, b.headR, 0, skin);
  }
  if (look.middle) {
    p.NewPart();
    look.middle(p, j);
  }
  p.NewPart();
  Limb(p, j.shoulderF, j.elbowF, b.upperArmR, b.foreArmR + 0.2, arms);
  Limb(p, j.elbowF, j.handF, b.foreArmR, b.foreArmR * 0.85, arms);
  if (look.frontItem) {
    p.NewPart();
    look.frontItem(p, j);
  }
  p.NewPart();
  Hand(p, j.handF, b.foreArmR * 0.95, hands);
  if (look.front) {
    p.NewPart();
    look.front(p, j);
  }
  p.Pop();
}

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

}  // namespace artgen

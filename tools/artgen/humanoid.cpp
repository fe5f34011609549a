// Solving and drawing the two-legged rig, and blending its key poses from a frame's motion.
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

}  // namespace artgen

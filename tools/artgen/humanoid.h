// The two-legged rig shared by the hero and every upright creature: proportions, joint angles,
// key poses blended by the frame's motion, and the drawing order of limbs, body and head, with hooks
// for each kind's own head, weapons and extras (wings, tails, cloaks).
#pragma once
#include <functional>

#include "creature.h"

namespace artgen {

// Angles are radians from straight down, growing towards the front (the figure faces right).
struct HumanPose {
  double x = 0;        // pelvis shift along the ground
  double drop = 0;     // pelvis lowered by bent knees
  double lean = 0.05;  // torso tilt, forward positive
  double headTilt = 0;
  double hipB = -0.3, kneeB = 0.3, hipF = 0.3, kneeF = 0.25;
  double shB = 0.2, elB = 0.5, shF = 0.35, elF = 0.9;
  double gripB = 1.4, gripF = 1.4;  // held item's angle from the forearm
  double fall = 0;                  // turned backwards about the heel, radians
};

HumanPose BlendPose(const HumanPose& a, const HumanPose& b, double t);

struct HumanBody {
  double thigh = 13, shin = 13, torso = 18, neck = 3, headR = 6;
  double upperArm = 10, foreArm = 10;
  double thighR = 3.2, shinR = 2.5, upperArmR = 2.4, foreArmR = 2.0;
  double chestW = 6.5, waistW = 5, hipGap = 2, footLen = 5;
  double x = 48;  // pelvis x at rest, canvas
};

struct Joints {
  Vec pelvis, chest, neck, head;
  Vec hipB, kneeB, ankleB, hipF, kneeF, ankleF;
  Vec shoulderB, elbowB, handB, shoulderF, elbowF, handF;
  double lean = 0, headTilt = 0;
  double foreB = 0, foreF = 0;  // forearm angles
  double itemB = 0, itemF = 0;  // held items' angles
};

using PartHook = std::function<void(Painter&, const Joints&)>;

struct HumanLook {
  HumanBody body;
  const Material* skin = nullptr;
  const Material* arms = nullptr;  // sleeves or bare arms
  const Material* legs = nullptr;
  const Material* feet = nullptr;
  const Material* hands = nullptr;
  PartHook behind;    // before everything: wings, tail, cloak
  PartHook backItem;  // held in the far hand (drawn behind the body)
  PartHook torso;     // the body between hips and neck
  PartHook head;
  PartHook middle;     // after the head, before the near arm: a shield on the far arm
  PartHook frontItem;  // held in the near hand
  PartHook front;      // after everything: beard, belt, straps
  bool bareLegs = false;
};

// The key poses of one kind; the motion blends them frame by frame.
struct PoseSet {
  HumanPose stance, windup, strike, recoil, dead;
};

HumanPose PoseFor(const PoseSet& poses, const Motion& m);
void DrawHumanoid(Painter& p, const HumanLook& look, const HumanPose& pose, double ground, double flashUnused = 0);
Joints SolveJoints(const HumanBody& body, const HumanPose& pose, double ground);

// Common parts.
void Limb(Painter& p, Vec a, Vec b, double ra, double rb, const Material& m);
void Boot(Painter& p, Vec ankle, double len, const Material& m);
void Hand(Painter& p, Vec at, double r, const Material& m);

// Shared by the upright kinds: the dark of an eye, the key poses of sword fighters and bare-handed
// brutes, and a face in profile.
constexpr Rgb kEyeDark{24, 14, 20};
PoseSet SwordPoses();
PoseSet ClawPoses();
void DrawWith(Painter& p, const HumanLook& look, const PoseSet& poses, const Motion& m, double ground);
void Face(Painter& p, const Joints& j, double r, const Material& skin);

}  // namespace artgen

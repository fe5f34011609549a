// The creatures that are not built on the two-legged rig: the spider, the wasp, the raptor and the
// dragon, each drawn from its own few body parts and posed straight from the frame's motion.
#include <algorithm>
#include <vector>

#include "creature.h"
#include "gear.h"

namespace artgen {

void DrawSpider(Painter& p, const Motion& m, double ground) {
  static const Material body = Tone(84, 56, 70), leg = Tone(70, 48, 58), band = Tone(200, 110, 50),
                        mark = Tone(220, 60, 40);
  static const Material fang = Tone(230, 220, 190);
  double s = m.strike, up = 0, dx = 0, rear = 0;
  if (m.kind == AnimKind::Attack) {
    rear = s < 0 ? -s : 0;
    dx = s > 0 ? 8 * s : -2 * rear;
  }
  if (m.kind == AnimKind::GotHit) {
    dx = -4 * m.recoil;
    up = 9 * m.recoil;
  }
  double flip = m.kind == AnimKind::Die ? m.fall : 0;
  Vec head{46 + dx, ground - 10 - up - rear * 5};
  Vec abdomen{34 + dx, ground - 12 - up + rear * 1.5};
  double curl = flip;
  p.Push();
  if (flip > 0) p.RotateAbout({38, ground - 9}, -kPi * Smooth((flip - 0.25) / 0.45));
  auto legs = [&](int side) {
    // side 0 the far legs, a shade darker; 1 the near legs.
    static constexpr double kNear[4] = {-24, -13, 8, 19}, kFar[4] = {-19, -8, 13, 23};
    static constexpr double kKnee[4] = {11, 13, 13, 11};
    p.SetBias(side == 0 ? 1 : 0);
    for (int i = 0; i < 4; ++i) {
      Vec root = head + Vec{-2.0 + i * 1.3, 1};
      Vec foot{head.x + (side ? kNear[i] : kFar[i]) - dx * 0.3, ground - 1.2};
      if (i == 3 && m.kind == AnimKind::Attack) foot = root + Vec{9 + 5 * s, 8 - rear * 14 + (s > 0 ? 2 * s : 0)};
      if (i == 2 && m.kind == AnimKind::Attack && rear > 0) foot = LerpVec(foot, root + Vec{10, -6}, rear * 0.6);
      if (m.kind == AnimKind::GotHit) foot.y -= up * (i == 3 ? 0.5 : 0.2);
      Vec knee = root + (foot - root) * 0.4 + Vec{0, -kKnee[i] + (side ? 0 : 2)};
      if (curl > 0) {
        foot = LerpVec(foot, root + Vec{(i - 1.5) * 2.5, 3}, curl * 0.9);
        knee = LerpVec(knee, root + Vec{(i - 1.5) * 3.5, -1}, curl * 0.85);
      }
      p.NewPart();
      Texture rings{Texture::Bands, 4.5, 0.3};
      rings.alt = &band;
      p.SetTexture(rings);
      p.Capsule(root, knee, 1.6, 1.2, leg);
      p.Capsule(knee, foot, 1.2, 0.7, leg);
      p.ClearTexture();
    }
    p.SetBias(0);
  };
  legs(0);
  p.NewPart();
  p.SetTexture(Texture{Texture::Grain, 0.35, 0.5, 0, nullptr, 3});
  p.Ellipse(abdomen, 10, 7.5, -0.15, body);
  p.ClearTexture();
  p.Dot(abdomen + Vec{-1, -3}, mark.shade[0]);
  p.Dot(abdomen + Vec{0, -3}, mark.shade[1]);
  p.Dot(abdomen + Vec{-1, -2}, mark.shade[1]);
  p.Dot(abdomen + Vec{0, -2}, mark.shade[1]);
  p.Dot(abdomen + Vec{-4, -1}, mark.shade[1]);
  p.Dot(abdomen + Vec{3, -1}, mark.shade[1]);
  p.NewPart();
  p.Ellipse(head, 5.5, 4.5, 0.1, body);
  p.Dot(head + Vec{3, -2}, Rgb{255, 60, 50});
  p.Dot(head + Vec{4, -1}, Rgb{255, 60, 50});
  p.Dot(head + Vec{2, -3}, Rgb{255, 120, 90});
  p.NewPart();
  double open = m.kind == AnimKind::Attack && s > 0.5 ? 1 : 0;
  p.Capsule(head + Vec{4.5, 2}, head + Vec{6 + open * 2, 5.5 - open}, 1.0, 0.5, fang);
  legs(1);
  p.Pop();
}

void DrawWasp(Painter& p, const Motion& m, double ground) {
  static const Material yellow = Tone(240, 200, 40), black = Tone(40, 34, 40), wing = Tone(196, 226, 250, 0.6);
  static const Material eye = Tone(150, 30, 30), sting = Tone(60, 50, 50);
  double s = m.strike, dx = 0, dy = 0;
  if (m.kind == AnimKind::Attack) {
    dx = s > 0 ? 9 * s : -3 * (-s);
    dy = s > 0 ? 4 * s : -3 * (-s);
  }
  if (m.kind == AnimKind::GotHit) {
    dx = -5 * m.recoil;
    dy = -4 * m.recoil;
  }
  double fall = m.kind == AnimKind::Die ? m.fall : 0;
  double hover = ground - 36 + 2 * Sin(m.cycle * 2 * kPi * 2);
  Vec thorax{46 + dx, Lerp(hover, ground - 8, fall) + dy};
  p.Push();
  if (fall > 0) p.RotateAbout(thorax, -kPi * 0.9 * fall);
  bool beat = m.frame % 2 == 0 && fall < 0.5;
  // The abdomen cocks up behind to wind up, then swings under the body to drive the stinger forward.
  double cock = m.kind == AnimKind::Attack && s < 0 ? -s : 0;
  double drive = m.kind == AnimKind::Attack && s > 0 ? s : 0;
  double bend = 0.3 - 0.7 * cock + 2.2 * drive;
  Vec waist = thorax + Vec{-4, 1};
  Vec axis{-Cos(bend), Sin(bend)};
  p.NewPart();
  p.SetBias(1);
  for (int i = 0; i < 3; ++i) p.Capsule(thorax + Vec{-1.0 + i * 2, 3}, thorax + Vec{-3.0 + i * 3, 11}, 0.7, 0.5, black);
  p.SetBias(0);
  p.NewPart();
  Texture stripes{Texture::Bands, 3.2, 0.45, 0};
  stripes.alt = &black;
  p.SetTexture(stripes);
  p.Capsule(waist + axis * 1.5, waist + axis * 15, 4.2, 2.2, yellow);
  p.ClearTexture();
  p.NewPart();
  p.Capsule(waist + axis * 15.5, waist + axis * 20, 1.0, 0.3, sting);
  p.NewPart();
  p.Ellipse(thorax, 5, 4.2, 0, black);
  p.Dot(thorax + Vec{-1, -2}, yellow.shade[1]);
  p.NewPart();
  p.Ellipse(thorax + Vec{6, -1}, 4, 3.8, 0, yellow);
  p.NewPart();
  p.Ellipse(thorax + Vec{7.5, -1.8}, 2.2, 2.6, 0.3, eye);
  p.Capsule(thorax + Vec{8, -4}, thorax + Vec{12, -9}, 0.5, 0.4, black);
  p.Capsule(thorax + Vec{9, 1.5}, thorax + Vec{10.5, 3}, 0.8, 0.5, black);
  p.NewPart();
  for (int i = 0; i < 3; ++i) p.Capsule(thorax + Vec{-1.0 + i * 2, 3}, thorax + Vec{1.0 + i * 2.5, 11}, 0.7, 0.5, black);
  p.NewPart();
  double wa = beat ? -0.3 : 0.5;
  p.Ellipse(thorax + Rotate({-7, -7}, wa), 10, 4, -0.9 + wa, wing);
  p.NewPart();
  p.Ellipse(thorax + Rotate({-3, -8}, wa * 0.6), 7, 3, -1.2 + wa * 0.6, wing);
  p.Pop();
}

void DrawRaptor(Painter& p, const Motion& m, double ground) {
  static const Material hide = Tone(120, 146, 70), stripe = Tone(74, 96, 50), belly = Tone(220, 206, 150);
  static const Material claw = Tone(236, 230, 210);
  double s = m.strike, lunge = 0, rearUp = 0, open = 0;
  if (m.kind == AnimKind::Attack) {
    lunge = s > 0 ? s : 0;
    rearUp = s < 0 ? -s : 0;
    open = s > 0.5 ? 1 : rearUp * 0.6;
  }
  double rec = m.kind == AnimKind::GotHit ? m.recoil : 0;
  double fall = m.kind == AnimKind::Die ? m.fall : 0;
  double stride = Sin(m.cycle * 2 * kPi) * 0.25 * (1 - fall);
  // Dying, it sinks onto its belly, legs folding, neck and tail laid along the ground.
  Vec hip{44 + 6 * lunge - 4 * rec, ground - 27 + 2 * lunge + 18 * fall};
  double tilt = -0.25 * rearUp + 0.2 * lunge - 0.3 * rec + 0.12 * fall;
  p.Push();
  auto leg = [&](double phase, int bias) {
    p.SetBias(bias);
    p.NewPart();
    double a = 0.35 + phase + fall * (1.2 - phase);
    Vec knee = hip + Dir(a) * 11;
    Vec ankle = knee + Dir(a - 1.2 - fall * 1.0) * 10;
    Vec foot = Vec{ankle.x + 4, ground - 1.5};
    if (fall > 0) ankle.y = std::min(ankle.y, ground - 2.5);
    p.Capsule(hip, knee, 5, 3, hide);
    p.Capsule(knee, ankle, 2.6, 1.8, hide);
    p.Capsule(ankle, foot, 1.8, 1.4, hide);
    p.Capsule(foot, foot + Vec{5, 0.5}, 1.3, 0.6, hide);
    p.NewPart();
    p.Capsule(foot + Vec{1, -1}, foot + Vec{2.5, -4}, 0.9, 0.4, claw);
    p.SetBias(0);
  };
  leg(-0.5 - stride + 0.4 * lunge, 1);
  p.Push();
  p.RotateAbout(hip, tilt);
  p.NewPart();
  Tail(p, hip + Vec{-4, -2}, -1.25 - 0.2 * rearUp - 0.35 * fall, 34, 0.25 * (1 - fall), 4.6, 0.9, hide, 7);
  p.NewPart();
  Texture bands{Texture::Bands, 4.0, 0.3, 0.8};
  bands.alt = &stripe;
  p.SetTexture(bands);
  p.Ellipse(hip + Vec{7, -3}, 13, 7, -0.1, hide);
  p.ClearTexture();
  p.NewPart();
  p.Ellipse(hip + Vec{9, 1.5}, 9, 3, -0.1, belly);
  // The neck curves up to the head, pulled back when winding up and thrown forward in the bite.
  Vec neck0 = hip + Vec{17, -5};
  Vec neck1 = neck0 + Vec{5 + 6 * lunge - 3 * rearUp + 5 * fall, -9 + 5 * lunge - 2 * rearUp + 14 * fall};
  p.NewPart();
  p.Capsule(neck0, neck1, 4.5, 3.2, hide);
  p.NewPart();
  p.SetBias(1);
  p.Capsule(neck0 + Vec{-1, 3}, neck0 + Vec{3, 7}, 1.3, 1, hide);
  p.Capsule(neck0 + Vec{3, 7}, neck0 + Vec{5, 6}, 0.8, 0.6, claw);
  p.SetBias(0);
  Vec head = neck1 + Vec{3, -2};
  double ja = open * 0.55;
  p.NewPart();
  p.Capsule(head, head + Rotate({12, 1}, ja * 0.5), 2.2, 1.3, belly);
  p.NewPart();
  p.Capsule(head + Vec{-1, -1}, head + Rotate({13, -1}, -ja * 0.4), 4.2, 2.2, hide);
  p.Dot(head + Vec{1, -2.5}, Rgb{250, 220, 40});
  p.Dot(head + Vec{2, -2.5}, Rgb{30, 20, 20});
  if (open > 0.5) {
    p.Dot(head + Vec{6, 0}, claw.shade[0]);
    p.Dot(head + Vec{9, 0}, claw.shade[0]);
  }
  p.Pop();
  leg(0.2 + stride + 0.5 * lunge, 0);
  p.Pop();
}

void DrawDragon(Painter& p, const Motion& m, double ground) {
  static const Material scale = Tone(60, 140, 90), belly = Tone(212, 192, 128), wingSkin = Tone(150, 60, 60);
  static const Material horn = Tone(236, 224, 190), fire = Tone(255, 170, 40, 1.2), fireHot = Tone(255, 240, 150);
  static const Material bone = Tone(46, 90, 60);
  double s = m.strike, breathe = 0, lunge = 0;
  if (m.kind == AnimKind::Attack) {
    breathe = s < 0 ? -s : 0;
    lunge = s > 0 ? s : 0;
  }
  double rec = m.kind == AnimKind::GotHit ? m.recoil : 0;
  double fall = m.kind == AnimKind::Die ? m.fall : 0;
  double flap = Sin(m.cycle * 2 * kPi * (m.kind == AnimKind::Attack ? 1.0 : 1.5)) * (1 - fall);
  Vec body{41 - 5 * rec + 4 * lunge, ground - 28 + 2 * flap * (1 - fall) + fall * 16};
  p.Push();
  // Far wing; a dying dragon's wings sag down over its back.
  p.NewPart();
  p.SetBias(1);
  p.Push();
  p.RotateAbout(body + Vec{4, -8}, -1.0 * fall);
  Wing(p, body + Vec{4, -8}, 0.4 + 0.5 * flap, 42 - 8 * fall, bone, wingSkin);
  p.Pop();
  p.SetBias(0);
  // Tail sweeping down behind.
  p.NewPart();
  p.SetTexture(Texture{Texture::Scales});
  Tail(p, body + Vec{-10, 2}, -0.9, 46, 0.9, 6, 1.2, scale, 8);
  p.ClearTexture();
  // Hind legs, hanging as it hovers.
  p.NewPart();
  p.Capsule(body + Vec{-4, 6}, body + Vec{0, 18}, 5, 3, scale);
  p.Capsule(body + Vec{0, 18}, body + Vec{-2, 25}, 3, 2, scale);
  p.Capsule(body + Vec{-2, 25}, body + Vec{3, 26}, 1.6, 1, horn);
  // Body.
  p.NewPart();
  p.SetTexture(Texture{Texture::Scales});
  p.Ellipse(body, 18, 12, -0.35, scale);
  p.ClearTexture();
  p.NewPart();
  Texture plates{Texture::Bands, 2.6, 0.3};
  p.SetTexture(plates);
  p.Ellipse(body + Vec{7, 6}, 10, 4.5, -0.6, belly);
  p.ClearTexture();
  p.NewPart();
  p.Capsule(body + Vec{11, 2}, body + Vec{15, 13}, 3.2, 2.2, scale);
  p.Capsule(body + Vec{15, 13}, body + Vec{19, 14}, 1.6, 0.8, horn);
  // The neck arches up and forward; the head lunges down at the blow.
  Vec n0 = body + Vec{12, -6};
  Vec n1 = n0 + Vec{10 + 3 * lunge - 4 * breathe - 3 * rec + 2 * fall, -14 + 4 * lunge - 3 * breathe + 16 * fall};
  Vec n2 = n1 + Vec{9 + 9 * lunge - 2 * breathe - 4 * rec + 3 * fall, -6 + 11 * lunge + 2 * breathe + 18 * fall};
  p.NewPart();
  p.SetTexture(Texture{Texture::Scales});
  p.Capsule(n0, n1, 7, 5, scale);
  p.Capsule(n1, n2, 5, 4.2, scale);
  p.ClearTexture();
  p.NewPart();
  p.SetTexture(plates);
  p.Capsule(n0 + Vec{3.5, 4}, n1 + Vec{3.5, 2.5}, 2.6, 1.8, belly);
  p.ClearTexture();
  // Spines down the back of the neck.
  for (int i = 0; i < 4; ++i) {
    Vec at = LerpVec(n0, n1, 0.2 + i * 0.27) + Vec{-4.5, -2.5};
    p.Polygon({at + Vec{-1.8, 1}, at + Vec{-3.5, -3.2}, at + Vec{1.6, -0.4}}, horn, 0.3);
  }
  // Head.
  double ang = -0.15 + 0.45 * lunge - 0.2 * breathe - 0.4 * rec + 0.1 * fall;
  Vec hd = n2 + Vec{3, 0};
  double open = lunge > 0.5 ? 1 : breathe * 0.3;
  p.NewPart();
  p.Capsule(hd + Rotate({1, 2}, ang), hd + Rotate({12, 3 + 4 * open}, ang), 2.4, 1.6, belly);
  p.NewPart();
  p.Capsule(hd, hd + Rotate({14, -1}, ang), 5, 2.8, scale);
  p.Dot(hd + Rotate({3, -3}, ang), Rgb{255, 230, 60});
  p.Dot(hd + Rotate({13, -2}, ang), Rgb{30, 20, 20});
  p.NewPart();
  Horn(p, hd + Rotate({-2, -3}, ang), kPi + 1.9 + ang, 10, 0.5, 1.8, horn);
  Horn(p, hd + Rotate({0, -4}, ang), kPi + 1.6 + ang, 7, 0.4, 1.4, horn);
  if (lunge > 0.5) {
    Vec mouth = hd + Rotate({15, 2}, ang);
    for (int i = 0; i < 6; ++i) {
      p.NewPart();
      Vec c = mouth + Rotate({4.0 + i * 4.0, Sin(i * 2.1) * 1.5}, ang + 0.1);
      p.Ellipse(c, 2.5 + i * 0.7, 2 + i * 0.5, 0, i < 2 ? fireHot : fire);
    }
  }
  // Near wing over everything.
  p.NewPart();
  p.Push();
  p.RotateAbout(body + Vec{0, -9}, -1.15 * fall);
  Wing(p, body + Vec{0, -9}, 0.2 + 0.6 * flap, 46 - 8 * fall, bone, wingSkin);
  p.Pop();
  p.Pop();
}

}  // namespace artgen

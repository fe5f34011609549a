// Drawing the shared weapons and body pieces.
#include "gear.h"

#include <vector>

namespace artgen {

void Sword(Painter& p, Vec hand, double angle, double length, const Material& blade, const Material& hilt) {
  Vec d = Dir(angle);
  Vec side{d.y, -d.x};
  p.Capsule(hand + d * 1.5, hand + d * length, 1.3, 0.5, blade);
  p.NewPart();
  p.Capsule(hand + d * 1.8 + side * 3.2, hand + d * 1.8 - side * 3.2, 0.9, 0.9, hilt);
  p.Capsule(hand - d * 2.2, hand - d * 2.6, 1.1, 1.1, hilt);
}

void CurvedBlade(Painter& p, Vec hand, double angle, double length, const Material& blade, const Material& hilt) {
  Vec d = Dir(angle);
  Vec side{d.y, -d.x};  // the cutting edge bulges to this side
  std::vector<Vec> pts;
  for (int i = 0; i <= 6; ++i) {
    double t = i / 6.0;
    double bow = Sin(t * kPi) * 2.2 + t * 1.5;
    pts.push_back(hand + d * (2 + t * length) + side * (bow + 1.6 * (1 - t)));
  }
  for (int i = 6; i >= 0; --i) {
    double t = i / 6.0;
    double bow = Sin(t * kPi) * 2.2 + t * 1.5;
    pts.push_back(hand + d * (2 + t * length) + side * (bow - 1.2 * (1 - t) - 0.4));
  }
  p.Polygon(pts, blade, 0.7);
  p.NewPart();
  p.Capsule(hand + d * 1.8 + side * 3, hand + d * 1.8 - side * 2.5, 0.9, 0.9, hilt);
}

void Axe(Painter& p, Vec hand, double angle, double length, const Material& haft, const Material& head) {
  Vec d = Dir(angle);
  Vec side{-d.y, d.x};
  p.Capsule(hand - d * 3, hand + d * length, 1.1, 1.0, haft);
  p.NewPart();
  Vec top = hand + d * (length - 3);
  p.Polygon({top + d * 3 + side * 1, top + d * 5.5 + side * 7, top + side * 8.5, top - d * 5.5 + side * 7,
             top - d * 3 + side * 1},
            head, 0.8);
  p.Capsule(top - side * 1.5, top - side * 3.5, 1.2, 0.6, head);
}

void Shield(Painter& p, Vec centre, double radius, const Material& rim, const Material& face, const Material& boss) {
  p.Ellipse(centre, radius * 0.75, radius, 0, rim);
  p.NewPart();
  p.Ellipse(centre + Vec{0.2, 0}, radius * 0.75 - 1.3, radius - 1.5, 0, face);
  p.NewPart();
  p.Ellipse(centre + Vec{0.3, 0}, 1.6, 1.8, 0, boss);
}

void Staff(Painter& p, Vec hand, double angle, double below, double above, const Material& wood) {
  Vec d = Dir(angle);
  p.Capsule(hand - d * below, hand + d * above, 1.0, 1.2, wood);
}

void Horn(Painter& p, Vec root, double angle, double length, double curl, double radius, const Material& m) {
  Vec at = root;
  double a = angle;
  int steps = 5;
  for (int i = 0; i < steps; ++i) {
    double t0 = double(i) / steps, t1 = double(i + 1) / steps;
    Vec next = at + Dir(a) * (length / steps);
    p.Capsule(at, next, radius * (1 - t0 * 0.85), radius * (1 - t1 * 0.85), m);
    at = next;
    a += curl / steps;
  }
}

void Trident(Painter& p, Vec hand, double angle, double length, const Material& shaft, const Material& prongs) {
  Vec d = Dir(angle);
  Vec side{-d.y, d.x};
  p.Capsule(hand - d * 6, hand + d * length, 0.9, 0.9, shaft);
  p.NewPart();
  Vec top = hand + d * length;
  p.Capsule(top - side * 3.5, top + side * 3.5, 0.9, 0.9, prongs);
  p.Capsule(top, top + d * 6, 0.9, 0.4, prongs);
  p.Capsule(top - side * 3.5, top - side * 3.5 + d * 4.5, 0.8, 0.4, prongs);
  p.Capsule(top + side * 3.5, top + side * 3.5 + d * 4.5, 0.8, 0.4, prongs);
}

// A bat wing swept up and back: bones fan out from the root and membrane fills between them.
void Wing(Painter& p, Vec root, double spread, double size, const Material& bone, const Material& skin) {
  Vec elbow = root + Dir(-(kPi - 0.9 - spread * 0.3)) * (size * 0.45);
  Vec tips[4];
  for (int i = 0; i < 4; ++i) {
    double a = kPi - 1.3 + spread * 0.5 - 0.45 * i - spread * 0.2 * i;
    tips[i] = elbow + Dir(-a) * (size * (0.75 - 0.1 * i));
  }
  std::vector<Vec> membrane{root, elbow, tips[0]};
  for (int i = 1; i < 4; ++i) {
    Vec mid = LerpVec(tips[i - 1], tips[i], 0.5);
    Vec toward = elbow - mid;
    membrane.push_back(mid + toward * 0.22);
    membrane.push_back(tips[i]);
  }
  membrane.push_back(root + Vec{0, size * 0.25});
  p.Polygon(membrane, skin, 0.5);
  p.NewPart();
  p.Capsule(root, elbow, 1.3, 1.0, bone);
  for (int i = 0; i < 4; ++i) p.Capsule(elbow, tips[i], 0.8, 0.4, bone);
}

void Tail(Painter& p, Vec root, double angle, double length, double wave, double r0, double r1, const Material& m,
          int segments) {
  Vec at = root;
  for (int i = 0; i < segments; ++i) {
    double t0 = double(i) / segments, t1 = double(i + 1) / segments;
    double a = angle + wave * Sin(t1 * kPi * 1.5);
    Vec next = at + Dir(a) * (length / segments);
    p.Capsule(at, next, Lerp(r0, r1, t0), Lerp(r0, r1, t1), m);
    at = next;
  }
}

}  // namespace artgen

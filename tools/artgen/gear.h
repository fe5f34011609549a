// Held things and worn things shared by several figures: swords, axes, shields, staffs, horns and
// the like, each drawn from a hand or a head point along an angle.
#pragma once
#include "paint.h"

namespace artgen {

void Sword(Painter& p, Vec hand, double angle, double length, const Material& blade, const Material& hilt);
void CurvedBlade(Painter& p, Vec hand, double angle, double length, const Material& blade, const Material& hilt);
void Axe(Painter& p, Vec hand, double angle, double length, const Material& haft, const Material& head);
void Shield(Painter& p, Vec centre, double radius, const Material& rim, const Material& face, const Material& boss);
void Staff(Painter& p, Vec hand, double angle, double below, double above, const Material& wood);
void Horn(Painter& p, Vec root, double angle, double length, double curl, double radius, const Material& m);
void Trident(Painter& p, Vec hand, double angle, double length, const Material& shaft, const Material& prongs);
void Wing(Painter& p, Vec root, double spread, double size, const Material& bone, const Material& skin);
void Tail(Painter& p, Vec root, double angle, double length, double wave, double r0, double r1, const Material& m,
          int segments = 6);

}  // namespace artgen

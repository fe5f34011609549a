// The icon is drawn, not cut from a frame: the hero's drawing runs again with the painter enlarged
// about his head, so the outline stays one pixel wide and the face keeps its detail at any size.
#include "icon.h"

#include <algorithm>
#include <string_view>

#include "creature.h"

namespace artgen {

namespace {

// Where the hero's head sits on his canvas in the first frame of his attack (his stance in menus).
constexpr Vec kHeadCentre{53, 44};
// Canvas pixels across the icon: the head and the tops of the shoulders.
constexpr double kSpan = 25;

const CreatureArt& Hero() {
  for (const CreatureArt& art : Creatures())
    if (std::string_view(art.name) == "hero") return art;
  return Creatures().front();
}

}  // namespace

namespace {

// The plate and the figure; coverage, when given, receives each pixel's share of the round plate
// (0 outside, 255 inside, between on the edge) and the plate's edge is smoothed against it.
Picture DrawPlate(int size, std::vector<uint8_t>* coverage) {
  const double centre = (size - 1) / 2.0, radius = size / 2.0 - 0.5;
  Painter p(size, size);
  // The head a little above the middle, so the shoulders fill the plate's lower edge.
  p.Translate(size / 2.0 - kHeadCentre.x, size * 0.45 - kHeadCentre.y);
  p.ScaleAbout(kHeadCentre, size / kSpan);
  const CreatureArt& hero = Hero();
  hero.draw(p, MotionFor(hero, AnimKind::Attack, 1), hero.ground);
  Picture figure = p.Render(0);

  Picture icon(size, size, kMagenta);
  const Rgb inner{58, 40, 78}, outer{22, 16, 34}, rim{222, 176, 52}, rimDark{120, 84, 20};
  // The rim keeps its share of the plate at every size from 64 up.
  const double rimWidth = size >= 48 ? std::max(2.5, size / 25.6) : 1.5;
  if (coverage) coverage->assign(size_t(size) * size_t(size), 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double dx = x - centre, dy = y - centre, d = Sqrt(dx * dx + dy * dy);
      if (coverage) {
        double share = Clamp(radius + 0.5 - d, 0, 1);
        (*coverage)[size_t(y) * size_t(size) + size_t(x)] = uint8_t(RoundInt(share * 255));
        if (d > radius) {
          // Outside the plate the rim's colour, seen only through the edge's partial cover (and
          // kept there so that a scaled icon shows no magenta fringe).
          icon.at(x, y) = Mix(rim, rimDark, Clamp((dx + dy) / (2 * radius) + 0.5, 0, 1));
          continue;
        }
      }
      if (d > radius) continue;
      if (d > radius - rimWidth) {
        // Lit from the top left, as the figures are.
        icon.at(x, y) = Mix(rim, rimDark, Clamp((dx + dy) / (2 * radius) + 0.5, 0, 1));
        continue;
      }
      const Rgb& ink = figure.at(x, y);
      icon.at(x, y) = ink == kMagenta ? Mix(inner, outer, Clamp(d / radius + dy / (3 * radius), 0, 1)) : ink;
    }
  return icon;
}

}  // namespace

Picture DrawHeroIcon(int size) { return DrawPlate(size, nullptr); }

std::vector<uint8_t> EncodeDesktopIcon(int size) {
  std::vector<uint8_t> coverage;
  Picture icon = DrawPlate(size, &coverage);
  return EncodePng(icon, coverage);
}

}  // namespace artgen

// Rendering, settling and cropping of creature frames; a set's row may fix its crop corners (the
// spider's recoil and the hero's attack keep their shipped offset rows).
#include "frames.h"

#include <algorithm>

namespace artgen {

namespace {

const int32_t* FixedCorner(const CreatureArt& art, AnimKind kind, int frame) {
  if (kind == AnimKind::GotHit && art.gotHitCorners) return art.gotHitCorners[frame - 1];
  if (kind == AnimKind::Attack && art.attackCorners) return art.attackCorners[frame - 1];
  return nullptr;
}

Picture Paint(const CreatureArt& art, AnimKind kind, int frame) {
  Motion m = MotionFor(art, kind, frame);
  Painter p(kBufferWidth, kBufferHeight);
  p.Translate(kMarginX, kMarginY);
  if (art.scale != 1) p.ScaleAbout({art.pivotX, art.ground}, art.scale);
  art.draw(p, m, art.ground);
  return p.Render(m.flash);
}

int LowestInkRow(const Picture& pic) {
  for (int y = pic.height - 1; y >= 0; --y)
    for (int x = 0; x < pic.width; ++x)
      if (!(pic.at(x, y) == kMagenta)) return y;
  return -1;
}

}  // namespace

const char* KindName(AnimKind kind) {
  switch (kind) {
    case AnimKind::Attack:
      return "attack";
    case AnimKind::GotHit:
      return "gothit";
    case AnimKind::Die:
      return "die";
  }
  return "";
}

Picture RenderCanvas(const CreatureArt& art, AnimKind kind, int frame) {
  Picture pic = Paint(art, kind, frame);
  if (kind != AnimKind::Die) return pic;
  // A falling body rests on the ground its standing feet touch: never below it, never floating.
  int target = art.hovers ? int(art.ground) + kMarginY : LowestInkRow(Paint(art, AnimKind::Attack, 1));
  int low = LowestInkRow(pic);
  int shift = target - low;
  if (low < 0 || shift == 0) return pic;
  Picture moved(pic.width, pic.height, kMagenta);
  for (int y = 0; y < pic.height; ++y) {
    int sy = y - shift;
    if (sy < 0 || sy >= pic.height) continue;
    for (int x = 0; x < pic.width; ++x) moved.at(x, y) = pic.at(x, sy);
  }
  return moved;
}

Frame RenderFrame(const CreatureArt& art, AnimKind kind, int frame) {
  Picture pic = RenderCanvas(art, kind, frame);
  int x0 = pic.width, y0 = pic.height, x1 = -1, y1 = -1;
  for (int y = 0; y < pic.height; ++y)
    for (int x = 0; x < pic.width; ++x)
      if (!(pic.at(x, y) == kMagenta)) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
      }
  Frame out;
  out.inkX = x0 - kMarginX;
  out.inkY = y0 - kMarginY;
  if (x1 < 0) {
    x0 = y0 = x1 = y1 = 0;
  }
  x0 = std::max(0, x0 - 1);
  y0 = std::max(0, y0 - 1);
  x1 = std::min(pic.width - 1, x1 + 1);
  y1 = std::min(pic.height - 1, y1 + 1);
  if (const int32_t* fixed = FixedCorner(art, kind, frame)) {
    int fx = fixed[0] + kMarginX, fy = fixed[1] + kMarginY;
    for (int y = 0; y < pic.height; ++y)
      for (int x = 0; x < pic.width; ++x)
        if ((x < fx || y < fy) && !(pic.at(x, y) == kMagenta)) ++out.clipped;
    x0 = fx;
    y0 = fy;
    x1 = std::max(x1, x0);
    y1 = std::max(y1, y0);
  }
  out.picture = Picture(x1 - x0 + 1, y1 - y0 + 1, kMagenta);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) out.picture.at(x - x0, y - y0) = pic.at(x, y);
  out.x = x0 - kMarginX;
  out.y = y0 - kMarginY;
  return out;
}

std::vector<Frame> RenderAnimation(const CreatureArt& art, AnimKind kind) {
  std::vector<Frame> frames;
  for (int f = 1; f <= art.frames[int(kind)]; ++f) frames.push_back(RenderFrame(art, kind, f));
  return frames;
}

}  // namespace artgen

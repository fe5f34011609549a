// Rasterising and shading the painter's shapes; the outline pass runs in Render.
#include "paint.h"

#include <algorithm>

namespace artgen {

namespace {

// Light from the top left, a little in front.
constexpr double kLx = -0.48, kLy = -0.62, kLz = 0.62;
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

Rgb Towards(Rgb c, Rgb target, double t) { return Mix(c, target, t); }

double Frac(double v) { return v - double(v >= 0 ? long(v) : long(v) - 1); }

}  // namespace

Material MakeMaterial(Rgb base, double contrast) {
  Material m;
  m.shade[0] = Towards(Scale(base, 1.0 + 0.28 * contrast), Rgb{255, 250, 220}, 0.28 * contrast);
  m.shade[1] = base;
  m.shade[2] = Towards(Scale(base, 1.0 - 0.26 * contrast), Rgb{40, 30, 90}, 0.12 * contrast);
  m.shade[3] = Towards(Scale(base, 1.0 - 0.5 * contrast), Rgb{30, 15, 60}, 0.22 * contrast);
  m.line = Towards(Scale(base, 0.22), Rgb{18, 8, 28}, 0.55);
  return m;
}

Material Tone(int r, int g, int b, double contrast) {
  return MakeMaterial(Rgb{uint8_t(r), uint8_t(g), uint8_t(b)}, contrast);
}

Material MakeMaterial4(Rgb s0, Rgb s1, Rgb s2, Rgb s3, Rgb line) { return Material{{s0, s1, s2, s3}, line}; }

Vec Rotate(Vec v, double angle) {
  double c = Cos(angle), s = Sin(angle);
  return {c * v.x - s * v.y, s * v.x + c * v.y};
}

Vec LerpVec(Vec a, Vec b, double t) { return {Lerp(a.x, b.x, t), Lerp(a.y, b.y, t)}; }

Painter::Painter(int width, int height) : width_(width), height_(height), cells_(size_t(width) * size_t(height)) {}

void Painter::Push() { stack_.push_back(xf_); }
void Painter::Pop() {
  if (!stack_.empty()) {
    xf_ = stack_.back();
    stack_.pop_back();
  }
}

void Painter::Translate(double x, double y) {
  xf_.tx += xf_.a * x + xf_.b * y;
  xf_.ty += xf_.c * x + xf_.d * y;
}

void Painter::RotateAbout(Vec pivot, double angle) {
  Translate(pivot.x, pivot.y);
  double c = Cos(angle), s = Sin(angle);
  Affine n = xf_;
  n.a = xf_.a * c + xf_.b * s;
  n.b = -xf_.a * s + xf_.b * c;
  n.c = xf_.c * c + xf_.d * s;
  n.d = -xf_.c * s + xf_.d * c;
  xf_ = n;
  Translate(-pivot.x, -pivot.y);
}

void Painter::ScaleAbout(Vec pivot, double factor) {
  Translate(pivot.x, pivot.y);
  xf_.a *= factor;
  xf_.b *= factor;
  xf_.c *= factor;
  xf_.d *= factor;
  Translate(-pivot.x, -pivot.y);
}

void Painter::MirrorX(double axis) {
  Translate(axis, 0);
  xf_.a = -xf_.a;
  xf_.c = -xf_.c;
  Translate(-axis, 0);
}

Vec Painter::Inverse(Vec p) const {
  double det = xf_.a * xf_.d - xf_.b * xf_.c;
  double x = p.x - xf_.tx, y = p.y - xf_.ty;
  return {(xf_.d * x - xf_.b * y) / det, (-xf_.c * x + xf_.a * y) / det};
}

void Painter::Bounds(const std::vector<Vec>& local, int& x0, int& y0, int& x1, int& y1) const {
  double minx = 1e9, miny = 1e9, maxx = -1e9, maxy = -1e9;
  for (Vec v : local) {
    Vec s = xf_.Apply(v);
    minx = std::min(minx, s.x);
    miny = std::min(miny, s.y);
    maxx = std::max(maxx, s.x);
    maxy = std::max(maxy, s.y);
  }
  x0 = std::max(0, int(minx) - 2);
  y0 = std::max(0, int(miny) - 2);
  x1 = std::min(width_ - 1, int(maxx) + 2);
  y1 = std::min(height_ - 1, int(maxy) + 2);
}

// Shades one covered pixel: the normal (in drawing space) is turned into screen space, lit, dithered
// and textured, then quantised to one of the material's four shades.
void Painter::Fill(int x, int y, const Material& m, Vec n, double along, double across) {
  double nx = xf_.a * n.x + xf_.b * n.y, ny = xf_.c * n.x + xf_.d * n.y;
  double len = Sqrt(nx * nx + ny * ny);
  double flat = Sqrt(n.x * n.x + n.y * n.y);
  if (len > 0) {
    nx = nx / len * flat;
    ny = ny / len * flat;
  }
  double nz = Sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
  double light = nx * kLx + ny * kLy + nz * kLz;
  light += (kBayer[y & 3][x & 3] - 7.5) / 16.0 * 0.12;
  const Material* mat = &m;
  int extra = 0;
  switch (texture_.kind) {
    case Texture::Grain:
      light += (Hash01(x, y, texture_.seed) - 0.5) * texture_.amount;
      break;
    case Texture::Scales: {
      double u = along / 2.5, v = across / 2.0;
      double row = double(long(v + 100)) - 100;
      double ph = Frac(u + (long(row) & 1 ? 0.5 : 0.0));
      if (ph < 0.22 || Frac(v) < 0.2) extra = 1;
      break;
    }
    case Texture::Cracks: {
      double nv = ValueNoise(x * 0.45, y * 0.45, texture_.seed);
      if (nv > 0.47 && nv < 0.53) extra = 2;
      double k = texture_.amount > 0 ? texture_.amount : 1.0;
      light += k * ((Hash01(x, y, texture_.seed + 7) - 0.5) * 0.35 + (ValueNoise(x * 0.2, y * 0.2, texture_.seed + 3) - 0.5) * 0.5);
      break;
    }
    case Texture::Bands: {
      double s = along + across * texture_.skew;
      double ph = Frac(s / texture_.amount);
      if (texture_.alt) {
        if (ph < texture_.duty) mat = texture_.alt;
      } else if (ph < texture_.duty) {
        extra = 1;
      }
      break;
    }
    case Texture::None:
      break;
  }
  int shade = light > 0.78 ? 0 : light > 0.42 ? 1 : light > 0.02 ? 2 : 3;
  shade = std::clamp(shade + bias_ + extra, 0, 3);
  Cell& c = cells_[size_t(y) * size_t(width_) + size_t(x)];
  c.mat = mat;
  c.part = part_;
  c.shade = shade;
  c.fixed = false;
}

void Painter::Ellipse(Vec centre, double rx, double ry, double angle, const Material& m) {
  int x0, y0, x1, y1;
  double r = std::max(rx, ry);
  Bounds({centre + Vec{-r, -r}, centre + Vec{r, -r}, centre + Vec{-r, r}, centre + Vec{r, r}}, x0, y0, x1, y1);
  double c = Cos(angle), s = Sin(angle);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      Vec p = Inverse({x + 0.5, y + 0.5}) - centre;
      double u = (c * p.x + s * p.y) / rx, v = (-s * p.x + c * p.y) / ry;
      double d = u * u + v * v;
      if (d > 1.0) continue;
      Vec n{c * u - s * v, s * u + c * v};
      Fill(x, y, m, n * 0.95, u * rx, v * ry);
    }
}

void Painter::Capsule(Vec a, Vec b, double ra, double rb, const Material& m) {
  int x0, y0, x1, y1;
  double r = std::max(ra, rb);
  Bounds({a + Vec{-r, -r}, a + Vec{r, r}, b + Vec{-r, -r}, b + Vec{r, r}}, x0, y0, x1, y1);
  Vec ab = b - a;
  double len2 = ab.x * ab.x + ab.y * ab.y;
  double len = Sqrt(len2);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      Vec p = Inverse({x + 0.5, y + 0.5});
      Vec ap = p - a;
      double t = len2 > 0 ? Clamp((ap.x * ab.x + ap.y * ab.y) / len2, 0, 1) : 0;
      Vec closest = a + ab * t;
      double rr = Lerp(ra, rb, t);
      Vec d = p - closest;
      double dist = Sqrt(d.x * d.x + d.y * d.y);
      if (dist > rr) continue;
      double across = len > 0 ? (ap.x * -ab.y + ap.y * ab.x) / len : 0;
      Fill(x, y, m, d * (0.95 / rr), t * len, across);
    }
}

void Painter::Polygon(const std::vector<Vec>& points, const Material& m, double bulge) {
  if (points.size() < 3) return;
  int x0, y0, x1, y1;
  Bounds(points, x0, y0, x1, y1);
  Vec centre;
  for (Vec v : points) centre = centre + v;
  centre = centre * (1.0 / double(points.size()));
  double radius = 0.1;
  for (Vec v : points) {
    Vec d = v - centre;
    radius = std::max(radius, Sqrt(d.x * d.x + d.y * d.y));
  }
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      Vec p = Inverse({x + 0.5, y + 0.5});
      bool in = false;
      for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const Vec& pi = points[i];
        const Vec& pj = points[j];
        if ((pi.y > p.y) != (pj.y > p.y) && p.x < (pj.x - pi.x) * (p.y - pi.y) / (pj.y - pi.y) + pi.x) in = !in;
      }
      if (!in) continue;
      Vec d = (p - centre) * (bulge / radius);
      Fill(x, y, m, d, p.x - centre.x, p.y - centre.y);
    }
}

void Painter::Dot(Vec at, Rgb colour) {
  Vec s = xf_.Apply(at);
  int x = int(s.x >= 0 ? s.x : s.x - 1), y = int(s.y >= 0 ? s.y : s.y - 1);
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Cell& c = cells_[size_t(y) * size_t(width_) + size_t(x)];
  if (!c.mat) return;
  c.fixed = true;
  c.colour = colour;
}

Picture Painter::Render(double flash, bool outline) const {
  Picture out(width_, height_, kMagenta);
  auto cell = [&](int x, int y) -> const Cell* {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return nullptr;
    const Cell& c = cells_[size_t(y) * size_t(width_) + size_t(x)];
    return c.mat ? &c : nullptr;
  };
  constexpr int kNx[4] = {1, -1, 0, 0}, kNy[4] = {0, 0, 1, -1};
  Rgb white{255, 255, 255};
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const Cell* c = cell(x, y);
      if (c) {
        Rgb colour = c->fixed ? c->colour : c->mat->shade[c->shade];
        if (!c->fixed) {
          // Where a part in front meets this one, this pixel becomes the seam.
          for (int k = 0; k < 4; ++k) {
            const Cell* n = cell(x + kNx[k], y + kNy[k]);
            if (n && n->part > c->part) {
              colour = c->shade >= 2 ? Mix(c->mat->shade[3], c->mat->line, 0.6) : c->mat->shade[3];
              break;
            }
          }
        }
        out.at(x, y) = Mix(colour, white, flash);
      } else if (outline) {
        const Cell* best = nullptr;
        for (int k = 0; k < 4; ++k) {
          const Cell* n = cell(x + kNx[k], y + kNy[k]);
          if (n && (!best || n->part > best->part)) best = n;
        }
        if (best) out.at(x, y) = Mix(best->mat->line, white, flash * 0.6);
      }
    }
  return out;
}

}  // namespace artgen

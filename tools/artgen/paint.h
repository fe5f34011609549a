// The figure painter: shaded shapes (ellipses, tapered capsules, polygons) rasterised at 1x into a
// buffer of materials and shade steps, lit from the top left, then finished with dark inner lines
// where a part lies over another and a 1-pixel outline around the whole figure.
#pragma once
#include <vector>

#include "raster.h"

namespace artgen {

// Four shades from highlight (0) to deep shadow (3) and the outline colour.
struct Material {
  Rgb shade[4];
  Rgb line;
};

// A ramp from one base colour with warm highlights and cool, purple-leaning shadows.
Material MakeMaterial(Rgb base, double contrast = 1.0);
// The same from the base colour's components, as the drawing functions write them.
Material Tone(int r, int g, int b, double contrast = 1.0);
Material MakeMaterial4(Rgb s0, Rgb s1, Rgb s2, Rgb s3, Rgb line);

struct Vec {
  double x = 0, y = 0;
};
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(Vec a, double s) { return {a.x * s, a.y * s}; }
// A unit direction from an angle measured from straight down, growing towards the front (+x).
inline Vec Dir(double angle) { return {Sin(angle), Cos(angle)}; }
Vec Rotate(Vec v, double angle);
Vec LerpVec(Vec a, Vec b, double t);

// Surface patterns: grain noise, and bands (alternating material or dark seams) along an axis.
struct Texture {
  enum Kind { None, Grain, Bands, Scales, Cracks } kind = None;
  double amount = 0;      // grain strength, or band period
  double duty = 0.5;      // share of each band in the alternate material
  double skew = 0;        // bands run across the axis tilted by this slope
  const Material* alt = nullptr;
  int seed = 1;
};

struct Affine {
  double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
  Vec Apply(Vec p) const { return {a * p.x + b * p.y + tx, c * p.x + d * p.y + ty}; }
};

class Painter {
 public:
  Painter(int width, int height);

  // The transform from drawing coordinates to the buffer; Push/Pop save and restore it.
  void Push();
  void Pop();
  void Translate(double x, double y);
  void RotateAbout(Vec pivot, double angle);  // positive turns clockwise on screen
  void MirrorX(double axis);
  void ScaleAbout(Vec pivot, double factor);

  // Every shape drawn after NewPart() belongs to a new part: dark lines fall on the part behind.
  void NewPart() { ++part_; }
  // Shade offset for what follows (+1 darker, for limbs on the far side).
  void SetBias(int bias) { bias_ = bias; }
  void SetTexture(const Texture& t) { texture_ = t; }
  void ClearTexture() { texture_ = Texture{}; }

  void Ellipse(Vec centre, double rx, double ry, double angle, const Material& m);
  void Capsule(Vec a, Vec b, double ra, double rb, const Material& m);
  void Polygon(const std::vector<Vec>& points, const Material& m, double bulge = 0.6);
  // A pixel of fixed colour (eyes, glints), drawn over whatever is there.
  void Dot(Vec at, Rgb colour);

  // The finished figure on magenta; flash lifts every colour towards white.
  Picture Render(double flash, bool outline = true) const;

 private:
  struct Cell {
    const Material* mat = nullptr;
    int part = -1;
    int shade = 0;
    bool fixed = false;
    Rgb colour;
  };
  void Fill(int x, int y, const Material& m, Vec normal, double along, double across);
  Vec Inverse(Vec p) const;
  void Bounds(const std::vector<Vec>& local, int& x0, int& y0, int& x1, int& y1) const;

  int width_, height_;
  std::vector<Cell> cells_;
  std::vector<Affine> stack_;
  Affine xf_;
  int part_ = 0;
  int bias_ = 0;
  Texture texture_;
};

}  // namespace artgen

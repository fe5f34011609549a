// The generator's pixels and numbers: an RGB picture, its PNG and JPEG writers with fixed settings,
// and sine, cosine and hash noise made from plain arithmetic, so that the same source always draws
// byte-identical files whatever maths library the machine carries.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

constexpr Rgb kMagenta{255, 0, 255};

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;

  Picture() = default;
  Picture(int w, int h, Rgb fill) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}
  Rgb& at(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  const Rgb& at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  void put(int x, int y, Rgb c) {
    if (inside(x, y)) at(x, y) = c;
  }
};

// Encoded file bytes; both encoders use fixed settings and write no time stamps.
std::vector<uint8_t> EncodePng(const Picture& picture);
// An RGBA PNG: the picture's colours with one alpha byte a pixel.
std::vector<uint8_t> EncodePng(const Picture& picture, const std::vector<uint8_t>& alpha);
std::vector<uint8_t> EncodeJpeg(const Picture& picture, int quality);
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool MakeDirectories(const std::string& path);

// Deterministic maths.
constexpr double kPi = 3.14159265358979323846;
double Sin(double a);
double Cos(double a);
double Sqrt(double v);
double Clamp(double v, double lo, double hi);
double Lerp(double a, double b, double t);
double Smooth(double t);  // smoothstep on 0..1
int RoundInt(double v);
// Hash noise in [0, 1) from integer coordinates and a seed, and smooth value noise built on it.
double Hash01(int x, int y, int seed);
double ValueNoise(double x, double y, int seed);
double FractalNoise(double x, double y, int seed, int octaves);

Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb a, double f);

}  // namespace artgen

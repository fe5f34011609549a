// The generator's file writing (PNG and JPEG through the platform's encoders) and its deterministic
// arithmetic.
#include "raster.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/images/codecs.h"
#include "platform/images/image.h"

namespace artgen {

namespace {

TPixmap RgbPixmap(const Picture& picture) {
  TPixmap pixmap;
  pixmap.width = picture.width;
  pixmap.height = picture.height;
  pixmap.format = 4;  // RGB
  pixmap.pitch = picture.width * 3;
  pixmap.pixels.reserve(picture.pixels.size() * 3);
  for (const Rgb& c : picture.pixels) pixmap.pixels.insert(pixmap.pixels.end(), {c.r, c.g, c.b});
  return pixmap;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Picture& picture) {
  std::vector<uint8_t> out;
  if (!::EncodePng(RgbPixmap(picture), out, {.compressionLevel = 9, .noneSubUpFilters = true})) out.clear();
  return out;
}

std::vector<uint8_t> EncodePng(const Picture& picture, const std::vector<uint8_t>& alpha) {
  TPixmap pixmap;
  pixmap.width = picture.width;
  pixmap.height = picture.height;
  pixmap.format = 6;  // RGBA
  pixmap.pitch = picture.width * 4;
  pixmap.pixels.reserve(picture.pixels.size() * 4);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    const Rgb& c = picture.pixels[i];
    pixmap.pixels.insert(pixmap.pixels.end(), {c.r, c.g, c.b, i < alpha.size() ? alpha[i] : uint8_t(255)});
  }
  std::vector<uint8_t> out;
  if (!::EncodePng(pixmap, out, {.compressionLevel = 9, .noneSubUpFilters = true})) out.clear();
  return out;
}

std::vector<uint8_t> EncodeJpeg(const Picture& picture, int quality) {
  std::vector<uint8_t> out;
  if (!::EncodeJpeg(RgbPixmap(picture), quality, out)) out.clear();
  return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

bool MakeDirectories(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      std::string part = path.substr(0, i);
      if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
  }
  return true;
}

double Sqrt(double v) { return v <= 0 ? 0.0 : __builtin_sqrt(v); }

// Range-reduced Taylor series: only +, * and /, so every machine agrees to the last bit.
double Sin(double a) {
  double turns = a / (2 * kPi);
  long long k = static_cast<long long>(turns >= 0 ? turns + 0.5 : turns - 0.5);
  double x = a - double(k) * 2 * kPi;  // now in about [-pi, pi]
  if (x > kPi / 2) x = kPi - x;
  if (x < -kPi / 2) x = -kPi - x;
  double x2 = x * x, term = x, sum = x;
  for (int n = 1; n <= 10; ++n) {
    term *= -x2 / double((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

double Cos(double a) { return Sin(a + kPi / 2); }

double Clamp(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }
double Lerp(double a, double b, double t) { return a + (b - a) * t; }
double Smooth(double t) {
  t = Clamp(t, 0, 1);
  return t * t * (3 - 2 * t);
}
int RoundInt(double v) { return int(v >= 0 ? v + 0.5 : v - 0.5); }

double Hash01(int x, int y, int seed) {
  uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return double(h & 0xFFFFFF) / double(0x1000000);
}

double ValueNoise(double x, double y, int seed) {
  double fx = x >= 0 ? double(long(x)) : double(long(x) - 1);
  double fy = y >= 0 ? double(long(y)) : double(long(y) - 1);
  int ix = int(fx), iy = int(fy);
  double tx = Smooth(x - fx), ty = Smooth(y - fy);
  double a = Hash01(ix, iy, seed), b = Hash01(ix + 1, iy, seed);
  double c = Hash01(ix, iy + 1, seed), d = Hash01(ix + 1, iy + 1, seed);
  return Lerp(Lerp(a, b, tx), Lerp(c, d, tx), ty);
}

double FractalNoise(double x, double y, int seed, int octaves) {
  double sum = 0, amp = 1, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * ValueNoise(x, y, seed + i * 101);
    norm += amp;
    amp *= 0.5;
    x *= 2.03;
    y *= 2.03;
  }
  return sum / norm;
}

Rgb Mix(Rgb a, Rgb b, double t) {
  t = Clamp(t, 0, 1);
  return Rgb{uint8_t(RoundInt(Lerp(a.r, b.r, t))), uint8_t(RoundInt(Lerp(a.g, b.g, t))),
             uint8_t(RoundInt(Lerp(a.b, b.b, t)))};
}

Rgb Scale(Rgb a, double f) {
  return Rgb{uint8_t(RoundInt(Clamp(a.r * f, 0, 255))), uint8_t(RoundInt(Clamp(a.g * f, 0, 255))),
             uint8_t(RoundInt(Clamp(a.b * f, 0, 255)))};
}

}  // namespace artgen

// Painting the 800 x 600 title scene in layers: sky, stars and moon, far and near ranges, the keep
// on its crag with lit windows, low mist, and the dragon crossing the moon. The game dims it to
// less than half, so the scene keeps its darkest masses low and its brightest near the horizon.
#include "title.h"

#include <vector>

#include "paint.h"

namespace artgen {

namespace {

constexpr int kW = 800, kH = 600;

double Ridge(double x, int seed, double base, double height, double scale) {
  return base - height * FractalNoise(x * scale, 0.5, seed, 5);
}

void Silhouette(Picture& pic, const Painter& p, Rgb colour, double alpha) {
  Picture shape = p.Render(0, false);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if (!(shape.at(x, y) == kMagenta)) pic.at(x, y) = Mix(pic.at(x, y), Mix(colour, shape.at(x, y), 0.25), alpha);
}

void Keep(Painter& p, const Material& stone) {
  // Towers stand on the crag at the right; battlements are small square teeth.
  struct Tower {
    double x, w, top;
  };
  const Tower towers[] = {{560, 34, 250}, {600, 60, 300}, {660, 28, 232}, {690, 46, 290}, {728, 30, 268}};
  for (const Tower& t : towers) {
    p.Polygon({{t.x, t.top}, {t.x + t.w, t.top}, {t.x + t.w, 470}, {t.x, 470}}, stone, 0);
    for (double bx = t.x; bx + 4 <= t.x + t.w; bx += 9)
      p.Polygon({{bx, t.top - 7}, {bx + 5, t.top - 7}, {bx + 5, t.top}, {bx, t.top}}, stone, 0);
  }
  p.Polygon({{646, 232}, {674, 232}, {660, 196}}, stone, 0);
  p.Polygon({{556, 250}, {598, 250}, {577, 214}}, stone, 0);
  p.Polygon({{604, 300}, {656, 300}, {656, 320}, {604, 320}}, stone, 0);
}

void Dragon(Painter& p, const Material& m) {
  // Wings up, neck stretched ahead, tail trailing: the shape reads even as a silhouette.
  Vec body{318, 196};
  p.Ellipse(body, 46, 17, -0.12, m);
  p.Capsule(body + Vec{38, -8}, body + Vec{80, -34}, 12, 7, m);
  p.Capsule(body + Vec{80, -34}, body + Vec{104, -32}, 8, 5, m);
  p.Polygon({body + Vec{100, -40}, body + Vec{128, -30}, body + Vec{104, -24}}, m, 0);
  p.Polygon({body + Vec{92, -38}, body + Vec{80, -58}, body + Vec{98, -40}}, m, 0);
  p.Polygon({body + Vec{86, -36}, body + Vec{66, -50}, body + Vec{90, -33}}, m, 0);
  Vec at = body + Vec{-40, 4};
  for (int i = 0; i < 10; ++i) {
    Vec next = at + Vec{-15, 3 + 6 * Sin(i * 0.7)};
    p.Capsule(at, next, 9 - i * 0.8, 8 - i * 0.8, m);
    at = next;
  }
  p.Polygon({at + Vec{-4, -8}, at + Vec{-18, 0}, at + Vec{-4, 8}}, m, 0);
  // Bat wings: a leading edge up to the wrist, fingers fanning back, scalloped membrane between.
  auto wing = [&](Vec root, double size) {
    Vec wrist = root + Vec{-60, -95} * size;
    const Vec tips[4] = {wrist + Vec{-95, -15} * size, wrist + Vec{-105, 40} * size, wrist + Vec{-85, 92} * size,
                         wrist + Vec{-40, 118} * size};
    std::vector<Vec> pts{root, wrist, tips[0]};
    for (int i = 1; i < 4; ++i) {
      Vec mid = LerpVec(tips[i - 1], tips[i], 0.5);
      pts.push_back(mid + (wrist - mid) * 0.22);
      pts.push_back(tips[i]);
    }
    pts.push_back(root + Vec{-46, 12} * size);
    p.Polygon(pts, m, 0);
    p.Capsule(root, wrist, 6 * size, 3.5 * size, m);
    for (const Vec& tip : tips) p.Capsule(wrist, tip, 2.4 * size, 1.2 * size, m);
    p.Polygon({wrist + Vec{-2, -3}, wrist + Vec{6, -16} * size, wrist + Vec{4, 2}}, m, 0);
  };
  wing(body + Vec{-14, -8}, 0.8);
  wing(body + Vec{6, -10}, 1.0);
  p.Capsule(body + Vec{10, 12}, body + Vec{24, 34}, 6, 3, m);
  p.Capsule(body + Vec{-20, 12}, body + Vec{-24, 36}, 7, 3, m);
}

}  // namespace

Picture DrawTitlePicture() {
  Picture pic(kW, kH, Rgb{});
  const Rgb top{14, 12, 40}, mid{86, 40, 92}, low{226, 112, 62}, haze{250, 190, 110};
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      double t = y / 430.0;
      Rgb c = t < 0.55 ? Mix(top, mid, Smooth(t / 0.55)) : Mix(mid, low, Smooth((t - 0.55) / 0.45));
      if (t > 1) c = Mix(low, haze, Clamp((t - 1) * 2, 0, 1));
      double cloud = FractalNoise(x / 140.0, y / 36.0, 91, 5);
      if (y > 120 && y < 420) c = Mix(c, Rgb{250, 150, 110}, Clamp((cloud - 0.58) * 2.2, 0, 0.45) * Clamp((y - 120) / 150.0, 0, 1));
      double n = (Hash01(x, y, 3) - 0.5) * 6;
      pic.at(x, y) = Rgb{uint8_t(Clamp(c.r + n, 0, 255)), uint8_t(Clamp(c.g + n, 0, 255)), uint8_t(Clamp(c.b + n, 0, 255))};
    }
  // Stars in the dark upper sky.
  for (int i = 0; i < 260; ++i) {
    int x = int(Hash01(i, 1, 17) * kW), y = int(Hash01(i, 2, 17) * 260);
    double b = Hash01(i, 3, 17);
    Rgb s = Mix(pic.at(x, y), Rgb{255, 250, 230}, 0.35 + b * 0.6 * (1 - y / 300.0));
    pic.at(x, y) = s;
    if (b > 0.92 && x > 0 && x < kW - 1) {
      pic.at(x - 1, y) = Mix(pic.at(x - 1, y), s, 0.5);
      pic.at(x + 1, y) = Mix(pic.at(x + 1, y), s, 0.5);
    }
  }
  // The moon and its glow, low behind the dragon.
  const double mx = 330, my = 170, mr = 78;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      double dx = x - mx, dy = y - my, d = Sqrt(dx * dx + dy * dy);
      if (d < mr) {
        double crater = FractalNoise(x / 22.0, y / 22.0, 44, 3);
        Rgb moon = Mix(Rgb{255, 238, 200}, Rgb{226, 196, 170}, crater * 0.8 + dx / mr * 0.15);
        pic.at(x, y) = Mix(moon, pic.at(x, y), Clamp((d - mr + 2) / 2, 0, 1));
      } else {
        pic.at(x, y) = Mix(pic.at(x, y), Rgb{255, 214, 170}, 0.45 * (mr / d) * (mr / d) * Clamp(1 - (d - mr) / 260, 0, 1));
      }
    }
  // Mountain ranges, far to near, each darker and bluer.
  struct Range {
    int seed;
    double base, height, scale;
    Rgb colour;
  };
  const Range ranges[] = {{5, 430, 150, 1 / 180.0, {104, 60, 104}},
                          {8, 480, 130, 1 / 130.0, {62, 36, 74}},
                          {12, 540, 110, 1 / 90.0, {32, 20, 44}}};
  for (const Range& r : ranges)
    for (int x = 0; x < kW; ++x) {
      double ridge = Ridge(x, r.seed, r.base, r.height, r.scale);
      for (int y = int(ridge); y < kH; ++y) {
        if (y < 0) continue;
        double shade = FractalNoise(x / 40.0, y / 40.0, r.seed + 50, 3);
        Rgb c = Mix(r.colour, Scale(r.colour, 0.7), shade);
        if (y - ridge < 3) c = Mix(c, Rgb{240, 150, 110}, 0.25);
        pic.at(x, y) = c;
      }
    }
  // The crag and keep on the right.
  Material stone = MakeMaterial4({30, 20, 40}, {30, 20, 40}, {30, 20, 40}, {30, 20, 40}, {30, 20, 40});
  Painter keep(kW, kH);
  Keep(keep, stone);
  keep.Polygon({{520, 600}, {540, 470}, {580, 440}, {700, 430}, {760, 470}, {800, 470}, {800, 600}}, stone, 0);
  Silhouette(pic, keep, Rgb{26, 16, 34}, 1.0);
  const int windows[][2] = {{612, 330}, {630, 360}, {644, 338}, {700, 312}, {710, 350}, {570, 280}, {738, 300}, {664, 252}};
  for (const auto& w : windows)
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 3; ++x) pic.at(w[0] + x, w[1] + y) = Mix(Rgb{255, 200, 90}, Rgb{255, 130, 40}, y / 7.0);
  // Mist along the valley floor.
  for (int y = 440; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      double fog = FractalNoise(x / 120.0, y / 18.0, 70, 4);
      pic.at(x, y) = Mix(pic.at(x, y), Rgb{150, 96, 120}, Clamp((fog - 0.45) * 0.9, 0, 0.3) * Clamp((y - 440) / 60.0, 0, 1));
    }
  Material wing = MakeMaterial4({20, 10, 20}, {20, 10, 20}, {20, 10, 20}, {20, 10, 20}, {20, 10, 20});
  Painter dragon(kW, kH);
  Dragon(dragon, wing);
  Silhouette(pic, dragon, Rgb{16, 8, 18}, 1.0);
  return pic;
}

}  // namespace artgen

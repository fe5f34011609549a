// The contact sheet and the stage mock-up.
#include "sheet.h"

#include <algorithm>
#include <string_view>

#include "creature.h"
#include "font.h"
#include "frames.h"
#include "title.h"

namespace artgen {

namespace {

const Rgb kBackdrop{26, 24, 34};

void Blit(Picture& dst, const Picture& src, int x, int y, int zoom) {
  for (int sy = 0; sy < src.height; ++sy)
    for (int sx = 0; sx < src.width; ++sx) {
      const Rgb& c = src.at(sx, sy);
      if (c == kMagenta) continue;
      for (int zy = 0; zy < zoom; ++zy)
        for (int zx = 0; zx < zoom; ++zx) dst.put(x + sx * zoom + zx, y + sy * zoom + zy, c);
    }
}

void Box(Picture& dst, int x0, int y0, int x1, int y1, Rgb c) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) dst.put(x, y, c);
}

// Text from the font strip, scaled by (sx, sy) and tinted.
void Text(Picture& dst, const Picture& strip, const std::string& text, int x, int y, int sx, int sy, Rgb tint) {
  std::string charset = kFontCharset;
  for (char ch : text) {
    char c = char(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
    size_t i = charset.find(c);
    if (c != ' ' && i != std::string::npos) {
      int cx = int(i % kFontCellsPerRow) * kFontCellWidth, cy = int(i / kFontCellsPerRow) * kFontCellHeight;
      for (int py = 0; py < kFontCellHeight * sy; ++py)
        for (int px = 0; px < kFontCellWidth * sx; ++px) {
          Rgb g = strip.at(cx + px / sx, cy + py / sy);
          if (g == kMagenta) continue;
          dst.put(x + px, y + py, Rgb{uint8_t(g.r * tint.r / 255), uint8_t(g.g * tint.g / 255), uint8_t(g.b * tint.b / 255)});
        }
    }
    x += 8 * sx;
  }
}

struct Rect {
  int x0 = 1 << 20, y0 = 1 << 20, x1 = -(1 << 20), y1 = -(1 << 20);
  void Add(int x, int y) {
    x0 = std::min(x0, x);
    y0 = std::min(y0, y);
    x1 = std::max(x1, x);
    y1 = std::max(y1, y);
  }
  bool Empty() const { return x1 < x0; }
};

}  // namespace

Picture DrawContactSheet(const std::string& only, int zoom, int kind) {
  Picture strip = DrawFontStrip();
  struct Row {
    const CreatureArt* art;
    std::vector<Frame> frames[3];
    Rect bounds;
  };
  std::vector<Row> rows;
  for (const CreatureArt& art : Creatures()) {
    if (!only.empty() && ("," + only + ",").find("," + std::string(art.name) + ",") == std::string::npos) continue;
    Row r{&art, {}, {}};
    for (int k = 0; k < 3; ++k) {
      if (kind >= 0 && k != kind) continue;
      r.frames[k] = RenderAnimation(art, AnimKind(k));
      for (const Frame& f : r.frames[k]) {
        r.bounds.Add(f.x, f.y);
        r.bounds.Add(f.x + f.picture.width, f.y + f.picture.height);
      }
    }
    rows.push_back(std::move(r));
  }
  int width = 900, height = 16;
  for (const Row& r : rows) {
    int cw = (r.bounds.x1 - r.bounds.x0 + 4) * zoom;
    int most = std::max({r.art->frames[0], r.art->frames[1], r.art->frames[2]});
    width = std::max(width, 8 + cw * most);
    height += 18 + (kind >= 0 ? 1 : 3) * ((r.bounds.y1 - r.bounds.y0 + 6) * zoom);
  }
  height += 120 + 24 * zoom;
  Picture sheet(width, height, kBackdrop);
  int y = 8;
  for (const Row& r : rows) {
    Text(sheet, strip, r.art->name, 8, y, 1, 1, Rgb{255, 230, 120});
    y += 16;
    int cw = (r.bounds.x1 - r.bounds.x0 + 4) * zoom, ch = (r.bounds.y1 - r.bounds.y0 + 6) * zoom;
    int shown = 0;
    for (int k = 0; k < 3; ++k) {
      if (r.frames[k].empty()) continue;
      for (size_t i = 0; i < r.frames[k].size(); ++i) {
        const Frame& f = r.frames[k][i];
        int cx = 8 + int(i) * cw, cy = y + shown * ch;
        Box(sheet, cx, cy, cx + cw - 3, cy + ch - 3, Rgb{36, 34, 46});
        int ground = cy + (int(r.art->ground) - r.bounds.y0) * zoom;
        Box(sheet, cx, ground, cx + cw - 3, ground, Rgb{60, 70, 60});
        if (k == 0 && int(i) + 1 == r.art->hit) Box(sheet, cx, cy + ch - 5, cx + cw - 3, cy + ch - 4, Rgb{220, 40, 40});
        Blit(sheet, f.picture, cx + (f.x - r.bounds.x0 + 2) * zoom, cy + (f.y - r.bounds.y0 + 2) * zoom, zoom);
      }
      ++shown;
    }
    y += shown * ch + 2;
  }
  // The font at the scales the game uses.
  const std::string lines[] = {"ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789", ".,'?!%#+-=$&*:/\\><()  HEALTH: 10/20"};
  Text(sheet, strip, lines[0], 8, y, 1, 1, Rgb{255, 255, 255});
  Text(sheet, strip, lines[1], 8, y + 14, 1, 1, Rgb{0, 255, 0});
  Text(sheet, strip, "CAIRNMARK", 8, y + 32, 3, 2, Rgb{255, 230, 0});
  Text(sheet, strip, "Victory!", 300, y + 32, 2, 2, Rgb{255, 255, 255});
  Text(sheet, strip, "&&&&&&&", 500, y + 36, 1, 1, Rgb{200, 0, 0});
  if (zoom > 1) Blit(sheet, strip, 8, y + 60, zoom);
  return sheet;
}

Picture DrawStageMockup(std::string& report) {
  Picture strip = DrawFontStrip();
  const CreatureArt* hero = nullptr;
  for (const CreatureArt& art : Creatures())
    if (std::string_view(art.name) == "hero") hero = &art;
  Frame heroFrame = RenderFrame(*hero, AnimKind::Attack, 1);
  // Each panel shows the stage from x 40 to 360 and y 220 to 420.
  const int pw = 320, ph = 200, ox = 40, oy = 220, cols = 4;
  std::vector<std::pair<const CreatureArt*, bool>> foes;
  for (const CreatureArt& art : Creatures())
    if (&art != hero) foes.push_back({&art, false});
  for (const CreatureArt& art : Creatures())
    if (std::string_view(art.name) == "dragon") foes.push_back({&art, true});
  int rowsCount = int(foes.size() + cols - 1) / cols;
  Picture out(pw * cols, ph * rowsCount, Rgb{0, 0, 0});
  for (size_t i = 0; i < foes.size(); ++i) {
    const CreatureArt& art = *foes[i].first;
    bool lord = foes[i].second;
    int px = int(i % cols) * pw, py = int(i / cols) * ph;
    Picture panel(pw, ph, Rgb{30, 26, 40});
    Rect heroInk, foeInk;
    for (int y = 0; y < heroFrame.picture.height; ++y)
      for (int x = 0; x < heroFrame.picture.width; ++x) {
        Rgb c = heroFrame.picture.at(x, y);
        if (c == kMagenta) continue;
        int sx = 95 + heroFrame.x + x, sy = 275 + heroFrame.y + y;
        heroInk.Add(sx, sy);
        panel.put(sx - ox, sy - oy, c);
      }
    Frame foe = RenderFrame(art, AnimKind::Attack, 1);
    const double scale = lord ? 1.3 : 1.0;
    for (int sy = oy; sy < oy + ph; ++sy)
      for (int sx = ox; sx < ox + pw; ++sx) {
        double cx = 30 + (280 - (sx + 0.5)) / scale, cy = 30 + ((sy + 0.5) - 305) / scale;
        int fx = int(cx >= 0 ? cx : cx - 1) - foe.x, fy = int(cy >= 0 ? cy : cy - 1) - foe.y;
        if (fx < 0 || fy < 0 || fx >= foe.picture.width || fy >= foe.picture.height) continue;
        Rgb c = foe.picture.at(fx, fy);
        if (c == kMagenta) continue;
        if (lord) c = Rgb{c.r, uint8_t(c.g * 100 / 255), uint8_t(c.b * 100 / 255)};
        foeInk.Add(sx, sy);
        panel.put(sx - ox, sy - oy, c);
      }
    Text(panel, strip, "HERO", 120 - ox, 375 - oy, 1, 1, Rgb{255, 255, 255});
    Text(panel, strip, lord ? "DRAGON LORD" : art.name, 240 - ox, 375 - oy, 1, 1, Rgb{255, 255, 255});
    Text(panel, strip, "&&&&&&&", 120 - ox, 389 - oy, 1, 1, Rgb{0, 200, 0});
    Text(panel, strip, "&&&&&&&", 240 - ox, 389 - oy, 1, 1, Rgb{0, 200, 0});
    std::string name = lord ? "dragon lord" : art.name;
    if (heroInk.x1 + 4 > foeInk.x0) report += name + ": stands within 4 px of the hero (gap " + std::to_string(foeInk.x0 - heroInk.x1 - 1) + ")\n";
    if (foeInk.y1 >= 375) report += name + ": reaches the name lines (y " + std::to_string(foeInk.y1) + ")\n";
    if (heroInk.y1 >= 375) report += "hero: reaches the name lines\n";
    Blit(out, panel, px, py, 1);
    Box(out, px, py, px + pw - 1, py, Rgb{80, 80, 90});
    Box(out, px, py, px, py + ph - 1, Rgb{80, 80, 90});
  }
  return out;
}

Picture DrawTitlePreview() {
  Picture strip = DrawFontStrip();
  Picture title = DrawTitlePicture();
  for (Rgb& c : title.pixels) c = Rgb{uint8_t(c.r * 111 / 255), uint8_t(c.g * 111 / 255), uint8_t(c.b * 111 / 255)};
  Text(title, strip, "CAIRNMARK", 400 - 9 * 12, 40, 3, 2, Rgb{255, 255, 255});
  Text(title, strip, "1: Enter the dungeon", 44, 120, 1, 1, Rgb{255, 255, 255});
  Text(title, strip, "2: Visit the market", 44, 134, 1, 1, Rgb{255, 255, 255});
  Text(title, strip, "Health: 10/20", 44, 500, 1, 1, Rgb{0, 255, 0});
  Text(title, strip, "Gold: 35", 300, 500, 1, 1, Rgb{255, 230, 0});
  Text(title, strip, "press enter to continue", 400 - 23 * 4, 560, 1, 1, Rgb{255, 255, 255});
  return title;
}

Picture DrawPortraits(const std::string& only, int kind, int frame, int zoom) {
  const int cw = 150, ch = 115;
  std::vector<const CreatureArt*> chosen;
  for (const CreatureArt& art : Creatures())
    if (only.empty() || ("," + only + ",").find("," + std::string(art.name) + ",") != std::string::npos) chosen.push_back(&art);
  int count = int(chosen.size());
  int cols = std::min(6, std::max(1, count));
  Picture out(cw * zoom * cols, ch * zoom * ((count + cols - 1) / cols), kBackdrop);
  for (int i = 0; i < count; ++i) {
    const CreatureArt& art = *chosen[size_t(i)];
    int n = art.frames[kind];
    int f = frame == 0 ? (kind == 0 ? art.hit : 1) : frame < 0 ? n : std::min(frame, n);
    Frame fr = RenderFrame(art, AnimKind(kind), f);
    int x = (i % cols) * cw * zoom, y = (i / cols) * ch * zoom;
    Box(out, x + 1, y + 1, x + cw * zoom - 2, y + ch * zoom - 2, Rgb{36, 34, 46});
    Blit(out, fr.picture, x + (fr.x + 10) * zoom, y + (fr.y + 12) * zoom, zoom);
  }
  return out;
}

}  // namespace artgen

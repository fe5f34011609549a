// cairnmark-artgen: draws every picture the game embeds and writes them under a folder as the game
// names them (image/<creature>/<kind>/<kind> <n>.png with offset.dat and hit.txt, the font strip,
// the title picture; icon/hero 64.png and 32.png, the window icon; hicolor/<N>x<N>/apps/cairnmark.png,
// the desktop's icon at 32, 64, 128 and 256); or writes the contact sheet or
// the stage mock-up for looking at the art.
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "creature.h"
#include "font.h"
#include "frames.h"
#include "icon.h"
#include "sheet.h"
#include "title.h"

using namespace artgen;

namespace {

void PutInt32(std::vector<uint8_t>& out, int32_t v) {
  uint32_t u = uint32_t(v);
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(u >> (8 * i)));
}

bool Write(const std::string& path, const std::vector<uint8_t>& bytes, int& count) {
  if (!WriteFileBytes(path, bytes)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  ++count;
  return true;
}

int WriteAssets(const std::string& root) {
  int count = 0;
  std::string image = root + "/image";
  if (!MakeDirectories(image)) return 1;
  if (!Write(image + "/font2.png", EncodePng(DrawFontStrip()), count)) return 1;
  if (!Write(image + "/dragon.jpg", EncodeJpeg(DrawTitlePicture(), 90), count)) return 1;
  int clipped = 0;
  for (const CreatureArt& art : Creatures()) {
    for (int k = 0; k < 3; ++k) {
      AnimKind kind = AnimKind(k);
      std::string dir = image + "/" + art.name + "/" + KindName(kind);
      if (!MakeDirectories(dir)) return 1;
      std::vector<uint8_t> offsets;
      std::vector<Frame> frames = RenderAnimation(art, kind);
      for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].clipped) {
          std::fprintf(stderr, "%s %s %zu: %d pixels outside the fixed corner (%d,%d); figure at (%d,%d)\n",
                       art.name, KindName(kind), i + 1, frames[i].clipped, frames[i].x, frames[i].y, frames[i].inkX,
                       frames[i].inkY);
          clipped += frames[i].clipped;
        }
        std::string name = dir + "/" + KindName(kind) + " " + std::to_string(i + 1) + ".png";
        if (!Write(name, EncodePng(frames[i].picture), count)) return 1;
        PutInt32(offsets, frames[i].x);
        PutInt32(offsets, frames[i].y);
      }
      if (!Write(dir + "/offset.dat", offsets, count)) return 1;
      if (kind == AnimKind::Attack) {
        std::string hit = std::to_string(art.hit);
        if (!Write(dir + "/hit.txt", std::vector<uint8_t>(hit.begin(), hit.end()), count)) return 1;
      }
    }
  }
  std::string icon = root + "/icon";
  if (!MakeDirectories(icon)) return 1;
  for (int size : {64, 32})
    if (!Write(icon + "/hero " + std::to_string(size) + ".png", EncodePng(DrawHeroIcon(size)), count)) return 1;
  // The desktop's icons, laid out as the icon theme installs them; not embedded in the game.
  for (int size : {32, 64, 128, 256}) {
    std::string dir = root + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    if (!MakeDirectories(dir) || !Write(dir + "/cairnmark.png", EncodeDesktopIcon(size), count)) return 1;
  }
  std::printf("wrote %d files under %s\n", count, root.c_str());
  return clipped ? 2 : 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: cairnmark-artgen --out DIR\n"
               "       cairnmark-artgen --contact-sheet FILE [--only CREATURE] [--kind 0|1|2] [--zoom N]\n"
               "       cairnmark-artgen --stage-mockup FILE\n"
               "       cairnmark-artgen --title-preview FILE\n"
               "       cairnmark-artgen --portraits FILE [--kind 0|1|2] [--frame N] [--zoom N]\n");
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, sheet, stage, only, title, portraits;
  int frame = 1;
  int zoom = 1, kind = -1;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    bool more = i + 1 < argc;
    if (a == "--out" && more) out = argv[++i];
    else if (a == "--contact-sheet" && more) sheet = argv[++i];
    else if (a == "--stage-mockup" && more) stage = argv[++i];
    else if (a == "--portraits" && more) portraits = argv[++i];
    else if (a == "--frame" && more) frame = std::atoi(argv[++i]);
    else if (a == "--title-preview" && more) title = argv[++i];
    else if (a == "--only" && more) only = argv[++i];
    else if (a == "--kind" && more) kind = std::atoi(argv[++i]);
    else if (a == "--zoom" && more) zoom = std::max(1, std::atoi(argv[++i]));
    else return Usage();
  }
  if (out.empty() && sheet.empty() && stage.empty() && title.empty() && portraits.empty()) return Usage();
  int status = 0;
  if (!out.empty()) status = WriteAssets(out);
  if (!sheet.empty() && !WriteFileBytes(sheet, EncodePng(DrawContactSheet(only, zoom, kind)))) status = 1;
  if (!portraits.empty() && !WriteFileBytes(portraits, EncodePng(DrawPortraits(only, std::max(0, kind), frame, zoom))))
    status = 1;
  if (!title.empty() && !WriteFileBytes(title, EncodePng(DrawTitlePreview()))) status = 1;
  if (!stage.empty()) {
    std::string report;
    if (!WriteFileBytes(stage, EncodePng(DrawStageMockup(report)))) status = 1;
    if (!report.empty()) {
      std::fprintf(stderr, "%s", report.c_str());
      status = status ? status : 3;
    }
  }
  return status;
}

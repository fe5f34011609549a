// The fixture of the tests that play whole games through the replay tool: a scratch folder per
// test, the tool run there with a clock and a key script, and the screenshots and save it leaves.
#pragma once
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/images/image.h"
#include "tests/support/replay_tool.h"
#include "tests/support/scratch_dir.h"

namespace fs = std::filesystem;

// Space while each intro line is typed (the title has waited by frame 30): the town comes next.
const std::string kSkipIntro = " space@30 space@32";

// A key script of n keys drawn from what a player presses (never Escape, which would end the run
// early), with the 1000-gold and full-health keys now and then so the hero gets deep.
inline std::string RandomKeys(uint32_t seed, int n) {
  static const char* const kKeys[] = {"1", "1", "1", "2", "2", "3", "4", "5", "enter", "space", "up", "down", "0"};
  std::string script = "enter" + kSkipIntro;
  uint32_t state = seed;
  for (int i = 0; i < n; ++i) {
    state = state * 1664525u + 1013904223u;
    const uint32_t roll = state >> 8;
    if (roll % 40 == 0)
      script += " lshift+g";
    else if (roll % 40 == 1)
      script += " lshift+h";
    else
      script += std::string(" ") + kKeys[roll % (sizeof kKeys / sizeof *kKeys)];
  }
  return script;
}

struct TRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A picture read back from a screenshot, with a probe that looks for a colour in a box.
struct TShot {
  std::unique_ptr<TPixmap> rgba;

  bool Has(int x0, int y0, int x1, int y1, int r, int g, int b, int tolerance) const {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        const uint8_t* p = &rgba->pixels[static_cast<size_t>(y * rgba->pitch + x * 4)];
        if (std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance &&
            std::abs(p[2] - b) <= tolerance)
          return true;
      }
    return false;
  }
};

class ReplayFlowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kReplay)) << "build the replay tool first: " << kReplay;
    fs::create_directories(root / "game");
  }

  // Runs the tool in the fixture's directory (so stray files would land there).
  TRun Replay(const std::vector<std::string>& args) {
    std::string command = ReplayCommand();
    for (const std::string& arg : args) command += " " + Quote(arg);
    return Run(command);
  }
  // Runs a shell command in the fixture's directory, its output and errors kept.
  TRun Run(const std::string& command) {
    const std::string line = "cd " + Quote(root.string()) + " && " + command + " >" +
                             Quote((root / "out.txt").string()) + " 2>" + Quote((root / "err.txt").string());
    const int raw = std::system(line.c_str());
    TRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadFile(root / "out.txt");
    run.err = ReadFile(root / "err.txt");
    fs::remove(root / "out.txt");
    fs::remove(root / "err.txt");
    return run;
  }
  // The game played in root/game with its screenshots in root/<shots>.
  TRun Play(const std::string& keys, const std::string& shots, const std::string& clock = "0") {
    return Replay({"--clock", clock, "--keys", keys, "--shots", (root / shots).string(), "--dir",
                   (root / "game").string()});
  }

  int ShotCount(const std::string& shots) const {
    int count = 0;
    if (!fs::exists(root / shots)) return 0;
    for (const auto& entry : fs::directory_iterator(root / shots))
      count += entry.path().extension() == ".png";
    return count;
  }
  TShot Shot(const std::string& shots, int n) const {
    char name[16];
    std::snprintf(name, sizeof name, "%04d.png", n);
    TShot shot;
    auto pixmap = LoadPixmap(Text((root / shots / name).string()));
    EXPECT_NE(pixmap, nullptr) << name;
    if (!pixmap) return shot;
    EXPECT_EQ(pixmap->width, 800);
    EXPECT_EQ(pixmap->height, 600);
    shot.rgba = ConvertPixmap(*pixmap, 6);
    return shot;
  }
  std::string Save() const { return ReadFile(root / "game" / "save.dat"); }
  bool SaveExists() const { return fs::exists(root / "game" / "save.dat"); }

  // The town frame: the status panel's top border ball in its blue and "Floor #0" beside it.
  static void ExpectTown(const TShot& shot) {
    ASSERT_TRUE(shot.rgba);
    EXPECT_TRUE(shot.Has(0, 502, 13, 513, 99, 99, 255, 45)) << "border ball at y = 502";
    EXPECT_TRUE(shot.Has(780, 502, 799, 513, 99, 99, 255, 45)) << "border ball at the right";
    EXPECT_TRUE(shot.Has(44, 516, 100, 527, 0, 255, 0, 60)) << "the health line in green";
    EXPECT_TRUE(shot.Has(120, 375, 152, 386, 255, 255, 255, 20)) << "the hero's name on the stage at y = 375";
  }

  TScratchDir scratch;
  const fs::path root = scratch.dir;
};

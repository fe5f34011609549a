// The committed art is exactly what the generator draws: it runs the built generator into a fresh
// folder and compares every file byte for byte, both ways.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "tests/support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<char> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> Files(const fs::path& root) {
  std::set<std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) out.insert(fs::relative(entry.path(), root).generic_string());
  return out;
}

TEST(ArtGenerator, CommittedAssetsMatchWhatTheGeneratorDraws) {
  fs::path generator = fs::path(CAIRNMARK_BINARY_DIR) / "tools" / "artgen" / "cairnmark-artgen";
  ASSERT_TRUE(fs::exists(generator)) << "build the cairnmark-artgen target first";
  const TScratchDir scratch;
  const fs::path& out = scratch.dir;
  std::string command = "\"" + generator.string() + "\" --out \"" + out.string() + "\" > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << "the generator reported a problem";
  fs::path committed = fs::path(CAIRNMARK_SOURCE_DIR) / "assets";
  std::set<std::string> drawn = Files(out), shipped = Files(committed);
  // The game's pictures, the window icon's two sizes and the desktop icon's four.
  EXPECT_EQ(drawn.size(), 580u + 2u + 4u);
  EXPECT_TRUE(drawn.count("icon/hero 64.png"));
  EXPECT_TRUE(drawn.count("icon/hero 32.png"));
  EXPECT_TRUE(drawn.count("hicolor/256x256/apps/cairnmark.png"));
  EXPECT_EQ(drawn, shipped);
  int differing = 0;
  for (const std::string& name : drawn) {
    if (!shipped.count(name)) continue;
    if (Bytes(out / name) != Bytes(committed / name)) {
      if (++differing <= 5) ADD_FAILURE() << name << " differs from the generator's drawing (run artgen-regenerate)";
    }
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace

// A fresh folder of the test's own under the system's temporary folder, removed with everything in
// it afterwards (kept, and named on standard error, when the test failed: what it left is worth a
// look). Enter() makes it the working directory until then, as the game's relative save path
// needs; the one before is put back. Header only, shared by the test programs.
#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TScratchDir {
 public:
  TScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "cairnmark-XXXXXX").string();
    EXPECT_NE(mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  ~TScratchDir() {
    std::error_code ignored;
    if (!entered_from.empty()) std::filesystem::current_path(entered_from, ignored);
    if (::testing::Test::HasFailure())
      std::fprintf(stderr, "kept the scratch folder %s\n", dir.c_str());
    else
      std::filesystem::remove_all(dir, ignored);
  }
  TScratchDir(const TScratchDir&) = delete;
  TScratchDir& operator=(const TScratchDir&) = delete;

  void Enter() {
    entered_from = std::filesystem::current_path();
    std::filesystem::current_path(dir);
  }

  std::string PathOf(const std::string& name) const { return (dir / name).string(); }
  void WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir / name, std::ios::binary) << bytes;
  }
  std::string FileBytes(const std::string& name) const {
    std::ifstream in(dir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path dir;

 private:
  std::filesystem::path entered_from;
};

// The fixture of the file tests: a scratch folder (dir) per test, not entered.
class TempDirTest : public ::testing::Test, protected TScratchDir {};

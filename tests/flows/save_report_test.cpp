// Start-up with a save that was repaired or could not be used: the loader's line reaches the window
// at the title's key wait, once, whole and inside the picture; a sound save or none adds nothing
// there. A key that cuts the typing short does not also leave the title.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/screens/start.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/state/save.h"
#include "game/ui/frame.h"
#include "platform/display/display.h"
#include "platform/input/keyboard.h"
#include "platform/replay/keyscript.h"
#include "platform/run.h"
#include "tests/support/glyphs.h"
#include "tests/support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// The records of the frame on screen: those between the last two title pictures drawn (every
// presented frame ends by drawing the next one's background).
std::vector<TDrawRecord> ShownFrame(const std::vector<TDrawRecord>& records) {
  std::vector<size_t> titles;
  for (size_t i = 0; i < records.size(); ++i)
    if (records[i].image == TitlePicture.get()) titles.push_back(i);
  if (titles.size() < 2) return {};
  return {records.begin() + static_cast<std::ptrdiff_t>(titles[titles.size() - 2]) + 1,
          records.begin() + static_cast<std::ptrdiff_t>(titles.back())};
}

// The letters a frame draws in the steady red of a typed message that has ended, line by line.
std::vector<TDrawRecord> RedGlyphs(const std::vector<TDrawRecord>& frame) {
  std::vector<TDrawRecord> red;
  for (const TDrawRecord& r : GlyphsOf(frame))
    if (r.red == 226 && r.green == 0 && r.blue == 0) red.push_back(r);
  std::stable_sort(red.begin(), red.end(),
                   [](const TDrawRecord& a, const TDrawRecord& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  return red;
}

std::string Letters(const std::vector<TDrawRecord>& glyphs) {
  std::string text;
  for (const TDrawRecord& r : glyphs) text += GlyphChar(r);
  return text;
}

// A line as the font draws it: capitals, and no mark for a space or a semicolon.
std::string AsDrawn(const std::string& line) {
  std::string drawn;
  for (char c : line)
    if (c != ' ' && c != ';' && c != '\n') drawn += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return drawn;
}

struct TWait {
  int64_t frame;
  std::vector<TDrawRecord> shown;
};

struct TStart {
  std::string said;
  std::vector<TWait> waits;
};

// GameMain from the given save (none when empty; at the end of a link into a folder with a long
// name when linked) with the keys; every key wait with the frame on screen there.
TStart StartWith(const fs::path& dir, const std::vector<uint8_t>& save, bool linked, const std::string& keys) {
  fs::create_directories(dir);
  fs::path file = dir / "save.dat";
  if (linked) {
    file = dir / std::string(100, 'd') / "kept-here";
    fs::create_directories(file.parent_path());
    fs::create_symlink(file, dir / "save.dat");
  }
  if (!save.empty())
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(save.data()), static_cast<std::streamsize>(save.size()));
  TRunOptions options;
  options.headless = true;
  options.drawNothing = true;
  options.virtualClock = true;
  options.useKeyScript = true;
  options.workDir = dir.string();
  std::string error;
  EXPECT_TRUE(ParseKeyScript(keys, options.keys, error)) << error;
  TStart start;
  std::vector<TDrawRecord> records;
  SetKeyWaitHook([&] { start.waits.push_back({PresentedFrameCount(), ShownFrame(records)}); });
  SetDrawRecorder(&records);
  const fs::path home = fs::current_path();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(RunProgram(options, [] { GameMain(); }), 0);
  start.said = ::testing::internal::GetCapturedStderr();
  fs::current_path(home);
  SetDrawRecorder(nullptr);
  SetKeyWaitHook(nullptr);
  return start;
}

std::vector<uint8_t> NewGameSave() {
  ResetGameWorld();
  hero.NewGame();
  return SaveGameToBytes();
}

// A new game's save with impossible statistics and bytes after its end: a repair of many clauses.
std::vector<uint8_t> RepairedSave() {
  ResetGameWorld();
  hero.NewGame();
  hero.health = 500;
  hero.gold = -5;
  hero.experience = -7;
  hero.strength = -1;
  std::vector<uint8_t> bytes = SaveGameToBytes();
  bytes.insert(bytes.end(), {1, 2, 3});
  return bytes;
}

struct tcase {
  const char* named;
  std::vector<uint8_t> (*save)();
  bool linked;
  const char* keys;
  bool told;
};

TEST(SaveReportTest, TheLoadersLineIsToldAtTheTitlesKeyWaitOnly) {
  std::vector<uint8_t> (*const unusable)() = [] { return std::vector<uint8_t>{'x'}; };
  const tcase cases[] = {
      {"no save", [] { return std::vector<uint8_t>{}; }, false, "enter", false},
      {"a sound save", NewGameSave, false, "enter", false},
      {"an unusable save", unusable, false, "enter", true},
      {"a repaired save", RepairedSave, false, "enter", true},
      // The original kept beside the link's target: a path longer than a line.
      {"an unusable linked save", unusable, true, "enter", true},
      // Cut short right after the first typed frame, by either key: the title still waits.
      {"an unusable save, Space while typed", unusable, false, "space@16 enter", true},
      {"a repaired save, Enter while typed", RepairedSave, false, "enter@16 enter", true},
  };
  // The frame the title waits on without a save: its last loading frame.
  int64_t titleFrame = 0;
  for (const tcase& c : cases) {
    SCOPED_TRACE(c.named);
    TScratchDir scratch;
    const TStart start = StartWith(scratch.dir / "game", c.save(), c.linked, c.keys);
    // The title's wait, then the intro's or the town's: the key at the title was not swallowed.
    ASSERT_EQ(start.waits.size(), 2u) << start.said;
    const TWait& title = start.waits[0];

    if (!c.told) {
      EXPECT_EQ(start.said, "");
      if (titleFrame == 0) titleFrame = title.frame;
      EXPECT_EQ(title.frame, titleFrame) << "a sound save adds no frame before the title's wait";
      EXPECT_EQ(GlyphTextAt(title.shown, 293.0f), "PRESSENTERTOCONTINUE") << "the title's own last frame";
      EXPECT_TRUE(RedGlyphs(title.shown).empty());
      continue;
    }
    ASSERT_FALSE(start.said.empty());
    ASSERT_EQ(start.said.back(), '\n');
    const std::string line = start.said.substr(0, start.said.size() - 1);
    EXPECT_EQ(line.find('\n'), std::string::npos) << "one line on standard error, as before";
    EXPECT_GT(title.frame, titleFrame);
    const std::vector<TDrawRecord> red = RedGlyphs(title.shown);
    EXPECT_EQ(Letters(red), AsDrawn(line)) << "the whole line, once, at the title's wait";
    for (const TDrawRecord& r : red) {
      EXPECT_GE(r.x, 0.0f);
      EXPECT_LE(r.x + 8.0f, 800.0f) << GlyphChar(r) << " at y " << r.y;
    }
    EXPECT_NE(Letters(GlyphsOf(title.shown)).find("PRESSENTERTOCONTINUE"), std::string::npos);
    EXPECT_EQ(Letters(RedGlyphs(start.waits[1].shown)).find(Letters(red)), std::string::npos)
        << "not told again after the title";
  }
}

}  // namespace

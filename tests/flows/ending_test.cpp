// The victory ending played in-process through the program runner: it deletes the save, keeps the
// finished game from being saved again, shows its three lines over two key waits and ends the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/start.h"
#include "game/screens/title.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "platform/display/display.h"
#include "platform/images/image.h"
#include "platform/replay/keyscript.h"
#include "platform/replay/script_player.h"
#include "platform/core/program.h"
#include "platform/files/resources.h"
#include "platform/run.h"
#include "tests/support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<TDrawRecord> endingRecords;
int keysLeftAtEnd = -1;

void PlayEnding() {
  RegisterEmbeddedResources();
  OpenDisplay(800, 600, 16, 27, 0);
  SetMaskColor(255, 0, 255);
  AtExit(SaveOnExit);
  AtExit([] {
    keysLeftAtEnd = RemainingKeySteps();
    SetDrawRecorder(nullptr);
  });
  TitlePicture = LoadImageResource(ResourcePrefix + "image\\dragon.jpg", -1);
  ResetGameState();
  LoadBitmapFont();
  CreateRoster();
  hero.NewGame();
  NoSave = 0;
  SetDrawRecorder(&endingRecords);
  ShowEnding();
}

class EndingTest : public testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(root / "save.dat") << "an old game";
    home = fs::current_path();
  }
  void TearDown() override {
    fs::current_path(home);
  }

  // Glyphs of the font drawn at scale 1 with their top at y, once the typed message is over (its
  // last frame is the first that draws at y = 400).
  static std::vector<TDrawRecord> GlyphsAt(float y) {
    std::vector<TDrawRecord> glyphs;
    bool messageOver = false;
    for (const TDrawRecord& record : endingRecords) {
      if (record.image != font.glyphs.get() || record.scaleX != 1.0f) continue;
      messageOver = messageOver || record.y == 400;
      if (messageOver && record.y == y) glyphs.push_back(record);
    }
    return glyphs;
  }

  TScratchDir scratch;
  const fs::path root = scratch.dir;
  fs::path home;
};

TEST_F(EndingTest, DeletesTheSaveAndEndsAfterTwoKeys) {
  TRunOptions options;
  options.headless = true;
  options.virtualClock = true;
  options.useKeyScript = true;
  std::string error;
  ASSERT_TRUE(ParseKeyScript("enter x", options.keys, error));
  options.workDir = root.string();
  options.shotsDir = root.string();
  const int status = RunProgram(options, PlayEnding);
  fs::current_path(home);

  EXPECT_EQ(status, 0);
  EXPECT_EQ(keysLeftAtEnd, 0) << "one wait after each of the two frames";
  EXPECT_EQ(NoSave, 1);
  EXPECT_FALSE(fs::exists(root / "save.dat")) << "deleted, and not written again at the end";
  EXPECT_TRUE(fs::exists(root / "0002.png"));
  EXPECT_FALSE(fs::exists(root / "0003.png"));

  // "Now to save the world..." in white; the last two lines in the grey the title picture left.
  const auto world = GlyphsAt(400);
  ASSERT_EQ(world.size(), 20u);
  EXPECT_EQ(world.front().x, 100);
  EXPECT_EQ(world.front().red, 255);
  EXPECT_EQ(world.front().blue, 255);
  for (float y : {200.0f, 300.0f}) {
    const auto line = GlyphsAt(y);
    ASSERT_FALSE(line.empty()) << y;
    EXPECT_EQ(line.front().x, 100);
    EXPECT_EQ(line.front().red, 111);
    EXPECT_EQ(line.front().green, 111);
  }
  EXPECT_EQ(GlyphsAt(200).size(), 19u);
  EXPECT_EQ(GlyphsAt(300).size(), 17u);
}

}  // namespace

// Test helpers shared by the screen tests (see screens_support.h).
#include "tests/screens/screens_support.h"
#include "tests/support/test_world.h"
#include "tests/support/stand_in_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "game/screens/font.h"
#include "game/screens/menu.h"
#include "game/screens/stage.h"
#include "game/screens/start.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/keyscript.h"
#include "platform/program.h"
#include "platform/random.h"

std::vector<TDrawRecord> GlyphRecords(const std::vector<TDrawRecord>& records) {
  std::vector<TDrawRecord> glyphs;
  for (const TDrawRecord& r : records)
    if (r.image == font.glyphs.get()) glyphs.push_back(r);
  return glyphs;
}

char GlyphChar(const TDrawRecord& record) { return FontCharset[record.frame]; }

std::string GlyphTextAt(const std::vector<TDrawRecord>& records, float y) {
  std::vector<TDrawRecord> row;
  for (const TDrawRecord& r : GlyphRecords(records))
    if (r.y == y && r.width == 14.0f) row.push_back(r);
  std::stable_sort(row.begin(), row.end(), [](const TDrawRecord& a, const TDrawRecord& b) { return a.x < b.x; });
  std::string text;
  for (const TDrawRecord& r : row) text += GlyphChar(r);
  return text;
}

const TDrawRecord* GlyphAt(const std::vector<TDrawRecord>& records, float x, float y) {
  for (const TDrawRecord& r : records)
    if (r.image == font.glyphs.get() && r.x == x && r.y == y) return &r;
  return nullptr;
}

namespace {

// One headless 800 x 600 display for the whole program: the panel's rows hang from its height.
class HeadlessDisplay : public ::testing::Environment {
 public:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    SetEndMode(EndMode::Throw);
    UseVirtualClock(0);
    SetDisplayHeadless(true);
    ASSERT_NE(OpenDisplay(800, 600, 16, 27, 0), nullptr) << "no headless display";
    SetMaskColor(255, 0, 255);
  }
  void TearDown() override { CloseDisplay(); }
};

[[maybe_unused]] ::testing::Environment* const display = ::testing::AddGlobalTestEnvironment(new HeadlessDisplay);

}  // namespace

void ResetScreenWorld() {
  ResetPlatformState();
  UseStandInArt();
  ResetGameWorld();
  hero.NewGame();
}

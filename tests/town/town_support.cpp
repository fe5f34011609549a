// The town tests' shared world (see town_support.h).
#include "tests/town/town_support.h"
#include "tests/support/test_world.h"
#include "tests/support/stand_in_image.h"

#include <cstdlib>

#include "game/creatures/effects.h"
#include "game/screens/font.h"
#include "game/screens/menu.h"
#include "game/screens/stage.h"
#include "game/screens/start.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/item_generate.h"
#include "platform/clock.h"
#include "platform/image.h"
#include "platform/keyboard.h"
#include "platform/keyscript.h"
#include "platform/random.h"

namespace {

// One headless display for the whole program: banners and messages centre on its size.
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

std::vector<TDrawRecord> GlyphsOf(const std::vector<TDrawRecord>& records) {
  std::vector<TDrawRecord> glyphs;
  for (const TDrawRecord& r : records)
    if (r.image == font.glyphs.get()) glyphs.push_back(r);
  return glyphs;
}

std::string GlyphRow(const std::vector<TDrawRecord>& records, float y) {
  std::vector<TDrawRecord> row;
  for (const TDrawRecord& r : GlyphsOf(records))
    if (r.y == y) row.push_back(r);
  std::string text;
  for (const TDrawRecord& r : row) text += FontCharset[r.frame];
  return text;
}

std::string Plain(const Text& text) { return text.ToBytes(); }

std::string AsDrawn(const Text& text) {
  std::string drawn;
  for (char c : text.ToBytes())
    if (c != ' ') drawn += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return drawn;
}

bool ShowsInfo(const TWaitShot& shot, const Text& text) {
  return GlyphRow(shot.records, static_cast<float>(FoeY - 14)).find(AsDrawn(text)) != std::string::npos;
}

void TownTest::SetUp() {
  ResetPlatformState();
  UseStandInArt();
  ResetGameWorld();
  hero.NewGame();
  SetDrawRecorder(&records);
  SetKeyWaitHook([this] {
    TWaitShot shot;
    shot.records.swap(records);
    shot.title = Plain(menu.title);
    shot.optionCount = menu.optionCount;
    shot.cursor = menu.cursor;
    shot.gold = hero.gold;
    shots.push_back(std::move(shot));
  });
}

void TownTest::TearDown() {
  SetKeyWaitHook(nullptr);
  SetDrawRecorder(nullptr);
  // The inventory owns what is left in it; the shops freed what they dropped.
  ResetGameWorld();
}

void TownTest::Keys(const std::string& script) {
  std::vector<TKeyStep> steps;
  std::string error;
  ASSERT_TRUE(ParseKeyScript(script, steps, error)) << error;
  UseKeyScript(std::move(steps));
}

titem* TownTest::Carry(int32_t floor, int32_t kind) {
  titem* item = GenerateItem(floor, kind);
  for (int32_t slot = 1; slot <= 18; ++slot) {
    if (hero.items[slot] == nullptr) {
      hero.items[slot] = item;
      return item;
    }
  }
  ADD_FAILURE() << "inventory full";
  return item;
}

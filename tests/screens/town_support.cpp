// The town tests' shared world (see town_support.h).
#include "tests/screens/town_support.h"
#include "tests/support/headless_display.h"
#include "tests/support/test_world.h"

#include <cstdlib>

#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/item_generate.h"
#include "game/ui/menu.h"
#include "game/ui/stage.h"
#include "platform/images/image.h"
#include "platform/input/keyboard.h"
#include "platform/replay/keyscript.h"
#include "platform/replay/script_player.h"

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
  StartNewGame();
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

[[maybe_unused]] ::testing::Environment* const display = ::testing::AddGlobalTestEnvironment(NewHeadlessDisplay());

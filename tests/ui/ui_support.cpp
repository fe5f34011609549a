// Test helpers shared by the screen tests (see screens_support.h).
#include "tests/support/headless_display.h"
#include "tests/support/test_world.h"
#include "tests/ui/ui_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "game/screens/start.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/ui/font.h"
#include "game/ui/menu.h"
#include "game/ui/stage.h"
#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/keyscript.h"
#include "platform/program.h"
#include "platform/random.h"

void ResetScreenWorld() { StartNewGame(); }

[[maybe_unused]] ::testing::Environment* const display = ::testing::AddGlobalTestEnvironment(NewHeadlessDisplay());

// Test helpers shared by the UI kit's tests (see ui_support.h).
#include "tests/ui/ui_support.h"

#include <gtest/gtest.h>

#include "tests/support/headless_display.h"
#include "tests/support/test_world.h"

void ResetScreenWorld() { StartNewGame(); }

[[maybe_unused]] ::testing::Environment* const display = ::testing::AddGlobalTestEnvironment(NewHeadlessDisplay());

// One headless 800 x 600 display for a whole test program (the panel's rows, banners and messages
// hang from its size), with program ends that throw and the virtual clock. A folder's support file
// registers it: ::testing::AddGlobalTestEnvironment(NewHeadlessDisplay()).
#pragma once
#include <gtest/gtest.h>

::testing::Environment* NewHeadlessDisplay();

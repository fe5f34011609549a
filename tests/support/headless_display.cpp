// The program-wide headless display (see headless_display.h).
#include "tests/support/headless_display.h"

#include <cstdlib>

#include "platform/core/clock.h"
#include "platform/display/display.h"
#include "platform/images/image.h"
#include "platform/core/program.h"

namespace {

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

}  // namespace

::testing::Environment* NewHeadlessDisplay() { return new HeadlessDisplay; }

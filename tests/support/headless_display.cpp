// The program-wide headless display (see headless_display.h).
#include "tests/support/headless_display.h"

#include <cstdlib>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/image.h"
#include "platform/program.h"

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

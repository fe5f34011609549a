// Key scripts: parsing the tokens, and delivering them in the order a played game sees them (wait
// steps inside key waits, frame steps after their frame, Shift combinations held across a wait).
#include "platform/replay/keyscript.h"
#include "platform/replay/script_player.h"

#include <gtest/gtest.h>

#include "platform/core/program.h"
#include "platform/input/keyboard.h"
#include "tests/support/end_status.h"

namespace {

class KeyScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetKeyboard();
    ResetExitHandlers();
    SetEndMode(EndMode::Throw);
  }
  void TearDown() override { ResetKeyboard(); }

  static void Use(const std::string& script) {
    std::vector<TKeyStep> steps;
    std::string error;
    ASSERT_TRUE(ParseKeyScript(script, steps, error)) << error;
    UseKeyScript(steps);
  }

  static std::string Refusal(const std::string& script) {
    std::vector<TKeyStep> steps;
    std::string error;
    if (ParseKeyScript(script, steps, error)) return "accepted";
    return error;
  }
};

TEST_F(KeyScriptTest, ParsesStepsOfEveryForm) {
  std::vector<TKeyStep> steps;
  std::string error;
  ASSERT_TRUE(ParseKeyScript("  enter\n space@12\tLSHIFT+G  ", steps, error)) << error;
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps[0].key, KeyEnter);
  EXPECT_EQ(steps[0].frame, 0u);
  EXPECT_EQ(steps[1].key, KeySpace);
  EXPECT_EQ(steps[1].frame, 12u);
  EXPECT_EQ(steps[2].key, KeyLeftShift);
  EXPECT_EQ(steps[2].kind, TStepKind::ComboShift);
  EXPECT_EQ(steps[3].key, KeyG);
  EXPECT_EQ(steps[3].releaseAfter, KeyLeftShift);
  EXPECT_TRUE(ParseKeyScript("", steps, error));
  EXPECT_TRUE(steps.empty());
}

TEST_F(KeyScriptTest, BadTokensAreRefusedByName) {
  for (const char* bad : {"jump", "f13", "g@0", "g@", "g@x1", "@5", "ctrl+g", "lshift+", "a+b", "lshift+g@3"}) {
    const std::string error = Refusal(std::string("enter ") + bad + " space");
    EXPECT_NE(error, "accepted") << bad;
    EXPECT_NE(error.find(bad), std::string::npos) << error;
  }
}

TEST_F(KeyScriptTest, WaitStepsArriveOnePerWaitThenTheScriptCloses) {
  Use("enter 2 esc");
  EXPECT_EQ(RemainingKeySteps(), 3);
  EXPECT_EQ(WaitForKey(), KeyEnter);
  EXPECT_EQ(WaitForKey(), Key0 + 2);
  EXPECT_EQ(IsKeyDown(Key0 + 2), 0);  // pressed and released
  EXPECT_EQ(WaitForKey(), KeyEscape);
  EXPECT_EQ(RemainingKeySteps(), 0);
  EXPECT_EQ(TerminateRequested(), 0);
  EXPECT_EQ(EndStatus(WaitForKey), 0);
  EXPECT_EQ(TerminateRequested(), 1);
}

TEST_F(KeyScriptTest, FrameStepsFireAfterTheirFrame) {
  Use("space@2 enter@2 b");
  NotifyFramePresented();
  EXPECT_EQ(WasKeyPressed(KeySpace), 0);
  NotifyFramePresented();
  EXPECT_EQ(WasKeyPressed(KeySpace), 1);
  EXPECT_EQ(WasKeyPressed(KeyEnter), 1);
  EXPECT_EQ(IsKeyDown(KeySpace), 0);
  EXPECT_EQ(RemainingKeySteps(), 1);
}

TEST_F(KeyScriptTest, WaitStepsLandAfterTheWaitsClear) {
  Use("a@1 b");
  NotifyFramePresented();  // a is pressed here, and the wait below forgets it
  EXPECT_EQ(WaitForKey(), KeyA + 1);
  EXPECT_EQ(WasKeyPressed(KeyA), 0);
}

TEST_F(KeyScriptTest, FrameStepsDoNotFeedWaits) {
  Use("space@50");
  EXPECT_EQ(EndStatus(WaitForKey), 0);
  EXPECT_EQ(RemainingKeySteps(), 1);
}

TEST_F(KeyScriptTest, ShiftIsHeldAcrossTheNextWait) {
  Use("lshift+g rshift+h");
  EXPECT_EQ(WaitForKey(), KeyLeftShift);
  // A menu notes the held Shift before its next wait.
  EXPECT_EQ(IsKeyDown(KeyLeftShift), 1);
  EXPECT_EQ(WaitForKey(), KeyG);
  EXPECT_EQ(IsKeyDown(KeyLeftShift), 0);
  EXPECT_EQ(IsKeyDown(KeyG), 0);
  EXPECT_EQ(WaitForKey(), KeyRightShift);
  EXPECT_EQ(IsKeyDown(KeyRightShift), 1);
  EXPECT_EQ(WaitForKey(), KeyH);
  EXPECT_EQ(EndStatus(WaitForKey), 0);
}

}  // namespace

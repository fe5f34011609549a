// Ending the program: the exit handlers (newest first, once), the status, the error message on
// standard error, and the real process exit status.
#include "platform/core/program.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/end_status.h"

namespace {

class ProgramEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetExitHandlers();
    SetEndMode(EndMode::Throw);
  }
  void TearDown() override { ResetExitHandlers(); }
};

TEST_F(ProgramEndTest, ExitRunsHandlersNewestFirstWithStatusZero) {
  static std::vector<int> order;
  order.clear();
  AtExit([] { order.push_back(1); });
  AtExit([] { order.push_back(2); });
  AtExit([] { order.push_back(3); });
  EXPECT_EQ(EndStatus([] { ExitProgram(); }), 0);
  EXPECT_EQ(order, (std::vector<int>{3, 2, 1}));
}

TEST_F(ProgramEndTest, RaiseErrorWritesTheMessageWithoutLineEnd) {
  static bool saved = false;
  saved = false;
  AtExit([] { saved = true; });
  std::string said;
  EXPECT_EQ(EndStatus([] { RaiseError("no offset file for zombie"); }, said), -1);
  EXPECT_EQ(said, "no offset file for zombie");
  EXPECT_TRUE(saved);
}

TEST_F(ProgramEndTest, HandlersRunOnlyOnce) {
  static int runs = 0;
  runs = 0;
  AtExit([] { ++runs; });
  EXPECT_EQ(EndStatus([] { ExitProgram(); }), 0);
  EXPECT_EQ(EndStatus([] { EndProgram(3); }), 3);
  EXPECT_EQ(runs, 1);
}

TEST_F(ProgramEndTest, ErrorInsideAHandlerSkipsTheRestAndEndsWithItsStatus) {
  static std::vector<int> order;
  order.clear();
  AtExit([] { order.push_back(1); });
  AtExit([] {
    order.push_back(2);
    RaiseError("Error writing to stream");
  });
  AtExit([] { order.push_back(3); });
  std::string said;
  EXPECT_EQ(EndStatus([] { ExitProgram(); }, said), -1);
  EXPECT_EQ(said, "Error writing to stream");
  EXPECT_EQ(order, (std::vector<int>{3, 2}));
  // The next run's handlers start fresh.
  AtExit([] { order.push_back(9); });
  EXPECT_EQ(EndStatus([] { ExitProgram(); }), 0);
  EXPECT_EQ(order.back(), 9);
}

TEST_F(ProgramEndTest, ResetForgetsRegisteredHandlers) {
  static int runs = 0;
  runs = 0;
  AtExit([] { ++runs; });
  ResetExitHandlers();
  EXPECT_EQ(EndStatus([] { ExitProgram(); }), 0);
  EXPECT_EQ(runs, 0);
}

using ProgramEndDeathTest = ProgramEndTest;

TEST_F(ProgramEndDeathTest, ErrorEndsTheProcessWithStatus255AfterTheHandlers) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        SetEndMode(EndMode::Exit);
        AtExit([] { std::fputs("|saved", stderr); });
        RaiseError("Bitmap font could not be loaded");
      },
      ::testing::ExitedWithCode(255), "^Bitmap font could not be loaded\\|saved$");
}

TEST_F(ProgramEndDeathTest, ExitProgramEndsTheProcessWithStatusZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        SetEndMode(EndMode::Exit);
        ExitProgram();
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace

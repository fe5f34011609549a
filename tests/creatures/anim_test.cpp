// Playing an animation: stepping in the three modes, the current picture, and the runtime errors of
// a frame that has no picture. Built on made-up animations, so no art is needed.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "platform/core/program.h"
#include "tests/support/end_status.h"

namespace {

class AnimPlayTest : public testing::Test {
 protected:
  void SetUp() override {
    SetEndMode(EndMode::Throw);
    ResetExitHandlers();
    CreateAnimKinds();
    creature.anims = std::make_shared<std::array<std::unique_ptr<tanim>, 5>>();
    for (tanimkind* kind : AnimKinds) {
      auto anim = std::make_unique<tanim>();
      anim->kind = kind;
      anim->framecount = 5;
      for (int n = 1; n <= 5; ++n) anim->images[n] = std::make_unique<TImage>();
      (*creature.anims)[kind->index] = std::move(anim);
    }
  }

  tanim& Anim(const tanimkind* kind) { return *(*creature.anims)[kind->index]; }

  // The message a runtime error wrote, or "" when none was raised.
  template <typename F>
  std::string RaisedError(F&& action) {
    std::string written;
    return EndStatus(action, written) == -1 ? written : std::string();
  }

  tmon creature;
};

TEST_F(AnimPlayTest, HoldModeShowsEachFrameThenKeepsTheLast) {
  creature.SetAnim(AttackKind);
  const int expectedReturn[] = {0, 0, 0, 0, 1, 1, 1};
  const float expectedFrame[] = {2, 3, 4, 5, 5, 5, 5};
  for (int step = 0; step < 7; ++step) {
    EXPECT_EQ(creature.Advance(0), expectedReturn[step]) << "step " << step;
    EXPECT_EQ(creature.frame, expectedFrame[step]) << "step " << step;
    EXPECT_EQ(creature.CurrentImage(), Anim(AttackKind).images[static_cast<int>(expectedFrame[step])].get());
  }
}

TEST_F(AnimPlayTest, WrapModeStartsOverAfterTheLastFrame) {
  creature.SetAnim(DieKind);
  for (int step = 0; step < 4; ++step) EXPECT_EQ(creature.Advance(1), 0);
  EXPECT_EQ(creature.Advance(1), 1);
  EXPECT_EQ(creature.frame, 1.0f);
  EXPECT_EQ(creature.Advance(1), 0);
  EXPECT_EQ(creature.frame, 2.0f);
}

TEST_F(AnimPlayTest, LoopingModeWrapsOnlyKindsThatLoop) {
  creature.SetAnim(GotHitKind);
  for (int step = 0; step < 5; ++step) creature.Advance(2);
  EXPECT_EQ(creature.frame, 1.0f);
  creature.SetAnim(DieKind);
  for (int step = 0; step < 5; ++step) creature.Advance(2);
  EXPECT_EQ(creature.frame, 5.0f);
}

TEST_F(AnimPlayTest, FractionalSpeedShowsTheFlooredFrame) {
  Anim(AttackKind).speed = 0.5f;
  creature.SetAnim(AttackKind);
  creature.Advance(0);
  EXPECT_EQ(creature.frame, 1.5f);
  EXPECT_EQ(creature.CurrentImage(), Anim(AttackKind).images[1].get());
  // 5.5 still shows frame 5; the step to 6.0 is the one that runs past the end.
  for (int step = 0; step < 8; ++step) EXPECT_EQ(creature.Advance(0), 0);
  EXPECT_EQ(creature.Advance(0), 1);
  EXPECT_EQ(creature.frame, 5.0f);
}

TEST_F(AnimPlayTest, SetAnimRestartsEvenTheSameAnimation) {
  creature.SetAnim(AttackKind);
  creature.Advance(0);
  creature.Advance(0);
  creature.SetAnim(AttackKind);
  EXPECT_EQ(creature.frame, 1.0f);
  EXPECT_EQ(creature.anim, &Anim(AttackKind));
}

TEST_F(AnimPlayTest, CurrentImageIsNullUntilAnAnimationIsSet) {
  EXPECT_EQ(creature.CurrentImage(), nullptr);
  creature.SetAnim(GotHitKind);
  EXPECT_EQ(creature.CurrentImage(), Anim(GotHitKind).images[1].get());
}

TEST_F(AnimPlayTest, AMissingPictureIsARuntimeErrorNamingTheFrame) {
  Anim(AttackKind).images[3].reset();
  creature.SetAnim(AttackKind);
  creature.Advance(0);
  EXPECT_EQ(RaisedError([&] { creature.CurrentImage(); }), "");
  creature.Advance(0);
  EXPECT_EQ(RaisedError([&] { creature.CurrentImage(); }), "null image at frame 3.00000000/5");
}

TEST_F(AnimPlayTest, AFramePastThePictureArrayIsTheSameErrorNotACrash) {
  creature.SetAnim(AttackKind);
  creature.frame = 40.0f;
  EXPECT_EQ(RaisedError([&] { creature.CurrentImage(); }), "null image at frame 40.0000000/5");
  creature.frame = -2.5f;
  EXPECT_EQ(RaisedError([&] { creature.CurrentImage(); }), "null image at frame -3.00000000/5");
}

}  // namespace

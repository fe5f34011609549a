// The battle tests' shared world (see battle_world.h).
#include "tests/support/battle_world.h"
#include "tests/support/key_script.h"
#include "tests/support/test_world.h"

#include <gtest/gtest.h>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/title.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "platform/images/image.h"
#include "platform/input/keyboard.h"
#include "platform/replay/script_player.h"
#include "platform/core/program.h"
#include "platform/files/resources.h"

int LoadShippedRoster(std::vector<TDrawRecord>* records, bool drawn) {
  SetEndMode(EndMode::Throw);
  ResetExitHandlers();
  ResetKeyboard();
  RegisterEmbeddedResources();
  SetDisplayHeadless(true);
  SetDisplayDrawsNothing(!drawn);
  EXPECT_NE(OpenDisplay(800, 600, 16, 27, 0), nullptr);
  SetDisplayDrawsNothing(false);
  SetMaskColor(255, 0, 255);
  LoadBitmapFont();
  TitlePicture = LoadImageResource(ResourcePrefix + "image\\dragon.jpg", -1);
  CreateRoster();
  UseKeys("enter");
  SetDrawRecorder(records);
  LoadCreatureAnimations();
  WaitAtTitle("");
  SetDrawRecorder(nullptr);
  return RemainingKeySteps();
}

void StartBattleWorld() {
  ResetPlatformState();
  ResetGameWorld();
  hero.NewGame();
  hero.mon->SetAnim(AttackKind);
  NoSave = 0;
}

void MakeHeroMighty() {
  hero.healthmax = 100000000;
  hero.health = hero.healthmax;
  hero.strength = 1000000;
  hero.accuracy = 1000;
}

// The title screen with the creatures appearing while they load, the two-line intro of a new game
// and the victory ending.
#include "game/screens/title.h"

#include <cmath>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/world.h"
#include "game/state/save.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/menu.h"
#include "game/ui/message.h"
#include "platform/display/display.h"
#include "platform/input/keyboard.h"
#include "platform/core/program.h"
#include "platform/replay/recording.h"

void ShowTitleScreen(int32_t i) {
  const int32_t width = DisplayWidth();
  const int32_t height = DisplayHeight();
  SetDrawColor(255, 30, 30);
  SetDrawScale(3, 2);
  DrawFontText("Cairnmark", width / 2, 15, 1, 1, 0);
  SetDrawScale(1, 1);
  SetDrawColor(0, 155, 0);
  DrawFontText("Written by Tessaly", 1, height - 30, 0, 0, 0);
  DrawFontText("Character Graphics by Hallowmere", 1, height - 15, 0, 0, 0);
  SetDrawColor(255, 255, 255);
  // The last progress frame stays up while the program waits for a key.
  const Text status = i == MonsterCount - 2 ? Text("press enter to continue") : Text("loading");
  DrawFontText(status, width / 2, height / 2, 1, 1, 0);
}

namespace {

// A line that ran to its end stays up until a key; a skipped one gives way at once.
void IntroLine(const Text& text, float speed) {
  if (ShowMessage(text, 1.0f, speed, 1, 0) == 0) {
    PresentFrame();
    WaitForKey();
  }
}

}  // namespace

namespace {

// The title screen after creature i: the creatures loaded so far on an ellipse around the centre,
// the newest opaque and the first faintest.
void DrawLoadingFrame(int32_t i) {
  ShowTitleScreen(i);
  SetBlendMode(3);
  const int32_t width = DisplayWidth();
  const int32_t height = DisplayHeight();
  for (int32_t j = 1; j <= i; ++j) {
    SetDrawAlpha(static_cast<float>(j) / static_cast<float>(i));
    const int32_t angle = (j * 360) / (MonsterCount - 1);
    const double x = width / 2 + width * CosDeg(angle) / 3.0;
    const double y = height / 2 + height * SinDeg(angle) / 3.0;
    const tanim* attack = (*Roster[j]->anims)[static_cast<size_t>(AttackKind->index)].get();
    DrawImageFrame(attack->images[1].get(), static_cast<float>(x), static_cast<float>(y), 0);
  }
  SetBlendMode(1);
  FlipFrame(0);
  DrawTitlePicture(1);
}

}  // namespace

void LoadCreatureAnimations() {
  // Every slot but the Dragon Lord's, up to and including the hero's figure.
  for (int32_t i = 1; i <= MonsterCount + 1; ++i) {
    if (i == MonsterCount) continue;
    tmon& creature = *Roster[i];
    if (!creature.anims) creature.anims = std::make_shared<std::array<std::unique_ptr<tanim>, 5>>();
    for (tanimkind* kind : AnimKinds) {
      (*creature.anims)[static_cast<size_t>(kind->index)] = LoadAnimation(creature.name, *kind);
      if (WasKeyPressed(KeyEscape)) ExitProgram();
    }
    if (i < MonsterCount - 1) DrawLoadingFrame(i);
  }
  WaitForKey();
  // The Dragon Lord plays the dragon's very animations, with a frame position of its own.
  Roster[MonsterCount]->anims = Roster[MonsterCount - 1]->anims;
}

void ShowIntro() {
  IntroLine("The evil Dragon Lord has taken over the dungeon and now spreads his minions everywhere...",
            0.51f);
  IntroLine("Hero! You must destroy him before he destroys our home town!", 0.7f);
}

void ShowEnding() {
  // The finished game is not kept: the next start begins a new one.
  DeleteSave();
  NoSave = 1;
  ShowMessage("Victory! The home town is safe!", 2.0f, 0.5f, 0, 0);
  SetDrawColor(255, 255, 255);
  DrawFontText("Now to save the world...", 100, 400, 0, 0, 0);
  PresentFrame();
  WaitForKey();
  // Drawn in the grey the title picture left.
  DrawFontText("But the game ends here.", 100, 200, 0, 0, 0);
  DrawFontText("Thanks for playing.", 100, 300, 0, 0, 0);
  FlipFrame(-1);
  WaitForKey();
  NameRecordedEnd("ending");
  ExitProgram();
}

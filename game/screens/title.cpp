// The title screen with the creatures appearing while they load (and the loader's word on a
// damaged save before its key wait), the two-line intro of a new game and the victory ending.
#include "game/screens/title.h"

#include <cmath>
#include <string>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/world.h"
#include "game/state/save.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/menu.h"
#include "game/ui/message.h"
#include "game/ui/stage.h"
#include "platform/core/program.h"
#include "platform/display/display.h"
#include "platform/input/keyboard.h"
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

// Letters a frame: brisker than the intro, it is a notice.
constexpr float kSaveReportSpeed = 1.5f;
// The key wait's prompt under a save's report, clear of the stage and the status panel.
constexpr int32_t kSaveReportPromptRow = 450;

// What the loader said of a save it repaired or could not use, told where the player looks (only
// a terminal sees standard error): typed, then kept up whole with the prompt under it for the key
// wait, so a key that cuts the typing short never also leaves the title. A clause a line, as the
// font has no semicolon.
void TellSaveReport(const std::string& said) {
  std::string clauses;
  size_t start = 0;
  for (size_t at = said.find("; "); at != std::string::npos; start = at + 2, at = said.find("; ", start))
    clauses += said.substr(start, at - start) + "\n";
  clauses += said.substr(start);
  const Text text = WrapMessage(Text(clauses), 1.0f);
  ShowMessage(text, 1.0f, kSaveReportSpeed, 1, 0);
  // Over whatever the message left: a cut-short one leaves its last letters drawn.
  DrawTitlePicture(1);
  DrawWholeMessage(text, 1.0f);
  SetDrawColor(255, 255, 255);
  DrawFontText("press enter to continue", DisplayWidth() / 2, kSaveReportPromptRow, 1, 1, 0);
  DrawScene();
  EndFrame();
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
  // The Dragon Lord plays the dragon's very animations, with a frame position of its own.
  Roster[MonsterCount]->anims = Roster[MonsterCount - 1]->anims;
}

void WaitAtTitle(const std::string& saveReport) {
  if (!saveReport.empty()) TellSaveReport(saveReport);
  WaitForKey();
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

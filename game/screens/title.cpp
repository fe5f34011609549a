// The title screen's texts, the two-line intro of a new game and the victory ending. The title
// frames themselves are drawn by the animation loader between creatures.
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/font.h"
#include "game/screens/frame.h"
#include "game/screens/menu.h"
#include "game/screens/message.h"
#include "game/screens/start.h"
#include "game/screens/title.h"
#include "game/state/save.h"
#include "platform/display.h"
#include "platform/keyboard.h"
#include "platform/program.h"
#include "platform/resources.h"

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
  ExitProgram();
}

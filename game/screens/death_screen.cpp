// The death screen: everything is lost, or is it? "continue" keeps the game with half the gold and
// nothing but the default items, back in town; "end" deletes the save and ends without saving.
#include "game/screens/death_screen.h"

#include "game/creatures/mon.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/state/save.h"
#include "game/ui/font.h"
#include "game/ui/menu.h"
#include "game/ui/message.h"
#include "platform/display/display.h"
#include "platform/input/keyboard.h"
#include "platform/core/program.h"
#include "platform/replay/recording.h"

void DeathScreen(tmon* killer) {
  ShowMessage("The " + killer->name + " killed you! Everything is lost...", 1.3f, 0.6f, 1, 1);
  // In the red the message finished in, over its last frame.
  DrawFontText("Or is it?", 100, 340, 0, 0, 0);
  FlipFrame(-1);
  WaitForKey();

  menu.SetTitle("dead");
  menu.SetPrompt("what will you do?");
  menu.AddOption("continue", 255, 255, 255);
  menu.AddOption("end", 255, 255, 255);
  menu.ChooseOption();
  if (menu.choice == 1) {
    ResetAfterDeath();
    return;
  }
  DeleteSave();
  NoSave = 1;
  NameRecordedEnd("death");
  ExitProgram();
}

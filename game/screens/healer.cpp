// The healer: restores health at one gold a point. The cost is worked out once when the hero walks
// in, so after one healing the rest of the visit is free.
#include "game/screens/healer.h"
#include "game/state/hero.h"
#include "game/ui/effects.h"
#include "game/ui/frame.h"
#include "game/ui/menu.h"
#include "game/ui/palette.h"
#include "game/ui/stage.h"
#include "platform/display/display.h"

void Healer() {
  // Never negative: health above health-max would have the healer paying the hero.
  int32_t cost = MaxInt(0, SaturatingSub(hero.healthmax, hero.health));
  menu.infoText = "it will cost you " + IntToText(cost) + " gold to get healed. Will you pay me?";
  for (;;) {
    menu.speaker = "great healer man";
    menu.SetTitle("healer");
    menu.SetPrompt("what will you do?");
    menu.AddOption("Heal", 255, 255, 255);
    menu.AddOption("Leave", 255, 255, 255);
    menu.escapeEnds = 0;
    menu.ChooseOption();
    if (menu.choice == 1) {
      if (hero.gold >= cost) {
        hero.gold -= cost;
        menu.infoText = "I call power from the heavens! You are now healed.";
        UseColor(kStatColors[StatHealth]);
        const int32_t gain = SaturatingSub(hero.healthmax, hero.health);
        RisingText("+" + IntToText(gain) + " health", OverHero().x, OverHero().y,
                   3.0f, 40, 0);
        hero.health = hero.healthmax;
        cost = 0;
      } else {
        menu.infoText = "you do not have enough gold for that.";
      }
    } else if (menu.choice == 2 || menu.choice == 0) {
      return;
    }
  }
}

// The battle's rules and order of events. The monster strikes first in every turn; then the hero
// attacks, tries to run, or (cancelling the menu) lets the turn pass; "after each attack" runes pay
// out after every turn of the hero, "after victorious battles" runes after a win. The battle grants
// nothing itself. It fights the roster's own record, so what happens to a monster (the Dragon
// Lord's growing strength) stays on it for the rest of the run.
#include "game/screens/battle.h"

#include <cstdint>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/battle_show.h"
#include "game/screens/death_screen.h"
#include "game/screens/title.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/item_describe.h"
#include "game/ui/effects.h"
#include "game/ui/frame.h"
#include "game/ui/menu.h"
#include "game/ui/message.h"
#include "game/ui/palette.h"
#include "game/ui/stage.h"
#include "platform/display/display.h"
#include "platform/input/keyboard.h"
#include "platform/core/random.h"

namespace {

constexpr int32_t kEscapeChance = 30;
// What the Dragon Lord gains after each of its attacks.
constexpr int32_t kLordStrengthGain = 300;
constexpr int32_t kLordHealthGain = 500;

// Block, then miss, then damage: each roll is drawn only when the one before let the attack through.
tblow RollMonsterBlow(const tmon& m) {
  tblow blow;
  // A blocked attack counts as missed.
  if (RandomInteger(1, 100) < hero.armor->chance)
    blow.missed = 1;
  else
    blow.missed = RandomInteger(1, 100) > m.accuracy;
  if (!blow.missed) {
    const int32_t raw = RandomInteger(m.strength / 2, SaturatingMul(m.strength, 2));
    const int32_t def = RealToInt(hero.armor->value + static_cast<float>(hero.defence));
    blow.damage = MonsterDamage(raw, def);
  }
  return blow;
}

tblow RollHeroBlow() {
  tblow blow;
  blow.missed = RandomInteger(1, 100) > SaturatingAdd(hero.weapon->chance, hero.accuracy);
  if (!blow.missed) {
    // The monster has no defence: the whole roll is dealt.
    const int32_t power = RealToInt(hero.weapon->value + static_cast<float>(hero.strength));
    blow.damage = RandomInteger(power / 2, SaturatingMul(power, 2));
  }
  return blow;
}

// The monster's blow on its hit frame; 0 when it killed the hero.
int32_t LandOnHero(tmon&, const tblow& blow) {
  if (blow.missed) return 1;
  hero.health = SaturatingSub(hero.health, blow.damage);
  if (hero.health <= 0) {
    hero.health = 0;
    return 0;
  }
  hero.mon->SetAnim(GotHitKind);
  return 1;
}

// The hero's blow on his hit frame; the monster dies of it or recoils, and the number floats on.
int32_t LandOnMonster(tmon& m, const tblow& blow) {
  if (blow.missed) return 1;
  m.health = SaturatingSub(m.health, blow.damage);
  if (m.health <= 0) {
    m.health = 0;
    m.SetAnim(DieKind);
  } else {
    m.SetAnim(GotHitKind);
  }
  return 1;
}

// The Dragon Lord grows after each of its attacks; the strength is never taken back.
void LordGains(tmon& m) {
  // Held at the 32-bit limit however long the run lasts.
  m.strength = SaturatingAdd(m.strength, kLordStrengthGain);
  m.health = SaturatingAdd(m.health, kLordHealthGain);
  if (m.health > m.healthmax) m.health = m.healthmax;
  menu.speaker = m.name;
  // Two rune records of the lair give the rising lines their stat colours.
  const titem strengthRune(ItemRune, "rune", 0, 0.0f, LairFloor, 1.0f, StatStrength, TimingAttack);
  const titem healthRune(ItemRune, "rune", 0, 0.0f, LairFloor, 1.0f, StatHealth, TimingAttack);
  const tspot over = OverFoe();
  SetItemColor(strengthRune, 0, 1);
  RisingText("+" + IntToText(kLordStrengthGain) + " " + StatName(StatStrength), over.x, over.y, 2.0f, 52, 0);
  SetItemColor(healthRune, 0, 1);
  RisingText("+" + IntToText(kLordHealthGain) + " " + StatName(StatHealth), over.x, over.y, 2.0f, 52, 0);
}

// The monster's half of a turn; false when the hero died of it.
bool MonsterTurn(tmon& m) {
  const tblow blow = RollMonsterBlow(m);
  menu.speaker = m.name;
  if (PlayMonsterAttack(m, blow, LandOnHero) == 0) return false;
  m.SetAnim(AttackKind);
  menu.infoText = Text();
  if (IsDragonLord(&m)) LordGains(m);
  return true;
}

void HeroAttack(tmon& m) {
  const tblow blow = RollHeroBlow();
  menu.speaker = m.name;
  PlayHeroAttack(m, blow, LandOnMonster);
  hero.mon->SetAnim(AttackKind);
}

// Every usable slot's "after each attack" rune, in slot order; the gains rise over the hero.
void AfterEachAttackRunes(int32_t gains[RuneSlots + 1]) {
  bool gained = false;
  const int32_t level = MinInt(hero.runelevel, RuneSlots);
  for (int32_t s = 1; s <= level; ++s) {
    if (hero.runes[s]->timing != TimingAttack) continue;
    gains[s] = hero.runes[s]->ApplyRune(1);
    if (gains[s] != 0) gained = true;
  }
  if (gained) PlayRuneGains(gains);
}

// "After victorious battles" runes stat by stat: one rising line per stat with the summed gain, in
// the colour of the last slot that gained.
void VictoryRunes() {
  for (int32_t stat = 1; stat <= StatCount; ++stat) {
    int32_t total = 0;
    int32_t last = 0;
    const int32_t level = MinInt(hero.runelevel, RuneSlots);
    for (int32_t s = 1; s <= level; ++s) {
      titem* rune = hero.runes[s];
      if (rune->timing != TimingVictory || rune->stat != stat) continue;
      const int32_t amount = rune->ApplyRune(1);
      if (amount != 0) {
        total = SaturatingAdd(total, amount);
        last = s;
      }
    }
    if (total == 0) continue;
    SetItemColor(*hero.runes[last], 0, 1);
    RisingText("+" + IntToText(total) + " " + StatName(hero.runes[last]->stat), OverHero().x, OverHero().y, 3.0f,
               40, 1);
  }
}

void Victory(tmon& m) {
  menu.speaker = "dead " + m.name;
  menu.infoText = m.name + " defeated!";
  PlayVictoryBanner(m);
  if (IsDragonLord(&m)) ShowEnding();
  VictoryRunes();
  // infoText keeps "... defeated!" for the next menu to show once.
  menu.speaker = Text();
  Opponent = nullptr;
}

void Defeat(tmon& m) {
  hero.mon->SetAnim(DieKind);
  PlayDeath();
  DeathScreen(&m);
  menu.speaker = Text();
  Opponent = nullptr;
  hero.mon->SetAnim(AttackKind);
}

// The opening: the monster of the floor at full health, the lair's warning, "A ... attacks!".
tmon& OpenBattle() {
  hero.mon->SetAnim(AttackKind);
  tmon& m = *Roster[MonsterSlotForFloor(hero.floor)];
  m.health = m.healthmax;
  m.SetAnim(AttackKind);
  if (IsDragonLord(&m)) {
    ShowMessage("You have reached the " + m.name + "'s lair...", 1.3f, 0.4f, 0, 0);
    WaitForKey();
  }
  ShowMessage("A " + m.name + " attacks!", 1.1f, 0.8f, 0, 0);
  Opponent = &m;
  return m;
}

}  // namespace

int32_t MonsterDamage(int32_t raw, int32_t def) {
  if (raw >= def) return SaturatingSub(raw, def / 2);
  const double r = raw;
  const int32_t damage = RealToInt(r * r / (2.0 * def));
  return damage < 1 ? 1 : damage;
}

void RunBattle() {
  tmon& m = OpenBattle();
  int32_t gains[RuneSlots + 1] = {};
  for (;;) {
    if (!MonsterTurn(m)) {
      Defeat(m);
      return;
    }

    menu.SetTitle("battle");
    menu.speaker = m.name;
    menu.SetPrompt("what will you do?");
    menu.AddOption("attack", 255, 255, 255);
    menu.AddOption("run", 255, 255, 255);
    menu.ChooseOption();
    if (menu.choice == 1) {
      HeroAttack(m);
    } else if (menu.choice == 2) {
      if (RandomReal(0, 100) < kEscapeChance) {
        menu.speaker = Text();
        menu.infoText = Text();
        ShowMessage("You ran away", 1.2f, 0.8f, 0, 0);
        Opponent = nullptr;
        return;
      }
      // Shown above the monster until its next attack has played.
      menu.infoText = "you could not escape!";
    }

    // After the hero's turn, whatever it was (a cancelled menu passes the turn).
    menu.speaker = m.name;
    AfterEachAttackRunes(gains);
    if (m.health <= 0) break;
  }
  Victory(m);
}

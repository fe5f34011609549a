// The creature roster: every monster kind's figures as one table, the global Roster built from it
// at start-up (with the hero's battle figure after the Dragon Lord), and the rule that picks the
// kind met on a floor.
#include <memory>

#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/state/hero.h"
#include "platform/core/random.h"

tmon* Roster[99] = {};
int32_t MonsterCount = 0;

namespace {

struct MonsterFigures {
  const char* name;
  int32_t healthmax;
  int32_t strength;
  int32_t accuracy;
};

// Slots 1 to 17, weakest first; the Dragon Lord last.
constexpr MonsterFigures kMonsters[] = {
    {"spider", 10, 7, 80},
    {"wasp", 23, 10, 99},
    {"mummy", 55, 18, 70},
    {"poisoner", 70, 41, 85},
    {"skeleton", 170, 60, 75},
    {"dwarf", 360, 85, 90},
    {"monster", 480, 135, 85},
    {"rocktroll", 800, 240, 80},
    {"orc", 1300, 320, 80},
    {"crockman", 2000, 360, 85},
    {"raptor", 3000, 490, 65},
    {"knight", 4000, 600, 85},
    {"zombie", 5000, 580, 80},
    {"devil", 7000, 680, 70},
    {"wizard", 7000, 700, 95},
    {"dragon", 10000, 900, 80},
    {"dragon lord", 200000, 800, 100},
};

// The records live for the run; a rebuilt roster (tests) replaces them.
std::unique_ptr<tmon> ownedRoster[99];

tmon* PlaceInRoster(int32_t slot, const char* name) {
  ownedRoster[slot] = std::make_unique<tmon>();
  tmon* creature = ownedRoster[slot].get();
  creature->name = name;
  creature->anims = std::make_shared<std::array<std::unique_ptr<tanim>, 5>>();
  Roster[slot] = creature;
  return creature;
}

}  // namespace

void CreateRoster() {
  CreateAnimKinds();
  for (int32_t slot = 0; slot < 99; ++slot) {
    Roster[slot] = nullptr;
    ownedRoster[slot].reset();
  }
  int32_t slot = 0;
  for (const MonsterFigures& figures : kMonsters) {
    tmon* creature = PlaceInRoster(++slot, figures.name);
    creature->healthmax = figures.healthmax;
    creature->strength = figures.strength;
    creature->accuracy = figures.accuracy;
  }
  MonsterCount = slot;
  hero.mon = PlaceInRoster(MonsterCount + 1, "hero");
}

void ResetRosterFigures() {
  // The records the roster built; a slot emptied or replaced since (tests) is left alone.
  int32_t slot = 0;
  for (const MonsterFigures& figures : kMonsters) {
    ++slot;
    if (Roster[slot] == nullptr || Roster[slot] != ownedRoster[slot].get()) continue;
    tmon& creature = *Roster[slot];
    creature.health = 0;
    creature.healthmax = figures.healthmax;
    creature.strength = figures.strength;
    creature.accuracy = figures.accuracy;
    creature.anim = nullptr;
    creature.frame = 0.0f;
  }
  if (tmon* figure = ownedRoster[slot + 1].get()) {
    figure->anim = nullptr;
    figure->frame = 0.0f;
    hero.mon = figure;
  }
}

bool IsDragonLord(const tmon* m) { return m != nullptr && m == Roster[MonsterCount]; }

int32_t MonsterSlotForFloor(int32_t floor) {
  if (floor >= LairFloor) return MonsterCount;
  // The town (floor 0) never has battles; anything below floor 2 meets the spider.
  if (floor <= 1) return 1;
  int32_t slot = floor - 1 + RandomInteger(0, 2);
  if (slot >= MonsterCount) slot = MonsterCount - 1;
  return slot;
}

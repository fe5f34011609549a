// Fuzzes the save-file loader the way the game meets a file: load any bytes, then use what loaded
// (describe, price and colour every item, and draw the status panel and the stage through the draw
// recorder with a stand-in font), save it, and check that the saved bytes load back with no repair
// and save to the same bytes. Any runtime error or sanitizer report is a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/state/item.h"
#include "game/state/save.h"
#include "game/ui/font.h"
#include "game/ui/palette.h"
#include "game/ui/stage.h"
#include "game/ui/status_panel.h"
#include "platform/display/display.h"
#include "platform/core/program.h"
#include "tests/support/stand_in_image.h"

namespace {

// Drawing with no display open only records; the stand-in font has the real strip's cells.
std::vector<TDrawRecord>& UseRecorderAndStandInFont() {
  static std::vector<TDrawRecord> records;
  if (!font.glyphs) {
    font.charset = Text(FontCharset);
    font.glyphs = MakeStandInImage(14, 12, 56);
    SetDrawRecorder(&records);
  }
  records.clear();
  return records;
}

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

bool InInventory(const titem* item) {
  for (int k = 1; k <= 18; ++k) {
    if (hero.items[k] == item) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetEndMode(EndMode::Throw);
  std::vector<TDrawRecord>& records = UseRecorderAndStandInFont();
  ResetGameWorld();
  const std::vector<uint8_t> bytes(data, data + size);
  std::string repairs;
  try {
    if (LoadGameFromBytes(bytes, repairs) == 0) {
      Check(!repairs.empty(), "a file that starts a new game says why");
      return 0;
    }
    Check(hero.runelevel >= 2 && hero.runelevel <= 9, "rune level 2..9");
    Check(hero.floor >= 0 && hero.floor <= 20, "floor 0..20");
    Check(hero.health >= 0 && hero.gold >= 0 && hero.experience >= 0 && hero.strength >= 0 && hero.defence >= 0 &&
              hero.accuracy >= 0 && hero.itemfind >= 0,
          "no statistic below nothing");
    Check(hero.weapon == DefaultWeapon || (InInventory(hero.weapon) && hero.weapon->kind == 1), "weapon");
    Check(hero.armor == DefaultArmor || (InInventory(hero.armor) && hero.armor->kind == 2), "armour");
    for (int i = 1; i <= 9; ++i) {
      Check(hero.runes[i] == DefaultRunes[i] || (i <= hero.runelevel && InInventory(hero.runes[i])), "rune slot");
    }
    for (int k = 1; k <= 18; ++k) {
      if (titem* item = hero.items[k]) {
        item->Describe();
        Check(item->value >= 0.0f && item->Price(1) >= 0 && item->Price(0) >= 0, "values and prices not below nothing");
        SetItemColor(*item, 0, 0);
        SetItemColor(*item, 1, 1);
      }
    }
    DrawStatusPanel();
    DrawScene();
    Check(!records.empty(), "the status panel and the stage draw");
    const std::vector<uint8_t> saved = SaveGameToBytes();
    ResetGameWorld();
    Check(LoadGameFromBytes(saved, repairs) == 1, "a saved game loads");
    Check(repairs.empty(), "a saved game loads without repair");
    Check(SaveGameToBytes() == saved, "saving again gives the same bytes");
  } catch (const ProgramEnded& end) {
    std::fprintf(stderr, "\nruntime error (status %d) on a loaded file\n", end.status);
    std::abort();
  }
  return 0;
}

// An item's colour in lists and lines: rare items in their own green, runes in the colour of their
// statistic (or the plain rune colour), weapons and armour in strength's and defence's.
#include "game/ui/palette.h"

#include "platform/core/program.h"

void SetItemColor(const titem& item, int32_t plain, int32_t ignoreRare) {
  if (ignoreRare == 0 && item.quality == 3.0f) {
    UseColor(kRareColor);
    return;
  }
  if (item.kind == ItemRune) {
    if (plain == 1) {
      UseColor(kRuneColor);
      return;
    }
    if (item.stat < 1 || item.stat > StatCount) RaiseError("86g86fgyiu");
    UseColor(kStatColors[item.stat]);
    return;
  }
  UseColor(item.kind == ItemArmor ? kStatColors[StatDefence] : kStatColors[StatStrength]);
}

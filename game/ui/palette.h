// The statistics' colours, one table for every place that paints them: the item lists, the keyword
// lines and the status panel.
#pragma once
#include <cstdint>

#include "game/state/item.h"
#include "platform/display/display.h"

struct TColor {
  int32_t red, green, blue;
};

// Indexed by stat code (StatHealth..StatExperience); slot 0 unused.
constexpr TColor kStatColors[StatCount + 1] = {
    {0, 0, 0},        {0, 255, 0},     {168, 168, 255}, {165, 125, 35},
    {40, 170, 40},    {255, 255, 255}, {255, 230, 0},   {190, 190, 200},
};
constexpr TColor kRuneColor = {105, 145, 145};
constexpr TColor kRareColor = {200, 250, 0};
constexpr TColor kEquippedColor = {200, 0, 0};

inline void UseColor(const TColor& c) { SetDrawColor(c.red, c.green, c.blue); }

// Sets the drawing colour an item is shown in: a rare item's own unless ignoreRare, a rune's
// statistic colour (the plain rune colour when plain is 1), a weapon's or armour's statistic colour.
void SetItemColor(const titem& item, int32_t plain, int32_t ignoreRare);

// The bitmap font strip: 56 hand-set glyphs in 14 x 12 cells, shaded grey on magenta.
#pragma once
#include "raster.h"

namespace artgen {

constexpr int kFontCellWidth = 14;
constexpr int kFontCellHeight = 12;
constexpr int kFontCellsPerRow = 28;
constexpr const char* kFontCharset = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,'?!%#+-=$&*:/\\><()";

Picture DrawFontStrip();

}  // namespace artgen

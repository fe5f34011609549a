// Where the 800 x 600 picture goes in a window's drawable of any size: as large as fits with its
// shape kept, centred, the rest black bars.
#pragma once
#include <cstdint>

// In drawable pixels, from the drawable's top-left corner.
struct TLetterbox {
  int32_t x = 0, y = 0;
  int32_t width = 0, height = 0;
  bool operator==(const TLetterbox& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};

// The picture scaled to fit the drawable, the scaled size rounded to whole pixels; empty when either
// has no area.
TLetterbox FitPicture(int32_t pictureWidth, int32_t pictureHeight, int32_t drawableWidth, int32_t drawableHeight);

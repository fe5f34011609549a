// Where the 800 x 600 picture goes in a window's drawable of any size: as large as fits with its
// shape kept, centred, the rest black bars.
#pragma once
#include <cstdint>
#include <vector>

// In drawable pixels, from the drawable's top-left corner.
struct TLetterbox {
  int32_t x = 0, y = 0;
  int32_t width = 0, height = 0;
  bool operator==(const TLetterbox& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};

// The largest drawable side the picture is laid out for: a window system allows 32767, where
// presenting a whole window's pixels overflows the software rasterizer's transfer and needs gigabytes.
constexpr int32_t kLargestDrawableSide = 8192;
// Whether a drawable of this size is beyond what the game shows into.
bool DrawableTooLarge(int32_t drawableWidth, int32_t drawableHeight);

// The picture scaled to fit the drawable (at most kLargestDrawableSide on each side, bars beyond),
// the scaled size rounded to whole pixels, centred; empty when either has no area.
TLetterbox FitPicture(int32_t pictureWidth, int32_t pictureHeight, int32_t drawableWidth, int32_t drawableHeight);

// Sharp scaling between whole multiples, one axis at a time. The picture's pixels are enlarged
// `scale` times (the smallest whole multiple covering the letterbox) and the enlargement is filtered
// linearly down to `shown` pixels; each shown pixel then mixes at most two picture pixels: the one
// its sample falls in (the first) and the one a single enlarged pixel further on (the second). This
// is each shown pixel's share of the second, 0..255, counted from the axis's start. Where both are
// the same picture pixel the share is 0 or 255, whichever keeps the sample furthest from a picture
// pixel's edge, so rounding in the rasteriser never picks a neighbour.
std::vector<uint8_t> SharpShares(int32_t shown, int32_t picture, int32_t scale);
// The same shares seen from the picture's side, one per picture pixel p, for an axis shown between
// whole multiples (shown < scale x picture): samples then lie more than an enlarged pixel apart, so at
// most one shown pixel samples the blended stretch between p and p + 1, and this is its share. Where
// none does, it is 0 or 255 for whichever side's nearest sample lies closer to the stretch, so that a
// sample the rasteriser rounds across a picture pixel's edge still shows the right picture pixel.
std::vector<uint8_t> SharpEdgeShares(int32_t shown, int32_t picture, int32_t scale);

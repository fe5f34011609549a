// Letterbox arithmetic in whole numbers, so the bars on either side differ by a pixel at most and the
// picture never spills out of the drawable; and the shares that keep an enlarged picture sharp.
#include "platform/display/letterbox.h"

#include <algorithm>
#include <cmath>

bool DrawableTooLarge(int32_t drawableWidth, int32_t drawableHeight) {
  return drawableWidth > kLargestDrawableSide || drawableHeight > kLargestDrawableSide;
}

TLetterbox FitPicture(int32_t pictureWidth, int32_t pictureHeight, int32_t drawableWidth, int32_t drawableHeight) {
  TLetterbox box;
  if (pictureWidth <= 0 || pictureHeight <= 0 || drawableWidth <= 0 || drawableHeight <= 0) return box;
  // Fitted into the largest area the game renders for; whatever lies beyond it is bars.
  const int32_t fitWidth = drawableWidth < kLargestDrawableSide ? drawableWidth : kLargestDrawableSide;
  const int32_t fitHeight = drawableHeight < kLargestDrawableSide ? drawableHeight : kLargestDrawableSide;
  const int64_t pw = pictureWidth, ph = pictureHeight, dw = fitWidth, dh = fitHeight;
  if (dw * ph <= dh * pw) {
    // Narrower than the picture: full width, bars above and below.
    box.width = fitWidth;
    box.height = static_cast<int32_t>((ph * dw + pw / 2) / pw);
  } else {
    box.height = fitHeight;
    box.width = static_cast<int32_t>((pw * dh + ph / 2) / ph);
  }
  if (box.width > fitWidth) box.width = fitWidth;
  if (box.height > fitHeight) box.height = fitHeight;
  box.x = (drawableWidth - box.width) / 2;
  box.y = (drawableHeight - box.height) / 2;
  return box;
}

namespace {

// Where shown pixel i samples the enlarged picture, in enlarged pixels, when each shown pixel spans
// `step` of them: its centre, as OpenGL's linear filter places it.
double EnlargedSample(int64_t i, double step) { return (static_cast<double>(i) + 0.5) * step - 0.5; }

uint8_t ShareByte(double share) { return static_cast<uint8_t>(std::lround(share * 255)); }

}  // namespace

std::vector<uint8_t> SharpShares(int32_t shown, int32_t picture, int32_t scale) {
  std::vector<uint8_t> shares(static_cast<size_t>(shown > 0 ? shown : 0));
  if (shown <= 0 || picture <= 0 || scale <= 0) return shares;
  const double step = static_cast<double>(scale) * picture / shown;
  for (int32_t i = 0; i < shown; ++i) {
    // The sample in enlarged pixels, and where it falls between two of them.
    const double at = std::max(EnlargedSample(i, step), 0.0);
    const double below = std::floor(at), fraction = at - below;
    const bool edge = (static_cast<int64_t>(below) + 1) % scale == 0;
    const double share = edge ? fraction : (fraction < 0.5 ? 1 : 0);
    shares[static_cast<size_t>(i)] = ShareByte(share);
  }
  return shares;
}

std::vector<uint8_t> SharpEdgeShares(int32_t shown, int32_t picture, int32_t scale) {
  std::vector<uint8_t> shares(static_cast<size_t>(picture > 0 ? picture : 0));
  if (shown <= 0 || picture <= 0 || scale <= 0 || static_cast<int64_t>(shown) >= static_cast<int64_t>(scale) * picture)
    return shares;
  const double step = static_cast<double>(scale) * picture / shown;
  auto sample = [step](int64_t i) { return EnlargedSample(i, step); };
  for (int32_t p = 0; p < picture; ++p) {
    // The blended stretch: the last enlarged pixel of p. `first` is the first shown pixel sampling at
    // or past its start.
    const double from = static_cast<double>(p) * scale + scale - 1, to = from + 1;
    int64_t first = std::max<int64_t>(static_cast<int64_t>(std::ceil((from + 0.5) / step - 0.5)), 0);
    while (first > 0 && sample(first - 1) >= from) --first;
    while (sample(first) < from) ++first;
    double share = 0;
    if (first < shown && sample(first) < to) {
      share = sample(first) - from;
    } else {
      const double before = first > 0 ? from - sample(first - 1) : HUGE_VAL;
      const double after = first < shown ? sample(first) - to : HUGE_VAL;
      share = after <= before ? 1 : 0;
    }
    shares[static_cast<size_t>(p)] = ShareByte(share);
  }
  return shares;
}

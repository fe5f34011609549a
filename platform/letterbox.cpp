// Letterbox arithmetic in whole numbers, so the bars on either side differ by a pixel at most and the
// picture never spills out of the drawable.
#include "platform/letterbox.h"

TLetterbox FitPicture(int32_t pictureWidth, int32_t pictureHeight, int32_t drawableWidth, int32_t drawableHeight) {
  TLetterbox box;
  if (pictureWidth <= 0 || pictureHeight <= 0 || drawableWidth <= 0 || drawableHeight <= 0) return box;
  const int64_t pw = pictureWidth, ph = pictureHeight, dw = drawableWidth, dh = drawableHeight;
  if (dw * ph <= dh * pw) {
    // Narrower than the picture: full width, bars above and below.
    box.width = drawableWidth;
    box.height = static_cast<int32_t>((ph * dw + pw / 2) / pw);
  } else {
    box.height = drawableHeight;
    box.width = static_cast<int32_t>((pw * dh + ph / 2) / ph);
  }
  if (box.width > drawableWidth) box.width = drawableWidth;
  if (box.height > drawableHeight) box.height = drawableHeight;
  box.x = (drawableWidth - box.width) / 2;
  box.y = (drawableHeight - box.height) / 2;
  return box;
}

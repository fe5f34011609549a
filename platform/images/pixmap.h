// Pixmaps: pixels in memory in one of six formats, made, converted, masked and scaled.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

// Pixel formats: 1 grey, 2 alpha, 3 BGR, 4 RGB, 5 BGRA, 6 RGBA (the working format).
struct TPixmap {
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;
  int32_t format = 0;
  std::vector<uint8_t> pixels;
};

std::unique_ptr<TPixmap> MakePixmap(int32_t width, int32_t height, int32_t format);
int32_t PixmapBytesPerPixel(int32_t format);
bool PixmapHasAlpha(int32_t format);
std::unique_ptr<TPixmap> ConvertPixmap(const TPixmap& source, int32_t format);
std::unique_ptr<TPixmap> MaskPixmap(const TPixmap& source, int32_t red, int32_t green, int32_t blue);
// Nearest-neighbour scaling to width x height (textures larger than the hardware allows).
std::unique_ptr<TPixmap> ScalePixmap(const TPixmap& source, int32_t width, int32_t height);

// Pixmaps: the bytes of each format, making, converting between formats, masking one colour out
// (with the neighbours' colour under it, so filtering shows no fringe) and nearest-neighbour scaling.
#include "platform/images/pixmap.h"

#include <algorithm>

namespace {

// One pixel as RGBA, whatever the format.
void ReadRgba(const uint8_t* p, int32_t format, uint8_t out[4]) {
  switch (format) {
    case 1: out[0] = out[1] = out[2] = p[0]; out[3] = 255; break;
    case 2: out[0] = out[1] = out[2] = 255; out[3] = p[0]; break;
    case 3: out[0] = p[2]; out[1] = p[1]; out[2] = p[0]; out[3] = 255; break;
    case 4: out[0] = p[0]; out[1] = p[1]; out[2] = p[2]; out[3] = 255; break;
    case 5: out[0] = p[2]; out[1] = p[1]; out[2] = p[0]; out[3] = p[3]; break;
    default: out[0] = p[0]; out[1] = p[1]; out[2] = p[2]; out[3] = p[3]; break;
  }
}

void WriteRgba(uint8_t* p, int32_t format, const uint8_t in[4]) {
  switch (format) {
    case 1: p[0] = static_cast<uint8_t>((in[0] * 299 + in[1] * 587 + in[2] * 114) / 1000); break;
    case 2: p[0] = in[3]; break;
    case 3: p[0] = in[2]; p[1] = in[1]; p[2] = in[0]; break;
    case 4: p[0] = in[0]; p[1] = in[1]; p[2] = in[2]; break;
    case 5: p[0] = in[2]; p[1] = in[1]; p[2] = in[0]; p[3] = in[3]; break;
    default: p[0] = in[0]; p[1] = in[1]; p[2] = in[2]; p[3] = in[3]; break;
  }
}

}  // namespace

int32_t PixmapBytesPerPixel(int32_t format) {
  switch (format) {
    case 1:
    case 2: return 1;
    case 3:
    case 4: return 3;
    default: return 4;
  }
}

bool PixmapHasAlpha(int32_t format) { return format == 2 || format == 5 || format == 6; }

std::unique_ptr<TPixmap> MakePixmap(int32_t width, int32_t height, int32_t format) {
  auto pixmap = std::make_unique<TPixmap>();
  pixmap->width = std::max(width, 0);
  pixmap->height = std::max(height, 0);
  pixmap->format = format;
  pixmap->pitch = pixmap->width * PixmapBytesPerPixel(format);
  pixmap->pixels.assign(static_cast<size_t>(pixmap->pitch) * pixmap->height, 0);
  return pixmap;
}

std::unique_ptr<TPixmap> ConvertPixmap(const TPixmap& source, int32_t format) {
  auto out = MakePixmap(source.width, source.height, format);
  int32_t inBpp = PixmapBytesPerPixel(source.format), outBpp = PixmapBytesPerPixel(format);
  uint8_t rgba[4];
  for (int32_t y = 0; y < source.height; ++y) {
    const uint8_t* in = &source.pixels[static_cast<size_t>(y) * source.pitch];
    uint8_t* o = &out->pixels[static_cast<size_t>(y) * out->pitch];
    for (int32_t x = 0; x < source.width; ++x) {
      ReadRgba(in + x * inBpp, source.format, rgba);
      WriteRgba(o + x * outBpp, format, rgba);
    }
  }
  return out;
}

std::unique_ptr<TPixmap> MaskPixmap(const TPixmap& source, int32_t red, int32_t green, int32_t blue) {
  auto rgba = ConvertPixmap(source, 6);
  auto out = MakePixmap(source.width, source.height, 6);
  const int32_t w = rgba->width, h = rgba->height;
  auto at = [&](int32_t x, int32_t y) { return &rgba->pixels[(static_cast<size_t>(y) * w + x) * 4]; };
  auto isMask = [&](const uint8_t* p) { return p[0] == red && p[1] == green && p[2] == blue; };
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t* p = at(x, y);
      uint8_t* o = &out->pixels[(static_cast<size_t>(y) * w + x) * 4];
      if (!isMask(p)) {
        o[0] = p[0];
        o[1] = p[1];
        o[2] = p[2];
        o[3] = 255;
        continue;
      }
      // A transparent pixel takes its neighbours' colour so filtered edges get no mask-coloured fringe.
      int32_t sum[3] = {0, 0, 0}, count = 0;
      for (int32_t dy = -1; dy <= 1; ++dy) {
        for (int32_t dx = -1; dx <= 1; ++dx) {
          int32_t nx = x + dx, ny = y + dy;
          if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
          const uint8_t* n = at(nx, ny);
          if (isMask(n)) continue;
          sum[0] += n[0];
          sum[1] += n[1];
          sum[2] += n[2];
          ++count;
        }
      }
      for (int c = 0; c < 3; ++c) o[c] = static_cast<uint8_t>(count ? sum[c] / count : 0);
      o[3] = 0;
    }
  }
  return out;
}

std::unique_ptr<TPixmap> ScalePixmap(const TPixmap& source, int32_t width, int32_t height) {
  auto out = MakePixmap(width, height, source.format);
  int32_t bpp = PixmapBytesPerPixel(source.format);
  for (int32_t y = 0; y < height; ++y) {
    int32_t sy = static_cast<int32_t>(static_cast<int64_t>(y) * source.height / height);
    for (int32_t x = 0; x < width; ++x) {
      int32_t sx = static_cast<int32_t>(static_cast<int64_t>(x) * source.width / width);
      std::copy_n(&source.pixels[static_cast<size_t>(sy) * source.pitch + sx * bpp], bpp,
                  &out->pixels[static_cast<size_t>(y) * out->pitch + x * bpp]);
    }
  }
  return out;
}

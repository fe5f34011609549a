// Images and pixmaps in memory: the load settings (mask colour, default flags, mid-handle), loading
// whole images and strips of cells through the resource streams, storing frames (masking the
// alpha-less ones), and the pixel-format conversions. Textures are made by the display
// (platform/display/texture.cpp), which these files tell through hooks when frames change.
#include "platform/images/image.h"

#include <algorithm>

#include "platform/files/resources.h"

namespace {

int32_t maskRed = 0, maskGreen = 0, maskBlue = 0;
int32_t defaultFlags = 0;
bool autoMidHandle = false;
TImageTextureHooks textureHooks;

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

ImagePtr NewImage(int32_t width, int32_t height, int32_t frames, int32_t flags) {
  auto image = std::make_unique<TImage>();
  image->width = width;
  image->height = height;
  image->flags = flags;
  image->maskRed = maskRed;
  image->maskGreen = maskGreen;
  image->maskBlue = maskBlue;
  image->pixmaps.resize(static_cast<size_t>(frames));
  image->frames.resize(static_cast<size_t>(frames));
  image->sequences.assign(static_cast<size_t>(frames), 0);
  return image;
}

void FinishImage(TImage& image) {
  if (autoMidHandle) {
    image.handleX = static_cast<float>(image.width) * 0.5f;
    image.handleY = static_cast<float>(image.height) * 0.5f;
  }
}

}  // namespace

TImage::~TImage() {
  if (textureHooks.imageGone) textureHooks.imageGone(this);
}

void SetImageTextureHooks(const TImageTextureHooks& hooks) { textureHooks = hooks; }

void SetMaskColor(int32_t red, int32_t green, int32_t blue) {
  maskRed = red;
  maskGreen = green;
  maskBlue = blue;
}

void GetMaskColor(int32_t& red, int32_t& green, int32_t& blue) {
  red = maskRed;
  green = maskGreen;
  blue = maskBlue;
}

void SetDefaultImageFlags(int32_t flags) { defaultFlags = flags; }
int32_t DefaultImageFlags() { return defaultFlags; }
void SetAutoMidHandle(bool on) { autoMidHandle = on; }
bool AutoMidHandle() { return autoMidHandle; }

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

std::unique_ptr<TPixmap> LoadPixmap(const Text& path) {
  StreamPtr stream = OpenResourceStream(path);
  if (!stream) return nullptr;
  if (stream->kind == TStream::Kind::Memory && stream->data) return DecodePixmap(stream->data, stream->Size());
  std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(stream->Size(), 0)));
  int64_t got = bytes.empty() ? 0 : stream->Read(bytes.data(), static_cast<int64_t>(bytes.size()));
  return DecodePixmap(bytes.data(), got);
}

std::unique_ptr<TPixmap> DecodePixmap(const uint8_t* data, int64_t size) {
  if (!data || size <= 0) return nullptr;
  if (auto png = DecodePng(data, size)) return png;
  return DecodeJpeg(data, size);
}

void StoreImageFrame(TImage* image, int32_t frame, std::unique_ptr<TPixmap> pixmap) {
  if (!image || !pixmap || frame < 0 || frame >= image->FrameCount()) return;
  if ((image->flags & ImageMasked) && !PixmapHasAlpha(pixmap->format))
    pixmap = MaskPixmap(*pixmap, image->maskRed, image->maskGreen, image->maskBlue);
  size_t i = static_cast<size_t>(frame);
  if (textureHooks.frameReplaced) textureHooks.frameReplaced(image, frame);
  image->pixmaps[i] = std::move(pixmap);
  image->frames[i] = TImageFrame{};
  image->sequences[i] = 0;
}

void SetImageHandle(TImage* image, float handleX, float handleY) {
  if (!image) return;
  image->handleX = handleX;
  image->handleY = handleY;
}

ImagePtr MakeImageFromPixmap(const TPixmap& pixmap, int32_t flags) {
  if (flags == -1) flags = defaultFlags;
  ImagePtr image = NewImage(pixmap.width, pixmap.height, 1, flags);
  StoreImageFrame(image.get(), 0, std::make_unique<TPixmap>(pixmap));
  FinishImage(*image);
  return image;
}

ImagePtr LoadImageResource(const Text& path, int32_t flags) {
  auto pixmap = LoadPixmap(path);
  if (!pixmap) return nullptr;
  if (flags == -1) flags = defaultFlags;
  ImagePtr image = NewImage(pixmap->width, pixmap->height, 1, flags);
  StoreImageFrame(image.get(), 0, std::move(pixmap));
  FinishImage(*image);
  return image;
}

ImagePtr LoadImageStrip(const Text& path, int32_t cellWidth, int32_t cellHeight, int32_t firstCell,
                        int32_t cellCount, int32_t flags) {
  if (cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0) return nullptr;
  if (flags == -1) flags = defaultFlags;
  auto strip = LoadPixmap(path);
  if (!strip) return nullptr;
  // Partial cells at the right and the bottom are not cells.
  int64_t across = strip->width / cellWidth, down = strip->height / cellHeight;
  if (across * down < static_cast<int64_t>(firstCell) + cellCount) return nullptr;
  ImagePtr image = NewImage(cellWidth, cellHeight, cellCount, flags);
  int32_t bpp = PixmapBytesPerPixel(strip->format);
  for (int32_t c = firstCell; c < firstCell + cellCount; ++c) {
    auto cell = MakePixmap(cellWidth, cellHeight, strip->format);
    int32_t left = cellWidth * static_cast<int32_t>(c % across);
    int32_t top = cellHeight * static_cast<int32_t>(c / across);
    for (int32_t y = 0; y < cellHeight; ++y)
      std::copy_n(&strip->pixels[static_cast<size_t>(top + y) * strip->pitch + static_cast<size_t>(left) * bpp],
                  cell->pitch, &cell->pixels[static_cast<size_t>(y) * cell->pitch]);
    StoreImageFrame(image.get(), c - firstCell, std::move(cell));
  }
  FinishImage(*image);
  return image;
}

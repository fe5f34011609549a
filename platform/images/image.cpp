// Images in memory: the load settings (mask colour, default flags, mid-handle), loading whole images
// and strips of cells through the resource streams, and storing frames (masking the alpha-less ones).
// Textures are made by the display (platform/display/texture.cpp), which is told through hooks when
// frames change.
#include "platform/images/image.h"

#include <algorithm>

#include "platform/files/resources.h"
#include "platform/images/codecs.h"

namespace {

int32_t maskRed = 0, maskGreen = 0, maskBlue = 0;
int32_t defaultFlags = 0;
bool autoMidHandle = false;
TImageTextureHooks textureHooks;

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

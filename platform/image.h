// Images and pixmaps: pixels in memory (TPixmap), multi-frame images of equal cells (TImage) whose
// frames become textures of the current display on first draw, the mask colour that makes one RGB
// colour of alpha-less pictures transparent, and the PNG/JPEG decoders (libpng, libjpeg).
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/stream.h"
#include "platform/text.h"

// Pixel formats: 1 grey, 2 alpha, 3 BGR, 4 RGB, 5 BGRA, 6 RGBA (the working format).
struct TPixmap {
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;
  int32_t format = 0;
  std::vector<uint8_t> pixels;
};

struct TImageFrame {
  uint32_t texture = 0;
  float u1 = 0, v1 = 0;  // texture coordinates of the image's lower-right corner
};

enum ImageFlags { ImageMasked = 1, ImageFiltered = 2, ImageMipmapped = 4 };

struct TImage {
  int32_t width = 0;
  int32_t height = 0;
  int32_t flags = 0;
  int32_t maskRed = 0, maskGreen = 0, maskBlue = 0;
  float handleX = 0, handleY = 0;
  std::vector<std::unique_ptr<TPixmap>> pixmaps;
  std::vector<TImageFrame> frames;
  std::vector<uint32_t> sequences;  // display sequence at which each frame's texture was made

  ~TImage();
  int32_t FrameCount() const { return static_cast<int32_t>(pixmaps.size()); }
};

using ImagePtr = std::unique_ptr<TImage>;

void SetMaskColor(int32_t red, int32_t green, int32_t blue);
void GetMaskColor(int32_t& red, int32_t& green, int32_t& blue);
void SetDefaultImageFlags(int32_t flags);
int32_t DefaultImageFlags();
void SetAutoMidHandle(bool on);

ImagePtr LoadImageResource(const Text& path, int32_t flags);
ImagePtr LoadImageStrip(const Text& path, int32_t cellWidth, int32_t cellHeight, int32_t firstCell,
                        int32_t cellCount, int32_t flags);

// Decoding: the PNG then the JPEG decoder; none recognises the data → nullptr. Never exits, never
// throws, never longjmps through C++ frames.
std::unique_ptr<TPixmap> LoadPixmap(const Text& path);
std::unique_ptr<TPixmap> DecodePixmap(const uint8_t* data, int64_t size);

// Pixmap helpers.
std::unique_ptr<TPixmap> ConvertPixmap(const TPixmap& source, int32_t format);
std::unique_ptr<TPixmap> MaskPixmap(const TPixmap& source, int32_t red, int32_t green, int32_t blue);

// The frame's texture, made (again) when the display changed; used by the display's drawing.
TImageFrame* ImageFrameTexture(TImage* image, int32_t frame);

// Writes an RGB or RGBA pixmap as PNG (screenshots, the art tools); false on failure.
bool WritePng(const TPixmap& pixmap, const char* path);

// Images and pixmaps: pixels in memory (TPixmap), multi-frame images of equal cells (TImage) whose
// frames become textures of the current display on first draw (platform/display/texture), the mask
// colour that makes one RGB colour of alpha-less pictures transparent, and the PNG/JPEG codecs
// (libpng, libjpeg).
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/text.h"

// Pixel formats: 1 grey, 2 alpha, 3 BGR, 4 RGB, 5 BGRA, 6 RGBA (the working format).
struct TPixmap {
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;
  int32_t format = 0;
  std::vector<uint8_t> pixels;
};

// One frame's texture. u1, v1 are the image's lower-right corner in the frame's own power-of-two
// texture (14 x 12 in 16 x 16 gives 0.875, 0.75). Frames of a strip may share one texture, each in a
// cell of its own with a one-texel clamped border: the drawing maps (u, v) to
// (s0 + u * sScale, t0 + v * tScale), which is the identity for a texture of its own.
struct TImageFrame {
  uint32_t texture = 0;
  float u1 = 0, v1 = 0;  // texture coordinates of the image's lower-right corner
  float s0 = 0, t0 = 0;
  float sScale = 1, tScale = 1;
  bool opaque = false;    // every texel of the image fully opaque (an own texture only)
  bool fullSize = false;  // the texture holds the image unscaled
  int32_t pageCell = -1;  // the frame's cell when it lives in a shared page of small pictures
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
  // The texture the frames of a strip share (0 when each frame has its own), and its display sequence.
  uint32_t atlasTexture = 0;
  uint32_t atlasSequence = 0;

  ~TImage();
  int32_t FrameCount() const { return static_cast<int32_t>(pixmaps.size()); }
};

using ImagePtr = std::unique_ptr<TImage>;

void SetMaskColor(int32_t red, int32_t green, int32_t blue);
void GetMaskColor(int32_t& red, int32_t& green, int32_t& blue);
void SetDefaultImageFlags(int32_t flags);
int32_t DefaultImageFlags();
void SetAutoMidHandle(bool on);
bool AutoMidHandle();

ImagePtr LoadImageResource(const Text& path, int32_t flags);
ImagePtr LoadImageStrip(const Text& path, int32_t cellWidth, int32_t cellHeight, int32_t firstCell,
                        int32_t cellCount, int32_t flags);
// An image of one frame made from a pixmap in memory (tests, the bench), under the same rules as
// LoadImageResource (flags -1 = the default flags; masked when the flags say so).
ImagePtr MakeImageFromPixmap(const TPixmap& pixmap, int32_t flags);
// Replaces frame `frame` (masking it when the image's flags say so); its texture is made again.
void StoreImageFrame(TImage* image, int32_t frame, std::unique_ptr<TPixmap> pixmap);

// Decoding: the PNG then the JPEG decoder; none recognises the data → nullptr. Never exits, never
// throws, never longjmps through C++ frames.
std::unique_ptr<TPixmap> LoadPixmap(const Text& path);
std::unique_ptr<TPixmap> DecodePixmap(const uint8_t* data, int64_t size);
std::unique_ptr<TPixmap> DecodePng(const uint8_t* data, int64_t size);
std::unique_ptr<TPixmap> DecodeJpeg(const uint8_t* data, int64_t size);

// Where the image is drawn from, relative to its top-left corner.
void SetImageHandle(TImage* image, float handleX, float handleY);

// Pixmap helpers.
std::unique_ptr<TPixmap> MakePixmap(int32_t width, int32_t height, int32_t format);
int32_t PixmapBytesPerPixel(int32_t format);
bool PixmapHasAlpha(int32_t format);
std::unique_ptr<TPixmap> ConvertPixmap(const TPixmap& source, int32_t format);
std::unique_ptr<TPixmap> MaskPixmap(const TPixmap& source, int32_t red, int32_t green, int32_t blue);
// Nearest-neighbour scaling to width x height (textures larger than the hardware allows).
std::unique_ptr<TPixmap> ScalePixmap(const TPixmap& source, int32_t width, int32_t height);

// The textures made of an image's frames belong to the display that made them: it is told when a
// frame's pixels are replaced and when an image goes, so it can give them up.
struct TImageTextureHooks {
  void (*frameReplaced)(TImage* image, int32_t frame) = nullptr;
  void (*imageGone)(TImage* image) = nullptr;
};
void SetImageTextureHooks(const TImageTextureHooks& hooks);

// Writes an RGB or RGBA pixmap as a PNG file (screenshots); false on failure.
bool WritePng(const TPixmap& pixmap, const char* path);
// How a PNG is written. Screenshots take zlib's level 6 and libpng's own choice of row filters; the
// art generator writes the shipped art at level 9 with the none, sub and up filters only.
struct TPngSettings {
  int32_t compressionLevel = 6;
  bool noneSubUpFilters = false;
};
// The same PNG bytes in memory; false on failure.
bool EncodePng(const TPixmap& pixmap, std::vector<uint8_t>& bytes, const TPngSettings& settings = {});
// A pixmap as baseline JPEG of the given quality (1..100), RGB or grey, with optimised Huffman tables
// and the exact integer DCT, so the same pixels always give the same bytes; false on failure.
bool EncodeJpeg(const TPixmap& pixmap, int32_t quality, std::vector<uint8_t>& bytes);

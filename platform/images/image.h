// Images: multi-frame images of equal cells (TImage) loaded from the resource streams, whose frames
// become textures of the current display on first draw (platform/display/texture), the load
// settings, and the mask colour that makes one RGB colour of alpha-less pictures transparent.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/text.h"
#include "platform/images/pixmap.h"

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

// A picture file (a resource path or a file) or bytes decoded: the PNG then the JPEG decoder; none
// recognises the data → nullptr.
std::unique_ptr<TPixmap> LoadPixmap(const Text& path);
std::unique_ptr<TPixmap> DecodePixmap(const uint8_t* data, int64_t size);

// Where the image is drawn from, relative to its top-left corner.
void SetImageHandle(TImage* image, float handleX, float handleY);

// The textures made of an image's frames belong to the display that made them: it is told when a
// frame's pixels are replaced and when an image goes, so it can give them up.
struct TImageTextureHooks {
  void (*frameReplaced)(TImage* image, int32_t frame) = nullptr;
  void (*imageGone)(TImage* image) = nullptr;
};
void SetImageTextureHooks(const TImageTextureHooks& hooks);

// A white stand-in picture of equal frames, for tests that draw through the recorder and need an
// image of the right size without decoding the game's art. Shared by the test programs.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/images/image.h"

inline ImagePtr MakeStandInImage(int32_t width, int32_t height, int32_t frames) {
  auto image = std::make_unique<TImage>();
  image->width = width;
  image->height = height;
  for (int32_t i = 0; i < frames; ++i) {
    auto pixmap = std::make_unique<TPixmap>();
    pixmap->width = width;
    pixmap->height = height;
    pixmap->format = 6;
    pixmap->pitch = width * 4;
    pixmap->pixels.assign(static_cast<size_t>(width * height * 4), 255);
    image->pixmaps.push_back(std::move(pixmap));
  }
  image->frames.resize(static_cast<size_t>(frames));
  image->sequences.resize(static_cast<size_t>(frames));
  return image;
}

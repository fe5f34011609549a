// Image frames as textures of the current display (texture.cpp): made on a frame's first draw and
// again after the display changed, given up when the frame's pixels are replaced or its image goes.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/images/image.h"

// The frame's texture, made (again) when the display changed; used by the display's drawing.
// nullptr when no display is open or the frame does not exist.
TImageFrame* ImageFrameTexture(TImage* image, int32_t frame);
// The RGBA pixmap a frame's texture is made from (power-of-two sized, edge duplicated), and its
// texture coordinates; what ImageFrameTexture uploads, exposed so it can be checked without a display.
std::unique_ptr<TPixmap> BuildTexturePixmap(const TPixmap& source, int32_t texWidth, int32_t texHeight,
                                            float& u1, float& v1);
// The display whose OpenGL context textures are made in from now on (its sequence number), 0 while
// none has one: the display says so as it opens, closes or is abandoned. From the first call on, the
// images tell the textures when a frame's pixels are replaced or an image goes.
void SetTextureDisplay(uint32_t display);

// The display's one door to OpenGL, for display.cpp and texture.cpp: the SDL window and its OpenGL 1.x
// context (gl_window.cpp), presenting the picture letterboxed and reading it back (gl_present.cpp),
// the batch of textured quads and its drawing state (gl_batch.cpp), and textures (gl_textures.cpp).
// With no window open every call does nothing.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/display/letterbox.h"

// The window. Opens the window and context and the picture's framebuffers; false with a one-line reason.
bool GlOpenWindow(int32_t width, int32_t height, bool fullScreen, bool headless, std::string& error);
void GlCloseWindow();
// Shuts SDL's video down (the end of the program).
void GlShutdown();
bool GlWindowOpen();
// The desktop's refresh rate in hertz, 0 when unknown.
int32_t GlDesktopRefreshRate();
// The window was resized, exposed or switched: reads its drawable's size again and shows the picture.
void GlWindowChanged();
void GlToggleFullScreen();
void GlResizeWindow(int32_t width, int32_t height);
void GlDrawableSize(int32_t& width, int32_t& height);
TLetterbox GlPictureArea();

// Presenting. Keeps the picture as the presented copy and shows it letterboxed in the window; sync 1
// waits for the vertical blank, 0 does not.
void GlPresent(int32_t sync);
// Shows the presented copy again.
void GlShowPresented();
// The presented picture as RGB bytes, top row first (800 x 600 x 3); false with no display.
bool GlReadPresented(std::vector<uint8_t>& rgb, int32_t& width, int32_t& height);
// A rectangle of the drawable as showing the presented picture leaves it, as RGB rows, top row first.
bool GlReadShownArea(int32_t x, int32_t y, int32_t width, int32_t height, std::vector<uint8_t>& rgb);

// The batch and its drawing state.
void GlClear(int32_t red, int32_t green, int32_t blue);
void GlApplyBlend(int32_t mode);
void GlSetViewport(int32_t x, int32_t y, int32_t width, int32_t height);
// One corner of a quad: position, texture coordinates, colour.
struct TQuadCorner {
  float x, y, s, t;
};
// texelExact: the quad maps texel centres onto pixel centres (unscaled or mirrored, whole pixels), so
// the nearest texel is what filtering would give.
void GlQueueQuad(uint32_t texture, const TQuadCorner corners[4], const uint8_t rgba[4], bool texelExact);
// Sends the batched quads to OpenGL (before anything reads or changes what they use).
void GlFlushQuads();
// Textures were bound behind the batch's back.
void GlForgetBoundTexture();
// An opaque frame drawn unscaled at a whole-pixel position, in mode 1 or 2: drawn once into a
// picture of its own and copied from there on later draws (the same pixels, far cheaper).
bool GlCanCopyOpaque();
void GlDrawOpaqueByCopy(uint32_t texture, float u1, float v1, int32_t width, int32_t height, int32_t x, int32_t y,
                        const uint8_t rgba[4]);
// Deletes textures, after drawing what still uses them (and forgetting copies made from them).
void GlDeleteTextures(const std::vector<uint32_t>& textures);

// Textures. Whether the driver takes an RGBA texture of this size (asked with a proxy), and whether
// it takes textures of any size (OpenGL 2.0 and later, or the extension before it).
bool GlTextureFits(int32_t width, int32_t height);
bool GlAnySizeTextures();
// A texture of width x height from RGBA pixels (nullptr: its contents come later, by parts), clamped
// at its edges, enlarged linearly when filtered, mipmapped when asked (its levels given after it).
uint32_t GlMakeTexture(int32_t width, int32_t height, const uint8_t* pixels, bool filtered, bool mipmapped);
// One more mipmap level of the texture just made.
void GlAddTextureLevel(int32_t level, int32_t width, int32_t height, const uint8_t* pixels);
// Writes RGBA pixels into part of a texture, after drawing the queued quads that use its old contents.
void GlWriteTexture(uint32_t texture, int32_t left, int32_t top, int32_t width, int32_t height,
                    const uint8_t* pixels);

// The OpenGL side of the images' textures: asking what sizes the driver takes, making a texture
// (clamped at its edges, filtered or not, its mipmap levels given after it), and writing part of
// one. What goes into them, and where, is decided in texture.cpp.
#include "platform/display/gl.h"

#include <SDL_opengl.h>

#include <cstring>

bool GlTextureFits(int32_t width, int32_t height) {
  // The largest side rather than a proxy texture: a browser's GL has no proxies.
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  return width <= largest && height <= largest;
}

bool GlAnySizeTextures() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return (version && version[0] >= '2' && version[0] <= '9') ||
         (extensions && std::strstr(extensions, "GL_ARB_texture_non_power_of_two"));
}

uint32_t GlMakeTexture(int32_t width, int32_t height, const uint8_t* pixels, bool filtered, bool mipmapped) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  GlForgetBoundTexture();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filtered ? GL_LINEAR : GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  return texture;
}

void GlAddTextureLevel(int32_t level, int32_t width, int32_t height, const uint8_t* pixels) {
  glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

void GlWriteTexture(uint32_t texture, int32_t left, int32_t top, int32_t width, int32_t height,
                    const uint8_t* pixels) {
  GlFlushQuads();
  glBindTexture(GL_TEXTURE_2D, texture);
  GlForgetBoundTexture();
  glTexSubImage2D(GL_TEXTURE_2D, 0, left, top, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

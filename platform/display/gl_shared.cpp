// The window record and the entry points the display's OpenGL files share (gl_shared.h), and the
// render target each of them makes.
#include "platform/display/gl_shared.h"

PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
PFNGLFRAMEBUFFERTEXTURE2DPROC framebufferTexture2D = nullptr;
PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
PFNGLCOPYIMAGESUBDATAPROC copyImageSubData = nullptr;
PFNGLGENSAMPLERSPROC genSamplers = nullptr;
PFNGLDELETESAMPLERSPROC deleteSamplers = nullptr;
PFNGLBINDSAMPLERPROC bindSampler = nullptr;
PFNGLSAMPLERPARAMETERIPROC samplerParameteri = nullptr;

TGlWindow gl;

GLuint MakeTarget(int32_t width, int32_t height) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  return texture;
}

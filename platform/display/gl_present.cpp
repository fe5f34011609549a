// Presenting: the picture copied as the one last presented, shown scaled to fit and letterboxed in
// the window's drawable and swapped, and read back (screenshots, pixel probes). Enlarged, the picture
// stays sharp (see ShowInto), drawn in two passes with texture combiners, across then down, from
// shares worked out in letterbox.cpp. Headless nothing is shown: only the copy, and the letterboxed
// picture when a test asks for one of its pixels.
#include "platform/display/gl.h"
#include "platform/display/gl_shared.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/display/letterbox.h"

namespace {

// The whole of a texture over the viewport, sampled nearest or linearly.
void DrawTextureOverViewport(GLuint texture, bool nearest) {
  glBindTexture(GL_TEXTURE_2D, texture);
  const GLint filter = nearest ? GL_NEAREST : GL_LINEAR;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(0, 0);
  glTexCoord2f(1, 0);
  glVertex2f(1, 0);
  glTexCoord2f(1, 1);
  glVertex2f(1, 1);
  glTexCoord2f(0, 1);
  glVertex2f(0, 1);
  glEnd();
}

// The smallest whole multiple of the picture that covers the letterbox: 1 when the picture is shown
// at its own size or smaller, which linear filtering alone shows as well as it can be.
int32_t WholeScaleCovering(const TLetterbox& box) {
  if (gl.width <= 0 || gl.height <= 0) return 1;
  int32_t across = (box.width + gl.width - 1) / gl.width, down = (box.height + gl.height - 1) / gl.height;
  return std::max({across, down, 1});
}

// The whole multiple a letterbox is sharpened from, 0 when it needs no sharpening (the picture's own
// size or smaller, or a whole multiple, which the nearest texel shows exactly).
int32_t SharpScaleFor(const TLetterbox& box) {
  const int32_t scale = WholeScaleCovering(box);
  if (scale == 1 || (box.width == gl.width * scale && box.height == gl.height * scale)) return 0;
  return scale;
}

GLuint MakeShares(const std::vector<uint8_t>& shares) {
  // Four equal bytes a texel: the combiners read the share as alpha, and RGBA is the rasteriser's
  // quickest format.
  std::vector<uint8_t> texels(shares.size() * 4);
  for (size_t i = 0; i < shares.size(); ++i) std::memset(&texels[i * 4], shares[i], 4);
  // One row of a 2D texture rather than a 1D one: WebGL has no 1D textures. Each pass binds it
  // sampling the nearest texel.
  const GLsizei width = static_cast<GLsizei>(shares.size());
  const GLuint texture = MakeTarget(width, 1);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, 1, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  return texture;
}

// What sharpening a letterbox needs, made (or made again for another layout) when asked for; false
// when the driver cannot hold it or has too few texture units, and the picture is filtered plainly.
bool EnsureSharp(const TLetterbox& box, int32_t scale) {
  if (gl.sharpScale == scale && gl.sharpWidth == box.width && gl.sharpHeight == box.height && gl.acrossFbo)
    return true;
  DropSharp();
  GLint largest = 0, units = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
  if (units < 3 || box.width > largest || box.height > largest) return false;
  gl.acrossTexture = MakeTarget(box.width, gl.height);
  // The pass across writes colour only, so the shares down stay in its alpha, one per row.
  if (box.height < gl.height * scale) {
    const std::vector<uint8_t> down = SharpEdgeShares(box.height, gl.height, scale);
    std::vector<uint8_t> texels(static_cast<size_t>(box.width) * gl.height * 4);
    for (int32_t row = 0; row < gl.height; ++row)
      for (int32_t x = 0; x < box.width; ++x) texels[(static_cast<size_t>(row) * box.width + x) * 4 + 3] = down[row];
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, box.width, gl.height, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  }
  genFramebuffers(1, &gl.acrossFbo);
  bindFramebuffer(GL_FRAMEBUFFER, gl.acrossFbo);
  framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gl.acrossTexture, 0);
  if (checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    DropSharp();
    return false;
  }
  gl.sharesAcross = MakeShares(SharpShares(box.width, gl.width, scale));
  gl.sharpWidth = box.width;
  gl.sharpHeight = box.height;
  gl.sharpScale = scale;
  return true;
}

// One unit's combiner: colour and alpha each replaced by its own texture's or the previous result's.
void CombineReplace(GLenum unit, GLenum rgbSource, GLenum alphaSource) {
  glActiveTexture(unit);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_REPLACE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, rgbSource);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, alphaSource);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
}

void BindNearest(GLenum unit, GLuint texture) {
  glActiveTexture(unit);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

// One pass of sharp scaling over the viewport, along one axis (across or down) of a texture of
// texWidth x texHeight. Each unit reads only its own texture and the previous unit's result (all a
// browser's emulated fixed functions offer): the pixel's share from the one-row texture `shares`
// first when there is one, then the nearest texel at the pixel's sample less `reach` texels (its
// alpha the share when there is no `shares`), then the one at plus `reach`, mixed with the first by
// the share. Along the other axis pixels and texels match one for one. Texture coordinates go in
// per-unit arrays, since the browser's emulation has no glMultiTexCoord.
void DrawSharpPass(GLuint texture, int32_t texWidth, int32_t texHeight, bool across, GLuint shares, float reach) {
  const float ds = across ? reach / static_cast<float>(texWidth) : 0;
  const float dt = across ? 0 : reach / static_cast<float>(texHeight);
  const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  float shareCoords[4][2], firstCoords[4][2], secondCoords[4][2];
  for (int i = 0; i < 4; ++i) {
    shareCoords[i][0] = across ? corners[i][0] : corners[i][1];
    shareCoords[i][1] = 0;
    firstCoords[i][0] = corners[i][0] - ds;
    firstCoords[i][1] = corners[i][1] - dt;
    secondCoords[i][0] = corners[i][0] + ds;
    secondCoords[i][1] = corners[i][1] + dt;
  }
  const GLenum first = shares ? GL_TEXTURE1 : GL_TEXTURE0;
  const GLenum second = first + 1;
  if (shares) {
    BindNearest(GL_TEXTURE0, shares);
    CombineReplace(GL_TEXTURE0, GL_TEXTURE, GL_TEXTURE);
  }
  BindNearest(first, texture);
  CombineReplace(first, GL_TEXTURE, shares ? GL_PREVIOUS : GL_TEXTURE);
  BindNearest(second, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_INTERPOLATE);  // second x share + first x (1 - share)
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_TEXTURE);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_PREVIOUS);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE2_RGB, GL_PREVIOUS);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND2_RGB, GL_SRC_ALPHA);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_PREVIOUS);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
  const std::pair<GLenum, const float*> arrays[3] = {
      {GL_TEXTURE0, &shareCoords[0][0]}, {first, &firstCoords[0][0]}, {second, &secondCoords[0][0]}};
  for (int i = shares ? 0 : 1; i < 3; ++i) {
    glClientActiveTexture(arrays[i].first);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, arrays[i].second);
  }
  glVertexPointer(2, GL_FLOAT, 0, &corners[0][0]);
  glDrawArrays(GL_QUADS, 0, 4);
  for (GLenum unit : {GL_TEXTURE2, GL_TEXTURE1, GL_TEXTURE0}) {
    glActiveTexture(unit);
    glClientActiveTexture(unit);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (unit != GL_TEXTURE0) {
      glDisableClientState(GL_TEXTURE_COORD_ARRAY);
      glDisable(GL_TEXTURE_2D);
    }
  }
}

// The presented picture in its letterbox, black bars around it, drawn into a framebuffer of
// width x height (0: the window's own). Enlarged, every picture pixel stays sharp: at a whole multiple
// each becomes a square block of screen pixels (nearest texel); between whole multiples the result is
// the picture enlarged texel for pixel to the next whole multiple and filtered down from there, so an
// edge between two picture pixels blends into one screen pixel at most instead of smearing across
// the whole scale. That result is drawn in two passes, across then down (filtering is separable),
// which draws far fewer pixels than the enlargement would.
void ShowInto(GLuint framebuffer, int32_t width, int32_t height, const TLetterbox& box) {
  GlFlushQuads();
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 1, 0, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // Texture filters are chosen here: the nearest-texel sampler must not stay bound.
  UnbindNearestSampler();
  glDisableClientState(GL_COLOR_ARRAY);
  glColor4ub(255, 255, 255, 255);
  GlForgetBoundTexture();

  const int32_t scale = WholeScaleCovering(box), sharpScale = SharpScaleFor(box);
  const bool sharpened = sharpScale != 0 && EnsureSharp(box, sharpScale);
  // Half an enlarged pixel, in picture pixels: each sample mixes the enlarged pixels either side of it.
  const float half = sharpened ? 0.5f / static_cast<float>(sharpScale) : 0;
  if (sharpened) {
    bindFramebuffer(GL_FRAMEBUFFER, gl.acrossFbo);
    glViewport(0, 0, box.width, gl.height);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    DrawSharpPass(gl.presentedTexture, gl.width, gl.height, true, gl.sharesAcross, half);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  }
  bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  // Only the bars are cleared: the picture covers the rest. OpenGL counts rows from the bottom.
  const int32_t boxBottom = height - box.y - box.height;
  glClearColor(0, 0, 0, 1);
  glEnable(GL_SCISSOR_TEST);
  const int32_t bars[4][4] = {{0, 0, box.x, height},
                              {box.x + box.width, 0, width - box.x - box.width, height},
                              {box.x, 0, box.width, boxBottom},
                              {box.x, boxBottom + box.height, box.width, height - boxBottom - box.height}};
  for (const auto& bar : bars)
    if (bar[2] > 0 && bar[3] > 0) {
      glScissor(bar[0], bar[1], bar[2], bar[3]);
      glClear(GL_COLOR_BUFFER_BIT);
    }
  glDisable(GL_SCISSOR_TEST);
  glViewport(box.x, boxBottom, box.width, box.height);
  // Down, the shares are the across picture's alpha, one per picture row. At a whole multiple down
  // (a letterbox rounded to a pixel less across) both samples are taken at the pixel's centre, which
  // the nearest texel shows exactly.
  if (sharpened)
    DrawSharpPass(gl.acrossTexture, box.width, gl.height, false, 0,
                  box.height < gl.height * sharpScale ? half : 0.0f);
  else
    DrawTextureOverViewport(gl.presentedTexture, scale > 1 && sharpScale == 0);
}

void SetSwapInterval(int32_t interval) {
  if (gl.swapInterval == interval) return;
  SDL_GL_SetSwapInterval(interval);
  gl.swapInterval = interval;
}

// RGBA rows as OpenGL reads them, the bottom row first, as RGB rows with the top row first.
void RgbTopRowFirst(const std::vector<uint8_t>& rgba, int32_t width, int32_t height, std::vector<uint8_t>& rgb) {
  rgb.resize(static_cast<size_t>(width) * height * 3);
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* src = &rgba[static_cast<size_t>(height - 1 - row) * width * 4];
    uint8_t* dst = &rgb[static_cast<size_t>(row) * width * 3];
    for (int32_t x = 0; x < width; ++x) std::memcpy(dst + x * 3, src + x * 4, 3);
  }
}

}  // namespace

void DropSharp() {
  if (gl.context) {
    if (gl.acrossFbo) deleteFramebuffers(1, &gl.acrossFbo);
    const GLuint textures[2] = {gl.acrossTexture, gl.sharesAcross};
    glDeleteTextures(2, textures);
  }
  gl.acrossFbo = gl.acrossTexture = gl.sharesAcross = 0;
  gl.sharpWidth = gl.sharpHeight = gl.sharpScale = 0;
}

void DropSharpUnusedBy(const TLetterbox& shown) {
  // Sharpening the new layout does not use is memory for nothing.
  if (gl.sharpScale != 0 && (SharpScaleFor(shown) != gl.sharpScale || shown.width != gl.sharpWidth ||
                             shown.height != gl.sharpHeight))
    DropSharp();
}

void GlPresent(int32_t sync) {
  if (!gl.context) return;
  GlFlushQuads();
  glBindTexture(GL_TEXTURE_2D, gl.presentedTexture);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, gl.width, gl.height);
  GlForgetBoundTexture();
  if (gl.headless) return;
  SetSwapInterval(sync == 1 ? 1 : 0);
  GlShowPresented();
}

void GlShowPresented() {
  if (!gl.context || gl.headless || DrawableTooLarge(gl.drawableWidth, gl.drawableHeight)) return;
  ShowInto(0, gl.drawableWidth, gl.drawableHeight, gl.shown);
  SDL_GL_SwapWindow(gl.window);
  SetPictureState();
}

bool GlReadPresented(std::vector<uint8_t>& rgb, int32_t& width, int32_t& height) {
  if (!gl.context) return false;
  GlFlushQuads();
  width = gl.width;
  height = gl.height;
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  // Read through a framebuffer: a browser's GL cannot read a texture's image directly.
  GLint drawingInto = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &drawingInto);
  GLuint framebuffer = 0;
  genFramebuffers(1, &framebuffer);
  bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gl.presentedTexture, 0);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  bindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(drawingInto));
  deleteFramebuffers(1, &framebuffer);
  RgbTopRowFirst(rgba, width, height, rgb);
  return true;
}

bool GlReadShownArea(int32_t x, int32_t y, int32_t width, int32_t height, std::vector<uint8_t>& rgb) {
  if (!gl.context || x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > gl.drawableWidth ||
      y + height > gl.drawableHeight)
    return false;
  GlFlushQuads();
  GLuint texture = MakeTarget(gl.drawableWidth, gl.drawableHeight), framebuffer = 0;
  genFramebuffers(1, &framebuffer);
  bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
  ShowInto(framebuffer, gl.drawableWidth, gl.drawableHeight, gl.shown);
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  glReadPixels(x, gl.drawableHeight - y - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  deleteFramebuffers(1, &framebuffer);
  glDeleteTextures(1, &texture);
  SetPictureState();
  RgbTopRowFirst(rgba, width, height, rgb);
  return true;
}

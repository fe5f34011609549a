// The batch of textured quads and the drawing state it is drawn in: the game's 2D projection over
// the picture, the blend modes, the viewport, the nearest-texel sampler for texel-exact draws, and
// opaque pictures drawn by copy.
#include "platform/display/gl.h"
#include "platform/display/gl_shared.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The batch: quads that share one texture and the blend state go to OpenGL in one draw.
struct TBatchVertex {
  float x, y, s, t;
  uint8_t rgba[4];
};
std::vector<TBatchVertex> batch;
GLuint batchTexture = 0;
bool batchNearest = false;
GLuint boundTexture = 0;
bool boundKnown = false;
bool boundNearest = false;

// Opaque pictures drawn unscaled at whole-pixel positions (the title picture behind every frame):
// the first draw goes into a picture of its own, with the same quad and state, and later draws
// copy that, which is the same pixels at a fraction of the rasteriser's cost.
struct TCopyEntry {
  GLuint texture = 0;  // the frame's texture
  uint8_t rgba[4] = {0, 0, 0, 0};
  float u1 = 0, v1 = 0;
  int32_t width = 0, height = 0;
  GLuint copy = 0, copyFbo = 0;
  uint64_t lastUse = 0;
};
constexpr size_t kCopyEntries = 4;
std::vector<TCopyEntry> copies;
uint64_t copyClock = 0;

void DropCopy(TCopyEntry& e) {
  if (e.copyFbo) deleteFramebuffers(1, &e.copyFbo);
  if (e.copy) glDeleteTextures(1, &e.copy);
  e = TCopyEntry{};
}

void DropAllCopies() {
  if (gl.context)
    for (TCopyEntry& e : copies) DropCopy(e);
  copies.clear();
}

}  // namespace

// The game's 2D state: (0, 0) at the picture's top-left pixel, one unit a pixel.
void SetPictureState() {
  bindFramebuffer(GL_FRAMEBUFFER, gl.pictureFbo);
  glViewport(gl.viewport[0], gl.viewport[1], gl.viewport[2], gl.viewport[3]);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, gl.width, gl.height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  int32_t mode = gl.blend;
  gl.blend = -1;
  GlApplyBlend(mode);
  boundKnown = false;
}

void OpenBatch() {
  boundNearest = false;
  batch.clear();
  batch.reserve(4096);
}

void CloseBatch() {
  DropAllCopies();
  batch.clear();
  boundKnown = false;
}

void UnbindNearestSampler() {
  if (!boundNearest) return;
  bindSampler(0, 0);
  boundNearest = false;
}

void GlClear(int32_t red, int32_t green, int32_t blue) {
  if (!gl.context) return;
  GlFlushQuads();
  glClearColor(red / 255.0f, green / 255.0f, blue / 255.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
}

void GlApplyBlend(int32_t mode) {
  if (mode < 1 || mode > 5) mode = 2;
  if (!gl.context || mode == gl.blend) return;
  GlFlushQuads();
  gl.blend = mode;
  switch (mode) {
    case 1:
      glDisable(GL_BLEND);
      glEnable(GL_ALPHA_TEST);
      glAlphaFunc(GL_GEQUAL, 0.5f);
      break;
    case 3:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      glDisable(GL_ALPHA_TEST);
      break;
    case 4:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      glDisable(GL_ALPHA_TEST);
      break;
    case 5:
      glEnable(GL_BLEND);
      glBlendFunc(GL_DST_COLOR, GL_ZERO);
      glDisable(GL_ALPHA_TEST);
      break;
    default:
      glDisable(GL_BLEND);
      glDisable(GL_ALPHA_TEST);
      break;
  }
}

void GlSetViewport(int32_t x, int32_t y, int32_t width, int32_t height) {
  gl.viewport[0] = x;
  gl.viewport[1] = gl.height - y - height;
  gl.viewport[2] = width;
  gl.viewport[3] = height;
  if (!gl.context) return;
  GlFlushQuads();
  glViewport(gl.viewport[0], gl.viewport[1], gl.viewport[2], gl.viewport[3]);
}

void GlQueueQuad(uint32_t texture, const TQuadCorner corners[4], const uint8_t rgba[4], bool texelExact) {
  if (!gl.context) return;
  bool nearest = texelExact && gl.nearestSampler != 0;
  if ((texture != batchTexture || nearest != batchNearest) && !batch.empty()) GlFlushQuads();
  batchTexture = texture;
  batchNearest = nearest;
  for (int i = 0; i < 4; ++i) {
    TBatchVertex v{corners[i].x, corners[i].y, corners[i].s, corners[i].t, {rgba[0], rgba[1], rgba[2], rgba[3]}};
    batch.push_back(v);
  }
}

void GlFlushQuads() {
  if (batch.empty() || !gl.context) return;
  if (!boundKnown || boundTexture != batchTexture) {
    glBindTexture(GL_TEXTURE_2D, batchTexture);
    boundTexture = batchTexture;
    boundKnown = true;
  }
  if (batchNearest != boundNearest) {
    bindSampler(0, batchNearest ? gl.nearestSampler : 0);
    boundNearest = batchNearest;
  }
  const GLsizei stride = sizeof(TBatchVertex);
  glVertexPointer(2, GL_FLOAT, stride, &batch[0].x);
  glTexCoordPointer(2, GL_FLOAT, stride, &batch[0].s);
  glColorPointer(4, GL_UNSIGNED_BYTE, stride, batch[0].rgba);
  glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(batch.size()));
  batch.clear();
}

void GlForgetBoundTexture() { boundKnown = false; }

void GlDeleteTextures(const std::vector<uint32_t>& textures) {
  if (!gl.context || textures.empty()) return;
  GlFlushQuads();
  // Texture names are reused: a copy made from a deleted texture must never be found again.
  for (uint32_t t : textures)
    for (TCopyEntry& e : copies)
      if (e.texture == t) DropCopy(e);
  std::erase_if(copies, [](const TCopyEntry& e) { return e.texture == 0; });
  glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
  boundKnown = false;
}

bool GlCanCopyOpaque() { return gl.context && gl.viewport[0] == 0 && gl.viewport[1] == 0 &&
                                gl.viewport[2] == gl.width && gl.viewport[3] == gl.height; }

void GlDrawOpaqueByCopy(uint32_t texture, float u1, float v1, int32_t width, int32_t height, int32_t x, int32_t y,
                        const uint8_t rgba[4]) {
  GlFlushQuads();
  TCopyEntry* entry = nullptr;
  for (TCopyEntry& e : copies)
    if (e.texture == texture && e.width == width && e.height == height && e.u1 == u1 && e.v1 == v1 &&
        std::memcmp(e.rgba, rgba, 4) == 0)
      entry = &e;
  if (!entry) {
    if (copies.size() >= kCopyEntries) {
      auto oldest = std::min_element(copies.begin(), copies.end(),
                                     [](const TCopyEntry& a, const TCopyEntry& b) { return a.lastUse < b.lastUse; });
      DropCopy(*oldest);
      copies.erase(oldest);
    }
    copies.emplace_back();
    entry = &copies.back();
    entry->texture = texture;
    std::memcpy(entry->rgba, rgba, 4);
    entry->u1 = u1;
    entry->v1 = v1;
    entry->width = width;
    entry->height = height;
    entry->copy = MakeTarget(width, height);
    genFramebuffers(1, &entry->copyFbo);
    bindFramebuffer(GL_FRAMEBUFFER, entry->copyFbo);
    framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, entry->copy, 0);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    TQuadCorner corners[4] = {{0, 0, 0, 0}, {w, 0, u1, 0}, {w, h, u1, v1}, {0, h, 0, v1}};
    GlQueueQuad(texture, corners, rgba, true);
    GlFlushQuads();
    SetPictureState();
  }
  entry->lastUse = ++copyClock;
  // Clipped to the picture; rows count from the bottom in OpenGL.
  int32_t left = std::max(x, 0), right = std::min(x + width, gl.width);
  int32_t top = std::max(y, 0), bottom = std::min(y + height, gl.height);
  if (left >= right || top >= bottom) return;
  int32_t srcX = left - x, srcY = (y + height) - bottom;
  if (copyImageSubData) {
    copyImageSubData(entry->copy, GL_TEXTURE_2D, 0, srcX, srcY, 0, gl.pictureTexture, GL_TEXTURE_2D, 0, left,
                     gl.height - bottom, 0, right - left, bottom - top, 1);
    return;
  }
  // Without image copies (a browser's GL) the copy is read through its framebuffer into the picture.
  bindFramebuffer(GL_FRAMEBUFFER, entry->copyFbo);
  glBindTexture(GL_TEXTURE_2D, gl.pictureTexture);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, left, gl.height - bottom, srcX, srcY, right - left, bottom - top);
  bindFramebuffer(GL_FRAMEBUFFER, gl.pictureFbo);
  boundKnown = false;
}

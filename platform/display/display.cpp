// The display: opening and closing it, its sequence number, the drawing state (colour, alpha, blend
// mode, scale and rotation, origin, viewport), frame pacing at the display's rate, screenshots, and
// the draw recorder. The OpenGL work itself is behind gl.h; a display that draws nothing never opens
// it, and every OpenGL call then does nothing, so both run the same code above it.
#include "platform/display/display.h"
#include "platform/display/display_internal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "platform/core/clock.h"
#include "platform/core/program.h"
#include "platform/display/gl.h"
#include "platform/display/texture.h"
#include "platform/images/codecs.h"
#include "platform/images/image.h"
#include "platform/input/keyboard.h"

namespace {

struct TDrawState {
  int32_t red = 255, green = 255, blue = 255;
  float alpha = 1;
  int32_t clearRed = 0, clearGreen = 0, clearBlue = 0;
  float rotation = 0;
  float scaleX = 1, scaleY = 1;
  float ix = 1, iy = 0, jx = 0, jy = 1;
  int32_t viewX = 0, viewY = 0, viewWidth = 0, viewHeight = 0;
  float originX = 0, originY = 0;
  int32_t blend = 1;
  float lineWidth = 1;
};

struct TPacing {
  int32_t rate = 0;
  int32_t whole = 0;
  int32_t remainder = 0;
  int32_t accumulator = 0;
  uint32_t target = 0;
  bool pacedByTimer = true;
};

bool headlessMode = false;
bool drawsNothing = false;
std::unique_ptr<TGraphics> current;
uint32_t sequence = 0;
TDrawState state;
TPacing pacing;
std::vector<TDrawRecord>* recorder = nullptr;

// The presented picture read back once per present, for screenshots and pixel probes.
std::vector<uint8_t> presentedRgb;
int32_t presentedWidth = 0, presentedHeight = 0;
bool presentedValid = false;

void NextSequence() {
  ++sequence;
  if (sequence == 0) sequence = 1;
}

void UpdateTransform() {
  double r = state.rotation * 3.14159265358979323846 / 180.0;
  float c = static_cast<float>(std::cos(r)), s = static_cast<float>(std::sin(r));
  state.ix = c * state.scaleX;
  state.iy = -s * state.scaleY;
  state.jx = s * state.scaleX;
  state.jy = c * state.scaleY;
}

void Present(int32_t sync) {
  GlPresent(sync);
  presentedValid = false;
  NotifyFramePresented();
}

// True when presents with sync 1 take the frame time of the asked rate three times in a row, within
// at most 1000 ms: the hardware then paces the frames itself. The desktop's mode is never changed,
// so only a desktop that says it runs at the rate is measured; any other, one that does not know its
// rate included, is paced by the timer at once instead of after a second of black screen.
bool HardwareRunsAt(int32_t rate) {
  if (GlDesktopRefreshRate() != rate) return false;
  uint32_t start = ElapsedMillis();
  int32_t inBand = 0;
  while (static_cast<int32_t>(ElapsedMillis() - start) < 1000) {
    uint32_t before = ElapsedMillis();
    GlPresent(1);
    int32_t took = static_cast<int32_t>(ElapsedMillis() - before);
    if (std::abs(took - 1000 / rate) <= 1) {
      if (++inBand == 3) return true;
    } else {
      inBand = 0;
    }
  }
  return false;
}

void ResetDrawState() {
  state = TDrawState{};
  state.viewWidth = current ? current->mode.width : 0;
  state.viewHeight = current ? current->mode.height : 0;
  UpdateTransform();
  SetMaskColor(0, 0, 0);
  SetDefaultImageFlags(3);
  SetAutoMidHandle(false);
  GlApplyBlend(state.blend);
  GlSetViewport(state.viewX, state.viewY, state.viewWidth, state.viewHeight);
}

void QueueFrame(TImage* image, float x, float y, float width, float height, int32_t frame) {
  if (!image) return;
  if (recorder) {
    recorder->push_back(TDrawRecord{image, frame, x, y, width, height, state.scaleX, state.scaleY, state.red,
                                    state.green, state.blue, state.alpha, state.blend});
  }
  if (!current) return;
  TImageFrame* tex = ImageFrameTexture(image, frame);
  if (!tex) return;
  uint8_t rgba[4] = {static_cast<uint8_t>(state.red), static_cast<uint8_t>(state.green),
                     static_cast<uint8_t>(state.blue), static_cast<uint8_t>(state.alpha * 255.0f)};
  float x0 = -image->handleX, y0 = -image->handleY;
  float x1 = x0 + width, y1 = y0 + height;
  float tx = x + state.originX, ty = y + state.originY;
  auto at = [&](float u, float v, float s, float t) {
    return TQuadCorner{u * state.ix + v * state.iy + tx, u * state.jx + v * state.jy + ty, tex->s0 + s * tex->sScale,
                       tex->t0 + t * tex->tScale};
  };
  TQuadCorner corners[4] = {at(x0, y0, 0, 0), at(x1, y0, tex->u1, 0), at(x1, y1, tex->u1, tex->v1),
                            at(x0, y1, 0, tex->v1)};
  float left = std::min(corners[0].x, corners[2].x), top = std::min(corners[0].y, corners[2].y);
  // Texel centres on pixel centres: the frame's own size, unscaled or mirrored, at a whole pixel.
  bool texelExact = tex->fullSize && state.rotation == 0 && std::fabs(state.scaleX) == 1 && std::fabs(state.scaleY) == 1 &&
                    width == static_cast<float>(image->width) && height == static_cast<float>(image->height) &&
                    left == std::floor(left) && top == std::floor(top) && std::fabs(left) < 1e6f &&
                    std::fabs(top) < 1e6f && !(image->flags & ImageMipmapped);
  // An opaque frame that replaces what is behind it (mode 1 passes every opaque texel; 2 and the
  // unknown modes draw solid) is the same pixels by copy.
  if (texelExact && tex->opaque && rgba[3] == 255 && state.scaleX == 1 && state.scaleY == 1 && state.blend != 3 &&
      state.blend != 4 && state.blend != 5 && GlCanCopyOpaque()) {
    GlDrawOpaqueByCopy(tex->texture, tex->u1 * tex->sScale, tex->v1 * tex->tScale, image->width, image->height,
                       static_cast<int32_t>(left), static_cast<int32_t>(top), rgba);
    return;
  }
  GlQueueQuad(tex->texture, corners, rgba, texelExact);
}

bool EnsurePresentedCopy() {
  if (presentedValid) return true;
  if (!current || !GlReadPresented(presentedRgb, presentedWidth, presentedHeight)) return false;
  presentedValid = true;
  return true;
}

}  // namespace

void SetDisplayHeadless(bool headless) { headlessMode = headless; }
bool DisplayIsHeadless() { return headlessMode; }
void SetDisplayDrawsNothing(bool nothing) { drawsNothing = nothing; }
bool DisplayDrawsNothing() { return drawsNothing; }

TGraphics* OpenDisplay(int32_t width, int32_t height, int32_t depth, int32_t refreshHz, int32_t flags) {
  CloseDisplay();
  std::string error;
  if (width <= 0 || height <= 0 ||
      (!drawsNothing && !GlOpenWindow(width, height, depth != 0, headlessMode, error))) {
    if (error.empty()) error = "a display needs a width and a height";
    std::fprintf(stderr, "Cairnmark: %s\n", error.c_str());
    std::fflush(stderr);
    if (headlessMode || drawsNothing) return nullptr;
    // The game carries on as if the display were there; end here, before anything could be saved.
    ResetExitHandlers();
    EndProgram(1);
  }
  NextSequence();
  current = std::make_unique<TGraphics>();
  current->mode = TGraphicsMode{width, height, depth, refreshHz, flags};
  SetTextureDisplay(DisplayHasContext() ? sequence : 0);
  presentedValid = false;

  pacing = TPacing{};
  pacing.pacedByTimer = refreshHz != 0;
  // On the virtual clock or headless the measurement would only spend (virtual) time for nothing.
  if (pacing.pacedByTimer && depth != 0 && !headlessMode && !drawsNothing && !ClockIsVirtual() &&
      HardwareRunsAt(refreshHz))
    pacing.pacedByTimer = false;
  pacing.rate = refreshHz;
  pacing.whole = refreshHz != 0 ? 1000 / refreshHz : 0;
  pacing.remainder = 1000 - pacing.whole * refreshHz;
  pacing.target = ElapsedMillis();

  ResetDrawState();
  ClearFrame();
  FlipFrame(0);
  ClearFrame();
  FlipFrame(0);
  AtExit([] { CloseDisplay(); });
  return current.get();
}

void CloseDisplay() {
  if (!current) return;
  GlCloseWindow();
  current.reset();
  SetTextureDisplay(0);
  presentedValid = false;
  NextSequence();
}

void AbandonDisplay() {
  // The window system is gone: its window can no longer be closed, only forgotten.
  current.reset();
  SetTextureDisplay(0);
  presentedValid = false;
}

void ShutdownDisplaySystem() {
  CloseDisplay();
  GlShutdown();
}

void FlipFrame(int32_t sync) {
  if (!current) return;
  if (sync != -1) {
    Present(sync);
    return;
  }
  if (!pacing.pacedByTimer) {
    Present(1);
    return;
  }
  pacing.target += static_cast<uint32_t>(pacing.whole);
  pacing.accumulator += pacing.remainder;
  if (pacing.accumulator >= pacing.rate) {
    pacing.accumulator -= pacing.rate;
    pacing.target += 1;
  }
  int32_t d = static_cast<int32_t>(pacing.target - ElapsedMillis());
  if (d > 0)
    SleepMillis(d);
  else
    pacing.target += static_cast<uint32_t>(-d);
  Present(0);
}

void ClearFrame() { GlClear(state.clearRed, state.clearGreen, state.clearBlue); }

int32_t DisplayWidth() { return current ? current->mode.width : 0; }
int32_t DisplayHeight() { return current ? current->mode.height : 0; }
uint32_t DisplaySequence() { return sequence; }

void SetDrawColor(int32_t red, int32_t green, int32_t blue) {
  state.red = red;
  state.green = green;
  state.blue = blue;
}

void GetDrawColor(int32_t& red, int32_t& green, int32_t& blue) {
  red = state.red;
  green = state.green;
  blue = state.blue;
}

void SetDrawAlpha(float alpha) {
  if (!(alpha >= 0)) alpha = 0;  // also NaN
  if (alpha > 1) alpha = 1;
  state.alpha = alpha;
}

float GetDrawAlpha() { return state.alpha; }

void SetBlendMode(int32_t mode) {
  if (mode == state.blend) return;
  state.blend = mode;
  GlApplyBlend(mode);
}

int32_t GetBlendMode() { return state.blend; }

void SetDrawScale(float scaleX, float scaleY) {
  state.scaleX = scaleX;
  state.scaleY = scaleY;
  UpdateTransform();
}

void GetDrawScale(float& scaleX, float& scaleY) {
  scaleX = state.scaleX;
  scaleY = state.scaleY;
}

void SetDrawOrigin(float x, float y) {
  state.originX = x;
  state.originY = y;
}

void DrawImageFrame(TImage* image, float x, float y, int32_t frame) {
  if (!image) return;
  QueueFrame(image, x, y, static_cast<float>(image->width), static_cast<float>(image->height), frame);
}

void DrawImageRect(TImage* image, float x, float y, float width, float height, int32_t frame) {
  QueueFrame(image, x, y, width, height, frame);
}

void SetDrawRecorder(std::vector<TDrawRecord>* records) { recorder = records; }

bool SaveScreenshot(const std::string& path) {
  if (!EnsurePresentedCopy()) return false;
  TPixmap shot;
  shot.width = presentedWidth;
  shot.height = presentedHeight;
  shot.format = 4;
  shot.pitch = presentedWidth * 3;
  shot.pixels = presentedRgb;
  return WritePng(shot, path.c_str());
}

bool ReadPresentedPixel(int32_t x, int32_t y, uint8_t rgb[3]) {
  if (!EnsurePresentedCopy() || x < 0 || y < 0 || x >= presentedWidth || y >= presentedHeight) return false;
  const uint8_t* p = &presentedRgb[(static_cast<size_t>(y) * presentedWidth + x) * 3];
  rgb[0] = p[0];
  rgb[1] = p[1];
  rgb[2] = p[2];
  return true;
}

bool DisplayHasContext() { return current != nullptr && GlWindowOpen(); }
void RefreshDisplayWindow() {
  if (current) GlWindowChanged();
}
void ToggleDisplayFullScreen() {
  if (current) GlToggleFullScreen();
}
void DisplayDrawableSize(int32_t& width, int32_t& height) { GlDrawableSize(width, height); }
TLetterbox DisplayPictureArea() { return GlPictureArea(); }
void ResizeDisplayWindow(int32_t width, int32_t height) {
  if (current) GlResizeWindow(width, height);
}
bool ReadShownPixel(int32_t x, int32_t y, uint8_t rgb[3]) {
  std::vector<uint8_t> one;
  if (!current || !GlReadShownArea(x, y, 1, 1, one)) return false;
  std::copy_n(one.begin(), 3, rgb);
  return true;
}
bool ReadShownPicture(std::vector<uint8_t>& rgb) {
  int32_t width = 0, height = 0;
  GlDrawableSize(width, height);
  return current && GlReadShownArea(0, 0, width, height, rgb);
}
bool DisplayPacedByTimer() { return pacing.pacedByTimer; }
uint32_t DisplayFrameTarget() { return pacing.target; }

// The SDL window, its OpenGL 1.x compatibility context and the two 800 x 600 framebuffer objects: the
// picture the game draws into (it persists from frame to frame, as a back buffer that is never
// cleared) and the copy of the picture last presented, which is shown scaled to fit and letterboxed
// in the window's drawable, kept sharp when enlarged (see ShowInto), and is what screenshots read.
// The drawable's size is read when the window opens and whenever it changes, from the X server when
// there is one (SDL keeps the size it asked for even when no window manager carried the request out).
// Headless, nothing is shown: only the copy, and the letterboxed picture when a test asks for one of
// its pixels.
//
// [SECTION] State and helpers      [SECTION] Opening and closing   [SECTION] Presenting
// [SECTION] Drawing state          [SECTION] The batch of quads    [SECTION] Reading back
// [SECTION] Opaque pictures by copy
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/display/gl.h"
#include "platform/display/window_icon.h"
#include "platform/display/x11_window.h"
#include "platform/display/letterbox.h"

// [SECTION] State and helpers

namespace {

// Half the picture each way: smaller, its text could no longer be read.
constexpr int kMinimumWidth = 400, kMinimumHeight = 300;

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

struct TGlWindow {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  bool headless = false;
  bool videoUp = false;
  bool videoHeadless = false;
  bool fullScreen = false;
  bool fullScreenByX = false;  // made full screen through X before it was shown, behind SDL's back
  bool fullScreenByHand = false;  // covering the screen by itself, with no window manager to ask
  int32_t width = 0, height = 0;
  int32_t drawableWidth = 0, drawableHeight = 0;
  TLetterbox shown;  // where the picture goes in the drawable
  GLuint pictureTexture = 0, pictureFbo = 0;
  GLuint presentedTexture = 0;
  // For letterboxes between whole multiples (see ShowInto), made when such a layout first needs
  // them: the presented picture sharpened across (as wide as the letterbox, as tall as the picture;
  // its alpha holds each row's share for the pass down), and each letterbox column's share of its
  // second texel, as a one-row texture.
  GLuint acrossTexture = 0, acrossFbo = 0;
  GLuint sharesAcross = 0;
  int32_t sharpWidth = 0, sharpHeight = 0, sharpScale = 0;
  int32_t swapInterval = -1;
  int32_t blend = 0;
  int32_t viewport[4] = {0, 0, 0, 0};
};
TGlWindow gl;

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
// Texel-exact draws (unscaled, at whole pixels) sample the nearest texel: what linear filtering gives
// there anyway, at half the rasteriser's cost.
GLuint nearestSampler = 0;
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

template <typename T>
bool LoadGlFunction(T& fn, const char* name, const char* extName) {
  fn = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
  if (!fn) fn = reinterpret_cast<T>(SDL_GL_GetProcAddress(extName));
  return fn != nullptr;
}

// Which window system SDL may look for, decided before it looks: with no display named at all there
// is nothing to try, and with only an X display named SDL tries X alone (its Wayland probe prints
// complaints of its own). xDisplay is that X display, "" when SDL chooses; false with the reason.
bool ChooseWindowSystem(std::string& xDisplay, std::string& error) {
  xDisplay.clear();
  const char* forced = std::getenv("SDL_VIDEODRIVER");
  if (forced && *forced) return true;
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const bool hasX = display && *display, hasWayland = wayland && *wayland;
  if (!hasX && !hasWayland) {
    error = "no display to open the window on: DISPLAY is not set";
    return false;
  }
  if (!hasWayland) {
    xDisplay = display;
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_OVERRIDE);
  }
  return true;
}

bool StartVideo(bool headless, std::string& error) {
  if (gl.videoUp && gl.videoHeadless == headless) return true;
  if (gl.videoUp) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    gl.videoUp = false;
  }
  if (headless) {
    // No window system: SIGTERM must still end the program the ordinary way, not become an SDL event
    // nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE);
  } else {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0");
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "", SDL_HINT_OVERRIDE);
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  }
  std::string xDisplay;
  if (!headless && !ChooseWindowSystem(xDisplay, error)) return false;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    if (!xDisplay.empty())
      error = "cannot reach the display " + xDisplay + " named by DISPLAY (no X server answers there)";
    else
      error = std::string("cannot start the video system: ") + SDL_GetError();
    return false;
  }
  gl.videoUp = true;
  gl.videoHeadless = headless;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!headless && driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
    error = std::string("no display to open the window on: SDL_VIDEODRIVER asks for SDL's '") + driver +
            "' driver, which shows nothing";
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    gl.videoUp = false;
    return false;
  }
  return true;
}

GLuint MakeTarget(int32_t width, int32_t height) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  return texture;
}

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

void DropSharp() {
  if (gl.context) {
    if (gl.acrossFbo) deleteFramebuffers(1, &gl.acrossFbo);
    const GLuint textures[2] = {gl.acrossTexture, gl.sharesAcross};
    glDeleteTextures(2, textures);
  }
  gl.acrossFbo = gl.acrossTexture = gl.sharesAcross = 0;
  gl.sharpWidth = gl.sharpHeight = gl.sharpScale = 0;
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
  // Four equal bytes a texel: the combiners read the share as alpha, and RGBA8 is the rasteriser's
  // quickest format.
  std::vector<uint8_t> texels(shares.size() * 4);
  for (size_t i = 0; i < shares.size(); ++i) std::memset(&texels[i * 4], shares[i], 4);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_1D, texture);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA8, static_cast<GLsizei>(shares.size()), 0, GL_RGBA, GL_UNSIGNED_BYTE,
               texels.data());
  glBindTexture(GL_TEXTURE_1D, 0);
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

void CombineFromPrevious(GLenum unit) {
  glActiveTexture(unit);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_REPLACE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_PREVIOUS);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_PREVIOUS);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
}

// One pass of sharp scaling over the viewport, along one axis (across or down) of a texture of
// texWidth x texHeight: units 0 and 1 take the nearest texel at each pixel's sample less and plus
// `reach` texels, and unit 0's combiner mixes them by the pixel's share, read from the one-row
// texture `shares` on unit 2, or with no such texture from the first texel's alpha. Along the other
// axis pixels and texels match one for one.
void DrawSharpPass(GLuint texture, int32_t texWidth, int32_t texHeight, bool across, GLuint shares, float reach) {
  for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
    glActiveTexture(unit);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  }
  if (shares) {
    glActiveTexture(GL_TEXTURE2);
    glEnable(GL_TEXTURE_1D);
    glBindTexture(GL_TEXTURE_1D, shares);
    CombineFromPrevious(GL_TEXTURE2);
  }
  CombineFromPrevious(GL_TEXTURE1);
  glActiveTexture(GL_TEXTURE0);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_INTERPOLATE);  // second x share + first x (1 - share)
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_TEXTURE1);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_TEXTURE0);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE2_RGB, shares ? GL_TEXTURE2 : GL_TEXTURE0);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND2_RGB, GL_SRC_ALPHA);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_TEXTURE0);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
  const float ds = across ? reach / static_cast<float>(texWidth) : 0;
  const float dt = across ? 0 : reach / static_cast<float>(texHeight);
  const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  glBegin(GL_QUADS);
  for (const auto& c : corners) {
    glMultiTexCoord2f(GL_TEXTURE0, c[0] - ds, c[1] - dt);
    glMultiTexCoord2f(GL_TEXTURE1, c[0] + ds, c[1] + dt);
    if (shares) glMultiTexCoord2f(GL_TEXTURE2, across ? c[0] : c[1], 0);
    glVertex2f(c[0], c[1]);
  }
  glEnd();
  for (GLenum unit : {GL_TEXTURE2, GL_TEXTURE1, GL_TEXTURE0}) {
    glActiveTexture(unit);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (unit != GL_TEXTURE0) {
      glDisable(GL_TEXTURE_1D);
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
  if (boundNearest) {
    bindSampler(0, 0);
    boundNearest = false;
  }
  glDisableClientState(GL_COLOR_ARRAY);
  glColor4ub(255, 255, 255, 255);
  boundKnown = false;

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

// Reads the drawable's real size and lays the picture out for it.
void ReadDrawableSize() {
  int32_t width = 0, height = 0;
  if (!X11WindowSize(gl.window, width, height)) {
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(gl.window, &w, &h);
    width = w;
    height = h;
  }
  gl.drawableWidth = width;
  gl.drawableHeight = height;
  gl.shown = FitPicture(gl.width, gl.height, width, height);
  // Past the cap (a window system that ignored the window's largest size) the window is asked back
  // within it, and nothing is shown into it until it is.
  if (DrawableTooLarge(width, height) && !gl.fullScreen) {
    SDL_SetWindowSize(gl.window, std::min(width, kLargestDrawableSide), std::min(height, kLargestDrawableSide));
  }
  // Sharpening the new layout does not use is memory for nothing.
  if (gl.sharpScale != 0 && (SharpScaleFor(gl.shown) != gl.sharpScale || gl.shown.width != gl.sharpWidth ||
                             gl.shown.height != gl.sharpHeight))
    DropSharp();
}

void SetSwapInterval(int32_t interval) {
  if (gl.swapInterval == interval) return;
  SDL_GL_SetSwapInterval(interval);
  gl.swapInterval = interval;
}

}  // namespace

// [SECTION] Opening and closing

bool GlOpenWindow(int32_t width, int32_t height, bool fullScreen, bool headless, std::string& error) {
  if (!StartVideo(headless, error)) return false;
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  Uint32 windowFlags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
  if (!headless) windowFlags |= SDL_WINDOW_RESIZABLE;
  SDL_Rect place = {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height};
  const bool startFull = fullScreen && !headless;
  if (startFull) {
    // Made hidden and borderless at the screen's size, then marked full screen before it is shown: a
    // window manager shows it full screen at once, with no frame to flash first, and without one it
    // still covers the whole screen.
    windowFlags |= SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    SDL_Rect screen;
    if (SDL_GetDisplayBounds(0, &screen) == 0 && screen.w > 0 && screen.h > 0) place = screen;
  }
  gl.window = SDL_CreateWindow("Cairnmark", place.x, place.y, place.w, place.h, windowFlags);
  if (!gl.window) {
    error = std::string("cannot open the window: ") + SDL_GetError();
    return false;
  }
  gl.fullScreenByX = false;
  gl.fullScreenByHand = false;
  if (startFull) {
    // SDL's own switch would wait a tenth of a second, on every start, for a window manager to move
    // a window that is already where it belongs.
    gl.fullScreenByX = X11MarkFullScreen(gl.window);
    if (!gl.fullScreenByX) SDL_SetWindowFullscreen(gl.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    SDL_ShowWindow(gl.window);
  }
  gl.context = SDL_GL_CreateContext(gl.window);
  if (!gl.context) {
    error = std::string("cannot create an OpenGL context: ") + SDL_GetError();
    GlCloseWindow();
    return false;
  }
  SDL_GL_MakeCurrent(gl.window, gl.context);
  bool ok = LoadGlFunction(genFramebuffers, "glGenFramebuffers", "glGenFramebuffersEXT") &&
            LoadGlFunction(deleteFramebuffers, "glDeleteFramebuffers", "glDeleteFramebuffersEXT") &&
            LoadGlFunction(bindFramebuffer, "glBindFramebuffer", "glBindFramebufferEXT") &&
            LoadGlFunction(framebufferTexture2D, "glFramebufferTexture2D", "glFramebufferTexture2DEXT") &&
            LoadGlFunction(checkFramebufferStatus, "glCheckFramebufferStatus", "glCheckFramebufferStatusEXT");
  if (!ok) {
    error = "the OpenGL driver has no framebuffer objects";
    GlCloseWindow();
    return false;
  }
  // Optional: without these opaque pictures are drawn every time and filtering is never skipped.
  LoadGlFunction(copyImageSubData, "glCopyImageSubData", "glCopyImageSubDataEXT");
  nearestSampler = 0;
  if (LoadGlFunction(genSamplers, "glGenSamplers", "glGenSamplersARB") &&
      LoadGlFunction(deleteSamplers, "glDeleteSamplers", "glDeleteSamplersARB") &&
      LoadGlFunction(bindSampler, "glBindSampler", "glBindSamplerARB") &&
      LoadGlFunction(samplerParameteri, "glSamplerParameteri", "glSamplerParameteriARB")) {
    genSamplers(1, &nearestSampler);
    samplerParameteri(nearestSampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    samplerParameteri(nearestSampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    samplerParameteri(nearestSampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    samplerParameteri(nearestSampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  }
  boundNearest = false;
  SDL_SetWindowMinimumSize(gl.window, kMinimumWidth, kMinimumHeight);
  SDL_SetWindowMaximumSize(gl.window, kLargestDrawableSide, kLargestDrawableSide);
  if (!headless) SetWindowIcon(gl.window);
  gl.headless = headless;
  gl.fullScreen = fullScreen && !headless;
  gl.width = width;
  gl.height = height;
  gl.swapInterval = -1;
  gl.viewport[0] = 0;
  gl.viewport[1] = 0;
  gl.viewport[2] = width;
  gl.viewport[3] = height;
  gl.pictureTexture = MakeTarget(width, height);
  gl.presentedTexture = MakeTarget(width, height);
  genFramebuffers(1, &gl.pictureFbo);
  bindFramebuffer(GL_FRAMEBUFFER, gl.pictureFbo);
  framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gl.pictureTexture, 0);
  if (checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    error = "the OpenGL driver cannot draw into an 800 x 600 picture";
    GlCloseWindow();
    return false;
  }
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DITHER);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  gl.blend = 1;
  SetPictureState();
  batch.clear();
  batch.reserve(4096);
  ReadDrawableSize();
  if (!headless) SDL_ShowCursor(SDL_DISABLE);
  return true;
}

void GlCloseWindow() {
  DropAllCopies();
  DropSharp();
  batch.clear();
  boundKnown = false;
  if (gl.context) {
    if (nearestSampler) deleteSamplers(1, &nearestSampler);
    nearestSampler = 0;
    if (gl.pictureFbo) deleteFramebuffers(1, &gl.pictureFbo);
    GLuint textures[2] = {gl.pictureTexture, gl.presentedTexture};
    glDeleteTextures(2, textures);
    SDL_GL_MakeCurrent(gl.window, nullptr);
    SDL_GL_DeleteContext(gl.context);
  }
  if (gl.window) SDL_DestroyWindow(gl.window);
  gl.window = nullptr;
  gl.context = nullptr;
  gl.pictureFbo = gl.pictureTexture = gl.presentedTexture = 0;
}

void GlShutdown() {
  GlCloseWindow();
  if (gl.videoUp) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  gl.videoUp = false;
  SDL_Quit();
}

bool GlWindowOpen() { return gl.context != nullptr; }

int32_t GlDesktopRefreshRate() {
  SDL_DisplayMode mode;
  if (!gl.window || SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(gl.window), &mode) != 0) return 0;
  return mode.refresh_rate;
}

// [SECTION] Presenting

void GlPresent(int32_t sync) {
  if (!gl.context) return;
  GlFlushQuads();
  glBindTexture(GL_TEXTURE_2D, gl.presentedTexture);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, gl.width, gl.height);
  boundKnown = false;
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

void GlWindowChanged() {
  if (!gl.context) return;
  ReadDrawableSize();
  GlShowPresented();
}

void GlToggleFullScreen() {
  if (!gl.window || gl.headless) return;
  gl.fullScreen = !gl.fullScreen;
  SDL_Rect screen;
  if (gl.fullScreen && !X11HasFullScreenManager(gl.window) &&
      SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(gl.window), 0), &screen) == 0) {
    // No window manager to ask (SDL would ask anyway and the window would stay as it is): the window
    // covers the screen by itself, as it does when it opens full screen.
    SDL_SetWindowBordered(gl.window, SDL_FALSE);
    SDL_SetWindowPosition(gl.window, screen.x, screen.y);
    SDL_SetWindowSize(gl.window, screen.w, screen.h);
    SDL_RaiseWindow(gl.window);
    gl.fullScreenByHand = true;
    GlWindowChanged();
    return;
  }
  if (gl.fullScreenByX) {
    // Full screen since it was shown, which SDL never heard of: leave it the same way.
    X11LeaveFullScreen(gl.window);
    gl.fullScreenByX = false;
  } else if (gl.fullScreenByHand) {
    gl.fullScreenByHand = false;  // left below, as a window opened full screen is
  } else {
    SDL_SetWindowFullscreen(gl.window, gl.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  }
  if (!gl.fullScreen) {
    // Opened borderless at the screen's size, the window comes back from full screen decorated, at
    // the picture's own size.
    SDL_SetWindowBordered(gl.window, SDL_TRUE);
    // SDL passes the minimum on to the window system only for a window that is not full screen.
    SDL_SetWindowMinimumSize(gl.window, kMinimumWidth, kMinimumHeight);
    SDL_SetWindowMaximumSize(gl.window, kLargestDrawableSide, kLargestDrawableSide);
    SDL_SetWindowSize(gl.window, gl.width, gl.height);
    SDL_SetWindowPosition(gl.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  GlWindowChanged();
}

void GlResizeWindow(int32_t width, int32_t height) {
  if (!gl.window) return;
  SDL_SetWindowSize(gl.window, width, height);
  GlWindowChanged();
}

void GlDrawableSize(int32_t& width, int32_t& height) {
  width = gl.context ? gl.drawableWidth : 0;
  height = gl.context ? gl.drawableHeight : 0;
}

TLetterbox GlPictureArea() { return gl.context ? gl.shown : TLetterbox{}; }

// [SECTION] Drawing state

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

// [SECTION] The batch of quads

void GlQueueQuad(uint32_t texture, const TQuadCorner corners[4], const uint8_t rgba[4], bool texelExact) {
  if (!gl.context) return;
  bool nearest = texelExact && nearestSampler != 0;
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
    bindSampler(0, batchNearest ? nearestSampler : 0);
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

// [SECTION] Reading back

bool GlReadPresented(std::vector<uint8_t>& rgb, int32_t& width, int32_t& height) {
  if (!gl.context) return false;
  GlFlushQuads();
  width = gl.width;
  height = gl.height;
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  glBindTexture(GL_TEXTURE_2D, gl.presentedTexture);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  boundKnown = false;
  rgb.resize(static_cast<size_t>(width) * height * 3);
  // OpenGL keeps the bottom row first; pictures are kept top row first.
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* src = &rgba[static_cast<size_t>(height - 1 - y) * width * 4];
    uint8_t* dst = &rgb[static_cast<size_t>(y) * width * 3];
    for (int32_t x = 0; x < width; ++x) {
      dst[x * 3] = src[x * 4];
      dst[x * 3 + 1] = src[x * 4 + 1];
      dst[x * 3 + 2] = src[x * 4 + 2];
    }
  }
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
  rgb.resize(static_cast<size_t>(width) * height * 3);
  // OpenGL reads the bottom row first.
  for (int32_t row = 0; row < height; ++row)
    for (int32_t col = 0; col < width; ++col)
      for (int c = 0; c < 3; ++c)
        rgb[(static_cast<size_t>(row) * width + col) * 3 + c] =
            rgba[(static_cast<size_t>(height - 1 - row) * width + col) * 4 + c];
  return true;
}

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

// [SECTION] Opaque pictures by copy

bool GlCanCopyOpaque() { return gl.context && copyImageSubData && gl.viewport[0] == 0 && gl.viewport[1] == 0 &&
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
  copyImageSubData(entry->copy, GL_TEXTURE_2D, 0, srcX, srcY, 0, gl.pictureTexture, GL_TEXTURE_2D, 0, left,
                   gl.height - bottom, 0, right - left, bottom - top, 1);
}

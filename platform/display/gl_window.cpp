// The SDL window and its OpenGL 1.x compatibility context: choosing the window system, opening the
// window (straight to full screen where asked) with the two 800 x 600 pictures in framebuffer objects
// (the one the game draws into, never cleared during play, and the copy last presented), closing,
// switching full screen, and the drawable's size, read when the window opens and whenever it
// changes, from the X server when there is one (SDL keeps the size it asked for even when no window
// manager carried the request out).
#include "platform/display/gl.h"
#include "platform/display/gl_shared.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/display/letterbox.h"
#include "platform/display/window_icon.h"
#include "platform/display/x11_window.h"

namespace {

// Half the picture each way: smaller, its text could no longer be read.
constexpr int kMinimumWidth = 400, kMinimumHeight = 300;

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
  DropSharpUnusedBy(gl.shown);
}

}  // namespace

bool GlOpenWindow(int32_t width, int32_t height, bool fullScreen, bool headless, std::string& error) {
  if (!StartVideo(headless, error)) return false;
#ifdef __EMSCRIPTEN__
  fullScreen = false;  // a browser goes full screen only when its player asks
#endif
  SDL_GL_ResetAttributes();
#ifndef __EMSCRIPTEN__  // WebGL takes SDL's default and no profile: its fixed functions are emulated
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
#endif
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
  // Optional: without image copies opaque pictures are copied through a framebuffer, and without
  // samplers filtering is never skipped. A driver hands out functions it does not support, so the
  // extension is asked first.
  copyImageSubData = nullptr;
  if (SDL_GL_ExtensionSupported("GL_ARB_copy_image"))
    LoadGlFunction(copyImageSubData, "glCopyImageSubData", "glCopyImageSubDataEXT");
  gl.nearestSampler = 0;
  if (LoadGlFunction(genSamplers, "glGenSamplers", "glGenSamplersARB") &&
      LoadGlFunction(deleteSamplers, "glDeleteSamplers", "glDeleteSamplersARB") &&
      LoadGlFunction(bindSampler, "glBindSampler", "glBindSamplerARB") &&
      LoadGlFunction(samplerParameteri, "glSamplerParameteri", "glSamplerParameteriARB")) {
    genSamplers(1, &gl.nearestSampler);
    samplerParameteri(gl.nearestSampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    samplerParameteri(gl.nearestSampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    samplerParameteri(gl.nearestSampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    samplerParameteri(gl.nearestSampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  }
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
  OpenBatch();
  ReadDrawableSize();
  if (!headless) SDL_ShowCursor(SDL_DISABLE);
  return true;
}

void GlCloseWindow() {
  CloseBatch();
  DropSharp();
  if (gl.context) {
    if (gl.nearestSampler) deleteSamplers(1, &gl.nearestSampler);
    gl.nearestSampler = 0;
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

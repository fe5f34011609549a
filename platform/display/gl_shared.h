// What the display's OpenGL files share: the window record (the SDL window, its context, the
// picture's framebuffers, what sharp scaling keeps, the drawing state), the entry points loaded when
// the window opens, and the helpers the files lend each other, each lending only to those above it
// (batch, then present, then window). Only gl_*.cpp include it.
#pragma once
#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdint>

#include "platform/display/letterbox.h"

// The one window the display draws in, with its context and what is kept for it.
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
  // For letterboxes between whole multiples (see ShowInto in gl_present.cpp), made when such a layout
  // first needs them: the presented picture sharpened across (as wide as the letterbox, as tall as the
  // picture; its alpha holds each row's share for the pass down), and each letterbox column's share
  // of its second texel, as a one-row texture.
  GLuint acrossTexture = 0, acrossFbo = 0;
  GLuint sharesAcross = 0;
  int32_t sharpWidth = 0, sharpHeight = 0, sharpScale = 0;
  int32_t swapInterval = -1;
  int32_t blend = 0;
  int32_t viewport[4] = {0, 0, 0, 0};
  // Texel-exact draws (unscaled, at whole pixels) sample the nearest texel: what linear filtering
  // gives there anyway, at half the rasteriser's cost (0 where the driver has no samplers).
  GLuint nearestSampler = 0;
};
extern TGlWindow gl;

// Loaded when the window opens (gl_window.cpp): the framebuffer entry points it needs, and the copy
// and sampler ones (null where the driver lacks them).
extern PFNGLGENFRAMEBUFFERSPROC genFramebuffers;
extern PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers;
extern PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
extern PFNGLFRAMEBUFFERTEXTURE2DPROC framebufferTexture2D;
extern PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus;
extern PFNGLCOPYIMAGESUBDATAPROC copyImageSubData;
extern PFNGLGENSAMPLERSPROC genSamplers;
extern PFNGLDELETESAMPLERSPROC deleteSamplers;
extern PFNGLBINDSAMPLERPROC bindSampler;
extern PFNGLSAMPLERPARAMETERIPROC samplerParameteri;

// A texture of width x height to draw into, filtered linearly, clamped at its edges.
GLuint MakeTarget(int32_t width, int32_t height);

// gl_present.cpp: what sharp scaling holds, dropped (the window closes), or dropped when a new layout
// does not use it.
void DropSharp();
void DropSharpUnusedBy(const TLetterbox& shown);

// gl_batch.cpp: the game's 2D state over the picture, set again after anything else drew; the batch
// and its copies made ready for a new window or given up with it; and the nearest-texel sampler
// unbound for drawing that chooses its own filtering.
void SetPictureState();
void OpenBatch();
void CloseBatch();
void UnbindNearestSampler();

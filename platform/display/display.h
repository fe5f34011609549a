// The drawing surface: one 800 x 600 display (an SDL window with an OpenGL 1.x context, shown
// full-screen and letterboxed, or the same drawing headless on SDL's offscreen driver), the current
// drawing state, image drawing as textured quads, and presenting paced to the display's rate.
// The back buffer is never cleared during play: each frame is drawn over the previous one.
// A display may also draw nothing at all (replays nobody looks at): the same game, paced and counted.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TImage;

struct TGraphicsMode {
  int32_t width = 0;
  int32_t height = 0;
  int32_t depth = 0;  // bits per pixel; 0 means a window
  int32_t hertz = 0;
  int32_t flags = 0;
};

struct TGraphics {
  TGraphicsMode mode;
};

// How the display opens. Set before OpenDisplay. Headless uses SDL's offscreen driver (no window,
// no events); otherwise the offscreen and dummy drivers are refused.
void SetDisplayHeadless(bool headless);
bool DisplayIsHeadless();
// Drawing nothing, set before OpenDisplay: no window, no OpenGL context, no textures, no pixels to
// read. Everything else is as on a drawn display: the size, the drawing state, the recorder, the
// pacing on the clock and the count of presented frames, so a game plays exactly as when drawn.
void SetDisplayDrawsNothing(bool nothing);
bool DisplayDrawsNothing();

// Opens the display (closing the current one). When the driver cannot: headless, the result is
// nullptr; otherwise (the game, which never tests the result) a one-line reason goes to standard
// error and the program ends at once with status 1, the exit handlers forgotten first so nothing is
// saved. A real display never runs on SDL's offscreen or dummy drivers (SDL falls back to them
// silently when there is no window system). The desktop keeps its own mode: full screen is a
// desktop-sized window showing the 800 x 600 picture scaled to fit and letterboxed in black; the
// window is made full screen from the start, and can be no smaller than 400 x 300.
TGraphics* OpenDisplay(int32_t width, int32_t height, int32_t depth, int32_t refreshHz, int32_t flags);
void CloseDisplay();
// Forgets the display without a call to the window system, whose connection is lost; closing it
// afterwards does nothing.
void AbandonDisplay();
// Closes the display and shuts SDL down (the end of the program).
void ShutdownDisplaySystem();
// sync -1 paced, 0 at once, 1 at the next vertical blank.
void FlipFrame(int32_t sync);
void ClearFrame();
int32_t DisplayWidth();
int32_t DisplayHeight();
// The display sequence number (incremented on every open and close, skipping 0).
uint32_t DisplaySequence();

void SetDrawColor(int32_t red, int32_t green, int32_t blue);
void GetDrawColor(int32_t& red, int32_t& green, int32_t& blue);
void SetDrawAlpha(float alpha);
float GetDrawAlpha();
void SetBlendMode(int32_t mode);
int32_t GetBlendMode();
void SetDrawScale(float scaleX, float scaleY);
void GetDrawScale(float& scaleX, float& scaleY);
void SetDrawOrigin(float x, float y);

void DrawImageFrame(TImage* image, float x, float y, int32_t frame);
void DrawImageRect(TImage* image, float x, float y, float width, float height, int32_t frame);

// Tests: every DrawImageFrame / DrawImageRect is appended to *records (nullptr turns it off), with
// the state it was drawn in. With no display open, drawing only records.
struct TDrawRecord {
  const TImage* image;
  int32_t frame;
  float x, y;            // the drawing position given
  float width, height;   // the quad's size before scaling (cell size, or DrawImageRect's size)
  float scaleX, scaleY;
  int32_t red, green, blue;
  float alpha;
  int32_t blend;
};
void SetDrawRecorder(std::vector<TDrawRecord>* records);

// Writes the picture last presented (800 x 600, top row first) as a PNG; false on failure.
bool SaveScreenshot(const std::string& path);
// The RGB of one pixel of the picture last presented (tests probe pixels with this).
bool ReadPresentedPixel(int32_t x, int32_t y, uint8_t rgb[3]);

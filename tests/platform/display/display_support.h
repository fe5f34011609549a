// Helpers for the display tests: a headless display opened per test, pictures built in memory, and
// probes of the presented picture with a small tolerance (software rasterisers differ by a unit).
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/core/clock.h"
#include "platform/core/program.h"
#include "platform/display/display.h"
#include "platform/images/image.h"

struct TRgb {
  int r, g, b;
};

// A pixmap of one colour (format 4 RGB, or 6 RGBA with the given alpha).
inline std::unique_ptr<TPixmap> SolidPixmap(int32_t w, int32_t h, TRgb c, int alpha = -1) {
  auto p = MakePixmap(w, h, alpha < 0 ? 4 : 6);
  int bpp = PixmapBytesPerPixel(p->format);
  for (int32_t i = 0; i < w * h; ++i) {
    uint8_t* q = &p->pixels[static_cast<size_t>(i) * bpp];
    q[0] = static_cast<uint8_t>(c.r);
    q[1] = static_cast<uint8_t>(c.g);
    q[2] = static_cast<uint8_t>(c.b);
    if (alpha >= 0) q[3] = static_cast<uint8_t>(alpha);
  }
  return p;
}

inline void SetPixel(TPixmap& p, int32_t x, int32_t y, TRgb c, int alpha = 255) {
  int bpp = PixmapBytesPerPixel(p.format);
  uint8_t* q = &p.pixels[static_cast<size_t>(y) * p.pitch + static_cast<size_t>(x) * bpp];
  q[0] = static_cast<uint8_t>(c.r);
  q[1] = static_cast<uint8_t>(c.g);
  q[2] = static_cast<uint8_t>(c.b);
  if (bpp == 4) q[3] = static_cast<uint8_t>(alpha);
}

inline const uint8_t* PixelOf(const TPixmap& p, int32_t x, int32_t y) {
  return &p.pixels[static_cast<size_t>(y) * p.pitch + static_cast<size_t>(x) * PixmapBytesPerPixel(p.format)];
}

// A headless 800 x 600 display on the virtual clock for every test of the fixture.
class HeadlessDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEndMode(EndMode::Throw);
    UseVirtualClock(1000);
    SetDisplayHeadless(true);
    ASSERT_NE(OpenDisplay(800, 600, 16, 27, 0), nullptr) << "the offscreen display did not open";
  }
  void TearDown() override {
    CloseDisplay();
    ResetExitHandlers();
    UseRealClock();
  }

  // Fills the whole picture with one colour (a solid 800 x 600 image drawn in mode 2).
  void Fill(TRgb c) {
    ImagePtr back = MakeImageFromPixmap(*SolidPixmap(800, 600, c), 0);
    int32_t mode = GetBlendMode();
    SetBlendMode(2);
    SetDrawColor(255, 255, 255);
    DrawImageFrame(back.get(), 0, 0, 0);
    SetBlendMode(mode);
  }

  static TRgb Probe(int32_t x, int32_t y) {
    uint8_t rgb[3] = {0, 0, 0};
    EXPECT_TRUE(ReadPresentedPixel(x, y, rgb));
    return TRgb{rgb[0], rgb[1], rgb[2]};
  }
};

// Colours equal within a unit or two per channel.
#define EXPECT_RGB_NEAR(actual, expected)                                                           \
  do {                                                                                              \
    TRgb a_ = (actual), e_ = (expected);                                                            \
    EXPECT_TRUE(std::abs(a_.r - e_.r) <= 2 && std::abs(a_.g - e_.g) <= 2 && std::abs(a_.b - e_.b) <= 2) \
        << "got (" << a_.r << ", " << a_.g << ", " << a_.b << ") wanted (" << e_.r << ", " << e_.g  \
        << ", " << e_.b << ")";                                                                    \
  } while (0)

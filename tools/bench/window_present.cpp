// What a present costs in a real window on an X display, at the sizes players meet (the picture's own,
// whole multiples, a wide screen): the dimmed title picture drawn, then the picture shown scaled in
// the window. Registered only when an X display is named and SDL is not forced to its offscreen
// driver; the process's CPU time counts the rasteriser's threads too.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/display/display.h"
#include "platform/images/image.h"
#include "platform/display/display_internal.h"
#include "platform/core/program.h"
#include "platform/files/resources.h"

namespace {

void BM_PresentInWindow(benchmark::State& state) {
  const auto width = static_cast<int32_t>(state.range(0)), height = static_cast<int32_t>(state.range(1));
  RegisterEmbeddedResources();
  SetEndMode(EndMode::Throw);
  const bool headless = DisplayIsHeadless();
  SetDisplayHeadless(false);
  if (!OpenDisplay(800, 600, 0, 27, 0)) {
    SetDisplayHeadless(headless);
    state.SkipWithError("no window could be opened");
    return;
  }
  ResizeDisplayWindow(width, height);
  int32_t w = 0, h = 0;
  DisplayDrawableSize(w, h);
  SetMaskColor(255, 0, 255);
  ImagePtr title = LoadImageResource("incbin::image\\dragon.jpg", -1);
  SetBlendMode(1);
  SetDrawColor(111, 111, 111);
  for (int i = 0; i < 5; ++i) {
    DrawImageFrame(title.get(), 0, 0, 0);
    FlipFrame(0);
  }
  for (auto _ : state) {
    DrawImageFrame(title.get(), 0, 0, 0);
    FlipFrame(0);
  }
  state.counters["drawable_w"] = w;
  state.counters["drawable_h"] = h;
  title.reset();
  CloseDisplay();
  SetDisplayHeadless(headless);
}

}  // namespace

void RegisterWindowBenchmarks() {
  const char* display = std::getenv("DISPLAY");
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (!display || !*display || (driver && std::strcmp(driver, "x11") != 0)) return;
  for (auto size : {std::pair{800, 600}, std::pair{1600, 1200}, std::pair{1920, 1080}, std::pair{2400, 1800}})
    benchmark::RegisterBenchmark("BM_PresentInWindow", BM_PresentInWindow)
        ->Args({size.first, size.second})
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime()
        ->UseRealTime();
}

// cairnmark-bench: what one typical frame costs on the headless display (the dimmed title picture,
// about 300 glyphs and 40 small pictures, then a present), unpaced and paced, and what decoding the
// game's PNG frames costs. Run with SDL_VIDEODRIVER=offscreen; uses the embedded art. With an X
// display named instead, a present in a real window is measured too.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/display/display.h"
#include "platform/images/codecs.h"
#include "platform/images/image.h"
#include "platform/core/program.h"
#include "platform/files/resources.h"

#ifdef CAIRNMARK_BENCH_SDL_IMAGE
#include <SDL_image.h>
#endif

namespace {

struct TScene {
  ImagePtr title;
  ImagePtr glyphs;
  std::vector<ImagePtr> pictures;
};

// Every PNG under assets/image, as bytes, in a fixed order.
const std::vector<std::vector<uint8_t>>& PngFiles() {
  static std::vector<std::vector<uint8_t>> files = [] {
    std::vector<std::string> paths;
    std::filesystem::path root = std::filesystem::path(CAIRNMARK_SOURCE_DIR) / "assets" / "image";
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
      if (it->path().extension() == ".png") paths.push_back(it->path().string());
    std::sort(paths.begin(), paths.end());
    std::vector<std::vector<uint8_t>> bytes;
    for (const std::string& p : paths) {
      std::ifstream in(p, std::ios::binary);
      bytes.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (bytes.empty()) {
      // No art checked out: generated frames of the art's usual size.
      for (int i = 0; i < 64; ++i) {
        auto p = MakePixmap(120, 100, 6);
        for (size_t k = 0; k < p->pixels.size(); ++k) p->pixels[k] = static_cast<uint8_t>((k * 7 + i) % 251);
        std::vector<uint8_t> png;
        EncodePng(*p, png);
        bytes.push_back(std::move(png));
      }
    }
    return bytes;
  }();
  return files;
}

TScene& Scene() {
  static TScene scene = [] {
    TScene s;
    RegisterEmbeddedResources();
    SetEndMode(EndMode::Throw);
    SetDisplayHeadless(true);
    if (DisplayWidth() == 0) OpenDisplay(800, 600, 16, 27, 0);
    SetMaskColor(255, 0, 255);
    s.title = LoadImageResource("incbin::image\\dragon.jpg", -1);
    if (!s.title) s.title = MakeImageFromPixmap(*MakePixmap(800, 600, 4), -1);
    s.glyphs = LoadImageStrip("incbin::image\\font2.png", 14, 12, 0, 56, -1);
    if (!s.glyphs) {
      auto strip = MakePixmap(14 * 28, 24, 4);
      for (size_t k = 0; k < strip->pixels.size(); ++k) strip->pixels[k] = static_cast<uint8_t>(k * 13);
      s.glyphs = MakeImageFromPixmap(*strip, -1);
    }
    const auto& files = PngFiles();
    for (size_t i = 0; i < files.size() && s.pictures.size() < 40; i += std::max<size_t>(1, files.size() / 40)) {
      auto pixmap = DecodePixmap(files[i].data(), static_cast<int64_t>(files[i].size()));
      if (pixmap) s.pictures.push_back(MakeImageFromPixmap(*pixmap, -1));
    }
    return s;
  }();
  return scene;
}

void DrawTypicalFrame(TScene& s) {
  SetBlendMode(1);
  SetDrawColor(111, 111, 111);
  DrawImageFrame(s.title.get(), 0, 0, 0);
  int32_t frames = s.glyphs->FrameCount();
  for (int i = 0; i < 300; ++i) {
    // Menu lines in a few colours, as the screens draw them.
    if (i % 30 == 0) SetDrawColor(255, 255 - i / 2, 100 + i / 4);
    DrawImageFrame(s.glyphs.get(), static_cast<float>(20 + (i % 50) * 14), static_cast<float>(40 + (i / 50) * 14),
                   (i * 7) % frames);
  }
  SetDrawColor(255, 255, 255);
  for (size_t i = 0; i < s.pictures.size(); ++i)
    DrawImageFrame(s.pictures[i].get(), static_cast<float>(20 + (i % 10) * 76), static_cast<float>(200 + (i / 10) * 90),
                   0);
}

void BM_TypicalFrameUnpaced(benchmark::State& state) {
  TScene& s = Scene();
  DrawTypicalFrame(s);
  FlipFrame(0);
  for (auto _ : state) {
    DrawTypicalFrame(s);
    FlipFrame(0);
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TypicalFrameUnpaced)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The parts of the frame on their own: where the time goes.
void BM_PresentOnly(benchmark::State& state) {
  Scene();
  for (auto _ : state) FlipFrame(0);
}
BENCHMARK(BM_PresentOnly)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_TitlePictureAndPresent(benchmark::State& state) {
  TScene& s = Scene();
  SetBlendMode(1);
  SetDrawColor(111, 111, 111);
  for (auto _ : state) {
    DrawImageFrame(s.title.get(), 0, 0, 0);
    FlipFrame(0);
  }
}
BENCHMARK(BM_TitlePictureAndPresent)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_GlyphsAndPresent(benchmark::State& state) {
  TScene& s = Scene();
  SetBlendMode(1);
  for (auto _ : state) {
    for (int i = 0; i < 300; ++i)
      DrawImageFrame(s.glyphs.get(), static_cast<float>(20 + (i % 50) * 14), static_cast<float>(40 + (i / 50) * 14),
                     (i * 7) % s.glyphs->FrameCount());
    FlipFrame(0);
  }
}
BENCHMARK(BM_GlyphsAndPresent)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_TypicalFramePaced(benchmark::State& state) {
  TScene& s = Scene();
  UseRealClock();
  OpenDisplay(800, 600, 16, 27, 0);  // the pacing starts from now
  for (auto _ : state) {
    DrawTypicalFrame(s);
    FlipFrame(-1);
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TypicalFramePaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(135);

void BM_DecodePngFrames(benchmark::State& state) {
  const auto& files = PngFiles();
  int64_t bytes = 0;
  for (const auto& f : files) bytes += static_cast<int64_t>(f.size());
  for (auto _ : state) {
    for (const auto& f : files) benchmark::DoNotOptimize(DecodePixmap(f.data(), static_cast<int64_t>(f.size())));
  }
  state.counters["files"] = static_cast<double>(files.size());
  state.counters["per_file_us"] = benchmark::Counter(static_cast<double>(state.iterations() * files.size()),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_DecodePngFrames)->Unit(benchmark::kMillisecond);

#ifdef CAIRNMARK_BENCH_SDL_IMAGE
// The yardstick for our decoder: SDL2_image's loader on the very same bytes (only when the
// library is installed; the game itself never uses it).
void BM_DecodePngFramesSdlImage(benchmark::State& state) {
  const auto& files = PngFiles();
  for (auto _ : state) {
    for (const auto& f : files) {
      SDL_Surface* surface = IMG_Load_RW(SDL_RWFromConstMem(f.data(), static_cast<int>(f.size())), 1);
      benchmark::DoNotOptimize(surface);
      SDL_FreeSurface(surface);
    }
  }
  state.counters["per_file_us"] = benchmark::Counter(static_cast<double>(state.iterations() * files.size()),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DecodePngFramesSdlImage)->Unit(benchmark::kMillisecond);
#endif

void BM_LoadTitleJpeg(benchmark::State& state) {
  Scene();
  for (auto _ : state) benchmark::DoNotOptimize(LoadPixmap("incbin::image\\dragon.jpg"));
}
BENCHMARK(BM_LoadTitleJpeg)->Unit(benchmark::kMillisecond);

}  // namespace

// Present costs in a real window (tools/bench/window_present.cpp), when an X display is named.
void RegisterWindowBenchmarks();

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RegisterWindowBenchmarks();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  ShutdownDisplaySystem();
  return 0;
}

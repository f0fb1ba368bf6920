// Benchmarks of the maze picture: a whole-window RenderView at two window sizes and each zoom,
// beside filling the same buffer with one value, the memory-speed floor it is measured against.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "view/cell_palette.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"
#include "world/cell_grid.h"

namespace vennaloop {
namespace {

// A map like one in mid-game: pillars solid, about half the passages and rooms still walls,
// a few aliens. The content does not steer the renderer, but keeps it honest.
void FillMapLikeAGame() {
  std::mt19937 random(12345);
  for (int v = 0; v < CELL_COUNT; ++v) {
    const Cell cell = static_cast<Cell>(v);
    std::uint8_t flags = IsPillar(cell) || random() % 2 ? CELL_WALL : 0;
    if (random() % 2000 == 0) flags |= CELL_ALIEN;
    CellMap[v] = flags;
  }
  CellMap[START_ROOM] |= CELL_PLAYER;
  CellMap[GOAL_ROOM] |= CELL_GOAL;
}

void SetPixelCounter(benchmark::State& state, const PixelBuffer& buffer) {
  const double pixels = double(buffer.Width()) * buffer.Height();
  // Time per pixel, so the zooms can be compared directly.
  state.counters["per_pixel"] = benchmark::Counter(
      pixels, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void RenderWholeView(benchmark::State& state) {
  FillMapLikeAGame();
  BuildCellPalette();
  PixelBuffer buffer;
  if (!buffer.Resize(int(state.range(0)), int(state.range(1)))) {
    state.SkipWithError("no buffer");
    return;
  }
  const int zoom = int(state.range(2));
  for (auto _ : state) {
    RenderView(buffer, zoom);
    benchmark::DoNotOptimize(buffer.Pixels());
    benchmark::ClobberMemory();
  }
  SetPixelCounter(state, buffer);
}
BENCHMARK(RenderWholeView)
    ->ArgNames({"w", "h", "zoom"})
    ->ArgsProduct({{1920}, {1080}, {1, 2, 3}})
    ->ArgsProduct({{3840}, {2160}, {1, 2, 3}})
    ->Unit(benchmark::kMicrosecond);

void FillWholeView(benchmark::State& state) {
  PixelBuffer buffer;
  if (!buffer.Resize(int(state.range(0)), int(state.range(1)))) {
    state.SkipWithError("no buffer");
    return;
  }
  const std::size_t count = std::size_t(buffer.Width()) * buffer.Height();
  std::uint32_t value = 0;
  for (auto _ : state) {
    std::fill(buffer.Pixels(), buffer.Pixels() + count, value++);
    benchmark::DoNotOptimize(buffer.Pixels());
    benchmark::ClobberMemory();
  }
  SetPixelCounter(state, buffer);
}
BENCHMARK(FillWholeView)
    ->ArgNames({"w", "h"})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vennaloop

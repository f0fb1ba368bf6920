// Benchmarks of the maze picture: a whole-window RenderView at two window sizes and each zoom,
// beside filling the same buffer with one value, the memory-speed floor it is measured against;
// and a game cycle's frame in mid-growth, drawn whole or by redrawing the changed cells, with
// the rectangles each shape of the flushed region comes to.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "game/game.h"
#include "null_host.h"
#include "view/flush_region.h"
#include "view/picture_updater.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"
#include "world/cell_changes.h"
#include "world/cell_grid.h"

namespace vennaloop {
namespace {

// A buffer of the benchmark's first two arguments, width and height; false, and the benchmark
// skipped with a note, when there is no memory for it.
bool SizedBuffer(benchmark::State& state, PixelBuffer& buffer) {
  if (buffer.Resize(int(state.range(0)), int(state.range(1)))) return true;
  state.SkipWithError("no buffer");
  return false;
}

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
  PixelBuffer buffer;
  if (!SizedBuffer(state, buffer)) return;
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
  if (!SizedBuffer(state, buffer)) return;
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

// ---- A game cycle's frame --------------------------------------------------------------------

// Cycles 100 to 700 of a stage, the maze growing, thirty aliens and the player wandering: what
// a game cycle changes in the common case. A new stage is set up, untimed, when it runs out.
class MidGrowthPlay {
 public:
  /// True when a new stage was set up: the next frame draws everything.
  bool Cycle(benchmark::State& state) {
    bool fresh = false;
    if (played_ >= kTo) {
      state.PauseTiming();
      bench::PrepareStage(game_, kFrom);
      played_ = kFrom;
      fresh = true;
      state.ResumeTiming();
    }
    bench::Tick(game_);
    ++played_;
    return fresh;
  }

 private:
  static constexpr int kFrom = 100, kTo = 700;
  bench::NullHost host_;
  Game game_{host_};
  int played_ = kTo;
};

// One cycle and its frame drawn whole, as every frame was drawn before.
void FrameWithFullRender(benchmark::State& state) {
  PixelBuffer buffer;
  if (!SizedBuffer(state, buffer)) return;
  const int zoom = int(state.range(2));
  MidGrowthPlay play;
  CellChangeSet changes;
  for (auto _ : state) {
    play.Cycle(state);
    TakeCellChanges(changes);  // taken and dropped, so the game notes them as it would
    RenderView(buffer, zoom);
    benchmark::DoNotOptimize(buffer.Pixels());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(FrameWithFullRender)
    ->ArgNames({"w", "h", "zoom"})
    ->ArgsProduct({{1920}, {1080}, {1, 2}})
    ->ArgsProduct({{3840}, {2160}, {1, 2}})
    ->Unit(benchmark::kMicrosecond);

// `ticks` cycles and one frame of the cells they changed. Counters per frame: cells taken,
// squares redrawn, row bands to flush and the share of the window they cover.
void FrameWithChangedCells(benchmark::State& state) {
  PixelBuffer buffer;
  if (!SizedBuffer(state, buffer)) return;
  const int zoom = int(state.range(2));
  PictureUpdater updater;
  const int ticks = int(state.range(3));
  MidGrowthPlay play;
  double cells = 0, squares = 0, rects = 0, flushed = 0;
  for (auto _ : state) {
    for (int t = 0; t < ticks; ++t) {
      if (play.Cycle(state)) {
        state.PauseTiming();
        updater.Update(buffer, zoom);  // the new stage's whole picture
        state.ResumeTiming();
      }
    }
    const PictureUpdate update = updater.Update(buffer, zoom);
    cells += update.cells;
    squares += update.squares;
    rects += double(update.flush.size());
    for (const PixelRect& r : update.flush)
      flushed += double(r.right - r.left) * double(r.bottom - r.top);
    benchmark::DoNotOptimize(buffer.Pixels());
    benchmark::ClobberMemory();
  }
  using benchmark::Counter;
  state.counters["cells"] = Counter(cells, Counter::kAvgIterations);
  state.counters["squares"] = Counter(squares, Counter::kAvgIterations);
  state.counters["rects"] = Counter(rects, Counter::kAvgIterations);
  state.counters["flushed_share"] =
      Counter(flushed / (double(buffer.Width()) * buffer.Height()), Counter::kAvgIterations);
}
BENCHMARK(FrameWithChangedCells)
    ->ArgNames({"w", "h", "zoom", "ticks"})
    // A frame per cycle, and sixteen cycles a frame as a 1 ms period brings at 60 frames a
    // second: some 760 cells, still under MAX_REDRAWN_CELLS.
    ->ArgsProduct({{1920}, {1080}, {1, 2}, {1, 16}})
    ->ArgsProduct({{3840}, {2160}, {1, 2}, {1, 16}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vennaloop

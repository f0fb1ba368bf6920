// Benchmarks of the maze generator: a whole growth (what key S runs inside one tick), and one game
// cycle's sixteen steps in mid-growth.
#include <benchmark/benchmark.h>

#include "world/maze_generator.h"

namespace vennaloop {
namespace {

void GrowWholeMaze(benchmark::State& state) {
  long steps = 0;
  for (auto _ : state) {
    ResetMaze();
    while (!Maze.finished) {
      GrowStep();
      ++steps;
    }
    benchmark::DoNotOptimize(CellMap[0]);
  }
  state.counters["steps"] = benchmark::Counter(double(steps) / double(state.iterations()));
}
BENCHMARK(GrowWholeMaze)->Unit(benchmark::kMicrosecond);

// Sixteen steps, as one game cycle grows the maze, taken from the middle third of a growth.
void GrowOneCycle(benchmark::State& state) {
  constexpr int kFrom = 4000, kTo = 10000;
  int grown = kTo;
  for (auto _ : state) {
    if (grown >= kTo) {
      state.PauseTiming();
      ResetMaze();
      for (grown = 0; grown < kFrom; ++grown)
        GrowStep();
      state.ResumeTiming();
    }
    for (int i = 0; i < 16; ++i)
      GrowStep();
    grown += 16;
  }
}
BENCHMARK(GrowOneCycle)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace vennaloop

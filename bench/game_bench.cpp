// Benchmarks of one game cycle without painting: thirty alien steps, one player step in wander
// mode and sixteen growth steps, in mid-growth and on a finished maze.
#include <benchmark/benchmark.h>

#include "game/game.h"
#include "game/virtual_keys.h"
#include "null_host.h"
#include "world/cell_changes.h"
#include "world/maze_generator.h"

namespace vennaloop {
namespace {

using bench::NullHost;
using bench::PrepareStage;

// Cycles 100 to 700 of a stage: the maze is still growing (it takes about 920 cycles). The
// changed cells are taken after every cycle, as a window showing every frame takes them; left
// alone they would overflow into "everything", which costs less to note.
void GameCycleMidGrowth(benchmark::State& state) {
  NullHost host;
  Game game(host);
  CellChangeSet changes;
  constexpr int kFrom = 100, kTo = 700;
  int played = kTo;
  for (auto _ : state) {
    if (played >= kTo) {
      state.PauseTiming();
      PrepareStage(game, kFrom);
      TakeCellChanges(changes);
      played = kFrom;
      state.ResumeTiming();
    }
    bench::Tick(game);
    TakeCellChanges(changes);
    ++played;
  }
  benchmark::DoNotOptimize(game.playerCell);
}
BENCHMARK(GameCycleMidGrowth)->Unit(benchmark::kMicrosecond)->Repetitions(5);

// On a finished maze the growth steps cost nothing: the walkers alone.
void GameCycleFinishedMaze(benchmark::State& state) {
  NullHost host;
  Game game(host);
  PrepareStage(game, 0);
  game.pendingKey = KEY_S;
  bench::Tick(game);
  game.moveMode = MoveMode::Wander;
  CellChangeSet changes;
  for (auto _ : state) {
    bench::Tick(game);
    TakeCellChanges(changes);
  }
  benchmark::DoNotOptimize(game.playerCell);
}
BENCHMARK(GameCycleFinishedMaze)->Unit(benchmark::kMicrosecond)->Repetitions(5);

}  // namespace
}  // namespace vennaloop

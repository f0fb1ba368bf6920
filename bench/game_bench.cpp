// Benchmarks of one game cycle without painting: thirty alien steps, one player step in wander
// mode and sixteen growth steps, in mid-growth and on a finished maze.
#include <benchmark/benchmark.h>

#include <climits>

#include "game/game.h"
#include "game/virtual_keys.h"
#include "world/maze_generator.h"

namespace vennaloop {
namespace {

// A window that paints nothing and confirms every stage result at once.
class NullHost : public GameHost {
 public:
  void StartTimer(int) override {}
  void StopTimer() override {}
  void RepaintView() override {}
  bool TitleExists() override { return false; }
  void RepaintTitle() override {}
  void CloseTitle() override {}
  DialogAnswer RunStageResult(const StageResult&) override { return DialogAnswer::Ok; }
  void ShowAbout() override {}
  void ShowAuthorProfile() override {}
  bool IsShiftDown() override { return false; }
  bool IsCtrlDown() override { return false; }
};

// A fresh stage past the title, the player wandering, and enough hit points that the aliens
// never end it; `warmUp` cycles are played before timing starts.
void PrepareStage(Game& game, int warmUp) {
  game.StageSetup();
  game.titleTicks = TITLE_TICKS;
  game.hitPoints = INT_MAX;
  game.moveMode = MoveMode::Wander;
  for (int i = 0; i < warmUp; ++i)
    game.GameTick();
}

// Cycles 100 to 700 of a stage: the maze is still growing (it takes about 920 cycles).
void GameCycleMidGrowth(benchmark::State& state) {
  NullHost host;
  Game game(host);
  constexpr int kFrom = 100, kTo = 700;
  int played = kTo;
  for (auto _ : state) {
    if (played >= kTo) {
      state.PauseTiming();
      PrepareStage(game, kFrom);
      played = kFrom;
      state.ResumeTiming();
    }
    game.GameTick();
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
  game.GameTick();
  game.moveMode = MoveMode::Wander;
  for (auto _ : state)
    game.GameTick();
  benchmark::DoNotOptimize(game.playerCell);
}
BENCHMARK(GameCycleFinishedMaze)->Unit(benchmark::kMicrosecond)->Repetitions(5);

}  // namespace
}  // namespace vennaloop

// game_soak_test.cpp: hundreds of stages through the window-free game, most of random play and a
// few guided to the goal or into the aliens, so every ending comes; the picture is drawn into a
// small buffer on every cycle, and the world's invariants and every pixel are checked.
//
// By default it plays VENNALOOP_SOAK_STAGES=500 stages, a few seconds. The full soak is
//   VENNALOOP_SOAK_STAGES=10000 build/tests/vennaloop_tests --gtest_filter='*Soak*'
// and VENNALOOP_SOAK_SEED replays a run whose seed a failure printed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "game/virtual_keys.h"
#include "game_test_support.h"
#include "picture_check.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"
#include "world_invariants.h"

namespace vennaloop {
namespace {

long EnvOr(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value ? std::strtol(value, nullptr, 10) : fallback;
}

using testing::GameTest;

// Steps over open cells from `from`, into `distance`: -1 where no corridor leads. Stops early
// at the first cell `stop` accepts, and returns it (or `from` when none).
template <typename Stop>
Cell WalkOut(Cell from, std::vector<int>& distance, Stop stop) {
  distance.assign(CELL_COUNT, -1);
  static std::vector<Cell> queue;
  queue.assign(1, from);
  distance[from] = 0;
  for (std::size_t head = 0; head < queue.size(); ++head) {
    const Cell cell = queue[head];
    if (head > 0 && stop(cell)) return cell;
    for (Cell next : {StepLeft(cell), StepUp(cell), StepRight(cell), StepDown(cell)}) {
      if ((CellMap[next] & CELL_WALL) || distance[next] >= 0) continue;
      distance[next] = distance[cell] + 1;
      queue.push_back(next);
    }
  }
  return from;
}

// The arrow key that moves the player one step nearer, by `distance`, to where it was measured
// from; the game's own command table says where each arrow leads as the player sees it.
int ArrowDownhill(Game& game, const std::vector<int>& distance) {
  const MoveMode mode = game.moveMode;
  int best = 0, bestDistance = distance[game.playerCell];
  for (int key : {KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN}) {
    Cell target = game.playerCell;
    bool moved = false;
    game.DispatchCommand(key, target, moved);
    if (distance[target] >= 0 && distance[target] < bestDistance) {
      best = key;
      bestDistance = distance[target];
    }
  }
  game.moveMode = mode;
  return best;
}

// The first step from the player towards the nearest alien, as the arrow key that takes it.
int ArrowTowardsAnAlien(Game& game) {
  static std::vector<int> fromPlayer, fromAlien;
  const Cell alien =
      WalkOut(game.playerCell, fromPlayer, [](Cell c) { return (CellMap[c] & CELL_ALIEN) != 0; });
  if (alien == game.playerCell) return 0;
  // Walked back from the alien only as far as the player.
  WalkOut(alien, fromAlien, [&](Cell c) { return c == game.playerCell; });
  return ArrowDownhill(game, fromAlien);
}

TEST_F(GameTest, SoakOfManyStagesKeepsTheWorldAndThePictureSound) {
  const long stagesWanted = EnvOr("VENNALOOP_SOAK_STAGES", 500);
  const auto seed = static_cast<unsigned>(EnvOr("VENNALOOP_SOAK_SEED", 20240715));
  std::printf("Soak: seed %u, %ld stages (VENNALOOP_SOAK_SEED, VENNALOOP_SOAK_STAGES)\n", seed,
              stagesWanted);
  std::mt19937 rng(seed);
  auto chance = [&](int perMille) { return static_cast<int>(rng() % 1000) < perMille; };

  PixelBuffer buffer;
  testing::ShadowPicture shadow;
  std::string pictureFault;
  auto resize = [&](int width, int height) {
    const bool ok = buffer.Resize(width, height);
    if (pictureFault.empty()) pictureFault = shadow.AfterResize(buffer, width, height, ok);
  };
  resize(64, 48);
  long renders = 0;
  // The paint the tick asks for, checked pixel by pixel against the plain reference.
  host.onRepaintView = [&] {
    RenderView(buffer, game.zoom);
    ++renders;
    if (pictureFault.empty()) pictureFault = shadow.AfterRender(buffer, game.zoom);
  };
  // Each new stage is keyed from the run's generator, so the run replays exactly from its seed.
  host.onOpenDialog = [&](const DialogRequest& request) {
    if (request.kind != DialogKind::StageResult) return;
    for (auto& b : testing::FakeRandom.cryptoBytes)
      b = static_cast<std::uint8_t>(rng());
  };

  // Most stages are played at random: walking keys are common, Esc ends a stage every twenty
  // ticks or so, S finishes the maze now and then; digits set zoom and speed, and keys the game
  // ignores come in too. A few finish the maze and walk the player to the goal, and a few hunt
  // the aliens, so the hit points, which last from stage to stage, run out.
  enum class Plan { Random, ReachGoal, MeetAliens };
  Plan plan = Plan::Random;
  std::vector<int> toGoal;  // distances from the goal, once the maze is finished
  auto choosePlan = [&] {
    const int pick = static_cast<int>(rng() % 100);
    plan = pick < 1 ? Plan::ReachGoal : pick < 2 ? Plan::MeetAliens : Plan::Random;
    toGoal.clear();
  };
  const int walkKeys[] = {KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN, KEY_F, KEY_N, KEY_W, KEY_R};
  const int otherKeys[] = {KEY_SPACE, KEY_1, KEY_2, KEY_3, KEY_A, KEY_V, '4', '0', 'Z', 0, -1};
  const int oddSizes[][2] = {{63, 47}, {65, 49}, {1, 1}, {2, 3}, {0, 48}, {64, 0}, {5, 5}};

  const auto started = std::chrono::steady_clock::now();
  long stages = 0, ticks = 0;
  int byOutcome[3] = {};
  const long tickLimit = 1000 + 500 * stagesWanted;
  while (stages < stagesWanted && ticks < tickLimit) {
    if (plan != Plan::Random) {
      host.shiftDown = host.ctrlDown = false;
      if (!Maze.finished) {
        game.KeyDown(KEY_S);
      } else if (plan == Plan::ReachGoal) {
        if (toGoal.empty()) WalkOut(GOAL_ROOM, toGoal, [](Cell) { return false; });
        game.KeyDown(ArrowDownhill(game, toGoal));
      } else {
        game.KeyDown(ArrowTowardsAnAlien(game));
      }
    } else if (chance(50)) {
      game.KeyDown(KEY_ESCAPE);
    } else if (chance(5)) {
      game.KeyDown(KEY_S);
    } else if (chance(300)) {
      game.KeyDown(walkKeys[rng() % std::size(walkKeys)]);
    } else if (chance(40)) {
      game.KeyDown(otherKeys[rng() % std::size(otherKeys)]);
    }
    if (plan == Plan::Random) {
      host.shiftDown = chance(150);
      host.ctrlDown = chance(150);
    }

    game.GameTick();
    ++ticks;
    // Dialogs are answered before the next tick, or after a tick that must do nothing; mostly
    // OK, so a give-up ends the stage, while a refused give-up plays on.
    if (game.DialogOpen() && (plan != Plan::Random || chance(900)))
      game.DialogClosed(plan != Plan::Random || chance(850) ? DialogAnswer::Ok
                                                            : DialogAnswer::Cancel);
    for (const StageResult& r : host.results)
      ++byOutcome[static_cast<int>(r.outcome)];
    const bool stageEnded = !host.results.empty();
    const int setups = host.CountOf("StartTimer(" + std::to_string(DEFAULT_PERIOD_MS) + ")");
    host.ClearLog();

    // The long guided walks are plain moves, which the random play checks on every tick; there
    // the world is checked every sixteenth tick and at the stage's end.
    if (plan == Plan::Random || stageEnded || ticks % 16 == 0) {
      const std::string fault = testing::WorldFault(game);
      ASSERT_EQ(fault, "") << "after tick " << ticks << " of seed " << seed;
    }
    ASSERT_EQ(pictureFault, "") << "after tick " << ticks << " of seed " << seed;
    ASSERT_GE(game.zoom, MIN_ZOOM);
    ASSERT_LE(game.zoom, MAX_ZOOM);

    // A new stage: the zoom moves on, and now and then the window takes an odd size for it.
    for (int k = 0; k < setups; ++k) {
      ++stages;
      choosePlan();
      game.zoom = MIN_ZOOM + static_cast<int>(stages % MAX_ZOOM);
      if (chance(50)) {
        const auto& size = oddSizes[rng() % std::size(oddSizes)];
        resize(size[0], size[1]);
      } else if (buffer.Width() != 64 || buffer.Height() != 48) {
        resize(64, 48);
      }
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf(
      "Soak: %ld stages in %ld ticks, %ld renders, %.1f s; results: %d goal, %d gave up, "
      "%d hit points exhausted\n",
      stages, ticks, renders, seconds, byOutcome[0], byOutcome[1], byOutcome[2]);
  EXPECT_EQ(stages, stagesWanted) << "the tick limit cut the run short";
  // Every ending was played through, its dialog answered and the next stage set up.
  EXPECT_GT(byOutcome[static_cast<int>(Outcome::GoalReached)], 0);
  EXPECT_GT(byOutcome[static_cast<int>(Outcome::GaveUp)], 0);
  EXPECT_GT(byOutcome[static_cast<int>(Outcome::HitPointsExhausted)], 0);
}

}  // namespace
}  // namespace vennaloop

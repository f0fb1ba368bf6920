// game_soak_test.cpp: thousands of short stages of random play through the window-free game, the
// picture drawn into a small buffer on every cycle, and after every tick the world's invariants
// and every pixel checked.
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

  // Walking keys are common, Esc ends a stage every twenty ticks or so, S finishes the maze now
  // and then; digits set zoom and speed, and keys the game ignores come in too.
  const int walkKeys[] = {KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN, KEY_F, KEY_N, KEY_W, KEY_R};
  const int otherKeys[] = {KEY_SPACE, KEY_1, KEY_2, KEY_3, KEY_A, KEY_V, '4', '0', 'Z', 0, -1};
  const int oddSizes[][2] = {{63, 47}, {65, 49}, {1, 1}, {2, 3}, {0, 48}, {64, 0}, {5, 5}};

  const auto started = std::chrono::steady_clock::now();
  long stages = 0, ticks = 0;
  int byOutcome[3] = {};
  const long tickLimit = 1000 + 500 * stagesWanted;
  while (stages < stagesWanted && ticks < tickLimit) {
    if (chance(50)) {
      game.KeyDown(KEY_ESCAPE);
    } else if (chance(5)) {
      game.KeyDown(KEY_S);
    } else if (chance(300)) {
      game.KeyDown(walkKeys[rng() % std::size(walkKeys)]);
    } else if (chance(40)) {
      game.KeyDown(otherKeys[rng() % std::size(otherKeys)]);
    }
    host.shiftDown = chance(150);
    host.ctrlDown = chance(150);

    game.GameTick();
    ++ticks;
    // Dialogs are answered before the next tick, or after a tick that must do nothing; mostly
    // OK, so a give-up ends the stage, while a refused give-up plays on.
    if (game.DialogOpen() && chance(900))
      game.DialogClosed(chance(850) ? DialogAnswer::Ok : DialogAnswer::Cancel);
    for (const StageResult& r : host.results)
      ++byOutcome[static_cast<int>(r.outcome)];
    const int setups = host.CountOf("StartTimer(" + std::to_string(DEFAULT_PERIOD_MS) + ")");
    host.ClearLog();

    const std::string fault = testing::WorldFault(game);
    ASSERT_EQ(fault, "") << "after tick " << ticks << " of seed " << seed;
    ASSERT_EQ(pictureFault, "") << "after tick " << ticks << " of seed " << seed;
    ASSERT_GE(game.zoom, MIN_ZOOM);
    ASSERT_LE(game.zoom, MAX_ZOOM);

    // A new stage: the zoom moves on, and now and then the window takes an odd size for it.
    for (int k = 0; k < setups; ++k) {
      ++stages;
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
}

}  // namespace
}  // namespace vennaloop

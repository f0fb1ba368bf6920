// game_long_run_test.cpp: many stages of random keys and dialog answers through the game, with
// the world's invariants checked after every tick. VENNALOOP_LONG_RUN_TICKS asks for a longer
// run, VENNALOOP_LONG_RUN_SEED replays one.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "game/virtual_keys.h"
#include "game_test_support.h"
#include "world_invariants.h"

namespace vennaloop {
namespace {

int EnvOr(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value ? std::atoi(value) : fallback;
}

using testing::GameTest;

TEST_F(GameTest, LongRunOfRandomKeysKeepsTheWorldSound) {
  const int ticks = EnvOr("VENNALOOP_LONG_RUN_TICKS", 3000);
  const unsigned seed = static_cast<unsigned>(EnvOr("VENNALOOP_LONG_RUN_SEED", 20240601));
  std::printf("Long run: seed %u, %d ticks (VENNALOOP_LONG_RUN_SEED, VENNALOOP_LONG_RUN_TICKS)\n",
              seed, ticks);
  std::mt19937 rng(seed);
  auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
  const int keys[] = {KEY_ESCAPE, KEY_SPACE, KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN,
                      KEY_1,      KEY_2,     KEY_3,    KEY_A,  KEY_F,     KEY_N,
                      KEY_R,      KEY_S,     KEY_V,    KEY_W,  '4',       'Z'};
  const DialogAnswer answers[] = {DialogAnswer::Ok, DialogAnswer::Cancel, DialogAnswer::NotShown};
  // Each new stage gets its own seed from the run's generator, so the run replays exactly.
  host.onStageResult = [&] {
    for (auto& b : testing::FakeRandom.cryptoBytes)
      b = static_cast<std::uint8_t>(rng());
    host.answers = {answers[rng() % 3]};
  };
  int stages = 0;
  for (int tick = 0; tick < ticks; ++tick) {
    // A key on about a third of the ticks: stages end every hundred ticks or so by Esc and are
    // finished at once by S now and then, so both short and complete mazes are walked.
    if (chance(30)) game.KeyDown(keys[rng() % std::size(keys)]);
    host.shiftDown = chance(20);
    host.ctrlDown = chance(20);
    const std::size_t resultsBefore = host.results.size();
    game.GameTick();
    stages += static_cast<int>(host.results.size() - resultsBefore);
    const std::string fault = testing::WorldFault(game);
    ASSERT_EQ(fault, "") << "after tick " << tick << " of seed " << seed;
    ASSERT_GE(game.zoom, 1);
    ASSERT_LE(game.zoom, 3);
  }
  int byOutcome[3] = {};
  for (const StageResult& r : host.results)
    ++byOutcome[static_cast<int>(r.outcome)];
  std::printf("Long run: %d stage results: %d goal, %d gave up, %d hit points exhausted\n", stages,
              byOutcome[0], byOutcome[1], byOutcome[2]);
  EXPECT_GT(stages, 0);
}

}  // namespace
}  // namespace vennaloop

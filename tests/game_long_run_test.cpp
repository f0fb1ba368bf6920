// game_long_run_test.cpp: many stages of random keys and dialog answers through the game, with
// the world's invariants checked after every tick, and the picture kept by redrawing the changed
// cells held against a full render after every frame. VENNALOOP_LONG_RUN_TICKS asks for a longer
// run, VENNALOOP_LONG_RUN_SEED replays one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "game/virtual_keys.h"
#include "game_test_support.h"
#include "picture_check.h"
#include "view/picture_updater.h"
#include "world/cell_changes.h"
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
  // Each new stage gets its own seed from the run's generator, so the run replays exactly.
  host.onOpenDialog = [&](const DialogRequest& request) {
    if (request.kind != DialogKind::StageResult) return;
    for (auto& b : testing::FakeRandom.cryptoBytes)
      b = static_cast<std::uint8_t>(rng());
  };

  // The window's picture: kept by the updater, shown every one to four ticks as frames come
  // slower than ticks, and now and then given a new size and screen scale in mid-stage; zooms
  // change by the digit keys.
  PixelBuffer kept;
  PictureUpdater updater;
  testing::ShownPicture shown;
  std::vector<std::uint8_t> lastShown(CELL_COUNT);
  const int sizes[][2] = {{64, 48}, {300, 200}, {700, 560}, {1300, 300}, {257, 255},
                          {1, 1},   {5, 3},     {0, 40},    {3, 900}};
  const double ratios[] = {1, 1.25, 2, 3};
  double ratio = 1;
  auto resize = [&] {
    const auto& size = sizes[rng() % std::size(sizes)];
    kept.Resize(size[0], size[1]);
    ratio = ratios[rng() % std::size(ratios)];
  };
  resize();
  int frames = 0, framesDue = 1;

  int stages = 0;
  for (int tick = 0; tick < ticks; ++tick) {
    // A key on about a third of the ticks: stages end every hundred ticks or so by Esc and are
    // finished at once by S now and then, so both short and complete mazes are walked.
    if (chance(30)) game.KeyDown(keys[rng() % std::size(keys)]);
    host.shiftDown = chance(20);
    host.ctrlDown = chance(20);
    const std::size_t resultsBefore = host.results.size();
    game.GameTick();
    // A dialog is answered within a few ticks, which come and do nothing meanwhile.
    if (game.DialogOpen() && chance(60))
      game.DialogClosed(chance(80) ? DialogAnswer::Ok : DialogAnswer::Cancel);
    stages += static_cast<int>(host.results.size() - resultsBefore);
    const std::string fault = testing::WorldFault(game);
    ASSERT_EQ(fault, "") << "after tick " << tick << " of seed " << seed;
    ASSERT_GE(game.zoom, 1);
    ASSERT_LE(game.zoom, 3);

    if (chance(2)) resize();
    if (--framesDue > 0) continue;
    framesDue = 1 + static_cast<int>(rng() % 4);
    ++frames;
    // Every byte that changed since the last frame is on the record.
    for (int v = 0; v < CELL_COUNT && !CellChanges.everything; ++v) {
      ASSERT_TRUE(CellMap[v] == lastShown[v] || (CellChanges.listed[v >> 6] >> (v & 63) & 1))
          << "cell " << v << " changed unnoted before tick " << tick << " of seed " << seed;
    }
    const int side = CellSide(game.zoom, ratio);
    const PictureUpdate update = updater.Update(kept, side);
    ASSERT_EQ(shown.AfterUpdate(kept, update, side), "")
        << "frame after tick " << tick << " of seed " << seed << ", side " << side;
    std::copy(std::begin(CellMap), std::end(CellMap), lastShown.begin());
  }
  int byOutcome[3] = {};
  for (const StageResult& r : host.results)
    ++byOutcome[static_cast<int>(r.outcome)];
  std::printf(
      "Long run: %d stage results: %d goal, %d gave up, %d hit points exhausted; %d frames\n",
      stages, byOutcome[0], byOutcome[1], byOutcome[2], frames);
  EXPECT_GT(stages, 0);
}

}  // namespace
}  // namespace vennaloop

// game_long_run_test.cpp: many stages of random keys and dialog answers through the game, with
// the world's invariants checked after every tick. VENNALOOP_LONG_RUN_TICKS asks for a longer
// run, VENNALOOP_LONG_RUN_SEED replays one.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "game/virtual_keys.h"
#include "game_test_support.h"

namespace vennaloop {
namespace {

int EnvOr(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value ? std::atoi(value) : fallback;
}

// Checks the world after a tick; returns an empty string when all is well.
std::string WorldFault(const Game& game) {
  static std::vector<Cell> queue(CELL_COUNT);
  static std::vector<std::uint8_t> seen(CELL_COUNT);
  int openRooms = 0, openPassages = 0, playerMarks = 0;
  for (int i = 0; i < CELL_COUNT; ++i) {
    const Cell cell = static_cast<Cell>(i);
    const std::uint8_t flags = CellMap[cell];
    if (flags & 0xF0) return "flag bits 4-7 set on cell " + std::to_string(i);
    if (flags & CELL_PLAYER) ++playerMarks;
    if (flags & CELL_WALL) continue;
    if (IsPillar(cell)) return "pillar open: " + std::to_string(i);
    if (IsRoom(cell)) {
      ++openRooms;
    } else {
      ++openPassages;
      const bool vertical = RowOf(cell) & 1;
      const Cell a = vertical ? StepUp(cell) : StepLeft(cell);
      const Cell b = vertical ? StepDown(cell) : StepRight(cell);
      if (!IsOpen(a) || !IsOpen(b))
        return "open passage beside a closed room: " + std::to_string(i);
    }
  }
  if (openPassages != openRooms - 1) return "open cells are not a tree: cycle";
  // Every open cell must be reached from the start room.
  std::fill(seen.begin(), seen.end(), 0);
  int head = 0, tail = 0, reached = 0;
  queue[tail++] = START_ROOM;
  seen[START_ROOM] = 1;
  while (head < tail) {
    const Cell c = queue[head++];
    ++reached;
    for (Cell n : {StepUp(c), StepRight(c), StepDown(c), StepLeft(c)}) {
      if (IsOpen(n) && !seen[n]) {
        seen[n] = 1;
        queue[tail++] = n;
      }
    }
  }
  if (!IsOpen(START_ROOM) || reached != openRooms + openPassages)
    return "open cells are not connected to the start room";
  if (playerMarks != 1 || !(CellMap[game.playerCell] & CELL_PLAYER) || !IsOpen(game.playerCell))
    return "player mark not exactly on the player's open cell";
  if (game.hitPoints < 0 || game.hitPoints > FULL_HIT_POINTS) return "hit points out of range";
  if (Explorer.depth < 0 || Explorer.depth > EXPLORER_CAPACITY)
    return "explorer depth out of range";
  return {};
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
  const int answers[] = {DIALOG_OK, DIALOG_CANCEL, DIALOG_NOT_SHOWN};
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
    const std::string fault = WorldFault(game);
    ASSERT_EQ(fault, "") << "after tick " << tick << " of seed " << seed;
    ASSERT_GE(game.zoom, 1);
    ASSERT_LE(game.zoom, 3);
  }
  int byOutcome[3] = {};
  for (const StageResult& r : host.results)
    ++byOutcome[r.outcome];
  std::printf("Long run: %d stage results: %d goal, %d gave up, %d hit points exhausted\n", stages,
              byOutcome[OUTCOME_GOAL], byOutcome[OUTCOME_GAVE_UP],
              byOutcome[OUTCOME_HIT_POINTS_EXHAUSTED]);
  EXPECT_GT(stages, 0);
}

}  // namespace
}  // namespace vennaloop

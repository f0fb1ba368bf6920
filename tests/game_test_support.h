// game_test_support.h: a fixture that runs a Game against the scripted host with a fixed random
// seed, and helpers that lay out small hand-made worlds in which growth, aliens and the random
// stream stay out of the way unless a test brings them in.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "fake_random_platform.h"
#include "game/game.h"
#include "movers/explorer.h"
#include "scripted_host.h"
#include "world/maze_generator.h"

namespace vennaloop::testing {

/// A closed room far from every hand-made world: an alien parked there never moves and never
/// draws a random byte.
inline constexpr Cell PARKING_ROOM = MakeCell(128, 2);

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.Start();
    host.ClearLog();
  }

  /// Makes the next tick the first game cycle.
  void EndTitlePhase() {
    game.titleTicks = TITLE_TICKS - 1;
    host.titleExists = false;
  }

  /// Every cell a wall, growth stopped, the player alone on `player`, every alien parked, and
  /// the title phase over.
  void ClearWorld(Cell player = START_ROOM) {
    std::fill(std::begin(CellMap), std::end(CellMap), CELL_WALL);
    Maze.finished = 1;
    CellMap[player] = CELL_PLAYER;
    game.playerCell = player;
    game.playerPrevious = player;
    for (Alien& alien : game.aliens)
      alien = {PARKING_ROOM, PARKING_ROOM};
    CellMap[PARKING_ROOM] |= CELL_ALIEN;
    EndTitlePhase();
  }

  static void Open(std::initializer_list<Cell> cells) {
    for (Cell c : cells)
      CellMap[c] &= static_cast<std::uint8_t>(~CELL_WALL);
  }

  /// Puts alien `index` on `cell` with no way back remembered.
  void PlaceAlien(int index, Cell cell) {
    game.aliens[index] = {cell, cell};
    CellMap[cell] |= CELL_ALIEN;
  }

  static int OpenCellCount() {
    return static_cast<int>(std::count_if(std::begin(CellMap), std::end(CellMap),
                                          [](std::uint8_t b) { return (b & CELL_WALL) == 0; }));
  }

  ScopedFakeRandomPlatform fake;
  ScriptedHost host;
  Game game{host};
};

}  // namespace vennaloop::testing

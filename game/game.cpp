// game.cpp: stage setup and the moves of the player and the aliens, which keep the CellMap's
// player and alien flags in step with the game fields, noting each cell they change.
#include "game/game.h"

#include "movers/explorer.h"
#include "random/random_source.h"
#include "world/cell_changes.h"
#include "world/maze_generator.h"

namespace vennaloop {

Game::Game(GameHost& host) : host_(host) {}

void Game::Start() {
  ResetExplorerMemory();
  StageSetup();
  hitPoints = FULL_HIT_POINTS;
}

void Game::StageSetup() {
  host_.StopTimer();
  ResetMaze();  // also reseeds the random source: the aliens below come from the fresh seed

  SetCellFlags(START_ROOM, CELL_PLAYER);
  playerCell = START_ROOM;
  playerPrevious = START_ROOM;
  moveMode = MoveMode::Manual;
  leftRightReversed = 0;
  upDownReversed = 0;

  SetCellFlags(GOAL_ROOM, CELL_GOAL);

  // Rooms are not checked: they are still walls, may repeat and may be the start or goal room.
  for (Alien& alien : aliens) {
    const Cell room = RandomRoom();
    SetCellFlags(room, CELL_ALIEN);
    alien.current = room;
    alien.previous = room;
  }

  elapsedCycles = 0;
  skippedCycle = 0;
  pendingKey = 0;
  pendingAdds_ = {};
  host_.StartTimer(DEFAULT_PERIOD_MS);
}

void Game::MovePlayer(Cell target) {
  const Cell from = playerCell;
  playerPrevious = from;
  playerCell = target;
  ClearCellFlags(from, CELL_PLAYER);
  SetCellFlags(target, CELL_PLAYER);
  leftRightReversed ^= CrossedRowSeam(target, from) ? 1 : 0;
  upDownReversed ^= CrossedColumnSeam(target, from) ? 1 : 0;
}

void Game::MoveAlien(int index, Cell target) {
  Alien& alien = aliens[index];
  alien.previous = alien.current;
  alien.current = target;
  ClearCellFlags(alien.previous, CELL_ALIEN);
  SetCellFlags(target, CELL_ALIEN);
}

void Game::AlienHit(int index) {
  Alien& alien = aliens[index];
  ClearCellFlags(alien.current, CELL_ALIEN);
  alien.current = OppositeRoom(alien.current);
  alien.previous = alien.current;
  // Re-marking every alien restores the flags lost when aliens shared a cell.
  for (const Alien& other : aliens)
    SetCellFlags(other.current, CELL_ALIEN);
  if (hitPoints > 0) --hitPoints;
  if (hitPoints <= 0) hitPointsExhausted_ = true;
}

}  // namespace vennaloop

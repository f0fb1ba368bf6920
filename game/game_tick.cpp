// game_tick.cpp: the timer tick, the game's only driver: the title phase, then one game cycle
// per tick, and the stage result with a new stage when a stage ends.
#include <climits>

#include "game/game.h"
#include "movers/explorer.h"
#include "movers/walker_steps.h"
#include "world/cell_changes.h"
#include "world/maze_generator.h"

namespace vennaloop {

namespace {

// The counters run for as long as the program does; at one tick a millisecond a plain int would
// overflow after 24 days and restart the title phase.
inline void CountUp(int& counter) {
  if (counter < INT_MAX) ++counter;
}

}  // namespace

void Game::GameTick() {
  if (DialogOpen()) return;
  giveUp_ = false;
  goalReached_ = false;
  hitPointsExhausted_ = false;

  CountUp(titleTicks);
  if (titleTicks < TITLE_TICKS) {
    if (host_.TitleExists()) host_.RepaintTitle();
    return;
  }
  if (host_.TitleExists()) host_.CloseTitle();

  CountUp(elapsedCycles);
  MoveAliens();
  PlayerCommand();
  if (CellMap[playerCell] & CELL_GOAL) goalReached_ = true;
  // An alien the player walked onto is no longer shown; it still hits next cycle.
  ClearCellFlags(playerCell, CELL_ALIEN);
  for (int i = 0; i < GROW_STEPS_PER_CYCLE; ++i)
    GrowStep();
  host_.RepaintView();
  if (goalReached_ || hitPointsExhausted_ || giveUp_) EndStage();
}

void Game::MoveAliens() {
  for (int i = 0; i < ALIEN_COUNT; ++i) {
    const Alien alien = aliens[i];
    // An alien standing where the player is hits without moving.
    if (CellMap[alien.current] & CELL_PLAYER) {
      AlienHit(i);
      continue;
    }
    Cell target = WanderStep(alien.current, alien.previous);
    if (CellMap[target] & CELL_WALL) target = alien.previous;
    MoveAlien(i, target);
    if (CellMap[target] & CELL_PLAYER) AlienHit(i);
  }
}

void Game::PlayerCommand() {
  const int key = pendingKey;
  pendingKey = 0;
  commandAdds_ = pendingAdds_;
  pendingAdds_ = {};
  Cell target = playerCell;
  bool moved = false;
  if (key != 0) {
    DispatchCommand(key, target, moved);
  } else {
    switch (moveMode) {
      case MoveMode::Corridor:
        target = CorridorStep(playerCell, playerPrevious);
        break;
      case MoveMode::Wander:
        target = WanderStep(playerCell, playerPrevious);
        break;
      case MoveMode::Explorer:
        target = ExplorerStep(playerCell, playerPrevious);
        break;
      default:
        break;
    }
    moved = target != playerCell;
  }
  // A blocked move simply does not happen; NO_CELL is a pillar and so always blocked.
  if (moved && !(CellMap[target] & CELL_WALL)) MovePlayer(target);
}

void Game::EndStage() {
  const Outcome outcome = goalReached_          ? Outcome::GoalReached
                          : hitPointsExhausted_ ? Outcome::HitPointsExhausted
                                                : Outcome::GaveUp;
  const StageResult result{outcome, elapsedCycles, skippedCycle, hitPoints, ALIEN_COUNT};
  // The about box or the profile opened by this tick's key comes first, as it would have if it
  // had held the tick up.
  if (DialogOpen()) {
    pendingStageResult_ = result;
    return;
  }
  OpenDialog({DialogKind::StageResult, result});
}

void Game::OpenDialog(const DialogRequest& request) {
  openDialog_ = request.kind;
  host_.OpenDialog(request);
}

void Game::DialogClosed(DialogAnswer answer) {
  if (!openDialog_) return;
  const DialogKind closed = *openDialog_;
  openDialog_.reset();
  if (closed == DialogKind::StageResult) {
    FinishStageEnd(answer);
  } else if (pendingStageResult_) {
    const StageResult result = *pendingStageResult_;
    pendingStageResult_.reset();
    OpenDialog({DialogKind::StageResult, result});
  }
}

void Game::FinishStageEnd(DialogAnswer answer) {
  // Only a give-up that was not confirmed returns to the stage; every other ending starts anew.
  if (answer == DialogAnswer::Ok || !giveUp_) StageSetup();
  if (hitPointsExhausted_) hitPoints = FULL_HIT_POINTS;
}

}  // namespace vennaloop

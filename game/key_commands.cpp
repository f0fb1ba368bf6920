// key_commands.cpp: the key-down handler, which only records the key, and the command table the
// tick carries out for it.
#include "game/game.h"
#include "game/virtual_keys.h"
#include "movers/explorer.h"
#include "movers/walker_steps.h"
#include "world/maze_generator.h"

namespace vennaloop {

void Game::KeyDown(int virtualKey, AddedModifiers adds) {
  if (!IsAcceptedKey(virtualKey)) return;
  pendingKey = virtualKey;
  pendingAdds_ = adds;
}

void Game::DispatchCommand(int virtualKey, Cell& target, bool& moved) {
  const Cell cur = playerCell;
  const Cell prev = playerPrevious;
  switch (virtualKey) {
    case KEY_ESCAPE:
      giveUp_ = true;
      break;
    case KEY_SPACE:
      leftRightReversed = 0;
      upDownReversed = 0;
      break;
    // Arrows move one cell at once and hand over to the corridor mode. Each seam crossed
    // exchanges one pair of directions, so the keys follow what the player sees.
    case KEY_LEFT:
      target = leftRightReversed ? StepRight(cur) : StepLeft(cur);
      moveMode = MoveMode::Corridor;
      moved = true;
      break;
    case KEY_UP:
      target = upDownReversed ? StepDown(cur) : StepUp(cur);
      moveMode = MoveMode::Corridor;
      moved = true;
      break;
    case KEY_RIGHT:
      target = leftRightReversed ? StepLeft(cur) : StepRight(cur);
      moveMode = MoveMode::Corridor;
      moved = true;
      break;
    case KEY_DOWN:
      target = upDownReversed ? StepUp(cur) : StepDown(cur);
      moveMode = MoveMode::Corridor;
      moved = true;
      break;
    case KEY_1:
    case KEY_2:
    case KEY_3:
      DigitCommand(virtualKey - KEY_1 + 1);
      break;
    case KEY_A:
      OpenDialog({DialogKind::AuthorProfile, {}});
      break;
    // The mode keys take effect from the next tick: the step they compute is not carried out,
    // though the explorer keeps what its first step recorded.
    case KEY_F:
      moveMode = MoveMode::Wander;
      target = WanderStep(cur, prev);
      break;
    case KEY_N:
      moveMode = MoveMode::Corridor;
      target = CorridorStep(cur, prev);
      break;
    case KEY_W:
      moveMode = MoveMode::Explorer;
      ResetExplorerMemory();
      target = ExplorerStep(cur, prev);
      break;
    case KEY_R:
      moveMode = MoveMode::Manual;
      break;
    case KEY_S:
      skippedCycle = elapsedCycles;
      while (!Maze.finished)
        GrowStep();
      break;
    case KEY_V:
      OpenDialog({DialogKind::About, {}});
      break;
    default:
      break;
  }
}

int SpeedPeriodMs(int digit, bool shift, bool ctrl) {
  return digit * (shift && ctrl ? 1 : ctrl ? 100 : 10);
}

// With Shift or Ctrl a digit sets the speed, otherwise the zoom. Only 1 to 3 reach here, so the
// zoom stays within what the renderer draws.
void Game::DigitCommand(int digit) {
  const bool shift = commandAdds_.shift || host_.IsShiftDown();
  const bool ctrl = commandAdds_.ctrl || host_.IsCtrlDown();
  if (shift || ctrl) {
    host_.StopTimer();
    host_.StartTimer(SpeedPeriodMs(digit, shift, ctrl));
  } else {
    zoom = digit;
  }
}

}  // namespace vennaloop

// game.h: the state of the running game held by the game view, and the operations that set up a
// stage, move the player and the aliens, play one tick and take the keys. Reaches its window only
// through GameHost.
#pragma once

#include <array>
#include <cstdint>

#include "game/game_host.h"
#include "world/cell_grid.h"

namespace vennaloop {

inline constexpr int ALIEN_COUNT = 30;
/// Hit points at the start of the game and after they ran out.
inline constexpr int FULL_HIT_POINTS = 20;
/// Ticks of the title phase; the 60th tick closes the title and plays the first cycle.
inline constexpr int TITLE_TICKS = 60;
/// Timer period every stage starts with.
inline constexpr int DEFAULT_PERIOD_MS = 16;
/// Growth steps of the maze per game cycle.
inline constexpr int GROW_STEPS_PER_CYCLE = 16;

/// The player's automatic mode: who walks when no key is pending.
enum class MoveMode : std::int32_t {
  Manual = 0,    ///< nobody: the player stands until a key moves it
  Corridor = 1,  ///< run along the corridor, stop at a junction or dead end
  Wander = 2,    ///< the wander rule
  Explorer = 3,  ///< the depth-first explorer
};

struct Alien {
  Cell current;
  Cell previous;
};

class Game {
 public:
  /// Sets the initial values of a fresh view; the game starts with Start().
  explicit Game(GameHost& host);
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  /// The game part of the view's creation: forgets the explorer's junctions, sets up the first
  /// stage and gives full hit points.
  void Start();

  /// A fresh maze with the player on the start room, the goal opposite and thirty aliens on
  /// random rooms; counters, mode and orientation reset, timer restarted at the default period.
  /// Hit points, zoom and title ticks are kept.
  void StageSetup();

  /// Moves the player onto `target`, which must not be a wall, and toggles the orientation flag
  /// of any seam crossed.
  void MovePlayer(Cell target);

  /// Moves alien `index` onto `target`. The old cell loses its alien flag even if another alien
  /// still stands there; AlienHit puts such flags back.
  void MoveAlien(int index, Cell target);

  /// Throws alien `index` to the opposite room, re-marks every alien's cell and costs one hit
  /// point; the last one ends the stage at the close of the tick.
  void AlienHit(int index);

  /// Timer 1: a title tick during the title phase, afterwards one game cycle, ending with the
  /// stage result and a new stage when the stage ended. Does nothing while a tick is running,
  /// so the timer messages a modal dialog lets through are no-ops.
  void GameTick();

  /// Finishes a stage end whose result dialog was answered DialogAnswer::Deferred, as if the
  /// dialog had returned `answer`; does nothing when no answer is awaited or `answer` is Deferred.
  void AnswerStageResult(DialogAnswer answer);

  /// True while a stage result waits for AnswerStageResult; every tick does nothing meanwhile.
  bool AwaitingStageResult() const { return awaitingStageResult_; }

  /// The key-down handler: records an accepted key as the pending key, replacing one not yet
  /// consumed; ignores any other.
  void KeyDown(int virtualKey);

  /// Carries out the command of `virtualKey` as the tick does: may set the target and the moved
  /// flag of the tick's player move, the mode, the give-up flag, the orientation, the zoom or the
  /// timer period, open a dialog or finish the maze.
  void DispatchCommand(int virtualKey, Cell& target, bool& moved);

  // Game fields of the view.
  Cell playerCell = START_ROOM;
  Cell playerPrevious = START_ROOM;
  MoveMode moveMode = MoveMode::Manual;
  int hitPoints = FULL_HIT_POINTS;
  std::array<Alien, ALIEN_COUNT> aliens{};
  int elapsedCycles = 0;
  int titleTicks = 0;
  int skippedCycle = 0;
  int zoom = 1;  ///< pixels per cell, 1 to 3
  int pendingKey = 0;
  int leftRightReversed = 0;  ///< 0 or 1
  int upDownReversed = 0;     ///< 0 or 1

 private:
  void MoveAliens();
  void PlayerCommand();
  void DigitCommand(int digit);
  void EndStage();
  void FinishStageEnd(DialogAnswer answer);

  GameHost& host_;
  // Per tick: the outcomes met so far.
  bool giveUp_ = false;
  bool goalReached_ = false;
  bool hitPointsExhausted_ = false;
  // Set for the length of a tick; a tick entered meanwhile, from inside one of its modal
  // dialogs, returns at once.
  bool tickRunning_ = false;
  // A stage result answered Deferred: the outcomes above are kept until its answer comes.
  bool awaitingStageResult_ = false;
};

}  // namespace vennaloop

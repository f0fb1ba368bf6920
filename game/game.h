// game.h: the state of the running game held by the game view, and the operations that set up a
// stage, move the player and the aliens, play one tick and take the keys. Reaches its window only
// through GameHost.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

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

/// The timer period a digit key (1 to 3) sets with Shift, Ctrl or both held: ten times the digit
/// with Shift, a hundred times with Ctrl, the digit itself with both.
int SpeedPeriodMs(int digit, bool shift, bool ctrl);

/// Modifiers a key press brings with it, held for the tick that takes the key whatever the live
/// keys say then: a browser's stand-in key for a chord, or a touch button pressed with Shift.
struct AddedModifiers {
  bool shift = false;
  bool ctrl = false;
};

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

  /// The timer's tick: a title tick during the title phase, afterwards one game cycle, which
  /// opens the stage result when the stage ended. Does nothing while a dialog is open.
  void GameTick();

  /// The open dialog was closed with `answer`. A stage result's answer finishes the stage end,
  /// which may set up the next stage; a stage that ended while the about box or the profile was
  /// up opens its result now. Does nothing when no dialog is open.
  void DialogClosed(DialogAnswer answer);

  /// True from a dialog's opening to its DialogClosed: the game is frozen meanwhile.
  bool DialogOpen() const { return openDialog_.has_value(); }

  /// The key-down handler: records an accepted key as the pending key, with the modifiers it
  /// brings, replacing one not yet consumed; ignores any other.
  void KeyDown(int virtualKey, AddedModifiers adds = {});

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
  void OpenDialog(const DialogRequest& request);
  void FinishStageEnd(DialogAnswer answer);

  GameHost& host_;
  // Per tick: the outcomes met so far. A stage end keeps them until its result is answered.
  bool giveUp_ = false;
  bool goalReached_ = false;
  bool hitPointsExhausted_ = false;
  std::optional<DialogKind> openDialog_;
  AddedModifiers pendingAdds_;  ///< what the pending key brings
  AddedModifiers commandAdds_;  ///< what the key being carried out brought
  // A stage that ended while another dialog was up: its result opens when that one closes.
  std::optional<StageResult> pendingStageResult_;
};

}  // namespace vennaloop

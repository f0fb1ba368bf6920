// game_host.h: what the game asks of the front end that shows it: a timer that drives the ticks,
// the picture of the cell map, the title over it, the dialogs and the live modifier keys. Every
// front end implements it, and so do the tests and the benchmarks.
#pragma once

namespace vennaloop {

/// The timer periods the game asks for: the speed keys give 1 to 3, 10 to 30 and 100 to 300 ms.
inline constexpr int MIN_TIMER_PERIOD_MS = 1;
inline constexpr int MAX_TIMER_PERIOD_MS = 300;

/// How a stage ended; it selects the stage result's message lines. The goal counts before
/// exhausted hit points, and both before giving up.
enum class Outcome {
  GoalReached = 0,
  GaveUp = 1,
  HitPointsExhausted = 2,
};

/// What the stage result dialog shows.
struct StageResult {
  Outcome outcome = Outcome::GoalReached;
  int elapsedCycles = 0;
  int skippedCycle = 0;
  int hitPoints = 0;
  int nextStageAliens = 0;
};

/// The game's three dialogs.
enum class DialogKind {
  StageResult = 1,    ///< how the stage ended, and its counters
  About = 2,          ///< the program's version
  AuthorProfile = 3,  ///< the author's profile
};

/// How the player closed a dialog.
enum class DialogAnswer {
  Ok = 1,      ///< the OK button, or Enter
  Cancel = 2,  ///< Esc or the close box
};

/// A dialog to show: its kind and, for a stage result, the result.
struct DialogRequest {
  DialogKind kind = DialogKind::About;
  StageResult result;
};

class GameHost {
 public:
  virtual ~GameHost() = default;

  /// Calls Game::GameTick every `periodMs` milliseconds from now on, the first a period from now,
  /// in place of any timer already running. The period lies within MIN_TIMER_PERIOD_MS and
  /// MAX_TIMER_PERIOD_MS. Front ends hand it to their Pacer (pacer.h), which keeps the time.
  virtual void StartTimer(int periodMs) = 0;
  /// No tick comes until the next StartTimer.
  virtual void StopTimer() = 0;

  /// The cell map changed: the view is to show its picture of the new map (PictureUpdater) in
  /// the next frame its Pacer says is due, at most one a screen refresh.
  virtual void RepaintView() = 0;

  /// Whether the title is still up over the picture.
  virtual bool TitleExists() = 0;
  /// A tick of the title phase: the title stays shown over the picture.
  virtual void RepaintTitle() = 0;
  /// Takes the title away for good. Where it was, the picture shows again, with nothing of the
  /// title left on it.
  virtual void CloseTitle() = 0;

  /// Shows the dialog over the game's window and returns at once. While it is up it has the
  /// keyboard and the game's window takes no keys. When the player closes it the host calls
  /// Game::DialogClosed with the answer, never from within this call; the game is frozen until
  /// then.
  virtual void OpenDialog(const DialogRequest& request) = 0;

  /// The live state of the modifier keys, read when the game asks.
  virtual bool IsShiftDown() = 0;
  virtual bool IsCtrlDown() = 0;
};

}  // namespace vennaloop

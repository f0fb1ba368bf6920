// game_host.h: what the game asks of its window: the timer, repaints, the title overlay, the
// modal dialogs and the live modifier keys. The window, the tests and the benchmarks implement it.
#pragma once

namespace vennaloop {

/// How a stage ended; it selects the stage result's message lines. The goal counts before
/// exhausted hit points, and both before giving up.
enum class Outcome {
  GoalReached = 0,
  GaveUp = 1,
  HitPointsExhausted = 2,
};

/// What the stage result dialog shows.
struct StageResult {
  Outcome outcome;
  int elapsedCycles;
  int skippedCycle;
  int hitPoints;
  int nextStageAliens;
};

/// How a modal dialog was closed.
enum class DialogAnswer {
  Ok = 1,
  Cancel = 2,     ///< Esc or the close box
  NotShown = -1,  ///< the dialog could not be created; taken as Cancel
  /// The dialog is up but its answer comes later: a host that cannot block (a browser page)
  /// answers through Game::AnswerStageResult, and the game is frozen until then.
  Deferred = 0,
};

class GameHost {
 public:
  virtual ~GameHost() = default;
  virtual void StartTimer(int periodMs) = 0;  // timer 1; replaces a running one
  virtual void StopTimer() = 0;
  virtual void RepaintView() = 0;  // invalidate the whole view and paint it now
  virtual bool TitleExists() = 0;
  virtual void RepaintTitle() = 0;  // invalidate the overlay and paint it now
  virtual void CloseTitle() = 0;    // minimise, then destroy the overlay's window
  virtual DialogAnswer RunStageResult(const StageResult& result) = 0;
  virtual void ShowAbout() = 0;
  virtual void ShowAuthorProfile() = 0;
  virtual bool IsShiftDown() = 0;  // the live key state, read when asked
  virtual bool IsCtrlDown() = 0;
};

}  // namespace vennaloop
